// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real executable on temporary folders and checks its output and
// exit status.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <cstdio>
#include <sys/wait.h>

namespace {

struct CRunResult {
    int status = -1;
    std::string output;
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs the program with arguments (each shell-quoted), standard input from
// /dev/null so that no wait can hang.
CRunResult RunProgram(const std::vector<std::string>& arguments, const std::string& prefix = {}) {
    std::string command = prefix + Quote(NR_EXECUTABLE_PATH);
    for (const auto& argument : arguments) {
        command += " " + Quote(argument);
    }
    command += " </dev/null 2>&1";
    CRunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer;
    std::size_t count;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.output.append(buffer.data(), count);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace

TEST(Program, WithoutADisplayTheWindowSaysSoAndExitsOne) {
    // No display and no platform chosen: one clear line instead of Qt's abort.
    const auto result = RunProgram({"PATH=/"}, "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "no display: set DISPLAY, or use RENAME=1 for batch mode\n");
}

TEST(Program, BatchModeOnAMissingFolderSaysInvalidAddressAndExitsTwo) {
    CTempFolder folder;
    const auto result = RunProgram({"RENAME=1", "PATH=" + folder.Path() + "missing"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.output,
              "NorvikRename Batch-mode\n\nOngeldig adres\nDruk op een toets om te stoppen");
}

TEST(Program, BatchModeWithoutPathIsAnInvalidAddressAndPauseZeroDoesNotPrompt) {
    const auto result = RunProgram({"rename", "=", "1", "PAUSE=0"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.output, "NorvikRename Batch-mode\n\nOngeldig adres\n");
}

TEST(Program, AFolderWithABlankReachesTheProgramAsOneValue) {
    CTempFolder folder;
    folder.WriteFile("my photos/x.jpg");
    folder.WriteFile("my photos/y.txt");
    const std::string rules =
        folder.WriteFile("rules.ini", "[Filename]\r\nInsertBefore=1\r\nInsertBeforeValue=\"n-\"\r\n");
    const auto result = RunProgram({"RENAME=1", "PAUSE=0", "PATH=" + folder.Path() + "my photos",
                                    "FILTER=*.jpg", "NRFILE=" + rules});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(std::filesystem::exists(folder / "my photos/n-x.jpg")) << result.output;
    EXPECT_TRUE(std::filesystem::exists(folder / "my photos/y.txt")) << result.output;
}
