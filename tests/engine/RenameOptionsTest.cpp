// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RenameOptions.h"

#include "support/CrLf.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Repeat(const std::string& piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

/// The lines of a rule block section holding only defaults.
std::vector<std::string> DefaultBlockLines(const std::string& section) {
    return {"[" + section + "]",
            "ReplaceWith=0",
            "ReplaceText=0",
            "LeftCrop=0",
            "RightCrop=0",
            "CropAt=0",
            "InsertBefore=0",
            "InsertAfter=0",
            "InsertAtPos=0",
            "MatchCase=0",
            "RemoveAccents=0",
            "ReplaceWithValue=",
            "ReplaceTextValue=",
            "ReplaceTextWithValue=",
            "LeftCropValue=",
            "RightCropValue=",
            "CropAtValue=",
            "CropNCharsValue=",
            "InsertBeforeValue=",
            "InsertAfterValue=",
            "InsertAtPosValue=",
            "InsertAtPosTextValue=",
            "UCase=0"};
}

/// Options in which every field differs from its default and from the same
/// field of the other block, so that a key read into the wrong field shows.
CRenameOptions NonDefaultOptions() {
    CRenameOptions options;
    CNameRuleBlock& name = options.name;
    name.replaceWithOn = true;
    name.replaceTextOn = true;
    name.leftCropOn = true;
    name.rightCropOn = true;
    name.cropAtOn = true;
    name.insertBeforeOn = true;
    name.insertAfterOn = true;
    name.insertAtOn = true;
    name.matchCase = true;
    name.removeAccents = true;
    name.replaceWithText = "Ñandú <%Name%>";
    name.searchText = "straße";
    name.replacementText = " δ ";
    name.leftCropCount = "1";
    name.rightCropCount = "2";
    name.cropPosition = "3";
    name.cropCount = "4";
    name.insertBeforeText = "日本 ";
    name.insertAfterText = "'single'";
    name.insertAtPosition = "5";
    name.insertAtText = "ÅÄÖ";
    name.caseMode = CaseMode::WordsCapitalised;

    CNameRuleBlock& extension = options.extension;
    extension.replaceTextOn = true;
    extension.insertAtOn = true;
    extension.removeAccents = true;
    extension.replaceWithText = "jpg";
    extension.searchText = "JPEG";
    extension.replacementText = "jpé";
    extension.leftCropCount = "six";
    extension.rightCropCount = "7";
    extension.cropPosition = "8";
    extension.cropCount = "9";
    extension.insertBeforeText = "x";
    extension.insertAfterText = "y";
    extension.insertAtPosition = "10";
    extension.insertAtText = "z";
    extension.caseMode = CaseMode::Lower;

    CAutonumberOptions& autonumber = options.autonumber;
    autonumber.start = "100";
    autonumber.increment = "-5";
    autonumber.zeroFill = "4";
    autonumber.manualDigits = "αβγ";
    autonumber.restartPerFolder = false;
    autonumber.base = AutonumberBase::Letters;
    autonumber.position = AutonumberPosition::AfterName;
    return options;
}

/// Options loaded from a file with the given content over start.
CRenameOptions LoadContent(const std::string& content, CRenameOptions start = {}) {
    const CTempFolder folder;
    EXPECT_TRUE(LoadOptionsFile(folder.WriteFile("options.ini", content), start));
    return start;
}

/// The file text that a save of options into a new file gives.
std::string SavedText(const CRenameOptions& options) {
    const CTempFolder folder;
    int error = -1;
    EXPECT_TRUE(SaveOptionsFile(folder / "options.ini", options, error));
    EXPECT_EQ(error, 0);
    return ReadWholeFile(folder / "options.ini");
}

CRenameOptions RoundTrip(const CRenameOptions& options) {
    const CTempFolder folder;
    int error = 0;
    EXPECT_TRUE(SaveOptionsFile(folder / "options.ini", options, error));
    CRenameOptions loaded;
    EXPECT_TRUE(LoadOptionsFile(folder / "options.ini", loaded));
    return loaded;
}

TEST(RenameOptionsSaveTest, DefaultsGiveThreeSectionsWithTheirKeysInOrder) {
    std::vector<std::string> lines = DefaultBlockLines("Filename");
    const std::vector<std::string> extension = DefaultBlockLines("Extension");
    lines.insert(lines.end(), extension.begin(), extension.end());
    lines.insert(lines.end(),
                 {"[Autonumber]", "Increment=\"1\"", "StartAt=\"1\"", "ZeroFill=\"1\"",
                  "Manual=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"", "ByPath=1", "Type=0", "Action=0"});
    EXPECT_EQ(SavedText(CRenameOptions()), CrLf(lines));
}

TEST(RenameOptionsSaveTest, TextsAreQuotedUnlessTheyBeginWithADoubleQuote) {
    CRenameOptions options;
    options.name.replaceWithText = " a ";
    options.name.insertBeforeText = "\"open";
    options.extension.insertAfterText = "\"both\"";
    const std::string text = SavedText(options);
    EXPECT_NE(text.find("\r\nReplaceWithValue=\" a \"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nInsertBeforeValue=\"open\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nInsertAfterValue=\"both\"\r\n"), std::string::npos);
}

TEST(RenameOptionsSaveTest, RenameOnlySelectedIsNotPartOfTheFile) {
    CRenameOptions options;
    options.renameOnlySelected = false;
    EXPECT_EQ(SavedText(options), SavedText(CRenameOptions()));
}

TEST(RenameOptionsSaveTest, OtherSectionsOfAnExistingFileStay) {
    const CTempFolder folder;
    const std::string path = folder.WriteFile(
        "norvikrename.ini", CrLf({"[Others]", "StartMaximized=1", "", "[Filename]", "ReplaceWith=1",
                                  "Unknown=kept", "[Colors]", "ColorNormalF=255"}));
    int error = 0;
    ASSERT_TRUE(SaveOptionsFile(path, CRenameOptions(), error));
    const std::string text = ReadWholeFile(path);
    EXPECT_TRUE(text.starts_with(CrLf({"[Others]", "StartMaximized=1", "", "[Filename]",
                                       "ReplaceWith=0", "Unknown=kept", "ReplaceText=0"})));
    EXPECT_NE(text.find(CrLf({"[Colors]", "ColorNormalF=255", "[Extension]"})), std::string::npos);
    EXPECT_TRUE(text.ends_with(
        CrLf({"[Autonumber]", "Increment=\"1\"", "StartAt=\"1\"", "ZeroFill=\"1\"",
              "Manual=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"", "ByPath=1", "Type=0", "Action=0"})));
}

TEST(RenameOptionsSaveTest, IntoAMissingFolderFailsWithItsErrno) {
    const CTempFolder folder;
    int error = 0;
    EXPECT_FALSE(SaveOptionsFile(folder / "missing/options.ini", CRenameOptions(), error));
    EXPECT_EQ(error, ENOENT);
}

TEST(RenameOptionsSaveTest, AFileTooLargeToReadIsNotReplaced) {
    const CTempFolder folder;
    const std::string content = "[Others]\r\n" + std::string(9 * 1024 * 1024, 'x');
    const std::string path = folder.WriteFile("huge.ini", content);
    int error = 0;
    EXPECT_FALSE(SaveOptionsFile(path, CRenameOptions(), error));
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadWholeFile(path), content);
}

TEST(RenameOptionsRoundTripTest, BlankLetterBlankComesBackWhole) {
    CRenameOptions options;
    options.name.replaceWithText = " a ";
    EXPECT_EQ(RoundTrip(options).name.replaceWithText, " a ");
}

TEST(RenameOptionsRoundTripTest, ATextBeginningWithADoubleQuote) {
    CRenameOptions options;
    options.name.insertBeforeText = "\"open";
    options.name.insertAfterText = "\"both\"";
    const CRenameOptions loaded = RoundTrip(options);
    EXPECT_EQ(loaded.name.insertBeforeText, "\"open");
    EXPECT_EQ(loaded.name.insertAfterText, "both");
}

TEST(RenameOptionsRoundTripTest, EveryFieldOfNonDefaultOptionsWithUtf8Texts) {
    const CRenameOptions options = NonDefaultOptions();
    EXPECT_EQ(RoundTrip(options), options);
}

TEST(RenameOptionsRoundTripTest, A5000CharacterTextIsWrittenWholeAndReadsBack4095) {
    CRenameOptions options;
    options.name.replaceWithText = Repeat("é", 5000);
    const CTempFolder folder;
    int error = 0;
    ASSERT_TRUE(SaveOptionsFile(folder / "options.ini", options, error));
    EXPECT_NE(ReadWholeFile(folder / "options.ini")
                  .find("\r\nReplaceWithValue=\"" + Repeat("é", 5000) + "\"\r\n"),
              std::string::npos);
    CRenameOptions loaded;
    ASSERT_TRUE(LoadOptionsFile(folder / "options.ini", loaded));
    EXPECT_EQ(loaded.name.replaceWithText, Repeat("é", 4095));
}

TEST(RenameOptionsLoadTest, EmptyAndMissingValuesKeepTheCurrentOnes) {
    CRenameOptions start;
    start.name.replaceWithText = "x";
    start.name.replaceWithOn = true;
    start.autonumber.base = AutonumberBase::Hex;
    const CRenameOptions loaded =
        LoadContent(CrLf({"[Filename]", "ReplaceWithValue=", "ReplaceWith=", "[Autonumber]",
                          "Type=  ", "StartAt=\"\""}),
                    start);
    EXPECT_EQ(loaded, start);
}

TEST(RenameOptionsLoadTest, AMissingFileKeepsEverything) {
    const CTempFolder folder;
    CRenameOptions options = NonDefaultOptions();
    EXPECT_TRUE(LoadOptionsFile(folder / "missing.ini", options));
    EXPECT_EQ(options, NonDefaultOptions());
}

TEST(RenameOptionsLoadTest, AFileThatCannotBeReadKeepsEverythingAndFails) {
    const CTempFolder folder;
    CRenameOptions options = NonDefaultOptions();
    EXPECT_FALSE(LoadOptionsFile(folder.MakeFolder("options.ini"), options));
    EXPECT_EQ(options, NonDefaultOptions());
}

TEST(RenameOptionsLoadTest, ANamedFileMustExist) {
    const CTempFolder folder;
    CRenameOptions options = NonDefaultOptions();
    int error = 0;
    EXPECT_FALSE(ReadOptionsFile(folder / "missing.ini", options, error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(ReadOptionsFile(folder.WriteFile("file") + "/options.ini", options, error));
    EXPECT_EQ(error, ENOTDIR);
    EXPECT_FALSE(ReadOptionsFile(folder.MakeFolder("options.ini"), options, error));
    EXPECT_EQ(error, EISDIR);
    EXPECT_EQ(options, NonDefaultOptions());

    const std::string file = folder.WriteFile("good.ini", "[Filename]\r\nReplaceWith=0\r\n");
    EXPECT_TRUE(ReadOptionsFile(file, options, error));
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(options.name.replaceWithOn);
}

TEST(RenameOptionsLoadTest, AFlagIsOnUnlessItsValueBeginsWithZero) {
    CRenameOptions off;
    EXPECT_TRUE(LoadContent("[Filename]\r\nReplaceWith=yes\r\n", off).name.replaceWithOn);
    CRenameOptions on;
    on.name.replaceWithOn = true;
    EXPECT_FALSE(LoadContent("[Filename]\r\nReplaceWith=0abc\r\n", on).name.replaceWithOn);
}

TEST(RenameOptionsLoadTest, EachBlockReadsItsOwnSection) {
    const CRenameOptions loaded =
        LoadContent(CrLf({"[Extension]", "ReplaceWith=1", "ReplaceWithValue=ext", "UCase=1"}));
    EXPECT_EQ(loaded.name, CNameRuleBlock());
    EXPECT_TRUE(loaded.extension.replaceWithOn);
    EXPECT_EQ(loaded.extension.replaceWithText, "ext");
    EXPECT_EQ(loaded.extension.caseMode, CaseMode::Upper);
}

TEST(RenameOptionsLoadTest, SectionAndKeyNamesIgnoreCase) {
    const CRenameOptions loaded =
        LoadContent(CrLf({"[FILENAME]", "removeaccents=1", "[autonumber]", "bypath=0"}));
    EXPECT_TRUE(loaded.name.removeAccents);
    EXPECT_FALSE(loaded.autonumber.restartPerFolder);
}

TEST(RenameOptionsLoadTest, StoredNumbersSelectTheirBasePositionAndCaseMode) {
    for (int32_t number = 0; number <= 5; ++number) {
        const CRenameOptions loaded =
            LoadContent("[Autonumber]\r\nType=" + std::to_string(number) + "\r\n");
        EXPECT_EQ(static_cast<int32_t>(loaded.autonumber.base), number);
    }
    EXPECT_EQ(LoadContent("[Autonumber]\r\nType=5\r\n").autonumber.base, AutonumberBase::Manual);
    EXPECT_EQ(LoadContent("[Autonumber]\r\nAction=2\r\n").autonumber.position,
              AutonumberPosition::AfterName);
    EXPECT_EQ(LoadContent("[Filename]\r\nUCase=4\r\n").name.caseMode, CaseMode::FirstCapitalised);
}

TEST(RenameOptionsLoadTest, OtherStoredNumbersSelectDecNoneAndUnchanged) {
    CRenameOptions start;
    start.autonumber.base = AutonumberBase::Hex;
    start.autonumber.position = AutonumberPosition::AfterName;
    start.name.caseMode = CaseMode::Upper;
    start.extension.caseMode = CaseMode::Lower;
    const CRenameOptions loaded =
        LoadContent(CrLf({"[Autonumber]", "Type=9", "Action=7", "[Filename]", "UCase=-1",
                          "[Extension]", "UCase=5"}),
                    start);
    EXPECT_EQ(loaded.autonumber.base, AutonumberBase::Dec);
    EXPECT_EQ(loaded.autonumber.position, AutonumberPosition::None);
    EXPECT_EQ(loaded.name.caseMode, CaseMode::Unchanged);
    EXPECT_EQ(loaded.extension.caseMode, CaseMode::Unchanged);
}

TEST(RenameOptionsLoadTest, NumberFieldsAreKeptAsTyped) {
    const CRenameOptions loaded =
        LoadContent(CrLf({"[Autonumber]", "StartAt=abc", "[Filename]", "LeftCropValue= 12x "}));
    EXPECT_EQ(loaded.autonumber.start, "abc");
    EXPECT_EQ(loaded.name.leftCropCount, "12x");
}

TEST(RenameOptionsLoadTest, AWindows1252FileKeepsItsAccents) {
    const CRenameOptions loaded = LoadContent(CrLf(
        {"[Filename]", "InsertBeforeValue=\xE9t\xE9 \x80", "[Autonumber]", "Manual=\xC0\xC9\xCD"}));
    EXPECT_EQ(loaded.name.insertBeforeText, "été €");
    EXPECT_EQ(loaded.autonumber.manualDigits, "ÀÉÍ");
}

TEST(RenameOptionsRobustnessTest, FiveMegabytesOfRandomBytesGiveKeysMissing) {
    std::mt19937 random(20240501);
    std::string garbage(5 * 1024 * 1024, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random() & 0xFF);
    }
    EXPECT_EQ(LoadContent(garbage, NonDefaultOptions()), NonDefaultOptions());
}

TEST(RenameOptionsRobustnessTest, NulBytesGiveKeysMissing) {
    // A UTF-16 section line among NUL and control bytes.
    static const char kBytes[] = "\0\0\0\x01[\0F\0i\0l\0e\0n\0a\0m\0e\0]\0\r\0\n\0\xFF\xFE"
                                 "R\0e\0p\0l\0a\0c\0e\0W\0i\0t\0h\0=\0001\0";
    const std::string binary(kBytes, sizeof kBytes - 1);
    EXPECT_EQ(LoadContent(binary, NonDefaultOptions()), NonDefaultOptions());
}

TEST(RenameOptionsRobustnessTest, AFileWithoutSectionsGivesKeysMissing) {
    EXPECT_EQ(LoadContent(CrLf({"ReplaceWith=1", "UCase=2", "Type=3"})), CRenameOptions());
}

TEST(RenameOptionsUncheckTest, SwitchesOffEveryRuleAndKeepsTheTexts) {
    CRenameOptions options = NonDefaultOptions();
    UncheckAllRules(options);

    CRenameOptions expected = NonDefaultOptions();
    for (CNameRuleBlock* block : {&expected.name, &expected.extension}) {
        block->replaceWithOn = block->replaceTextOn = block->leftCropOn = block->rightCropOn =
            false;
        block->cropAtOn = block->insertBeforeOn = block->insertAfterOn = block->insertAtOn = false;
        block->matchCase = block->removeAccents = false;
        block->caseMode = CaseMode::Unchanged;
    }
    expected.autonumber.position = AutonumberPosition::None;
    EXPECT_EQ(options, expected);
}

} // namespace
