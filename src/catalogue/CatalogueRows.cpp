// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"

#include "catalogue/ListedOrder.h"
#include "catalogue/RowOrder.h"

#include <algorithm>

void CFileCatalogue::FillRows() {
    rows.reserve(entries.size());
    for (CFileEntry& entry : entries) {
        entry.iconIndex = -1;
        rows.push_back(CCatalogueRow{&entry, false});
    }
    if (sortColumn == -1) {
        sortColumn = 0;
    }
    SortRows();
    if (!rows.empty()) {
        rows.front().selected = true;
        focusedRow = 0;
    }
}

CRowOrder CFileCatalogue::RowOrder() const {
    CRowOrder order{.kind = std::nullopt,
                    .ascending = sortAscending,
                    .recursive = recursive,
                    .foldersAsFiles = foldersAsFiles,
                    .namesAsNumbers = sortNamesAsNumbers};
    if (sortColumn >= 0 && sortColumn < static_cast<int>(columnKinds.size())) {
        order.kind = columnKinds[static_cast<std::size_t>(sortColumn)];
    }
    return order;
}

int CFileCatalogue::CompareEntries(const CFileEntry& a, const CFileEntry& b) const {
    return ::CompareEntries(a, b, RowOrder());
}

void CFileCatalogue::SortRows() {
    const CRowOrder order = RowOrder();
    if (order.kind == ColumnKind::Type) {
        EnsureTypeNames();
    }
    if (UseListedOrder(rows, order) || SortCatalogueRows(rows, order)) {
        return;
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [&order](const CCatalogueRow& a, const CCatalogueRow& b) {
                         return ::CompareEntries(*a.entry, *b.entry, order) < 0;
                     });
}

void CFileCatalogue::SortBy(int column, bool ascending) {
    OnRowsAboutToChange();
    sortColumn = column;
    sortAscending = ascending;
    // The focus stays on its entry, wherever the sort puts it.
    const CFileEntry* focused = focusedRow >= 0 && focusedRow < static_cast<int>(rows.size())
                                    ? rows[static_cast<std::size_t>(focusedRow)].entry
                                    : nullptr;
    SortRows();
    if (focused != nullptr) {
        const auto it = std::find_if(rows.begin(), rows.end(), [focused](const CCatalogueRow& row) {
            return row.entry == focused;
        });
        focusedRow = it != rows.end() ? static_cast<int>(it - rows.begin()) : -1;
    }
    OnSortChanged(column, ascending);
    OnRowsChanged();
}

bool CFileCatalogue::MoveSelectedRows(bool up) {
    OnRowsAboutToChange();
    bool moved = false;
    if (up) {
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (rows[i].selected && !rows[i - 1].selected) {
                std::swap(rows[i], rows[i - 1]);
                moved = true;
            }
        }
    } else {
        for (std::size_t i = rows.size(); i-- > 1;) {
            if (rows[i - 1].selected && !rows[i].selected) {
                std::swap(rows[i], rows[i - 1]);
                moved = true;
            }
        }
    }
    if (moved) {
        sortColumn = -1;
        OnRefreshDone();
    }
    OnRowsChanged();
    return moved;
}

void CFileCatalogue::SetRowSelected(int row, bool selected) {
    CCatalogueRow& target = rows.at(static_cast<std::size_t>(row));
    if (target.selected == selected) {
        return;
    }
    target.selected = selected;
    if (!busy) {
        OnItemChanged(row);
    }
}

int CFileCatalogue::GetSelectedCount() const {
    return static_cast<int>(
        std::count_if(rows.begin(), rows.end(), [](const CCatalogueRow& r) { return r.selected; }));
}
