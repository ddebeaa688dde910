// The undo of CRenameCore kept across runs: the window's renames write the
// same journal as a batch run's undo script, in the program's state folder,
// and a later run reads it back.
#include "engine/RenameCore.h"

#include "engine/RenameScripts.h"
#include "engine/UndoJournalReader.h"
#include "platform/FileSystem.h"

#include <string_view>
#include <unordered_set>

int CRenameCore::RenameFilesKept() {
    CUndoJournal kept;
    int error = 0;
    const std::string folder = undoStorePath.substr(0, undoStorePath.rfind('/') + 1);
    // A journal that cannot be kept (no state folder, a full disk) leaves
    // the rename as it is without one: the undo lists still hold it.
    const bool open = (folder.empty() || platform::MakePrivateFolders(folder, error)) &&
                      kept.Create(undoStorePath, error);
    journalError = 0;
    journal = open ? &kept : nullptr;
    undoStarted = false;
    const int failed = RenameFilesNow();
    journal = nullptr;
    if (!open) {
        return failed;
    }
    if (!undoStarted) {
        // Nothing moved: the journal of the rename before stays.
        kept.Discard();
        return failed;
    }
    // The journal took the path at the first move; Finish writes its end.
    (void)kept.Finish(error);
    if (kept.IsCommitted()) {
        storedUndoIdentity = platform::GetEntryIdentity(undoStorePath);
    } else {
        // Someone else's journal took the path meanwhile: it keeps it.
        kept.Discard();
    }
    return failed;
}

void CRenameCore::UpdateStoredUndo() {
    if (undoStorePath.empty() || batchMode || !storedUndoIdentity.exists ||
        platform::GetEntryIdentity(undoStorePath) != storedUndoIdentity) {
        return;
    }
    int error = 0;
    if (undoOldPaths.empty()) {
        (void)platform::RemoveFile(undoStorePath, error);
        storedUndoIdentity = platform::CEntryIdentity();
        return;
    }
    // What an Undo could not move back stays kept, as the lists keep it.
    CUndoJournal kept;
    if (!kept.Create(undoStorePath, error)) {
        return;
    }
    bool ok = true;
    const bool withIdentities = undoIdentities.size() == undoOldPaths.size();
    for (std::size_t i = 0; ok && i < undoOldPaths.size(); ++i) {
        ok = kept.AddMove(undoOldPaths[i], undoNewPaths[i],
                          withIdentities ? undoIdentities[i] : std::string());
    }
    if (ok && kept.Finish(error)) {
        storedUndoIdentity = platform::GetEntryIdentity(undoStorePath);
    } else {
        kept.Discard();
    }
}

bool CRenameCore::LoadStoredUndo() {
    if (undoStorePath.empty()) {
        return false;
    }
    std::vector<std::string> oldPaths;
    std::vector<std::string> newPaths;
    std::vector<std::string> identities;
    int error = 0;
    if (!ReadUndoJournal(undoStorePath, oldPaths, newPaths, error, &identities) ||
        oldPaths.empty()) {
        return false;
    }
    // Whether the file a move left at path is still there: a journal of an
    // older build knows paths only.
    const auto stillThere = [&identities](std::size_t i, const std::string& path) {
        return platform::PathExists(path) && platform::IsStillTheFile(path, identities[i]);
    };
    // A run killed between a journal line and its move recorded one move it
    // did not make: the last, whose file is still under its old name.
    if (!stillThere(newPaths.size() - 1, newPaths.back()) &&
        platform::PathExists(oldPaths.back())) {
        oldPaths.pop_back();
        newPaths.pop_back();
        identities.pop_back();
        if (oldPaths.empty()) {
            return false;
        }
    }
    // Where the rename left a file: the target of a move that no later move
    // took on (a cycle's temporary name is left again).
    bool anyInPlace = false;
    std::unordered_set<std::string_view> laterSources;
    for (std::size_t i = oldPaths.size(); i-- > 0 && !anyInPlace;) {
        if (laterSources.count(newPaths[i]) == 0 && stillThere(i, newPaths[i])) {
            anyInPlace = true;
        }
        laterSources.insert(oldPaths[i]);
    }
    if (!anyInPlace) {
        return false;
    }
    undoOldPaths = std::move(oldPaths);
    undoNewPaths = std::move(newPaths);
    undoIdentities = std::move(identities);
    storedUndoIdentity = platform::GetEntryIdentity(undoStorePath);
    frontEnd->OnUndoStateChanged();
    return true;
}
