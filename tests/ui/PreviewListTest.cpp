// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PreviewList.h"
#include "ui/ListFixture.h"
#include "ui/PreviewModel.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

namespace {

struct CPreviewListFixture : CListFixture {
    CFileListModel files{core};
    CPreviewList view{core};
    CPreviewListFixture() {
        frontEnd.files = &files;
        frontEnd.preview = &view.GetModel();
        view.resize(300, 200);
        view.show();
    }
    QList<int> SelectedRows() const {
        QList<int> rows;
        for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
            rows << index.row();
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    void MakeFiles(int count) {
        for (int i = 0; i < count; ++i) {
            folder.WriteFile("f" +
                             QString::number(i).rightJustified(3, QLatin1Char('0')).toStdString());
        }
    }
};

} // namespace

class PreviewListTest : public QObject {
    Q_OBJECT

private slots:
    void IsSetUpAsThePreviewList();
    void FollowsTheRowsOfTheFileList();
    void MirrorsTheFileListSelection();
    void KeepsScrollAndSelectionWhenNamesChange();
    void ReportsADoubleClick();
};

void PreviewListTest::IsSetUpAsThePreviewList() {
    CPreviewListFixture f;
    QCOMPARE(f.view.objectName(), QStringLiteral("previewList"));
    QCOMPARE(f.view.accessibleName(), QStringLiteral("Voorbeeldvenster"));
    QVERIFY(!f.view.verticalHeader()->isVisible());
    QCOMPARE(f.view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(f.view.horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    QCOMPARE(f.view.selectionBehavior(), QAbstractItemView::SelectRows);
}

void PreviewListTest::FollowsTheRowsOfTheFileList() {
    CPreviewListFixture f;
    f.MakeFiles(100);
    QVERIFY(f.Open());
    const int page = f.view.viewport()->height() / f.view.rowHeight(0);
    f.view.FollowRows(40, page);
    QCOMPARE(f.view.rowAt(0), 40);
    f.view.FollowRows(10, page);
    QCOMPARE(f.view.rowAt(0), 10);
    // Past the end: the last rows are shown.
    f.view.FollowRows(150, page);
    QVERIFY(
        f.view.viewport()->rect().intersects(f.view.visualRect(f.view.GetModel().index(99, 0))));
    QVERIFY(f.view.rowAt(0) > 10);
}

void PreviewListTest::MirrorsTheFileListSelection() {
    CPreviewListFixture f;
    f.MakeFiles(100);
    QVERIFY(f.Open());
    QCOMPARE(f.SelectedRows(), QList<int>({0}));

    f.core.SetRowsSelected({{0, 0}}, false);
    f.core.SetRowsSelected({{60, 62}, {70, 70}}, true);
    f.view.MirrorSelection(f.Catalogue());
    QCOMPARE(f.SelectedRows(), QList<int>({60, 61, 62, 70}));
    QCOMPARE(f.view.currentIndex().row(), 60);
    const int top = f.view.rowAt(0);
    const int bottom = f.view.rowAt(f.view.viewport()->height() - 1);
    QVERIFY(top <= 60 && (bottom < 0 || bottom >= 60));

    // The placeholder row is never selected.
    f.core.TogglePreview();
    QCOMPARE(f.view.GetModel().rowCount(), 1);
    f.view.MirrorSelection(f.Catalogue());
    QVERIFY(f.SelectedRows().isEmpty());
}

void PreviewListTest::KeepsScrollAndSelectionWhenNamesChange() {
    CPreviewListFixture f;
    f.MakeFiles(100);
    QVERIFY(f.Open());
    f.core.SetRowsSelected({{0, 0}}, false);
    f.core.SetRowsSelected({{30, 31}}, true);
    f.view.MirrorSelection(f.Catalogue());
    f.view.FollowRows(25, 5);
    const int top = f.view.rowAt(0);

    CNameRuleBlock& name = f.core.GetOptions().name;
    name.insertAfterOn = true;
    name.insertAfterText = "_x";
    f.core.ComputeNewNames(false);
    QCOMPARE(f.view.GetModel().index(30, 0).data().toString(), QStringLiteral("f030_x"));
    QCOMPARE(f.view.rowAt(0), top);
    QCOMPARE(f.SelectedRows(), QList<int>({30, 31}));

    // Fewer rows: the model resets, the selection follows the catalogue.
    std::filesystem::remove(f.folder / "f099");
    f.Catalogue().Refresh();
    QCOMPARE(f.view.GetModel().rowCount(), 99);
    QCOMPARE(f.SelectedRows(), QList<int>({0}));
}

void PreviewListTest::ReportsADoubleClick() {
    CPreviewListFixture f;
    f.core.TogglePreview();
    QSignalSpy clicked(&f.view, &CPreviewList::RowDoubleClicked);
    const QRect rect = f.view.visualRect(f.view.GetModel().index(0, 0));
    QTest::mouseDClick(f.view.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked[0][0].toInt(), 0);
}

QTEST_MAIN(PreviewListTest)
#include "PreviewListTest.moc"
