// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"

#include "catalogue/RowOrder.h"

#include <algorithm>
#include <numeric>

void CFileCatalogue::FillRows() {
    rows.reserve(entries.size());
    for (CFileEntry& entry : entries) {
        rows.push_back(CCatalogueRow{&entry, false});
    }
    if (sortColumn == -1) {
        sortColumn = 0;
    }
    // Ranked in the order of the names, the rows of the usual sort by name
    // are in order already; unsorted files keep the order they were found in.
    rowNamesRanked = RankRowNames(rows, OrdersByColumn(RowOrder()));
    std::vector<uint32_t> sources;
    SortRows(sources);
    if (!rows.empty()) {
        rows.front().selected = true;
        selectedCount = 1;
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

void CFileCatalogue::SortRows(std::vector<uint32_t>& sources) {
    const CRowOrder order = RowOrder();
    if (order.kind == ColumnKind::Type) {
        EnsureTypeNames();
    }
    if (rowNamesRanked && SortCatalogueRows(rows, order, sources)) {
        return;
    }
    sources.resize(rows.size());
    std::iota(sources.begin(), sources.end(), 0u);
    std::stable_sort(sources.begin(), sources.end(), [this, &order](uint32_t a, uint32_t b) {
        return ::CompareEntries(*rows[a].entry, *rows[b].entry, order) < 0;
    });
    std::vector<CCatalogueRow> sorted;
    sorted.reserve(rows.size());
    for (const uint32_t source : sources) {
        sorted.push_back(rows[source]);
    }
    rows.swap(sorted);
}

void CFileCatalogue::SortBy(int column, bool ascending) {
    OnRowsAboutToReorder();
    sortColumn = column;
    sortAscending = ascending;
    std::vector<uint32_t> sources;
    SortRows(sources);
    // The focus stays on its entry, wherever the sort puts it.
    if (!sources.empty() && focusedRow >= 0 && focusedRow < static_cast<int>(rows.size())) {
        const auto it =
            std::find(sources.begin(), sources.end(), static_cast<uint32_t>(focusedRow));
        focusedRow = static_cast<int>(it - sources.begin());
    }
    OnSortChanged(column, ascending);
    OnRowsReordered(sources);
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
    selectedCount += selected ? 1 : -1;
    if (!busy) {
        OnItemChanged(row);
    }
}

bool CFileCatalogue::SetRowsSelected(const std::vector<std::pair<int, int>>& ranges,
                                     bool selected) {
    const int before = selectedCount;
    const int rowCount = static_cast<int>(rows.size());
    for (const auto& [first, last] : ranges) {
        const int end = std::min(last, rowCount - 1);
        for (int row = std::max(first, 0); row <= end; ++row) {
            CCatalogueRow& target = rows[static_cast<std::size_t>(row)];
            selectedCount += static_cast<int>(selected) - static_cast<int>(target.selected);
            target.selected = selected;
        }
    }
    // Every change goes the same way, so the count tells whether any row changed.
    return selectedCount != before;
}
