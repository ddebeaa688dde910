// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CommandLineKeywords.h"
#include "app/MessageBoxes.h"
#include "app/ProgramSettings.h"
#include "support/TempFolder.h"
#include "ui/FilenameTab.h"
#include "ui/MainDlg.h"
#include "ui/MainFileList.h"
#include "ui/PreviewList.h"
#include "ui/RecordingFileDialogs.h"
#include "ui/RecordingPopupMenus.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStringList>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>

/// The real main window on a temporary folder, with the settings, the
/// command line and the recording seams it is made with. A window test
/// derives from it (after QObject), calls ResetHarness() from init() and
/// CloseWindow() from cleanup(), and opens the window with OpenWindow().
class CMainDlgHarness {
protected:
    std::unique_ptr<CTempFolder> folder;
    std::unique_ptr<CTempFolder> configFolder;
    CProgramSettings settings;
    CCommandLineKeywords keywords;
    CRecordingMessageBoxes boxes;
    CRecordingFileDialogs fileDialogs;
    CRecordingPopupMenus popups;
    std::unique_ptr<CMainDlg> window;
    /// The folder the window opens on, when not the temporary folder.
    std::string openPath;

    /// Fresh folders, default settings for a 1280 x 1024 screen, and seams
    /// that have nothing asked and no answers.
    void ResetHarness() {
        folder = std::make_unique<CTempFolder>();
        configFolder = std::make_unique<CTempFolder>();
        settings = CProgramSettings();
        settings.SetDefaults(1280, 1024);
        openPath.clear();
        boxes.Clear();
        fileDialogs.Clear();
        popups.Clear();
    }
    /// Destroys the window, then the folder it showed.
    void CloseWindow() {
        window.reset();
        folder.reset();
    }

    /// Makes the window as a start with PATH=folder and extraKeywords would,
    /// its modal dialogs run by modalRunner; prepare is called before the
    /// window is shown. Waits until the window is active. A window already
    /// open goes only once the new one is made.
    void OpenWindow(std::function<int(QDialog&)> modalRunner, const std::string& extraKeywords = {},
                    const std::function<void(CMainDlg&)>& prepare = nullptr,
                    const std::string& undoJournalPath = {}) {
        keywords = CCommandLineKeywords();
        std::string line = "PATH=\"" + (openPath.empty() ? folder->Path() : openPath) + "\"";
        if (!extraKeywords.empty()) {
            line += " " + extraKeywords;
        }
        keywords.Parse(line);
        window = std::make_unique<CMainDlg>(
            CMainDlgServices{settings, keywords, boxes, fileDialogs, popups,
                             configFolder->Path() + "settings.ini", undoJournalPath});
        if (prepare) {
            prepare(*window);
        }
        window->SetModalRunner(std::move(modalRunner));
        window->resize(1000, 700);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    /// The texts of the first column of a list, top to bottom.
    static QStringList ListRows(const QAbstractItemView* list) {
        QStringList names;
        const QAbstractItemModel* model = list->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            names << model->index(row, 0).data().toString();
        }
        return names;
    }
    QStringList FileRows() const { return ListRows(window->GetFileList()); }
    QStringList PreviewRows() const { return ListRows(window->GetPreviewList()); }

    /// An edit of the Filename page by object name.
    QLineEdit* Edit(const char* name) const {
        return window->GetFilenameTab()->findChild<QLineEdit*>(QLatin1String(name));
    }
    /// Gives target the focus and presses key on it.
    static void Key(QWidget* target, Qt::Key key,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        target->setFocus();
        QTest::keyClick(target, key, modifiers);
    }
};
