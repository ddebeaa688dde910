// SPDX-License-Identifier: GPL-3.0-or-later
// The progress bar of a long name computation: it opens once the computation
// has run longer than the delay, then follows the rows; until it opens, the
// clock is read only now and then, not for every row.
#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "support/FakeTicks.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kRows = 200;

/// Records the progress bar.
class CProgressRecorder : public CRenameFrontEnd {
public:
    int opened = 0;
    int openRange = -1;
    int openPosition = -1;
    std::vector<int> positions;
    int closed = 0;

    void OpenProgress(const std::string& /*text*/, bool /*cancelAllowed*/, int range,
                      int position) override {
        ++opened;
        openRange = range;
        openPosition = position;
    }
    void SetProgress(int position) override { positions.push_back(position); }
    void CloseProgress() override { ++closed; }
};

class ComputationProgressTest : public ::testing::Test {
protected:
    CTempFolder folder;
    CProgressRecorder frontEnd;
    CRenameCore core{&frontEnd};
    CFakeTicks ticks;

    void SetUp() override {
        for (int i = 0; i < kRows; ++i) {
            folder.WriteFile("f" + std::to_string(1000 + i) + ".txt");
        }
        AddDefaultColumns(core.GetCatalogue());
        core.GetOptions().renameOnlySelected = false;
        core.GetOptions().name.insertBeforeOn = true;
        core.GetOptions().name.insertBeforeText = "n-";
        ASSERT_TRUE(core.GetCatalogue().SetFolder(folder.Path(), true));
        core.GetCatalogue().Refresh();
        ASSERT_EQ(core.GetCatalogue().GetRowCount(), kRows);
        frontEnd = CProgressRecorder{};
    }
};

TEST_F(ComputationProgressTest, TheClockIsNotReadForEveryRow) {
    ticks.Set(0, 0);
    core.ComputeNewNames(true);
    EXPECT_EQ(frontEnd.opened, 0);
    // The start, then about one reading in every 64 rows.
    EXPECT_GE(ticks.Reads(), 2);
    EXPECT_LE(ticks.Reads(), 1 + (kRows + 63) / 64);
    EXPECT_EQ(core.GetPreviewText(0), "n-f1000.txt");
}

TEST_F(ComputationProgressTest, NoProgressBarUntilTheDelayHasPassed) {
    ticks.Set(0, 1500);
    core.ComputeNewNames(true);
    EXPECT_EQ(frontEnd.opened, 0);
    EXPECT_TRUE(frontEnd.positions.empty());
    EXPECT_FALSE(core.IsPreviewPlaceholder());
}

TEST_F(ComputationProgressTest, OnceOpenTheProgressBarFollowsEveryRow) {
    ticks.Set(0, 1501);
    core.ComputeNewNames(true);
    EXPECT_EQ(frontEnd.opened, 1);
    EXPECT_EQ(frontEnd.openRange, kRows);
    EXPECT_EQ(frontEnd.openPosition, 0);
    std::vector<int> expected;
    for (int row = 1; row < kRows; ++row) {
        expected.push_back(row);
    }
    EXPECT_EQ(frontEnd.positions, expected);
    EXPECT_EQ(frontEnd.closed, 1);
    EXPECT_FALSE(core.GetState().previewCancelled);
    EXPECT_EQ(core.GetPreviewTexts().GetRowCount(), static_cast<std::size_t>(kRows));
    EXPECT_EQ(core.GetPreviewText(kRows - 1), "n-f1199.txt");
}

} // namespace
