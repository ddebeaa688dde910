// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"

#include "catalogue/NameParts.h"
#include "catalogue/TypeNameSource.h"
#include "platform/FileTime.h"
#include "platform/Utf8.h"

#include <algorithm>

bool CFileCatalogue::AddColumn(const std::string& title, ColumnKind kind, int width,
                               ColumnAlignment alignment) {
    columns.push_back(CCatalogueColumn{title, kind, width, alignment});
    columnKinds.push_back(kind);
    columnOrder.push_back(static_cast<int>(columns.size()) - 1);
    RequestRefresh();
    return true;
}

const CCatalogueColumn& CFileCatalogue::GetColumn(int index) const {
    return columns.at(static_cast<std::size_t>(index));
}

bool CFileCatalogue::SetColumnOrder(const std::vector<int>& order) {
    if (order.size() != columns.size()) {
        return false;
    }
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (sorted[i] != static_cast<int>(i)) {
            return false;
        }
    }
    if (columnOrder != order) {
        columnOrder = order;
        OnColumnOrderChanged();
    }
    return true;
}

void CFileCatalogue::SetColumnWidth(int column, int width) {
    if (column >= 0 && column < static_cast<int>(columns.size())) {
        columns[static_cast<std::size_t>(column)].width = width;
    }
}

std::string CFileCatalogue::GetRowCellText(int row, int column) const {
    if (column < 0 || column >= static_cast<int>(columnKinds.size())) {
        return {};
    }
    return CellText(*rows.at(static_cast<std::size_t>(row)).entry,
                    columnKinds[static_cast<std::size_t>(column)]);
}

std::string CFileCatalogue::DateText(uint64_t fileTime) const {
    platform::CCalendarTime calendar;
    if (!platform::FileTimeToCalendar(fileTime, calendar)) {
        return {};
    }
    constexpr std::size_t kMaxPart = 127;
    const auto cut = [](std::string text) {
        text.resize(utf8::OffsetOfChar(text, kMaxPart));
        return text;
    };
    return cut(platform::FormatDatePicture(dateFormat, calendar)) + " " +
           cut(platform::FormatTimePicture(timeFormat, calendar));
}

std::string CFileCatalogue::CellText(const CFileEntry& entry, ColumnKind kind) const {
    switch (kind) {
    case ColumnKind::FileName:
        return entry.LongName();
    case ColumnKind::Folder:
        return entry.Folder();
    case ColumnKind::Extension:
        return std::string(entry.Extension());
    case ColumnKind::Size:
        // A size that lstat could not give is not shown as 0. The facts
        // first: their lstat settles whether the entry is a folder.
        return !entry.AreFactsKnown() || entry.IsFolder() ? std::string()
                                                          : std::to_string(entry.FileSize());
    case ColumnKind::Type:
        return entry.IsTypeNameKnown() ? entry.TypeName() : std::string();
    case ColumnKind::Attributes:
        return AttributeLetters(entry.Attributes());
    case ColumnKind::Created:
        return entry.AreFactsKnown() ? DateText(entry.CreationTime()) : std::string();
    case ColumnKind::Modified:
        return entry.AreFactsKnown() ? DateText(entry.LastWriteTime()) : std::string();
    case ColumnKind::Accessed:
        return entry.AreFactsKnown() ? DateText(entry.LastAccessTime()) : std::string();
    }
    return {};
}

const std::string& CFileCatalogue::EntryTypeName(CFileEntry& entry) {
    if (!entry.IsTypeNameKnown()) {
        entry.SetTypeName(typeNameSource != nullptr
                              ? typeNameSource->TypeName(entry.LongName(), entry.ListedAttributes())
                              : std::string());
    }
    return entry.TypeName();
}

void CFileCatalogue::EnsureTypeNames() {
    for (CCatalogueRow& row : rows) {
        EntryTypeName(*row.entry);
    }
    typeNamesComplete = true;
}
