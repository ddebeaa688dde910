// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FileCatalogue.h"

#include <cstdint>
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

/// Gives every row the rank of its name among the rows' names, in the order
/// CompareNoCase gives them (equal ranks for names that differ only in
/// case); with putInNameOrder the rows also move into that order, rows of
/// equal names keeping theirs. Returns false, leaving the rows as they were,
/// when their names together pass 4 GiB (too long to index).
bool RankRowNames(std::vector<CCatalogueRow>& rows, bool putInNameOrder);

/// Whether the order sorts the files by a column (else they keep their
/// order and only folders grouped before them are sorted).
bool OrdersByColumn(const CRowOrder& order);

/// Sorts the rows stably into the order CompareEntries defines for these
/// settings, with each row's compared values taken once instead of on every
/// comparison. The rows' name ranks must be those RankRowNames gave them;
/// by type, the entries' type names must have been looked up. sources gets,
/// for each row, the row it was before the sort; it is left empty when
/// every row stays where it was. Returns false, leaving the rows as they
/// were, when there are too many to index.
bool SortCatalogueRows(std::vector<CCatalogueRow>& rows, const CRowOrder& order,
                       std::vector<uint32_t>& sources);

/// The order of two entries under these settings: negative when a comes
/// before b, zero when they are equal, positive when a comes after. Folders
/// grouped before the files sort by folder and name, whatever the column;
/// equal values of a column fall back to the folder (when recursive) and the
/// name.
int CompareEntries(const CFileEntry& a, const CFileEntry& b, const CRowOrder& order);
