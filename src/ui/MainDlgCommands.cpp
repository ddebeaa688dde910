// SPDX-License-Identifier: GPL-3.0-or-later
// The command switch: every command id becomes one call on the core, the
// catalogue or a part of the window; and the command states that follow.

#include "ui/MainDlg.h"

#include "app/MessageBoxes.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"
#include "ui/FileDialogs.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/Manual.h"
#include "ui/FlatButton.h"
#include "ui/QtText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

void CMainDlg::RunCommand(int commandId) {
    // Nothing re-enters the core while it works (a refresh that runs a hook,
    // or any work whose progress lets events through).
    if (IsWorking()) {
        return;
    }
    CFileCatalogue& catalogue = core.GetCatalogue();
    switch (commandId) {
    case cmd::kUp:
        catalogue.GoToParent();
        FocusFileList();
        break;
    case cmd::kBack:
        catalogue.HistoryBack();
        FocusFileList();
        break;
    case cmd::kForward:
        catalogue.HistoryForward();
        FocusFileList();
        break;
    case cmd::kHistory:
        ShowHistoryPopup();
        break;
    case cmd::kSelectFolder:
        BrowseForFolder();
        break;
    case cmd::kSelectDrive:
        ShowDrivePopup();
        break;
    case cmd::kRefresh:
        catalogue.Refresh();
        FocusFileList();
        break;
    case cmd::kShowFolders:
        catalogue.SetShowFolders(actions.value(commandId)->isChecked());
        break;
    case cmd::kShowFiles:
        catalogue.SetShowFiles(actions.value(commandId)->isChecked());
        break;
    case cmd::kFoldersAsFiles:
        catalogue.SetFoldersAsFiles(actions.value(commandId)->isChecked());
        break;
    case cmd::kRecursive:
        catalogue.SetRecursive(actions.value(commandId)->isChecked());
        break;
    case cmd::kPreview:
        if (core.IsAutoPreview() != actions.value(commandId)->isChecked()) {
            core.TogglePreview();
        }
        break;
    case cmd::kMakeRenameScript:
        core.WriteRenameScript(std::string());
        break;
    case cmd::kRename:
        core.RenameFiles();
        break;
    case cmd::kUndo:
        core.UndoRename();
        break;
    case cmd::kMakeUndoScript:
        core.WriteUndoScript(std::string());
        break;
    case cmd::kSavePreview:
        core.SavePreviewListing(std::string());
        break;
    case cmd::kLoadOptions:
        LoadOptionsFile();
        break;
    case cmd::kSaveOptions:
        SaveOptionsFile();
        break;
    case cmd::kDefaultOptions:
        core.RestoreDefaultOptions(services.settingsFilePath);
        break;
    case cmd::kSelectAll:
        SelectAllRows();
        break;
    case cmd::kFocusFileList:
        FocusFileList();
        break;
    case cmd::kFocusMask:
        maskCombo->setFocus();
        maskCombo->lineEdit()->selectAll();
        break;
    case cmd::kNextTab:
        SelectNextTab();
        break;
    case cmd::kMoveRowsUp:
        MoveRows(true);
        break;
    case cmd::kMoveRowsDown:
        MoveRows(false);
        break;
    case cmd::kSettings:
        RunSettingsDialog();
        break;
    case cmd::kHelp:
        OpenManual(this, services.messageBoxes);
        break;
    case cmd::kExtendedFilter:
        RunExtendedFilter();
        break;
    case cmd::kTextEditor:
        ShowTextEditor();
        break;
    case cmd::kColours:
        RunColoursDialog();
        break;
    case cmd::kAbout:
        RunAboutBox();
        break;
    case cmd::kWideTextBox:
        RunWideTextBox();
        break;
    default:
        break;
    }
    UpdateToolbarState();
}

void CMainDlg::RecomputePreview(bool force) {
    core.RecomputeNewNames(force);
}

void CMainDlg::FolderReloaded() {
    const std::string folder = core.GetCatalogue().GetFolder();
    setWindowTitle(ToQt(FillText("%s - [%s]", {LookupString(strings::kCaptionProgram), folder})));
    pathEdit->setText(ToQt(folder));
    fileList->UpdateSortIndicator();
    UpdateToolbarState();
}

void CMainDlg::UpdateToolbarState() {
    const CFileCatalogue& catalogue = core.GetCatalogue();
    const int historyCount = catalogue.GetHistoryCount();
    const int historyIndex = catalogue.GetHistoryIndex();
    actions.value(cmd::kHistory)->setEnabled(historyCount > 1);
    actions.value(cmd::kBack)->setEnabled(historyIndex > 0);
    actions.value(cmd::kForward)->setEnabled(historyIndex >= 0 && historyIndex < historyCount - 1);
    const bool canUndo = !core.GetUndoOldPaths().empty();
    actions.value(cmd::kUndo)->setEnabled(canUndo);
    actions.value(cmd::kMakeUndoScript)->setEnabled(canUndo);
    undoButton->setEnabled(canUndo);
}

void CMainDlg::GoToTypedPath() {
    const std::string typed = FromQt(pathEdit->text());
    const std::string expanded = platform::ExpandPath(typed);
    if (!expanded.empty() && platform::IsExistingFolder(expanded) &&
        core.GetCatalogue().SetFolder(expanded, false)) {
        FocusFileList();
        return;
    }
    services.messageBoxes.ShowInformation(
        this, FillText(LookupString(strings::kNotAValidPath), {typed}), std::string(), 64);
}

void CMainDlg::ApplyMaskText(const QString& text) {
    core.GetCatalogue().SetMask(FromQt(text));
}

void CMainDlg::LoadOptionsFile() {
    const QString path = services.fileDialogs.ChooseOpenFile(
        this, UiText(strings::kTitleLoadOptions),
        CFileDialogs::QtFilter(LookupString(strings::kFilterIniFiles)));
    if (path.isEmpty()) {
        return;
    }
    LoadOptionsWithWarning(FromQt(path));
}

void CMainDlg::LoadOptionsWithWarning(const std::string& path) {
    // A file that cannot be read is a warning naming it (the core shows it
    // through this window) and the rules stay as they were.
    int error = 0;
    core.LoadOptions(path, error);
}

void CMainDlg::SaveOptionsFile() {
    const QString path = services.fileDialogs.ChooseSaveFile(
        this, UiText(strings::kTitleSaveOptions),
        CFileDialogs::QtFilter(LookupString(strings::kFilterIniFiles)),
        QStringLiteral("NROptions.ini"));
    if (path.isEmpty()) {
        return;
    }
    int error = 0;
    if (!core.SaveOptions(FromQt(path), error)) {
        services.messageBoxes.ShowWarning(
            this,
            FillText(LookupString(strings::kCannotCreateOptionsFile), {FromQt(path)}) + "\n" +
                FormatSystemError(error),
            std::string(), 48);
    }
}

void CMainDlg::SelectAllRows() {
    if (QApplication::focusWidget() != fileList) {
        return;
    }
    fileList->selectAll();
}

void CMainDlg::MoveRows(bool up) {
    if (QApplication::focusWidget() != fileList) {
        return;
    }
    core.GetCatalogue().MoveSelectedRows(up);
    fileList->UpdateSortIndicator();
}

void CMainDlg::SelectNextTab() {
    tabs->setCurrentIndex((tabs->currentIndex() + 1) % tabs->count());
    ShowTabPage(tabs->currentIndex());
}

void CMainDlg::ShowTabPage(int index) {
    QWidget* page = tabs->widget(index);
    if (page == nullptr) {
        return;
    }
    // The page's first control takes the focus: "Vervang door de tekst" or
    // "Geen wijzigingen".
    const QString first = index == 2 ? QStringLiteral("positionNone") : QStringLiteral("replaceWithOn");
    if (auto* target = page->findChild<QWidget*>(first); target != nullptr) {
        target->setFocus();
    } else {
        page->setFocus();
    }
}

void CMainDlg::FocusFileList() {
    fileList->setFocus();
}
