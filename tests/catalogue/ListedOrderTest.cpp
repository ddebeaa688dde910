// SPDX-License-Identifier: GPL-3.0-or-later
// Rows listed in the sort's order, or in that order backwards, need no sort:
// UseListedOrder then gives exactly what the general sort gives, and leaves
// every other listing alone for it.
#include "catalogue/ListedOrder.h"

#include "catalogue/RowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

class ListedOrderTest : public ::testing::Test {
protected:
    /// Entries of two folders: names in both, numbers, case, bytes
    /// above 127, and two sub-folders.
    void SetUp() override {
        const auto top = std::make_shared<const std::string>("/top/");
        const auto sub = std::make_shared<const std::string>("/top/sub/");
        for (const char* name : {"b.jpg", "A.jpg", "a.JPEG", "10 c", "9 d", "é.txt", "E.txt",
                                 "img_0002.jpg", "img_0001.jpg", "z"}) {
            entries.emplace_back(top, name, platform::EntryType::File);
            entries.emplace_back(sub, name, platform::EntryType::File);
        }
        entries.emplace_back(top, "sub", platform::EntryType::Folder);
        entries.emplace_back(top, "Another", platform::EntryType::Folder);
    }

    std::vector<CCatalogueRow> Rows() {
        std::vector<CCatalogueRow> rows;
        for (CFileEntry& entry : entries) {
            rows.push_back(CCatalogueRow{&entry, false});
        }
        return rows;
    }
    static std::vector<CFileEntry*> Entries(const std::vector<CCatalogueRow>& rows) {
        std::vector<CFileEntry*> result;
        for (const CCatalogueRow& row : rows) {
            result.push_back(row.entry);
        }
        return result;
    }
    static std::vector<CCatalogueRow> Sorted(std::vector<CCatalogueRow> rows,
                                             const CRowOrder& order) {
        EXPECT_TRUE(SortCatalogueRows(rows, order));
        return rows;
    }
    /// Every order the name and folder columns and no column give.
    static std::vector<CRowOrder> Orders() {
        std::vector<CRowOrder> orders;
        for (const std::optional<ColumnKind> kind :
             {std::optional<ColumnKind>(ColumnKind::FileName),
              std::optional<ColumnKind>(ColumnKind::Folder), std::optional<ColumnKind>()}) {
            for (const bool ascending : {true, false}) {
                for (const bool recursive : {true, false}) {
                    for (const bool foldersAsFiles : {false, true}) {
                        for (const bool namesAsNumbers : {false, true}) {
                            orders.push_back(CRowOrder{kind, ascending, recursive, foldersAsFiles,
                                                       namesAsNumbers});
                        }
                    }
                }
            }
        }
        return orders;
    }

    std::vector<CFileEntry> entries;
};

TEST_F(ListedOrderTest, RowsInOrderStayAsTheyAre) {
    for (const CRowOrder& order : Orders()) {
        const std::vector<CCatalogueRow> sorted = Sorted(Rows(), order);
        std::vector<CCatalogueRow> rows = sorted;
        EXPECT_TRUE(UseListedOrder(rows, order));
        EXPECT_EQ(Entries(rows), Entries(sorted));
    }
}

TEST_F(ListedOrderTest, RowsBackwardsComeOutAsTheSortPutsThem) {
    int turned = 0;
    for (const CRowOrder& order : Orders()) {
        const std::vector<CCatalogueRow> sorted = Sorted(Rows(), order);
        const std::vector<CCatalogueRow> backwards(sorted.rbegin(), sorted.rend());
        std::vector<CCatalogueRow> rows = backwards;
        if (UseListedOrder(rows, order)) {
            EXPECT_EQ(Entries(rows), Entries(Sorted(backwards, order)));
            turned += Entries(rows) != Entries(backwards) ? 1 : 0;
        } else {
            // Equal rows the other way round: the sort keeps them so, and
            // the rows are left to it untouched.
            EXPECT_EQ(Entries(rows), Entries(backwards));
        }
    }
    EXPECT_GT(turned, 0);
}

TEST_F(ListedOrderTest, EqualRowsBackwardsAreNotTurnedAround) {
    // By name without the folder, the files of the two folders tie two by
    // two: the sorted rows backwards are not strictly so.
    const CRowOrder byName{ColumnKind::FileName, true, false, false, false};
    const std::vector<CCatalogueRow> sorted = Sorted(Rows(), byName);
    std::vector<CCatalogueRow> rows(sorted.rbegin(), sorted.rend());
    const std::vector<CCatalogueRow> backwards = rows;
    EXPECT_FALSE(UseListedOrder(rows, byName));
    EXPECT_EQ(Entries(rows), Entries(backwards));

    // No column, folders among the files: every file equals every other, so
    // the files keep their listed order, backwards or not.
    const CRowOrder byNothing{std::nullopt, true, false, true, false};
    EXPECT_TRUE(UseListedOrder(rows, byNothing));
    EXPECT_EQ(Entries(rows), Entries(backwards));
}

TEST_F(ListedOrderTest, OtherListingsAreLeftToTheSort) {
    std::mt19937 random(20261210);
    int leftAlone = 0;
    for (const CRowOrder& order : Orders()) {
        std::vector<CCatalogueRow> rows = Sorted(Rows(), order);
        for (int round = 0; round < 3; ++round) {
            std::shuffle(rows.begin(), rows.end(), random);
            const std::vector<CCatalogueRow> listed = rows;
            if (UseListedOrder(rows, order)) {
                EXPECT_EQ(Entries(rows), Entries(Sorted(listed, order)));
            } else {
                ++leftAlone;
                EXPECT_EQ(Entries(rows), Entries(listed));
            }
        }
    }
    EXPECT_GT(leftAlone, 0);
}

TEST_F(ListedOrderTest, NoRowOrOneIsInOrder) {
    const CRowOrder order{ColumnKind::FileName, true, false, false, false};
    std::vector<CCatalogueRow> rows;
    EXPECT_TRUE(UseListedOrder(rows, order));
    rows.push_back(CCatalogueRow{&entries[0], false});
    EXPECT_TRUE(UseListedOrder(rows, order));
    EXPECT_EQ(rows[0].entry, &entries[0]);
}

} // namespace
