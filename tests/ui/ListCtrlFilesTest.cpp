// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListCtrlFiles.h"
#include "ui/ListFixture.h"

#include <QAbstractItemModelTester>
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
    void ASortChangesTheLayoutAndKeepsCurrentRowAndSelection();
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

void ListCtrlFilesTest::ASortChangesTheLayoutAndKeepsCurrentRowAndSelection() {
    CViewFixture f;
    QAbstractItemModelTester tester(&f.view.GetModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int i = 0; i < 300; ++i) {
        f.folder.WriteFile("f" + std::to_string(1000 + i) + (i % 7 == 0 ? ".TXT" : ".txt"),
                           std::string(static_cast<std::size_t>((i * 37) % 101), 'x'));
    }
    QVERIFY(f.Open());
    f.view.setFocus();
    f.ClickRow(3);
    f.ClickRow(5, Qt::ShiftModifier);
    f.ClickRow(9, Qt::ControlModifier);
    const QStringList selected = f.SelectedNames();
    QCOMPARE(selected.size(), 4);
    const QString current = f.view.currentIndex().data().toString();
    QCOMPARE(current, QStringLiteral("f1009.txt"));

    QSignalSpy resets(&f.view.GetModel(), &QAbstractItemModel::modelReset);
    QSignalSpy layouts(&f.view.GetModel(), &QAbstractItemModel::layoutChanged);
    for (const bool twice : {false, true}) {
        f.ClickHeader(f.ColumnOfKind(ColumnKind::Size));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(layouts.count(), twice ? 2 : 1);
        // The current row is the same file, shown, and the catalogue's focus.
        const QModelIndex index = f.view.currentIndex();
        QCOMPARE(index.data().toString(), current);
        QCOMPARE(index.row(), f.Catalogue().GetFocusedRow());
        QVERIFY(f.view.viewport()->rect().intersects(f.view.visualRect(index)));
        // The view selects exactly the rows the catalogue has selected.
        for (int row = 0; row < f.Catalogue().GetRowCount(); ++row) {
            QCOMPARE(f.view.selectionModel()->isRowSelected(row, QModelIndex()),
                     f.Catalogue().IsRowSelected(row));
        }
        QStringList names = f.SelectedNames();
        names.sort();
        QCOMPARE(names, selected);
    }

    // Every row selected: still every row after a sort.
    QTest::keyClick(&f.view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.Catalogue().GetSelectedCount(), 300);
    f.ClickHeader(f.ColumnOfKind(ColumnKind::FileName));
    QCOMPARE(resets.count(), 0);
    QCOMPARE(f.view.selectionModel()->selectedRows().size(), 300);
    QCOMPARE(f.Catalogue().GetSelectedCount(), 300);
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
    // The header paints without asking about the selected rows: its own
    // selection holds nothing, over the same model.
    QItemSelectionModel* headerSelection = f.view.horizontalHeader()->selectionModel();
    QVERIFY(headerSelection != f.view.selectionModel());
    QCOMPARE(headerSelection->model(), f.view.model());
    QVERIFY(!headerSelection->hasSelection());
    QVERIFY(!headerSelection->isColumnSelected(0, QModelIndex()));
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
