// SPDX-License-Identifier: GPL-3.0-or-later
// The window computing its preview piecewise (the threshold at 0 rows): a
// rename right after a keystroke renames what the whole computation gives,
// and no slice runs while a box or a modal dialog has its own event loop.

#include "app/MessageBoxes.h"
#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "support/MainDlgHarness.h"
#include "support/RecordingFrontEnd.h"
#include "ui/ComputationSlicer.h"
#include "ui/MainCommands.h"
#include "ui/MainDlg.h"
#include "ui/PreviewModel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

/// Message boxes whose question runs the caller's code first, as a real box
/// runs an event loop while it waits.
class CEventLoopBoxes : public CRecordingMessageBoxes {
public:
    std::function<void()> onQuestion;
    int AskQuestion(void* owner, const std::string& text, const std::string& caption,
                    unsigned style) override {
        if (onQuestion) {
            onQuestion();
        }
        return CRecordingMessageBoxes::AskQuestion(owner, text, caption, style);
    }
};

void FillFolder(const CTempFolder& folder) {
    for (int i = 0; i < 90; ++i) {
        folder.WriteFile("photo" + std::to_string(i % 30) + (i < 30 ? ".jpg" : i < 60 ? ".JPG" : ".txt"),
                         std::to_string(i));
    }
}

std::vector<std::string> Listing(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(path)) {
        names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class PiecewisePreviewTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private:
    CEventLoopBoxes loopBoxes;
    std::unique_ptr<CTempFolder> twin;
    int modalsRun = 0;
    int slicesInModal = 0;
    bool pendingInModal = false;

    /// The window on the folder with every file taking part, computing
    /// piecewise from 0 rows on.
    void Open() {
        settings.renameOnlySelectedFiles = false;
        settings.uncheckAllAfterRenaming = false;
        keywords = CCommandLineKeywords();
        keywords.Parse("PATH=\"" + folder->Path() + "\"");
        window = std::make_unique<CMainDlg>(
            CMainDlgServices{settings, keywords, loopBoxes, fileDialogs, popups,
                             configFolder->Path() + "settings.ini"});
        window->GetCore().SetPiecewiseRows(0);
        window->SetModalRunner([this](QDialog&) {
            ++modalsRun;
            const int slices = window->GetSlicer().GetSliceCount();
            for (int i = 0; i < 5; ++i) {
                QCoreApplication::processEvents();
            }
            slicesInModal += window->GetSlicer().GetSliceCount() - slices;
            pendingInModal = window->GetCore().IsComputingNewNames();
            return int(QDialog::Rejected);
        });
        window->resize(1000, 700);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The open itself computed piecewise; let it finish.
        QTRY_VERIFY(!window->GetCore().IsComputingNewNames());
    }

    QLineEdit* Edit(const char* name) const {
        return window->GetFilenameTab()->findChild<QLineEdit*>(QLatin1String(name));
    }
    QCheckBox* Check(const char* name) const {
        return window->GetFilenameTab()->findChild<QCheckBox*>(QLatin1String(name));
    }

    /// Renames the twin folder with a bare core computing at once under the
    /// window's options; returns the question it asked.
    std::string RenameTwinAtOnce() {
        CRecordingFrontEnd frontEnd;
        CRenameCore core(&frontEnd);
        AddDefaultColumns(core.GetCatalogue());
        core.GetOptions() = window->GetCore().GetOptions();
        core.GetSwitches() = window->GetCore().GetSwitches();
        if (!core.GetCatalogue().SetFolder(twin->Path(), true)) {
            return "no twin";
        }
        core.GetCatalogue().Refresh();
        core.ComputeNewNames(true);
        frontEnd.answer = msgbox::kYes;
        core.RenameFiles();
        return frontEnd.messages.empty() ? std::string() : frontEnd.messages.front().text;
    }

private slots:
    void init() {
        ResetHarness();
        loopBoxes.Clear();
        loopBoxes.onQuestion = nullptr;
        twin = std::make_unique<CTempFolder>();
        FillFolder(*folder);
        FillFolder(*twin);
        modalsRun = 0;
        slicesInModal = 0;
        pendingInModal = false;
    }
    void cleanup() {
        CloseWindow();
        twin.reset();
    }

    void keyThenRenameBeforeTheEventLoopRenamesTheWholeComputation() {
        Open();
        Check("replaceWithOn")->click();
        QTRY_VERIFY(!window->GetCore().IsComputingNewNames());
        // Every name the same but for case: collisions the question counts.
        QTest::keyClicks(Edit("replaceWithText"), QStringLiteral("Photo"));
        QVERIFY(window->GetCore().IsComputingNewNames());
        QVERIFY(window->GetCore().IsRowPending(window->GetCore().GetCatalogue().GetRowCount() - 1));

        window->RunCommand(cmd::kRename);
        QVERIFY(!loopBoxes.GetAsked().empty());
        const std::string question = loopBoxes.GetAsked().front().text;
        QCOMPARE(question, RenameTwinAtOnce());
        QVERIFY(question.find('\n') != std::string::npos);
        QCOMPARE(Listing(folder->Path()), Listing(twin->Path()));
    }

    void noSliceRunsWhileAQuestionIsOpen() {
        Open();
        Check("insertBeforeOn")->click();
        QTest::keyClicks(Edit("insertBeforeText"), QStringLiteral("n-"));
        QVERIFY(window->GetCore().IsComputingNewNames());
        bool asked = false;
        loopBoxes.onQuestion = [this, &asked] {
            asked = true;
            // The question counts every row: the computation finished first.
            QVERIFY(!window->GetCore().IsComputingNewNames());
            // A computation started now waits for the box to close.
            window->RecomputePreview(false);
            QVERIFY(window->GetCore().IsComputingNewNames());
            const int slices = window->GetSlicer().GetSliceCount();
            for (int i = 0; i < 5; ++i) {
                QCoreApplication::processEvents();
            }
            QCOMPARE(window->GetSlicer().GetSliceCount(), slices);
            QVERIFY(window->GetCore().IsComputingNewNames());
            QVERIFY(window->GetCore().IsRowPending(window->GetCore().GetCatalogue().GetRowCount() - 1));
        };
        loopBoxes.PushAnswer(boxbutton::kNo);
        window->RunCommand(cmd::kRename);
        QVERIFY(asked);
        // After the box the slices go on to the end.
        QTRY_VERIFY(!window->GetCore().IsComputingNewNames());
        QVERIFY(window->GetSlicer().GetSliceCount() > 0);
    }

    void noSliceRunsWhileAModalDialogIsOpen() {
        Open();
        Check("insertAfterOn")->click();
        QTest::keyClicks(Edit("insertAfterText"), QStringLiteral("-x"));
        QVERIFY(window->GetCore().IsComputingNewNames());
        window->RunCommand(cmd::kAbout);
        QCOMPARE(modalsRun, 1);
        QCOMPARE(slicesInModal, 0);
        QVERIFY(pendingInModal);
        QTRY_VERIFY(!window->GetCore().IsComputingNewNames());
    }

    void pendingRowsShowEmptyAndAreComputedOutsidePaint() {
        Open();
        Check("insertAfterOn")->click();
        QTRY_VERIFY(!window->GetCore().IsComputingNewNames());
        QTest::keyClicks(Edit("insertAfterText"), QStringLiteral("Z"));
        CRenameCore& core = window->GetCore();
        const int last = core.GetCatalogue().GetRowCount() - 1;
        QVERIFY(core.IsRowPending(last));
        CPreviewModel* model = window->GetPreviewModel();
        QCOMPARE(model->index(last, 0).data().toString(), QString());
        // Asking did not compute it.
        QVERIFY(core.IsRowPending(last));
        QTRY_VERIFY(!core.IsComputingNewNames());
        QVERIFY(model->index(last, 0).data().toString().contains(QStringLiteral("Z.")));
    }
};

QTEST_MAIN(PiecewisePreviewTest)
#include "PiecewisePreviewTest.moc"
