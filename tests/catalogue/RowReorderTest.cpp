// SPDX-License-Identifier: GPL-3.0-or-later
// A click on a column reorders the rows it has: the catalogue says so with
// where each row came from, keeps the focus and the selection on their
// entries, and orders names equal but for case, equal values, and lists
// already in order or backwards exactly as CompareEntries does.

#include "catalogue/DefaultColumns.h"
#include "catalogue/FileCatalogue.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

/// Records the notices around changes and reorders of the rows.
class CReorderCatalogue : public CFileCatalogue {
public:
    std::vector<std::string> calls;
    std::vector<uint32_t> sources;

protected:
    void OnRowsAboutToChange() override { calls.emplace_back("AboutToChange"); }
    void OnRowsChanged() override { calls.emplace_back("Changed"); }
    void OnRowsAboutToReorder() override { calls.emplace_back("AboutToReorder"); }
    void OnRowsReordered(const std::vector<uint32_t>& rowSources) override {
        calls.emplace_back("Reordered");
        sources = rowSources;
    }
    void OnSortChanged(int column, bool /*ascending*/) override {
        calls.push_back("SortChanged " + std::to_string(column));
    }
};

class RowReorderTest : public ::testing::Test {
protected:
    CTempFolder temp;
    CReorderCatalogue catalogue;

    void SetUp() override { AddDefaultColumns(catalogue); }

    void Open() {
        ASSERT_TRUE(catalogue.SetFolder(temp.Path(), true));
        catalogue.Refresh();
        catalogue.calls.clear();
    }

    std::vector<const CFileEntry*> Rows() const {
        std::vector<const CFileEntry*> rows;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            rows.push_back(&catalogue.GetRowEntry(row));
        }
        return rows;
    }

    std::vector<std::string> Names(const std::vector<const CFileEntry*>& rows) const {
        std::vector<std::string> names;
        for (const CFileEntry* entry : rows) {
            names.push_back(entry->LongName());
        }
        return names;
    }

    // What the order must be: the previous order sorted stably with the
    // catalogue's own comparison.
    std::vector<const CFileEntry*> Expected(std::vector<const CFileEntry*> before) const {
        std::stable_sort(before.begin(), before.end(),
                         [this](const CFileEntry* a, const CFileEntry* b) {
                             return catalogue.CompareEntries(*a, *b) < 0;
                         });
        return before;
    }

    // Sorts by column and checks the order and the sources reported.
    void SortAndCheck(int column, bool ascending) {
        const std::vector<const CFileEntry*> before = Rows();
        catalogue.calls.clear();
        catalogue.SortBy(column, ascending);
        const std::vector<const CFileEntry*> after = Rows();
        const std::string where =
            "column " + std::to_string(column) + (ascending ? " ascending" : " descending");
        EXPECT_EQ(Names(after), Names(Expected(before))) << where;
        EXPECT_EQ(after, Expected(before)) << where;
        EXPECT_EQ(catalogue.calls,
                  (std::vector<std::string>{"AboutToReorder",
                                            "SortChanged " + std::to_string(column), "Reordered"}))
            << where;
        if (catalogue.sources.empty()) {
            EXPECT_EQ(after, before) << where;
            return;
        }
        ASSERT_EQ(catalogue.sources.size(), before.size()) << where;
        for (std::size_t row = 0; row < after.size(); ++row) {
            ASSERT_LT(catalogue.sources[row], before.size()) << where;
            EXPECT_EQ(after[row], before[catalogue.sources[row]]) << where << ", row " << row;
        }
    }
};

TEST_F(RowReorderTest, ASortIsReportedAsAReorderWithWhereEachRowCameFrom) {
    for (const char* name : {"d.txt", "a.txt", "c.jpg", "b", "e.TXT"}) {
        temp.WriteFile(name, std::string(static_cast<std::size_t>(name[0] - 'a'), 'x'));
    }
    Open();
    SortAndCheck(kSizeColumn, false);
    EXPECT_FALSE(catalogue.sources.empty());
    SortAndCheck(kNameColumn, true);
    EXPECT_FALSE(catalogue.sources.empty());
    // Already in order: every row stays, and the sources say so by being empty.
    SortAndCheck(kNameColumn, true);
    EXPECT_TRUE(catalogue.sources.empty());
}

TEST_F(RowReorderTest, TheFocusAndTheSelectionStayOnTheirEntries) {
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
        temp.WriteFile(name, std::string(static_cast<std::size_t>('g' - name[0]), 'x'));
    }
    Open();
    catalogue.SetRowSelected(0, false);
    catalogue.SetRowSelected(1, true);
    catalogue.SetRowSelected(4, true);
    catalogue.SetFocusedRow(4);
    catalogue.SortBy(kSizeColumn, true);
    EXPECT_EQ(Names(Rows()), (std::vector<std::string>{"f", "e", "d", "c", "b", "a"}));
    EXPECT_EQ(catalogue.GetRowEntry(catalogue.GetFocusedRow()).LongName(), "e");
    std::vector<std::string> selected;
    for (int row = 0; row < catalogue.GetRowCount(); ++row) {
        if (catalogue.IsRowSelected(row)) {
            selected.push_back(catalogue.GetRowEntry(row).LongName());
        }
    }
    EXPECT_EQ(selected, (std::vector<std::string>{"e", "b"}));
    EXPECT_EQ(catalogue.GetSelectedCount(), 2);
}

TEST_F(RowReorderTest, NamesEqualButForCaseAndEqualValuesInEveryColumnAndDirection) {
    // Every file empty and of one date: sizes, times, types and attributes
    // are all equal, so the names decide, and names equal but for case
    // keep the order they had.
    for (const char* name :
         {"B.txt", "a.TXT", "b.TXT", "A.txt", "ab", "AB", "aB", "c", "C.Txt", "c.tXT",
          "\xc3\x89t\xc3\xa9", "\xc3\xa9T\xc3\x89", "img_00010", "IMG_00010", "img_00009"}) {
        temp.WriteFile(name);
    }
    temp.MakeFolder("Map");
    temp.MakeFolder("map2");
    Open();
    for (int round = 0; round < 2; ++round) {
        for (int column = 0; column < kDefaultColumnCount; ++column) {
            for (const bool ascending : {true, false, false, true}) {
                SortAndCheck(column, ascending);
            }
        }
    }
}

TEST_F(RowReorderTest, ListsInOrderOrBackwardsWithTiesComeOutAsCompareEntriesSays) {
    for (int i = 0; i < 30; ++i) {
        const std::string stem = "f" + std::to_string(100 + i);
        temp.WriteFile(stem + ".txt", std::string(static_cast<std::size_t>(i / 3), 'x'));
        if (i % 5 == 0) {
            temp.WriteFile(stem + ".TXT", std::string(static_cast<std::size_t>(i / 3), 'x'));
        }
    }
    Open();
    // Backwards after each change of direction, in order after each repeat.
    for (const int column : {kNameColumn, kSizeColumn}) {
        for (const bool ascending : {false, false, true, true, false}) {
            SortAndCheck(column, ascending);
        }
    }
}

TEST_F(RowReorderTest, FilesUnsortedByAnUnknownColumnKeepTheirScanOrderAfterARefresh) {
    for (const char* name : {"c", "A", "b", "a", "B"}) {
        temp.WriteFile(name);
    }
    Open();
    catalogue.SortBy(42, true);
    catalogue.Refresh();
    std::vector<std::string> scanOrder;
    for (const CFileEntry& entry : catalogue.GetEntries()) {
        scanOrder.push_back(entry.LongName());
    }
    EXPECT_EQ(Names(Rows()), scanOrder);
    // Sorting by name from there orders the names, twins in scan order.
    SortAndCheck(kNameColumn, true);
}

} // namespace
