// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RowTableView.h"

#include <QEvent>
#include <QHeaderView>

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
