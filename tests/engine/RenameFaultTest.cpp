// SPDX-License-Identifier: GPL-3.0-or-later
// Renames under faults: moves that fail half way, files that vanish or
// appear between the scan and the move, folders renamed by someone else, and
// random permutations of names. In every case no file is lost or
// overwritten, each failure is recorded, and the undo lists hold exactly the
// moves that happened.
#include "engine/RenameCore.h"
#include "platform/FileSystem.h"
#include "support/MoveHookGuard.h"
#include "support/RecordingFrontEnd.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

/// "file10", "file11", ...: count names.
Names NumberedNames(int count) {
    Names names;
    for (int i = 0; i < count; ++i) {
        names.push_back("file" + std::to_string(10 + i));
    }
    return names;
}

/// Name -> content of the files MakeFiles makes of names.
std::map<std::string, std::string> Contents(const Names& names) {
    std::map<std::string, std::string> files;
    for (const std::string& name : names) {
        files[name] = "content of " + name;
    }
    return files;
}

class RenameFaultTest : public ::testing::Test {
protected:
    CTempFolder folder;
    CRecordingFrontEnd frontEnd;
    CRenameCore core{&frontEnd};

    void SetUp() override {
        core.GetCatalogue().AddColumn("Bestand", ColumnKind::FileName, 200, ColumnAlignment::Left);
        core.GetOptions().renameOnlySelected = false;
        core.GetSwitches().askConfirmationBeforeRenaming = false;
        core.GetSwitches().uncheckAllAfterRenaming = false;
    }

    /// Files named by names, each holding its own name.
    void MakeFiles(const Names& names, const std::string& sub = "") {
        for (const std::string& name : names) {
            folder.WriteFile(sub + name, "content of " + name);
        }
    }
    void Open(const std::string& sub = "") {
        ASSERT_TRUE(
            core.GetCatalogue().SetFolder(sub.empty() ? folder.Path() : folder / sub, true));
        core.GetCatalogue().Refresh();
    }
    /// Every listed file gets the name of its editor line.
    void RenameTo(const Names& newNames) {
        frontEnd.NameByEditorLines(core.GetOptions(), newNames);
    }
    Names RowNames() const {
        Names names;
        for (int row = 0; row < core.GetCatalogue().GetRowCount(); ++row) {
            names.push_back(core.GetCatalogue().GetRowEntry(row).LongName());
        }
        return names;
    }
    /// Name on disk -> content, for a folder of the temporary folder.
    std::map<std::string, std::string> Disk(const std::string& sub = "") const {
        std::map<std::string, std::string> files;
        for (const auto& item : fs::directory_iterator(folder.Path() + sub)) {
            if (item.is_regular_file()) {
                files[item.path().filename().string()] = ReadWholeFile(item.path().string());
            }
        }
        return files;
    }
};

TEST_F(RenameFaultTest, MoveFailingHalfWayLeavesExactUndoLists) {
    const Names names = {"a", "b", "c", "d", "e"};
    MakeFiles(names);
    RenameTo({"A1", "B1", "C1", "D1", "E1"});
    Open();
    int calls = 0;
    CMoveHookGuard guard([&](const std::string&, const std::string&) {
        ++calls;
        return calls == 3 ? EIO : 0;
    });
    EXPECT_EQ(core.RenameFiles(), 1);
    ASSERT_EQ(core.GetFailures().size(), 1u);
    EXPECT_EQ(core.GetFailures()[0].code, EIO);
    EXPECT_EQ(core.GetFailures()[0].fromPath, folder / "c");
    EXPECT_EQ(core.GetFailures()[0].text, FormatSystemError(EIO));
    EXPECT_EQ(core.GetUndoOldPaths(),
              Names({folder / "a", folder / "b", folder / "d", folder / "e"}));
    EXPECT_EQ(core.GetUndoNewPaths(),
              Names({folder / "A1", folder / "B1", folder / "D1", folder / "E1"}));
    EXPECT_EQ(Disk().size(), 5u);
    EXPECT_EQ(Disk().at("c"), "content of c");

    calls = 100; // no more faults
    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(Disk(), Contents(names));
}

TEST_F(RenameFaultTest, UndoKeepsExactlyThePairsItCouldNotMoveBack) {
    const Names names = {"a", "b", "c", "d", "e"};
    MakeFiles(names);
    RenameTo({"A1", "B1", "C1", "D1", "E1"});
    Open();
    ASSERT_EQ(core.RenameFiles(), 0);

    // The undo runs the last move first; the moves back of B1 and D1 fail.
    std::set<std::string> failing = {folder / "B1", folder / "D1"};
    CMoveHookGuard guard([&](const std::string& from, const std::string&) {
        return failing.count(from) != 0 ? EIO : 0;
    });
    EXPECT_EQ(core.UndoRename(), 2);
    EXPECT_EQ(frontEnd.errorLists.size(), 1u);
    ASSERT_EQ(core.GetFailures().size(), 2u);
    EXPECT_EQ(core.GetFailures()[0].fromPath, folder / "D1");
    EXPECT_EQ(core.GetFailures()[1].fromPath, folder / "B1");
    // Kept in the order the rename made them.
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "b", folder / "d"}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "B1", folder / "D1"}));
    EXPECT_EQ(Disk(), (std::map<std::string, std::string>{{"B1", "content of b"},
                                                          {"D1", "content of d"},
                                                          {"a", "content of a"},
                                                          {"c", "content of c"},
                                                          {"e", "content of e"}}));

    // One of them still fails: only it stays.
    failing = {folder / "B1"};
    EXPECT_EQ(core.UndoRename(), 1);
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "b"}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "B1"}));

    failing.clear();
    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_TRUE(core.GetUndoOldPaths().empty());
    EXPECT_EQ(Disk(), Contents(names));
}

TEST_F(RenameFaultTest, RenameWhoseEveryMoveFailsKeepsTheUndoOfTheOneBefore) {
    MakeFiles({"a", "b"});
    RenameTo({"x", "y"});
    Open();
    ASSERT_EQ(core.RenameFiles(), 0);
    const Names undoOld = core.GetUndoOldPaths();
    const Names undoNew = core.GetUndoNewPaths();
    ASSERT_EQ(undoOld, Names({folder / "a", folder / "b"}));

    RenameTo({"p", "q"});
    core.ComputeNewNames(true);
    {
        CMoveHookGuard guard([](const std::string&, const std::string&) { return EACCES; });
        EXPECT_EQ(core.RenameFiles(), 2);
    }
    EXPECT_EQ(core.GetUndoOldPaths(), undoOld);
    EXPECT_EQ(core.GetUndoNewPaths(), undoNew);

    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(Disk(),
              (std::map<std::string, std::string>{{"a", "content of a"}, {"b", "content of b"}}));
}

TEST_F(RenameFaultTest, SourceThatVanishedAfterTheScan) {
    MakeFiles({"a", "b"});
    RenameTo({"x", "y"});
    Open();
    fs::remove(folder / "a");
    EXPECT_EQ(core.RenameFiles(), 1);
    EXPECT_EQ(core.GetFailures()[0].code, ENOENT);
    EXPECT_EQ(Disk(), (std::map<std::string, std::string>{{"y", "content of b"}}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "y"}));
}

TEST_F(RenameFaultTest, TargetThatAppearedAfterThePreview) {
    MakeFiles({"a", "b"});
    RenameTo({"x", "y"});
    Open();
    ASSERT_EQ(RowNames(), Names({"a", "b"}));
    // Someone else makes x while the preview is on the screen, and y just
    // before its move.
    folder.WriteFile("x", "theirs");
    CMoveHookGuard guard([&](const std::string& from, const std::string&) {
        if (from == folder / "b") {
            folder.WriteFile("y", "also theirs");
        }
        return 0;
    });
    EXPECT_EQ(core.RenameFiles(), 2);
    EXPECT_EQ(core.GetFailures()[0].code, EEXIST);
    EXPECT_EQ(core.GetFailures()[1].code, EEXIST);
    EXPECT_EQ(
        Disk(),
        (std::map<std::string, std::string>{
            {"a", "content of a"}, {"b", "content of b"}, {"x", "theirs"}, {"y", "also theirs"}}));
    EXPECT_TRUE(core.GetUndoOldPaths().empty());
}

TEST_F(RenameFaultTest, FolderWithoutWritePermission) {
    MakeFiles({"a", "b"});
    RenameTo({"x", "y"});
    Open();
    // Root may write anywhere, so the refusal of a read-only folder is
    // injected as the system would report it.
    CMoveHookGuard guard([](const std::string&, const std::string&) { return EACCES; });
    EXPECT_EQ(core.RenameFiles(), 2);
    for (const CRenameFailure& failure : core.GetFailures()) {
        EXPECT_EQ(failure.code, EACCES);
        EXPECT_EQ(failure.text, FormatSystemError(EACCES));
    }
    EXPECT_EQ(frontEnd.errorLists.size(), 1u);
    EXPECT_EQ(Disk().size(), 2u);
}

// The moves of one folder go through a handle of the folder taken at its
// first move: the files the run listed are renamed wherever their folder
// goes meanwhile, and files of a folder put in its place are never touched.
class FolderMovedMidRunTest : public RenameFaultTest {
protected:
    /// Renames sub/a, b, c to x, y, z; just before the move of b another
    /// program renames sub to elsewhere and then does what meanwhile does.
    int RenameWhileSubMoves(const std::function<void()>& meanwhile) {
        MakeFiles({"a", "b", "c"}, "sub/");
        RenameTo({"x", "y", "z"});
        Open("sub");
        CMoveHookGuard guard([&](const std::string& from, const std::string&) {
            if (from == folder / "sub/b") {
                fs::rename(folder / "sub", folder / "elsewhere");
                meanwhile();
            }
            return 0;
        });
        return core.RenameFiles();
    }
    const std::map<std::string, std::string> renamed = {
        {"x", "content of a"}, {"y", "content of b"}, {"z", "content of c"}};
};

TEST_F(FolderMovedMidRunTest, ItsFilesAreRenamedWhereItWent) {
    EXPECT_EQ(RenameWhileSubMoves([] {}), 0);
    EXPECT_TRUE(core.GetFailures().empty());
    EXPECT_FALSE(fs::exists(folder / "sub"));
    EXPECT_EQ(Disk("elsewhere"), renamed);
    EXPECT_EQ(core.GetUndoOldPaths(),
              Names({folder / "sub/a", folder / "sub/b", folder / "sub/c"}));
}

TEST_F(FolderMovedMidRunTest, AFolderPutInItsPlaceKeepsTheStrangersFiles) {
    EXPECT_EQ(RenameWhileSubMoves([this] {
                  folder.WriteFile("sub/b", "theirs");
                  folder.WriteFile("sub/c", "theirs too");
              }),
              0);
    EXPECT_EQ(Disk("elsewhere"), renamed);
    EXPECT_EQ(Disk("sub"),
              (std::map<std::string, std::string>{{"b", "theirs"}, {"c", "theirs too"}}));
}

// ---------------------------------------------------------------------------
// Permutations

/// What the rename must do, move by move in row order: a move succeeds
/// exactly when its source is still there and its target is not.
std::map<std::string, std::string> Simulate(const Names& oldNames, const Names& newNames,
                                            std::set<std::string>& failedSources) {
    std::map<std::string, std::string> disk = Contents(oldNames);
    for (std::size_t i = 0; i < oldNames.size(); ++i) {
        if (oldNames[i] == newNames[i]) {
            continue;
        }
        if (disk.count(newNames[i]) != 0 || disk.count(oldNames[i]) == 0) {
            failedSources.insert(oldNames[i]);
            continue;
        }
        disk[newNames[i]] = disk[oldNames[i]];
        disk.erase(oldNames[i]);
    }
    return disk;
}

TEST_F(RenameFaultTest, RandomPermutationsLoseNothing) {
    std::mt19937 random(20261208);
    constexpr int kRounds = 60;
    int failuresSeen = 0;
    int movesSeen = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string sub = "r" + std::to_string(round) + "/";
        const int count = 2 + static_cast<int>(random() % 12);
        const Names oldNames = NumberedNames(count);
        Names newNames = oldNames;
        switch (round % 4) {
        case 0: // a random permutation of the same names
            std::shuffle(newNames.begin(), newNames.end(), random);
            break;
        case 1: // a shift: file10 -> file11 -> file12 ...
            for (int i = 0; i < count; ++i) {
                newNames[static_cast<std::size_t>(i)] = "file" + std::to_string(11 + i);
            }
            break;
        case 2: // 3-cycles and swaps among neighbours
            for (int i = 0; i + 2 < count; i += 3) {
                std::rotate(newNames.begin() + i, newNames.begin() + i + 1,
                            newNames.begin() + i + 3);
            }
            break;
        case 3: // many to one, and some to fresh names
            for (auto& name : newNames) {
                const unsigned pick = random() % 4;
                name = pick == 0   ? "same"
                       : pick == 1 ? "fresh" + std::to_string(random() % 1000)
                                   : oldNames[random() % oldNames.size()];
            }
            break;
        }
        MakeFiles(oldNames, sub);
        RenameTo(newNames);
        Open(sub.substr(0, sub.size() - 1));
        ASSERT_EQ(RowNames(), oldNames);

        std::set<std::string> expectedFailed;
        const auto expected = Simulate(oldNames, newNames, expectedFailed);
        const int failed = core.RenameFiles();
        EXPECT_EQ(Disk(sub), expected);
        EXPECT_EQ(failed, static_cast<int>(expectedFailed.size()));
        std::set<std::string> failedSources;
        for (const CRenameFailure& failure : core.GetFailures()) {
            EXPECT_EQ(failure.code, EEXIST) << failure.fromPath;
            failedSources.insert(fs::path(failure.fromPath).filename().string());
        }
        EXPECT_EQ(failedSources, expectedFailed);
        failuresSeen += failed;
        movesSeen += static_cast<int>(core.GetUndoOldPaths().size());

        // The undo puts every moved file back under its old name.
        if (!core.GetUndoOldPaths().empty()) {
            EXPECT_EQ(core.UndoRename(), 0);
        }
        EXPECT_EQ(Disk(sub), Contents(oldNames));
    }
    // The rounds must have exercised both outcomes.
    EXPECT_GT(failuresSeen, 0);
    EXPECT_GT(movesSeen, 0);
}

/// The new names of one round of the permutation tests: kind 0 a random
/// permutation, 1 a shift (file10 -> file11 -> ...), 2 3-cycles among
/// neighbours, 3 many to one with fresh names too, 4 swaps of neighbours,
/// 5 the names reversed.
Names NewNamesOfRound(int kind, const Names& oldNames, std::mt19937& random) {
    const int count = static_cast<int>(oldNames.size());
    Names newNames = oldNames;
    switch (kind) {
    case 0:
        std::shuffle(newNames.begin(), newNames.end(), random);
        break;
    case 1:
        for (int i = 0; i < count; ++i) {
            newNames[static_cast<std::size_t>(i)] = "file" + std::to_string(11 + i);
        }
        break;
    case 2:
        for (int i = 0; i + 2 < count; i += 3) {
            std::rotate(newNames.begin() + i, newNames.begin() + i + 1, newNames.begin() + i + 3);
        }
        break;
    case 3:
        for (auto& name : newNames) {
            const unsigned pick = random() % 4;
            name = pick == 0   ? "same"
                   : pick == 1 ? "fresh" + std::to_string(random() % 1000)
                               : oldNames[random() % oldNames.size()];
        }
        break;
    case 4:
        for (int i = 0; i + 1 < count; i += 2) {
            std::swap(newNames[static_cast<std::size_t>(i)],
                      newNames[static_cast<std::size_t>(i + 1)]);
        }
        break;
    default:
        std::reverse(newNames.begin(), newNames.end());
        break;
    }
    return newNames;
}

// With swaps and chains allowed, every permutation of the names renames
// completely; a map with real collisions loses nothing, leaves no
// temporary name behind and fails only moves whose target is taken.
TEST_F(RenameFaultTest, RandomPermutationsWithSwapsAndChains) {
    core.GetSwitches().allowSwapsAndChains = true;
    std::mt19937 random(20261209);
    constexpr int kRounds = 240;
    int permutations = 0;
    int collisionRounds = 0;
    int failuresSeen = 0;
    int temporarySteps = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string sub = "s" + std::to_string(round) + "/";
        const int count = 2 + static_cast<int>(random() % 14);
        const Names oldNames = NumberedNames(count);
        const int kind = round % 6;
        const Names newNames = NewNamesOfRound(kind, oldNames, random);
        MakeFiles(oldNames, sub);
        RenameTo(newNames);
        Open(sub.substr(0, sub.size() - 1));
        ASSERT_EQ(RowNames(), oldNames);

        const int failed = core.RenameFiles();
        const auto disk = Disk(sub);
        std::size_t changed = 0;
        for (int i = 0; i < count; ++i) {
            changed +=
                oldNames[static_cast<std::size_t>(i)] != newNames[static_cast<std::size_t>(i)];
        }
        if (kind != 3) {
            // No real collision: every file under its new name.
            ++permutations;
            EXPECT_EQ(failed, 0);
            std::map<std::string, std::string> expected;
            for (int i = 0; i < count; ++i) {
                expected[newNames[static_cast<std::size_t>(i)]] =
                    "content of " + oldNames[static_cast<std::size_t>(i)];
            }
            EXPECT_EQ(disk, expected);
        } else {
            ++collisionRounds;
            failuresSeen += failed;
            // Nothing lost, no temporary name left, and a failed move's
            // target is taken.
            EXPECT_EQ(disk.size(), oldNames.size());
            std::set<std::string> contents;
            for (const auto& [name, content] : disk) {
                EXPECT_EQ(name.rfind(".nr-swap-", 0), std::string::npos) << name;
                contents.insert(content);
            }
            EXPECT_EQ(contents.size(), oldNames.size());
            for (const CRenameFailure& failure : core.GetFailures()) {
                EXPECT_EQ(failure.code, EEXIST) << failure.fromPath;
                EXPECT_TRUE(fs::exists(failure.toPath)) << failure.toPath;
                EXPECT_TRUE(fs::exists(failure.fromPath)) << failure.fromPath;
            }
            for (int i = 0; i < count; ++i) {
                const std::string& oldName = oldNames[static_cast<std::size_t>(i)];
                const std::string& newName = newNames[static_cast<std::size_t>(i)];
                const std::string content = "content of " + oldName;
                const bool atNew = disk.count(newName) != 0 && disk.at(newName) == content;
                const bool atOld = disk.count(oldName) != 0 && disk.at(oldName) == content;
                EXPECT_TRUE(atNew || atOld) << oldName << " -> " << newName;
            }
        }
        // The undo lists hold the real moves, temporary steps included.
        std::size_t pairsMoved = 0;
        for (const std::string& path : core.GetUndoNewPaths()) {
            if (fs::path(path).filename().string().rfind(".nr-swap-", 0) == 0) {
                ++temporarySteps;
            } else {
                ++pairsMoved;
            }
        }
        EXPECT_EQ(pairsMoved + core.GetFailures().size(), changed);

        if (!core.GetUndoOldPaths().empty()) {
            EXPECT_EQ(core.UndoRename(), 0);
        }
        EXPECT_EQ(Disk(sub), Contents(oldNames));
    }
    EXPECT_GT(failuresSeen, 0);
    EXPECT_GT(temporarySteps, 0);
    std::cout << "[ COUNTS   ] swaps and chains: " << permutations
              << " permutations renamed completely, " << collisionRounds
              << " maps with collisions, " << temporarySteps << " temporary steps" << std::endl;
    RecordProperty("permutations", permutations);
    RecordProperty("collisionRounds", collisionRounds);
}

// The undo script of a rename with cycles restores every name.
TEST_F(RenameFaultTest, UndoScriptOfSwapsRestoresEveryName) {
    core.GetSwitches().allowSwapsAndChains = true;
    const Names names = {"a", "b", "c", "d", "e"};
    MakeFiles(names);
    RenameTo({"b", "a", "d", "e", "c"});
    Open();
    ASSERT_EQ(core.RenameFiles(), 0);
    EXPECT_EQ(Disk().at("a"), "content of b");
    EXPECT_EQ(Disk().at("c"), "content of e");
    // Undo script beside the folder, so that the folder holds only the files.
    CTempFolder scripts;
    const std::string script = scripts / "undo.sh";
    int error = 0;
    ASSERT_TRUE(core.WriteUndoScriptFile(script, error));
    ASSERT_EQ(std::system(("/bin/sh '" + script + "' >/dev/null 2>&1").c_str()), 0);
    EXPECT_EQ(Disk(), Contents(names));
}

// A cycle whose last step fails puts the file that stepped aside back.
TEST_F(RenameFaultTest, FailedCycleLeavesNoTemporaryName) {
    core.GetSwitches().allowSwapsAndChains = true;
    MakeFiles({"a", "b", "c"});
    RenameTo({"b", "c", "a"});
    Open();
    // c -> a fails: b -> c then fails on its target, and a comes back.
    CMoveHookGuard guard([&](const std::string& from, const std::string&) {
        return from == folder / "c" ? EIO : 0;
    });
    EXPECT_EQ(core.RenameFiles(), 3);
    EXPECT_EQ(Disk(), (std::map<std::string, std::string>{
                          {"a", "content of a"}, {"b", "content of b"}, {"c", "content of c"}}));
    ASSERT_EQ(core.GetFailures().size(), 3u);
    EXPECT_EQ(core.GetFailures()[0].code, EIO);
    EXPECT_EQ(core.GetFailures()[2].fromPath, folder / "a");
    EXPECT_EQ(core.GetFailures()[2].code, EEXIST);
    EXPECT_TRUE(core.GetUndoOldPaths().empty());
}

} // namespace
