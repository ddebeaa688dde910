// SPDX-License-Identifier: GPL-3.0-or-later
// The undo that survives a restart: the real main window renames, is
// destroyed, and a new window made with the same XDG_STATE_HOME offers
// Undo for that rename and undoes it. XDG_STATE_HOME points into a
// temporary folder, so the user's own state is never touched.

#include "app/MessageBoxes.h"
#include "app/RenameApp.h"
#include "resources/StringTable.h"
#include "support/MainDlgHarness.h"
#include "support/TempFolder.h"
#include "ui/FilenameTab.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/QtText.h"
#include "ui/RenameErrorsDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

#include <cstdlib>
#include <filesystem>
#include <memory>

class MainDlgKeptUndoTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private:
    std::unique_ptr<CTempFolder> stateFolder;
    int errorRowsShown = -1;

    /// A window as a program start makes one, the window before gone first.
    void Start() { Start(CRenameApp::FindUndoJournalPath()); }
    void Start(const std::string& journalPath) {
        window.reset();
        OpenWindow(
            [this](QDialog& dialog) {
                if (auto* errors = qobject_cast<CRenameErrorsDlg*>(&dialog); errors != nullptr) {
                    errorRowsShown = errors->GetTable()->rowCount();
                }
                return int(QDialog::Rejected);
            },
            {}, nullptr, journalPath);
    }
    /// Puts "x-" before every name and renames, the question answered Yes.
    void RenameWithPrefix() {
        auto* tab = window->GetFilenameTab();
        tab->findChild<QCheckBox*>(QStringLiteral("insertBeforeOn"))->click();
        QTest::keyClicks(tab->findChild<QLineEdit*>(QStringLiteral("insertBeforeText")),
                         QStringLiteral("x-"));
        boxes.PushAnswer(boxbutton::kYes);
        window->GetFileList()->setFocus();
        QTest::keyClick(window->GetFileList(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(*folder / name); }
    std::string Journal() const { return CRenameApp::FindUndoJournalPath(); }

private slots:
    void init() {
        ResetHarness();
        stateFolder = std::make_unique<CTempFolder>();
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(stateFolder->Path() + "state"));
        settings.renameOnlySelectedFiles = false;
        errorRowsShown = -1;
    }
    void cleanup() {
        CloseWindow();
        stateFolder.reset();
    }

    void journalLivesInTheStateFolder() {
        QCOMPARE(Journal(), stateFolder->Path() + "state/NorvikRename/undo.sh");
        qunsetenv("XDG_STATE_HOME");
        QVERIFY(Journal() != stateFolder->Path() + "state/NorvikRename/undo.sh");
        const std::string tail = "/.local/state/NorvikRename/undo.sh";
        QVERIFY(Journal().size() > tail.size());
        QCOMPARE(Journal().substr(Journal().size() - tail.size()), tail);
    }

    void aRestartOffersUndoForTheLastRenameAndUndoesIt() {
        folder->WriteFile("a.txt", "A");
        folder->WriteFile("b.txt", "B");
        Start();
        QVERIFY(!window->GetAction(cmd::kUndo)->isEnabled());
        RenameWithPrefix();
        QVERIFY(Exists("x-a.txt") && Exists("x-b.txt"));
        QVERIFY(std::filesystem::exists(Journal()));

        // The program ends (or dies) and starts again.
        Start();
        QVERIFY(window->GetAction(cmd::kUndo)->isEnabled());
        QVERIFY(window->GetAction(cmd::kMakeUndoScript)->isEnabled());
        window->GetFileList()->setFocus();
        QTest::keyClick(window->GetFileList(), Qt::Key_U, Qt::ControlModifier);
        QVERIFY(Exists("a.txt") && Exists("b.txt"));
        QVERIFY(!Exists("x-a.txt") && !Exists("x-b.txt"));
        QCOMPARE(ReadWholeFile(*folder / "a.txt"), std::string("A"));
        QVERIFY(!window->GetAction(cmd::kUndo)->isEnabled());
        QVERIFY(!std::filesystem::exists(Journal()));

        // Undone is undone: the next start offers nothing.
        Start();
        QVERIFY(!window->GetAction(cmd::kUndo)->isEnabled());
    }

    void aFileRemovedSinceIsListedAndTheOtherComesBack() {
        folder->WriteFile("a.txt", "A");
        folder->WriteFile("b.txt", "B");
        Start();
        RenameWithPrefix();
        QVERIFY(Exists("x-a.txt"));
        window.reset();
        std::filesystem::remove(*folder / "x-a.txt");
        folder->WriteFile("b.txt", "someone else's");
        folder->WriteFile("c.txt", "C");

        Start();
        QVERIFY(window->GetAction(cmd::kUndo)->isEnabled());
        boxes.Clear();
        window->RunCommand(cmd::kUndo);
        // Both moves back fail: x-a.txt is gone, b.txt is taken.
        QCOMPARE(errorRowsShown, 2);
        QCOMPARE(boxes.GetAsked().at(0).text,
                 std::string(LookupString(strings::kErrorsWhileUndoing)));
        QCOMPARE(ReadWholeFile(*folder / "b.txt"), std::string("someone else's"));
        QCOMPARE(ReadWholeFile(*folder / "x-b.txt"), std::string("B"));
    }

    void aWindowWithoutAJournalPathKeepsNothing() {
        folder->WriteFile("a.txt", "A");
        Start(std::string());
        RenameWithPrefix();
        QVERIFY(Exists("x-a.txt"));
        QVERIFY(!std::filesystem::exists(stateFolder->Path() + "state"));
    }
};

QTEST_MAIN(MainDlgKeptUndoTest)
#include "MainDlgKeptUndoTest.moc"
