// SPDX-License-Identifier: GPL-3.0-or-later
// The core's front end: its messages, error list and save dialogs, its
// notices of rows, selection, preview, options and undo reaching the models
// and the command states, and the progress of its work.

#include "ui/MainDlg.h"

#include "app/MessageBoxes.h"
#include "resources/StringTable.h"
#include "ui/FileDialogs.h"
#include "ui/FileListModel.h"
#include "ui/AutonumberTab.h"
#include "ui/ComputationSlicer.h"
#include "ui/ExtensionTab.h"
#include "ui/FilenameTab.h"
#include "ui/ListingDelay.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/PreviewList.h"
#include "ui/PreviewModel.h"
#include "ui/ProgressTextDlg.h"
#include "ui/QtText.h"
#include "ui/RenameErrorsDlg.h"
#include "ui/TextEditorDlg.h"
#include "ui/WorkProgress.h"

#include <QAction>
#include <QScopeGuard>
#include <QHeaderView>
#include <QSignalBlocker>

#include <algorithm>

int CMainDlg::ShowMessage(MessageKind kind, const std::string& text, int style) {
    ++modalDepth;
    const auto closed = qScopeGuard([this] { --modalDepth; });
    const std::string caption(LookupString(strings::kCaptionProgram));
    const auto boxStyle = static_cast<unsigned>(style);
    switch (kind) {
    case MessageKind::Warning:
        return services.messageBoxes.ShowWarning(this, text, caption, boxStyle);
    case MessageKind::Question:
        return services.messageBoxes.AskQuestion(this, text, caption, boxStyle);
    case MessageKind::Information:
        return services.messageBoxes.ShowInformation(this, text, caption, boxStyle);
    case MessageKind::Error:
        return services.messageBoxes.ShowError(this, text, caption, boxStyle);
    }
    return msgbox::kOk;
}

void CMainDlg::ShowErrorList(const std::vector<CRenameFailure>& failures) {
    ++modalDepth;
    const auto closed = qScopeGuard([this] { --modalDepth; });
    CRenameErrorsDlg dialog(failures, this);
    RunModal(dialog);
}

std::string CMainDlg::ChooseSaveFile(SaveFileKind kind) {
    ++modalDepth;
    const auto closed = qScopeGuard([this] { --modalDepth; });
    // Scripts: the shell form first; a name ending in .bat gets the Windows
    // form.
    const QString scripts = Window::tr("Shell-scripts (*.sh)") + QStringLiteral(";;") +
                            CFileDialogs::QtFilter(LookupString(strings::kFilterBatchFiles));
    QString path;
    switch (kind) {
    case SaveFileKind::RenameScript:
        path = services.fileDialogs.ChooseSaveFile(this, UiText(cmd::kMakeRenameScript), scripts,
                                                   QStringLiteral("renbatch.sh"));
        break;
    case SaveFileKind::UndoScript:
        path = services.fileDialogs.ChooseSaveFile(this, UiText(cmd::kMakeUndoScript), scripts,
                                                   QStringLiteral("undo.sh"));
        break;
    case SaveFileKind::PreviewListing:
        path = services.fileDialogs.ChooseSaveFile(
            this, UiText(strings::kTitleSavePreview), CFileDialogs::QtFilter(LookupString(strings::kFilterTextFiles)),
            QStringLiteral("preview.txt"));
        break;
    }
    return FromQt(path);
}

void CMainDlg::OnRowsAboutToChange() {
    ++rowsDepth;
    fileModel->BeginRowsChange();
}

void CMainDlg::OnRowsChanged() {
    fileModel->EndRowsChange();
    if (--rowsDepth == 0 && started) {
        FolderReloaded();
    }
}

void CMainDlg::OnRowsAboutToReorder() {
    ++rowsDepth;
    fileModel->BeginRowsReorder();
}

void CMainDlg::OnRowsReordered(const std::vector<uint32_t>& sources) {
    fileModel->EndRowsReorder(sources);
    if (--rowsDepth == 0 && started) {
        FolderReloaded();
    }
}

void CMainDlg::OnSelectionChanged(int /*row*/) {
    // A selection the core made (after a rename by hand, say) reaches the
    // view; one the view made is already there.
    fileList->SyncSelectionFromCatalogue();
    if (!core.GetOptions().renameOnlySelected && core.IsAutoPreview()) {
        previewList->MirrorSelection(core.GetCatalogue());
    }
    UpdateToolbarState();
}

void CMainDlg::OnPreviewAboutToChange() {
    previewModel->BeginPreviewChange();
}

void CMainDlg::OnPreviewChanged() {
    previewModel->EndPreviewChange();
}

void CMainDlg::OpenProgress(const std::string& text, bool cancelAllowed, int range,
                            int position) {
    workProgress->OpenBar(ToQt(text), cancelAllowed, range, position);
    workProgress->Poll();
}

void CMainDlg::SetProgress(int position) {
    workProgress->SetBarPosition(position);
    workProgress->Poll();
}

bool CMainDlg::IsProgressCancelled() {
    workProgress->Poll();
    return workProgress->IsBarCancelled();
}

void CMainDlg::CloseProgress() {
    workProgress->CloseBar();
}

void CMainDlg::OnRefreshStarted() {
    // A recursive listing shows its progress from the start.
    if (started && core.GetCatalogue().GetRecursive()) {
        workProgress->OpenText();
        workProgress->Poll();
    }
}

void CMainDlg::OnPatternStarted(const std::string& pattern) {
    // Ignored by the dialog once the listing is cancelled.
    if (workProgress->IsTextOpen()) {
        workProgress->GetTextDialog()->SetPatternText(ToQt(pattern));
    }
}

void CMainDlg::OnFolderEntered(const std::string& folder, bool& cancelled) {
    if (!workProgress->IsTextOpen()) {
        return;
    }
    WaitListingDelay();
    workProgress->Poll();
    cancelled = workProgress->IsTextCancelled();
    if (!cancelled) {
        workProgress->ShowText(ToQt(folder));
    }
}

void CMainDlg::OnRefreshEnded(bool cancelled) {
    workProgress->CloseText();
    if (cancelled && core.GetCatalogue().GetRecursive()) {
        // A cancelled recursive listing leaves recursive mode.
        QAction* recursive = actions.value(cmd::kRecursive);
        QSignalBlocker block(recursive);
        recursive->setChecked(false);
        core.GetCatalogue().SetRecursive(false);
    }
}

void CMainDlg::OnOptionsChanged() {
    filenameTab->ShowValues();
    filenameTab->RefreshEnabling();
    extensionTab->ShowValues();
    extensionTab->RefreshEnabling();
    autonumberTab->ShowValues();
    RecomputePreview(false);
    UpdateToolbarState();
}

void CMainDlg::OnUndoStateChanged() {
    UpdateToolbarState();
}

bool CMainDlg::GetEditorLine(int index, std::string& line) {
    return textEditor != nullptr && textEditor->GetLine(index, line);
}

void CMainDlg::RequestComputationTime() {
    if (slicer != nullptr) {
        slicer->Request();
    }
}

bool CMainDlg::GetVisibleRows(int& first, int& last) {
    if (previewList == nullptr) {
        return false;
    }
    // The rows from the top one down to what the viewport's height holds;
    // a row or two more is harmless.
    const int rowHeight = std::max(1, previewList->verticalHeader()->defaultSectionSize());
    first = std::max(previewList->rowAt(0), 0);
    last = first + previewList->viewport()->height() / rowHeight + 1;
    return true;
}
