// SPDX-License-Identifier: GPL-3.0-or-later
// The setup the file list and the preview list share: whole rows, no
// editing, no row header, and one fixed row height that follows the font.

#include "ui/ListCtrlFiles.h"
#include "ui/ListFixture.h"
#include "ui/PreviewList.h"

#include <QHeaderView>
#include <QTest>

#include <algorithm>

class RowTableViewTest : public QObject {
    Q_OBJECT
private slots:
    void bothListsShowWholeRowsWithoutEditing();
    void rowsAreOneLineOrOneIconHighAndFollowTheFont();
};

namespace {

/// The table of whole rows every list is, checked on one list.
void CheckRowTable(const QTableView& view) {
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(view.editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(view.showGrid());
    QVERIFY(!view.wordWrap());
    QVERIFY(!view.tabKeyNavigation());
    QVERIFY(!view.isSortingEnabled());
    QCOMPARE(view.iconSize(), QSize(16, 16));
    QVERIFY(view.verticalHeader()->isHidden());
    QCOMPARE(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}

int ExpectedRowHeight(const QTableView& view) {
    return std::max(view.fontMetrics().height(), 16) + 4;
}

} // namespace

void RowTableViewTest::bothListsShowWholeRowsWithoutEditing() {
    CListFixture f;
    f.folder.WriteFile("a.txt");
    f.folder.WriteFile("b.txt");
    QVERIFY(f.Open());
    CListCtrlFiles files(f.core);
    CPreviewList preview(f.core);
    f.core.ComputeNewNames(true);
    QCOMPARE(files.model()->rowCount(), 2);
    CheckRowTable(files);
    CheckRowTable(preview);
    // The file list shows the catalogue's sort; the preview none.
    QVERIFY(files.horizontalHeader()->isSortIndicatorShown());
    QVERIFY(!preview.horizontalHeader()->isSortIndicatorShown());
}

void RowTableViewTest::rowsAreOneLineOrOneIconHighAndFollowTheFont() {
    CListFixture f;
    f.folder.WriteFile("a.txt");
    QVERIFY(f.Open());
    CListCtrlFiles files(f.core);
    CPreviewList preview(f.core);
    for (QTableView* view : {static_cast<QTableView*>(&files), static_cast<QTableView*>(&preview)}) {
        QCOMPARE(view->verticalHeader()->defaultSectionSize(), ExpectedRowHeight(*view));
        QFont large = view->font();
        large.setPixelSize(40);
        view->setFont(large);
        QCOMPARE(view->verticalHeader()->defaultSectionSize(), ExpectedRowHeight(*view));
        QVERIFY(view->verticalHeader()->defaultSectionSize() >= 44);
        QCOMPARE(view->verticalHeader()->minimumSectionSize(), ExpectedRowHeight(*view));
    }
}

QTEST_MAIN(RowTableViewTest)
#include "RowTableViewTest.moc"
