// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainFileList.h"
#include "app/MessageBoxes.h"
#include "ui/ListFixture.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>

namespace {

struct CMainListFixture : CListFixture {
    CMainFileList view{core};
    CRecordingMessageBoxes boxes;
    QStringList prompted;
    QString answer;
    bool confirm = true;

    CMainListFixture() {
        frontEnd.files = &view.GetModel();
        frontEnd.fileList = &view;
        view.SetMessageBoxes(&boxes);
        view.SetManualRenamePrompt([this](const QString& oldName, QString& newName) {
            prompted << oldName;
            newName = answer;
            return confirm;
        });
        view.resize(600, 300);
        view.show();
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect rect = view.visualRect(view.GetModel().index(row, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, rect.center());
    }
};

} // namespace

class MainFileListTest : public QObject {
    Q_OBJECT

private slots:
    void F2RenamesAndSelectsTheRenamedRow();
    void F2OntoAnExistingNameShowsTheErrorAndKeepsTheFile();
    void F2NeedsExactlyOneSelectedRow();
    void F2CancelledOrUnchangedMovesNothing();
    void ReportsTheTopRowWhenScrolledOrResized();
};

void MainFileListTest::F2RenamesAndSelectsTheRenamedRow() {
    CMainListFixture f;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
        f.folder.WriteFile(name, name);
    }
    QVERIFY(f.Open());
    f.ClickRow(1);
    f.answer = QStringLiteral("zz.txt");
    QTest::keyClick(&f.view, Qt::Key_F2);

    QCOMPARE(f.prompted, Names({"b.txt"}));
    QVERIFY(!std::filesystem::exists(f.folder / "b.txt"));
    QCOMPARE(ReadWholeFile(f.folder / "zz.txt"), std::string("b.txt"));
    QCOMPARE(f.RowNames(), Names({"a.txt", "c.txt", "d.txt", "zz.txt"}));
    QCOMPARE(f.SelectedNames(), Names({"zz.txt"}));
    QCOMPARE(f.Catalogue().GetFocusedRow(), 3);
    QCOMPARE(f.view.currentIndex().row(), 3);
    const QModelIndexList shown = f.view.selectionModel()->selectedRows();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].row(), 3);
    QVERIFY(f.boxes.GetAsked().empty());
}

void MainFileListTest::F2OntoAnExistingNameShowsTheErrorAndKeepsTheFile() {
    CMainListFixture f;
    f.folder.WriteFile("a.txt", "first");
    f.folder.WriteFile("b.txt", "second");
    QVERIFY(f.Open());
    f.ClickRow(0);
    f.frontEnd.selectionNotices = 0;
    QSignalSpy reloaded(&f.view.GetModel(), &CFileListModel::RowsReloaded);
    f.answer = QStringLiteral("b.txt");
    QTest::keyClick(&f.view, Qt::Key_F2);

    QCOMPARE(f.boxes.GetAsked().size(), std::size_t{1});
    const CRecordingMessageBoxes::CAsked& box = f.boxes.GetAsked()[0];
    QVERIFY(box.kind == CRecordingMessageBoxes::Kind::Error);
    QCOMPARE(box.caption, std::string("Fout bij het hernoemen van het bestand"));
    QCOMPARE(box.text, FormatSystemError(EEXIST));
    QCOMPARE(ReadWholeFile(f.folder / "a.txt"), std::string("first"));
    QCOMPARE(ReadWholeFile(f.folder / "b.txt"), std::string("second"));
    // Nothing was read again or selected anew.
    QCOMPARE(reloaded.count(), 0);
    QCOMPARE(f.frontEnd.selectionNotices, 0);
    QCOMPARE(f.SelectedNames(), Names({"a.txt"}));
}

void MainFileListTest::F2NeedsExactlyOneSelectedRow() {
    CMainListFixture f;
    f.folder.WriteFile("a.txt");
    f.folder.WriteFile("b.txt");
    QVERIFY(f.Open());
    f.ClickRow(0);
    f.ClickRow(1, Qt::ControlModifier);
    f.answer = QStringLiteral("c.txt");
    QTest::keyClick(&f.view, Qt::Key_F2);
    QVERIFY(f.prompted.isEmpty());
    QCOMPARE(f.RowNames(), Names({"a.txt", "b.txt"}));
}

void MainFileListTest::F2CancelledOrUnchangedMovesNothing() {
    CMainListFixture f;
    f.folder.WriteFile("a.txt");
    QVERIFY(f.Open());
    QSignalSpy reloaded(&f.view.GetModel(), &CFileListModel::RowsReloaded);
    f.confirm = false;
    f.answer = QStringLiteral("b.txt");
    QTest::keyClick(&f.view, Qt::Key_F2);
    f.confirm = true;
    f.answer = QStringLiteral("a.txt");
    QTest::keyClick(&f.view, Qt::Key_F2);
    QCOMPARE(f.prompted.size(), 2);
    QVERIFY(std::filesystem::exists(f.folder / "a.txt"));
    QVERIFY(!std::filesystem::exists(f.folder / "b.txt"));
    QCOMPARE(reloaded.count(), 0);
}

void MainFileListTest::ReportsTheTopRowWhenScrolledOrResized() {
    CMainListFixture f;
    for (int i = 0; i < 200; ++i) {
        f.folder.WriteFile("f" +
                           QString::number(i).rightJustified(3, QLatin1Char('0')).toStdString());
    }
    QVERIFY(f.Open());
    QSignalSpy moved(&f.view, &CMainFileList::TopRowChanged);
    const int rowHeight = f.view.rowHeight(0);
    const int page = f.view.viewport()->height() / rowHeight;
    QVERIFY(page > 2);

    f.view.verticalScrollBar()->setValue(50);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.last()[0].toInt(), 50);
    QCOMPARE(moved.last()[1].toInt(), page);
    QCOMPARE(f.view.TopRow(), 50);

    // The same position again says nothing new.
    f.view.verticalScrollBar()->setValue(50);
    QCOMPARE(moved.count(), 1);

    f.view.resize(600, 300 + 5 * rowHeight);
    QCOMPARE(moved.last()[0].toInt(), 50);
    QCOMPARE(moved.last()[1].toInt(), page + 5);

    f.view.setFocus();
    QTest::keyClick(&f.view, Qt::Key_End);
    // End goes to the last row, not the last cell, and the list follows.
    QCOMPARE(f.view.currentIndex().row(), 199);
    QVERIFY(f.view.rowAt(0) > 150);
    QCOMPARE(moved.last()[0].toInt(), f.view.rowAt(0));
}

QTEST_MAIN(MainFileListTest)
#include "MainFileListTest.moc"
