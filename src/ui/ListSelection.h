// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <vector>

class QTableView;

/// Row selection operations on a table view: whole rows, by ranges, so a
/// list of many thousand rows is selected in one step.
class CListSelection {
public:
    /// [first, last] row pairs, inclusive.
    using RowRanges = std::vector<std::pair<int, int>>;

    explicit CListSelection(QTableView* view) : view(view) {}

    void SelectAll();
    void ClearSelection();
    /// Selects the row (keeping the others), makes it current and scrolls
    /// it into view. A row outside the list does nothing.
    void SelectRow(int row);
    /// Selects every row of the ranges in one selection change; the current
    /// row stays.
    void SelectRanges(const RowRanges& ranges);
    /// The selected rows as ascending, non-overlapping ranges.
    RowRanges SelectedRanges() const;

private:
    QTableView* view;
};
