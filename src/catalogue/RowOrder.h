// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FileCatalogue.h"

#include <optional>
#include <vector>

/// The settings of a catalogue that decide the order of its rows.
struct CRowOrder {
    /// The kind of the sort column; none when the sort column is not a
    /// column (the files then keep their order, the folders do not).
    std::optional<ColumnKind> kind;
    bool ascending = true;
    bool recursive = false;
    bool foldersAsFiles = false;
    bool namesAsNumbers = false;
};

/// Sorts the rows stably into the order CompareEntries defines for these
/// settings, with each row's compared values taken once instead of on every
/// comparison. By type, the entries' type names must have been looked up.
/// Returns false, leaving the rows as they were, when their texts together
/// pass 4 GiB (too long to index).
bool SortCatalogueRows(std::vector<CCatalogueRow>& rows, const CRowOrder& order);

/// The order of two entries under these settings: negative when a comes
/// before b, zero when they are equal, positive when a comes after. Folders
/// grouped before the files sort by folder and name, whatever the column;
/// equal values of a column fall back to the folder (when recursive) and the
/// name.
int CompareEntries(const CFileEntry& a, const CFileEntry& b, const CRowOrder& order);
