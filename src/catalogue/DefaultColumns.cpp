// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/DefaultColumns.h"

#include "resources/StringTable.h"

#include <string>

namespace {

struct CDefaultColumn {
    int index;
    int titleId;
    ColumnKind kind;
    ColumnAlignment alignment;
};

constexpr CDefaultColumn kColumns[kDefaultColumnCount] = {
    {kNameColumn, strings::kColumnFileName, ColumnKind::FileName, ColumnAlignment::Left},
    {kSizeColumn, strings::kColumnSize, ColumnKind::Size, ColumnAlignment::Right},
    {kTypeColumn, strings::kColumnType, ColumnKind::Type, ColumnAlignment::Left},
    {kAttributesColumn, strings::kColumnAttributes, ColumnKind::Attributes, ColumnAlignment::Left},
    {kExtensionColumn, strings::kColumnExtension, ColumnKind::Extension, ColumnAlignment::Left},
    {kFolderColumn, strings::kColumnFolder, ColumnKind::Folder, ColumnAlignment::Left},
    {kCreatedColumn, strings::kColumnCreated, ColumnKind::Created, ColumnAlignment::Left},
    {kModifiedColumn, strings::kColumnModified, ColumnKind::Modified, ColumnAlignment::Left},
    {kAccessedColumn, strings::kColumnAccessed, ColumnKind::Accessed, ColumnAlignment::Left},
};

// AddColumn gives each column the next index: the table is in index order.
constexpr bool InIndexOrder() {
    for (int i = 0; i < kDefaultColumnCount; ++i) {
        if (kColumns[i].index != i) {
            return false;
        }
    }
    return true;
}
static_assert(InIndexOrder());

} // namespace

void AddDefaultColumns(CFileCatalogue& catalogue) {
    for (const CDefaultColumn& column : kColumns) {
        catalogue.AddColumn(std::string(LookupString(column.titleId)), column.kind, -1,
                            column.alignment);
    }
}
