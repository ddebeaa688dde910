// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CaseRules.h"
#include "platform/FileSystem.h"

#include "support/FoldingMount.h"
#include "support/MoveHookGuard.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

using platform::FoldName;
using platform::NameCase;
using platform::SameName;

namespace {

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        if (IsFuseHiddenName(item.path().filename().string())) {
            continue;
        }
        names.insert(item.path().filename().string());
    }
    return names;
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

} // namespace

// ---------------------------------------------------------------------------
// Folding names as a file system does

TEST(CaseRulesFold, ExactKeepsEveryByte) {
    EXPECT_EQ(FoldName("IMG_0001.JPG", NameCase::Exact), "IMG_0001.JPG");
    EXPECT_FALSE(SameName("a.jpg", "A.jpg", NameCase::Exact));
}

TEST(CaseRulesFold, SimpleFoldsEveryScriptCharacterByCharacter) {
    EXPECT_EQ(FoldName("IMG_0001.JPG", NameCase::Simple), "img_0001.jpg");
    EXPECT_TRUE(SameName("Ärger.TXT", "ärger.txt", NameCase::Simple));
    // Armenian, Georgian (Mtavruli), Cherokee and Greek, as an up-case table
    // of all of Unicode pairs them.
    EXPECT_TRUE(SameName("\u0531\u0532.txt", "\u0561\u0562.txt", NameCase::Simple));
    EXPECT_TRUE(SameName("\u1C90.txt", "\u10D0.txt", NameCase::Simple));
    EXPECT_TRUE(SameName("\u13A0.txt", "\uAB70.txt", NameCase::Simple));
    EXPECT_TRUE(SameName("\u03A3.txt", "\u03C2.txt", NameCase::Simple));
    // One character stays one: no ß -> ss, no dotless i -> i, as exFAT keeps
    // them apart.
    EXPECT_FALSE(SameName("\u00DF.txt", "ss.txt", NameCase::Simple));
    EXPECT_FALSE(SameName("\u0131.txt", "i.txt", NameCase::Simple));
}

TEST(CaseRulesFold, FullFoldsAndDecomposesAsACasefoldFolderDoes) {
    EXPECT_TRUE(SameName("\u00DF.txt", "SS.txt", NameCase::Full));
    // A precomposed and a decomposed e with acute are one name.
    EXPECT_TRUE(SameName("caf\u00C9.txt", "cafe\u0301.txt", NameCase::Full));
    EXPECT_FALSE(SameName("cafe.txt", "caf\u00E9.txt", NameCase::Full));
}

TEST(CaseRulesFold, BytesThatAreNoCharacterKeepTheirValue) {
    const std::string name = "A\xFF\xC3.TXT";
    EXPECT_EQ(FoldName(name, NameCase::Simple), "a\xFF\xC3.txt");
    EXPECT_EQ(FoldName(name, NameCase::Full), "a\xFF\xC3.txt");
}

TEST(CaseRulesFolder, ALocalFolderComparesExactly) {
    CTempFolder temp;
    WriteFile(temp / "Photo.JPG", "x");
    EXPECT_EQ(platform::FolderNameCase(temp.Path()), NameCase::Exact);
    platform::CFolderCaseRules rules;
    EXPECT_EQ(rules.Key(temp / "Photo.JPG"), temp / "Photo.JPG");
    EXPECT_FALSE(rules.AnyFolds());
}

// ---------------------------------------------------------------------------
// Real cards: exFAT and FAT32 through FUSE

class FoldingMountTest : public testing::TestWithParam<CFoldingMount::Kind> {
protected:
    void SetUp() override {
        mount = std::make_unique<CFoldingMount>(GetParam());
        if (!mount->IsMounted()) {
            GTEST_SKIP() << mount->SkipReason();
        }
        root = mount->Path();
    }
    void TearDown() override {
        platform::SetMoveFaultHook(nullptr);
        mount.reset();
    }

    std::unique_ptr<CFoldingMount> mount;
    std::string root;
};

std::string KindName(const testing::TestParamInfo<CFoldingMount::Kind>& info) {
    return info.param == CFoldingMount::Kind::ExFat ? "ExFat" : "Fat32";
}

INSTANTIATE_TEST_SUITE_P(Cards, FoldingMountTest,
                         testing::Values(CFoldingMount::Kind::ExFat, CFoldingMount::Kind::Fat32),
                         KindName);

TEST_P(FoldingMountTest, TheFolderIsKnownToFoldAndKeysFoldTheName) {
    WriteFile(root + "IMG_0001.JPG", "photo");
    EXPECT_EQ(platform::FolderNameCase(root), NameCase::Simple);
    platform::CFolderCaseRules rules;
    EXPECT_EQ(rules.Key(root + "IMG_0001.JPG"), root + "img_0001.jpg");
    EXPECT_TRUE(rules.AnyFolds());
}

TEST_P(FoldingMountTest, ACaseOnlyMoveSucceedsBothWays) {
    WriteFile(root + "IMG_0001.JPG", "one");
    WriteFile(root + "IMG_0002.JPG", "two");
    platform::CFolderMover mover;
    int error = -1;
    ASSERT_TRUE(mover.Move(root + "IMG_0001.JPG", root + "img_0001.jpg", error)) << error;
    EXPECT_EQ(error, 0);
    ASSERT_TRUE(platform::MoveNoReplace(root + "IMG_0002.JPG", root + "img_0002.JPG", error))
        << error;
    EXPECT_EQ(NamesIn(root), (std::set<std::string>{"img_0001.jpg", "img_0002.JPG"}));
    EXPECT_EQ(ReadWholeFile(root + "img_0001.jpg"), "one");
    ASSERT_TRUE(mover.Move(root + "img_0001.jpg", root + "IMG_0001.JPG", error)) << error;
    EXPECT_EQ(NamesIn(root), (std::set<std::string>{"IMG_0001.JPG", "img_0002.JPG"}));
}

TEST_P(FoldingMountTest, AFolderChangesCaseToo) {
    if (GetParam() == CFoldingMount::Kind::Fat32) {
        // fusefat itself empties a folder that is renamed in any way: a
        // plain "mv DCIM T" there leaves T without the files DCIM held.
        GTEST_SKIP() << "fusefat loses the entries of every folder it renames";
    }
    std::filesystem::create_directory(root + "DCIM");
    WriteFile(root + "DCIM/a.jpg", "inside");
    int error = 0;
    ASSERT_TRUE(platform::MoveNoReplace(root + "DCIM", root + "dcim", error)) << error;
    EXPECT_EQ(NamesIn(root), std::set<std::string>{"dcim"});
    EXPECT_EQ(ReadWholeFile(root + "dcim/a.jpg"), "inside");
}

TEST_P(FoldingMountTest, AFileThatFoldsAlikeIsNeverReplaced) {
    WriteFile(root + "a.jpg", "mine");
    WriteFile(root + "Photo.jpg", "theirs");
    platform::CFolderMover mover;
    int error = 0;
    EXPECT_FALSE(mover.Move(root + "a.jpg", root + "photo.JPG", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_TRUE(mover.StrandedPath().empty());
    EXPECT_EQ(NamesIn(root), (std::set<std::string>{"a.jpg", "Photo.jpg"}));
    EXPECT_EQ(ReadWholeFile(root + "Photo.jpg"), "theirs");
}

TEST_P(FoldingMountTest, WithoutTheNoReplaceFlagNoFileOrFolderIsReplaced) {
    WriteFile(root + "a.jpg", "mine");
    WriteFile(root + "b.jpg", "theirs");
    std::filesystem::create_directory(root + "one");
    std::filesystem::create_directory(root + "two");
    int error = 0;
    EXPECT_FALSE(platform::MoveNoReplace(root + "a.jpg", root + "b.jpg", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_FALSE(platform::MoveNoReplace(root + "one", root + "two", error));
    EXPECT_EQ(error, EEXIST);
    // A move to a free name leaves no reservation behind.
    ASSERT_TRUE(platform::MoveNoReplace(root + "a.jpg", root + "c.jpg", error)) << error;
    EXPECT_EQ(NamesIn(root), (std::set<std::string>{"b.jpg", "c.jpg", "one", "two"}));
    EXPECT_EQ(ReadWholeFile(root + "b.jpg"), "theirs");
    EXPECT_EQ(ReadWholeFile(root + "c.jpg"), "mine");
}

TEST_P(FoldingMountTest, AFileMadeAtTheTargetJustBeforeTheMoveStays) {
    WriteFile(root + "a.jpg", "mine");
    CMoveHookGuard guard([this](const std::string&, const std::string&) {
        WriteFile(root + "X.JPG", "theirs");
        return 0;
    });
    platform::CFolderMover mover;
    int error = 0;
    EXPECT_FALSE(mover.Move(root + "a.jpg", root + "x.jpg", error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(NamesIn(root), (std::set<std::string>{"a.jpg", "X.JPG"}));
    EXPECT_EQ(ReadWholeFile(root + "X.JPG"), "theirs");
}

TEST_P(FoldingMountTest, AFailedMoveTakesItsReservationBack) {
    WriteFile(root + "a.jpg", "mine");
    // A folder cannot take the place of a file's reservation: the rename
    // fails after the target was reserved, and the reservation goes.
    std::filesystem::create_directory(root + "sub");
    int error = 0;
    EXPECT_FALSE(platform::MoveNoReplace(root + "sub", root + "sub/inner", error));
    EXPECT_NE(error, 0);
    EXPECT_EQ(NamesIn(root), (std::set<std::string>{"a.jpg", "sub"}));
    EXPECT_TRUE(NamesIn(root + "sub").empty());
}
