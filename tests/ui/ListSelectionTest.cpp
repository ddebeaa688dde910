// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListSelection.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <memory>

class ListSelectionTest : public QObject {
    Q_OBJECT

private:
    static constexpr int kRows = 500;
    static constexpr int kColumns = 3;

    std::unique_ptr<QStandardItemModel> model;
    std::unique_ptr<QTableView> view;

    QList<int> SelectedRows() const {
        QList<int> rows;
        for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
            rows.append(index.row());
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    bool RowIsVisible(int row) const {
        const QRect cell = view->visualRect(model->index(row, 0));
        return view->viewport()->rect().contains(cell);
    }

private slots:
    void init() {
        model = std::make_unique<QStandardItemModel>(kRows, kColumns);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                model->setItem(row, column,
                               new QStandardItem(QStringLiteral("%1.%2").arg(row).arg(column)));
            }
        }
        view = std::make_unique<QTableView>();
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setModel(model.get());
        view->resize(300, 200);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    void cleanup() {
        view.reset();
        model.reset();
    }

    void selectAllMarksEveryRowWholly() {
        CListSelection(view.get()).SelectAll();
        QCOMPARE(view->selectionModel()->selectedRows().size(), kRows);
        QVERIFY(view->selectionModel()->isSelected(model->index(kRows - 1, kColumns - 1)));
        QCOMPARE(CListSelection(view.get()).SelectedRanges(),
                 (CListSelection::RowRanges{{0, kRows - 1}}));
    }

    void clearLeavesNothingSelected() {
        CListSelection selection(view.get());
        selection.SelectAll();
        selection.ClearSelection();
        QVERIFY(!view->selectionModel()->hasSelection());
        QVERIFY(selection.SelectedRanges().empty());
    }

    void selectRowMakesItCurrentAndVisible() {
        CListSelection selection(view.get());
        QVERIFY(!RowIsVisible(400));
        selection.SelectRow(400);
        QCOMPARE(view->currentIndex().row(), 400);
        QVERIFY(view->selectionModel()->isRowSelected(400, {}));
        QVERIFY(RowIsVisible(400));
        // It adds to the selection.
        selection.SelectRow(2);
        QCOMPARE(SelectedRows(), (QList<int>{2, 400}));
        QCOMPARE(view->currentIndex().row(), 2);
        QVERIFY(RowIsVisible(2));
    }

    void selectRowOutsideTheListDoesNothing() {
        CListSelection selection(view.get());
        selection.SelectRow(kRows);
        selection.SelectRow(-1);
        QVERIFY(!view->selectionModel()->hasSelection());
    }

    void selectsRanges() {
        CListSelection selection(view.get());
        selection.SelectRanges({{10, 12}, {3, 3}, {490, 600}, {-5, 0}});
        QCOMPARE(SelectedRows(),
                 (QList<int>{0, 3, 10, 11, 12, 490, 491, 492, 493, 494, 495, 496, 497, 498, 499}));
        QCOMPARE(selection.SelectedRanges(),
                 (CListSelection::RowRanges{{0, 0}, {3, 3}, {10, 12}, {490, kRows - 1}}));
        QVERIFY(view->selectionModel()->isSelected(model->index(11, kColumns - 1)));
    }

    void selectedRangesJoinNeighbours() {
        CListSelection selection(view.get());
        selection.SelectRanges({{5, 6}, {7, 9}, {8, 20}});
        QCOMPARE(selection.SelectedRanges(), (CListSelection::RowRanges{{5, 20}}));
    }

    void oneSelectionChangeForManyRanges() {
        QSignalSpy spy(view->selectionModel(), &QItemSelectionModel::selectionChanged);
        CListSelection(view.get()).SelectRanges({{1, 1}, {3, 3}, {5, 5}, {7, 7}});
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(ListSelectionTest)
#include "ListSelectionTest.moc"
