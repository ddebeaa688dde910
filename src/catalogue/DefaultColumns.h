// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FileCatalogue.h"

/// The column indexes of the nine columns of the file list: the order in
/// which AddDefaultColumns adds them, the indexes of the column widths in the
/// program settings and the values of the list header's order array. The
/// one scheme of column numbers; the kind of a column (ColumnKind) says only
/// what its cells show.
constexpr int kNameColumn = 0;
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kAttributesColumn = 3;
constexpr int kExtensionColumn = 4;
constexpr int kFolderColumn = 5;
constexpr int kCreatedColumn = 6;
constexpr int kModifiedColumn = 7;
constexpr int kAccessedColumn = 8;
constexpr int kDefaultColumnCount = 9;

/// Adds the nine columns of the file list at the indexes above, titled from
/// the string table, each with no width of its own (-1); size is
/// right-aligned, the others left.
void AddDefaultColumns(CFileCatalogue& catalogue);
