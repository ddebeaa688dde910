// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"
#include "catalogue/DefaultColumns.h"
#include "catalogue/NameParts.h"
#include "catalogue/TypeNameSource.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

/// A catalogue that records its hooks as text, with folders shown relative
/// to root, and that can cancel when it enters a chosen folder.
class CRecordingCatalogue : public CFileCatalogue {
public:
    std::string root;
    std::vector<std::string> calls;
    int refreshDone = 0;
    int refreshCancelled = 0;
    std::string cancelAt; ///< relative folder whose entry cancels; "" never
    std::vector<int> itemChanged;
    std::vector<bool> busyInFolderEnter;
    std::function<void(CRecordingCatalogue&)> onRefreshDone;
    std::function<void(const std::string&)> onPatternDone;

    std::string Relative(const std::string& path) const {
        return path.compare(0, root.size(), root) == 0 ? "<T>/" + path.substr(root.size()) : path;
    }

protected:
    void OnRefreshStart() override { calls.push_back("RefreshStart"); }
    void OnPatternStart(const std::string& pattern) override {
        calls.push_back("PatternStart[" + pattern + "]");
    }
    void OnFolderEnter(const std::string& folder, bool& cancelled) override {
        calls.push_back("FolderEnter " + Relative(folder));
        busyInFolderEnter.push_back(IsBusy());
        if (!cancelAt.empty() && Relative(folder) == cancelAt) {
            cancelled = true;
        }
    }
    void OnPatternDone(const std::string& pattern) override {
        calls.push_back("PatternDone[" + pattern + "]");
        if (onPatternDone) {
            onPatternDone(pattern);
        }
    }
    void OnRefreshDone() override {
        calls.push_back("RefreshDone");
        ++refreshDone;
        if (onRefreshDone) {
            onRefreshDone(*this);
        }
    }
    void OnRefreshCancelled() override {
        calls.push_back("RefreshCancelled");
        ++refreshCancelled;
    }
    void OnItemChanged(int row) override { itemChanged.push_back(row); }
    void OnSortChanged(int column, bool ascending) override {
        calls.push_back("SortChanged " + std::to_string(column) + (ascending ? " up" : " down"));
    }
};

class CFakeTypeNames : public CTypeNameSource {
public:
    int calls = 0;
    std::string TypeName(const std::string& longName, uint32_t attributes) override {
        ++calls;
        if (attributes & platform::kAttrDirectory) {
            return "Folder";
        }
        std::string base;
        std::string extension;
        SplitName(longName, base, extension);
        static const std::map<std::string, std::string> kNames = {{"jpg", "JPEG image"},
                                                                  {"txt", "Plain text"}};
        const auto found = kNames.find(extension);
        return found == kNames.end() ? "File" : found->second;
    }
};

Names RowNames(const CFileCatalogue& catalogue) {
    Names names;
    for (int row = 0; row < catalogue.GetRowCount(); ++row) {
        names.push_back(catalogue.GetRowEntry(row).LongName());
    }
    return names;
}

Names RowCells(CFileCatalogue& catalogue, int column) {
    Names cells;
    for (int row = 0; row < catalogue.GetRowCount(); ++row) {
        cells.push_back(catalogue.GetRowCellText(row, column));
    }
    return cells;
}

// Converts a Unix time in whole seconds to a file time.
uint64_t FileTimeOf(int64_t unixSeconds) {
    return static_cast<uint64_t>(unixSeconds + platform::kEpochDifferenceSeconds) *
           platform::kTicksPerSecond;
}

void SetTimes(const std::string& path, int64_t accessUnix, int64_t writeUnix) {
    const timespec times[2] = {{static_cast<time_t>(accessUnix), 0},
                               {static_cast<time_t>(writeUnix), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

CFileEntry MakeEntry(const std::string& folder, const std::string& name, uint32_t attributes = 0x80,
                     uint64_t size = 0) {
    CFileEntry entry;
    entry.SetFolder(folder);
    entry.SetLongName(name);
    entry.SetFacts(CEntryFacts{attributes, size});
    return entry;
}

void SetEntryTimes(CFileEntry& entry, uint64_t created, uint64_t written, uint64_t accessed) {
    CEntryFacts facts = entry.Facts();
    facts.creationTime = created;
    facts.lastWriteTime = written;
    facts.lastAccessTime = accessed;
    entry.SetFacts(facts);
}

class CatalogueTestBase : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.root = temp.Path();
        AddDefaultColumns(catalogue);
        catalogue.SetDateFormat("yyyy-MM-dd");
        catalogue.SetTimeFormat("HH:mm");
    }

    /// Sets the folder (relative to the temporary folder) and rescans.
    void Scan(const std::string& sub = "") {
        ASSERT_TRUE(catalogue.SetFolder(temp.Path() + sub, false));
        catalogue.Refresh();
    }

    /// Row paths relative to the temporary folder.
    Names RowPaths() const {
        Names paths;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            const CFileEntry& entry = catalogue.GetRowEntry(row);
            paths.push_back(catalogue.Relative(entry.FullPath()) + (entry.IsFolder() ? "/" : ""));
        }
        return paths;
    }

    Names EntryPaths() const {
        Names paths;
        for (const CFileEntry& entry : catalogue.GetEntries()) {
            paths.push_back(catalogue.Relative(entry.FullPath()) + (entry.IsFolder() ? "/" : ""));
        }
        return paths;
    }

    CTempFolder temp;
    CRecordingCatalogue catalogue;
};

} // namespace

// ===========================================================================
// Masks.

class CatalogueMaskTest : public CatalogueTestBase {
protected:
    void SetUp() override {
        CatalogueTestBase::SetUp();
        temp.WriteFile("a.txt");
        temp.WriteFile("b.doc");
        temp.WriteFile("c.jpg");
        temp.WriteFile("README");
        temp.WriteFile("sub/inner.txt");
    }
};

TEST_F(CatalogueMaskTest, DefaultMaskListsEverythingAlsoNamesWithoutDot) {
    EXPECT_EQ(catalogue.GetMask(), "*.*");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"sub", "a.txt", "b.doc", "c.jpg", "README"}));
}

TEST_F(CatalogueMaskTest, EmptyPieceEndsTheMask) {
    catalogue.SetShowFolders(false);
    catalogue.SetMask("*.txt;;*.doc");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.txt"}));
}

TEST_F(CatalogueMaskTest, LeadingSemicolonListsNothingNotEvenFolders) {
    catalogue.SetMask(";*.doc");
    Scan();
    EXPECT_EQ(catalogue.GetRowCount(), 0);
    EXPECT_EQ(catalogue.calls, (Names{"RefreshStart", "RefreshDone"}));
}

TEST_F(CatalogueMaskTest, PieceIsTrimmed) {
    catalogue.SetMask("  *.doc ");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"sub", "b.doc"}));
}

TEST_F(CatalogueMaskTest, SeveralPiecesAreJoined) {
    catalogue.SetMask("*.doc; *.txt");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"sub", "a.txt", "b.doc"}));
}

TEST_F(CatalogueMaskTest, BlankPieceScansNothingButTheNextPieceRuns) {
    catalogue.SetMask("*.doc; ;*.jpg");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"sub", "b.doc", "c.jpg"}));
}

TEST_F(CatalogueMaskTest, WildcardsIgnoreCase) {
    temp.WriteFile("ab.txt");
    catalogue.SetShowFolders(false);
    catalogue.SetMask("?.TXT");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.txt"}));
    catalogue.SetMask("*B*");
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"ab.txt", "b.doc"}));
}

TEST_F(CatalogueMaskTest, SingleColonIsAWildcardThatListsOnlyFolders) {
    catalogue.SetMask(":");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"sub"}));
    EXPECT_EQ(catalogue.calls[1], "PatternStart[:]");
}

TEST_F(CatalogueMaskTest, NoMatchStillListsFoldersInNormalMode) {
    catalogue.SetMask("*.none");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"sub"}));
    catalogue.SetFoldersAsFiles(true);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), Names{});
}

// ===========================================================================
// Regular-expression masks.

class CatalogueRegexTest : public CatalogueTestBase {
protected:
    void SetUp() override {
        CatalogueTestBase::SetUp();
        temp.WriteFile("IMG0001.jpg");
        temp.WriteFile("old_img1.jpg");
        temp.WriteFile("notes.txt");
        temp.MakeFolder("gallery");
    }
};

TEST_F(CatalogueRegexTest, AnchoredExpressionIgnoresCase) {
    EXPECT_TRUE(catalogue.GetRegexIgnoreCase());
    catalogue.SetMask(":^img[0-9]+");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"gallery", "IMG0001.jpg"}));
}

TEST_F(CatalogueRegexTest, UnanchoredExpressionMatchesAnywhere) {
    catalogue.SetMask(":img[0-9]+");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"gallery", "IMG0001.jpg", "old_img1.jpg"}));
}

TEST_F(CatalogueRegexTest, ExpressionSeesTheExtension) {
    temp.WriteFile("jpg_list.txt");
    temp.WriteFile("photo.JPG");
    catalogue.SetShowFolders(false);
    catalogue.SetMask(":jpg");
    Scan();
    EXPECT_EQ(RowNames(catalogue),
              (Names{"IMG0001.jpg", "jpg_list.txt", "old_img1.jpg", "photo.JPG"}));
    catalogue.SetMask(":\\.txt$");
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"jpg_list.txt", "notes.txt"}));
}

TEST_F(CatalogueRegexTest, InvalidExpressionListsNoFilesButFolders) {
    catalogue.SetMask(":(");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"gallery"}));
    catalogue.SetFoldersAsFiles(true);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), Names{});
}

TEST_F(CatalogueRegexTest, FoldersAsFilesTestsFoldersAgainstTheExpression) {
    catalogue.SetFoldersAsFiles(true);
    catalogue.SetMask(":^gal");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"gallery"}));
    catalogue.SetMask(":img");
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"IMG0001.jpg", "old_img1.jpg"}));
}

TEST_F(CatalogueRegexTest, RegexModeUsesOneEmptyPatternAndScansSubFolders) {
    temp.WriteFile("gallery/img2.png");
    catalogue.SetRecursive(true);
    catalogue.SetMask(":^img;notes");
    Scan();
    // ";" has no meaning inside an expression.
    EXPECT_EQ(RowPaths(), (Names{"<T>/gallery/"}));
    catalogue.SetMask(":^img");
    catalogue.calls.clear();
    catalogue.Refresh();
    EXPECT_EQ(RowPaths(), (Names{"<T>/gallery/", "<T>/IMG0001.jpg", "<T>/gallery/img2.png"}));
    EXPECT_EQ(catalogue.calls, (Names{"RefreshStart", "PatternStart[]", "FolderEnter <T>/",
                                      "FolderEnter <T>/gallery/", "PatternDone[]", "RefreshDone"}));
}

// ===========================================================================
// Duplicates and scan order.

TEST_F(CatalogueTestBase, SameFileFromTwoPiecesIsListedOnce) {
    temp.WriteFile("a.jpg");
    temp.WriteFile("B.JPG");
    catalogue.SetMask("*.jpg;*.JPG");
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.jpg", "B.JPG"}));
    EXPECT_EQ(catalogue.GetEntries().size(), 2u);
}

TEST_F(CatalogueTestBase, NamesThatDifferByCaseAreTwoFiles) {
    temp.WriteFile("photo.jpg");
    temp.WriteFile("PHOTO.JPG");
    catalogue.SetMask("*.jpg;*.JPG");
    Scan();
    Names names = RowNames(catalogue);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"PHOTO.JPG", "photo.jpg"}));
    EXPECT_EQ(catalogue.GetEntries().size(), 2u);
}

TEST_F(CatalogueTestBase, LaterPiecesAddOnlyNewEntriesInScanOrder) {
    temp.WriteFile("a.jpg");
    temp.WriteFile("b.txt");
    catalogue.SetMask("*.jpg;a.*;*");
    Scan();
    EXPECT_EQ(EntryPaths(), (Names{"<T>/a.jpg", "<T>/b.txt"}));
}

TEST_F(CatalogueTestBase, FiveThousandFilesThroughTwoPieces) {
    for (int i = 0; i < 5000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%04d.txt", i);
        temp.WriteFile(name);
    }
    catalogue.SetMask("*;*");
    Scan();
    ASSERT_EQ(catalogue.GetRowCount(), 5000);
    EXPECT_EQ(catalogue.GetEntries().size(), 5000u);
    EXPECT_EQ(catalogue.GetRowEntry(0).LongName(), "f0000.txt");
    EXPECT_EQ(catalogue.GetRowEntry(2500).LongName(), "f2500.txt");
    EXPECT_EQ(catalogue.GetRowEntry(4999).LongName(), "f4999.txt");

    // A list this long is freed aside while the next refresh reads the
    // folder; nothing of the new list may come from the old one.
    for (int i = 0; i < 5000; i += 2) {
        char name[32];
        std::snprintf(name, sizeof name, "f%04d.txt", i);
        std::filesystem::remove(temp / name);
    }
    Scan();
    ASSERT_EQ(catalogue.GetRowCount(), 2500);
    EXPECT_EQ(catalogue.GetRowEntry(0).LongName(), "f0001.txt");
    EXPECT_EQ(catalogue.GetRowEntry(2499).LongName(), "f4999.txt");
    catalogue.SetMask("f1*");
    Scan();
    ASSERT_EQ(catalogue.GetRowCount(), 500);
    EXPECT_EQ(catalogue.GetRowEntry(0).LongName(), "f1001.txt");
}

TEST_F(CatalogueTestBase, ScanOrderIsFoldersThenFilesPerPiece) {
    temp.WriteFile("1.jpg");
    temp.WriteFile("2.png");
    temp.MakeFolder("f");
    catalogue.SetMask("*.png;*.jpg");
    Scan();
    EXPECT_EQ(EntryPaths(), (Names{"<T>/f/", "<T>/2.png", "<T>/1.jpg"}));
    EXPECT_EQ(RowNames(catalogue), (Names{"f", "1.jpg", "2.png"}));
}

TEST_F(CatalogueTestBase, RecursiveScanOrderIsDepthFirstPerPiece) {
    temp.WriteFile("t.jpg");
    temp.WriteFile("t.png");
    temp.WriteFile("sub/s.jpg");
    temp.WriteFile("sub/s.png");
    catalogue.SetRecursive(true);
    catalogue.SetMask("*.jpg;*.png");
    Scan();
    EXPECT_EQ(EntryPaths(),
              (Names{"<T>/sub/", "<T>/t.jpg", "<T>/sub/s.jpg", "<T>/t.png", "<T>/sub/s.png"}));
    const CFileEntry& inSub = catalogue.GetEntries()[2];
    EXPECT_EQ(inSub.Folder(), temp.Path() + "sub/");
    EXPECT_EQ(inSub.BaseName(), "s");
    EXPECT_EQ(inSub.Extension(), "jpg");
}

// A mask of one piece reads each folder straight into the list; one of two
// pieces keeps each folder's listing for the second. With a second piece
// that matches nothing, both must list the same entries in the same order
// (per folder its sub-folders, then its files, each as the folder lists
// them), under every switch and with a filter that asks for sizes.
TEST_F(CatalogueTestBase, OnePieceListsAsTwoPiecesDoUnderEverySwitch) {
    for (int i = 0; i < 40; ++i) {
        const std::string n = std::to_string(i);
        temp.WriteFile("f" + n + ".jpg", std::string(static_cast<std::size_t>(i * 60), 'x'));
        temp.WriteFile("t" + n + ".txt");
        if (i % 5 == 0) {
            temp.MakeFolder("d" + n + ".jpg");
            temp.WriteFile("d" + n + ".jpg/in" + n + ".jpg",
                           std::string(static_cast<std::size_t>(i * 70), 'y'));
            temp.MakeFolder("d" + n + ".jpg/deeper");
            temp.WriteFile("d" + n + ".jpg/deeper/last.JPG");
        }
    }
    const auto listed = [&](const std::string& mask) {
        catalogue.SetMask(mask);
        Scan();
        return std::make_pair(EntryPaths(), RowPaths());
    };
    int foldersBeforeFiles = 0;
    for (int switches = 0; switches < 32; ++switches) {
        catalogue.SetRecursive((switches & 1) != 0);
        catalogue.SetFoldersAsFiles((switches & 2) != 0);
        catalogue.SetShowFolders((switches & 4) == 0);
        catalogue.SetShowFiles((switches & 8) == 0);
        ASSERT_TRUE(catalogue.SetFilterSize(
            (switches & 16) != 0 ? CompareMode::Greater : CompareMode::Off, 1000));
        const auto once = listed("*.jpg");
        const auto twice = listed("*.jpg;*.none");
        EXPECT_EQ(once.first, twice.first) << "switches " << switches;
        EXPECT_EQ(once.second, twice.second) << "switches " << switches;
        // Folders and files both listed in the top folder: the folders come
        // first in the scan order even where the folder lists them among
        // the files.
        const Names& entries = once.first;
        const auto firstFile =
            std::find_if(entries.begin(), entries.end(), [](const std::string& p) {
                return p.back() != '/' && p.find('/', 4) == std::string::npos;
            });
        if (firstFile != entries.begin() && firstFile != entries.end() && (switches & 2) == 0) {
            ++foldersBeforeFiles;
            EXPECT_TRUE(std::none_of(firstFile, entries.end(),
                                     [](const std::string& p) {
                                         return p.back() == '/' && p.find('/', 4) == p.size() - 1;
                                     }))
                << "switches " << switches;
        }
    }
    EXPECT_GT(foldersBeforeFiles, 0);
}

TEST_F(CatalogueTestBase, EachFolderIsReadOncePerRefresh) {
    temp.WriteFile("a.a");
    catalogue.SetMask("*.a;*.b");
    catalogue.onPatternDone = [&](const std::string& pattern) {
        if (pattern == "*.a") {
            temp.WriteFile("late.b");
        }
    };
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.a"}));
    catalogue.onPatternDone = nullptr;
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.a", "late.b"}));
}

// ===========================================================================
// Folders, files and folders-as-files.

class CatalogueFolderModeTest : public CatalogueTestBase {
protected:
    void SetUp() override {
        CatalogueTestBase::SetUp();
        temp.WriteFile("a.mp3", std::string(2000, 'a'));
        temp.WriteFile("song.mp3", "0123456789");
        temp.WriteFile("notes.txt");
        temp.MakeFolder("backup.mp3");
        temp.MakeFolder("music");
        catalogue.SetMask("*.mp3");
    }
};

TEST_F(CatalogueFolderModeTest, NormalModeListsEverySubFolderFirst) {
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3", "music", "a.mp3", "song.mp3"}));
    EXPECT_TRUE(catalogue.GetRowEntry(1).IsFolder());
    EXPECT_FALSE(catalogue.GetRowEntry(2).IsFolder());
}

TEST_F(CatalogueFolderModeTest, FoldersStayAscendingInADescendingSort) {
    Scan();
    catalogue.SortBy(kNameColumn, false);
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3", "music", "song.mp3", "a.mp3"}));
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3", "music", "song.mp3", "a.mp3"}));
    catalogue.SortBy(kSizeColumn, false);
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3", "music", "a.mp3", "song.mp3"}));
    catalogue.SortBy(kSizeColumn, true);
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3", "music", "song.mp3", "a.mp3"}));
}

TEST_F(CatalogueFolderModeTest, ShowFoldersAndShowFiles) {
    catalogue.SetShowFolders(false);
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.mp3", "song.mp3"}));
    catalogue.SetShowFolders(true);
    catalogue.SetShowFiles(false);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3", "music"}));
    catalogue.SetShowFolders(false);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), Names{});
}

TEST_F(CatalogueFolderModeTest, FoldersAsFilesGoThroughTheMask) {
    catalogue.SetFoldersAsFiles(true);
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.mp3", "backup.mp3", "song.mp3"}));
    EXPECT_EQ(RowCells(catalogue, kSizeColumn), (Names{"2000", "", "10"}));
    EXPECT_TRUE(catalogue.GetRowEntry(1).IsFolder());
    catalogue.SortBy(kNameColumn, false);
    EXPECT_EQ(RowNames(catalogue), (Names{"song.mp3", "backup.mp3", "a.mp3"}));
    catalogue.SortBy(kSizeColumn, true);
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3", "song.mp3", "a.mp3"}));
}

TEST_F(CatalogueFolderModeTest, FoldersAsFilesWithShowSwitches) {
    catalogue.SetFoldersAsFiles(true);
    catalogue.SetShowFolders(false);
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.mp3", "song.mp3"}));
    catalogue.SetShowFolders(true);
    catalogue.SetShowFiles(false);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3"}));
}

TEST_F(CatalogueFolderModeTest, SizeFilterNeverAppliesToFolders) {
    ASSERT_TRUE(catalogue.SetFilterSize(CompareMode::Greater, 1000));
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"backup.mp3", "music", "a.mp3"}));
    catalogue.SetFoldersAsFiles(true);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"a.mp3", "backup.mp3"}));
}

TEST_F(CatalogueTestBase, RecursiveFoldersOrderedByParentThenName) {
    temp.MakeFolder("b");
    temp.MakeFolder("a/z");
    catalogue.SetShowFiles(false);
    Scan();
    EXPECT_EQ(RowPaths(), (Names{"<T>/a/", "<T>/b/"}));
    catalogue.SetRecursive(true);
    catalogue.Refresh();
    EXPECT_EQ(RowPaths(), (Names{"<T>/a/", "<T>/b/", "<T>/a/z/"}));
    catalogue.SortBy(kNameColumn, false);
    EXPECT_EQ(RowPaths(), (Names{"<T>/a/", "<T>/b/", "<T>/a/z/"}));
}

TEST_F(CatalogueTestBase, RecursiveEqualNamesOrderedByFolder) {
    temp.WriteFile("x.jpg");
    temp.WriteFile("b/x.jpg");
    temp.WriteFile("a/x.jpg");
    catalogue.SetRecursive(true);
    catalogue.SetMask("*.jpg");
    Scan();
    EXPECT_EQ(RowPaths(), (Names{"<T>/a/", "<T>/b/", "<T>/x.jpg", "<T>/a/x.jpg", "<T>/b/x.jpg"}));
    catalogue.SortBy(kNameColumn, false);
    EXPECT_EQ(RowPaths(), (Names{"<T>/a/", "<T>/b/", "<T>/b/x.jpg", "<T>/a/x.jpg", "<T>/x.jpg"}));
    // Top-level files come first in scan order.
    EXPECT_EQ(catalogue.GetEntries()[2].FullPath(), temp.Path() + "x.jpg");
}

// ===========================================================================
// The filter through the catalogue.

TEST_F(CatalogueTestBase, NameLengthFilterCountsTheExtension) {
    temp.WriteFile("abcd.txt");
    temp.WriteFile("abc.txt");
    temp.WriteFile("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.txt");
    temp.MakeFolder("x");
    ASSERT_TRUE(catalogue.SetFilterNameLength(CompareMode::Equal, 8));
    Scan();
    EXPECT_EQ(RowNames(catalogue),
              (Names{"x", "abcd.txt", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.txt"}));
    catalogue.SetFoldersAsFiles(true);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"abcd.txt", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.txt"}));
}

TEST_F(CatalogueTestBase, SizeFilterGreaterThanOneKilobyte) {
    temp.WriteFile("small.bin", std::string(1024, 'x'));
    temp.WriteFile("big.bin", std::string(1025, 'x'));
    temp.MakeFolder("dir");
    ASSERT_TRUE(catalogue.SetFilterSize(CompareMode::Greater, 1024));
    Scan();
    EXPECT_EQ(RowNames(catalogue), (Names{"dir", "big.bin"}));
}

TEST_F(CatalogueTestBase, DateRangeFromEqualToAdmitsExactlyThatInstant) {
    constexpr int64_t kMay2004 = 1083369600; // 2004-05-01 00:00:00 UTC
    SetTimes(temp.WriteFile("exact.jpg"), kMay2004, kMay2004);
    SetTimes(temp.WriteFile("later.jpg"), kMay2004, kMay2004 + 1);
    SetTimes(temp.WriteFile("earlier.jpg"), kMay2004, kMay2004 - 1);
    temp.MakeFolder("dir");
    platform::CCalendarTime may;
    may.year = 2004;
    may.month = 5;
    may.day = 1;
    ASSERT_TRUE(catalogue.SetFolder(temp.Path(), false));
    catalogue.SetAutoRefresh(true);
    const int refreshes = catalogue.refreshDone;
    ASSERT_TRUE(catalogue.SetFilterModifiedRange(true, may, may));
    EXPECT_EQ(catalogue.refreshDone, refreshes); // date ranges do not rescan
    EXPECT_EQ(catalogue.GetRowCount(), 4);
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"dir", "exact.jpg"}));

    platform::CCalendarTime next = may;
    next.day = 2;
    ASSERT_TRUE(catalogue.SetFilterModifiedRange(true, next, may));
    catalogue.Refresh();
    EXPECT_EQ(RowNames(catalogue), (Names{"dir"}));
}

// ===========================================================================
// Order of entries (CompareEntries on entries made in memory).

class CatalogueOrderTest : public ::testing::Test {
protected:
    void SetUp() override { AddDefaultColumns(catalogue); }
    int Compare(const CFileEntry& a, const CFileEntry& b) const {
        return catalogue.CompareEntries(a, b);
    }
    CFileCatalogue catalogue;
};

TEST_F(CatalogueOrderTest, NameColumnIgnoresCaseAndHonoursTheDirection) {
    const CFileEntry a = MakeEntry("/p/", "a.txt");
    const CFileEntry b = MakeEntry("/p/", "B.txt");
    catalogue.SortBy(kNameColumn, true);
    EXPECT_LT(Compare(a, b), 0);
    EXPECT_GT(Compare(b, a), 0);
    EXPECT_EQ(Compare(a, MakeEntry("/p/", "A.TXT")), 0);
    catalogue.SortBy(kNameColumn, false);
    EXPECT_GT(Compare(a, b), 0);
    EXPECT_LT(Compare(b, a), 0);
}

TEST_F(CatalogueOrderTest, NameColumnComparesFoldersOnlyWhenRecursive) {
    const CFileEntry inB = MakeEntry("/b/", "x.jpg");
    const CFileEntry inA = MakeEntry("/a/", "x.jpg");
    catalogue.SortBy(kNameColumn, true);
    EXPECT_EQ(Compare(inB, inA), 0);
    catalogue.SetRecursive(true);
    EXPECT_GT(Compare(inB, inA), 0);
    catalogue.SortBy(kNameColumn, false);
    EXPECT_LT(Compare(inB, inA), 0);
}

TEST_F(CatalogueOrderTest, FolderColumnThenName) {
    catalogue.SortBy(kFolderColumn, true);
    EXPECT_GT(Compare(MakeEntry("/b/", "a.txt"), MakeEntry("/a/", "z.txt")), 0);
    EXPECT_LT(Compare(MakeEntry("/P/", "a.txt"), MakeEntry("/p/", "b.txt")), 0);
    catalogue.SortBy(kFolderColumn, false);
    EXPECT_LT(Compare(MakeEntry("/b/", "a.txt"), MakeEntry("/a/", "z.txt")), 0);
}

TEST_F(CatalogueOrderTest, ExtensionWithTieBreaks) {
    catalogue.SortBy(kExtensionColumn, true);
    EXPECT_LT(Compare(MakeEntry("/p/", "z.doc"), MakeEntry("/p/", "a.TXT")), 0);
    EXPECT_LT(Compare(MakeEntry("/p/", "noext"), MakeEntry("/p/", "a.doc")), 0);
    // Same extension: the names decide.
    EXPECT_GT(Compare(MakeEntry("/p/", "b.txt"), MakeEntry("/p/", "a.TXT")), 0);
    // Recursive: the folders decide before the names.
    const CFileEntry za = MakeEntry("/z/", "a.txt");
    const CFileEntry yb = MakeEntry("/y/", "b.txt");
    EXPECT_LT(Compare(za, yb), 0);
    catalogue.SetRecursive(true);
    EXPECT_GT(Compare(za, yb), 0);
    catalogue.SortBy(kExtensionColumn, false);
    EXPECT_LT(Compare(za, yb), 0);
    EXPECT_GT(Compare(MakeEntry("/p/", "z.doc"), MakeEntry("/p/", "a.txt")), 0);
}

TEST_F(CatalogueOrderTest, SizeUsesSixtyFourBits) {
    catalogue.SortBy(kSizeColumn, true);
    EXPECT_GT(Compare(MakeEntry("/p/", "a", 0x80, 4294967297ULL), MakeEntry("/p/", "b", 0x80, 1)),
              0);
    EXPECT_LT(Compare(MakeEntry("/p/", "z", 0x80, 5), MakeEntry("/p/", "a", 0x80, 10)), 0);
    EXPECT_LT(Compare(MakeEntry("/p/", "a", 0x80, 7), MakeEntry("/p/", "b", 0x80, 7)), 0);
    catalogue.SortBy(kSizeColumn, false);
    EXPECT_GT(Compare(MakeEntry("/p/", "z", 0x80, 5), MakeEntry("/p/", "a", 0x80, 10)), 0);
    EXPECT_GT(Compare(MakeEntry("/p/", "a", 0x80, 7), MakeEntry("/p/", "b", 0x80, 7)), 0);
}

TEST_F(CatalogueOrderTest, TypeAndAttributesCompareTheirTexts) {
    CFileEntry a = MakeEntry("/p/", "a.jpg", platform::kAttrReadOnly); // "R"
    CFileEntry b =
        MakeEntry("/p/", "b.txt", platform::kAttrArchive | platform::kAttrHidden); // "AH"
    a.SetTypeName("plain", false);
    b.SetTypeName("JPEG", false);
    catalogue.SortBy(kTypeColumn, true);
    EXPECT_GT(Compare(a, b), 0);
    catalogue.SortBy(kAttributesColumn, true);
    EXPECT_GT(Compare(a, b), 0);
    b.SetFacts(CEntryFacts{platform::kAttrReadOnly}); // "R"
    EXPECT_LT(Compare(a, b), 0);                      // equal letters: the names decide
    catalogue.SortBy(kAttributesColumn, false);
    EXPECT_GT(Compare(a, b), 0);
}

TEST_F(CatalogueOrderTest, EachTimeColumnComparesItsOwnTime) {
    CFileEntry x = MakeEntry("/p/", "a");
    CFileEntry y = MakeEntry("/p/", "b");
    SetEntryTimes(x, 1, 2, 1ULL << 40);
    SetEntryTimes(y, 2, 1, 4);
    catalogue.SortBy(kCreatedColumn, true);
    EXPECT_LT(Compare(x, y), 0);
    catalogue.SortBy(kModifiedColumn, true);
    EXPECT_GT(Compare(x, y), 0);
    catalogue.SortBy(kAccessedColumn, true);
    EXPECT_GT(Compare(x, y), 0);
    SetEntryTimes(y, 2, 1, 1ULL << 40);
    EXPECT_LT(Compare(x, y), 0);
    catalogue.SortBy(kCreatedColumn, false);
    EXPECT_GT(Compare(x, y), 0);
}

TEST_F(CatalogueOrderTest, FoldersComeFirstAndAscendingWhateverTheSort) {
    const CFileEntry folderZ = MakeEntry("/p/", "z", 0x10);
    const CFileEntry folderA = MakeEntry("/p/", "a", 0x10);
    const CFileEntry file = MakeEntry("/p/", "a.txt", 0x80, 1);
    for (const int column : {kNameColumn, kSizeColumn, kExtensionColumn, kModifiedColumn}) {
        for (const bool ascending : {true, false}) {
            catalogue.SortBy(column, ascending);
            EXPECT_LT(Compare(folderZ, file), 0) << column << ascending;
            EXPECT_GT(Compare(file, folderZ), 0) << column << ascending;
            EXPECT_GT(Compare(folderZ, folderA), 0) << column << ascending;
        }
    }
    catalogue.SetRecursive(true);
    catalogue.SortBy(kNameColumn, false);
    EXPECT_GT(Compare(MakeEntry("/p/a/", "a", 0x10), MakeEntry("/p/", "z", 0x10)), 0);
}

TEST_F(CatalogueOrderTest, FoldersAsFilesSortsFoldersAmongFiles) {
    catalogue.SetFoldersAsFiles(true);
    const CFileEntry folder = MakeEntry("/p/", "b", 0x10);
    const CFileEntry file = MakeEntry("/p/", "a.txt");
    catalogue.SortBy(kNameColumn, true);
    EXPECT_GT(Compare(folder, file), 0);
    catalogue.SortBy(kNameColumn, false);
    EXPECT_LT(Compare(folder, file), 0);
}

TEST_F(CatalogueOrderTest, NamesAsNumbers) {
    const CFileEntry nine = MakeEntry("/p/", "9 a.txt");
    const CFileEntry ten = MakeEntry("/p/", "10 a.txt");
    const CFileEntry minusOne = MakeEntry("/p/", "-1 x.txt");
    const CFileEntry plainA = MakeEntry("/p/", "a.txt");
    const CFileEntry plainB = MakeEntry("/p/", "b.txt");
    const CFileEntry zero = MakeEntry("/p/", "0 c.txt");
    catalogue.SortBy(kNameColumn, true);
    EXPECT_GT(Compare(nine, ten), 0); // as text "9" > "1"
    catalogue.SetSortNamesAsNumbers(true);
    EXPECT_LT(Compare(nine, ten), 0);
    EXPECT_GT(Compare(minusOne, ten), 0);
    EXPECT_GT(Compare(minusOne, nine), 0);
    EXPECT_GT(Compare(plainB, plainA), 0);
    EXPECT_LT(Compare(zero, plainA), 0);
    EXPECT_LT(Compare(plainB, nine), 0);
    catalogue.SortBy(kNameColumn, false);
    EXPECT_GT(Compare(nine, ten), 0);
    // Only the name column reads numbers; the tie-break of other columns
    // compares the names as text.
    catalogue.SortBy(kExtensionColumn, true);
    EXPECT_GT(Compare(nine, ten), 0);
}

TEST_F(CatalogueOrderTest, UnknownSortColumnKeepsFilesEqual) {
    catalogue.SortBy(42, true);
    EXPECT_EQ(Compare(MakeEntry("/p/", "b"), MakeEntry("/p/", "a")), 0);
    EXPECT_LT(Compare(MakeEntry("/p/", "z", 0x10), MakeEntry("/p/", "a")), 0);
}

TEST_F(CatalogueTestBase, SortByReportsTheChange) {
    temp.WriteFile("a.txt");
    Scan();
    catalogue.calls.clear();
    catalogue.SortBy(kSizeColumn, false);
    EXPECT_EQ(catalogue.GetSortColumn(), kSizeColumn);
    EXPECT_FALSE(catalogue.GetSortAscending());
    EXPECT_EQ(catalogue.calls, (Names{"SortChanged 1 down"}));
}

TEST_F(CatalogueTestBase, SortNamesAsNumbersInAFolder) {
    for (const char* name : {"10 a.txt", "9 a.txt", "-1 x.txt", "b.txt", "a.txt", "0 c.txt"}) {
        temp.WriteFile(name);
    }
    Scan();
    EXPECT_EQ(RowNames(catalogue),
              (Names{"-1 x.txt", "0 c.txt", "10 a.txt", "9 a.txt", "a.txt", "b.txt"}));
    catalogue.SetAutoRefresh(true);
    catalogue.SetSortNamesAsNumbers(true);
    EXPECT_TRUE(catalogue.GetSortNamesAsNumbers());
    EXPECT_EQ(RowNames(catalogue),
              (Names{"0 c.txt", "a.txt", "b.txt", "9 a.txt", "10 a.txt", "-1 x.txt"}));
}

TEST_F(CatalogueTestBase, SortByExtensionModifiedAndAccessedInAFolder) {
    constexpr int64_t kBase = 1083369600;
    SetTimes(temp.WriteFile("b.txt"), kBase + 30, kBase + 10);
    SetTimes(temp.WriteFile("a.doc"), kBase + 20, kBase + 30);
    SetTimes(temp.WriteFile("c.DOC"), kBase + 10, kBase + 20);
    SetTimes(temp.WriteFile("d"), kBase + 20, kBase + 30);
    Scan();
    catalogue.SortBy(kExtensionColumn, true);
    EXPECT_EQ(RowNames(catalogue), (Names{"d", "a.doc", "c.DOC", "b.txt"}));
    catalogue.SortBy(kExtensionColumn, false);
    EXPECT_EQ(RowNames(catalogue), (Names{"b.txt", "c.DOC", "a.doc", "d"}));
    catalogue.SortBy(kModifiedColumn, true);
    EXPECT_EQ(RowNames(catalogue), (Names{"b.txt", "c.DOC", "a.doc", "d"}));
    catalogue.SortBy(kAccessedColumn, true);
    EXPECT_EQ(RowNames(catalogue), (Names{"c.DOC", "a.doc", "d", "b.txt"}));
    catalogue.SortBy(kAccessedColumn, false);
    EXPECT_EQ(RowNames(catalogue), (Names{"b.txt", "d", "a.doc", "c.DOC"}));
    catalogue.SortBy(kFolderColumn, true);
    EXPECT_EQ(RowNames(catalogue), (Names{"a.doc", "b.txt", "c.DOC", "d"}));
}

// ===========================================================================
// Cell texts.

TEST_F(CatalogueTestBase, CellTextsOfARealFile) {
    constexpr int64_t kWritten = 1083419130; // 2004-05-01 13:45:30 UTC
    constexpr int64_t kRead = 1293839999;    // 2010-12-31 23:59:59 UTC
    SetTimes(temp.WriteFile("archive.tar.gz", "hello"), kRead, kWritten);
    temp.MakeFolder("Holiday.2004");
    Scan();
    ASSERT_EQ(catalogue.GetRowCount(), 2);
    EXPECT_EQ(catalogue.GetRowCellText(1, kNameColumn), "archive.tar.gz");
    EXPECT_EQ(catalogue.GetRowCellText(1, kSizeColumn), "5");
    EXPECT_EQ(catalogue.GetRowCellText(1, kExtensionColumn), "gz");
    EXPECT_EQ(catalogue.GetRowCellText(1, kFolderColumn), temp.Path());
    EXPECT_EQ(catalogue.GetRowCellText(1, kAttributesColumn), "N");
    EXPECT_EQ(catalogue.GetRowCellText(1, kModifiedColumn), "2004-05-01 13:45");
    EXPECT_EQ(catalogue.GetRowCellText(1, kAccessedColumn), "2010-12-31 23:59");
    EXPECT_EQ(catalogue.GetRowCellText(1, kTypeColumn), "");
    EXPECT_EQ(catalogue.GetRowCellText(1, 9), "");
    EXPECT_EQ(catalogue.GetRowCellText(1, -1), "");

    EXPECT_EQ(catalogue.GetRowCellText(0, kNameColumn), "Holiday.2004");
    EXPECT_EQ(catalogue.GetRowCellText(0, kSizeColumn), "");
    EXPECT_EQ(catalogue.GetRowCellText(0, kExtensionColumn), "2004");
    EXPECT_EQ(catalogue.GetRowCellText(0, kAttributesColumn), "");
    EXPECT_EQ(catalogue.GetRowEntry(0).BaseName(), "Holiday");

    catalogue.SetDateFormat("dd.MM.yyyy");
    catalogue.SetTimeFormat("HH:mm:ss");
    EXPECT_EQ(catalogue.GetRowCellText(1, kModifiedColumn), "01.05.2004 13:45:30");
}

TEST_F(CatalogueTestBase, FolderCellOfASubFolderEntryEndsInSlash) {
    temp.WriteFile("sub/deeper/x.txt");
    catalogue.SetRecursive(true);
    catalogue.SetShowFolders(false);
    Scan();
    ASSERT_EQ(catalogue.GetRowCount(), 1);
    EXPECT_EQ(catalogue.GetRowCellText(0, kFolderColumn), temp.Path() + "sub/deeper/");
}

TEST(CatalogueCellTextTest, EveryKindOfAnEntryMadeInMemory) {
    CFileCatalogue catalogue;
    EXPECT_EQ(catalogue.GetTimeFormat(), "HH:mm");
    catalogue.SetDateFormat("yyyy-MM-dd");
    CFileEntry entry = MakeEntry("/photos/", "big.iso", 0x23, 4294967296ULL);
    SetEntryTimes(entry, FileTimeOf(981173100), // 2001-02-03 04:05:00
                  FileTimeOf(1083369600),       // 2004-05-01 00:00:00
                  FileTimeOf(946684799));       // 1999-12-31 23:59:59
    entry.SetTypeName("Disc image", false);
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::FileName), "big.iso");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Folder), "/photos/");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Extension), "iso");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Size), "4294967296");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Type), ""); // not looked up yet
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Attributes), "ARH");
    EXPECT_EQ(AttributeLetters(entry.Attributes()), "ARH");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Created), "2001-02-03 04:05");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Modified), "2004-05-01 00:00");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Accessed), "1999-12-31 23:59");
    EXPECT_EQ(catalogue.CellText(entry, static_cast<ColumnKind>(99)), "");
    entry.SetTypeName("Disc image");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Type), "Disc image");
}

TEST(CatalogueCellTextTest, AnEntryThatLstatCannotReachHasNoSizeAndNoTimes) {
    // A name longer than any file system takes: lstat fails at once, also
    // for root, whom no permission stops.
    const std::string longName = std::string(300, 'x') + ".txt";
    const CFileEntry entry(CSharedFolder("/tmp/"), longName,
                           platform::EntryType::File);
    CFileCatalogue catalogue;
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Size), "");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Created), "");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Modified), "");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Accessed), "");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Attributes), "N");
    EXPECT_EQ(catalogue.CellText(entry, ColumnKind::Extension), "txt");
    EXPECT_FALSE(entry.AreFactsKnown());
    EXPECT_FALSE(entry.HasFacts());
    EXPECT_EQ(entry.FactsError(), ENAMETOOLONG);
    EXPECT_EQ(entry.Attributes(), platform::kAttrNormal);
    EXPECT_EQ(entry.FileSize(), 0u);
    EXPECT_FALSE(entry.IsFolder());
    // A copy keeps what is known and what is not.
    const CFileEntry copy = entry;
    EXPECT_FALSE(copy.AreFactsKnown());
    EXPECT_EQ(copy.FactsError(), ENAMETOOLONG);
}

TEST(CatalogueCellTextTest, SetFactsMakeUnknownFactsKnownAndSetTheFolderFlag) {
    CFileEntry entry(CSharedFolder("/tmp/"), std::string(300, 'y'),
                     platform::EntryType::File);
    ASSERT_FALSE(entry.AreFactsKnown());
    entry.SetFacts(CEntryFacts{platform::kAttrDirectory, 0, 1, 2, 3});
    EXPECT_TRUE(entry.AreFactsKnown());
    EXPECT_EQ(entry.FactsError(), 0);
    EXPECT_TRUE(entry.IsFolder());
    EXPECT_EQ(entry.ListedAttributes(), platform::kAttrDirectory);
    entry.SetFacts(CEntryFacts{platform::kAttrNormal, 7});
    EXPECT_FALSE(entry.IsFolder());
    EXPECT_EQ(CFileCatalogue().CellText(entry, ColumnKind::Size), "7");
}

TEST_F(CatalogueTestBase, AFolderListedAsAFileBecomesAFolderAtItsFirstLstat) {
    temp.MakeFolder("real");
    CFileEntry entry(CSharedFolder(temp.Path()), "real",
                     platform::EntryType::File);
    ASSERT_FALSE(entry.IsFolder());
    EXPECT_TRUE(entry.AreFactsKnown());
    EXPECT_TRUE(entry.IsFolder());
    EXPECT_NE(entry.Attributes() & platform::kAttrDirectory, 0u);
    EXPECT_EQ(CFileCatalogue().CellText(entry, ColumnKind::Size), "");
}

TEST(CatalogueCellTextTest, DateTextOfATimeWithoutCalendarFormIsEmpty) {
    CFileCatalogue catalogue;
    catalogue.SetDateFormat("yyyy-MM-dd");
    EXPECT_EQ(catalogue.DateText(1ULL << 63), "");
    EXPECT_EQ(catalogue.DateText(0), "1601-01-01 00:00");
}

TEST(CatalogueCellTextTest, DatePartsAreCutAt127Characters) {
    CFileCatalogue catalogue;
    catalogue.SetDateFormat(std::string(200, '-') + "yyyy");
    catalogue.SetTimeFormat("'" + std::string(130, 'x') + "'");
    EXPECT_EQ(catalogue.DateText(0), std::string(127, '-') + " " + std::string(127, 'x'));
}

// ===========================================================================
// Type names.

TEST_F(CatalogueTestBase, EnsureTypeNamesLooksUpEachEntryOnce) {
    CFakeTypeNames source;
    catalogue.SetTypeNameSource(&source);
    temp.WriteFile("b.txt");
    temp.WriteFile("a.jpg");
    temp.WriteFile("c.zip");
    temp.MakeFolder("d");
    Scan();
    EXPECT_EQ(RowCells(catalogue, kTypeColumn), (Names{"", "", "", ""}));
    EXPECT_FALSE(catalogue.AreTypeNamesComplete());
    EXPECT_EQ(source.calls, 0);

    catalogue.EnsureTypeNames();
    EXPECT_TRUE(catalogue.AreTypeNamesComplete());
    EXPECT_EQ(RowNames(catalogue), (Names{"d", "a.jpg", "b.txt", "c.zip"}));
    EXPECT_EQ(RowCells(catalogue, kTypeColumn),
              (Names{"Folder", "JPEG image", "Plain text", "File"}));
    EXPECT_EQ(source.calls, 4);
    catalogue.EnsureTypeNames();
    EXPECT_EQ(source.calls, 4);

    catalogue.SortBy(kTypeColumn, true);
    EXPECT_EQ(RowNames(catalogue), (Names{"d", "c.zip", "a.jpg", "b.txt"}));
    catalogue.SortBy(kTypeColumn, false);
    EXPECT_EQ(RowNames(catalogue), (Names{"d", "b.txt", "a.jpg", "c.zip"}));

    catalogue.SetTypeNameSource(nullptr);
}

TEST_F(CatalogueTestBase, RefreshSortedByTypeLooksUpTypeNamesAgain) {
    CFakeTypeNames source;
    catalogue.SetTypeNameSource(&source);
    temp.WriteFile("b.txt");
    temp.WriteFile("a.jpg");
    temp.WriteFile("c.zip");
    Scan();
    catalogue.SortBy(kTypeColumn, true);
    EXPECT_EQ(source.calls, 3);
    catalogue.Refresh();
    // Every entry is new, so every type name is looked up again; the flag
    // is cleared by the refresh all the same.
    EXPECT_EQ(source.calls, 6);
    EXPECT_FALSE(catalogue.AreTypeNamesComplete());
    EXPECT_EQ(RowNames(catalogue), (Names{"c.zip", "a.jpg", "b.txt"}));
    EXPECT_EQ(RowCells(catalogue, kTypeColumn), (Names{"File", "JPEG image", "Plain text"}));
    catalogue.SetTypeNameSource(nullptr);
}

TEST_F(CatalogueTestBase, TypeNamesWithoutASourceAreEmpty) {
    temp.WriteFile("a.txt");
    Scan();
    catalogue.EnsureTypeNames();
    EXPECT_TRUE(catalogue.AreTypeNamesComplete());
    EXPECT_EQ(RowCells(catalogue, kTypeColumn), (Names{""}));
}

// ===========================================================================
// Folder and history.

class CatalogueHistoryTest : public CatalogueTestBase {
protected:
    void SetUp() override {
        CatalogueTestBase::SetUp();
        a = temp.MakeFolder("A") + "/";
        b = temp.MakeFolder("B") + "/";
        c = temp.MakeFolder("C") + "/";
        d = temp.MakeFolder("D") + "/";
    }
    Names History() const {
        Names items;
        for (int i = 0; i < catalogue.GetHistoryCount(); ++i) {
            items.push_back(catalogue.Relative(catalogue.GetHistoryItem(i)));
        }
        return items;
    }
    std::string a, b, c, d;
};

TEST_F(CatalogueHistoryTest, StartsEmpty) {
    EXPECT_EQ(catalogue.GetFolder(), "");
    EXPECT_EQ(catalogue.GetHistoryCount(), 0);
    EXPECT_EQ(catalogue.GetHistoryIndex(), -1);
    EXPECT_FALSE(catalogue.HistoryBack());
    EXPECT_FALSE(catalogue.HistoryForward());
    EXPECT_FALSE(catalogue.HistoryGoTo(0));
    EXPECT_FALSE(catalogue.GoToParent());
}

TEST_F(CatalogueHistoryTest, SetFolderTrimsAndAppendsSlash) {
    ASSERT_TRUE(catalogue.SetFolder("  " + temp.Path() + "A  ", false));
    EXPECT_EQ(catalogue.GetFolder(), a);
    EXPECT_EQ(History(), (Names{"<T>/A/"}));
    EXPECT_EQ(catalogue.GetHistoryIndex(), 0);
}

TEST_F(CatalogueHistoryTest, SameFolderChangesNothingUnlessForced) {
    ASSERT_TRUE(catalogue.SetFolder(temp.Path(), false));
    catalogue.SetAutoRefresh(true);
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    EXPECT_EQ(catalogue.refreshDone, 2); // turning autoRefresh on, then the new folder
    EXPECT_TRUE(catalogue.SetFolder(temp.Path() + "A", false));
    EXPECT_TRUE(catalogue.SetFolder(" " + a, false));
    EXPECT_EQ(catalogue.GetHistoryCount(), 2);
    EXPECT_EQ(catalogue.refreshDone, 2);
    EXPECT_TRUE(catalogue.SetFolder(a, true));
    EXPECT_EQ(History(), (Names{"<T>/", "<T>/A/", "<T>/A/"}));
    EXPECT_EQ(catalogue.GetHistoryIndex(), 2);
    EXPECT_EQ(catalogue.refreshDone, 3);
}

TEST_F(CatalogueHistoryTest, FoldersThatDifferByCaseAreDifferent) {
    const std::string upper = temp.MakeFolder("Photos") + "/";
    const std::string lower = temp.MakeFolder("photos") + "/";
    ASSERT_TRUE(catalogue.SetFolder(upper, false));
    ASSERT_TRUE(catalogue.SetFolder(lower, false));
    EXPECT_EQ(catalogue.GetFolder(), lower);
    EXPECT_EQ(History(), (Names{"<T>/Photos/", "<T>/photos/"}));
}

TEST_F(CatalogueHistoryTest, RefusesAFileOrAMissingPath) {
    const std::string file = temp.WriteFile("file.txt");
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    catalogue.SetAutoRefresh(true);
    const int refreshes = catalogue.refreshDone;
    EXPECT_FALSE(catalogue.SetFolder(file, false));
    EXPECT_FALSE(catalogue.SetFolder(file, true));
    EXPECT_FALSE(catalogue.SetFolder(temp.Path() + "missing", true));
    EXPECT_FALSE(catalogue.SetFolder(temp.Path() + "missing/", false));
    EXPECT_EQ(catalogue.GetFolder(), a);
    EXPECT_EQ(History(), (Names{"<T>/A/"}));
    EXPECT_EQ(catalogue.GetHistoryIndex(), 0);
    EXPECT_EQ(catalogue.refreshDone, refreshes);
}

namespace {
/// Changes the process's current folder for one scope.
class CCurrentFolderScope {
public:
    explicit CCurrentFolderScope(const std::string& folder)
        : saved(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CCurrentFolderScope() { std::filesystem::current_path(saved); }
    CCurrentFolderScope(const CCurrentFolderScope&) = delete;
    CCurrentFolderScope& operator=(const CCurrentFolderScope&) = delete;

private:
    std::filesystem::path saved;
};
} // namespace

TEST_F(CatalogueHistoryTest, RelativeAndEmptyPathsStartAtTheCurrentFolder) {
    temp.MakeFolder("A/inner");
    const CCurrentFolderScope scope(a);
    ASSERT_TRUE(catalogue.SetFolder("inner", false));
    EXPECT_EQ(catalogue.GetFolder(), a + "inner/");
    ASSERT_TRUE(catalogue.SetFolder("", false));
    EXPECT_EQ(catalogue.GetFolder(), a);
    EXPECT_FALSE(catalogue.SetFolder("nothing-here", false));
    EXPECT_EQ(catalogue.GetFolder(), a);
}

TEST_F(CatalogueHistoryTest, BackForwardAndGoTo) {
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    ASSERT_TRUE(catalogue.SetFolder(b, false));
    ASSERT_TRUE(catalogue.SetFolder(c, false));
    EXPECT_FALSE(catalogue.HistoryForward());
    EXPECT_TRUE(catalogue.HistoryBack());
    EXPECT_EQ(catalogue.GetFolder(), b);
    EXPECT_EQ(catalogue.GetHistoryIndex(), 1);
    EXPECT_TRUE(catalogue.HistoryBack());
    EXPECT_EQ(catalogue.GetFolder(), a);
    EXPECT_FALSE(catalogue.HistoryBack());
    EXPECT_EQ(catalogue.GetFolder(), a);
    EXPECT_EQ(catalogue.GetHistoryIndex(), 0);
    EXPECT_TRUE(catalogue.HistoryForward());
    EXPECT_EQ(catalogue.GetFolder(), b);
    EXPECT_TRUE(catalogue.HistoryGoTo(2));
    EXPECT_EQ(catalogue.GetFolder(), c);
    EXPECT_FALSE(catalogue.HistoryGoTo(3));
    EXPECT_FALSE(catalogue.HistoryGoTo(-1));
    EXPECT_EQ(catalogue.GetHistoryIndex(), 2);
    EXPECT_TRUE(catalogue.HistoryGoTo(0));
    EXPECT_EQ(catalogue.GetFolder(), a);
    // Moving through the history does not change it.
    EXPECT_EQ(History(), (Names{"<T>/A/", "<T>/B/", "<T>/C/"}));
    EXPECT_EQ(catalogue.GetHistoryItem(3), "");
    EXPECT_EQ(catalogue.GetHistoryItem(-1), "");
}

TEST_F(CatalogueHistoryTest, NewFolderAfterBackDropsTheForwardPart) {
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    ASSERT_TRUE(catalogue.SetFolder(b, false));
    ASSERT_TRUE(catalogue.SetFolder(c, false));
    ASSERT_TRUE(catalogue.HistoryBack());
    ASSERT_TRUE(catalogue.SetFolder(d, false));
    EXPECT_EQ(History(), (Names{"<T>/A/", "<T>/B/", "<T>/D/"}));
    EXPECT_EQ(catalogue.GetHistoryIndex(), 2);
    EXPECT_FALSE(catalogue.HistoryForward());
}

TEST_F(CatalogueHistoryTest, KeepsRepeatedFolders) {
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    ASSERT_TRUE(catalogue.SetFolder(b, false));
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    EXPECT_EQ(History(), (Names{"<T>/A/", "<T>/B/", "<T>/A/"}));
}

TEST_F(CatalogueHistoryTest, HistoryMovesDoNotCheckTheFolder) {
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    ASSERT_TRUE(catalogue.SetFolder(b, false));
    std::filesystem::remove(temp.Path() + "A");
    EXPECT_TRUE(catalogue.HistoryBack());
    EXPECT_EQ(catalogue.GetFolder(), a);
    catalogue.Refresh();
    EXPECT_EQ(catalogue.GetRowCount(), 0);
}

TEST_F(CatalogueHistoryTest, HistoryMovesRescanWhenAutoRefreshIsOn) {
    temp.WriteFile("A/in-a.txt");
    temp.WriteFile("B/in-b.txt");
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    ASSERT_TRUE(catalogue.SetFolder(b, false));
    catalogue.SetAutoRefresh(true);
    EXPECT_EQ(RowNames(catalogue), (Names{"in-b.txt"}));
    ASSERT_TRUE(catalogue.HistoryBack());
    EXPECT_EQ(RowNames(catalogue), (Names{"in-a.txt"}));
    ASSERT_TRUE(catalogue.HistoryForward());
    EXPECT_EQ(RowNames(catalogue), (Names{"in-b.txt"}));
    ASSERT_TRUE(catalogue.HistoryGoTo(0));
    EXPECT_EQ(RowNames(catalogue), (Names{"in-a.txt"}));
    EXPECT_EQ(catalogue.refreshDone, 4);
}

TEST_F(CatalogueHistoryTest, ClearHistoryKeepsTheFolder) {
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    ASSERT_TRUE(catalogue.SetFolder(b, false));
    catalogue.ClearHistory();
    EXPECT_EQ(catalogue.GetHistoryCount(), 0);
    EXPECT_EQ(catalogue.GetHistoryIndex(), -1);
    EXPECT_EQ(catalogue.GetFolder(), b);
    EXPECT_FALSE(catalogue.HistoryBack());
    ASSERT_TRUE(catalogue.SetFolder(c, false));
    EXPECT_EQ(History(), (Names{"<T>/C/"}));
    EXPECT_EQ(catalogue.GetHistoryIndex(), 0);
}

TEST_F(CatalogueHistoryTest, GoToParentMovesUpAndAddsHistory) {
    temp.MakeFolder("A/x");
    ASSERT_TRUE(catalogue.SetFolder(a + "x", false));
    EXPECT_TRUE(catalogue.GoToParent());
    EXPECT_EQ(catalogue.GetFolder(), a);
    EXPECT_TRUE(catalogue.GoToParent());
    EXPECT_EQ(catalogue.GetFolder(), temp.Path());
    EXPECT_EQ(History(), (Names{"<T>/A/x/", "<T>/A/", "<T>/"}));
}

TEST_F(CatalogueHistoryTest, GoToParentEndsAtTheRoot) {
    ASSERT_TRUE(catalogue.SetFolder(a, false));
    int steps = 0;
    while (catalogue.GoToParent() && steps < 100) {
        ++steps;
    }
    EXPECT_EQ(catalogue.GetFolder(), "/");
    EXPECT_FALSE(catalogue.GoToParent());
    EXPECT_EQ(catalogue.GetFolder(), "/");
    ASSERT_TRUE(catalogue.SetFolder("/tmp", false));
    EXPECT_TRUE(catalogue.GoToParent());
    EXPECT_EQ(catalogue.GetFolder(), "/");
}

TEST_F(CatalogueHistoryTest, GoToParentFailsWhenTheFolderVanished) {
    const std::string gone = temp.MakeFolder("gone") + "/";
    ASSERT_TRUE(catalogue.SetFolder(gone, false));
    std::filesystem::remove(temp.Path() + "gone");
    EXPECT_FALSE(catalogue.GoToParent());
    EXPECT_EQ(catalogue.GetFolder(), gone);
    EXPECT_EQ(catalogue.GetHistoryCount(), 1);
}

// ===========================================================================
// Automatic refresh.

class CatalogueAutoRefreshTest : public CatalogueTestBase {
protected:
    void SetUp() override {
        CatalogueTestBase::SetUp();
        temp.WriteFile("a.txt");
        ASSERT_TRUE(catalogue.SetFolder(temp.Path(), true));
    }
};

TEST_F(CatalogueAutoRefreshTest, NothingRescansWhileOff) {
    EXPECT_FALSE(catalogue.GetAutoRefresh());
    catalogue.SetMask("*.txt");
    catalogue.SetShowFolders(false);
    catalogue.SetRecursive(true);
    catalogue.RequestRefresh();
    EXPECT_EQ(catalogue.refreshDone, 0);
    EXPECT_EQ(catalogue.GetRowCount(), 0);
    catalogue.Refresh();
    EXPECT_EQ(catalogue.refreshDone, 1);
    EXPECT_EQ(catalogue.GetRowCount(), 1);
}

TEST_F(CatalogueAutoRefreshTest, TurningItOnRescansOnce) {
    catalogue.SetAutoRefresh(true);
    EXPECT_TRUE(catalogue.GetAutoRefresh());
    EXPECT_EQ(catalogue.refreshDone, 1);
    EXPECT_EQ(RowNames(catalogue), (Names{"a.txt"}));
    catalogue.SetAutoRefresh(true);
    EXPECT_EQ(catalogue.refreshDone, 1);
    catalogue.RequestRefresh();
    EXPECT_EQ(catalogue.refreshDone, 2);
    catalogue.SetAutoRefresh(false);
    EXPECT_EQ(catalogue.refreshDone, 2);
    catalogue.SetMask("*.none");
    EXPECT_EQ(catalogue.refreshDone, 2);
}

TEST_F(CatalogueAutoRefreshTest, SwitchesRescanOnlyWhenChanged) {
    catalogue.SetAutoRefresh(true);
    ASSERT_EQ(catalogue.refreshDone, 1);
    const auto expectRefreshes = [&](int expected, const char* step) {
        EXPECT_EQ(catalogue.refreshDone, expected) << step;
    };
    catalogue.SetMask("*.*");
    expectRefreshes(1, "same mask");
    catalogue.SetMask("*.TXT");
    expectRefreshes(2, "new mask");
    catalogue.SetMask("*.txt");
    expectRefreshes(3, "mask differing by case");
    catalogue.SetShowFolders(true);
    catalogue.SetShowFiles(true);
    catalogue.SetRecursive(false);
    catalogue.SetFoldersAsFiles(false);
    catalogue.SetSortNamesAsNumbers(false);
    expectRefreshes(3, "same switches");
    catalogue.SetShowFolders(false);
    expectRefreshes(4, "showFolders");
    catalogue.SetShowFiles(false);
    expectRefreshes(5, "showFiles");
    catalogue.SetRecursive(true);
    expectRefreshes(6, "recursive");
    catalogue.SetFoldersAsFiles(true);
    expectRefreshes(7, "foldersAsFiles");
    catalogue.SetSortNamesAsNumbers(true);
    expectRefreshes(8, "sortNamesAsNumbers");
    catalogue.SetLockRedraw(true);
    catalogue.SetShowIcons(false);
    catalogue.SetFolderNavigation(false);
    expectRefreshes(8, "lockRedraw, showIcons, folderNavigation");
    EXPECT_TRUE(catalogue.GetShowFiles() == false && catalogue.GetShowFolders() == false);
    EXPECT_TRUE(catalogue.GetRecursive() && catalogue.GetFoldersAsFiles());
    EXPECT_TRUE(catalogue.GetLockRedraw());
    EXPECT_FALSE(catalogue.GetShowIcons());
    EXPECT_FALSE(catalogue.GetFolderNavigation());
    catalogue.AddColumn("Extra", ColumnKind::Extension, -1, ColumnAlignment::Centre);
    expectRefreshes(9, "new column");
}

TEST_F(CatalogueAutoRefreshTest, FilterSetters) {
    catalogue.SetAutoRefresh(true);
    ASSERT_EQ(catalogue.refreshDone, 1);
    catalogue.SetFilterShowSystem(true);
    catalogue.SetFilterShowHidden(true);
    catalogue.SetFilterShowReadOnly(true);
    EXPECT_EQ(catalogue.refreshDone, 1);
    catalogue.SetFilterShowSystem(false);
    EXPECT_EQ(catalogue.refreshDone, 2);
    catalogue.SetFilterShowHidden(false);
    EXPECT_EQ(catalogue.refreshDone, 3);
    catalogue.SetFilterShowReadOnly(false);
    EXPECT_EQ(catalogue.refreshDone, 4);
    EXPECT_FALSE(catalogue.GetFilter().GetShowSystem());
    EXPECT_FALSE(catalogue.GetFilter().GetShowHidden());
    EXPECT_FALSE(catalogue.GetFilter().GetShowReadOnly());

    // Accepted name-length and size settings rescan even when unchanged.
    EXPECT_TRUE(catalogue.SetFilterNameLength(CompareMode::Off, 0));
    EXPECT_EQ(catalogue.refreshDone, 5);
    EXPECT_FALSE(catalogue.SetFilterNameLength(CompareMode::Equal, 257));
    EXPECT_EQ(catalogue.refreshDone, 5);
    EXPECT_TRUE(catalogue.SetFilterSize(CompareMode::Off, 0));
    EXPECT_EQ(catalogue.refreshDone, 6);
    EXPECT_FALSE(catalogue.SetFilterSize(CompareMode::Less, -1));
    EXPECT_EQ(catalogue.refreshDone, 6);
    EXPECT_EQ(catalogue.GetFilter().GetSizeMode(), CompareMode::Off);

    platform::CCalendarTime from;
    from.year = 2000;
    platform::CCalendarTime to;
    to.year = 2001;
    EXPECT_TRUE(catalogue.SetFilterModifiedRange(true, from, to));
    EXPECT_TRUE(catalogue.SetFilterCreatedRange(true, from, to));
    EXPECT_TRUE(catalogue.SetFilterAccessedRange(true, from, to));
    EXPECT_EQ(catalogue.refreshDone, 6);
    EXPECT_TRUE(catalogue.GetFilter().GetAccessedRange().enabled);
    to.month = 13;
    EXPECT_FALSE(catalogue.SetFilterCreatedRange(true, from, to));
    EXPECT_FALSE(catalogue.GetFilter().GetCreatedRange().enabled);
}

TEST_F(CatalogueAutoRefreshTest, FolderChangesRescan) {
    const std::string sub = temp.MakeFolder("sub");
    catalogue.SetAutoRefresh(true);
    ASSERT_EQ(catalogue.refreshDone, 1);
    ASSERT_TRUE(catalogue.SetFolder(sub, false));
    EXPECT_EQ(catalogue.refreshDone, 2);
    EXPECT_EQ(catalogue.GetRowCount(), 0);
    ASSERT_TRUE(catalogue.GoToParent());
    EXPECT_EQ(catalogue.refreshDone, 3);
    EXPECT_EQ(RowNames(catalogue), (Names{"sub", "a.txt"}));
}

// ===========================================================================
// Hooks, cancelling and the busy state.

class CatalogueHookTest : public CatalogueTestBase {
protected:
    void SetUp() override {
        CatalogueTestBase::SetUp();
        temp.WriteFile("a.txt");
        temp.WriteFile("sub/b.txt");
        ASSERT_TRUE(catalogue.SetFolder(temp.Path(), false));
    }
};

TEST_F(CatalogueHookTest, OrderOfHooksPerPieceAndFolder) {
    catalogue.SetRecursive(true);
    catalogue.SetMask("*.txt; ;*.doc");
    catalogue.Refresh();
    EXPECT_EQ(
        catalogue.calls,
        (Names{"RefreshStart", "PatternStart[*.txt]", "FolderEnter <T>/", "FolderEnter <T>/sub/",
               "PatternDone[*.txt]", "PatternStart[ ]", "PatternDone[ ]", "PatternStart[*.doc]",
               "FolderEnter <T>/", "FolderEnter <T>/sub/", "PatternDone[*.doc]", "RefreshDone"}));
    EXPECT_EQ(catalogue.busyInFolderEnter, (std::vector<bool>{true, true, true, true}));
    EXPECT_FALSE(catalogue.IsBusy());
    EXPECT_EQ(RowPaths(), (Names{"<T>/sub/", "<T>/a.txt", "<T>/sub/b.txt"}));
}

TEST_F(CatalogueHookTest, CancelAtTheFirstFolderLeavesTheListEmpty) {
    catalogue.SetMask("*.txt;*.doc");
    catalogue.cancelAt = "<T>/";
    catalogue.Refresh();
    EXPECT_EQ(catalogue.calls, (Names{"RefreshStart", "PatternStart[*.txt]", "FolderEnter <T>/",
                                      "PatternDone[*.txt]", "RefreshCancelled"}));
    EXPECT_EQ(catalogue.GetRowCount(), 0);
    EXPECT_EQ(catalogue.GetFocusedRow(), -1);
    EXPECT_TRUE(catalogue.IsCancelled());
    EXPECT_FALSE(catalogue.IsBusy());
    EXPECT_EQ(catalogue.refreshDone, 0);
    EXPECT_EQ(catalogue.refreshCancelled, 1);
}

TEST_F(CatalogueHookTest, CancelInASubFolderDropsWhatWasFound) {
    catalogue.SetRecursive(true);
    catalogue.Refresh();
    ASSERT_EQ(catalogue.GetRowCount(), 3);
    catalogue.calls.clear();
    catalogue.cancelAt = "<T>/sub/";
    catalogue.Refresh();
    EXPECT_EQ(catalogue.calls,
              (Names{"RefreshStart", "PatternStart[*.*]", "FolderEnter <T>/",
                     "FolderEnter <T>/sub/", "PatternDone[*.*]", "RefreshCancelled"}));
    EXPECT_EQ(catalogue.GetRowCount(), 0);
    EXPECT_TRUE(catalogue.IsCancelled());

    catalogue.cancelAt.clear();
    catalogue.Refresh();
    EXPECT_FALSE(catalogue.IsCancelled());
    EXPECT_EQ(catalogue.GetRowCount(), 3);
}

TEST_F(CatalogueHookTest, CancelInRegexMode) {
    catalogue.SetMask(":txt");
    catalogue.cancelAt = "<T>/";
    catalogue.Refresh();
    EXPECT_EQ(catalogue.calls, (Names{"RefreshStart", "PatternStart[]", "FolderEnter <T>/",
                                      "PatternDone[]", "RefreshCancelled"}));
    EXPECT_EQ(catalogue.GetRowCount(), 0);
}

TEST_F(CatalogueHookTest, FirstRowIsSelectedAndFocused) {
    temp.WriteFile("c.txt");
    catalogue.Refresh();
    ASSERT_EQ(RowNames(catalogue), (Names{"sub", "a.txt", "c.txt"}));
    EXPECT_TRUE(catalogue.IsRowSelected(0));
    EXPECT_FALSE(catalogue.IsRowSelected(1));
    EXPECT_EQ(catalogue.GetSelectedCount(), 1);
    EXPECT_EQ(catalogue.GetFocusedRow(), 0);
    EXPECT_TRUE(catalogue.itemChanged.empty());

    catalogue.SetRowSelected(2, true);
    catalogue.SetRowSelected(2, true);
    catalogue.SetRowSelected(0, false);
    EXPECT_EQ(catalogue.itemChanged, (std::vector<int>{2, 0}));
    EXPECT_EQ(catalogue.GetSelectedCount(), 1);

    catalogue.Refresh();
    EXPECT_TRUE(catalogue.IsRowSelected(0));
    EXPECT_FALSE(catalogue.IsRowSelected(2));

    catalogue.SetMask("*.none");
    catalogue.SetShowFolders(false);
    catalogue.Refresh();
    EXPECT_EQ(catalogue.GetSelectedCount(), 0);
    EXPECT_EQ(catalogue.GetFocusedRow(), -1);
}

TEST_F(CatalogueHookTest, TheFocusFollowsItsEntryThroughASort) {
    temp.WriteFile("b.txt");
    temp.WriteFile("c.txt");
    catalogue.SetShowFolders(false);
    catalogue.Refresh();
    ASSERT_EQ(RowNames(catalogue), (Names{"a.txt", "b.txt", "c.txt"}));
    catalogue.SetFocusedRow(0);
    catalogue.SortBy(kNameColumn, false);
    ASSERT_EQ(RowNames(catalogue), (Names{"c.txt", "b.txt", "a.txt"}));
    EXPECT_EQ(catalogue.GetFocusedRow(), 2);
    // The middle entry stays in the middle.
    catalogue.SetFocusedRow(1);
    catalogue.SortBy(kNameColumn, true);
    EXPECT_EQ(catalogue.GetFocusedRow(), 1);
    // No focus stays no focus.
    catalogue.SetFocusedRow(-1);
    catalogue.SortBy(kNameColumn, false);
    EXPECT_EQ(catalogue.GetFocusedRow(), -1);
}

TEST_F(CatalogueHookTest, SelectionChangesDuringARefreshAreNotReported) {
    catalogue.onRefreshDone = [](CRecordingCatalogue& self) {
        EXPECT_TRUE(self.IsBusy());
        self.SetRowSelected(1, true);
    };
    catalogue.Refresh();
    EXPECT_TRUE(catalogue.itemChanged.empty());
    EXPECT_TRUE(catalogue.IsRowSelected(1));
    catalogue.onRefreshDone = nullptr;
    catalogue.SetRowSelected(1, false);
    EXPECT_EQ(catalogue.itemChanged, (std::vector<int>{1}));
}

// ===========================================================================
// Rows moved by hand.

class CatalogueMoveRowsTest : public CatalogueTestBase {
protected:
    void SetUp() override {
        CatalogueTestBase::SetUp();
        for (const char* name : {"c", "a", "d", "b"}) {
            temp.WriteFile(name);
        }
        Scan();
        ASSERT_EQ(RowNames(catalogue), (Names{"a", "b", "c", "d"}));
        catalogue.refreshDone = 0;
    }
    void SelectOnly(std::initializer_list<int> selected) {
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            catalogue.SetRowSelected(row, false);
        }
        for (const int row : selected) {
            catalogue.SetRowSelected(row, true);
        }
    }
};

TEST_F(CatalogueMoveRowsTest, MovesOneRowUpAndDown) {
    SelectOnly({2});
    EXPECT_TRUE(catalogue.MoveSelectedRows(true));
    EXPECT_EQ(RowNames(catalogue), (Names{"a", "c", "b", "d"}));
    EXPECT_TRUE(catalogue.IsRowSelected(1));
    EXPECT_EQ(catalogue.GetSortColumn(), -1);
    EXPECT_EQ(catalogue.refreshDone, 1);
    EXPECT_TRUE(catalogue.MoveSelectedRows(false));
    EXPECT_TRUE(catalogue.MoveSelectedRows(false));
    EXPECT_EQ(RowNames(catalogue), (Names{"a", "b", "d", "c"}));
    EXPECT_FALSE(catalogue.MoveSelectedRows(false));
    EXPECT_EQ(catalogue.refreshDone, 3);
}

TEST_F(CatalogueMoveRowsTest, MovesABlockAndStopsAtTheTop) {
    SelectOnly({0, 1});
    EXPECT_FALSE(catalogue.MoveSelectedRows(true));
    EXPECT_EQ(catalogue.refreshDone, 0);
    EXPECT_EQ(catalogue.GetSortColumn(), kNameColumn);
    EXPECT_TRUE(catalogue.MoveSelectedRows(false));
    EXPECT_EQ(RowNames(catalogue), (Names{"c", "a", "b", "d"}));
    SelectOnly({0, 3});
    EXPECT_TRUE(catalogue.MoveSelectedRows(true));
    EXPECT_EQ(RowNames(catalogue), (Names{"c", "a", "d", "b"}));
}

TEST_F(CatalogueMoveRowsTest, NextRefreshSortsByNameInTheCurrentDirection) {
    catalogue.SortBy(kSizeColumn, false);
    SelectOnly({0});
    ASSERT_TRUE(catalogue.MoveSelectedRows(false));
    ASSERT_EQ(catalogue.GetSortColumn(), -1);
    catalogue.Refresh();
    EXPECT_EQ(catalogue.GetSortColumn(), kNameColumn);
    EXPECT_FALSE(catalogue.GetSortAscending());
    EXPECT_EQ(RowNames(catalogue), (Names{"d", "c", "b", "a"}));
}

// ===========================================================================
// Columns.

TEST(CatalogueColumnTest, AddColumnKeepsKindsAndOrder) {
    CFileCatalogue catalogue;
    AddDefaultColumns(catalogue);
    ASSERT_EQ(catalogue.GetColumnCount(), 9);
    EXPECT_EQ(catalogue.GetColumn(kNameColumn).title, "Bestand");
    EXPECT_EQ(catalogue.GetColumn(kSizeColumn).title, "Grootte");
    EXPECT_EQ(catalogue.GetColumn(kFolderColumn).title, "Pad");
    EXPECT_EQ(catalogue.GetColumn(kAccessedColumn).title, "Laatst geopend");
    EXPECT_EQ(catalogue.GetColumn(kSizeColumn).kind, ColumnKind::Size);
    EXPECT_EQ(catalogue.GetColumn(kSizeColumn).alignment, ColumnAlignment::Right);
    EXPECT_EQ(catalogue.GetColumn(kNameColumn).alignment, ColumnAlignment::Left);
    EXPECT_EQ(catalogue.GetColumn(kSizeColumn).width, -1);
    EXPECT_EQ(catalogue.GetColumn(kAccessedColumn).width, -1);
    EXPECT_EQ(
        catalogue.GetColumnKinds(),
        (std::vector<ColumnKind>{ColumnKind::FileName, ColumnKind::Size, ColumnKind::Type,
                                 ColumnKind::Attributes, ColumnKind::Extension, ColumnKind::Folder,
                                 ColumnKind::Created, ColumnKind::Modified, ColumnKind::Accessed}));
    EXPECT_EQ(catalogue.GetColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    // A column added after them keeps its own title, width and alignment.
    EXPECT_TRUE(catalogue.AddColumn("Breed", ColumnKind::Size, 80, ColumnAlignment::Centre));
    ASSERT_EQ(catalogue.GetColumnCount(), 10);
    EXPECT_EQ(catalogue.GetColumn(9).title, "Breed");
    EXPECT_EQ(catalogue.GetColumn(9).kind, ColumnKind::Size);
    EXPECT_EQ(catalogue.GetColumn(9).width, 80);
    EXPECT_EQ(catalogue.GetColumn(9).alignment, ColumnAlignment::Centre);
    EXPECT_EQ(catalogue.GetColumnKinds().back(), ColumnKind::Size);
    EXPECT_EQ(catalogue.GetColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    catalogue.SetColumnWidth(kSizeColumn, 99);
    catalogue.SetColumnWidth(42, 5);
    EXPECT_EQ(catalogue.GetColumn(kSizeColumn).width, 99);
    EXPECT_EQ(catalogue.GetColumn(9).width, 80);
}

TEST(CatalogueColumnTest, SetColumnOrderRefusesNonPermutations) {
    CFileCatalogue catalogue;
    AddDefaultColumns(catalogue);
    const std::vector<int> identity{0, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(catalogue.SetColumnOrder({0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_FALSE(catalogue.SetColumnOrder({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(catalogue.SetColumnOrder({0, 0, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(catalogue.SetColumnOrder({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(catalogue.SetColumnOrder({-1, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(catalogue.SetColumnOrder({}));
    EXPECT_EQ(catalogue.GetColumnOrder(), identity);
    EXPECT_TRUE(catalogue.SetColumnOrder({8, 0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(catalogue.GetColumnOrder(), (std::vector<int>{8, 0, 1, 2, 3, 4, 5, 6, 7}));
}
