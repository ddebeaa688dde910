// A batch run killed with SIGKILL at a random moment of its moves: every
// file is still there exactly once, under its old or its new name, with its
// content, and the undo script it was writing moves back exactly what was
// moved.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 20000;
constexpr int kRuns = 3;

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

off_t SizeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

TEST(BatchKill, KilledRunLosesNothingAndItsUndoScriptRestoresEverything) {
    std::mt19937 random(std::random_device{}());
    int killedRuns = 0;
    for (int run = 0; run < kRuns; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        CTempFolder folder;
        const std::string files = folder.MakeFolder("files") + "/";
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = FileName(i);
            folder.WriteFile("files/" + name, name);
        }
        const std::string options = folder.WriteFile(
            "rules.ini", "[Filename]\r\nInsertBefore=1\r\nInsertBeforeValue=\"new \"\r\n");
        const std::string undo = folder / "undo.sh";

        // Kill once the undo script holds a random number of moves: each
        // line is about 2 paths long.
        const off_t lineBytes = static_cast<off_t>(2 * files.size() + 40);
        const off_t killAt =
            static_cast<off_t>(std::uniform_int_distribution<int>(1, kFiles - 1)(random)) *
            lineBytes;
        const pid_t pid =
            Start({"RENAME=1", "PATH=" + files, "NRFILE=" + options, "UNDOFILE=" + undo, "PAUSE=0"},
                  folder.MakeFolder("config"));
        ASSERT_GT(pid, 0);
        bool killed = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        int status = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                break;
            }
            if (SizeOf(undo) >= killAt) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                killed = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (!killed && !WIFEXITED(status) && !WIFSIGNALED(status)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            FAIL() << "the batch run did not end";
        }

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
        EXPECT_EQ(std::distance(fs::directory_iterator(files), fs::directory_iterator{}), kFiles);
        if (killed) {
            ++killedRuns;
            EXPECT_GT(moved, 0);
            EXPECT_LT(moved, kFiles);
        }

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
