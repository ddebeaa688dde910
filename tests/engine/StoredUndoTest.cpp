// SPDX-License-Identifier: GPL-3.0-or-later
// The undo kept across runs: a rename of the window writes its journal to
// the kept path while the files move, and a new core (a restarted program)
// reads it back and undoes the rename; what someone else moved since is
// reported and skipped, and nothing is overwritten.
#include "engine/RenameCore.h"
#include "engine/UndoJournalReader.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"
#include "support/FileSizeLimit.h"
#include "support/MoveHookGuard.h"
#include "support/RecordingFrontEnd.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using Disk = std::map<std::string, std::string>;

class StoredUndoTest : public ::testing::Test {
protected:
    CTempFolder folder;
    CTempFolder state;
    CRecordingFrontEnd frontEnd;
    std::unique_ptr<CRenameCore> core;

    std::string KeptPath() const { return state / "deep/NorvikRename/undo.sh"; }

    void SetUp() override { Start(); }

    /// A new core, as a program start makes one, with the kept path.
    void Start() {
        core = std::make_unique<CRenameCore>(&frontEnd);
        core->GetCatalogue().AddColumn("Bestand", ColumnKind::FileName, 200, ColumnAlignment::Left);
        core->GetOptions().renameOnlySelected = false;
        core->GetSwitches().uncheckAllAfterRenaming = false;
        core->SetUndoStorePath(KeptPath());
    }
    void MakeFiles(const Names& names) {
        for (const std::string& name : names) {
            folder.WriteFile(name, "content of " + name);
        }
    }
    /// Lists the folder with every file given the name of its editor line.
    void RenameTo(const Names& newNames) {
        frontEnd.NameByEditorLines(core->GetOptions(), newNames);
        ASSERT_TRUE(core->GetCatalogue().SetFolder(folder.Path(), true));
        core->GetCatalogue().Refresh();
    }
    Disk OnDisk() const {
        Disk files;
        for (const auto& item : fs::directory_iterator(folder.Path())) {
            files[item.path().filename().string()] = ReadWholeFile(item.path().string());
        }
        return files;
    }
    static Disk Original(const Names& names) {
        Disk files;
        for (const std::string& name : names) {
            files[name] = "content of " + name;
        }
        return files;
    }
};

TEST_F(StoredUndoTest, ARestartUndoesTheLastRenameAndRemovesTheJournal) {
    const Names names = {"a", "b", "c"};
    MakeFiles(names);
    RenameTo({"x", "y", "z"});
    ASSERT_EQ(core->RenameFiles(), 0);
    ASSERT_TRUE(fs::exists(KeptPath()));
    // The folder is the user's own.
    struct stat info {};
    ASSERT_EQ(stat((state / "deep/NorvikRename").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    const Names undoOld = core->GetUndoOldPaths();
    const Names undoNew = core->GetUndoNewPaths();

    Start();
    EXPECT_TRUE(core->GetUndoOldPaths().empty());
    frontEnd.undoNotices = 0;
    ASSERT_TRUE(core->LoadStoredUndo());
    EXPECT_EQ(frontEnd.undoNotices, 1);
    EXPECT_EQ(core->GetUndoOldPaths(), undoOld);
    EXPECT_EQ(core->GetUndoNewPaths(), undoNew);
    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Original(names));
    EXPECT_FALSE(fs::exists(KeptPath()));

    // Nothing is kept any more.
    Start();
    EXPECT_FALSE(core->LoadStoredUndo());
    EXPECT_TRUE(core->GetUndoOldPaths().empty());
}

TEST_F(StoredUndoTest, WithoutAKeptPathNothingIsWritten) {
    MakeFiles({"a"});
    core->SetUndoStorePath("");
    RenameTo({"x"});
    ASSERT_EQ(core->RenameFiles(), 0);
    EXPECT_FALSE(fs::exists(state / "deep"));
    EXPECT_FALSE(core->LoadStoredUndo());
}

TEST_F(StoredUndoTest, ANewRenameReplacesTheJournalAndOneThatMovesNothingKeepsIt) {
    MakeFiles({"a", "b"});
    RenameTo({"x", "y"});
    ASSERT_EQ(core->RenameFiles(), 0);
    RenameTo({"p", "q"});
    ASSERT_EQ(core->RenameFiles(), 0);
    const std::string second = ReadWholeFile(KeptPath());
    // Every move fails: the journal of the second rename stays.
    RenameTo({"m", "n"});
    {
        CMoveHookGuard guard([](const std::string&, const std::string&) { return EACCES; });
        EXPECT_EQ(core->RenameFiles(), 2);
    }
    EXPECT_EQ(ReadWholeFile(KeptPath()), second);
    // No temporary journal is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(state / "deep/NorvikRename"),
                            fs::directory_iterator{}),
              1);

    Start();
    ASSERT_TRUE(core->LoadStoredUndo());
    EXPECT_EQ(core->GetUndoOldPaths(), Names({folder / "x", folder / "y"}));
    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnDisk(), (Disk{{"x", "content of a"}, {"y", "content of b"}}));
}

TEST_F(StoredUndoTest, FilesMovedByOthersAreReportedAndSkippedAndNothingIsOverwritten) {
    const Names names = {"a", "b", "c", "d"};
    MakeFiles(names);
    RenameTo({"w", "x", "y", "z"});
    ASSERT_EQ(core->RenameFiles(), 0);
    // Since then: x was removed, y moved elsewhere, and a new file took c.
    fs::remove(folder / "x");
    fs::rename(folder / "y", folder / "moved-y");
    folder.WriteFile("c", "someone else's");

    Start();
    ASSERT_TRUE(core->LoadStoredUndo());
    frontEnd.errorLists.clear();
    EXPECT_EQ(core->UndoRename(), 2);
    ASSERT_EQ(frontEnd.errorLists.size(), 1u);
    const std::vector<CRenameFailure>& failures = frontEnd.errorLists[0];
    ASSERT_EQ(failures.size(), 2u);
    // The last move first: y -> c finds c taken, x -> b finds no x.
    EXPECT_EQ(failures[0].fromPath, folder / "y");
    EXPECT_EQ(failures[0].code, ENOENT);
    EXPECT_EQ(failures[1].fromPath, folder / "x");
    EXPECT_EQ(failures[1].code, ENOENT);
    EXPECT_EQ(OnDisk(), (Disk{{"a", "content of a"},
                              {"c", "someone else's"},
                              {"d", "content of d"},
                              {"moved-y", "content of c"}}));
    // The skipped ones stay, in the journal too, for an Undo once they are back.
    EXPECT_EQ(core->GetUndoNewPaths(), Names({folder / "x", folder / "y"}));
    Start();
    EXPECT_FALSE(core->LoadStoredUndo());
    fs::rename(folder / "moved-y", folder / "y");
    ASSERT_TRUE(core->LoadStoredUndo());
    frontEnd.errorLists.clear();
    EXPECT_EQ(core->UndoRename(), 2);
    ASSERT_EQ(frontEnd.errorLists.size(), 1u);
    EXPECT_EQ(frontEnd.errorLists[0][0].code, EEXIST);
    EXPECT_EQ(ReadWholeFile(folder / "c"), "someone else's");
    EXPECT_EQ(ReadWholeFile(folder / "y"), "content of c");
}

TEST_F(StoredUndoTest, ARenameKilledHalfWayIsUndoneAfterTheRestart) {
    const Names names = {"a", "b", "c", "d", "e", "f"};
    MakeFiles(names);
    RenameTo({"u", "v", "w", "x", "y", "z"});
    // The fourth move is where the program dies: its journal line is out,
    // the move is not made, and no later line or move follows. The moves
    // after it fail here only so that the disk stays as the kill left it.
    std::string journalAtKill;
    int calls = 0;
    {
        CMoveHookGuard guard([&](const std::string&, const std::string&) {
            if (++calls == 4) {
                journalAtKill = ReadWholeFile(KeptPath());
            }
            return calls >= 4 ? EIO : 0;
        });
        core->RenameFiles();
    }
    ASSERT_FALSE(journalAtKill.empty());
    folder.WriteFile("../kill-journal", journalAtKill);
    fs::remove(KeptPath());
    fs::rename(folder / "../kill-journal", KeptPath());
    ASSERT_EQ(OnDisk(), (Disk{{"u", "content of a"},
                              {"v", "content of b"},
                              {"w", "content of c"},
                              {"d", "content of d"},
                              {"e", "content of e"},
                              {"f", "content of f"}}));

    Start();
    ASSERT_TRUE(core->LoadStoredUndo());
    EXPECT_EQ(core->GetUndoOldPaths(), Names({folder / "a", folder / "b", folder / "c"}));
    frontEnd.errorLists.clear();
    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_TRUE(frontEnd.errorLists.empty());
    EXPECT_EQ(OnDisk(), Original(names));
}

TEST_F(StoredUndoTest, SwapsAreUndoneAfterARestartThroughTheirTemporarySteps) {
    const Names names = {"a", "b", "c", "d"};
    MakeFiles(names);
    core->GetSwitches().allowSwapsAndChains = true;
    RenameTo({"b", "c", "a", "e"});
    ASSERT_EQ(core->RenameFiles(), 0);
    ASSERT_EQ(OnDisk(), (Disk{{"a", "content of c"},
                              {"b", "content of a"},
                              {"c", "content of b"},
                              {"e", "content of d"}}));
    Start();
    ASSERT_TRUE(core->LoadStoredUndo());
    EXPECT_EQ(core->GetUndoOldPaths().size(), 5u);
    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Original(names));
}

TEST_F(StoredUndoTest, AJournalWhoseFilesAreAllGoneEnablesNoUndo) {
    MakeFiles({"a", "b"});
    RenameTo({"x", "y"});
    ASSERT_EQ(core->RenameFiles(), 0);
    fs::remove(folder / "x");
    fs::remove(folder / "y");
    Start();
    EXPECT_FALSE(core->LoadStoredUndo());
    EXPECT_TRUE(core->GetUndoOldPaths().empty());
}

TEST_F(StoredUndoTest, AStateFolderThatCannotBeMadeLeavesTheRenameAsItWas) {
    MakeFiles({"a", "b"});
    state.WriteFile("deep", "a file where the folder should be");
    RenameTo({"x", "y"});
    EXPECT_EQ(core->RenameFiles(), 0);
    EXPECT_EQ(OnDisk(), (Disk{{"x", "content of a"}, {"y", "content of b"}}));
    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Original({"a", "b"}));
}

TEST_F(StoredUndoTest, AJournalThatTakesNoMoreLinesStopsTheRenameAndKeepsWhatMoved) {
    Names names;
    Names newNames;
    for (int i = 0; i < 200; ++i) {
        names.push_back("file number " + std::to_string(1000 + i) + " with a long name");
        newNames.push_back("renamed " + names.back());
    }
    MakeFiles(names);
    RenameTo(newNames);
    frontEnd.messages.clear();
    {
        // The disk is full after a few thousand bytes of journal.
        CFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.IsSet());
        core->RenameFiles();
    }
    // The window says why the rename stopped, after its question.
    ASSERT_EQ(frontEnd.messages.size(), 2u);
    const std::string expected = FillText(LookupString(strings::kUndoScriptCannotRecord),
                                          {KeptPath(), FormatSystemError(EFBIG)});
    EXPECT_EQ(frontEnd.messages[1].text, expected);
    const std::size_t moved = core->GetUndoOldPaths().size();
    EXPECT_GT(moved, 0u);
    EXPECT_LT(moved, names.size());

    Start();
    ASSERT_TRUE(core->LoadStoredUndo());
    EXPECT_EQ(core->GetUndoOldPaths().size(), moved);
    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Original(names));
}

TEST_F(StoredUndoTest, AFileThatSomeoneElsePutAtARenamedPathIsNotMovedBack) {
    const Names names = {"a", "b"};
    MakeFiles(names);
    RenameTo({"x", "y"});
    ASSERT_EQ(core->RenameFiles(), 0);
    // The kept journal still runs in sh: the third word of a line is the
    // file's identity, which the script passes over.
    const std::string journal = ReadWholeFile(KeptPath());
    EXPECT_NE(journal.find("nr_undo '" + folder / "x" + "' '" + folder / "a" + "' '"),
              std::string::npos)
        << journal;
    // Since then x was removed and another file took its name; y is ours,
    // written to since.
    fs::remove(folder / "x");
    folder.WriteFile("x", "someone else's");
    folder.WriteFile("y", "content of b, edited");

    Start();
    ASSERT_TRUE(core->LoadStoredUndo());
    frontEnd.errorLists.clear();
    EXPECT_EQ(core->UndoRename(), 1);
    ASSERT_EQ(frontEnd.errorLists.size(), 1u);
    ASSERT_EQ(frontEnd.errorLists[0].size(), 1u);
    EXPECT_EQ(frontEnd.errorLists[0][0].fromPath, folder / "x");
    EXPECT_EQ(frontEnd.errorLists[0][0].code, ENOENT);
    EXPECT_EQ(OnDisk(), (Disk{{"b", "content of b, edited"}, {"x", "someone else's"}}));

    // A journal whose only file is a stranger's enables no Undo.
    Start();
    EXPECT_FALSE(core->LoadStoredUndo());
}

TEST_F(StoredUndoTest, AJournalThatKnowsPathsOnlyIsStillUndone) {
    MakeFiles({"a"});
    state.WriteFile("deep/NorvikRename/undo.sh",
                    "#!/bin/sh\nnr_undo '" + folder / "a" + "' '" + folder / "old" + "'\nnr_run\n");
    ASSERT_TRUE(core->LoadStoredUndo());
    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnDisk(), (Disk{{"old", "content of a"}}));
}

TEST(UndoJournalReaderTest, GivesTheIdentityOfEachLineThatHasOne) {
    Names oldPaths;
    Names newPaths;
    Names identities;
    ParseUndoJournal("nr_undo '/f/new' '/f/old' '2049:12:7.000000000/5:1.000000000'\n"
                     "nr_undo '/f/plain' '/f/before'\n"
                     "nr_undo '/f/gone' '/f/back' '1:2:3:4.5'\n"
                     "nr_skip\n"
                     "nr_undo '/f/bad' '/f/line' 'no end\n",
                     oldPaths, newPaths, &identities);
    EXPECT_EQ(oldPaths, Names({"/f/old", "/f/before"}));
    EXPECT_EQ(newPaths, Names({"/f/new", "/f/plain"}));
    EXPECT_EQ(identities, Names({"2049:12:7.000000000/5:1.000000000", ""}));
}

TEST(UndoJournalReaderTest, ReadsQuotedPathsAndSkipsTheMovesTakenBack) {
    Names oldPaths;
    Names newPaths;
    ParseUndoJournal("#!/bin/sh\n"
                     "nr_undo() {\n"
                     "    nr_count=$((nr_count + 1))\n"
                     "}\n"
                     "nr_skip() {\n"
                     "}\n"
                     "nr_undo '/f/new a' '/f/old a'\n"
                     "nr_undo '/f/it'\\''s' '/f/line\nbreak'\n"
                     "nr_undo '/f/failed' '/f/x'\n"
                     "nr_skip\n"
                     "nr_undo '/f/cut short' '/f/no end\n"
                     "\n\n\n",
                     oldPaths, newPaths);
    EXPECT_EQ(oldPaths, Names({"/f/old a", "/f/line\nbreak"}));
    EXPECT_EQ(newPaths, Names({"/f/new a", "/f/it's"}));
}

} // namespace
