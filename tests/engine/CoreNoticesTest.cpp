// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "support/FakeTicks.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// Records the notices in the order they come, and checks what a list
/// model relies on: every "about to change" is closed by a "changed", and
/// the preview always has one row per file row when it is announced.
class CNoticeRecorder : public CRenameFrontEnd {
public:
    explicit CNoticeRecorder(const CRenameCore*& coreRef) : core(coreRef) {}

    std::vector<std::string> notices;
    int rowDepth = 0;
    int maxRowDepth = 0;
    int previewMismatches = 0;

    void OnRowsAboutToChange() override {
        notices.push_back("rows-about");
        maxRowDepth = std::max(maxRowDepth, ++rowDepth);
    }
    void OnRowsChanged() override {
        notices.push_back("rows");
        --rowDepth;
    }
    void OnSelectionChanged(int row) override {
        notices.push_back("selection " + std::to_string(row));
    }
    void OnPreviewAboutToChange() override { notices.push_back("preview-about"); }
    void OnPreviewChanged() override {
        notices.push_back("preview");
        if (core != nullptr && !core->IsPreviewPlaceholder() &&
            core->GetPreviewTexts().GetRowCount() !=
                static_cast<std::size_t>(core->GetCatalogue().GetRowCount())) {
            ++previewMismatches;
        }
    }
    void OnRefreshStarted() override { notices.push_back("refresh-start"); }
    void OnRefreshEnded(bool cancelled) override {
        notices.push_back(cancelled ? "refresh-cancelled" : "refresh-done");
    }
    void OnFolderEntered(const std::string& /*folder*/, bool& cancelled) override {
        ++foldersEntered;
        if (cancelAfterFolders > 0 && foldersEntered >= cancelAfterFolders) {
            cancelled = true;
        }
    }
    int foldersEntered = 0;
    int cancelAfterFolders = 0;
    void OnPatternStarted(const std::string& pattern) override { patterns.push_back(pattern); }
    std::vector<std::string> patterns;

    // The progress bar: its cancel button is pressed once it is open when
    // cancelWhenOpen is set.
    void OpenProgress(const std::string& /*text*/, bool /*cancelAllowed*/, int /*range*/,
                      int /*position*/) override {
        ++progressOpened;
        progressOpen = true;
    }
    bool IsProgressCancelled() override { return cancelWhenOpen && progressOpen; }
    void CloseProgress() override { progressOpen = false; }
    bool cancelWhenOpen = false;
    bool progressOpen = false;
    int progressOpened = 0;

private:
    const CRenameCore*& core;
};

class CoreNoticesTest : public ::testing::Test {
protected:
    CTempFolder folder;
    const CRenameCore* corePointer = nullptr;
    CNoticeRecorder frontEnd{corePointer};
    CRenameCore core{&frontEnd};

    void SetUp() override {
        corePointer = &core;
        AddDefaultColumns(core.GetCatalogue());
        core.GetOptions().renameOnlySelected = false;
        core.GetOptions().name.insertBeforeOn = true;
        core.GetOptions().name.insertBeforeText = "n-";
    }
    void Open() {
        ASSERT_TRUE(core.GetCatalogue().SetFolder(folder.Path(), true));
        core.GetCatalogue().Refresh();
    }
    std::vector<std::pair<std::string, std::string>> PairNames() const {
        std::vector<std::pair<std::string, std::string>> names;
        for (const CRenamePair& pair : core.CollectRenamePairs(false)) {
            names.emplace_back(pair.oldPath.substr(folder.Path().size()), pair.newPath);
        }
        return names;
    }
};

TEST_F(CoreNoticesTest, RefreshAnnouncesRowsAroundTheScanAndThePreview) {
    folder.WriteFile("a.txt");
    folder.WriteFile("b.txt");
    Open();
    const std::vector<std::string> expected = {"rows-about", "refresh-start", "preview-about",
                                               "preview",    "refresh-done",  "rows"};
    EXPECT_EQ(frontEnd.notices, expected);
    EXPECT_EQ(frontEnd.rowDepth, 0);
    EXPECT_EQ(frontEnd.previewMismatches, 0);
}

TEST_F(CoreNoticesTest, EveryPatternOfTheMaskIsAnnouncedBeforeItsScan) {
    folder.WriteFile("a.txt");
    folder.WriteFile("b.doc");
    core.GetCatalogue().SetMask("*.txt;*.doc");
    Open();
    const std::vector<std::string> expected = {"*.txt", "*.doc"};
    EXPECT_EQ(frontEnd.patterns, expected);
    EXPECT_EQ(core.GetCatalogue().GetRowCount(), 2);
}

TEST_F(CoreNoticesTest, PreviewFollowsTheRowsAfterASort) {
    folder.WriteFile("a.txt", "1");
    folder.WriteFile("b.txt", "22");
    Open();
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(PairNames(), (Pairs{{"a.txt", "n-a.txt"}, {"b.txt", "n-b.txt"}}));

    // Descending by name: b first; its pair must carry its own new name.
    frontEnd.notices.clear();
    core.GetCatalogue().SortBy(kNameColumn, false);
    EXPECT_EQ(PairNames(), (Pairs{{"b.txt", "n-b.txt"}, {"a.txt", "n-a.txt"}}));
    EXPECT_EQ(frontEnd.notices.front(), "rows-about");
    EXPECT_EQ(frontEnd.notices.back(), "rows");
    EXPECT_EQ(frontEnd.rowDepth, 0);
}

TEST_F(CoreNoticesTest, PreviewFollowsRowsMovedByHandAndTheAutonumber) {
    folder.WriteFile("a.txt");
    folder.WriteFile("b.txt");
    folder.WriteFile("c.txt");
    core.GetOptions().name.insertBeforeOn = false;
    core.GetOptions().autonumber.position = AutonumberPosition::BeforeName;
    core.GetOptions().autonumber.zeroFill = "0";
    Open();
    core.SetRowsSelected({{0, 2}}, false);
    core.SetRowsSelected({{2, 2}}, true);
    ASSERT_TRUE(core.GetCatalogue().MoveSelectedRows(true));
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(PairNames(), (Pairs{{"a.txt", "1a.txt"}, {"c.txt", "2c.txt"}, {"b.txt", "3b.txt"}}));
    EXPECT_EQ(core.GetCatalogue().GetSortColumn(), -1);
    EXPECT_EQ(frontEnd.rowDepth, 0);
}

TEST_F(CoreNoticesTest, ColumnOrderChangeRecomputesTheColumnTag) {
    folder.WriteFile("a.txt", "12345");
    core.GetOptions().name.replaceWithOn = true;
    core.GetOptions().name.replaceWithText = "<C:2>";
    Open();
    const std::string before = core.GetPreviewText(0);
    std::vector<int> order = core.GetCatalogue().GetColumnOrder();
    ASSERT_GE(order.size(), 3U);
    std::swap(order[1], order[2]);
    ASSERT_TRUE(core.GetCatalogue().SetColumnOrder(order));
    EXPECT_NE(core.GetPreviewText(0), before);
}

TEST_F(CoreNoticesTest, SelectingManyRowsGivesOneNoticeAndOneRecompute) {
    for (int i = 0; i < 50; ++i) {
        folder.WriteFile("f" + std::to_string(i) + ".txt");
    }
    core.GetOptions().renameOnlySelected = true;
    Open();
    frontEnd.notices.clear();
    core.SetRowsSelected({{0, 49}}, true);
    const std::vector<std::string> expected = {"preview-about", "preview", "selection -1"};
    EXPECT_EQ(frontEnd.notices, expected);
    EXPECT_EQ(core.GetCatalogue().GetSelectedCount(), 50);

    // Nothing changes: no notice at all.
    frontEnd.notices.clear();
    core.SetRowsSelected({{0, 49}}, true);
    EXPECT_TRUE(frontEnd.notices.empty());

    // One row deselected: that row is named, and only selected rows are renamed.
    core.GetCatalogue().SetRowSelected(3, false);
    EXPECT_EQ(frontEnd.notices.back(), "selection 3");
    EXPECT_EQ(core.CollectRenamePairs(false).size(), 49U);
}

TEST_F(CoreNoticesTest, CancelledScanClosesTheRowsAndEmptiesThePreview) {
    for (int i = 0; i < 5; ++i) {
        folder.WriteFile("sub" + std::to_string(i) + "/x.txt");
    }
    Open();
    ASSERT_GT(core.GetPreviewTexts().GetRowCount(), 0U);
    frontEnd.notices.clear();
    frontEnd.cancelAfterFolders = 2;
    core.GetCatalogue().SetRecursive(true);
    core.GetCatalogue().Refresh();
    EXPECT_TRUE(core.GetCatalogue().IsCancelled());
    EXPECT_NE(std::find(frontEnd.notices.begin(), frontEnd.notices.end(), "refresh-cancelled"),
              frontEnd.notices.end());
    EXPECT_EQ(frontEnd.rowDepth, 0);
    EXPECT_EQ(core.GetCatalogue().GetRowCount(), 0);
    EXPECT_TRUE(core.GetPreviewTexts().IsEmpty());
}

TEST_F(CoreNoticesTest, ACancelledComputationClosesItsPreviewNoticeOnce) {
    for (int i = 0; i < 5; ++i) {
        folder.WriteFile("f" + std::to_string(i) + ".txt");
    }
    Open();
    // With the automatic preview on (the cancel switches it off) and off.
    for (const bool automatic : {true, false}) {
        SCOPED_TRACE(automatic);
        ASSERT_EQ(core.IsAutoPreview(), automatic);
        frontEnd.notices.clear();
        frontEnd.progressOpened = 0;
        frontEnd.cancelWhenOpen = true;
        {
            // The delay has passed at the first reading after the start: the
            // progress bar opens after the first row, the cancel comes at
            // the second.
            CFakeTicks ticks;
            ticks.Set(0, 100000);
            core.ComputeNewNames(true);
        }
        frontEnd.cancelWhenOpen = false;
        EXPECT_EQ(frontEnd.progressOpened, 1);
        EXPECT_FALSE(frontEnd.progressOpen);
        EXPECT_TRUE(core.GetState().previewCancelled);
        EXPECT_EQ(frontEnd.notices, (std::vector<std::string>{"preview-about", "preview"}));
        EXPECT_TRUE(core.IsPreviewPlaceholder());
        EXPECT_FALSE(core.IsAutoPreview());
        EXPECT_TRUE(core.CollectRenamePairs(false).empty());
    }
}

} // namespace
