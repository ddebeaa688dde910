// SPDX-License-Identifier: GPL-3.0-or-later
// The batch run on a core in this process, with a front end that records the
// console: the lines, the exit status and the undo script, also when the
// options file cannot be read, the disk fills up or a file appears at the
// script's path while the files move. (BatchRunTest runs the real program.)
#include "app/BatchRun.h"

#include "app/RenameApp.h"
#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"
#include "support/FullDiskFixture.h"
#include "support/MoveHookGuard.h"
#include "support/RecordingFrontEnd.h"
#include "support/RenameCoreFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Names = CRenameCoreFixture::Names;

/// The core of the engine's tests in batch mode.
class BatchRunCoreTest : public CRenameCoreFixture {
protected:
    void SetUp() override {
        CRenameCoreFixture::SetUp();
        core.SetBatchMode(true);
    }

    int Run(const std::string& path, const std::string& undoFile) {
        return CBatchRun(core).Run(path, undoFile, "0");
    }
    /// Name on disk -> content.
    std::map<std::string, std::string> Disk() const {
        std::map<std::string, std::string> files;
        for (const auto& item : fs::directory_iterator(folder.Path())) {
            if (item.is_regular_file()) {
                files[item.path().filename().string()] = ReadWholeFile(item.path().string());
            }
        }
        return files;
    }
};

TEST_F(BatchRunCoreTest, WritesConsoleLinesAndRenamesEverything) {
    folder.WriteFile("a.txt", "A");
    folder.WriteFile("b.txt", "B");
    folder.WriteFile("xb.txt", "taken");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    core.GetCatalogue().SetMask("?.txt");
    Open();
    // Selection and renameOnlySelected do not count in batch mode.
    core.GetOptions().renameOnlySelected = true;
    core.GetCatalogue().SetRowSelected(0, true);
    core.ComputeNewNames(true);
    EXPECT_EQ(Run(folder.Path(), ""), kExitRenameFailed);
    EXPECT_TRUE(frontEnd.messages.empty());
    const Names expected = {
        "",
        "OK: [" + (folder / "a.txt") + "] -> [xa.txt]",
        "ERR: [" + (folder / "b.txt") + "] -> [xb.txt]",
        FillText(LookupString(strings::kRenameFailureReport),
                 {folder / "b.txt", folder / "xb.txt", FormatSystemError(EEXIST)}),
    };
    EXPECT_EQ(frontEnd.consoleLines, expected);
    EXPECT_EQ(ReadWholeFile(folder / "xb.txt"), "taken");
    // The rules stay as they are in a batch run.
    EXPECT_TRUE(NameRules().insertBeforeOn);
}

TEST_F(BatchRunCoreTest, AMissingFolderIsStatusTwo) {
    EXPECT_EQ(Run(folder / "missing", ""), 2);
    EXPECT_EQ(frontEnd.consoleLines,
              Names({"", std::string(LookupString(strings::kInvalidAddress))}));
    frontEnd.consoleLines.clear();
    const std::string file = folder.WriteFile("plain.txt");
    EXPECT_EQ(Run(file, ""), 2);
}

TEST_F(BatchRunCoreTest, AnOptionsFileThatCannotBeReadRenamesNothing) {
    folder.WriteFile("a.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    const std::string missing = folder / "missing.ini";
    int error = 0;
    EXPECT_FALSE(core.LoadOptions(missing, error));
    EXPECT_EQ(error, ENOENT);
    // No window in a batch run: the console says it.
    EXPECT_TRUE(frontEnd.messages.empty());
    Open();
    EXPECT_EQ(Run(folder.Path(), folder / "undo.sh"), 2);
    EXPECT_EQ(frontEnd.consoleLines,
              Names({"", FillText(LookupString(strings::kCannotReadOptionsFile),
                                  {missing, FormatSystemError(ENOENT)})}));
    EXPECT_EQ(OnDisk(), Names({"a.txt"}));

    // Once a file loads, the run renames.
    const std::string rules = folder.WriteFile("rules.ini", "[Filename]\r\n");
    EXPECT_TRUE(core.LoadOptions(rules, error));
    core.ComputeNewNames(true);
    frontEnd.consoleLines.clear();
    EXPECT_EQ(Run(folder.Path(), ""), 0);
    EXPECT_EQ(OnDisk(), Names({"rules.ini", "xa.txt"}));
}

TEST_F(BatchRunCoreTest, UndoScriptNeverReplacesAFileThatAppearedAtItsPathDuringTheRun) {
    folder.WriteFile("a", "content of a");
    folder.WriteFile("b", "content of b");
    folder.WriteFile("undo.sh", "the script of an earlier run");
    // Every listed file gets the name of its editor line.
    frontEnd.editorLines = {"x", "y"};
    NameRules().replaceWithOn = true;
    NameRules().replaceWithText = "<T>";
    core.GetOptions().extension.replaceWithOn = true;
    core.GetOptions().extension.replaceWithText = "";
    core.GetCatalogue().SetMask("a;b");
    Open();
    ASSERT_EQ(core.GetCatalogue().GetRowCount(), 2);
    // Before the first move, someone moves the older script away and puts
    // a file of their own at its path.
    CMoveHookGuard guard([&](const std::string& from, const std::string&) {
        if (from == folder / "a") {
            fs::rename(folder / "undo.sh", folder / "older.sh");
            folder.WriteFile("undo.sh", "theirs");
        }
        return 0;
    });
    EXPECT_EQ(Run(folder.Path(), folder / "undo.sh"), 1);
    EXPECT_EQ(Disk(),
              (std::map<std::string, std::string>{{"older.sh", "the script of an earlier run"},
                                                  {"undo.sh", "theirs"},
                                                  {"x", "content of a"},
                                                  {"y", "content of b"}}));
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "a", folder / "b"}));
}

/// A batch run whose undo script lies on a disk that fills up.
class BatchRunFullDiskTest : public CFullDiskFixture {};

TEST_F(BatchRunFullDiskTest, BatchRunStopsBeforeAMoveItsUndoScriptCannotRecord) {
    core.SetBatchMode(true);
    core.ComputeNewNames(true);
    frontEnd.tempFile = folder / "NRtemp";
    // The temporary file lies off the small disk, where there is room: the
    // file size limit that stands in for the full disk ends there.
    frontEnd.onMakeTempFileName = [this] { disk.Empty(); };
    const std::string undo = disk / "undo.sh";
    EXPECT_EQ(CBatchRun(core).Run(folder.Path(), undo, "0"), 1);

    // The script took some moves, then no more: the run stopped there.
    const std::size_t moved = core.GetUndoOldPaths().size();
    ASSERT_GT(moved, 0u);
    ASSERT_LT(moved, 400u);
    EXPECT_TRUE(core.GetFailures().empty());
    for (int i = 0; i < 400; ++i) {
        const std::string name = std::to_string(1000 + i) + std::string(200, 'n') + ".txt";
        const bool isMoved = static_cast<std::size_t>(i) < moved;
        EXPECT_EQ(fs::exists(folder / name), !isMoved) << i;
        EXPECT_EQ(fs::exists(folder / ("x" + name)), isMoved) << i;
    }
    ASSERT_EQ(frontEnd.consoleLines.size(), 1 + moved + 4);
    for (std::size_t k = 1; k <= moved; ++k) {
        EXPECT_EQ(frontEnd.consoleLines[k].rfind("OK: [", 0), 0u) << frontEnd.consoleLines[k];
    }
    EXPECT_EQ(frontEnd.consoleLines[1 + moved],
              FillText(LookupString(strings::kUndoScriptCannotRecord),
                       {undo, FormatSystemError(disk.FullError())}));
    EXPECT_EQ(frontEnd.consoleLines[2 + moved], "");
    EXPECT_EQ(frontEnd.consoleLines[3 + moved],
              "Het batch herstelbestand {" + undo + "] KAN NIET WORDEN GEMAAKT");
    EXPECT_EQ(frontEnd.consoleLines[4 + moved].rfind(
                  "Het TEMP bacht herstelbestand [" + frontEnd.tempFile + "]", 0),
              0u)
        << frontEnd.consoleLines[4 + moved];
    EXPECT_FALSE(fs::exists(undo));

    // The fallback script is complete: it moves every moved file back.
    const std::string command = "/bin/sh '" + frontEnd.tempFile + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    for (int i = 0; i < 400; ++i) {
        const std::string name = std::to_string(1000 + i) + std::string(200, 'n') + ".txt";
        EXPECT_EQ(ReadWholeFile(folder / name), std::to_string(i)) << i;
    }
}

} // namespace
