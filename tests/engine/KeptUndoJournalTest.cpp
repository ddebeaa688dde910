// SPDX-License-Identifier: GPL-3.0-or-later
// The window's kept undo journal on its own: written while a rename moves,
// read back, and rewritten or removed only while it is still its own.
#include "engine/KeptUndoJournal.h"
#include "engine/RenameScripts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

// One rename of from to to, with the kept journal written as the core
// writes it.
void RenameKept(CKeptUndoJournal& kept, const std::string& from, const std::string& to) {
    CUndoJournal* journal = kept.Begin();
    ASSERT_NE(journal, nullptr);
    ASSERT_TRUE(journal->AddMove(from, to));
    std::filesystem::rename(from, to);
    int error = 0;
    ASSERT_TRUE(journal->Commit(error)) << error;
    kept.End(true);
}

TEST(KeptUndoJournalTest, ARenameIsReadBackAndOneThatMovesNothingKeepsIt) {
    CTempFolder folder;
    const std::string a = folder.WriteFile("a.txt");
    const std::string path = folder / "state/undo.sh";
    CKeptUndoJournal kept;
    kept.SetPath(path);
    RenameKept(kept, a, folder / "b.txt");
    ASSERT_NE(kept.Begin(), nullptr);
    kept.End(false);

    CKeptUndoJournal read;
    read.SetPath(path);
    Paths oldPaths;
    Paths newPaths;
    Paths identities;
    ASSERT_TRUE(read.Load(oldPaths, newPaths, identities));
    EXPECT_EQ(oldPaths, Paths{a});
    EXPECT_EQ(newPaths, Paths{folder / "b.txt"});
    // Undone in full: the journal goes.
    read.Update({}, {}, {});
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(read.Load(oldPaths, newPaths, identities));
}

TEST(KeptUndoJournalTest, AJournalThatTookThePathSinceIsLeftAlone) {
    CTempFolder folder;
    const std::string path = folder / "undo.sh";
    CKeptUndoJournal mine;
    mine.SetPath(path);
    RenameKept(mine, folder.WriteFile("a.txt"), folder / "b.txt");
    CKeptUndoJournal other; // another window's
    other.SetPath(path);
    RenameKept(other, folder.WriteFile("c.txt"), folder / "d.txt");
    mine.Update({}, {}, {});
    ASSERT_TRUE(std::filesystem::exists(path));
    Paths oldPaths;
    Paths newPaths;
    Paths identities;
    ASSERT_TRUE(other.Load(oldPaths, newPaths, identities));
    EXPECT_EQ(oldPaths, Paths{folder / "c.txt"});
}

TEST(KeptUndoJournalTest, WithoutAPathOrAStateFolderThereIsNoJournal) {
    CTempFolder folder;
    CKeptUndoJournal none;
    EXPECT_FALSE(none.IsKept());
    Paths oldPaths;
    Paths newPaths;
    Paths identities;
    EXPECT_FALSE(none.Load(oldPaths, newPaths, identities));

    // The state folder would have to be made below a file.
    CKeptUndoJournal blocked;
    blocked.SetPath(folder.WriteFile("file") + "/state/undo.sh");
    EXPECT_EQ(blocked.Begin(), nullptr);
    blocked.End(true);
    EXPECT_FALSE(std::filesystem::exists(folder / "file/state"));
}

} // namespace
