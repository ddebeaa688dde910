#include "catalogue/DefaultColumns.h"

#include "resources/StringTable.h"

#include <string>

void AddDefaultColumns(CFileCatalogue& catalogue) {
    struct Column {
        int titleId;
        ColumnKind kind;
        ColumnAlignment alignment;
    };
    static constexpr Column kColumns[] = {
        {strings::kColumnFileName, ColumnKind::FileName, ColumnAlignment::Left},
        {strings::kColumnSize, ColumnKind::Size, ColumnAlignment::Right},
        {strings::kColumnType, ColumnKind::Type, ColumnAlignment::Left},
        {strings::kColumnAttributes, ColumnKind::Attributes, ColumnAlignment::Left},
        {strings::kColumnExtension, ColumnKind::Extension, ColumnAlignment::Left},
        {strings::kColumnFolder, ColumnKind::Folder, ColumnAlignment::Left},
        {strings::kColumnCreated, ColumnKind::Created, ColumnAlignment::Left},
        {strings::kColumnModified, ColumnKind::Modified, ColumnAlignment::Left},
        {strings::kColumnAccessed, ColumnKind::Accessed, ColumnAlignment::Left},
    };
    for (const Column& column : kColumns) {
        catalogue.AddColumn(std::string(LookupString(column.titleId)), column.kind, -1,
                            column.alignment);
    }
}
