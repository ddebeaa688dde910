// The rows' order after a refresh or a click on a column is exactly the
// order CompareEntries defines, stable from the scan order, in every mode
// that changes it: folders grouped or not, recursive or not, ascending or
// descending, by name or by another column.

#include "catalogue/FileCatalogue.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kColName = 0;
constexpr int kColSize = 1;
constexpr int kColFolder = 2;

// Names that collide without case, share prefixes, hold bytes above 127
// and dots, so that every comparison path is taken.
std::string RandomName(std::mt19937& random) {
    static const char* const kPieces[] = {"a", "A", "b", "B", "img", "IMG", "_", "0", "1",
                                          "9", "é", "É", "z", "Z",   ".",   "~", "-", " "};
    std::uniform_int_distribution<int> length(1, 5);
    std::uniform_int_distribution<int> piece(0, static_cast<int>(std::size(kPieces)) - 1);
    std::string name;
    const int count = length(random);
    for (int i = 0; i < count; ++i) {
        name += kPieces[piece(random)];
    }
    if (name == "." || name == "..") {
        name += "x";
    }
    return name;
}

class SortOrderTest : public ::testing::Test {
protected:
    CTempFolder temp;
    CFileCatalogue catalogue;

    void SetUp() override {
        catalogue.AddColumn("Bestand", ColumnKind::FileName, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Grootte", ColumnKind::Size, -1, ColumnAlignment::Right);
        catalogue.AddColumn("Pad", ColumnKind::Folder, -1, ColumnAlignment::Left);
    }

    // A tree of random names: files and folders in the top folder and in
    // two levels of sub-folders, sizes drawn from a few values.
    void MakeTree(std::mt19937& random) {
        std::vector<std::string> folders = {""};
        std::uniform_int_distribution<int> size(0, 3);
        for (int level = 0; level < 2; ++level) {
            const std::vector<std::string> parents = folders;
            for (const std::string& parent : parents) {
                for (int i = 0; i < 3; ++i) {
                    const std::string folder = parent + RandomName(random) + "/";
                    if (std::find(folders.begin(), folders.end(), folder) == folders.end() &&
                        !std::filesystem::exists(temp / folder)) {
                        temp.MakeFolder(folder);
                        folders.push_back(folder);
                    }
                }
            }
        }
        for (const std::string& folder : folders) {
            for (int i = 0; i < 30; ++i) {
                const std::string path = folder + RandomName(random);
                if (!std::filesystem::exists(temp / path)) {
                    temp.WriteFile(path, std::string(static_cast<std::size_t>(size(random)), 'x'));
                }
            }
        }
    }

    std::vector<const CFileEntry*> RowOrder() const {
        std::vector<const CFileEntry*> order;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            order.push_back(&catalogue.GetRowEntry(row));
        }
        return order;
    }

    // What the order must be: the previous order sorted stably with the
    // catalogue's own comparison.
    std::vector<const CFileEntry*> ExpectedOrder(std::vector<const CFileEntry*> before) const {
        std::stable_sort(before.begin(), before.end(),
                         [this](const CFileEntry* a, const CFileEntry* b) {
                             return catalogue.CompareEntries(*a, *b) < 0;
                         });
        return before;
    }

    static std::vector<std::string> Paths(const std::vector<const CFileEntry*>& order) {
        std::vector<std::string> paths;
        for (const CFileEntry* entry : order) {
            paths.push_back(entry->FullPath());
        }
        return paths;
    }
};

TEST_F(SortOrderTest, EveryModeOrdersRowsAsCompareEntriesDoes) {
    std::mt19937 random(20261208);
    MakeTree(random);
    ASSERT_TRUE(catalogue.SetFolder(temp.Path(), true));
    int checked = 0;
    for (const bool recursive : {false, true}) {
        for (const bool foldersAsFiles : {false, true}) {
            catalogue.SetRecursive(recursive);
            catalogue.SetFoldersAsFiles(foldersAsFiles);
            catalogue.SortBy(kColName, true);
            catalogue.Refresh();
            SCOPED_TRACE(std::string(recursive ? "recursive" : "one folder") +
                         (foldersAsFiles ? ", folders as files" : ", folders first"));
            ASSERT_GT(catalogue.GetRowCount(), 20);

            // After a refresh: the scan order sorted.
            std::vector<const CFileEntry*> scanOrder;
            for (const CFileEntry& entry : catalogue.GetEntries()) {
                scanOrder.push_back(&entry);
            }
            EXPECT_EQ(Paths(RowOrder()), Paths(ExpectedOrder(scanOrder)));

            // A click on a column sorts the current order again.
            for (const int column : {kColName, kColSize, kColFolder, kColName}) {
                for (const bool ascending : {false, true}) {
                    const std::vector<const CFileEntry*> before = RowOrder();
                    catalogue.SortBy(column, ascending);
                    EXPECT_EQ(Paths(RowOrder()), Paths(ExpectedOrder(before)))
                        << "column " << column << (ascending ? " ascending" : " descending");
                    ++checked;
                }
            }
        }
    }
    EXPECT_EQ(checked, 32);
}

TEST_F(SortOrderTest, NamesDifferingOnlyInCaseKeepTheirScanOrder) {
    for (const char* name : {"b.txt", "B.TXT", "a", "A", "Ab", "aB", "ab"}) {
        temp.WriteFile(name);
    }
    ASSERT_TRUE(catalogue.SetFolder(temp.Path(), true));
    catalogue.Refresh();
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    // Without case the names are a, ab and b.txt, in that order; within
    // each of them the rows keep the order the scan found them in.
    std::vector<std::string> expected;
    for (const char* key : {"a", "ab", "b.txt"}) {
        for (const CFileEntry& entry : catalogue.GetEntries()) {
            if (lower(entry.LongName()) == key) {
                expected.push_back(entry.LongName());
            }
        }
    }
    std::vector<std::string> names;
    for (int row = 0; row < catalogue.GetRowCount(); ++row) {
        names.push_back(catalogue.GetRowEntry(row).LongName());
    }
    ASSERT_EQ(expected.size(), 7u);
    EXPECT_EQ(names, expected);
}

} // namespace
