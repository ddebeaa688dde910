// SPDX-License-Identifier: GPL-3.0-or-later
// The moves of a batch run on a core in this process: a run that writes no
// undo script keeps no undo lists and says exactly what a run with one
// says; a move that fails on the way leaves the others made and recorded;
// the files of several folders move with their full paths.
#include "app/BatchRun.h"

#include "app/RenameApp.h"
#include "engine/RenameCore.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"
#include "support/MoveHookGuard.h"
#include "support/RecordingFrontEnd.h"
#include "support/RenameCoreFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Names = CRenameCoreFixture::Names;

class BatchMovesTest : public CRenameCoreFixture {
protected:
    void SetUp() override {
        CRenameCoreFixture::SetUp();
        core.SetBatchMode(true);
        NameRules().insertBeforeOn = true;
        NameRules().insertBeforeText = "x";
    }

    /// One batch run over the folder as it is now: the console lines.
    Names RunBatch(const std::string& undoFile) {
        frontEnd.consoleLines.clear();
        // As the program sets it: the undo lists serve the undo script only.
        core.SetUndoListsKept(!undoFile.empty());
        Open();
        status = CBatchRun(core).Run(folder.Path(), undoFile, "0");
        return frontEnd.consoleLines;
    }
    /// Runs the undo script; true when the shell ended well.
    static bool RunScript(const std::string& script) {
        const std::string command = "/bin/sh '" + script + "' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }
    static Names Plus(Names lines, const Names& more) {
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    }
    std::string Moved(const std::string& from, const std::string& to) const {
        return "OK: [" + (folder / from) + "] -> [" + to + "]";
    }

    int status = -1;
};

TEST_F(BatchMovesTest, WithoutAnUndoScriptTheConsoleIsTheSameAndNoUndoListsAreKept) {
    const CTempFolder elsewhere;
    const std::string undo = elsewhere / "undo.sh";
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        folder.WriteFile(name, name);
    }
    folder.WriteFile("xb.txt", "taken");
    core.GetCatalogue().SetMask("?.txt");

    const Names without = RunBatch("");
    EXPECT_EQ(status, kExitRenameFailed);
    const Names expected = {
        "",
        Moved("a.txt", "xa.txt"),
        "ERR: [" + (folder / "b.txt") + "] -> [xb.txt]",
        Moved("c.txt", "xc.txt"),
        FillText(LookupString(strings::kRenameFailureReport),
                 {folder / "b.txt", folder / "xb.txt", FormatSystemError(EEXIST)}),
    };
    EXPECT_EQ(without, expected);
    EXPECT_TRUE(core.GetUndoOldPaths().empty());
    EXPECT_TRUE(core.GetUndoNewPaths().empty());
    EXPECT_EQ(OnDisk(), Names({"b.txt", "xa.txt", "xb.txt", "xc.txt"}));

    // The same names again, now with an undo script.
    fs::rename(folder / "xa.txt", folder / "a.txt");
    fs::rename(folder / "xc.txt", folder / "c.txt");
    const Names with = RunBatch(undo);
    EXPECT_EQ(status, kExitRenameFailed);
    EXPECT_EQ(with,
              Plus(expected, {"", FillText(LookupString(strings::kUndoScriptCreated), {undo})}));
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "a.txt", folder / "c.txt"}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "xa.txt", folder / "xc.txt"}));
    ASSERT_TRUE(RunScript(undo));
    EXPECT_EQ(OnDisk(), Names({"a.txt", "b.txt", "c.txt", "xb.txt"}));
    EXPECT_EQ(Content("a.txt"), "a.txt");
    EXPECT_EQ(Content("c.txt"), "c.txt");
}

TEST_F(BatchMovesTest, AMoveThatFailsHalfWayLeavesTheOthersMadeAndRecorded) {
    const CTempFolder elsewhere;
    const std::string undo = elsewhere / "undo.sh";
    for (int i = 1; i <= 5; ++i) {
        folder.WriteFile("f" + std::to_string(i), std::to_string(i));
    }
    CMoveHookGuard guard([&](const std::string& from, const std::string&) {
        return from == folder / "f3" ? EACCES : 0;
    });
    const Names expected = {
        "",
        Moved("f1", "xf1"),
        Moved("f2", "xf2"),
        "ERR: [" + (folder / "f3") + "] -> [xf3]",
        Moved("f4", "xf4"),
        Moved("f5", "xf5"),
        FillText(LookupString(strings::kRenameFailureReport),
                 {folder / "f3", folder / "xf3", FormatSystemError(EACCES)}),
    };

    EXPECT_EQ(RunBatch(undo),
              Plus(expected, {"", FillText(LookupString(strings::kUndoScriptCreated), {undo})}));
    EXPECT_EQ(status, kExitRenameFailed);
    EXPECT_EQ(core.GetRenamedCount(), 4);
    EXPECT_EQ(core.GetUndoOldPaths(),
              Names({folder / "f1", folder / "f2", folder / "f4", folder / "f5"}));
    EXPECT_EQ(core.GetUndoNewPaths(),
              Names({folder / "xf1", folder / "xf2", folder / "xf4", folder / "xf5"}));
    EXPECT_EQ(OnDisk(), Names({"f3", "xf1", "xf2", "xf4", "xf5"}));
    ASSERT_TRUE(RunScript(undo));
    EXPECT_EQ(OnDisk(), Names({"f1", "f2", "f3", "f4", "f5"}));
    EXPECT_EQ(Content("f4"), "4");

    // Without the script the same moves are made and told the same way.
    EXPECT_EQ(RunBatch(""), expected);
    EXPECT_EQ(core.GetRenamedCount(), 4);
    EXPECT_TRUE(core.GetUndoOldPaths().empty());
    EXPECT_EQ(OnDisk(), Names({"f3", "xf1", "xf2", "xf4", "xf5"}));
}

TEST_F(BatchMovesTest, TheFilesOfSeveralFoldersMoveWithTheirOwnFolders) {
    const CTempFolder elsewhere;
    const std::string undo = elsewhere / "undo.sh";
    folder.WriteFile("a.jpg", "a");
    folder.WriteFile("sub/a.jpg", "sub a");
    folder.WriteFile("sub/b.jpg", "sub b");
    folder.WriteFile("sub/deeper/c.jpg", "deeper c");
    core.GetCatalogue().SetMask("*.jpg");
    core.GetCatalogue().SetRecursive(true);
    const Names expected = {
        "",
        Moved("a.jpg", "xa.jpg"),
        Moved("sub/a.jpg", "xa.jpg"),
        Moved("sub/b.jpg", "xb.jpg"),
        Moved("sub/deeper/c.jpg", "xc.jpg"),
    };

    EXPECT_EQ(RunBatch(""), expected);
    EXPECT_EQ(status, kExitSuccess);
    EXPECT_EQ(OnDisk("/sub"), Names({"deeper", "xa.jpg", "xb.jpg"}));
    EXPECT_EQ(Content("sub/deeper/xc.jpg"), "deeper c");

    for (const char* name : {"a.jpg", "sub/a.jpg", "sub/b.jpg", "sub/deeper/c.jpg"}) {
        const fs::path path = fs::path(folder.Path()) / name;
        fs::rename(path.parent_path() / ("x" + path.filename().string()), path);
    }
    EXPECT_EQ(RunBatch(undo),
              Plus(expected, {"", FillText(LookupString(strings::kUndoScriptCreated), {undo})}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "xa.jpg", folder / "sub/xa.jpg",
                                             folder / "sub/xb.jpg", folder / "sub/deeper/xc.jpg"}));
    ASSERT_TRUE(RunScript(undo));
    EXPECT_EQ(OnDisk("/sub"), Names({"a.jpg", "b.jpg", "deeper"}));
    EXPECT_EQ(Content("sub/deeper/c.jpg"), "deeper c");
}

TEST_F(BatchMovesTest, ASwapWithoutAnUndoScriptIsToldAsWithOne) {
    const CTempFolder elsewhere;
    const std::string undo = elsewhere / "undo.sh";
    folder.WriteFile("a", "content of a");
    folder.WriteFile("b", "content of b");
    core.GetSwitches().allowSwapsAndChains = true;
    // Every listed file gets the name of its editor line: a and b swap.
    NameRules().insertBeforeOn = false;
    NameRules().replaceWithOn = true;
    NameRules().replaceWithText = "<T>";
    core.GetOptions().extension.replaceWithOn = true;
    core.GetOptions().extension.replaceWithText = "";
    // a steps aside to a temporary name, b takes its place, a ends as b.
    const Names expected = {"", Moved("b", "a"), Moved("a", "b")};

    frontEnd.editorLines = {"b", "a"};
    EXPECT_EQ(RunBatch(""), expected);
    EXPECT_EQ(status, kExitSuccess);
    EXPECT_TRUE(core.GetUndoOldPaths().empty());
    EXPECT_EQ(Content("a"), "content of b");
    EXPECT_EQ(OnDisk(), Names({"a", "b"}));

    frontEnd.editorLines = {"b", "a"};
    EXPECT_EQ(RunBatch(undo),
              Plus(expected, {"", FillText(LookupString(strings::kUndoScriptCreated), {undo})}));
    EXPECT_EQ(Content("a"), "content of a");
    ASSERT_TRUE(RunScript(undo));
    EXPECT_EQ(Content("a"), "content of b");
    EXPECT_EQ(OnDisk(), Names({"a", "b"}));
}

} // namespace
