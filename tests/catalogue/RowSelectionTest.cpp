// SPDX-License-Identifier: GPL-3.0-or-later
// The selected flags of the rows and their count: rows are selected one by
// one or by ranges, and the count always equals the number of flags set,
// through refreshes, sorts and moves by hand.

#include "catalogue/DefaultColumns.h"
#include "catalogue/FileCatalogue.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Ranges = std::vector<std::pair<int, int>>;

/// Records the rows it hears about one by one.
class CSelectionCatalogue : public CFileCatalogue {
public:
    std::vector<int> itemChanged;

protected:
    void OnItemChanged(int row) override { itemChanged.push_back(row); }
};

class RowSelectionTest : public ::testing::Test {
protected:
    CTempFolder temp;
    CSelectionCatalogue catalogue;

    void SetUp() override { AddDefaultColumns(catalogue); }

    void Open(int files) {
        for (int i = 0; i < files; ++i) {
            temp.WriteFile("f" + std::to_string(100 + i) + ".txt", std::string(i % 4, 'x'));
        }
        ASSERT_TRUE(catalogue.SetFolder(temp.Path(), true));
        catalogue.Refresh();
        ASSERT_EQ(catalogue.GetRowCount(), files);
    }

    int CountFlags() const {
        int count = 0;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            count += catalogue.IsRowSelected(row) ? 1 : 0;
        }
        return count;
    }

    std::vector<bool> Flags() const {
        std::vector<bool> flags;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            flags.push_back(catalogue.IsRowSelected(row));
        }
        return flags;
    }
};

TEST_F(RowSelectionTest, ARefreshSelectsTheFirstRowOnly) {
    Open(5);
    EXPECT_EQ(Flags(), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(catalogue.GetSelectedCount(), 1);
}

TEST_F(RowSelectionTest, AnEmptyListHasNothingToSelect) {
    ASSERT_TRUE(catalogue.SetFolder(temp.Path(), true));
    catalogue.Refresh();
    EXPECT_EQ(catalogue.GetSelectedCount(), 0);
    EXPECT_FALSE(catalogue.SetRowsSelected({{0, 10}}, true));
    EXPECT_EQ(catalogue.GetSelectedCount(), 0);
}

TEST_F(RowSelectionTest, RangesAreClippedToTheRowsAndMayOverlap) {
    Open(10);
    EXPECT_TRUE(catalogue.SetRowsSelected({{-5, 2}, {1, 3}, {8, 40}}, true));
    EXPECT_EQ(Flags(),
              (std::vector<bool>{true, true, true, true, false, false, false, false, true, true}));
    EXPECT_EQ(catalogue.GetSelectedCount(), 6);
    // An empty range and rows already selected change nothing.
    EXPECT_FALSE(catalogue.SetRowsSelected({{5, 4}, {0, 3}}, true));
    EXPECT_EQ(catalogue.GetSelectedCount(), 6);
    EXPECT_TRUE(catalogue.SetRowsSelected({{2, 8}}, false));
    EXPECT_EQ(Flags(), (std::vector<bool>{true, true, false, false, false, false, false, false,
                                          false, true}));
    EXPECT_EQ(catalogue.GetSelectedCount(), 3);
    EXPECT_FALSE(catalogue.SetRowsSelected({{2, 8}}, false));
}

TEST_F(RowSelectionTest, RangesSendNoNoticePerRowButSingleRowsDo) {
    Open(6);
    catalogue.itemChanged.clear();
    ASSERT_TRUE(catalogue.SetRowsSelected({{0, 5}}, true));
    EXPECT_TRUE(catalogue.itemChanged.empty());
    catalogue.SetRowSelected(3, false);
    catalogue.SetRowSelected(3, false);
    EXPECT_EQ(catalogue.itemChanged, (std::vector<int>{3}));
    EXPECT_EQ(catalogue.GetSelectedCount(), 5);
}

TEST_F(RowSelectionTest, SelectAllThenRefreshCountsOneAgain) {
    Open(8);
    ASSERT_TRUE(catalogue.SetRowsSelected({{0, catalogue.GetRowCount() - 1}}, true));
    EXPECT_EQ(catalogue.GetSelectedCount(), 8);
    catalogue.Refresh();
    EXPECT_EQ(catalogue.GetSelectedCount(), 1);
    EXPECT_EQ(CountFlags(), 1);
}

// Random ranges, single toggles, sorts and moves by hand against a plain
// list of flags kept beside the catalogue.
TEST_F(RowSelectionTest, TheCountFollowsEveryChangeOfTheFlags) {
    Open(40);
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> operation(0, 5);
    std::uniform_int_distribution<int> row(-3, 45);
    std::uniform_int_distribution<int> coin(0, 1);
    for (int step = 0; step < 400; ++step) {
        std::vector<bool> expected = Flags();
        const int rows = static_cast<int>(expected.size());
        switch (operation(random)) {
        case 0:
        case 1: {
            Ranges ranges;
            for (int i = coin(random) + 1; i > 0; --i) {
                ranges.emplace_back(row(random), row(random));
            }
            const bool on = coin(random) == 1;
            bool changes = false;
            for (const auto& [first, last] : ranges) {
                for (int r = std::max(first, 0); r <= last && r < rows; ++r) {
                    changes = changes || expected[static_cast<std::size_t>(r)] != on;
                    expected[static_cast<std::size_t>(r)] = on;
                }
            }
            EXPECT_EQ(catalogue.SetRowsSelected(ranges, on), changes) << "step " << step;
            break;
        }
        case 2: {
            const int r = std::clamp(row(random), 0, rows - 1);
            const bool on = coin(random) == 1;
            catalogue.SetRowSelected(r, on);
            expected[static_cast<std::size_t>(r)] = on;
            break;
        }
        case 3:
            catalogue.SortBy(coin(random) == 1 ? kNameColumn : kSizeColumn, coin(random) == 1);
            expected = Flags();
            break;
        case 4:
            catalogue.MoveSelectedRows(coin(random) == 1);
            expected = Flags();
            break;
        default:
            break;
        }
        ASSERT_EQ(Flags(), expected) << "step " << step;
        ASSERT_EQ(catalogue.GetSelectedCount(), CountFlags()) << "step " << step;
    }
}

} // namespace
