// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OutputFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using platform::COutputFile;

namespace {

// Sets the umask for the life of the object, so that created modes are known.
class CScopedUmask {
public:
    explicit CScopedUmask(mode_t mask) : previous(umask(mask)) {}
    ~CScopedUmask() { umask(previous); }
    CScopedUmask(const CScopedUmask&) = delete;
    CScopedUmask& operator=(const CScopedUmask&) = delete;

private:
    mode_t previous;
};

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        return 0;
    }
    return st.st_mode & 07777;
}

// Bytes of every value, longer than the buffer, so that the writes have to
// go out in several pieces.
std::string PatternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    }
    return bytes;
}

TEST(OutputFileContents, RoundTripsSmallAndLargePieces) {
    CTempFolder folder;
    const std::string path = folder / "out.bin";
    const std::string large = PatternBytes(200 * 1024);
    COutputFile file;
    int error = -1;
    ASSERT_TRUE(file.Create(path, false, error));
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.Write("head\n"));
    EXPECT_TRUE(file.Write(std::string_view("\0nul\xff", 5)));
    EXPECT_TRUE(file.Write(large));
    for (int i = 0; i < 3000; ++i) {
        EXPECT_TRUE(file.Write("line of text " + std::to_string(i) + "\n"));
    }
    ASSERT_TRUE(file.Close(error));
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(file.IsOpen());

    std::string expected = "head\n" + std::string("\0nul\xff", 5) + large;
    for (int i = 0; i < 3000; ++i) {
        expected += "line of text " + std::to_string(i) + "\n";
    }
    EXPECT_EQ(ReadWholeFile(path), expected);
}

TEST(OutputFileContents, FlushMakesTheDataVisibleBeforeClose) {
    CTempFolder folder;
    const std::string path = folder / "out.txt";
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(path, false, error));
    ASSERT_TRUE(file.Write("first"));
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(ReadWholeFile(path), "first");
    ASSERT_TRUE(file.Write(" second"));
    ASSERT_TRUE(file.Flush(true));
    EXPECT_EQ(ReadWholeFile(path), "first second");
    EXPECT_TRUE(file.Close(error));
}

TEST(OutputFileContents, TruncatesAnExistingFile) {
    CTempFolder folder;
    const std::string path = folder.WriteFile("old.txt", std::string(10000, 'x'));
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(path, false, error));
    ASSERT_TRUE(file.Write("short"));
    ASSERT_TRUE(file.Close(error));
    EXPECT_EQ(ReadWholeFile(path), "short");
}

TEST(OutputFileContents, FollowsASymbolicLink) {
    CTempFolder folder;
    const std::string target = folder.WriteFile("target.txt", "old content");
    const std::string link = folder / "link.txt";
    std::filesystem::create_symlink(target, link);
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(link, false, error));
    ASSERT_TRUE(file.Write("new"));
    ASSERT_TRUE(file.Close(error));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target), "new");
}

TEST(OutputFileContents, DestructorWritesTheRestAndCloses) {
    CTempFolder folder;
    const std::string path = folder / "out.txt";
    {
        COutputFile file;
        int error = 0;
        ASSERT_TRUE(file.Create(path, false, error));
        ASSERT_TRUE(file.Write("kept"));
    }
    EXPECT_EQ(ReadWholeFile(path), "kept");
}

TEST(OutputFileContents, CreateAgainStartsANewFile) {
    CTempFolder folder;
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(folder / "one.txt", false, error));
    ASSERT_TRUE(file.Write("one"));
    ASSERT_TRUE(file.Create(folder / "two.txt", false, error));
    ASSERT_TRUE(file.Write("two"));
    ASSERT_TRUE(file.Close(error));
    EXPECT_EQ(ReadWholeFile(folder / "one.txt"), "one");
    EXPECT_EQ(ReadWholeFile(folder / "two.txt"), "two");
}

TEST(OutputFileErrors, MissingFolder) {
    CTempFolder folder;
    COutputFile file;
    int error = 0;
    EXPECT_FALSE(file.Create(folder / "missing/out.txt", false, error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Write("data"));
    EXPECT_FALSE(file.Close(error));
    EXPECT_NE(error, 0);
}

TEST(OutputFileErrors, ReadOnlyFolder) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write into any folder";
    }
    CTempFolder folder;
    const std::string locked = folder.MakeFolder("locked");
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    COutputFile file;
    int error = 0;
    EXPECT_FALSE(file.Create(locked + "/out.txt", false, error));
    EXPECT_EQ(error, EACCES);
    EXPECT_FALSE(std::filesystem::exists(locked + "/out.txt"));
}

TEST(OutputFileErrors, CloseTwiceFails) {
    CTempFolder folder;
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(folder / "out.txt", false, error));
    ASSERT_TRUE(file.Close(error));
    EXPECT_FALSE(file.Close(error));
    EXPECT_EQ(error, EBADF);
}

TEST(OutputFileFullDisk, FlushAndCloseReportNoSpace) {
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create("/dev/full", false, error));
    EXPECT_TRUE(file.Write("small, still in the buffer"));
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(file.GetError(), ENOSPC);
    EXPECT_FALSE(file.Write("more"));
    EXPECT_FALSE(file.Close(error));
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(file.GetError(), ENOSPC);
}

TEST(OutputFileFullDisk, LargeWriteFailsAtOnce) {
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create("/dev/full", false, error));
    EXPECT_FALSE(file.Write(PatternBytes(100 * 1024)));
    EXPECT_EQ(file.GetError(), ENOSPC);
    EXPECT_FALSE(file.Close(error));
    EXPECT_EQ(error, ENOSPC);
}

TEST(OutputFileFullDisk, CloseAloneReportsTheBufferedWrite) {
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create("/dev/full", false, error));
    EXPECT_TRUE(file.Write("x"));
    EXPECT_FALSE(file.Close(error));
    EXPECT_EQ(error, ENOSPC);
}

TEST(OutputFileRunBits, NewFilesFollowTheUmask) {
    CScopedUmask mask(022);
    CTempFolder folder;
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(folder / "plain", false, error));
    ASSERT_TRUE(file.Close(error));
    ASSERT_TRUE(file.Create(folder / "script", true, error));
    ASSERT_TRUE(file.Close(error));
    EXPECT_EQ(ModeOf(folder / "plain"), 0644u);
    EXPECT_EQ(ModeOf(folder / "script"), 0755u);
}

TEST(OutputFileRunBits, ExistingFileGetsRunBitsWhereItMayBeRead) {
    CScopedUmask mask(022);
    CTempFolder folder;
    const std::string ownerOnly = folder.WriteFile("owner-only", "old");
    const std::string othersRead = folder.WriteFile("others-read", "old");
    ASSERT_EQ(chmod(ownerOnly.c_str(), 0600), 0);
    ASSERT_EQ(chmod(othersRead.c_str(), 0604), 0);
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(ownerOnly, true, error));
    ASSERT_TRUE(file.Close(error));
    ASSERT_TRUE(file.Create(othersRead, true, error));
    ASSERT_TRUE(file.Close(error));
    EXPECT_EQ(ModeOf(ownerOnly), 0700u);
    EXPECT_EQ(ModeOf(othersRead), 0705u);
}

TEST(OutputFileRunBits, ExistingFileRespectsTheUmask) {
    CScopedUmask mask(077);
    CTempFolder folder;
    const std::string path = folder.WriteFile("shared", "old");
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(path, true, error));
    ASSERT_TRUE(file.Close(error));
    EXPECT_EQ(ModeOf(path), 0744u);
}

TEST(OutputFileRunBits, ExistingFileKeepsItsModesWithoutRunBits) {
    CScopedUmask mask(022);
    CTempFolder folder;
    const std::string path = folder.WriteFile("data", "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    COutputFile file;
    int error = 0;
    ASSERT_TRUE(file.Create(path, false, error));
    ASSERT_TRUE(file.Close(error));
    EXPECT_EQ(ModeOf(path), 0640u);
}

} // namespace
