// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"
#include "platform/Console.h"
#include "platform/FileTime.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <set>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrNormal;
using platform::kAttrReadOnly;
using platform::kAttrSymbolicLink;
using platform::kAttrSystem;

namespace {

// Sets (or with nullptr removes) an environment variable for the life of
// the object.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) {
            saved = old;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~CScopedEnv() {
        if (saved) {
            setenv(name, saved->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    const char* name;
    std::optional<std::string> saved;
};

// Points one standard stream (a file descriptor) at another file for the
// life of the object.
class CRedirect {
public:
    CRedirect(int fd, const std::string& path, int flags) : fd(fd) {
        std::fflush(stdout);
        saved = dup(fd);
        const int target = open(path.c_str(), flags | O_CLOEXEC, 0600);
        if (saved < 0 || target < 0 || dup2(target, fd) < 0) {
            ADD_FAILURE() << "cannot redirect " << fd << " to " << path;
        }
        if (target >= 0) {
            close(target);
        }
    }
    ~CRedirect() {
        std::fflush(stdout);
        if (saved >= 0) {
            dup2(saved, fd);
            close(saved);
        }
    }
    CRedirect(const CRedirect&) = delete;
    CRedirect& operator=(const CRedirect&) = delete;

private:
    int fd;
    int saved = -1;
};

CFindRecord RecordOf(const std::string& path) {
    CFindRecord record;
    int error = 0;
    EXPECT_TRUE(platform::GetFindRecord(path, record, error)) << path << " errno " << error;
    return record;
}

std::set<std::string> NamesIn(const std::string& folder) {
    std::vector<CFindRecord> records;
    int error = 0;
    EXPECT_TRUE(platform::ReadFolder(folder, records, error, false)) << folder;
    std::set<std::string> names;
    for (const auto& record : records) {
        names.insert(record.cFileName);
    }
    return names;
}

void SetTimes(const std::string& path, int64_t accessSeconds, long accessNanoseconds,
              int64_t writeSeconds, long writeNanoseconds) {
    struct timespec times[2];
    times[0].tv_sec = static_cast<time_t>(accessSeconds);
    times[0].tv_nsec = accessNanoseconds;
    times[1].tv_sec = static_cast<time_t>(writeSeconds);
    times[1].tv_nsec = writeNanoseconds;
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// Clears the move fault hook after every move test.
class MoveTest : public testing::Test {
protected:
    void TearDown() override { platform::SetMoveFaultHook(nullptr); }
    CTempFolder temp;
};

// Every move both ways: by full paths, and through a held folder handle,
// which one test's moves share as a run's moves do.
class MoveBothWays : public MoveTest, public testing::WithParamInterface<bool> {
protected:
    bool Move(const std::string& from, const std::string& to, int& error) {
        return GetParam() ? mover.Move(from, to, error) : platform::MoveNoReplace(from, to, error);
    }
    platform::CFolderMover mover;
};

} // namespace

// ---------------------------------------------------------------------------
// Attributes

TEST(FileSystemAttributes, PlainFileIsNormal) {
    const CTempFolder temp;
    const CFindRecord record = RecordOf(temp.WriteFile("plain.txt", "hello"));
    EXPECT_EQ(record.dwFileAttributes, kAttrNormal);
    EXPECT_EQ(record.cFileName, "plain.txt");
    EXPECT_EQ(record.FileSize(), 5u);
    EXPECT_FALSE(record.IsDirectory());
}

TEST(FileSystemAttributes, FolderHasTheFolderBitAndNoSize) {
    const CTempFolder temp;
    const std::string folder = temp.MakeFolder("sub");
    temp.WriteFile("sub/inside.txt", std::string(10000, 'x'));
    const CFindRecord record = RecordOf(folder);
    EXPECT_EQ(record.dwFileAttributes, kAttrDirectory);
    EXPECT_EQ(record.FileSize(), 0u);
    EXPECT_TRUE(record.IsDirectory());
    EXPECT_EQ(RecordOf(folder + "/").cFileName, "sub");
}

TEST(FileSystemAttributes, ReadOnlyWhenTheOwnerCannotWrite) {
    const CTempFolder temp;
    const std::string file = temp.WriteFile("locked.txt", "x");
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(RecordOf(file).dwFileAttributes, kAttrReadOnly);
    // Write permission for others only does not count.
    ASSERT_EQ(chmod(file.c_str(), 0466), 0);
    EXPECT_EQ(RecordOf(file).dwFileAttributes, kAttrReadOnly);
    ASSERT_EQ(chmod(file.c_str(), 0200), 0);
    EXPECT_EQ(RecordOf(file).dwFileAttributes, kAttrNormal);

    const std::string folder = temp.MakeFolder("locked folder");
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    EXPECT_EQ(RecordOf(folder).dwFileAttributes, kAttrDirectory | kAttrReadOnly);
}

TEST(FileSystemAttributes, HiddenWhenTheNameBeginsWithADot) {
    const CTempFolder temp;
    EXPECT_EQ(RecordOf(temp.WriteFile(".hidden", "x")).dwFileAttributes, kAttrHidden);
    EXPECT_EQ(RecordOf(temp.MakeFolder(".config")).dwFileAttributes, kAttrDirectory | kAttrHidden);
    EXPECT_EQ(RecordOf(temp.WriteFile("not.hidden", "x")).dwFileAttributes, kAttrNormal);
    const std::string locked = temp.WriteFile(".locked", "x");
    ASSERT_EQ(chmod(locked.c_str(), 0400), 0);
    EXPECT_EQ(RecordOf(locked).dwFileAttributes, kAttrHidden | kAttrReadOnly);
}

TEST(FileSystemAttributes, PipeAndSocketAreSystem) {
    const CTempFolder temp;
    const std::string fifo = temp / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(RecordOf(fifo).dwFileAttributes, kAttrSystem);

    const std::string socketPath = temp / "sock";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(fd);
    EXPECT_EQ(RecordOf(socketPath).dwFileAttributes, kAttrSystem);

    const std::string hiddenFifo = temp / ".pipe";
    ASSERT_EQ(mkfifo(hiddenFifo.c_str(), 0444), 0);
    EXPECT_EQ(RecordOf(hiddenFifo).dwFileAttributes, kAttrSystem | kAttrHidden | kAttrReadOnly);
}

TEST(FileSystemAttributes, DeviceIsSystem) {
    EXPECT_EQ(RecordOf("/dev/null").dwFileAttributes & (kAttrSystem | kAttrNormal | kAttrDirectory),
              kAttrSystem);
}

TEST(FileSystemAttributes, SymbolicLinkIsReportedAsItself) {
    const CTempFolder temp;
    temp.MakeFolder("target folder");
    temp.WriteFile("target.txt", "0123456789");
    ASSERT_EQ(symlink("target folder", (temp / "folder link").c_str()), 0);
    ASSERT_EQ(symlink("target.txt", (temp / "file link").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", (temp / ".dangling").c_str()), 0);

    const CFindRecord folderLink = RecordOf(temp / "folder link");
    EXPECT_EQ(folderLink.dwFileAttributes, kAttrSymbolicLink);
    EXPECT_FALSE(folderLink.IsDirectory());
    const CFindRecord fileLink = RecordOf(temp / "file link");
    EXPECT_EQ(fileLink.dwFileAttributes, kAttrSymbolicLink);
    EXPECT_EQ(fileLink.FileSize(), std::string("target.txt").size()); // the link's own size
    EXPECT_EQ(RecordOf(temp / ".dangling").dwFileAttributes, kAttrSymbolicLink | kAttrHidden);
}

TEST(FileSystemAttributes, GetAttributesFollowsALinkToAFolder) {
    const CTempFolder temp;
    temp.MakeFolder("target folder");
    temp.WriteFile("plain.txt", "x");
    ASSERT_EQ(symlink("target folder", (temp / "folder link").c_str()), 0);
    uint32_t attributes = 0;
    ASSERT_TRUE(platform::GetAttributes(temp / "folder link", attributes));
    EXPECT_EQ(attributes, kAttrDirectory);
    ASSERT_TRUE(platform::GetAttributes(temp / "plain.txt", attributes));
    EXPECT_EQ(attributes, kAttrNormal);
    EXPECT_FALSE(platform::GetAttributes(temp / "missing", attributes));
    EXPECT_TRUE(platform::IsExistingFolder(temp / "folder link"));
    EXPECT_TRUE(platform::IsExistingFolder(temp.Path()));
    EXPECT_FALSE(platform::IsExistingFolder(temp / "plain.txt"));
    EXPECT_FALSE(platform::IsExistingFolder(temp / "missing"));
}

TEST(FileSystemAttributes, PathExistsForEverythingIncludingDanglingLinks) {
    const CTempFolder temp;
    temp.WriteFile("file", "x");
    ASSERT_EQ(symlink("nowhere", (temp / "dangling").c_str()), 0);
    EXPECT_TRUE(platform::PathExists(temp / "file"));
    EXPECT_TRUE(platform::PathExists(temp / "dangling"));
    EXPECT_TRUE(platform::PathExists(temp.Path()));
    EXPECT_FALSE(platform::PathExists(temp / "missing"));
}

// ---------------------------------------------------------------------------
// Sizes and times

TEST(FileSystemRecord, SizeBeyondFourGigabytes) {
    const CTempFolder temp;
    const std::string path = temp.WriteFile("sparse.bin");
    const uint64_t size = (5ull << 32) + 123; // sparse: takes no space
    const int fd = open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const int result = ftruncate(fd, static_cast<off_t>(size));
    close(fd);
    if (result != 0) {
        GTEST_SKIP() << "the file system cannot hold a file of 20 GiB";
    }
    const CFindRecord record = RecordOf(path);
    EXPECT_EQ(record.FileSize(), size);
    EXPECT_EQ(record.nFileSizeHigh, 5u);
    EXPECT_EQ(record.nFileSizeLow, 123u);

    std::vector<CFindRecord> records;
    int error = 0;
    ASSERT_TRUE(platform::ReadFolder(temp.Path(), records, error, false));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].FileSize(), size);
}

TEST(FileSystemRecord, TimesAreTicksSince1601) {
    const CTempFolder temp;
    const std::string path = temp.WriteFile("timed.txt", "x");
    SetTimes(path, 1000000000, 250000000, 1112186096, 123456789);
    const CFindRecord record = RecordOf(path);
    EXPECT_EQ(record.ftLastWriteTime, 127566596961234567ull);  // 2005-03-30 12:34:56.1234567
    EXPECT_EQ(record.ftLastAccessTime, 126444736002500000ull); // 2001-09-09 01:46:40.25
    platform::CCalendarTime c;
    ASSERT_TRUE(platform::FileTimeToCalendar(record.ftLastWriteTime, c));
    EXPECT_EQ(c.year, 2005);
    EXPECT_EQ(c.month, 3);
    EXPECT_EQ(c.day, 30);
    EXPECT_EQ(c.hour, 12);
    EXPECT_EQ(c.minute, 34);
    EXPECT_EQ(c.second, 56);
    EXPECT_EQ(c.milliseconds, 123);
}

TEST(FileSystemRecord, TimesBefore1970AndAfter2038) {
    const CTempFolder temp;
    const std::string path = temp.WriteFile("timed.txt", "x");
    SetTimes(path, -14182940, 0, 2147483648 + 1000, 500);
    CFindRecord record = RecordOf(path);
    EXPECT_EQ(record.ftLastAccessTime, 116302906600000000ull);
    EXPECT_EQ(record.ftLastWriteTime, 137919572480000000ull + 1000 * platform::kTicksPerSecond + 5);

    SetTimes(path, 0, 0, -315619200, 0); // 1960-01-01
    record = RecordOf(path);
    EXPECT_EQ(record.ftLastAccessTime, 116444736000000000ull);
    EXPECT_EQ(record.ftLastWriteTime,
              116444736000000000ull - 315619200 * platform::kTicksPerSecond);
}

TEST(FileSystemRecord, CreationTimeIsTheBirthTime) {
    const CTempFolder temp;
    const std::string path = temp.WriteFile("born.txt", "x");
    struct statx sx;
    ASSERT_EQ(statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &sx), 0);
    SetTimes(path, 0, 0, 0, 0);
    const CFindRecord record = RecordOf(path);
    if ((sx.stx_mask & STATX_BTIME) == 0) {
        // No birth time on this file system: the last write time stands in.
        EXPECT_EQ(record.ftCreationTime, record.ftLastWriteTime);
        return;
    }
    EXPECT_EQ(record.ftCreationTime,
              platform::UnixToFileTime(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec));
    EXPECT_NE(record.ftCreationTime, record.ftLastWriteTime);
}

TEST(FileSystemRecord, GetFindRecordOfMissingPathFails) {
    const CTempFolder temp;
    CFindRecord record;
    int error = 0;
    EXPECT_FALSE(platform::GetFindRecord(temp / "missing", record, error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(platform::GetFindRecord(temp / "missing/deeper", record, error));
    EXPECT_EQ(error, ENOENT);
}

// ---------------------------------------------------------------------------
// Reading folders

TEST(FileSystemReadFolder, ListsEveryEntryButDotAndDotDot) {
    const CTempFolder temp;
    temp.WriteFile("a.txt", "1");
    temp.WriteFile(".hidden", "22");
    temp.MakeFolder("sub");
    temp.WriteFile("sub/not listed.txt", "x");
    ASSERT_EQ(symlink("a.txt", (temp / "link").c_str()), 0);
    std::vector<CFindRecord> records;
    int error = -1;
    ASSERT_TRUE(platform::ReadFolder(temp.Path(), records, error, false));
    EXPECT_EQ(error, 0);
    std::vector<std::pair<std::string, uint32_t>> seen;
    for (const auto& record : records) {
        seen.emplace_back(record.cFileName, record.dwFileAttributes);
    }
    std::sort(seen.begin(), seen.end());
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {".hidden", kAttrHidden},
        {"a.txt", kAttrNormal},
        {"link", kAttrSymbolicLink},
        {"sub", kAttrDirectory},
    };
    EXPECT_EQ(seen, expected);
}

TEST(FileSystemReadFolderNames, GivesEveryNameWithTheTypeOfItsEntry) {
    const CTempFolder temp;
    temp.WriteFile("a.txt", "1");
    temp.WriteFile(".hidden", "22");
    temp.MakeFolder("sub");
    temp.WriteFile("sub/not listed.txt", "x");
    ASSERT_EQ(symlink("sub", (temp / "link to folder").c_str()), 0);
    ASSERT_EQ(mkfifo((temp / "pipe").c_str(), 0644), 0);
    std::vector<platform::CFolderItem> items;
    int error = -1;
    ASSERT_TRUE(platform::ReadFolderNames(temp.Path(), items, error));
    EXPECT_EQ(error, 0);
    std::vector<std::pair<std::string, platform::EntryType>> seen;
    for (const auto& item : items) {
        seen.emplace_back(item.name, item.type);
    }
    std::sort(seen.begin(), seen.end());
    using platform::EntryType;
    const std::vector<std::pair<std::string, EntryType>> expected = {
        {".hidden", EntryType::File},
        {"a.txt", EntryType::File},
        {"link to folder", EntryType::Link},
        {"pipe", EntryType::Other},
        {"sub", EntryType::Folder},
    };
    EXPECT_EQ(seen, expected);
}

TEST(FileSystemReadFolderNames, MissingFolderFailsWithENOENT) {
    const CTempFolder temp;
    std::vector<platform::CFolderItem> items{{"stale", platform::EntryType::File}};
    int error = 0;
    EXPECT_FALSE(platform::ReadFolderNames(temp / "does not exist", items, error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_TRUE(items.empty());
}

TEST(FileSystemAttributesOfType, TypeAndNameGiveWhatTheyCan) {
    using platform::EntryType;
    EXPECT_EQ(platform::AttributesOfType(EntryType::File, "a"), kAttrNormal);
    EXPECT_EQ(platform::AttributesOfType(EntryType::File, ".a"), kAttrHidden);
    EXPECT_EQ(platform::AttributesOfType(EntryType::Folder, ".git"),
              kAttrDirectory | kAttrHidden);
    EXPECT_EQ(platform::AttributesOfType(EntryType::Link, "l"), kAttrSymbolicLink);
    EXPECT_EQ(platform::AttributesOfType(EntryType::Other, "p"), kAttrSystem);
}

TEST(FileSystemAttributesOfType, TheTypeComesBackFromTheBits) {
    using platform::EntryType;
    for (const EntryType type :
         {EntryType::File, EntryType::Folder, EntryType::Link, EntryType::Other}) {
        EXPECT_EQ(platform::EntryTypeOfAttributes(platform::AttributesOfType(type, "x")), type);
        EXPECT_EQ(platform::EntryTypeOfAttributes(platform::AttributesOfType(type, ".x") |
                                                  platform::kAttrReadOnly),
                  type);
    }
}

TEST(FileSystemReadFolder, EmptyFolderGivesNoRecords) {
    const CTempFolder temp;
    std::vector<CFindRecord> records(3);
    int error = -1;
    ASSERT_TRUE(platform::ReadFolder(temp.Path(), records, error));
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(error, 0);
}

TEST(FileSystemReadFolder, NamesKeepTheirExactBytes) {
    const CTempFolder temp;
    const std::set<std::string> names = {
        "with blanks .txt",
        "quote's \"double\".txt",
        "new\nline",
        "tab\there",
        "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.txt", // café 日本
        "latin1 caf\xE9.txt",                       // not UTF-8
        "raw \xFF\xFE\x80 bytes",
        " leading blank",
        "back\\slash:colon*star?",
        "...",
    };
    for (const auto& name : names) {
        const int fd = open((temp / name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        ASSERT_GE(fd, 0) << testing::PrintToString(name);
        close(fd);
    }
    EXPECT_EQ(NamesIn(temp.Path()), names);
    for (const auto& name : names) {
        EXPECT_EQ(RecordOf(temp / name).cFileName, name);
    }
}

TEST(FileSystemReadFolder, WorksWithAndWithoutTrailingSlash) {
    const CTempFolder temp;
    temp.WriteFile("one", "1");
    std::string folder = temp.Path();
    folder.pop_back();
    EXPECT_EQ(NamesIn(folder), std::set<std::string>{"one"});
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"one"});
}

TEST(FileSystemReadFolder, MissingFolderFailsWithENOENT) {
    const CTempFolder temp;
    std::vector<CFindRecord> records(1);
    int error = 0;
    EXPECT_FALSE(platform::ReadFolder(temp / "does not exist", records, error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_TRUE(records.empty());
}

TEST(FileSystemReadFolder, FileIsNotAFolder) {
    const CTempFolder temp;
    const std::string file = temp.WriteFile("file.txt", "x");
    std::vector<CFindRecord> records;
    int error = 0;
    EXPECT_FALSE(platform::ReadFolder(file, records, error));
    EXPECT_EQ(error, ENOTDIR);
}

TEST(FileSystemReadFolder, UnreadableFolderFails) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root can read any folder";
    }
    const CTempFolder temp;
    const std::string folder = temp.MakeFolder("closed");
    temp.WriteFile("closed/inside", "x");
    ASSERT_EQ(chmod(folder.c_str(), 0), 0);
    std::vector<CFindRecord> records;
    int error = 0;
    EXPECT_FALSE(platform::ReadFolder(folder, records, error));
    EXPECT_EQ(error, EACCES);
}

TEST(FileSystemReadFolder, LinkToAFolderIsListedAndNotEntered) {
    const CTempFolder temp;
    temp.WriteFile("real/inside.txt", "x");
    ASSERT_EQ(symlink("real", (temp / "alias").c_str()), 0);
    ASSERT_EQ(symlink(".", (temp / "real/loop").c_str()), 0);
    std::vector<CFindRecord> records;
    int error = 0;
    ASSERT_TRUE(platform::ReadFolder(temp / "real", records, error, false));
    ASSERT_EQ(records.size(), 2u);
    for (const auto& record : records) {
        if (record.cFileName == "loop") {
            EXPECT_EQ(record.dwFileAttributes, kAttrSymbolicLink);
        } else {
            EXPECT_EQ(record.cFileName, "inside.txt");
            EXPECT_EQ(record.dwFileAttributes, kAttrNormal);
        }
    }
}

// ---------------------------------------------------------------------------
// Moving

TEST_P(MoveBothWays, MovesAFile) {
    temp.WriteFile("old.txt", "content");
    int error = -1;
    ASSERT_TRUE(Move(temp / "old.txt", temp / "new.txt", error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"new.txt"});
    EXPECT_EQ(ReadWholeFile(temp / "new.txt"), "content");
}

TEST_P(MoveBothWays, MovesIntoAnotherFolder) {
    temp.WriteFile("old.txt", "content");
    temp.MakeFolder("sub");
    int error = -1;
    ASSERT_TRUE(Move(temp / "old.txt", temp / "sub/moved.txt", error));
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"sub"});
    EXPECT_EQ(ReadWholeFile(temp / "sub/moved.txt"), "content");
}

TEST_P(MoveBothWays, RefusesToReplaceAnExistingFile) {
    temp.WriteFile("a.txt", "first");
    temp.WriteFile("b.txt", "second");
    int error = 0;
    EXPECT_FALSE(Move(temp / "a.txt", temp / "b.txt", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(ReadWholeFile(temp / "a.txt"), "first");
    EXPECT_EQ(ReadWholeFile(temp / "b.txt"), "second");
    EXPECT_EQ(NamesIn(temp.Path()), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST_P(MoveBothWays, RefusesAPathWithAZeroByte) {
    temp.WriteFile("a.txt", "first");
    int error = 0;
    // The system call would see only "a" and move the file to that name.
    EXPECT_FALSE(Move(temp / "a.txt", temp / std::string("a\0b.txt", 7), error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"a.txt"});
}

TEST_P(MoveBothWays, RefusesToReplaceAnEmptyFolder) {
    temp.MakeFolder("from");
    temp.WriteFile("from/x", "x");
    temp.MakeFolder("to");
    int error = 0;
    EXPECT_FALSE(Move(temp / "from", temp / "to", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(NamesIn(temp / "from"), std::set<std::string>{"x"});
    EXPECT_TRUE(NamesIn(temp / "to").empty());
}

TEST_P(MoveBothWays, RefusesToReplaceADanglingLink) {
    temp.WriteFile("a.txt", "first");
    ASSERT_EQ(symlink("nowhere", (temp / "link").c_str()), 0);
    int error = 0;
    EXPECT_FALSE(Move(temp / "a.txt", temp / "link", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(ReadWholeFile(temp / "a.txt"), "first");
    EXPECT_EQ(RecordOf(temp / "link").dwFileAttributes, kAttrSymbolicLink);
}

TEST_P(MoveBothWays, CaseOnlyChangeOnACaseSensitiveFileSystem) {
    temp.WriteFile("photo.jpg", "lower");
    int error = -1;
    ASSERT_TRUE(Move(temp / "photo.jpg", temp / "Photo.JPG", error));
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"Photo.JPG"});
    EXPECT_EQ(ReadWholeFile(temp / "Photo.JPG"), "lower");
}

TEST_P(MoveBothWays, TwoFilesDifferingInCaseOnlyAreBothKept) {
    temp.WriteFile("photo.jpg", "lower");
    temp.WriteFile("PHOTO.JPG", "upper");
    int error = 0;
    EXPECT_FALSE(Move(temp / "photo.jpg", temp / "PHOTO.JPG", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(ReadWholeFile(temp / "photo.jpg"), "lower");
    EXPECT_EQ(ReadWholeFile(temp / "PHOTO.JPG"), "upper");
    EXPECT_EQ(NamesIn(temp.Path()), (std::set<std::string>{"photo.jpg", "PHOTO.JPG"}));
}

TEST_P(MoveBothWays, HardLinksToOneFileKeepBothNames) {
    temp.WriteFile("a", "shared");
    ASSERT_EQ(link((temp / "a").c_str(), (temp / "b").c_str()), 0);
    ASSERT_EQ(link((temp / "a").c_str(), (temp / "A").c_str()), 0);
    int error = 0;
    EXPECT_FALSE(Move(temp / "a", temp / "b", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_FALSE(Move(temp / "a", temp / "A", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(NamesIn(temp.Path()), (std::set<std::string>{"A", "a", "b"}));
    EXPECT_EQ(ReadWholeFile(temp / "a"), "shared");
    EXPECT_EQ(ReadWholeFile(temp / "b"), "shared");
    struct stat st;
    ASSERT_EQ(stat((temp / "a").c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 3u);
}

TEST_P(MoveBothWays, MovingOntoItselfChangesNothing) {
    temp.WriteFile("same.txt", "x");
    int error = 0;
    EXPECT_FALSE(Move(temp / "same.txt", temp / "same.txt", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"same.txt"});
}

TEST_P(MoveBothWays, MovesAFolderWithItsContents) {
    temp.WriteFile("old folder/inside.txt", "x");
    int error = -1;
    ASSERT_TRUE(Move(temp / "old folder", temp / "new folder", error));
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"new folder"});
    EXPECT_EQ(ReadWholeFile(temp / "new folder/inside.txt"), "x");
}

TEST_P(MoveBothWays, MovesTheLinkNotItsTarget) {
    temp.WriteFile("target.txt", "target");
    ASSERT_EQ(symlink("target.txt", (temp / "link").c_str()), 0);
    int error = -1;
    ASSERT_TRUE(Move(temp / "link", temp / "renamed link", error));
    EXPECT_EQ(NamesIn(temp.Path()), (std::set<std::string>{"renamed link", "target.txt"}));
    EXPECT_EQ(RecordOf(temp / "renamed link").dwFileAttributes, kAttrSymbolicLink);
    EXPECT_EQ(ReadWholeFile(temp / "target.txt"), "target");
    char buffer[64] = {};
    ASSERT_EQ(readlink((temp / "renamed link").c_str(), buffer, sizeof buffer - 1), 10);
    EXPECT_EQ(std::string(buffer), "target.txt");
}

TEST_P(MoveBothWays, MissingSourceFailsWithENOENT) {
    int error = 0;
    EXPECT_FALSE(Move(temp / "missing", temp / "new", error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_TRUE(NamesIn(temp.Path()).empty());
}

TEST_P(MoveBothWays, MoveIntoAMissingFolderFails) {
    temp.WriteFile("file.txt", "x");
    int error = 0;
    EXPECT_FALSE(Move(temp / "file.txt", temp / "no such folder/file.txt", error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"file.txt"});
}

TEST_P(MoveBothWays, FaultHookFailsTheChosenMoveAndTouchesNothing) {
    temp.WriteFile("a.txt", "a");
    temp.WriteFile("b.txt", "b");
    std::vector<std::pair<std::string, std::string>> asked;
    const std::string failing = temp / "b.txt";
    platform::SetMoveFaultHook([&](const std::string& from, const std::string& to) {
        asked.emplace_back(from, to);
        return from == failing ? EACCES : 0;
    });
    int error = 0;
    EXPECT_FALSE(Move(temp / "b.txt", temp / "b2.txt", error));
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(NamesIn(temp.Path()), (std::set<std::string>{"a.txt", "b.txt"}));
    EXPECT_TRUE(Move(temp / "a.txt", temp / "a2.txt", error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(NamesIn(temp.Path()), (std::set<std::string>{"a2.txt", "b.txt"}));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {temp / "b.txt", temp / "b2.txt"},
        {temp / "a.txt", temp / "a2.txt"},
    };
    EXPECT_EQ(asked, expected);

    // With the hook cleared the same move goes through.
    platform::SetMoveFaultHook(nullptr);
    EXPECT_TRUE(Move(temp / "b.txt", temp / "b2.txt", error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(NamesIn(temp.Path()), (std::set<std::string>{"a2.txt", "b2.txt"}));
    EXPECT_EQ(asked.size(), 2u);
}

TEST_P(MoveBothWays, FaultHookErrorWinsOverTheRealOutcome) {
    temp.WriteFile("a.txt", "a");
    platform::SetMoveFaultHook([](const std::string&, const std::string&) { return ENOSPC; });
    int error = 0;
    EXPECT_FALSE(Move(temp / "missing", temp / "x", error));
    EXPECT_EQ(error, ENOSPC);
    EXPECT_FALSE(Move(temp / "a.txt", temp / "x", error));
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"a.txt"});
}

// A mover that holds sub/ (which held a and b) after its first move, a to x.
class HeldFolderTest : public MoveTest {
protected:
    void SetUp() override {
        temp.WriteFile("sub/a", "a");
        temp.WriteFile("sub/b", "b");
        ASSERT_TRUE(mover.Move(temp / "sub/a", temp / "sub/x", error));
    }
    platform::CFolderMover mover;
    int error = 0;
};

// The moves of a run go through the folder they were given, wherever it goes
// meanwhile: a folder put at its old path is never touched.
TEST_F(HeldFolderTest, FollowsItWhereItGoes) {
    ASSERT_EQ(std::rename((temp / "sub").c_str(), (temp / "elsewhere").c_str()), 0);
    temp.WriteFile("sub/b", "stranger");
    EXPECT_TRUE(mover.Move(temp / "sub/b", temp / "sub/y", error));
    EXPECT_EQ(NamesIn(temp / "elsewhere"), (std::set<std::string>{"x", "y"}));
    EXPECT_EQ(ReadWholeFile(temp / "elsewhere/y"), "b");
    EXPECT_EQ(NamesIn(temp / "sub"), std::set<std::string>{"b"});
    // Once let go, the handle is taken anew from the path.
    mover.Close();
    EXPECT_TRUE(mover.Move(temp / "sub/b", temp / "sub/z", error));
    EXPECT_EQ(NamesIn(temp / "sub"), std::set<std::string>{"z"});
}

// A move of the held folder itself, or any move outside it, lets the handle
// go: the moves after it go by the folder's new path, never through the old
// handle.
TEST_F(HeldFolderTest, IsLetGoWhenAMoveRenamesIt) {
    EXPECT_TRUE(mover.Move(temp / "sub", temp / "moved", error));
    EXPECT_FALSE(mover.Move(temp / "sub/b", temp / "sub/y", error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_TRUE(mover.Move(temp / "moved/b", temp / "moved/y", error));
    temp.MakeFolder("sub");
    EXPECT_FALSE(mover.Move(temp / "sub/y", temp / "sub/z", error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(mover.Move(temp / "moved/x", temp / "moved/y", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(NamesIn(temp / "moved"), (std::set<std::string>{"x", "y"}));
    EXPECT_EQ(ReadWholeFile(temp / "moved/y"), "b");
    EXPECT_TRUE(NamesIn(temp / "sub").empty());
}

INSTANTIATE_TEST_SUITE_P(ByPathsAndThroughTheFolder, MoveBothWays, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "ThroughTheFolder" : "ByPaths";
                         });

TEST_F(MoveTest, IdentityFollowsTheFileNotItsName) {
    temp.WriteFile("a", "a");
    const platform::CEntryIdentity a = platform::GetEntryIdentity(temp / "a");
    EXPECT_TRUE(a.exists);
    EXPECT_FALSE(a.isFolder);
    ASSERT_EQ(std::rename((temp / "a").c_str(), (temp / "b").c_str()), 0);
    EXPECT_EQ(platform::GetEntryIdentity(temp / "b"), a);
    EXPECT_FALSE(platform::GetEntryIdentity(temp / "a").exists);
    temp.WriteFile("a", "a");
    EXPECT_NE(platform::GetEntryIdentity(temp / "a"), a);
    temp.MakeFolder("folder");
    EXPECT_TRUE(platform::GetEntryIdentity(temp / "folder").isFolder);
}

TEST_F(MoveTest, ReplacingOnlyTakesAFreePathButNoFileThatCameSince) {
    const platform::CEntryIdentity before = platform::GetEntryIdentity(temp / "script");
    ASSERT_FALSE(before.exists);
    temp.WriteFile("new", "new script");
    int error = 0;
    // Free at the start and still free: taken.
    ASSERT_TRUE(platform::MoveReplacingOnly(temp / "new", temp / "script", before, error));
    EXPECT_EQ(ReadWholeFile(temp / "script"), "new script");

    // Free at the start, but a file came since: it stays.
    temp.WriteFile("other", "moved here");
    temp.WriteFile("new", "newer script");
    error = 0;
    EXPECT_FALSE(platform::MoveReplacingOnly(temp / "new", temp / "script", before, error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(ReadWholeFile(temp / "script"), "new script");
    EXPECT_EQ(ReadWholeFile(temp / "new"), "newer script");
}

TEST_F(MoveTest, ReplacingOnlyReplacesTheFileThatStoodThereAndNoOther) {
    temp.WriteFile("script", "old script");
    const platform::CEntryIdentity before = platform::GetEntryIdentity(temp / "script");
    temp.WriteFile("new", "new script");
    int error = 0;
    ASSERT_TRUE(platform::MoveReplacingOnly(temp / "new", temp / "script", before, error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"script"});
    EXPECT_EQ(ReadWholeFile(temp / "script"), "new script");

    // The file that stood there moved away and another took its name: both
    // are kept as they are.
    temp.WriteFile("old", "old script");
    const platform::CEntryIdentity old = platform::GetEntryIdentity(temp / "old");
    ASSERT_EQ(std::rename((temp / "old").c_str(), (temp / "elsewhere").c_str()), 0);
    temp.WriteFile("old", "someone's file");
    temp.WriteFile("new", "new script");
    EXPECT_FALSE(platform::MoveReplacingOnly(temp / "new", temp / "old", old, error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(ReadWholeFile(temp / "old"), "someone's file");
    EXPECT_EQ(ReadWholeFile(temp / "elsewhere"), "old script");
    EXPECT_EQ(ReadWholeFile(temp / "new"), "new script");

    // The file that stood there moved away and nothing took its place: the
    // path is free to take, the moved file stays where it went.
    ASSERT_TRUE(platform::MoveReplacingOnly(temp / "new", temp / "gone", old, error));
    EXPECT_EQ(ReadWholeFile(temp / "gone"), "new script");
    EXPECT_EQ(ReadWholeFile(temp / "elsewhere"), "old script");
}

TEST_F(MoveTest, ReplacingOnlyNeverReplacesAFolder) {
    temp.MakeFolder("script");
    temp.WriteFile("script/inside", "inside");
    const platform::CEntryIdentity before = platform::GetEntryIdentity(temp / "script");
    temp.WriteFile("new", "new script");
    int error = 0;
    EXPECT_FALSE(platform::MoveReplacingOnly(temp / "new", temp / "script", before, error));
    EXPECT_EQ(error, EISDIR);
    EXPECT_EQ(ReadWholeFile(temp / "script/inside"), "inside");
    EXPECT_EQ(ReadWholeFile(temp / "new"), "new script");
}

TEST_F(MoveTest, RemoveFile) {
    temp.WriteFile("gone.txt", "x");
    temp.MakeFolder("folder");
    int error = 0;
    EXPECT_TRUE(platform::RemoveFile(temp / "gone.txt", error));
    EXPECT_FALSE(platform::RemoveFile(temp / "gone.txt", error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(platform::RemoveFile(temp / "folder", error));
    EXPECT_EQ(error, EISDIR);
    EXPECT_EQ(NamesIn(temp.Path()), std::set<std::string>{"folder"});
}

TEST(FileSystemErrors, SystemErrorText) {
    EXPECT_EQ(platform::SystemErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(platform::SystemErrorText(EEXIST), "File exists");
    EXPECT_EQ(platform::SystemErrorText(EACCES), "Permission denied");
    EXPECT_EQ(platform::SystemErrorText(123456), "Unknown error 123456");
}

// ---------------------------------------------------------------------------
// The process and its environment

TEST(FileSystemProcess, CurrentFolderAndExecutable) {
    const CTempFolder temp;
    const std::string saved = platform::GetCurrentFolder();
    ASSERT_FALSE(saved.empty());
    ASSERT_EQ(chdir(temp.Path().c_str()), 0);
    const std::string now = platform::GetCurrentFolder();
    ASSERT_EQ(chdir(saved.c_str()), 0);
    EXPECT_EQ(now + "/", std::filesystem::canonical(temp.Path()).string() + "/");
    const std::string exe = platform::GetExecutablePath();
    ASSERT_GE(exe.size(), std::string("/platform_tests").size());
    EXPECT_EQ(exe.substr(exe.rfind('/')), "/platform_tests");
}

TEST(FileSystemExpand, HomeAtTheStart) {
    const CScopedEnv home("HOME", "/home/tester");
    EXPECT_EQ(platform::ExpandPath("~"), "/home/tester");
    EXPECT_EQ(platform::ExpandPath("~/x"), "/home/tester/x");
    EXPECT_EQ(platform::ExpandPath("~/"), "/home/tester/");
    EXPECT_EQ(platform::ExpandPath("~other/x"), "~other/x");
    EXPECT_EQ(platform::ExpandPath("a/~/x"), "a/~/x");
    EXPECT_EQ(platform::ExpandPath(""), "");
}

TEST(FileSystemExpand, DollarVariables) {
    const CScopedEnv var("NR_TEST_VAR", "/photos");
    const CScopedEnv unset("NR_TEST_UNSET", nullptr);
    EXPECT_EQ(platform::ExpandPath("$NR_TEST_VAR/2005"), "/photos/2005");
    EXPECT_EQ(platform::ExpandPath("${NR_TEST_VAR}x"), "/photosx");
    EXPECT_EQ(platform::ExpandPath("$NR_TEST_VAR$NR_TEST_VAR"), "/photos/photos");
    EXPECT_EQ(platform::ExpandPath("$NR_TEST_VAR-old"), "/photos-old");
    EXPECT_EQ(platform::ExpandPath("$NR_TEST_UNSET/x"), "$NR_TEST_UNSET/x");
    EXPECT_EQ(platform::ExpandPath("${NR_TEST_UNSET}/x"), "${NR_TEST_UNSET}/x");
    EXPECT_EQ(platform::ExpandPath("$"), "$");
    EXPECT_EQ(platform::ExpandPath("a$"), "a$");
    EXPECT_EQ(platform::ExpandPath("$-x"), "$-x");
    EXPECT_EQ(platform::ExpandPath("${"), "${");
    EXPECT_EQ(platform::ExpandPath("${}"), "${}");
    EXPECT_EQ(platform::ExpandPath("${NR_TEST_VAR"), "${NR_TEST_VAR");
}

TEST(FileSystemExpand, PercentVariables) {
    const CScopedEnv var("NR_TEST_VAR", "/photos");
    const CScopedEnv unset("NR_TEST_UNSET", nullptr);
    EXPECT_EQ(platform::ExpandPath("%NR_TEST_VAR%/2005"), "/photos/2005");
    EXPECT_EQ(platform::ExpandPath("x%NR_TEST_VAR%%NR_TEST_VAR%"), "x/photos/photos");
    EXPECT_EQ(platform::ExpandPath("%NR_TEST_UNSET%/x"), "%NR_TEST_UNSET%/x");
    EXPECT_EQ(platform::ExpandPath("%"), "%");
    EXPECT_EQ(platform::ExpandPath("%%"), "%%");
    EXPECT_EQ(platform::ExpandPath("a%b"), "a%b");
    EXPECT_EQ(platform::ExpandPath("100% sure"), "100% sure");
}

TEST(FileSystemExpand, HomeAndVariablesTogether) {
    const CScopedEnv home("HOME", "/home/tester");
    const CScopedEnv var("NR_TEST_VAR", "pics");
    EXPECT_EQ(platform::ExpandPath("~/$NR_TEST_VAR/%NR_TEST_VAR%"), "/home/tester/pics/pics");
    EXPECT_EQ(platform::GetEnvironment("NR_TEST_VAR"), "pics");
    EXPECT_EQ(platform::GetEnvironment("NR_TEST_SURELY_NOT_SET"), "");
}

TEST(FileSystemTemp, TempFolderComesFromTMPDIR) {
    const CTempFolder temp;
    std::string folder = temp.Path();
    folder.pop_back();
    {
        const CScopedEnv tmpdir("TMPDIR", folder.c_str());
        EXPECT_EQ(platform::GetTempFolder(), temp.Path());
    }
    {
        const CScopedEnv tmpdir("TMPDIR", (temp / "missing").c_str());
        EXPECT_EQ(platform::GetTempFolder(), "/tmp/");
    }
    {
        const CScopedEnv tmpdir("TMPDIR", nullptr);
        EXPECT_EQ(platform::GetTempFolder(), "/tmp/");
    }
}

TEST(FileSystemTemp, CreateTempFileMakesAnEmptyUniqueFile) {
    const CTempFolder temp;
    std::string first;
    std::string second;
    {
        const CScopedEnv tmpdir("TMPDIR", temp.Path().c_str());
        first = platform::CreateTempFile("NR");
        second = platform::CreateTempFile("NR");
    }
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    for (const auto& path : {first, second}) {
        EXPECT_EQ(path.substr(0, temp.Path().size() + 2), temp.Path() + "NR") << path;
        EXPECT_EQ(path.size(), temp.Path().size() + 8) << path;
        const CFindRecord record = RecordOf(path);
        EXPECT_EQ(record.dwFileAttributes, kAttrNormal);
        EXPECT_EQ(record.FileSize(), 0u);
    }
    const std::set<std::string> expected = {first.substr(temp.Path().size()),
                                            second.substr(temp.Path().size())};
    EXPECT_EQ(NamesIn(temp.Path()), expected);
}

TEST(FileSystemTemp, CreateTempFileFailsInAFolderThatCannotBeWritten) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root can write any folder";
    }
    const CTempFolder temp;
    const std::string folder = temp.MakeFolder("closed");
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    const CScopedEnv tmpdir("TMPDIR", folder.c_str());
    EXPECT_EQ(platform::CreateTempFile("NR"), "");
}

// ---------------------------------------------------------------------------
// Console

TEST(Console, WriteStandardOutputTurnsCrLfIntoLf) {
    const CTempFolder temp;
    const std::string file = temp / "out.txt";
    {
        const CRedirect out(STDOUT_FILENO, file, O_WRONLY | O_CREAT | O_TRUNC);
        EXPECT_TRUE(platform::WriteStandardOutput("first\r\nsecond\rthird\n\r\n\r"));
        EXPECT_TRUE(platform::WriteStandardOutput(""));
        EXPECT_TRUE(platform::WriteStandardOutput("\r\nend"));
        EXPECT_TRUE(platform::FlushStandardOutput());
        EXPECT_FALSE(platform::IsOutputTerminal());
    }
    EXPECT_EQ(ReadWholeFile(file), "first\nsecond\rthird\n\n\r\nend");
}

// Into a file the lines are buffered, but none waits longer than the next
// line that comes 100 ms after the last flush.
TEST(Console, LinesIntoAFileReachItWithTheFirstLineAfterAPause) {
    const CTempFolder temp;
    const std::string file = temp / "out.txt";
    const CRedirect out(STDOUT_FILENO, file, O_WRONLY | O_CREAT | O_TRUNC);
    EXPECT_TRUE(platform::WriteStandardOutputLine("first"));
    EXPECT_TRUE(platform::FlushStandardOutputAtLineEnd());
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_TRUE(platform::WriteStandardOutputLine("second\r\nline"));
    EXPECT_TRUE(platform::FlushStandardOutputAtLineEnd());
    EXPECT_EQ(ReadWholeFile(file), "first\nsecond\nline\n");
}

TEST(Console, TitleIsNotWrittenToAFile) {
    const CTempFolder temp;
    const std::string file = temp / "out.txt";
    {
        const CRedirect out(STDOUT_FILENO, file, O_WRONLY | O_CREAT | O_TRUNC);
        platform::SetTerminalTitle("NorvikRename");
        platform::WriteStandardOutput("text");
        platform::FlushStandardOutput();
    }
    EXPECT_EQ(ReadWholeFile(file), "text");
}

TEST(Console, WaitForKeyPressReturnsAtOnceWithoutATerminal) {
    const CRedirect in(STDIN_FILENO, "/dev/null", O_RDONLY);
    EXPECT_FALSE(platform::IsInputTerminal());
    platform::WaitForKeyPress();
    SUCCEED() << "returned without a key";
}

TEST(Console, WaitForKeyPressGivesUpWhenTheTerminalCannotBeRead) {
    // A process in the background of its terminal, with SIGTTIN ignored,
    // gets EIO for every read of it: the wait must end instead of retrying
    // for ever. It runs in a child so that a hang kills only the child
    // (the alarm is a safety net, not a measurement).
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setsid() < 0) {
            _exit(10);
        }
        const int master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
            _exit(11);
        }
        const int terminal = open(ptsname(master), O_RDWR);
        if (terminal < 0 || ioctl(terminal, TIOCSCTTY, 0) != 0) {
            _exit(12);
        }
        std::signal(SIGTTIN, SIG_IGN);
        std::signal(SIGTTOU, SIG_IGN);
        const pid_t waiter = fork();
        if (waiter == 0) {
            alarm(30);
            if (setpgid(0, 0) != 0 || dup2(terminal, STDIN_FILENO) < 0) {
                _exit(13);
            }
            if (!platform::IsInputTerminal()) {
                _exit(14);
            }
            platform::WaitForKeyPress();
            _exit(0);
        }
        int status = 0;
        if (waiter < 0 || waitpid(waiter, &status, 0) != waiter) {
            _exit(15);
        }
        _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 20 + (WIFSIGNALED(status) ? 1 : 0));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10-15: setup failed, 21: the wait did not end";
}

TEST(FileSystemPaths, LastComponentIsTheNameAfterTheLastSlash) {
    EXPECT_EQ(platform::LastComponent("/photos/a.jpg"), "a.jpg");
    EXPECT_EQ(platform::LastComponent("/photos/a.jpg/"), "a.jpg");
    EXPECT_EQ(platform::LastComponent("a.jpg"), "a.jpg");
    EXPECT_EQ(platform::LastComponent("/"), "");
    EXPECT_EQ(platform::LastComponent("/photos/"), "photos");
}
