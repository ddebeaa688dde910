// SPDX-License-Identifier: GPL-3.0-or-later
// A batch run killed with SIGKILL at a random moment of its moves: every
// file is still there exactly once, under its old or its new name, with its
// content, and the undo script it was writing moves back exactly what was
// moved; with swaps and chains allowed, a file may also be under a
// temporary name, which the undo script maps back. The kill moments come
// from a seed that the test prints; set NR_KILL_SEED to that number to run
// the same moments again.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 20000;
constexpr int kRuns = 3;

/// NR_KILL_SEED when it holds a number, else a fresh random seed.
uint32_t KillSeed() {
    if (const char* text = std::getenv("NR_KILL_SEED"); text != nullptr && *text != '\0') {
        char* end = nullptr;
        const unsigned long value = std::strtoul(text, &end, 10);
        if (*end == '\0') {
            return static_cast<uint32_t>(value);
        }
    }
    return std::random_device{}();
}

std::string FileName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "f%05d.dat", i);
    return name;
}

/// Starts the program with the arguments, its output to /dev/null and its
/// settings in configHome; -1 when it cannot be started.
pid_t Start(const std::vector<std::string>& arguments, const std::string& configHome) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("XDG_CONFIG_HOME=", 0) != 0) {
            environment.emplace_back(*entry);
        }
    }
    environment.push_back("XDG_CONFIG_HOME=" + configHome);
    std::vector<char*> envp;
    for (auto& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> args = {NR_EXECUTABLE_PATH};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : args) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

/// Waits until the started program ends by itself or killWhen() holds, and
/// then kills it with SIGKILL; status is its wait status. False when it did
/// neither within two minutes (it is killed then too).
bool WaitOrKill(pid_t pid, const std::function<bool()>& killWhen, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return true;
        }
        if (killWhen()) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return false;
}

TEST(BatchKill, KilledRunLosesNothingAndItsUndoScriptRestoresEverything) {
    const uint32_t seed = KillSeed();
    // Flushed at once, so that even a run that hangs and is ended shows it.
    std::cout << "[ SEED     ] NR_KILL_SEED=" << seed << std::endl;
    RecordProperty("seed", std::to_string(seed));
    SCOPED_TRACE("NR_KILL_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    for (int run = 0; run < kRuns; ++run) {
        CTempFolder folder;
        const std::string files = folder.MakeFolder("files") + "/";
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = FileName(i);
            folder.WriteFile("files/" + name, name);
        }
        const std::string options = folder.WriteFile(
            "rules.ini", "[Filename]\r\nInsertBefore=1\r\nInsertBeforeValue=\"new \"\r\n");
        const std::string undo = folder / "undo.sh";

        // Kill once a random file, between 5% and 90% of the way, has its
        // new name: the rows go in name order, so that many moves are done
        // and the run is still moving when the name is seen.
        const int killMove =
            std::uniform_int_distribution<int>(kFiles * 5 / 100, kFiles * 90 / 100)(random);
        const std::string killSign = files + "new " + FileName(killMove);
        SCOPED_TRACE("run " + std::to_string(run) + ": kill after move " +
                     std::to_string(killMove + 1));
        RecordProperty("run" + std::to_string(run) + "KillMove", killMove);
        const pid_t pid =
            Start({"RENAME=1", "PATH=" + files, "NRFILE=" + options, "UNDOFILE=" + undo, "PAUSE=0"},
                  folder.MakeFolder("config"));
        ASSERT_GT(pid, 0);
        const auto killPointReached = [&] { return access(killSign.c_str(), F_OK) == 0; };
        int status = 0;
        if (!WaitOrKill(pid, killPointReached, status)) {
            FAIL() << "the batch run did not end";
        }
        // A run that ended by itself before the kill point proves nothing.
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        EXPECT_TRUE(killed) << "the batch run ended before it was killed, with status " << status;

        // Every file exactly once, under the old or the new name.
        int moved = 0;
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = FileName(i);
            const bool oldThere = fs::exists(files + name);
            const bool newThere = fs::exists(files + "new " + name);
            ASSERT_NE(oldThere, newThere) << name;
            EXPECT_EQ(ReadWholeFile(files + (oldThere ? name : "new " + name)), name);
            moved += newThere ? 1 : 0;
        }
        SCOPED_TRACE("moved " + std::to_string(moved) + " of " + std::to_string(kFiles));
        RecordProperty("run" + std::to_string(run) + "Moved", moved);
        EXPECT_EQ(std::distance(fs::directory_iterator(files), fs::directory_iterator{}), kFiles);
        EXPECT_GT(moved, killMove);
        EXPECT_LT(moved, kFiles);

        // The undo script moves back exactly what was moved.
        ASSERT_TRUE(fs::exists(undo));
        const std::string command = "/bin/sh '" + undo + "' >/dev/null 2>&1";
        std::system(command.c_str());
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = FileName(i);
            ASSERT_TRUE(fs::exists(files + name)) << name;
            EXPECT_EQ(ReadWholeFile(files + name), name);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(files), fs::directory_iterator{}), kFiles);
    }
}

/// "%05d.dat": names that the swap rules below turn into each other.
std::string NumberName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "%05d.dat", i);
    return name;
}

// With swaps and chains stored on, a run that swaps every name with its
// mirror (00000 <-> 19999, 00001 <-> 19998, ...) breaks each 2-cycle
// through a temporary name. Killed at a random moment, it leaves every
// file once, under its old name, its new name or a temporary name, and its
// undo script brings every file back to its old name.
// Fewer files and more kills than above: a kill lands between the steps of
// a swap in about two thirds of the runs.
constexpr int kSwapFiles = 4000;
constexpr int kSwapRuns = 8;

TEST(BatchKill, KilledSwapRunLeavesOnlyNamesItsUndoScriptMapsBack) {
    const uint32_t seed = KillSeed();
    std::cout << "[ SEED     ] NR_KILL_SEED=" << seed << std::endl;
    RecordProperty("seed", std::to_string(seed));
    SCOPED_TRACE("NR_KILL_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    int kills = 0;
    int killedMidSwap = 0;
    for (int run = 0; run < kSwapRuns; ++run) {
        CTempFolder folder;
        const std::string files = folder.MakeFolder("files") + "/";
        for (int i = 0; i < kSwapFiles; ++i) {
            folder.WriteFile("files/" + NumberName(i), NumberName(i));
        }
        const std::string options = folder.WriteFile(
            "rules.ini", "[Filename]\r\nReplaceWith=1\r\nReplaceWithValue=\"\"\r\n"
                         "[Autonumber]\r\nAction=2\r\nStartAt=" +
                             std::to_string(kSwapFiles - 1) + "\r\nIncrement=-1\r\nZeroFill=4\r\n");
        const std::string config = folder.MakeFolder("config");
        folder.WriteFile("config/NorvikRename/norvikrename.ini",
                         "[Others]\r\nAllowSwapsAndChains=1\r\n");
        const std::string undo = folder / "undo.sh";

        // Kill once the swap of a random pair, between 5% and 90% of the
        // way, is complete: its mirror name then holds its content.
        const int killPair = std::uniform_int_distribution<int>(kSwapFiles / 2 * 5 / 100,
                                                                kSwapFiles / 2 * 90 / 100)(random);
        const std::string killSign = files + NumberName(kSwapFiles - 1 - killPair);
        SCOPED_TRACE("run " + std::to_string(run) + ": kill after pair " +
                     std::to_string(killPair + 1));
        const pid_t pid =
            Start({"RENAME=1", "PATH=" + files, "NRFILE=" + options, "UNDOFILE=" + undo, "PAUSE=0"},
                  config);
        ASSERT_GT(pid, 0);
        const auto killPointReached = [&] {
            return ReadWholeFile(killSign) == NumberName(killPair);
        };
        int status = 0;
        if (!WaitOrKill(pid, killPointReached, status)) {
            FAIL() << "the batch run did not end";
        }
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        EXPECT_TRUE(killed) << "the batch run ended before it was killed, with status " << status;
        kills += killed ? 1 : 0;

        // Every file exactly once: under its old name, its new name, or a
        // temporary name.
        std::vector<int> seen(kSwapFiles, 0);
        int swapped = 0;
        int temporary = 0;
        for (const auto& item : fs::directory_iterator(files)) {
            const std::string name = item.path().filename().string();
            const std::string content = ReadWholeFile(item.path().string());
            ASSERT_EQ(content.size(), NumberName(0).size()) << name;
            const int owner = std::atoi(content.c_str());
            ASSERT_GE(owner, 0);
            ASSERT_LT(owner, kSwapFiles);
            ++seen[static_cast<std::size_t>(owner)];
            if (name == NumberName(kSwapFiles - 1 - owner)) {
                ++swapped;
            } else if (name.rfind(".nr-swap-", 0) == 0) {
                ++temporary;
            } else {
                EXPECT_EQ(name, NumberName(owner)) << "a file under a name nobody gave it";
            }
        }
        killedMidSwap += temporary > 0 ? 1 : 0;
        for (int i = 0; i < kSwapFiles; ++i) {
            ASSERT_EQ(seen[static_cast<std::size_t>(i)], 1) << NumberName(i);
        }
        SCOPED_TRACE("swapped " + std::to_string(swapped) + " of " + std::to_string(kSwapFiles));
        EXPECT_GT(swapped, 2 * killPair);
        EXPECT_LT(swapped, kSwapFiles);

        // The undo script brings every file back to its old name.
        ASSERT_TRUE(fs::exists(undo));
        const std::string command = "/bin/sh '" + undo + "' >/dev/null 2>&1";
        std::system(command.c_str());
        for (int i = 0; i < kSwapFiles; ++i) {
            const std::string name = NumberName(i);
            ASSERT_TRUE(fs::exists(files + name)) << name;
            EXPECT_EQ(ReadWholeFile(files + name), name);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(files), fs::directory_iterator{}),
                  kSwapFiles);
    }
    std::cout << "[ COUNTS   ] swap runs killed: " << kills << " of " << kSwapRuns
              << ", killed between the steps of a swap: " << killedMidSwap << std::endl;
    RecordProperty("kills", kills);
}

} // namespace
