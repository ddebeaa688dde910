// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BatchRun.h"

#include "app/RenameApp.h"
#include "engine/RenameCore.h"
#include "engine/RenameScripts.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"

#include <cstdint>

CBatchRun::CBatchRun(CRenameCore& renameCore) : core(renameCore) {}

int CBatchRun::Run(const std::string& path, const std::string& undoFile, const std::string& pause) {
    CRenameFrontEnd& frontEnd = core.GetFrontEnd();
    frontEnd.OpenConsole();
    frontEnd.WriteConsoleLine("");
    int status = kExitSuccess;
    uint32_t attributes = 0;
    if (!core.GetOptionsFailure().empty()) {
        // Renaming with other rules than the ones named would look like
        // success.
        frontEnd.WriteConsoleLine(core.GetOptionsFailure());
        status = kExitInvalidFolder;
    } else if (!path.empty() && platform::GetAttributes(path, attributes) &&
               (attributes & platform::kAttrDirectory) != 0) {
        status = RenameWithUndoScript(undoFile);
    } else {
        frontEnd.WriteConsoleLine(std::string(LookupString(strings::kInvalidAddress)));
        status = kExitInvalidFolder;
    }
    if (pause.empty() || pause == "1") {
        frontEnd.WaitForKey(std::string(LookupString(strings::kPressKeyToStop)));
    }
    frontEnd.ReleaseConsole();
    return status;
}

int CBatchRun::RenameWithUndoScript(const std::string& undoFile) {
    CRenameFrontEnd& frontEnd = core.GetFrontEnd();
    // The undo script is written while the files move: the core hands every
    // move to the journal before it makes it. One that cannot be created
    // goes to the temporary file at the end.
    CUndoJournal undoJournal;
    CUndoJournal* journal = nullptr;
    if (!undoFile.empty()) {
        int error = 0;
        journal = undoJournal.Create(undoFile, error) ? &undoJournal : nullptr;
    }
    const int failed = core.RenameFilesJournalled(journal);
    const int journalError = core.GetJournalError();
    int status = (failed > 0 || journalError != 0) ? kExitRenameFailed : kExitSuccess;
    if (undoFile.empty()) {
        return status;
    }
    if (core.GetRenamedCount() == 0) {
        undoJournal.Discard();
        return status;
    }
    int error = 0;
    if (undoJournal.IsOpen() && journalError == 0 && undoJournal.Finish(error)) {
        frontEnd.WriteConsoleLine("");
        frontEnd.WriteConsoleLine(FillText(LookupString(strings::kUndoScriptCreated), {undoFile}));
        return status;
    }
    // The script is not where it was asked for: not a clean run.
    undoJournal.Discard();
    frontEnd.WriteConsoleLine("");
    frontEnd.WriteConsoleLine(FillText(LookupString(strings::kUndoScriptNotCreated), {undoFile}));
    const std::string tempName = frontEnd.MakeTempFileName();
    if (!tempName.empty() && core.WriteUndoScriptFile(tempName, error)) {
        frontEnd.WriteConsoleLine(
            FillText(LookupString(strings::kTempUndoScriptCreated), {tempName}));
    }
    return kExitRenameFailed;
}
