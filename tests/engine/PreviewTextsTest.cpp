// SPDX-License-Identifier: GPL-3.0-or-later
// The preview's texts read back exactly as they were set, whichever way a
// row keeps its text, and a view of one row stays valid while others are set.
#include "engine/PreviewTexts.h"

#include "catalogue/DefaultColumns.h"
#include "catalogue/FileCatalogue.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using TextKind = CPreviewTexts::TextKind;

class PreviewTextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"photo.jpg", "noext", "trailing.", "x.tar.gz", ".hidden",
                                 "a very long file name over fifteen.txt"}) {
            folder.WriteFile(name);
        }
        AddDefaultColumns(catalogue);
        ASSERT_TRUE(catalogue.SetFolder(folder.Path(), false));
        catalogue.Refresh();
        ASSERT_EQ(catalogue.GetRowCount(), 6);
        texts.Reset(static_cast<std::size_t>(catalogue.GetRowCount()));
    }

    /// The row of the file named name.
    std::size_t RowOf(const std::string& name) const {
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            if (catalogue.GetRowEntry(row).LongName() == name) {
                return static_cast<std::size_t>(row);
            }
        }
        ADD_FAILURE() << "no row " << name;
        return 0;
    }

    /// Text and View agree, and give expected.
    void ExpectText(std::size_t row, const std::string& expected) const {
        std::string scratch;
        EXPECT_EQ(texts.Text(row), expected) << "row " << row;
        EXPECT_EQ(texts.View(row, scratch), expected) << "row " << row;
    }

    CTempFolder folder;
    CFileCatalogue catalogue;
    CPreviewTexts texts{catalogue};
};

TEST_F(PreviewTextsTest, KeptRowsShowTheNameInAngleBracketsWithoutATrailingDot) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"photo.jpg", "<photo.jpg>"},
        {"noext", "<noext>"},
        {"trailing.", "<trailing>"},
        {"x.tar.gz", "<x.tar.gz>"},
        {"a very long file name over fifteen.txt", "<a very long file name over fifteen.txt>"},
    };
    for (const auto& [name, shown] : cases) {
        const std::size_t row = RowOf(name);
        texts.SetKept(row);
        EXPECT_EQ(texts.Kind(row), TextKind::Kept);
        ExpectText(row, shown);
        EXPECT_FALSE(texts.Moves(row));
    }
}

TEST_F(PreviewTextsTest, AComputedNameEqualToTheEntrysNameIsSameAndDoesNotMove) {
    const std::size_t row = RowOf("photo.jpg");
    texts.SetComputed(row, "photo.jpg");
    EXPECT_EQ(texts.Kind(row), TextKind::Same);
    ExpectText(row, "photo.jpg");
    EXPECT_FALSE(texts.Moves(row));
    // A view of a same row is the entry's own name, not a copy.
    std::string scratch;
    EXPECT_EQ(texts.View(row, scratch).data(),
              catalogue.GetRowEntry(static_cast<int>(row)).LongName().data());
    EXPECT_TRUE(scratch.empty());
}

TEST_F(PreviewTextsTest, SameIsChosenOnlyForAnExactByteMatch) {
    const std::size_t row = RowOf("photo.jpg");
    for (const char* text : {"Photo.jpg", "photo.jpg ", "photo.jp", "photo.jpg\n", "<photo.jpg>"}) {
        texts.SetComputed(row, text);
        EXPECT_EQ(texts.Kind(row), TextKind::Changed) << text;
        ExpectText(row, text);
    }
    // The name of another row is no match either.
    texts.SetComputed(row, "noext");
    EXPECT_EQ(texts.Kind(row), TextKind::Changed);
    EXPECT_TRUE(texts.Moves(row));
    // Told that the name stays, the row lets go of its changed text.
    texts.SetSame(row);
    EXPECT_EQ(texts.Kind(row), TextKind::Same);
    ExpectText(row, "photo.jpg");
    EXPECT_FALSE(texts.Moves(row));
    EXPECT_EQ(texts.GetLiveBytes(), 0u);
}

TEST_F(PreviewTextsTest, AChangedTextInAngleBracketsOrEmptyDoesNotMove) {
    const std::size_t row = RowOf("noext");
    texts.SetComputed(row, "<made>");
    EXPECT_FALSE(texts.Moves(row));
    texts.SetComputed(row, "made");
    EXPECT_TRUE(texts.Moves(row));
    texts.SetComputed(row, "");
    EXPECT_EQ(texts.Kind(row), TextKind::Empty);
    ExpectText(row, "");
    EXPECT_FALSE(texts.Moves(row));
}

TEST_F(PreviewTextsTest, ARowNotSetSinceTheResetIsEmpty) {
    for (std::size_t row = 0; row < texts.GetRowCount(); ++row) {
        EXPECT_EQ(texts.Kind(row), TextKind::Empty);
        ExpectText(row, "");
    }
}

TEST_F(PreviewTextsTest, ATextLongerThanABlockReadsBackWhole) {
    std::string longText;
    for (int i = 0; longText.size() <= CPreviewTexts::kBlockSize * 2; ++i) {
        longText += std::to_string(i) + ",";
    }
    const std::string quarter(CPreviewTexts::kBlockSize / 4, 'q');
    const std::string overQuarter(CPreviewTexts::kBlockSize / 4 + 1, 'o');
    texts.SetComputed(0, longText);
    texts.SetComputed(1, quarter);
    texts.SetComputed(2, overQuarter);
    texts.SetComputed(3, "short");
    ExpectText(0, longText);
    ExpectText(1, quarter);
    ExpectText(2, overQuarter);
    ExpectText(3, "short");
}

TEST_F(PreviewTextsTest, ViewsStayValidWhileThousandsOfOtherRowsAreSet) {
    const std::size_t count = 20000;
    CPreviewTexts many{catalogue};
    many.Reset(count);
    std::vector<std::string_view> views;
    std::vector<std::string> expected;
    std::string scratch;
    for (std::size_t row = 0; row < count; ++row) {
        expected.push_back("new name " + std::to_string(row * 7919) + ".txt");
        many.SetComputed(row, expected.back());
        views.push_back(many.View(row, scratch));
    }
    // Far more than one block's worth of text was written.
    EXPECT_GT(many.GetArenaBytes(), 4 * CPreviewTexts::kBlockSize);
    for (std::size_t row = 0; row < count; ++row) {
        ASSERT_EQ(views[row], expected[row]) << "row " << row;
        ASSERT_EQ(many.Text(row), expected[row]) << "row " << row;
    }
}

TEST_F(PreviewTextsTest, CompactionKeepsEveryLiveTextAndDropsReplacedOnes) {
    const std::size_t count = 5000;
    CPreviewTexts many{catalogue};
    many.Reset(count);
    for (int round = 0; round < 4; ++round) {
        for (std::size_t row = 0; row < count; ++row) {
            if (row % 3 == 0 && round > 0) {
                continue;
            }
            many.SetComputed(row, "round " + std::to_string(round) + " row " + std::to_string(row));
        }
    }
    ASSERT_GT(many.GetDeadBytes(), many.GetLiveBytes());
    const std::size_t before = many.GetArenaBytes();
    const std::size_t live = many.GetLiveBytes();
    many.CompactIfWasteful();
    EXPECT_EQ(many.GetDeadBytes(), 0U);
    EXPECT_EQ(many.GetLiveBytes(), live);
    EXPECT_LT(many.GetArenaBytes(), before);
    for (std::size_t row = 0; row < count; ++row) {
        const std::string round = row % 3 == 0 ? "0" : "3";
        ASSERT_EQ(many.Text(row), "round " + round + " row " + std::to_string(row));
        ASSERT_EQ(many.Kind(row), TextKind::Changed);
    }
    // With fewer dead bytes than live ones nothing is copied.
    const std::size_t compacted = many.GetArenaBytes();
    many.SetComputed(1, "one more");
    many.CompactIfWasteful();
    EXPECT_GT(many.GetDeadBytes(), 0U);
    EXPECT_EQ(many.GetArenaBytes(), compacted);
    EXPECT_EQ(many.Text(1), "one more");
}

TEST_F(PreviewTextsTest, AResetEmptiesTheArenaAndEveryRow) {
    for (std::size_t row = 0; row < texts.GetRowCount(); ++row) {
        texts.SetComputed(row, std::string(100, 'x') + std::to_string(row));
    }
    EXPECT_GT(texts.GetLiveBytes(), 0U);
    texts.Reset(texts.GetRowCount());
    EXPECT_EQ(texts.GetLiveBytes(), 0U);
    EXPECT_EQ(texts.GetDeadBytes(), 0U);
    // One block stays for the next texts.
    EXPECT_LE(texts.GetArenaBytes(), CPreviewTexts::kBlockSize);
    for (std::size_t row = 0; row < texts.GetRowCount(); ++row) {
        EXPECT_EQ(texts.Kind(row), TextKind::Empty);
    }
    texts.SetComputed(2, "after");
    ExpectText(2, "after");
}

TEST_F(PreviewTextsTest, ReleasedRowsReadAsEmptyAndTheirBlocksGoBack) {
    const std::size_t count = 60000;
    CPreviewTexts many{catalogue};
    many.Reset(count);
    for (std::size_t row = 0; row < count; ++row) {
        many.SetComputed(row, "released name " + std::to_string(row));
    }
    const std::size_t full = many.GetArenaBytes();
    const std::size_t handles = many.GetHandleBytes();
    for (std::size_t row = 0; row < count / 2; ++row) {
        many.Release(row);
    }
    EXPECT_LT(many.GetArenaBytes(), full * 2 / 3);
    EXPECT_LT(many.GetHandleBytes(), handles * 2 / 3);
    EXPECT_EQ(many.Kind(0), TextKind::Empty);
    EXPECT_EQ(many.Text(0), "");
    for (std::size_t row = count / 2; row < count; ++row) {
        ASSERT_EQ(many.Text(row), "released name " + std::to_string(row));
    }
    for (std::size_t row = count / 2; row < count; ++row) {
        many.Release(row);
    }
    EXPECT_EQ(many.GetHandleBytes(), 0U);
    EXPECT_EQ(many.GetLiveBytes(), 0U);
    // A released row can be set again.
    many.SetComputed(7, "again");
    EXPECT_EQ(many.Text(7), "again");
    many.Clear();
    EXPECT_EQ(many.GetRowCount(), 0U);
    EXPECT_EQ(many.GetArenaBytes(), 0U);
    EXPECT_EQ(many.GetHandleBytes(), 0U);
}

TEST_F(PreviewTextsTest, RowsWithoutAChangedNameHoldNoHandle) {
    const std::size_t count = 100000;
    CPreviewTexts many{catalogue};
    many.Reset(count);
    for (std::size_t row = 0; row < count; ++row) {
        many.SetKept(row);
    }
    EXPECT_EQ(many.GetHandleBytes(), 0U);
    EXPECT_EQ(many.GetLiveBytes(), 0U);
    many.SetComputed(count - 1, "changed");
    EXPECT_GT(many.GetHandleBytes(), 0U);
    EXPECT_LT(many.GetHandleBytes(), count);
    EXPECT_EQ(many.Text(count - 1), "changed");
}

TEST_F(PreviewTextsTest, ASingleTextNeedsNoEntry) {
    CFileCatalogue empty;
    CPreviewTexts single{empty};
    single.SetSingleText("Double-click here");
    ASSERT_EQ(single.GetRowCount(), 1U);
    EXPECT_EQ(single.Kind(0), TextKind::Changed);
    EXPECT_EQ(single.Text(0), "Double-click here");
}

TEST_F(PreviewTextsTest, KeptAndSameRowsPastTheCatalogueReadAsEmpty) {
    CFileCatalogue empty;
    CPreviewTexts beyond{empty};
    beyond.Reset(2);
    beyond.SetKept(0);
    beyond.SetComputed(1, "x");
    EXPECT_EQ(beyond.Text(0), "");
    EXPECT_EQ(beyond.Text(1), "x");
}

} // namespace
