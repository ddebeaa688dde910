// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JournalFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>

namespace {

using platform::CJournalFile;

// Lines of growing length, so that appends straddle every boundary of the
// reserved room.
std::string Line(int i) {
    return "nr_undo '/p/" + std::string(static_cast<std::size_t>(i % 300), 'x') + "' " +
           std::to_string(i) + "\n";
}

TEST(JournalFile, HoldsExactlyWhatWasWrittenAfterClose) {
    CTempFolder folder;
    const std::string path = folder / "undo.sh";
    CJournalFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(path, true, error));
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        ASSERT_TRUE(file.Write(Line(i)));
        expected += Line(i);
    }
    // One piece larger than any single growth of the room.
    const std::string big(20 * 1024 * 1024, 'b');
    ASSERT_TRUE(file.Write(big));
    expected += big;
    ASSERT_TRUE(file.Close(error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadWholeFile(path), expected);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Write("after close"));
    EXPECT_NE(std::filesystem::status(path).permissions() & std::filesystem::perms::owner_exec,
              std::filesystem::perms::none);
}

TEST(JournalFile, NeverOpensAFileThatIsThere) {
    CTempFolder folder;
    const std::string path = folder.WriteFile("taken", "keep me");
    CJournalFile file;
    int error = 0;
    EXPECT_FALSE(file.Create(path, false, error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(ReadWholeFile(path), "keep me");
}

TEST(JournalFile, AKilledWriterLeavesEveryLineFollowedOnlyByLineEnds) {
    CTempFolder folder;
    const std::string path = folder / "undo.sh";
    constexpr int kLines = 5000;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CJournalFile file;
        int error = 0;
        if (!file.Create(path, true, error)) {
            _exit(2);
        }
        for (int i = 0; i < kLines; ++i) {
            if (!file.Write(Line(i))) {
                _exit(3);
            }
        }
        raise(SIGKILL); // no Close: the file is as a killed run leaves it
        _exit(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child status " << status;
    std::string expected;
    for (int i = 0; i < kLines; ++i) {
        expected += Line(i);
    }
    const std::string content = ReadWholeFile(path);
    ASSERT_GE(content.size(), expected.size());
    EXPECT_EQ(content.substr(0, expected.size()), expected);
    EXPECT_EQ(content.find_first_not_of('\n', expected.size()), std::string::npos)
        << "the tail holds something other than line ends";
}

TEST(JournalFile, WithoutRoomEachWriteGoesOutAndTheFirstFailureIsKept) {
    CTempFolder folder;
    const std::string path = folder / "undo.sh";
    CJournalFile file;
    int error = 0;
    std::string written;
    {
        // Less than the least room the file takes ahead: it cannot reserve
        // any and writes each piece; past the limit writes fail.
        CFileSizeLimit limit(8192);
        ASSERT_TRUE(limit.IsSet());
        ASSERT_TRUE(file.Create(path, false, error));
        int i = 0;
        while (i < 1000 && file.Write(Line(i))) {
            written += Line(i);
            ++i;
        }
        EXPECT_GT(i, 10);
        EXPECT_LT(i, 1000) << "no write failed past the limit";
        EXPECT_EQ(file.GetError(), EFBIG);
        EXPECT_FALSE(file.Write("x"));
    }
    EXPECT_FALSE(file.Close(error));
    EXPECT_EQ(error, EFBIG);
    // Everything before the failed piece is there, whole.
    const std::string content = ReadWholeFile(path);
    ASSERT_GE(content.size(), written.size());
    EXPECT_EQ(content.substr(0, written.size()), written);
    EXPECT_LE(content.size(), 8192u);
}

} // namespace
