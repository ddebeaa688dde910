// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

constexpr int kColName = 0;
constexpr int kColSize = 1;
constexpr int kColAttributes = 2;

class ScanFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.AddColumn("Bestand", ColumnKind::FileName, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Grootte", ColumnKind::Size, -1, ColumnAlignment::Right);
        catalogue.AddColumn("Attributen", ColumnKind::Attributes, -1, ColumnAlignment::Left);
    }

    void Scan() {
        ASSERT_TRUE(catalogue.SetFolder(temp.Path(), false));
        catalogue.Refresh();
    }

    Names RowNames() const {
        Names names;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            names.push_back(catalogue.GetRowEntry(row).LongName());
        }
        return names;
    }

    /// Row paths relative to the temporary folder, folders with a final "/".
    Names RowPaths() const { return RelativeRowPaths(catalogue, temp.Path()); }

    static Names RelativeRowPaths(const CFileCatalogue& catalogue, const std::string& root) {
        Names paths;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            const CFileEntry& entry = catalogue.GetRowEntry(row);
            std::string path = entry.FullPath();
            if (path.compare(0, root.size(), root) == 0) {
                path.erase(0, root.size());
            }
            paths.push_back(path + (entry.IsFolder() ? "/" : ""));
        }
        return paths;
    }

    std::string CellOf(const std::string& name, int column) {
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            if (catalogue.GetRowEntry(row).LongName() == name) {
                return catalogue.GetRowCellText(row, column);
            }
        }
        ADD_FAILURE() << "no row " << name;
        return "<none>";
    }

    void Symlink(const std::string& target, const std::string& name) {
        std::error_code error;
        std::filesystem::create_symlink(target, temp / name, error);
        ASSERT_FALSE(error) << error.message();
    }

    CTempFolder temp;
    CFileCatalogue catalogue;
};

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// ===========================================================================
// Attributes of real entries.

class ScanAttributeTest : public ScanFileSystemTest {
protected:
    void SetUp() override {
        ScanFileSystemTest::SetUp();
        temp.WriteFile("plain.txt");
        temp.WriteFile(".hidden.txt");
        chmod(temp.WriteFile("ro.txt").c_str(), 0444);
        chmod(temp.WriteFile(".both.txt").c_str(), 0444);
        temp.MakeFolder(".git");
        chmod(temp.MakeFolder("rodir").c_str(), 0555);
    }
};

TEST_F(ScanAttributeTest, AttributeTexts) {
    Scan();
    EXPECT_EQ(RowNames(),
              (Names{".git", "rodir", ".both.txt", ".hidden.txt", "plain.txt", "ro.txt"}));
    EXPECT_EQ(CellOf("plain.txt", kColAttributes), "N");
    EXPECT_EQ(CellOf(".hidden.txt", kColAttributes), "H");
    EXPECT_EQ(CellOf("ro.txt", kColAttributes), "R");
    EXPECT_EQ(CellOf(".both.txt", kColAttributes), "RH");
    EXPECT_EQ(CellOf(".git", kColAttributes), "H");
    EXPECT_EQ(CellOf("rodir", kColAttributes), "R");
}

TEST_F(ScanAttributeTest, SortByAttributes) {
    Scan();
    catalogue.SortBy(kColAttributes, true);
    EXPECT_EQ(RowNames(),
              (Names{".git", "rodir", ".hidden.txt", "plain.txt", "ro.txt", ".both.txt"}));
    catalogue.SetFoldersAsFiles(true);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(),
              (Names{".git", ".hidden.txt", "plain.txt", "ro.txt", "rodir", ".both.txt"}));
}

TEST_F(ScanAttributeTest, HiddenFilterInBothFolderModes) {
    catalogue.SetFilterShowHidden(false);
    Scan();
    // Sub-folders are not tested against the filter in normal mode.
    EXPECT_EQ(RowNames(), (Names{".git", "rodir", "plain.txt", "ro.txt"}));
    catalogue.SetFoldersAsFiles(true);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{"plain.txt", "ro.txt", "rodir"}));
}

TEST_F(ScanAttributeTest, ReadOnlyFilterInBothFolderModes) {
    catalogue.SetFilterShowReadOnly(false);
    Scan();
    EXPECT_EQ(RowNames(), (Names{".git", "rodir", ".hidden.txt", "plain.txt"}));
    catalogue.SetFoldersAsFiles(true);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{".git", ".hidden.txt", "plain.txt"}));
}

TEST_F(ScanFileSystemTest, PipeHasTheSystemAttribute) {
    temp.WriteFile("file.txt");
    ASSERT_EQ(mkfifo((temp / "pipe").c_str(), 0644), 0);
    Scan();
    EXPECT_EQ(RowNames(), (Names{"file.txt", "pipe"}));
    EXPECT_EQ(CellOf("pipe", kColAttributes), "S");
    catalogue.SetFilterShowSystem(false);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{"file.txt"}));
}

// ===========================================================================
// Sizes.

TEST_F(ScanFileSystemTest, FourGibibyteSparseFile) {
    const std::string big = temp.WriteFile("big.iso");
    std::error_code error;
    std::filesystem::resize_file(big, 4294967296ULL, error);
    ASSERT_FALSE(error) << error.message();
    temp.WriteFile("small.txt", "12345");
    Scan();
    EXPECT_EQ(CellOf("big.iso", kColSize), "4294967296");
    EXPECT_EQ(CellOf("small.txt", kColSize), "5");
    catalogue.SortBy(kColSize, false);
    EXPECT_EQ(RowNames(), (Names{"big.iso", "small.txt"}));
    ASSERT_TRUE(catalogue.SetFilterSize(CompareMode::Equal, 4294967296LL));
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{"big.iso"}));
}

// ===========================================================================
// Symbolic links.

TEST_F(ScanFileSystemTest, LinkToAFileIsListedAsItself) {
    temp.WriteFile("target.txt", "some content");
    Symlink("target.txt", "link.txt");
    Symlink("nowhere", "dead.txt");
    catalogue.SetMask("*.txt");
    Scan();
    EXPECT_EQ(RowNames(), (Names{"dead.txt", "link.txt", "target.txt"}));
    // The size of the link itself: the length of its target text.
    EXPECT_EQ(CellOf("link.txt", kColSize), "10");
    EXPECT_EQ(CellOf("target.txt", kColSize), "12");
    EXPECT_EQ(CellOf("link.txt", kColAttributes), "");
}

TEST_F(ScanFileSystemTest, LinkToAFolderIsNotFollowed) {
    temp.WriteFile("real/inside.txt");
    Symlink("real", "alias");
    catalogue.SetRecursive(true);
    Scan();
    EXPECT_EQ(RowPaths(), (Names{"real/", "alias", "real/inside.txt"}));
    EXPECT_FALSE(catalogue.GetRowEntry(1).IsFolder());
}

TEST_F(ScanFileSystemTest, LinkCycleEndsAndListsTheLinkOnce) {
    temp.WriteFile("a/photo.jpg");
    Symlink("..", "a/loop");
    catalogue.SetRecursive(true);
    catalogue.SetMask("*;*.*");
    Scan();
    EXPECT_EQ(RowPaths(), (Names{"a/", "a/loop", "a/photo.jpg"}));
    EXPECT_EQ(catalogue.GetEntries().size(), 3u);
}

TEST_F(ScanFileSystemTest, LinkToAFolderCanBeOpened) {
    temp.WriteFile("real/inside.txt");
    Symlink("real", "alias");
    ASSERT_TRUE(catalogue.SetFolder(temp / "alias", false));
    EXPECT_EQ(catalogue.GetFolder(), temp.Path() + "alias/");
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{"inside.txt"}));
    EXPECT_EQ(catalogue.GetRowEntry(0).Folder(), temp.Path() + "alias/");
}

// ===========================================================================
// Unusual names.

class ScanNamesTest : public ScanFileSystemTest {
protected:
    void SetUp() override {
        ScanFileSystemTest::SetUp();
        for (const std::string& name : kNames) {
            temp.WriteFile(name, name);
        }
    }
    const Names kNames{
        "with blank.txt",      " leading and trailing .txt",
        "it's \"quoted\".txt", "new\nline.txt",
        "tab\there.txt",       "na\xC3\xAFve \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.txt",
        "bad\xFF\xFE.txt",     "half\xC3.txt",
        "back\\slash*?.txt",
    };
};

TEST_F(ScanNamesTest, EveryNameKeepsItsBytes) {
    Scan();
    ASSERT_EQ(catalogue.GetRowCount(), static_cast<int>(kNames.size()));
    EXPECT_EQ(Sorted(RowNames()), Sorted(kNames));
    for (int row = 0; row < catalogue.GetRowCount(); ++row) {
        const CFileEntry& entry = catalogue.GetRowEntry(row);
        EXPECT_EQ(ReadWholeFile(entry.FullPath()), entry.LongName());
        EXPECT_EQ(catalogue.GetRowCellText(row, kColName), entry.LongName());
    }
}

TEST_F(ScanNamesTest, EveryNameThroughARegularExpression) {
    catalogue.SetMask(":\\.txt$");
    Scan();
    EXPECT_EQ(Sorted(RowNames()), Sorted(kNames));
}

TEST_F(ScanNamesTest, ExpressionsFindNamesWithStrayBytes) {
    catalogue.SetMask(":^bad.*\\.txt$");
    Scan();
    EXPECT_EQ(RowNames(), (Names{"bad\xFF\xFE.txt"}));
    catalogue.SetMask(":^half");
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{"half\xC3.txt"}));
}

TEST_F(ScanNamesTest, ExpressionsOnNewlinesAndAccents) {
    catalogue.SetMask(":LINE");
    Scan();
    EXPECT_EQ(RowNames(), (Names{"new\nline.txt"}));
    catalogue.SetMask(":\xC3\x8F"); // upper-case I with diaeresis, case ignored
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{"na\xC3\xAFve \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.txt"}));
    catalogue.SetMask(":\xE6\x97\xA5.\xE6\x9C\xAC"); // "." is one character, not one byte
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), Names{});
    catalogue.SetMask(":\xE6\x97\xA5\xE6\x9C\xAC .\\.txt");
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{"na\xC3\xAFve \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.txt"}));
}

TEST_F(ScanNamesTest, ExpressionWithAStrayByteDoesNotListValidNames) {
    catalogue.SetMask(":\xFF");
    ASSERT_NO_THROW(Scan());
    for (const std::string& name : RowNames()) {
        EXPECT_TRUE(name == "bad\xFF\xFE.txt" || name == "half\xC3.txt") << name;
    }
}

TEST_F(ScanNamesTest, WildcardsOverStrayBytes) {
    catalogue.SetMask("bad??.txt");
    Scan();
    EXPECT_EQ(RowNames(), (Names{"bad\xFF\xFE.txt"}));
    catalogue.SetMask("*\xC3.txt");
    catalogue.Refresh();
    EXPECT_EQ(RowNames(), (Names{"half\xC3.txt"}));
}

TEST_F(ScanFileSystemTest, ExpressionsThatBacktrackHardStillListTheRightNames) {
    temp.WriteFile(std::string(200, 'a'));
    temp.WriteFile("aaab");
    catalogue.SetMask(":(a+)+b");
    ASSERT_NO_THROW(Scan());
    EXPECT_EQ(RowNames(), (Names{"aaab"}));
    catalogue.SetMask(":^(a*)*$");
    ASSERT_NO_THROW(catalogue.Refresh());
    EXPECT_EQ(RowNames(), (Names{std::string(200, 'a')}));
}

// ===========================================================================
// Folders that cannot be read or vanish.

namespace {

/// Runs body in a child process as the user nobody and returns what it
/// wrote; the exit status goes to status.
std::string RunAsNobody(const std::function<std::string()>& body, int& status) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        status = -1;
        return {};
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
            setresuid(65534, 65534, 65534) != 0) {
            _exit(3);
        }
        std::string text;
        try {
            text = body();
        } catch (...) {
            _exit(4);
        }
        const char* data = text.data();
        std::size_t left = text.size();
        while (left > 0) {
            const ssize_t written = write(pipeEnds[1], data, left);
            if (written <= 0) {
                _exit(5);
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        close(pipeEnds[1]);
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    waitpid(child, &status, 0);
    return text;
}

} // namespace

TEST_F(ScanFileSystemTest, UnreadableSubFolderIsSkippedAndTheScanGoesOn) {
    temp.WriteFile("top.txt");
    temp.WriteFile("z.dat");
    temp.WriteFile("locked/inner.txt");
    temp.WriteFile("locked/inner.dat");
    temp.WriteFile("open/deep.txt");
    temp.WriteFile("open/deep.dat");
    for (const std::string& readable : {temp.Path(), temp / "open"}) {
        ASSERT_EQ(chmod(readable.c_str(), 0755), 0);
    }
    ASSERT_EQ(chmod((temp / "locked").c_str(), 0000), 0);

    const std::string root = temp.Path();
    const auto scan = [root]() {
        CFileCatalogue scanner;
        scanner.AddColumn("Bestand", ColumnKind::FileName, -1, ColumnAlignment::Left);
        scanner.SetRecursive(true);
        scanner.SetMask("*.txt;*.dat");
        if (!scanner.SetFolder(root, false)) {
            return std::string("SetFolder failed");
        }
        scanner.Refresh();
        std::string text;
        for (const std::string& path : RelativeRowPaths(scanner, root)) {
            text += path + "|";
        }
        return text;
    };
    const std::string expected = "locked/|open/|open/deep.dat|open/deep.txt|top.txt|z.dat|";
    if (geteuid() == 0) {
        int status = 0;
        const std::string listed = RunAsNobody(scan, status);
        ASSERT_TRUE(WIFEXITED(status)) << status;
        ASSERT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(listed, expected);
    } else {
        EXPECT_EQ(scan(), expected);
    }
}

TEST_F(ScanFileSystemTest, FolderThatVanishesBeforeTheRefreshGivesAnEmptyList) {
    temp.WriteFile("gone/a.txt");
    temp.WriteFile("gone/sub/b.txt");
    ASSERT_TRUE(catalogue.SetFolder(temp / "gone", false));
    catalogue.SetRecursive(true);
    catalogue.Refresh();
    ASSERT_EQ(catalogue.GetRowCount(), 3);
    std::filesystem::remove_all(temp / "gone");
    catalogue.Refresh();
    EXPECT_EQ(catalogue.GetRowCount(), 0);
    EXPECT_TRUE(catalogue.GetEntries().empty());
    EXPECT_FALSE(catalogue.IsCancelled());
    EXPECT_EQ(catalogue.GetFolder(), temp.Path() + "gone/");
}

// ===========================================================================
// A larger tree.

namespace {

void BuildTree(const CTempFolder& temp, const std::string& prefix, int depth,
               std::set<std::string>& files, std::set<std::string>& folders) {
    for (int i = 0; i < 25; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%02d.dat", i);
        temp.WriteFile(prefix + name);
        files.insert(prefix + name);
    }
    if (depth == 3) {
        return;
    }
    for (const char* sub : {"left", "right"}) {
        const std::string folder = prefix + sub + std::to_string(depth);
        temp.MakeFolder(folder);
        folders.insert(folder + "/");
        BuildTree(temp, folder + "/", depth + 1, files, folders);
    }
}


// The scan asks no entry for what lstat gives; a cell that shows it fetches
// it for its own entry only, once.
TEST_F(ScanFileSystemTest, FactsAreFetchedOnlyForTheEntriesThatShowThem) {
    temp.WriteFile("a.txt", "12345");
    temp.WriteFile("b.txt", "12");
    temp.MakeFolder("sub");
    Scan();
    ASSERT_EQ(RowPaths(), (Names{"sub/", "a.txt", "b.txt"}));
    for (const CFileEntry& entry : catalogue.GetEntries()) {
        EXPECT_FALSE(entry.HasFacts()) << entry.LongName();
    }
    EXPECT_TRUE(catalogue.GetRowEntry(0).IsFolder());
    EXPECT_EQ(catalogue.GetRowEntry(1).Extension(), "txt");
    EXPECT_EQ(CellOf("a.txt", kColSize), "5");
    EXPECT_TRUE(catalogue.GetRowEntry(1).HasFacts());
    EXPECT_FALSE(catalogue.GetRowEntry(2).HasFacts());
    // Fetched once: a later change on disk does not show until a rescan.
    temp.WriteFile("a.txt", "1234567");
    EXPECT_EQ(CellOf("a.txt", kColSize), "5");
    Scan();
    EXPECT_EQ(CellOf("a.txt", kColSize), "7");
}

TEST_F(ScanFileSystemTest, AFilterThatNeedsNoLstatMakesNone) {
    temp.WriteFile(".hidden.txt");
    temp.WriteFile("shown.txt");
    catalogue.SetFilterShowHidden(false);
    Scan();
    ASSERT_EQ(RowNames(), (Names{"shown.txt"}));
    EXPECT_FALSE(catalogue.GetRowEntry(0).HasFacts());
}

TEST_F(ScanFileSystemTest, ReadOnlyAndSizeFiltersFetchTheFacts) {
    temp.WriteFile("big.txt", "123456");
    temp.WriteFile("locked.txt", "1234567");
    temp.WriteFile("small.txt", "1");
    ASSERT_EQ(chmod((temp / "locked.txt").c_str(), 0444), 0);
    ASSERT_TRUE(catalogue.SetFilterSize(CompareMode::Greater, 4));
    catalogue.SetFilterShowReadOnly(false);
    Scan();
    EXPECT_EQ(RowNames(), (Names{"big.txt"}));
    EXPECT_TRUE(catalogue.GetRowEntry(0).HasFacts());
    EXPECT_EQ(CellOf("big.txt", kColSize), "6");
}

TEST_F(ScanFileSystemTest, AnEntryGoneSinceTheScanKeepsWhatTheListingTold) {
    catalogue.AddColumn("Gemaakt", ColumnKind::Created, -1, ColumnAlignment::Left);
    catalogue.AddColumn("Gewijzigd", ColumnKind::Modified, -1, ColumnAlignment::Left);
    catalogue.AddColumn("Geopend", ColumnKind::Accessed, -1, ColumnAlignment::Left);
    temp.WriteFile(".gone.txt", "123");
    Scan();
    ASSERT_EQ(RowNames(), (Names{".gone.txt"}));
    std::filesystem::remove(temp / ".gone.txt");
    // Size and times are unknown, not 0 and 1601.
    EXPECT_EQ(CellOf(".gone.txt", kColSize), "");
    EXPECT_EQ(CellOf(".gone.txt", 3), "");
    EXPECT_EQ(CellOf(".gone.txt", 4), "");
    EXPECT_EQ(CellOf(".gone.txt", 5), "");
    EXPECT_EQ(CellOf(".gone.txt", kColAttributes), "H");
    const CFileEntry& entry = catalogue.GetRowEntry(0);
    EXPECT_FALSE(entry.IsFolder());
    EXPECT_FALSE(entry.AreFactsKnown());
    EXPECT_FALSE(entry.HasFacts());
    EXPECT_EQ(entry.FactsError(), ENOENT);
    // lstat is asked once: a file that comes back later is not seen.
    temp.WriteFile(".gone.txt", "12345");
    EXPECT_EQ(CellOf(".gone.txt", kColSize), "");
    EXPECT_FALSE(entry.AreFactsKnown());
}

TEST_F(ScanFileSystemTest, AnEntryThatBecameAFolderSinceTheScanIsAFolderOnceLooked) {
    temp.WriteFile("became.dir", "123");
    Scan();
    ASSERT_EQ(RowNames(), (Names{"became.dir"}));
    ASSERT_FALSE(catalogue.GetRowEntry(0).IsFolder());
    std::filesystem::remove(temp / "became.dir");
    std::filesystem::create_directory(temp / "became.dir");
    // The first lstat tells what stands there now, as set facts would: no
    // size for a folder.
    EXPECT_EQ(CellOf("became.dir", kColSize), "");
    EXPECT_TRUE(catalogue.GetRowEntry(0).IsFolder());
    EXPECT_EQ(CellOf("became.dir", kColAttributes), "");
}

} // namespace

TEST_F(ScanFileSystemTest, RecursiveTreeListsEveryFile) {
    std::set<std::string> files;
    std::set<std::string> folders;
    BuildTree(temp, "", 0, files, folders);
    temp.WriteFile("left0/skip.txt");
    ASSERT_EQ(files.size(), 375u);
    ASSERT_EQ(folders.size(), 14u);

    catalogue.SetRecursive(true);
    catalogue.SetMask("*.dat");
    Scan();
    const Names paths = RowPaths();
    std::set<std::string> expected = files;
    expected.insert(folders.begin(), folders.end());
    EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()), expected);
    EXPECT_EQ(paths.size(), expected.size());

    catalogue.SetShowFolders(false);
    catalogue.Refresh();
    const Names onlyFiles = RowPaths();
    EXPECT_EQ(std::set<std::string>(onlyFiles.begin(), onlyFiles.end()), files);
    EXPECT_EQ(onlyFiles.size(), files.size());
    // Sorted by name, the 15 files of each name follow each other, ordered
    // by their folders.
    EXPECT_EQ(onlyFiles.front(), "file00.dat");
    EXPECT_EQ(onlyFiles[1], "left0/file00.dat");
    EXPECT_EQ(onlyFiles[2], "left0/left1/file00.dat");
    EXPECT_EQ(onlyFiles.back(), "right0/right1/right2/file24.dat");
}
