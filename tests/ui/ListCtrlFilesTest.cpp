// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListCtrlFiles.h"
#include "ui/ListFixture.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

struct CViewFixture : CListFixture {
    CListCtrlFiles view{core};
    CViewFixture() {
        frontEnd.files = &view.GetModel();
        frontEnd.fileList = &view;
        view.resize(900, 400);
        view.show();
    }

    void ClickHeader(int column) {
        QHeaderView* header = view.horizontalHeader();
        const QPoint centre(header->sectionViewportPosition(column) +
                                header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect rect = view.visualRect(view.GetModel().index(row, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    /// The rows the view shows as selected, by name.
    QStringList ViewSelectedNames() const {
        QStringList names;
        for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
            names << index.data().toString();
        }
        names.sort();
        return names;
    }
};

} // namespace

class ListCtrlFilesTest : public QObject {
    Q_OBJECT

private slots:
    void IsSetUpAsTheFileList();
    void HeaderClicksSortBySizeThenByName();
    void ShiftClickReachesTheCatalogueAsOneCall();
    void SelectionSurvivesASort();
    void SelectAllOfTenThousandRowsIsOneNotice();
    void EnterOpensTheOneSelectedFolder();
    void EnterWithTwoRowsSelectedDoesNothing();
    void DoubleClickOpensAFolderAndBackspaceGoesBack();
    void NavigationCanBeSwitchedOff();
    void DraggedColumnReachesTheColumnOrder();
};

void ListCtrlFilesTest::IsSetUpAsTheFileList() {
    CViewFixture f;
    QCOMPARE(f.view.objectName(), QStringLiteral("fileList"));
    QCOMPARE(f.view.accessibleName(), QStringLiteral("Bestandenlijst"));
    QVERIFY(!f.view.verticalHeader()->isVisible());
    QCOMPARE(f.view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QVERIFY(f.view.horizontalHeader()->sectionsMovable());
    QVERIFY(!f.view.isSortingEnabled());
    QCOMPARE(f.view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(f.view.selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(f.view.showGrid());
}

void ListCtrlFilesTest::HeaderClicksSortBySizeThenByName() {
    CViewFixture f;
    f.folder.WriteFile("a.txt", std::string(30, 'a'));
    f.folder.WriteFile("b.txt", std::string(10, 'b'));
    f.folder.WriteFile("c.txt", std::string(20, 'c'));
    QVERIFY(f.Open());
    QHeaderView* header = f.view.horizontalHeader();
    QCOMPARE(header->sortIndicatorSection(), 0);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);

    const int size = f.ColumnOfKind(ColumnKind::Size);
    f.ClickHeader(size);
    QCOMPARE(f.RowNames(), Names({"b.txt", "c.txt", "a.txt"}));
    QCOMPARE(f.Catalogue().GetSortColumn(), size);
    QVERIFY(f.Catalogue().GetSortAscending());
    QCOMPARE(header->sortIndicatorSection(), size);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(f.view.GetModel().index(0, 0).data().toString(), QStringLiteral("b.txt"));

    f.ClickHeader(size);
    QCOMPARE(f.RowNames(), Names({"a.txt", "c.txt", "b.txt"}));
    QVERIFY(!f.Catalogue().GetSortAscending());
    QCOMPARE(header->sortIndicatorSection(), size);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);

    f.ClickHeader(0);
    QCOMPARE(f.RowNames(), Names({"a.txt", "b.txt", "c.txt"}));
    QVERIFY(f.Catalogue().GetSortAscending());
    QCOMPARE(header->sortIndicatorSection(), 0);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);

    // An order made by hand shows no mark.
    f.core.SetRowsSelected({{2, 2}}, true);
    QVERIFY(f.Catalogue().MoveSelectedRows(true));
    QCOMPARE(header->sortIndicatorSection(), -1);
}

void ListCtrlFilesTest::ShiftClickReachesTheCatalogueAsOneCall() {
    CViewFixture f;
    for (int i = 0; i < 20; ++i) {
        f.folder.WriteFile(
            "f" + QString::number(i).rightJustified(2, QLatin1Char('0')).toStdString() + ".txt");
    }
    QVERIFY(f.Open());
    // A refresh selects the first row, in the view too.
    QCOMPARE(f.ViewSelectedNames(), Names({"f00.txt"}));

    f.frontEnd.selectionNotices = 0;
    f.ClickRow(7, Qt::ShiftModifier);
    QCOMPARE(f.frontEnd.selectionNotices, 1);
    QCOMPARE(f.frontEnd.lastSelectionRow, -1);
    QCOMPARE(f.Catalogue().GetSelectedCount(), 8);
    QVERIFY(f.Catalogue().IsRowSelected(0));
    QVERIFY(f.Catalogue().IsRowSelected(7));
    QVERIFY(!f.Catalogue().IsRowSelected(8));
    QCOMPARE(f.Catalogue().GetFocusedRow(), 7);

    // Ctrl+click takes one row out.
    f.ClickRow(3, Qt::ControlModifier);
    QVERIFY(!f.Catalogue().IsRowSelected(3));
    QCOMPARE(f.Catalogue().GetSelectedCount(), 7);
}

void ListCtrlFilesTest::SelectionSurvivesASort() {
    CViewFixture f;
    f.folder.WriteFile("a.txt", "1");
    f.folder.WriteFile("b.txt", "4444");
    f.folder.WriteFile("c.txt", "22");
    f.folder.WriteFile("d.txt", "333");
    QVERIFY(f.Open());
    f.ClickRow(1);
    f.ClickRow(2, Qt::ControlModifier);
    QCOMPARE(f.SelectedNames(), Names({"b.txt", "c.txt"}));

    f.ClickHeader(f.ColumnOfKind(ColumnKind::Size));
    QCOMPARE(f.RowNames(), Names({"a.txt", "c.txt", "d.txt", "b.txt"}));
    QCOMPARE(f.SelectedNames(), Names({"c.txt", "b.txt"}));
    QCOMPARE(f.ViewSelectedNames(), Names({"b.txt", "c.txt"}));
    QVERIFY(f.view.selectionModel()->isRowSelected(1, QModelIndex()));
    QVERIFY(f.view.selectionModel()->isRowSelected(3, QModelIndex()));
}

void ListCtrlFilesTest::SelectAllOfTenThousandRowsIsOneNotice() {
    CViewFixture f;
    for (int i = 0; i < 10000; ++i) {
        f.folder.WriteFile("file" + std::to_string(i));
    }
    QVERIFY(f.Open());
    f.frontEnd.selectionNotices = 0;
    f.view.setFocus();
    QTest::keyClick(&f.view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.frontEnd.selectionNotices, 1);
    QCOMPARE(f.Catalogue().GetSelectedCount(), 10000);
    QCOMPARE(f.view.selectionModel()->selection().size(), 1);
}

void ListCtrlFilesTest::EnterOpensTheOneSelectedFolder() {
    CViewFixture f;
    f.folder.WriteFile("sub/inner.txt");
    f.folder.WriteFile("top.txt");
    QVERIFY(f.Open());
    QCOMPARE(f.RowOf("sub"), 0);
    f.ClickRow(0);
    QTest::keyClick(&f.view, Qt::Key_Return);
    QCOMPARE(f.Catalogue().GetFolder(), f.folder.Path() + "sub/");
    QCOMPARE(f.RowNames(), Names({"inner.txt"}));
    QCOMPARE(f.view.GetModel().rowCount(), 1);

    // A file row does not open anything.
    QTest::keyClick(&f.view, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(f.Catalogue().GetFolder(), f.folder.Path() + "sub/");
}

void ListCtrlFilesTest::EnterWithTwoRowsSelectedDoesNothing() {
    CViewFixture f;
    f.folder.MakeFolder("one");
    f.folder.MakeFolder("two");
    QVERIFY(f.Open());
    f.ClickRow(0);
    f.ClickRow(1, Qt::ControlModifier);
    QCOMPARE(f.Catalogue().GetSelectedCount(), 2);
    QTest::keyClick(&f.view, Qt::Key_Return);
    QCOMPARE(f.Catalogue().GetFolder(), f.folder.Path());
    QCOMPARE(f.RowNames(), Names({"one", "two"}));
}

void ListCtrlFilesTest::DoubleClickOpensAFolderAndBackspaceGoesBack() {
    CViewFixture f;
    f.folder.WriteFile("deep/er/file.txt");
    QVERIFY(f.Open());
    const QRect rect = f.view.visualRect(f.view.GetModel().index(0, 0));
    QTest::mouseDClick(f.view.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QCOMPARE(f.Catalogue().GetFolder(), f.folder.Path() + "deep/");
    QCOMPARE(f.RowNames(), Names({"er"}));

    QTest::keyClick(&f.view, Qt::Key_Backspace);
    QCOMPARE(f.Catalogue().GetFolder(), f.folder.Path());
    QCOMPARE(f.RowNames(), Names({"deep"}));
}

void ListCtrlFilesTest::NavigationCanBeSwitchedOff() {
    CViewFixture f;
    f.folder.MakeFolder("sub");
    QVERIFY(f.Open());
    f.Catalogue().SetFolderNavigation(false);
    f.ClickRow(0);
    QTest::keyClick(&f.view, Qt::Key_Return);
    QTest::keyClick(&f.view, Qt::Key_Backspace);
    QCOMPARE(f.Catalogue().GetFolder(), f.folder.Path());
}

void ListCtrlFilesTest::DraggedColumnReachesTheColumnOrder() {
    CViewFixture f;
    CPreviewModel preview(f.core);
    f.frontEnd.preview = &preview;
    f.folder.WriteFile("a.txt");
    QVERIFY(f.Open());
    QSignalSpy recomputed(&preview, &CPreviewModel::PreviewReloaded);

    QHeaderView* header = f.view.horizontalHeader();
    header->moveSection(1, 5);
    const std::vector<int> expected = {0, 2, 3, 4, 5, 1, 6, 7, 8};
    QCOMPARE(f.Catalogue().GetColumnOrder(), expected);
    // The column tags read the display order: the preview is recomputed.
    QCOMPARE(recomputed.count(), 1);

    // A refresh keeps the order the user made.
    f.Catalogue().Refresh();
    QCOMPARE(header->logicalIndex(5), 1);
    QCOMPARE(f.Catalogue().GetColumnOrder(), expected);
}

QTEST_MAIN(ListCtrlFilesTest)
#include "ListCtrlFilesTest.moc"
