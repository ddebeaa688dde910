// SPDX-License-Identifier: GPL-3.0-or-later
// The rows' order after a refresh or a click on a column is exactly the
// order CompareEntries defines, stable from the order before, in every mode
// that changes it: folders grouped or not, recursive or not, names as
// numbers or not, ascending or descending, by every kind of column. The
// catalogue sorts on keys of its own; CompareEntries is the definition.

#include "catalogue/FileCatalogue.h"
#include "catalogue/NameParts.h"
#include "catalogue/TypeNameSource.h"
#include "platform/FindRecord.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kColName = 0;
constexpr int kColSize = 1;
constexpr int kColFolder = 2;
constexpr int kColType = 4;
constexpr int kColumnCount = 9;
// A column the catalogue does not have: the files keep their order.
constexpr int kColNone = 99;

// Names that collide without case, share prefixes, hold bytes above 127
// and dots, so that every comparison path is taken. Some start with a stem
// of 7, 8, 15, 16 or 17 bytes that others share, in some case or other, so
// that names alike in their first 8 or 16 bytes differ only after them.
std::string RandomName(std::mt19937& random) {
    static const char* const kPieces[] = {"a", "A", "b", "B", "img", "IMG", "_", "0", "1",
                                          "9", "é", "É", "z", "Z",   ".",   "~", "-", " "};
    static const char* const kStems[] = {"",        "",         "",         "IMG_000",
                                         "img_0001", "IMG_0001", "img_00012345 ph",
                                         "IMG_00012345 ph", "img_00012345 pho",
                                         "Img_00012345 Photo"};
    std::uniform_int_distribution<int> length(1, 5);
    std::uniform_int_distribution<int> piece(0, static_cast<int>(std::size(kPieces)) - 1);
    std::uniform_int_distribution<std::size_t> stem(0, std::size(kStems) - 1);
    std::string name = kStems[stem(random)];
    const int count = length(random);
    for (int i = 0; i < count; ++i) {
        name += kPieces[piece(random)];
    }
    if (name == "." || name == "..") {
        name += "x";
    }
    return name;
}

// Names for the numeric order too: leading numbers, signs, blanks, numbers
// beyond 32 bits, and extensions that differ only in case.
std::string RandomRichName(std::mt19937& random) {
    static const char* const kNumbers[] = {"9 ", "10 ", "-1 ",        " 7",
                                           "+3", "007", "4294967296", "12"};
    static const char* const kExtensions[] = {".jpg", ".JPG", ".Jpg",    ".txt", ".TXT",
                                              "",     "",     ".tar.gz", "."};
    std::uniform_int_distribution<int> coin(0, 2);
    std::string name;
    if (coin(random) == 0) {
        name += kNumbers[std::uniform_int_distribution<std::size_t>(0, std::size(kNumbers) -
                                                                           1)(random)];
    }
    name += RandomName(random);
    name += kExtensions[std::uniform_int_distribution<std::size_t>(0, std::size(kExtensions) -
                                                                          1)(random)];
    return name == "." || name == ".." ? name + "x" : name;
}

// Type descriptions by extension, some equal but for case, one empty.
class CMixedCaseTypeNames : public CTypeNameSource {
public:
    std::string TypeName(const std::string& longName, uint32_t attributes) override {
        if (attributes & platform::kAttrDirectory) {
            return "Bestandsmap";
        }
        static const char* const kNames[] = {"JPEG-afbeelding", "jpeg-Afbeelding", "Tekst", "",
                                             "tekstdocument"};
        const auto dot = longName.rfind('.');
        unsigned sum = 0;
        for (std::size_t i = dot == std::string::npos ? longName.size() : dot; i < longName.size();
             ++i) {
            sum += static_cast<unsigned char>(longName[i]);
        }
        return kNames[sum % std::size(kNames)];
    }
};

class SortOrderTest : public ::testing::Test {
protected:
    CTempFolder temp;
    CFileCatalogue catalogue;

    void SetUp() override {
        catalogue.AddColumn("Bestand", ColumnKind::FileName, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Grootte", ColumnKind::Size, -1, ColumnAlignment::Right);
        catalogue.AddColumn("Pad", ColumnKind::Folder, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Ext", ColumnKind::Extension, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Type", ColumnKind::Type, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Attributen", ColumnKind::Attributes, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Gemaakt", ColumnKind::Created, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Gewijzigd", ColumnKind::Modified, -1, ColumnAlignment::Left);
        catalogue.AddColumn("Laatst geopend", ColumnKind::Accessed, -1, ColumnAlignment::Left);
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

    // A tree of folders in three levels, some names equal but for case,
    // with files whose sizes and times are drawn from a few values (so
    // that many are equal and some differ), some of them read-only or
    // hidden, so that every column has ties and differences.
    static void MakeRichTree(const CTempFolder& root, std::mt19937& random) {
        std::vector<std::string> folders = {""};
        for (int level = 0; level < 2; ++level) {
            const std::vector<std::string> parents = folders;
            for (const std::string& parent : parents) {
                for (int i = 0; i < 3; ++i) {
                    const std::string folder = parent + RandomName(random) + "/";
                    if (!std::filesystem::exists(root / folder)) {
                        root.MakeFolder(folder);
                        folders.push_back(folder);
                    }
                }
            }
        }
        static const std::size_t kSizes[] = {0, 0, 1, 7, 7, 300};
        static const timespec kTimes[] = {
            {1700000000, 0}, {1700000000, 0}, {1700000000, 100}, {1700000001, 0}, {946684800, 0}};
        const auto pick = [&random](const auto& values) {
            return values[std::uniform_int_distribution<std::size_t>(0, std::size(values) -
                                                                            1)(random)];
        };
        for (const std::string& folder : folders) {
            for (int i = 0; i < 12; ++i) {
                const std::string path = root / (folder + RandomRichName(random));
                if (std::filesystem::exists(path)) {
                    continue;
                }
                root.WriteFile(folder + std::filesystem::path(path).filename().string(),
                               std::string(pick(kSizes), 'x'));
                const timespec times[2] = {pick(kTimes), pick(kTimes)}; // accessed, modified
                ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
                if (std::uniform_int_distribution<int>(0, 4)(random) == 0) {
                    ASSERT_EQ(chmod(path.c_str(), 0444), 0) << path;
                }
            }
        }
    }

    // Rows moved about by hand: a random set selected and moved a few
    // places up or down, so that a sort starts from an order of its own.
    void ScrambleRows(std::mt19937& random) {
        std::uniform_int_distribution<int> coin(0, 3);
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            catalogue.SetRowSelected(row, coin(random) == 0);
        }
        const bool up = coin(random) < 2;
        for (int i = 0; i < 5; ++i) {
            catalogue.MoveSelectedRows(up);
        }
    }

    // Whether the rows' values of one column hold both ties and differences,
    // as a tree must for its sort to test the tie-breaks and the values.
    template <typename Value> bool HasTiesAndDifferences(Value value) const {
        std::vector<decltype(value(std::declval<const CFileEntry&>()))> values;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            values.push_back(value(catalogue.GetRowEntry(row)));
        }
        std::sort(values.begin(), values.end());
        const auto distinct =
            static_cast<std::size_t>(std::unique(values.begin(), values.end()) - values.begin());
        return distinct > 1 && distinct < values.size();
    }

    // Empty when the orders are the same, else where they first differ.
    static std::string FirstDifference(const std::vector<const CFileEntry*>& actual,
                                       const std::vector<const CFileEntry*>& expected) {
        if (actual.size() != expected.size()) {
            return "row counts " + std::to_string(actual.size()) + " and " +
                   std::to_string(expected.size());
        }
        for (std::size_t i = 0; i < actual.size(); ++i) {
            if (actual[i] != expected[i]) {
                return "row " + std::to_string(i) + ": " + actual[i]->FullPath() + ", expected " +
                       expected[i]->FullPath();
            }
        }
        return {};
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

TEST_F(SortOrderTest, EveryColumnInEveryModeOrdersRowsAsCompareEntriesDoes) {
    CMixedCaseTypeNames typeNames;
    catalogue.SetTypeNameSource(&typeNames);
    int checked = 0;
    for (const unsigned seed : {7u, 1789u, 20261208u}) {
        CTempFolder root;
        std::mt19937 random(seed);
        MakeRichTree(root, random);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(catalogue.SetFolder(root.Path(), true));
        for (const bool recursive : {false, true}) {
            for (const bool foldersAsFiles : {false, true}) {
                for (const bool numbers : {false, true}) {
                    catalogue.SetRecursive(recursive);
                    catalogue.SetFoldersAsFiles(foldersAsFiles);
                    catalogue.SetSortNamesAsNumbers(numbers);
                    catalogue.Refresh();
                    const std::string mode =
                        "seed " + std::to_string(seed) +
                        (recursive ? ", recursive" : ", one folder") +
                        (foldersAsFiles ? ", folders as files" : ", folders first") +
                        (numbers ? ", names as numbers" : "");
                    ASSERT_GT(catalogue.GetRowCount(), recursive ? 100 : 10) << mode;

                    std::vector<const CFileEntry*> scanOrder;
                    for (const CFileEntry& entry : catalogue.GetEntries()) {
                        scanOrder.push_back(&entry);
                    }
                    ASSERT_EQ(FirstDifference(RowOrder(), ExpectedOrder(scanOrder)), "")
                        << mode << ", after a refresh";

                    if (recursive && foldersAsFiles && !numbers) {
                        catalogue.SortBy(kColType, true); // looks the type names up
                        using Entry = const CFileEntry&;
                        EXPECT_TRUE(HasTiesAndDifferences([](Entry e) { return e.FileSize(); }));
                        EXPECT_TRUE(
                            HasTiesAndDifferences([](Entry e) { return e.LastWriteTime(); }));
                        EXPECT_TRUE(
                            HasTiesAndDifferences([](Entry e) { return e.LastAccessTime(); }));
                        EXPECT_TRUE(HasTiesAndDifferences(
                            [](Entry e) { return AttributeLetters(e.Attributes()); }));
                        EXPECT_TRUE(HasTiesAndDifferences([](Entry e) { return e.TypeName(); }));
                        EXPECT_TRUE(HasTiesAndDifferences([](Entry e) { return e.Folder(); }));
                        EXPECT_TRUE(HasTiesAndDifferences(
                            [](Entry e) { return LeadingInteger(e.LongName()); }));
                    }

                    std::vector<int> columns(kColumnCount);
                    std::iota(columns.begin(), columns.end(), 0);
                    columns.push_back(kColNone);
                    for (const int column : columns) {
                        for (const bool ascending : {true, false}) {
                            ScrambleRows(random);
                            const std::vector<const CFileEntry*> before = RowOrder();
                            catalogue.SortBy(column, ascending);
                            ASSERT_EQ(FirstDifference(RowOrder(), ExpectedOrder(before)), "")
                                << mode << ", column " << column
                                << (ascending ? " ascending" : " descending");
                            ++checked;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 3 * 8 * (kColumnCount + 1) * 2);
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

// A list already in order is kept and one exactly backwards is turned
// round without a sort; both must still give what the comparison gives,
// with names equal but for case keeping their order.
TEST_F(SortOrderTest, RowsAlreadyInOrderOrExactlyBackwardsComeOutAsCompareEntriesSays) {
    for (const bool withTies : {false, true}) {
        SCOPED_TRACE(withTies ? "names equal but for case" : "distinct names");
        CTempFolder folder;
        for (const char* name : {"d.txt", "a.txt", "f", "c.jpg", "b", "e.TXT"}) {
            folder.WriteFile(name, std::string(std::strlen(name), 'x'));
        }
        if (withTies) {
            for (const char* name : {"A.TXT", "C.JPG", "B"}) {
                folder.WriteFile(name);
            }
        }
        ASSERT_TRUE(catalogue.SetFolder(folder.Path(), true));
        catalogue.Refresh();
        for (const int column : {kColName, kColSize}) {
            for (const bool ascending : {true, false, false, true, true}) {
                const std::vector<const CFileEntry*> before = RowOrder();
                catalogue.SortBy(column, ascending);
                EXPECT_EQ(FirstDifference(RowOrder(), ExpectedOrder(before)), "")
                    << "column " << column << (ascending ? " ascending" : " descending");
            }
        }
    }
}

} // namespace
