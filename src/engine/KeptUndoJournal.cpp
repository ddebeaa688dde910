// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/KeptUndoJournal.h"

#include "engine/RenameScripts.h"
#include "engine/UndoJournalReader.h"

#include <string_view>
#include <unordered_set>

CKeptUndoJournal::CKeptUndoJournal() = default;

CKeptUndoJournal::~CKeptUndoJournal() = default;

CUndoJournal* CKeptUndoJournal::Begin() {
    open = std::make_unique<CUndoJournal>();
    int error = 0;
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    // A journal that cannot be kept (no state folder, a full disk) leaves
    // the rename as it is without one: the undo lists still hold it.
    if ((!folder.empty() && !platform::MakePrivateFolders(folder, error)) ||
        !open->Create(path, error)) {
        open.reset();
    }
    return open.get();
}

void CKeptUndoJournal::End(bool anyMoved) {
    if (open == nullptr) {
        return;
    }
    if (!anyMoved) {
        // Nothing moved: the journal of the rename before stays.
        open->Discard();
        open.reset();
        return;
    }
    // The journal took the path at the first move; Finish writes its end.
    int error = 0;
    (void)open->Finish(error);
    if (open->IsCommitted()) {
        identity = platform::GetEntryIdentity(path);
    } else {
        // Someone else's journal took the path meanwhile: it keeps it.
        open->Discard();
    }
    open.reset();
}

void CKeptUndoJournal::Update(const std::vector<std::string>& oldPaths,
                              const std::vector<std::string>& newPaths,
                              const std::vector<std::string>& identities) {
    if (path.empty() || !identity.exists || platform::GetEntryIdentity(path) != identity) {
        return;
    }
    int error = 0;
    if (oldPaths.empty()) {
        (void)platform::RemoveFile(path, error);
        identity = platform::CEntryIdentity();
        return;
    }
    // What an Undo could not move back stays kept, as the lists keep it.
    CUndoJournal kept;
    if (!kept.Create(path, error)) {
        return;
    }
    bool ok = true;
    const bool withIdentities = identities.size() == oldPaths.size();
    for (std::size_t i = 0; ok && i < oldPaths.size(); ++i) {
        ok = kept.AddMove(oldPaths[i], newPaths[i], withIdentities ? identities[i] : std::string());
    }
    if (ok && kept.Finish(error)) {
        identity = platform::GetEntryIdentity(path);
    } else {
        kept.Discard();
    }
}

bool CKeptUndoJournal::Load(std::vector<std::string>& oldPaths, std::vector<std::string>& newPaths,
                            std::vector<std::string>& identities) {
    if (path.empty()) {
        return false;
    }
    std::vector<std::string> readOld;
    std::vector<std::string> readNew;
    std::vector<std::string> readIdentities;
    int error = 0;
    if (!ReadUndoJournal(path, readOld, readNew, error, &readIdentities) || readOld.empty()) {
        return false;
    }
    // Whether the file a move left at a path is still there: a journal of
    // an older build knows paths only.
    const auto stillThere = [&readIdentities](std::size_t i, const std::string& at) {
        return platform::PathExists(at) && platform::IsStillTheFile(at, readIdentities[i]);
    };
    // A run killed between a journal line and its move recorded one move it
    // did not make: the last, whose file is still under its old name.
    if (!stillThere(readNew.size() - 1, readNew.back()) && platform::PathExists(readOld.back())) {
        readOld.pop_back();
        readNew.pop_back();
        readIdentities.pop_back();
        if (readOld.empty()) {
            return false;
        }
    }
    // Where the rename left a file: the target of a move that no later move
    // took on (a cycle's temporary name is left again).
    bool anyInPlace = false;
    std::unordered_set<std::string_view> laterSources;
    for (std::size_t i = readOld.size(); i-- > 0 && !anyInPlace;) {
        if (laterSources.count(readNew[i]) == 0 && stillThere(i, readNew[i])) {
            anyInPlace = true;
        }
        laterSources.insert(readOld[i]);
    }
    if (!anyInPlace) {
        return false;
    }
    oldPaths = std::move(readOld);
    newPaths = std::move(readNew);
    identities = std::move(readIdentities);
    identity = platform::GetEntryIdentity(path);
    return true;
}
