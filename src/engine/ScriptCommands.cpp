// SPDX-License-Identifier: GPL-3.0-or-later
// The script commands of CRenameCore: the rename script, the undo script
// and the listing of the preview.
#include "engine/RenameCore.h"

#include "engine/CoreCatalogue.h"
#include "engine/RenameCoreHelpers.h"
#include "engine/RenameScripts.h"
#include "platform/OutputFile.h"
#include "resources/StringTable.h"

using corehelp::Text;

void CRenameCore::ShowCannotCreate(const std::string& path, int error) {
    if (batchMode) {
        return;
    }
    frontEnd->ShowMessage(MessageKind::Information,
                          FillText(LookupString(strings::kCannotCreateBatchFile), {path}) + "\n\n" +
                              FormatSystemError(error),
                          msgbox::kInformationIcon);
}

bool CRenameCore::WriteRenameScript(const std::string& chosenPath) {
    ComputeNewNames(true);
    if (state.previewCancelled) {
        return false;
    }
    std::vector<CRenamePair> pairs = CollectRenamePairs(true);
    if (pairs.empty()) {
        frontEnd->ShowMessage(MessageKind::Information, Text(strings::kNothingToRenameForScript),
                              msgbox::kInformationIcon);
        return false;
    }
    const std::string path =
        chosenPath.empty() ? frontEnd->ChooseSaveFile(SaveFileKind::RenameScript) : chosenPath;
    if (path.empty()) {
        return false;
    }
    CScriptWriter writer;
    int error = 0;
    bool ok = writer.Create(path, error);
    if (ok) {
        for (const CRenamePair& pair : pairs) {
            writer.Add(pair.oldPath, pair.newPath);
        }
        ok = writer.Finish(error);
    }
    if (!ok) {
        ShowCannotCreate(path, error);
        return false;
    }
    frontEnd->ShowMessage(MessageKind::Information, Text(strings::kRenameScriptSaved),
                          msgbox::kInformationIcon);
    return true;
}

bool CRenameCore::WriteUndoScriptFile(const std::string& path, int& error) const {
    CScriptWriter writer;
    if (!writer.Create(path, error)) {
        return false;
    }
    // The last move first, as the undo itself runs.
    for (std::size_t i = undoNewPaths.size(); i-- > 0;) {
        writer.Add(undoNewPaths[i], undoOldPaths[i]);
    }
    return writer.Finish(error);
}

bool CRenameCore::WriteUndoScript(const std::string& chosenPath) {
    if (undoNewPaths.empty()) {
        if (!batchMode) {
            frontEnd->ShowMessage(MessageKind::Error, Text(strings::kNothingToUndo),
                                  msgbox::kErrorIcon);
        }
        return false;
    }
    const std::string path =
        chosenPath.empty() ? frontEnd->ChooseSaveFile(SaveFileKind::UndoScript) : chosenPath;
    if (path.empty()) {
        return false;
    }
    int error = 0;
    if (!WriteUndoScriptFile(path, error)) {
        ShowCannotCreate(path, error);
        return false;
    }
    return true;
}

bool CRenameCore::SavePreviewListing(const std::string& chosenPath) {
    ComputeNewNames(true);
    const std::string path =
        chosenPath.empty() ? frontEnd->ChooseSaveFile(SaveFileKind::PreviewListing) : chosenPath;
    if (path.empty()) {
        return false;
    }
    platform::COutputFile file;
    int error = 0;
    bool ok = file.Create(path, false, error);
    if (ok) {
        std::string scratch;
        for (std::size_t row = 0; row < previewTexts.GetRowCount(); ++row) {
            file.Write(previewTexts.View(row, scratch));
            file.Write("\r\n");
        }
        ok = file.Close(error);
    }
    if (!ok) {
        ShowCannotCreate(path, error);
        return false;
    }
    frontEnd->ShowMessage(MessageKind::Information, Text(strings::kPreviewListingSaved),
                          msgbox::kInformationIcon);
    return true;
}
