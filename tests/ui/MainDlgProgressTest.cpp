// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's progress: the listing progress of a recursive scan and
// its cancel, the bar of a computation, a rename and an undo, the window
// disabled and every command refused while work runs.

#include "resources/StringTable.h"
#include "support/MainDlgHarness.h"
#include "ui/MainCommands.h"
#include "ui/MainDlg.h"
#include "ui/MainFileList.h"
#include "ui/PreviewList.h"
#include "ui/ProgressBarDlg.h"
#include "ui/ProgressTextDlg.h"
#include "ui/QtText.h"
#include "ui/WorkProgress.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

/// Presses the dialog's "Annuleren" from the event loop, as a user would
/// while the work runs.
void ClickCancelSoon(CProgressDialog& dialog) {
    QPushButton* button = dialog.GetCancelButton();
    QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

} // namespace

class MainDlgProgressTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private:
    int modalsRun = 0;

    void Open(const std::string& moreKeywords = std::string(),
              std::function<void(CProgressDialog&)> shownHandler = nullptr) {
        OpenWindow(
            [this](QDialog&) {
                ++modalsRun;
                return int(QDialog::Rejected);
            },
            moreKeywords,
            [&shownHandler](CMainDlg& made) {
                if (shownHandler) {
                    made.GetWorkProgress().SetShownHandler(std::move(shownHandler));
                }
            });
    }
    void MakeTree() {
        folder->WriteFile("top.txt", "T");
        for (int i = 0; i < 12; ++i) {
            folder->WriteFile("sub" + std::to_string(i) + "/inner" + std::to_string(i) + ".txt",
                              "I");
        }
    }

private slots:
    void init() {
        ResetHarness();
        modalsRun = 0;
    }
    void cleanup() { CloseWindow(); }

    void shortComputationShowsNoProgress() {
        for (int i = 0; i < 40; ++i) {
            folder->WriteFile("file" + std::to_string(i) + ".txt", "x");
        }
        Open();
        int shown = 0;
        window->GetWorkProgress().SetShownHandler([&](CProgressDialog&) { ++shown; });
        window->RecomputePreview(true);
        window->RecomputePreview(true);
        QCOMPARE(shown, 0);
        QVERIFY(!window->GetWorkProgress().IsRunning());
        QCOMPARE(window->GetPreviewList()->model()->rowCount(), 40);
        QVERIFY(window->isEnabled());
    }

    void recursiveListingShowsFoldersWithWindowDisabled() {
        MakeTree();
        Open();
        int shown = 0;
        bool windowDisabled = false;
        bool buttonEnabled = false;
        int modalsDuringWork = -1;
        window->GetWorkProgress().SetShownHandler([&](CProgressDialog& dialog) {
            ++shown;
            QVERIFY(qobject_cast<CProgressTextDlg*>(&dialog) != nullptr);
            windowDisabled = !window->isEnabled();
            buttonEnabled = dialog.GetCancelButton()->isEnabled();
            // Every command is refused while the listing runs.
            window->RunCommand(cmd::kExtendedFilter);
            window->RunCommand(cmd::kUp);
            modalsDuringWork = modalsRun;
        });
        window->GetAction(cmd::kRecursive)->trigger();
        QCOMPARE(shown, 1);
        QVERIFY(windowDisabled);
        QVERIFY(buttonEnabled);
        QCOMPARE(modalsDuringWork, 0);
        QVERIFY(!window->GetWorkProgress().IsRunning());
        QVERIFY(window->isEnabled());
        QVERIFY(window->GetAction(cmd::kRecursive)->isChecked());
        QVERIFY(window->GetCore().GetCatalogue().GetRecursive());
        QCOMPARE(ToQt(window->GetCore().GetCatalogue().GetFolder()), ToQt(folder->Path()));
        const QStringList rows = FileRows();
        QVERIFY(rows.contains(QStringLiteral("inner0.txt")));
        QVERIFY(rows.contains(QStringLiteral("inner11.txt")));
        // Refused before, accepted now.
        window->RunCommand(cmd::kExtendedFilter);
        QCOMPARE(modalsRun, 1);
    }

    void recursiveAtStartListsWithItsProgressOnceTheWindowShows() {
        MakeTree();
        int shown = 0;
        bool windowVisible = false;
        Open("RECURSIVE=1", [&](CProgressDialog& dialog) {
            ++shown;
            windowVisible = window->isVisible();
            QVERIFY(qobject_cast<CProgressTextDlg*>(&dialog) != nullptr);
        });
        QTRY_VERIFY(window->GetCore().GetCatalogue().GetRecursive());
        QTRY_VERIFY(FileRows().contains(QStringLiteral("inner11.txt")));
        QCOMPARE(shown, 1);
        QVERIFY(windowVisible);
        QVERIFY(window->GetAction(cmd::kRecursive)->isChecked());
        QVERIFY(!window->GetWorkProgress().IsRunning());
    }

    void recursiveAtStartCanBeCancelled() {
        MakeTree();
        int shown = 0;
        Open("RECURSIVE=1", [&shown](CProgressDialog& dialog) {
            ++shown;
            ClickCancelSoon(dialog);
        });
        QTRY_COMPARE(shown, 1);
        QTRY_VERIFY(!window->GetWorkProgress().IsRunning());
        QVERIFY(!window->GetAction(cmd::kRecursive)->isChecked());
        QVERIFY(!window->GetCore().GetCatalogue().GetRecursive());
        QVERIFY(!FileRows().contains(QStringLiteral("inner0.txt")));
    }

    void cancelDuringRecursiveListingLeavesRecursiveOff() {
        MakeTree();
        Open();
        int shown = 0;
        window->GetWorkProgress().SetShownHandler([&](CProgressDialog& dialog) {
            ++shown;
            ClickCancelSoon(dialog);
        });
        window->GetAction(cmd::kRecursive)->trigger();
        QCOMPARE(shown, 1);
        QVERIFY(!window->GetAction(cmd::kRecursive)->isChecked());
        QVERIFY(!window->GetCore().GetCatalogue().GetRecursive());
        QVERIFY(!window->GetWorkProgress().IsRunning());
        QVERIFY(window->isEnabled());
        // The folder listed again without its sub-folders' files.
        const QStringList rows = FileRows();
        QVERIFY(rows.contains(QStringLiteral("top.txt")));
        QVERIFY(rows.contains(QStringLiteral("sub0")));
        QVERIFY(!rows.contains(QStringLiteral("inner0.txt")));
        // Work is over: commands run again.
        window->RunCommand(cmd::kExtendedFilter);
        QCOMPARE(modalsRun, 1);
    }

    void computationBarCancels() {
        folder->WriteFile("a.txt");
        Open();
        window->GetWorkProgress().SetShownHandler(
            [&](CProgressDialog& dialog) { ClickCancelSoon(dialog); });
        window->OpenProgress(FromQt(UiText(strings::kComputingPreview)), true, 100, 0);
        CProgressBarDlg* bar = window->GetWorkProgress().GetBarDialog();
        QVERIFY(bar != nullptr);
        QVERIFY(bar->GetCancelButton()->isVisible());
        QVERIFY(!window->isEnabled());
        QVERIFY(window->IsWorking());
        window->SetProgress(40);
        QCOMPARE(bar->GetBar()->value(), 40);
        QTRY_VERIFY(window->IsProgressCancelled());
        QCOMPARE(bar->GetTextLabel()->text(), UiText(strings::kAbortingPleaseWait));
        window->CloseProgress();
        QVERIFY(!window->IsWorking());
        QVERIFY(window->isEnabled());
    }

    void renameAndUndoProgressHaveNoCancel() {
        folder->WriteFile("a.txt");
        Open();
        for (const int text : {strings::kRenamingPleaseWait, strings::kUndoingPleaseWait}) {
            window->OpenProgress(FromQt(UiText(text)), false, 10, 1);
            CProgressBarDlg* bar = window->GetWorkProgress().GetBarDialog();
            QVERIFY(bar != nullptr);
            QVERIFY(bar->isVisible());
            QVERIFY(!bar->GetCancelButton()->isVisible());
            QCOMPARE(bar->GetTextLabel()->text(), UiText(text));
            QVERIFY(!window->isEnabled());
            // The window refuses commands and its close while the work runs.
            window->RunCommand(cmd::kExtendedFilter);
            QCOMPARE(modalsRun, 0);
            QVERIFY(!window->close());
            QTest::keyClick(bar, Qt::Key_Escape);
            QVERIFY(bar->isVisible());
            QVERIFY(!window->IsProgressCancelled());
            window->CloseProgress();
            QVERIFY(window->GetWorkProgress().GetBarDialog() == nullptr);
            QVERIFY(window->isEnabled());
        }
    }
};

QTEST_MAIN(MainDlgProgressTest)
#include "MainDlgProgressTest.moc"
