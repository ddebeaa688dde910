// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RenameCore.h"
#include "catalogue/DefaultColumns.h"
#include "resources/StringTable.h"
#include "support/RenameCoreFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Names = CRenameCoreFixture::Names;

class RenameCoreTest : public CRenameCoreFixture {};

// ---------------------------------------------------------------------------
// The name pipeline on real entries

TEST_F(RenameCoreTest, InsertionComesBeforeTheCaseChange) {
    folder.WriteFile("Holiday photo.jpg");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "X-";
    NameRules().caseMode = CaseMode::Upper;
    Open();
    EXPECT_EQ(Preview(), Names({"X-HOLIDAY PHOTO.jpg"}));
}

TEST_F(RenameCoreTest, CropsAndInsertsByPosition) {
    folder.WriteFile("abc.txt");
    struct CCase {
        const char* what;
        void (*apply)(CNameRuleBlock&);
        const char* expected;
    };
    const CCase cases[] = {
        {"left crop past the end",
         [](CNameRuleBlock& b) {
             b.leftCropOn = true;
             b.leftCropCount = "5";
         },
         ".txt"},
        {"left crop 1",
         [](CNameRuleBlock& b) {
             b.leftCropOn = true;
             b.leftCropCount = "1";
         },
         "bc.txt"},
        {"right crop 0 is inactive",
         [](CNameRuleBlock& b) {
             b.rightCropOn = true;
             b.rightCropCount = "0";
         },
         "abc.txt"},
        {"right crop 2",
         [](CNameRuleBlock& b) {
             b.rightCropOn = true;
             b.rightCropCount = "2";
         },
         "a.txt"},
        {"crop at 1 count 1",
         [](CNameRuleBlock& b) {
             b.cropAtOn = true;
             b.cropPosition = "1";
             b.cropCount = "1";
         },
         "ac.txt"},
        {"crop at 2 count 5",
         [](CNameRuleBlock& b) {
             b.cropAtOn = true;
             b.cropPosition = "2";
             b.cropCount = "5";
         },
         "ab.txt"},
        {"insert at the end",
         [](CNameRuleBlock& b) {
             b.insertAtOn = true;
             b.insertAtPosition = "3";
             b.insertAtText = "Z";
         },
         "abcZ.txt"},
        {"insert past the end",
         [](CNameRuleBlock& b) {
             b.insertAtOn = true;
             b.insertAtPosition = "4";
             b.insertAtText = "Z";
         },
         "abc.txt"},
        {"insert at 0",
         [](CNameRuleBlock& b) {
             b.insertAtOn = true;
             b.insertAtPosition = "0";
             b.insertAtText = "Z";
         },
         "Zabc.txt"},
    };
    Open();
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.what);
        NameRules() = CNameRuleBlock{};
        c.apply(NameRules());
        core.ComputeNewNames(true);
        EXPECT_EQ(Preview(), Names({c.expected}));
    }
}

TEST_F(RenameCoreTest, ReplacesTextWithAndWithoutCase) {
    folder.WriteFile("Banana.txt");
    folder.WriteFile("aaa.txt");
    NameRules().replaceTextOn = true;
    NameRules().searchText = "A";
    NameRules().replacementText = "x";
    Open();
    // Rows are sorted by name without regard to case: aaa before Banana.
    ASSERT_EQ(RowNames(), Names({"aaa.txt", "Banana.txt"}));
    EXPECT_EQ(Preview(), Names({"xxx.txt", "Bxnxnx.txt"}));

    NameRules().matchCase = true;
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"aaa.txt", "Banana.txt"}));

    NameRules().matchCase = false;
    NameRules().searchText = "aa";
    NameRules().replacementText = "b";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"ba.txt", "Banana.txt"}));
}

TEST_F(RenameCoreTest, RuleTextsWorkOnCharactersNotBytes) {
    folder.WriteFile("éèêx.txt");
    Open();
    NameRules().leftCropOn = true;
    NameRules().leftCropCount = "1";
    NameRules().caseMode = CaseMode::Upper;
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"ÈÊX.txt"}));

    NameRules() = CNameRuleBlock{};
    NameRules().insertAtOn = true;
    NameRules().insertAtPosition = "2";
    NameRules().insertAtText = "ß";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"éèßêx.txt"}));
}

TEST_F(RenameCoreTest, ExtensionRulesAndEmptyExtensions) {
    folder.WriteFile("photo.jpg");
    Open();
    Options().extension.replaceWithOn = true;
    Options().extension.replaceWithText = "";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"photo"}));

    Options().extension.replaceWithText = "JPEG";
    Options().extension.caseMode = CaseMode::Lower;
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"photo.jpeg"}));
}

TEST_F(RenameCoreTest, ForbiddenCharactersBecomeUnderscores) {
    folder.WriteFile("a.txt");
    Open();
    NameRules().insertAfterOn = true;
    NameRules().insertAfterText = " 2024/05/01 12:00";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"a 2024_05_01 12_00.txt"}));
}

TEST_F(RenameCoreTest, ControlCharactersOfAnOldNameDoNotReachTheNewName) {
    folder.WriteFile("a\nb.txt");
    folder.WriteFile("c\td\x7F.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    Open();
    EXPECT_EQ(Preview(), Names({"xa_b.txt", "xc_d_.txt"}));
    EXPECT_EQ(Rename(), 0);
    EXPECT_EQ(OnDisk(), Names({"xa_b.txt", "xc_d_.txt"}));
}

TEST_F(RenameCoreTest, ANameNoRuleChangesIsNotRenamedForItsCharacters) {
    folder.WriteFile("What?.txt", "what");
    folder.WriteFile("tap\there.txt", "tap");
    folder.WriteFile("a:b.txt", "ab");
    folder.WriteFile("bob.txt", "bob");
    NameRules().replaceTextOn = true;
    NameRules().searchText = "b";
    NameRules().replacementText = "c";
    Open();
    ASSERT_EQ(RowNames(), Names({"a:b.txt", "bob.txt", "tap\there.txt", "What?.txt"}));
    // Untouched names show as they are; a name a rule changed is cleaned
    // whole.
    EXPECT_EQ(Preview(), Names({"a_c.txt", "coc.txt", "tap\there.txt", "What?.txt"}));
    EXPECT_EQ(core.CollectRenamePairs(false).size(), 2u);
    EXPECT_EQ(Rename(), 0);
    EXPECT_EQ(OnDisk(), Names({"What?.txt", "a_c.txt", "coc.txt", "tap\there.txt"}));
    EXPECT_EQ(Content("What?.txt"), "what");

    // With only untouched names there is nothing to rename.
    NameRules().replaceTextOn = true;
    core.GetCatalogue().SetMask("What?.txt");
    core.GetCatalogue().Refresh();
    ASSERT_EQ(RowNames(), Names({"What?.txt"}));
    frontEnd.messages.clear();
    EXPECT_EQ(Rename(), 0);
    EXPECT_EQ(frontEnd.LastMessage(), LookupString(strings::kNothingToRename));
    EXPECT_EQ(OnDisk(), Names({"What?.txt", "a_c.txt", "coc.txt", "tap\there.txt"}));
}

TEST_F(RenameCoreTest, UnclosedAngleBracketGivesTheErrorText) {
    folder.WriteFile("a.txt");
    Open();
    NameRules().replaceWithOn = true;
    NameRules().replaceWithText = "new<B";
    NameRules().insertAfterOn = true;
    NameRules().insertAfterText = "-1";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"_ONJUIST COMMANDO_-1.txt"}));
    EXPECT_EQ(core.ExpandRuleText("a<b"), LookupString(strings::kInvalidCommand));
    EXPECT_EQ(core.ExpandRuleText("plain > text"), "plain > text");
}

// ---------------------------------------------------------------------------
// Autonumber

class AutonumberTest : public RenameCoreTest {
protected:
    void SetUpFiles(int count) {
        for (int i = 0; i < count; ++i) {
            folder.WriteFile("f" + std::to_string(i) + ".txt");
        }
    }
    CAutonumberOptions& Numbering() { return Options().autonumber; }
};

TEST_F(AutonumberTest, CountsFromStartWithZeroFill) {
    SetUpFiles(3);
    Numbering().position = AutonumberPosition::AfterName;
    Numbering().start = "9";
    Numbering().zeroFill = "1";
    Open();
    EXPECT_EQ(Preview(), Names({"f009.txt", "f110.txt", "f211.txt"}));

    Numbering().position = AutonumberPosition::BeforeName;
    Numbering().increment = "-2";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"09f0.txt", "07f1.txt", "05f2.txt"}));
}

TEST_F(AutonumberTest, ReadsTheNumberTextsLeniently) {
    SetUpFiles(3);
    Numbering().position = AutonumberPosition::AfterName;
    Numbering().start = "";
    Numbering().increment = "";
    Numbering().zeroFill = "0";
    Open();
    EXPECT_EQ(Preview(), Names({"f01.txt", "f12.txt", "f23.txt"}));

    Numbering().start = "x";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"f00.txt", "f11.txt", "f22.txt"}));

    Numbering().start = "-3";
    Numbering().zeroFill = "2";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"f0-003.txt", "f1-002.txt", "f2-001.txt"}));
}

TEST_F(AutonumberTest, LettersSkipTheZeroCounter) {
    SetUpFiles(3);
    Numbering().position = AutonumberPosition::AfterName;
    Numbering().base = AutonumberBase::Letters;
    Numbering().start = "25";
    Numbering().zeroFill = "0";
    Open();
    EXPECT_EQ(Preview(), Names({"f0Y.txt", "f1Z.txt", "f2AA.txt"}));

    Numbering().start = "0";
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"f0.txt", "f1A.txt", "f2B.txt"}));
}

TEST_F(AutonumberTest, RestartsPerFolderAlsoWhenAFolderComesBack) {
    folder.WriteFile("a/1.txt");
    folder.WriteFile("a/2.txt");
    folder.WriteFile("b/1.txt");
    folder.WriteFile("top.txt");
    Numbering().position = AutonumberPosition::AfterName;
    Numbering().zeroFill = "0";
    core.GetCatalogue().SetShowFolders(false);
    core.GetCatalogue().SetRecursive(true);
    Open();
    // Put the rows in an order in which folder a appears twice: sort by
    // name gives 1.txt (a), 1.txt (b), 2.txt (a), top.txt.
    core.GetCatalogue().SortBy(0, true);
    core.ComputeNewNames(true);
    std::vector<std::string> folders;
    for (int row = 0; row < core.GetCatalogue().GetRowCount(); ++row) {
        folders.push_back(fs::path(core.GetCatalogue().GetRowEntry(row).Folder())
                              .parent_path()
                              .filename()
                              .string());
    }
    ASSERT_EQ(RowNames(), Names({"1.txt", "1.txt", "2.txt", "top.txt"}));
    ASSERT_EQ(folders[2], folders[0]);
    ASSERT_NE(folders[1], folders[0]);
    EXPECT_EQ(Preview(), Names({"11.txt", "11.txt", "21.txt", "top1.txt"}));

    Numbering().restartPerFolder = false;
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"11.txt", "12.txt", "23.txt", "top4.txt"}));
}

TEST_F(AutonumberTest, RunsOnlyOverTheSelectedRows) {
    SetUpFiles(5);
    Numbering().position = AutonumberPosition::AfterName;
    Numbering().zeroFill = "0";
    Options().renameOnlySelected = true;
    Open();
    // The refresh selected the first row: only that one is computed.
    ASSERT_EQ(core.GetCatalogue().GetSelectedCount(), 1);
    EXPECT_EQ(Preview(), Names({"f01.txt", "<f1.txt>", "<f2.txt>", "<f3.txt>", "<f4.txt>"}));

    core.GetCatalogue().SetRowSelected(0, false);
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"f01.txt", "f12.txt", "f23.txt", "f34.txt", "f45.txt"}));

    core.GetCatalogue().SetRowSelected(1, true);
    core.GetCatalogue().SetRowSelected(3, true);
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"<f0.txt>", "f11.txt", "<f2.txt>", "f32.txt", "<f4.txt>"}));

    Options().renameOnlySelected = false;
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview().back(), "f45.txt");
}

// ---------------------------------------------------------------------------
// Preview rows

TEST_F(RenameCoreTest, FoldersKeepTheirNamesUnlessTreatedAsFiles) {
    folder.MakeFolder("sub.d");
    folder.WriteFile("file.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    Open();
    ASSERT_EQ(RowNames(), Names({"sub.d", "file.txt"}));
    EXPECT_EQ(Preview(), Names({"<sub.d>", "xfile.txt"}));

    core.GetCatalogue().SetFoldersAsFiles(true);
    core.ComputeNewNames(true);
    EXPECT_EQ(Preview(), Names({"xsub.d", "xfile.txt"}));
}

TEST_F(RenameCoreTest, PlaceholderWhenTheAutomaticPreviewIsOff) {
    folder.WriteFile("a.txt");
    Open();
    ASSERT_TRUE(core.IsAutoPreview());
    core.TogglePreview();
    EXPECT_FALSE(core.IsAutoPreview());
    EXPECT_TRUE(core.IsPreviewPlaceholder());
    EXPECT_EQ(Preview(), Names({std::string(LookupString(strings::kDoubleClickForPreview))}));
    // Nothing is renamed from a placeholder.
    EXPECT_TRUE(core.CollectRenamePairs(true).empty());

    core.ComputeNewNames(true);
    EXPECT_FALSE(core.IsPreviewPlaceholder());
    EXPECT_EQ(Preview(), Names({"a.txt"}));
    EXPECT_EQ(core.GetPreviewHeader(), "Voorbeeld - [ 1 items ]");
}

// ---------------------------------------------------------------------------
// Rename and undo on real folders

TEST_F(RenameCoreTest, RenamesAndUndoesWithContentsIntact) {
    folder.WriteFile("one.txt", "1");
    folder.WriteFile("two.txt", "2");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "new-";
    Open();
    EXPECT_EQ(Rename(), 0);
    EXPECT_EQ(OnDisk(), Names({"new-one.txt", "new-two.txt"}));
    EXPECT_EQ(Content("new-one.txt"), "1");
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "one.txt", folder / "two.txt"}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "new-one.txt", folder / "new-two.txt"}));
    // The rules are switched off after a rename and the list was rescanned.
    EXPECT_FALSE(NameRules().insertBeforeOn);
    EXPECT_EQ(NameRules().insertBeforeText, "new-");
    EXPECT_EQ(RowNames(), Names({"new-one.txt", "new-two.txt"}));

    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Names({"one.txt", "two.txt"}));
    EXPECT_EQ(Content("two.txt"), "2");
    EXPECT_TRUE(core.GetUndoOldPaths().empty());

    frontEnd.messages.clear();
    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(frontEnd.LastMessage(), LookupString(strings::kNothingToUndo));
}

TEST_F(RenameCoreTest, RulesStayOnWhenUncheckingIsSwitchedOff) {
    folder.WriteFile("one.txt");
    core.GetSwitches().uncheckAllAfterRenaming = false;
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "new-";
    Open();
    EXPECT_EQ(Rename(), 0);
    EXPECT_TRUE(NameRules().insertBeforeOn);
    EXPECT_EQ(Preview(), Names({"new-new-one.txt"}));
}

TEST_F(RenameCoreTest, ExistingTargetIsNeverOverwritten) {
    folder.WriteFile("a.txt", "A");
    folder.WriteFile("b.txt", "B");
    folder.WriteFile("c.log", "C");
    Options().extension.replaceWithOn = true;
    Options().extension.replaceWithText = "log";
    core.GetCatalogue().SetMask("*.txt");
    Open();
    ASSERT_EQ(Preview(), Names({"a.log", "b.log"}));
    folder.WriteFile("a.log", "existing");
    EXPECT_EQ(Rename(), 1);
    EXPECT_EQ(Content("a.log"), "existing");
    EXPECT_EQ(Content("a.txt"), "A");
    EXPECT_EQ(Content("b.log"), "B");
    ASSERT_EQ(core.GetFailures().size(), 1u);
    const CRenameFailure& failure = core.GetFailures()[0];
    EXPECT_EQ(failure.code, EEXIST);
    EXPECT_EQ(failure.fromPath, folder / "a.txt");
    EXPECT_EQ(failure.toPath, folder / "a.log");
    EXPECT_EQ(failure.text, FormatSystemError(EEXIST));
    EXPECT_EQ(failure.text.rfind("(#17) ", 0), 0u);
    ASSERT_EQ(frontEnd.errorLists.size(), 1u);
    EXPECT_EQ(frontEnd.errorLists[0].size(), 1u);
    EXPECT_EQ(frontEnd.messages.back().text, LookupString(strings::kErrorsWhileRenaming));
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "b.txt"}));
}

TEST_F(RenameCoreTest, DuplicateNewNamesMoveOnlyTheFirst) {
    folder.WriteFile("x1.txt", "1");
    folder.WriteFile("x2.txt", "2");
    NameRules().replaceWithOn = true;
    NameRules().replaceWithText = "same";
    Open();
    ASSERT_EQ(Preview(), Names({"same.txt", "same.txt"}));
    EXPECT_EQ(Rename(), 1);
    EXPECT_EQ(OnDisk(), Names({"same.txt", "x2.txt"}));
    EXPECT_EQ(Content("same.txt"), "1");
    EXPECT_EQ(core.GetFailures()[0].code, EEXIST);
    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Names({"x1.txt", "x2.txt"}));
    EXPECT_EQ(Content("x1.txt"), "1");
    EXPECT_EQ(Content("x2.txt"), "2");
}

TEST_F(RenameCoreTest, SwappingTwoNamesLosesNothing) {
    folder.WriteFile("1.txt", "first");
    folder.WriteFile("2.txt", "second");
    // Descending order with an autonumber from 1 asks 2.txt -> 1.txt and
    // 1.txt -> 2.txt: both targets exist, so both moves fail.
    NameRules().replaceWithOn = true;
    NameRules().replaceWithText = "";
    Options().autonumber.position = AutonumberPosition::AfterName;
    Options().autonumber.zeroFill = "0";
    Open();
    core.GetCatalogue().SortBy(0, false);
    core.ComputeNewNames(true);
    ASSERT_EQ(RowNames(), Names({"2.txt", "1.txt"}));
    ASSERT_EQ(Preview(), Names({"1.txt", "2.txt"}));
    EXPECT_EQ(Rename(), 2);
    EXPECT_EQ(Content("1.txt"), "first");
    EXPECT_EQ(Content("2.txt"), "second");
    EXPECT_TRUE(core.GetUndoOldPaths().empty());
}

TEST_F(RenameCoreTest, SwappingTwoNamesSucceedsWithSwapsAndChains) {
    folder.WriteFile("1.txt", "first");
    folder.WriteFile("2.txt", "second");
    core.GetSwitches().allowSwapsAndChains = true;
    NameRules().replaceWithOn = true;
    NameRules().replaceWithText = "";
    Options().autonumber.position = AutonumberPosition::AfterName;
    Options().autonumber.zeroFill = "0";
    Open();
    core.GetCatalogue().SortBy(0, false);
    core.ComputeNewNames(true);
    ASSERT_EQ(Preview(), Names({"1.txt", "2.txt"}));
    EXPECT_EQ(Rename(), 0);
    EXPECT_EQ(OnDisk(), Names({"1.txt", "2.txt"}));
    EXPECT_EQ(Content("1.txt"), "second");
    EXPECT_EQ(Content("2.txt"), "first");
    // The real moves: 2.txt aside, 1.txt to 2.txt, the aside one to 1.txt.
    ASSERT_EQ(core.GetUndoOldPaths().size(), 3u);
    EXPECT_EQ(core.GetUndoOldPaths()[0], folder / "2.txt");
    EXPECT_EQ(core.GetUndoNewPaths()[0].rfind(folder / ".nr-swap-", 0), 0u);
    EXPECT_EQ(core.GetUndoOldPaths()[1], folder / "1.txt");
    EXPECT_EQ(core.GetUndoOldPaths()[2], core.GetUndoNewPaths()[0]);
    EXPECT_EQ(core.GetUndoNewPaths()[2], folder / "1.txt");

    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Names({"1.txt", "2.txt"}));
    EXPECT_EQ(Content("1.txt"), "first");
    EXPECT_EQ(Content("2.txt"), "second");
}

TEST_F(RenameCoreTest, CaseOnlyRenameAndItsUndo) {
    folder.WriteFile("abc.txt", "lower");
    NameRules().caseMode = CaseMode::Upper;
    Open();
    ASSERT_EQ(Preview(), Names({"ABC.txt"}));
    EXPECT_EQ(Rename(), 0);
    EXPECT_EQ(OnDisk(), Names({"ABC.txt"}));
    EXPECT_EQ(Content("ABC.txt"), "lower");
    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Names({"abc.txt"}));
}

TEST_F(RenameCoreTest, UpperCaseOntoAnExistingNameFails) {
    folder.WriteFile("abc.txt", "lower");
    folder.WriteFile("ABC.txt", "upper");
    NameRules().caseMode = CaseMode::Upper;
    core.GetCatalogue().SetMask("abc.txt");
    Open();
    // The mask matches both names without regard to case; ABC.txt keeps its
    // name and abc.txt must not replace it.
    EXPECT_EQ(Rename(), 1);
    EXPECT_EQ(Content("ABC.txt"), "upper");
    EXPECT_EQ(Content("abc.txt"), "lower");
}

TEST_F(RenameCoreTest, RecursiveFoldersAsFilesAreRenamedAndUndoneCompletely) {
    folder.WriteFile("top/mid/deep/f.txt", "deep");
    folder.WriteFile("top/mid/g.txt", "mid");
    folder.WriteFile("top/h.txt", "top");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "n-";
    core.GetCatalogue().SetRecursive(true);
    core.GetCatalogue().SetFoldersAsFiles(true);
    Open();
    const std::vector<CRenamePair> pairs = core.CollectRenamePairs(true);
    ASSERT_EQ(pairs.size(), 6u);
    // Files first, then folders with the deepest path first.
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(pairs[i].isFolder) << pairs[i].oldPath;
    }
    EXPECT_EQ(pairs[3].oldPath, folder / "top/mid/deep");
    EXPECT_EQ(pairs[4].oldPath, folder / "top/mid");
    EXPECT_EQ(pairs[5].oldPath, folder / "top");

    EXPECT_EQ(Rename(), 0);
    EXPECT_EQ(ReadWholeFile(folder / "n-top/n-mid/n-deep/n-f.txt"), "deep");
    EXPECT_EQ(ReadWholeFile(folder / "n-top/n-mid/n-g.txt"), "mid");
    EXPECT_EQ(ReadWholeFile(folder / "n-top/n-h.txt"), "top");

    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(ReadWholeFile(folder / "top/mid/deep/f.txt"), "deep");
    EXPECT_EQ(ReadWholeFile(folder / "top/mid/g.txt"), "mid");
    EXPECT_EQ(ReadWholeFile(folder / "top/h.txt"), "top");
    EXPECT_EQ(OnDisk(), Names({"top"}));
}

TEST_F(RenameCoreTest, NothingChangedKeepsThePreviousUndo) {
    folder.WriteFile("a.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "b";
    Open();
    ASSERT_EQ(Rename(), 0);
    const Names undoOld = core.GetUndoOldPaths();
    ASSERT_EQ(undoOld.size(), 1u);
    // The rules were unchecked: nothing changes now.
    frontEnd.messages.clear();
    EXPECT_EQ(Rename(), 0);
    EXPECT_EQ(frontEnd.LastMessage(), LookupString(strings::kNothingToRename));
    EXPECT_EQ(core.GetUndoOldPaths(), undoOld);
    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Names({"a.txt"}));
}

TEST_F(RenameCoreTest, ConfirmationDecidesAndNamesWhatIsRenamed) {
    folder.WriteFile("a.txt");
    folder.WriteFile("b.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    Open();
    frontEnd.answer = msgbox::kNo;
    EXPECT_EQ(core.RenameFiles(), 0);
    EXPECT_EQ(OnDisk(), Names({"a.txt", "b.txt"}));
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text, LookupString(strings::kConfirmRenameAll));

    core.GetCatalogue().SetRowSelected(0, true);
    frontEnd.messages.clear();
    EXPECT_EQ(core.RenameFiles(), 0);
    EXPECT_EQ(frontEnd.messages[0].text, LookupString(strings::kConfirmRenameAll));

    core.GetCatalogue().SetRowSelected(1, true);
    frontEnd.messages.clear();
    EXPECT_EQ(core.RenameFiles(), 0);
    EXPECT_EQ(frontEnd.messages[0].text, LookupString(strings::kConfirmRenameSelected));
    EXPECT_EQ(OnDisk(), Names({"a.txt", "b.txt"}));

    core.GetSwitches().askConfirmationBeforeRenaming = false;
    frontEnd.messages.clear();
    EXPECT_EQ(core.RenameFiles(), 0);
    EXPECT_EQ(OnDisk(), Names({"xa.txt", "xb.txt"}));
    EXPECT_TRUE(std::none_of(frontEnd.messages.begin(), frontEnd.messages.end(),
                             [](const auto& m) { return m.kind == MessageKind::Question; }));
}

TEST_F(RenameCoreTest, OneSelectedFileRenamedAloneIsAskedAsTheSelection) {
    folder.WriteFile("a.txt");
    folder.WriteFile("b.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    Options().renameOnlySelected = true;
    Open(); // the refresh selects the first row only
    ASSERT_EQ(core.GetCatalogue().GetSelectedCount(), 1);
    frontEnd.answer = msgbox::kYes;
    EXPECT_EQ(core.RenameFiles(), 0);
    ASSERT_FALSE(frontEnd.messages.empty());
    EXPECT_EQ(frontEnd.messages[0].text, LookupString(strings::kConfirmRenameSelected));
    EXPECT_EQ(OnDisk(), Names({"b.txt", "xa.txt"}));
}

TEST_F(RenameCoreTest, UndoOfAFileRenamedByHandFailsOnlyThatPair) {
    folder.WriteFile("a.txt", "A");
    folder.WriteFile("b.txt", "B");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    Open();
    ASSERT_EQ(Rename(), 0);
    fs::rename(folder / "xa.txt", folder / "moved.txt");
    EXPECT_EQ(core.UndoRename(), 1);
    EXPECT_EQ(OnDisk(), Names({"b.txt", "moved.txt"}));
    ASSERT_EQ(core.GetFailures().size(), 1u);
    EXPECT_EQ(core.GetFailures()[0].code, ENOENT);
    EXPECT_EQ(frontEnd.messages.back().text, LookupString(strings::kErrorsWhileUndoing));
    // The pair that failed, and only that one, is kept for the next Undo.
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "a.txt"}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "xa.txt"}));

    // Once the file is back where the rename put it, the next Undo moves it.
    fs::rename(folder / "moved.txt", folder / "xa.txt");
    frontEnd.messages.clear();
    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_TRUE(frontEnd.messages.empty());
    EXPECT_EQ(OnDisk(), Names({"a.txt", "b.txt"}));
    EXPECT_EQ(Content("a.txt"), "A");
    EXPECT_TRUE(core.GetUndoOldPaths().empty());
    EXPECT_TRUE(core.GetUndoNewPaths().empty());
    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(frontEnd.LastMessage(), LookupString(strings::kNothingToUndo));
}

TEST_F(RenameCoreTest, ARenameWhoseMovesAllFailKeepsThePreviousUndo) {
    folder.WriteFile("a.txt", "A");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    Open();
    ASSERT_EQ(Rename(), 0);
    ASSERT_EQ(OnDisk(), Names({"xa.txt"}));

    // A second rename finds a pair, but its only move fails: the undo of
    // the first rename stays, and so do the rules.
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "y";
    folder.WriteFile("yxa.txt", "taken");
    core.ComputeNewNames(true);
    EXPECT_EQ(Rename(), 1);
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "a.txt"}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "xa.txt"}));
    EXPECT_TRUE(NameRules().insertBeforeOn);

    EXPECT_EQ(core.UndoRename(), 0);
    EXPECT_EQ(OnDisk(), Names({"a.txt", "yxa.txt"}));
    EXPECT_EQ(Content("a.txt"), "A");
    EXPECT_EQ(Content("yxa.txt"), "taken");
}

TEST_F(RenameCoreTest, ARenameThatMovesSomethingReplacesThePreviousUndo) {
    folder.WriteFile("a.txt");
    folder.WriteFile("b.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    core.GetCatalogue().SetMask("a.txt");
    Open();
    ASSERT_EQ(Rename(), 0);
    ASSERT_EQ(core.GetUndoOldPaths(), Names({folder / "a.txt"}));

    // The first move of the next rename fails, the second is made: the
    // undo lists hold that second move alone.
    core.GetCatalogue().SetMask("b.txt;xa.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "y";
    folder.WriteFile("yb.txt", "taken");
    core.GetCatalogue().Refresh();
    ASSERT_EQ(RowNames(), Names({"b.txt", "xa.txt"}));
    EXPECT_EQ(Rename(), 1);
    EXPECT_EQ(core.GetUndoOldPaths(), Names({folder / "xa.txt"}));
    EXPECT_EQ(core.GetUndoNewPaths(), Names({folder / "yxa.txt"}));
}

// ---------------------------------------------------------------------------
// Scripts and listing written by the core

TEST_F(RenameCoreTest, RenameScriptInTheWindowsForm) {
    folder.WriteFile("a.txt");
    folder.WriteFile("b.txt");
    folder.WriteFile("keep.txt");
    NameRules().replaceTextOn = true;
    NameRules().searchText = ".";
    NameRules().replacementText = "";
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "n";
    core.GetCatalogue().SetMask("?.txt");
    Open();
    const std::string script = folder / "renbatch.bat";
    EXPECT_TRUE(core.WriteRenameScript(script));
    EXPECT_EQ(frontEnd.LastMessage(), LookupString(strings::kRenameScriptSaved));
    const std::string expected = "REM " + std::string(LookupString(strings::kCaptionProgram)) +
                                 "\r\n"
                                 "rename \"" +
                                 (folder / "a.txt") +
                                 "\" \"na.txt\"\r\n"
                                 "rename \"" +
                                 (folder / "b.txt") +
                                 "\" \"nb.txt\"\r\n"
                                 "Pause\r\n";
    const std::string written = ReadWholeFile(script);
    // The head line names the program; compare the move lines exactly.
    EXPECT_EQ(written.substr(written.find("\r\n") + 2), expected.substr(expected.find("\r\n") + 2));
    EXPECT_EQ(written.rfind("REM ", 0), 0u);
    // Nothing was moved by writing the script.
    EXPECT_EQ(OnDisk(), Names({"a.txt", "b.txt", "keep.txt", "renbatch.bat"}));
}

TEST_F(RenameCoreTest, UndoScriptNamesTheNewPathFirst) {
    folder.WriteFile("a.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "n";
    Open();
    EXPECT_FALSE(core.WriteUndoScript(folder / "none.bat"));
    EXPECT_EQ(frontEnd.LastMessage(), LookupString(strings::kNothingToUndo));
    ASSERT_EQ(Rename(), 0);
    const std::string script = folder / "undo.bat";
    ASSERT_TRUE(core.WriteUndoScript(script));
    const std::string written = ReadWholeFile(script);
    EXPECT_NE(written.find("\r\nrename \"" + (folder / "na.txt") + "\" \"a.txt\"\r\n"),
              std::string::npos)
        << written;
}

TEST_F(RenameCoreTest, ShellUndoScriptRestoresNastyNames) {
    const Names nasty = {"it's.txt", "$HOME.txt",       "`id`.txt", "new\nline.txt",
                         "-n.txt",   "two  spaces.txt", "ünï.txt"};
    for (const std::string& name : nasty) {
        folder.WriteFile("d/" + name, name);
    }
    NameRules().insertAfterOn = true;
    NameRules().insertAfterText = " (1)";
    Open("d");
    ASSERT_EQ(Rename(), 0);
    ASSERT_EQ(core.GetUndoOldPaths().size(), nasty.size());
    const std::string script = folder / "undo.sh";
    ASSERT_TRUE(core.WriteUndoScript(script));
    const std::string command = "cd / && /bin/sh '" + script + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    Names expected = nasty;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(OnDisk("d"), expected);
    for (const std::string& name : nasty) {
        EXPECT_EQ(Content("d/" + name), name);
    }
}

TEST_F(RenameCoreTest, ScriptThatCannotBeCreatedSaysSo) {
    folder.WriteFile("a.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "n";
    Open();
    const std::string missing = folder / "no/such/renbatch.bat";
    EXPECT_FALSE(core.WriteRenameScript(missing));
    const std::string expected =
        FillText(LookupString(strings::kCannotCreateBatchFile), {missing}) + "\n\n" +
        FormatSystemError(ENOENT);
    EXPECT_EQ(frontEnd.LastMessage(), expected);

    if (fs::exists("/dev/full")) {
        frontEnd.messages.clear();
        EXPECT_FALSE(core.WriteRenameScript("/dev/full"));
        EXPECT_NE(frontEnd.LastMessage().find(FormatSystemError(ENOSPC)), std::string::npos);
        frontEnd.messages.clear();
        EXPECT_FALSE(core.SavePreviewListing("/dev/full"));
        EXPECT_NE(frontEnd.LastMessage().find(FormatSystemError(ENOSPC)), std::string::npos);
    }
}

TEST_F(RenameCoreTest, ScriptInAReadOnlyFolderFails) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    folder.WriteFile("a.txt");
    folder.MakeFolder("ro");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "n";
    Open();
    ASSERT_EQ(chmod((folder / "ro").c_str(), 0555), 0);
    EXPECT_FALSE(core.WriteRenameScript(folder / "ro/x.sh"));
    EXPECT_NE(frontEnd.LastMessage().find(FormatSystemError(EACCES)), std::string::npos);
}

TEST_F(RenameCoreTest, PreviewListingHasOneRowPerFile) {
    folder.MakeFolder("sub");
    folder.WriteFile("a.txt");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "n";
    Open();
    const std::string listing = folder / "preview.txt";
    frontEnd.chosenFile = listing;
    EXPECT_TRUE(core.SavePreviewListing(""));
    EXPECT_EQ(ReadWholeFile(listing), "<sub>\r\nna.txt\r\n");
    EXPECT_EQ(frontEnd.LastMessage(), LookupString(strings::kPreviewListingSaved));

    // A cancelled dialog writes nothing.
    frontEnd.chosenFile.clear();
    fs::remove(listing);
    EXPECT_FALSE(core.SavePreviewListing(""));
    EXPECT_FALSE(fs::exists(listing));
}

TEST_F(RenameCoreTest, AnOptionsFileThatCannotBeReadWarnsAndKeepsTheRules) {
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    const CRenameOptions before = Options();
    const int changed = frontEnd.optionsChanged;
    struct CCase {
        std::string path;
        int error;
    };
    // A folder opens, but cannot be read as a file.
    const CCase cases[] = {{folder / "missing.ini", ENOENT},
                           {folder / "missing/rules.ini", ENOENT},
                           {folder.MakeFolder("rules.ini"), EISDIR}};
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.path);
        frontEnd.messages.clear();
        int error = 0;
        EXPECT_FALSE(core.LoadOptions(c.path, error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(Options(), before);
        EXPECT_EQ(frontEnd.optionsChanged, changed);
        ASSERT_EQ(frontEnd.messages.size(), 1u);
        EXPECT_EQ(frontEnd.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(frontEnd.messages[0].text, "Kan het optiebestand [" + c.path +
                                                 "] niet lezen: " + FormatSystemError(c.error));
    }

    // A file that is there loads, without a message.
    const std::string rules =
        folder.WriteFile("good.ini", "[Filename]\r\nInsertBeforeValue=\"y\"\r\n");
    frontEnd.messages.clear();
    int error = -1;
    EXPECT_TRUE(core.LoadOptions(rules, error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(NameRules().insertBeforeText, "y");
    EXPECT_TRUE(NameRules().insertBeforeOn);
    EXPECT_TRUE(frontEnd.messages.empty());
    EXPECT_GT(frontEnd.optionsChanged, changed);
}

TEST_F(RenameCoreTest, RestoreDefaultOptionsDeletesTheSettingsFile) {
    const std::string settings =
        folder.WriteFile("settings.ini", "[Filename]\r\nInsertBefore=1\r\n");
    NameRules().insertBeforeOn = true;
    NameRules().insertBeforeText = "x";
    const int before = frontEnd.optionsChanged;
    EXPECT_TRUE(core.RestoreDefaultOptions(settings));
    EXPECT_FALSE(fs::exists(settings));
    EXPECT_EQ(Options(), CRenameOptions{});
    EXPECT_GT(frontEnd.optionsChanged, before);
    // No file at all is no failure either.
    EXPECT_TRUE(core.RestoreDefaultOptions(settings));
}

} // namespace
