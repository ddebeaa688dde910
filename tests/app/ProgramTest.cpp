// Runs the real executable on temporary folders and checks its output and
// exit status.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
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
CRunResult RunProgram(const std::vector<std::string>& arguments) {
    std::string command = Quote(NR_EXECUTABLE_PATH);
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

TEST(Program, WithoutKeywordsItListsTheKeywordsAndSucceeds) {
    const auto result = RunProgram({});
    EXPECT_EQ(result.status, 0);
    for (const char* keyword :
         {"PATH=", "FILTER=", "NRFILE=", "RECURSIVE=", "RENAME=", "UNDOFILE=", "PAUSE="}) {
        EXPECT_NE(result.output.find(keyword), std::string::npos) << keyword;
    }
}

TEST(Program, ListsTheEntriesOfTheFolderSortedAndFilteredByTheMask) {
    CTempFolder folder;
    folder.WriteFile("b photo.jpg", "12345");
    folder.WriteFile("A.JPG", "1");
    folder.WriteFile("notes.txt", "x");
    folder.MakeFolder("sub");
    folder.WriteFile("sub/c.jpg", "12");
    const auto result = RunProgram({"PATH=" + folder.Path(), "FILTER=*.jpg", "RECURSIVE=1"});
    ASSERT_EQ(result.status, 0) << result.output;
    const auto listing = result.output.substr(result.output.find(folder.Path() + "\n"));
    const auto a = listing.find("\nA.JPG\t1\t");
    const auto b = listing.find("\nb photo.jpg\t5\t");
    const auto c = listing.find("\nc.jpg\t2\t");
    const auto sub = listing.find("\nsub\t\t");
    ASSERT_NE(a, std::string::npos) << listing;
    ASSERT_NE(b, std::string::npos) << listing;
    ASSERT_NE(c, std::string::npos) << listing;
    ASSERT_NE(sub, std::string::npos) << listing;
    EXPECT_LT(sub, a);
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_EQ(listing.find("notes.txt"), std::string::npos);
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
    const auto result = RunProgram({"PATH=" + folder.Path() + "my photos", "FILTER=*.jpg"});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("\nx.jpg\t0\t"), std::string::npos) << result.output;
}
