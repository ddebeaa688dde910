// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RowTableView.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>

CRowTableView::CRowTableView(QWidget* parent) : QTableView(parent) {}

void CRowTableView::ShowRows(QAbstractItemModel* model) {
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setSortingEnabled(false); // the catalogue sorts
    setIconSize(QSize(16, 16));

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    UpdateRowHeight();

    // A header asks the view's selection whether each of its sections is a
    // selected column, every time it paints: with every row selected that
    // looks at every row of the list, once per column. The headers show no
    // selection, so they get one of their own that never holds any.
    auto* headerSelection = new QItemSelectionModel(model, this);
    horizontalHeader()->setSelectionModel(headerSelection);
    verticalHeader()->setSelectionModel(headerSelection);
}

void CRowTableView::UpdateRowHeight() {
    // Every row has the same height, so the view never measures rows: a
    // list of 100,000 rows scrolls as fast as one of ten.
    const int height = std::max(fontMetrics().height(), iconSize().height()) + 4;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void CRowTableView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateRowHeight();
    }
}
