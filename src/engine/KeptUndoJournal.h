// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"

#include <memory>
#include <string>
#include <vector>

class CUndoJournal;

/// The window's undo kept across runs: a journal of the same form as a batch
/// run's undo script, in the program's state folder, written while a rename
/// moves its files, rewritten after an Undo and read back at start. It
/// knows what stood at its path when it last wrote or read it, and leaves
/// alone a journal that took the path since (another window's).
class CKeptUndoJournal {
public:
    CKeptUndoJournal();
    ~CKeptUndoJournal();
    CKeptUndoJournal(const CKeptUndoJournal&) = delete;
    CKeptUndoJournal& operator=(const CKeptUndoJournal&) = delete;

    /// Where the journal is kept; empty (the default): nowhere. Its folder
    /// is made, readable by its owner only, at the first rename.
    void SetPath(const std::string& value) { path = value; }
    const std::string& GetPath() const { return path; }
    bool IsKept() const { return !path.empty(); }

    /// A new journal for the rename about to start, which writes each move
    /// to it before making it; null when it cannot be kept (no state folder,
    /// a full disk), and the rename goes on without one.
    CUndoJournal* Begin();
    /// Ends the journal of Begin: with anyMoved it takes the path (its end
    /// written), otherwise it is dropped and the journal of the rename
    /// before stays.
    void End(bool anyMoved);

    /// After an Undo: the journal holds the moves still to be undone
    /// (removed when there are none), if it is still the one this object
    /// wrote or read. identities is empty or has one entry per move.
    void Update(const std::vector<std::string>& oldPaths, const std::vector<std::string>& newPaths,
                const std::vector<std::string>& identities);
    /// Reads the journal back: true, with its moves, when at least one of
    /// its files is still where the rename left it; false (the lists
    /// untouched) otherwise.
    bool Load(std::vector<std::string>& oldPaths, std::vector<std::string>& newPaths,
              std::vector<std::string>& identities);

private:
    std::string path;
    /// What stood at path when this object last wrote or read it.
    platform::CEntryIdentity identity;
    /// The journal between Begin and End.
    std::unique_ptr<CUndoJournal> open;
};
