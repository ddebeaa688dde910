// A batch run killed with SIGKILL at a random moment of its moves: every
// file is still there exactly once, under its old or its new name, with its
// content, and the undo script it was writing moves back exactly what was
// moved. The kill moments come from a seed that the test prints; set
// NR_KILL_SEED to that number to run the same moments again.

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
        bool ended = false;
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (std::chrono::steady_clock::now() < deadline) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                ended = true;
                break;
            }
            if (access(killSign.c_str(), F_OK) == 0) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                ended = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        if (!ended) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
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

} // namespace
