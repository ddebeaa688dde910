// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListSelection.h"

#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

namespace {

QItemSelection RowsSelection(const QAbstractItemModel* model, int first, int last) {
    const int lastColumn = std::max(0, model->columnCount() - 1);
    return QItemSelection(model->index(first, 0), model->index(last, lastColumn));
}

} // namespace

void CListSelection::SelectAll() {
    const QAbstractItemModel* model = view->model();
    if (model == nullptr || model->rowCount() == 0) {
        return;
    }
    view->selectionModel()->select(RowsSelection(model, 0, model->rowCount() - 1),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void CListSelection::ClearSelection() {
    if (view->selectionModel() != nullptr) {
        view->selectionModel()->clearSelection();
    }
}

void CListSelection::SelectRow(int row) {
    const QAbstractItemModel* model = view->model();
    if (model == nullptr || row < 0 || row >= model->rowCount()) {
        return;
    }
    QItemSelectionModel* selection = view->selectionModel();
    const QModelIndex index = model->index(row, 0);
    selection->select(RowsSelection(model, row, row),
                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    view->scrollTo(index);
}

void CListSelection::SelectRanges(const RowRanges& ranges) {
    const QAbstractItemModel* model = view->model();
    if (model == nullptr) {
        return;
    }
    const int rows = model->rowCount();
    const int lastColumn = std::max(0, model->columnCount() - 1);
    QItemSelection selection;
    for (auto [first, last] : ranges) {
        first = std::max(first, 0);
        last = std::min(last, rows - 1);
        if (first <= last) {
            selection.append(
                QItemSelectionRange(model->index(first, 0), model->index(last, lastColumn)));
        }
    }
    if (!selection.isEmpty()) {
        view->selectionModel()->select(selection,
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

CListSelection::RowRanges CListSelection::SelectedRanges() const {
    RowRanges ranges;
    if (view->selectionModel() == nullptr) {
        return ranges;
    }
    std::vector<std::pair<int, int>> spans;
    for (const QItemSelectionRange& range : view->selectionModel()->selection()) {
        spans.emplace_back(range.top(), range.bottom());
    }
    std::sort(spans.begin(), spans.end());
    for (const auto& span : spans) {
        if (!ranges.empty() && span.first <= ranges.back().second + 1) {
            ranges.back().second = std::max(ranges.back().second, span.second);
        } else {
            ranges.push_back(span);
        }
    }
    return ranges;
}
