// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/IniFile.h"

#include "support/CrLf.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

/// An INI loaded from a file with the given content.
CIniFile LoadContent(const CTempFolder& folder, const std::string& content) {
    CIniFile ini;
    EXPECT_TRUE(ini.Load(folder.WriteFile("in.ini", content)));
    return ini;
}

/// The value of a key, or "<missing>" when it is not there.
std::string Get(const CIniFile& ini, const std::string& section, const std::string& key) {
    bool found = false;
    const std::string value = ini.GetString(section, key, found);
    return found ? value : "<missing>";
}

/// The file text a save produces.
std::string SavedText(const CIniFile& ini) {
    const CTempFolder folder;
    EXPECT_TRUE(ini.Save(folder / "out.ini"));
    return ReadWholeFile(folder / "out.ini");
}

/// The names in a folder, sorted.
std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Repeat(const std::string& piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

/// True when a folder without write permission really refuses new files
/// (not so for root).
bool PermissionsAreEnforced(const CTempFolder& folder) {
    const std::string probe = folder.MakeFolder("probe");
    fs::permissions(probe, fs::perms::owner_read | fs::perms::owner_exec);
    std::ofstream(probe + "/x") << "x";
    const bool enforced = !fs::exists(probe + "/x");
    fs::permissions(probe, fs::perms::owner_all);
    fs::remove_all(probe);
    return enforced;
}

const std::vector<std::string> kProbeKeys = {"ReplaceWith", "ReplaceWithValue", "UCase", "StartAt"};

/// True when none of the usual keys is found in the three options sections.
bool AllKeysMissing(const CIniFile& ini) {
    for (const char* section : {"Filename", "Extension", "Autonumber"}) {
        for (const std::string& key : kProbeKeys) {
            bool found = true;
            ini.GetString(section, key, found);
            if (found) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

// ---------------------------------------------------------------------------
// The text a save writes.

TEST(IniFileSaveTextTest, SectionsAndKeysInTheOrderOfTheirFirstWrite) {
    CIniFile ini;
    ini.SetSection("Filename");
    ini.WriteBool("ReplaceWith", true);
    ini.WriteBool("ReplaceText", false);
    ini.WriteString("ReplaceWithValue", " a ");
    ini.WriteString("ReplaceTextValue", "");
    ini.WriteInt("UCase", 3);
    ini.SetSection("Extension");
    ini.WriteBool("ReplaceWith", false);
    ini.WriteString("InsertAfterValue", "<DATE>");
    ini.SetSection("Autonumber");
    ini.WriteString("Increment", "1");
    ini.WriteString("StartAt", "10");
    ini.WriteString("Manual", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    ini.WriteBool("ByPath", true);
    ini.WriteInt("Type", 0);
    ini.WriteInt("Action", 2);
    EXPECT_EQ(
        SavedText(ini),
        CrLf({"[Filename]", "ReplaceWith=1", "ReplaceText=0", "ReplaceWithValue=\" a \"",
              "ReplaceTextValue=", "UCase=3", "[Extension]", "ReplaceWith=0",
              "InsertAfterValue=\"<DATE>\"", "[Autonumber]", "Increment=\"1\"", "StartAt=\"10\"",
              "Manual=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"", "ByPath=1", "Type=0", "Action=2"}));
}

TEST(IniFileSaveTextTest, AMissingKeyGoesToTheEndOfItsOwnSection) {
    CIniFile ini;
    ini.WriteInt("Filename", "A", 1);
    ini.WriteInt("Extension", "B", 2);
    ini.WriteInt("filename", "C", 3);
    EXPECT_EQ(SavedText(ini), CrLf({"[Filename]", "A=1", "C=3", "[Extension]", "B=2"}));
}

TEST(IniFileSaveTextTest, RewritingAKeyKeepsItsPlaceAndSpelling) {
    CIniFile ini;
    ini.WriteInt("Filename", "First", 1);
    ini.WriteInt("Filename", "Second", 2);
    ini.WriteInt("FILENAME", "first", 7);
    EXPECT_EQ(SavedText(ini), CrLf({"[Filename]", "First=7", "Second=2"}));
}

TEST(IniFileSaveTextTest, TextsAreQuotedUnlessEmptyOrBeginningWithADoubleQuote) {
    CIniFile ini;
    ini.SetSection("S");
    ini.WriteString("Plain", "x");
    ini.WriteString("Empty", "");
    ini.WriteString("Blank", " ");
    ini.WriteString("OpenQuote", "\"x");
    ini.WriteString("BothQuotes", "\"x\"");
    ini.WriteString("Single", "'x'");
    ini.WriteString("EndQuote", "x\"");
    EXPECT_EQ(SavedText(ini), CrLf({"[S]", "Plain=\"x\"", "Empty=", "Blank=\" \"", "OpenQuote=\"x",
                                    "BothQuotes=\"x\"", "Single=\"'x'\"", "EndQuote=\"x\"\""}));
}

TEST(IniFileSaveTextTest, NumbersInDecimalWithSignAndFlagsAsDigits) {
    CIniFile ini;
    ini.SetSection("N");
    ini.WriteInt("Negative", -42);
    ini.WriteInt("Zero", 0);
    ini.WriteInt("Lowest", std::numeric_limits<int32_t>::min());
    ini.WriteBool("On", true);
    ini.WriteBool("Off", false);
    EXPECT_EQ(SavedText(ini),
              CrLf({"[N]", "Negative=-42", "Zero=0", "Lowest=-2147483648", "On=1", "Off=0"}));
}

TEST(IniFileSaveTextTest, WritesRefuseWhatALineCannotHold) {
    CIniFile ini;
    EXPECT_FALSE(ini.WriteString("S", "Key", "two\nlines"));
    EXPECT_FALSE(ini.WriteValue("S", "Key", "cr\rinside"));
    EXPECT_FALSE(ini.WriteInt("S", "A=B", 1));
    EXPECT_FALSE(ini.WriteInt("S", "[Key]", 1));
    EXPECT_FALSE(ini.WriteInt("S", "  ", 1));
    EXPECT_FALSE(ini.WriteInt("", "Key", 1));
    EXPECT_FALSE(ini.WriteInt("Sec\ntion", "Key", 1));
    EXPECT_EQ(SavedText(ini), "");
    EXPECT_TRUE(ini.WriteInt(" S ", " Key ", 1));
    EXPECT_EQ(SavedText(ini), CrLf({"[S]", "Key=1"}));
}

TEST(IniFileSaveTextTest, ALoadedFileKeepsItsOtherLines) {
    const CTempFolder folder;
    CIniFile ini = LoadContent(folder, "Stray=1\n"
                                       "; comment\n"
                                       "[Others]\n"
                                       "  LastPath = /home/x  \n"
                                       "not a key\n"
                                       "\n"
                                       "[Filename]\n"
                                       "ReplaceWith=0\n"
                                       "UCase=2\n"
                                       "\n"
                                       "[Empty]\n"
                                       "\n"
                                       "[Filename]\n"
                                       "Later=1\n");
    ini.WriteBool("Filename", "ReplaceWith", true);
    ini.WriteInt("Others", "Added", 5);
    ini.WriteInt("Empty", "First", 6);
    ini.WriteInt("Autonumber", "Type", 1);
    EXPECT_EQ(SavedText(ini),
              CrLf({"Stray=1", "; comment", "[Others]", "  LastPath = /home/x  ", "Added=5",
                    "not a key", "", "[Filename]", "ReplaceWith=1", "UCase=2", "", "[Empty]",
                    "First=6", "", "[Filename]", "Later=1", "[Autonumber]", "Type=1"}));
}

// ---------------------------------------------------------------------------
// Saving and loading again.

TEST(IniFileRoundTripTest, TextsComeBackAsTheyWereWritten) {
    const std::vector<std::string> texts = {" a ",     "x=y",        "'single'", "\"unclosed",
                                            "a\"",     "tab\tin",    "  ",       "; not a comment",
                                            "[no] =1", "ünïcødé €😀", "\"",       "0"};
    CIniFile ini;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_TRUE(ini.WriteString("Filename", "Key" + std::to_string(i), texts[i]));
    }
    const CTempFolder folder;
    ASSERT_TRUE(ini.Save(folder / "o.ini"));
    CIniFile loaded;
    ASSERT_TRUE(loaded.Load(folder / "o.ini"));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(loaded.ReadString("Filename", "Key" + std::to_string(i), "current"), texts[i])
            << "text " << i;
    }
}

TEST(IniFileRoundTripTest, EnclosingDoubleQuotesOfATextAreLost) {
    CIniFile ini;
    ini.WriteString("S", "Quoted", "\"inner\"");
    ini.WriteString("S", "Empty", "");
    const CTempFolder folder;
    ASSERT_TRUE(ini.Save(folder / "o.ini"));
    CIniFile loaded;
    ASSERT_TRUE(loaded.Load(folder / "o.ini"));
    EXPECT_EQ(loaded.ReadString("S", "Quoted", "x"), "inner");
    EXPECT_EQ(loaded.ReadString("S", "Empty", "x"), "x");
}

TEST(IniFileRoundTripTest, ALongTextIsWrittenWholeButReadsBackCut) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text.push_back(static_cast<char>('a' + i % 26));
    }
    CIniFile ini;
    ini.WriteString("Filename", "ReplaceWithValue", text);
    const CTempFolder folder;
    ASSERT_TRUE(ini.Save(folder / "o.ini"));
    EXPECT_EQ(ReadWholeFile(folder / "o.ini"),
              CrLf({"[Filename]", "ReplaceWithValue=\"" + text + "\""}));
    CIniFile loaded;
    ASSERT_TRUE(loaded.Load(folder / "o.ini"));
    EXPECT_EQ(loaded.ReadString("Filename", "ReplaceWithValue", ""), text.substr(0, 4095));
}

TEST(IniFileRoundTripTest, NumbersAndFlags) {
    CIniFile ini;
    ini.SetSection("Autonumber");
    ini.WriteInt("Type", 5);
    ini.WriteInt("Low", std::numeric_limits<int32_t>::min());
    ini.WriteBool("ByPath", false);
    const CTempFolder folder;
    ASSERT_TRUE(ini.Save(folder / "o.ini"));
    CIniFile loaded;
    ASSERT_TRUE(loaded.Load(folder / "o.ini"));
    loaded.SetSection("autonumber");
    EXPECT_EQ(loaded.Section(), "autonumber");
    EXPECT_EQ(loaded.ReadInt("Type", 0), 5);
    EXPECT_EQ(loaded.ReadInt("Low", 0), std::numeric_limits<int32_t>::min());
    EXPECT_FALSE(loaded.ReadBool("ByPath", true));
}

// ---------------------------------------------------------------------------
// Reading rules.

TEST(IniFileReadTest, BlanksAroundNamesAndValuesAreTrimmed) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, "  [ Filename ] \t\r\n"
                                             " \tReplaceWithValue \t=  abc  d \t\r\n");
    EXPECT_EQ(Get(ini, "Filename", "ReplaceWithValue"), "abc  d");
    EXPECT_EQ(Get(ini, " Filename ", " ReplaceWithValue "), "abc  d");
}

TEST(IniFileReadTest, OnePairOfEnclosingQuotesIsRemoved) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(
        folder, CrLf({"[S]", "Double=\"x\"", "Single='x'", "Mixed=\"x'", "Lone=\"",
                      "Twice=\"\"x\"\"", "Blanks=  \" a \"  ", "End=x\"", "Inner=a\"b\"c"}));
    EXPECT_EQ(Get(ini, "S", "Double"), "x");
    EXPECT_EQ(Get(ini, "S", "Single"), "x");
    EXPECT_EQ(Get(ini, "S", "Mixed"), "\"x'");
    EXPECT_EQ(Get(ini, "S", "Lone"), "\"");
    EXPECT_EQ(Get(ini, "S", "Twice"), "\"x\"");
    EXPECT_EQ(Get(ini, "S", "Blanks"), " a ");
    EXPECT_EQ(Get(ini, "S", "End"), "x\"");
    EXPECT_EQ(Get(ini, "S", "Inner"), "a\"b\"c");
}

TEST(IniFileReadTest, AnEmptyValueKeepsTheCurrentValue) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, CrLf({"[Filename]", "ReplaceWithValue=", "Quotes=\"\"",
                                                   "Blanks=   ", "Flag=", "Num="}));
    EXPECT_EQ(ini.ReadString("Filename", "ReplaceWithValue", "x"), "x");
    EXPECT_EQ(ini.ReadString("Filename", "Quotes", "x"), "x");
    EXPECT_EQ(ini.ReadString("Filename", "Blanks", " y "), " y ");
    EXPECT_TRUE(ini.ReadBool("Filename", "Flag", true));
    EXPECT_EQ(ini.ReadInt("Filename", "Num", -3), -3);
    EXPECT_EQ(Get(ini, "Filename", "ReplaceWithValue"), "");
}

TEST(IniFileReadTest, AMissingKeyOrSectionKeepsTheCurrentValue) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, CrLf({"[Filename]", "Other=1"}));
    EXPECT_EQ(Get(ini, "Filename", "ReplaceWithValue"), "<missing>");
    EXPECT_EQ(Get(ini, "Extension", "Other"), "<missing>");
    EXPECT_EQ(ini.ReadString("Filename", "ReplaceWithValue", " keep "), " keep ");
    EXPECT_FALSE(ini.ReadBool("Extension", "Other", false));
    EXPECT_EQ(ini.ReadInt("Filename", "UCase", 4), 4);
}

TEST(IniFileReadTest, SectionAndKeyNamesIgnoreCase) {
    const CTempFolder folder;
    const CIniFile ini =
        LoadContent(folder, CrLf({"[fILENAME]", "replacewithVALUE=v", "[Über]", "Größe=1"}));
    EXPECT_EQ(Get(ini, "Filename", "ReplaceWithValue"), "v");
    EXPECT_EQ(Get(ini, "FILENAME", "REPLACEWITHVALUE"), "v");
    EXPECT_EQ(Get(ini, "über", "grÖße"), "1");
}

TEST(IniFileReadTest, AValueIsCutTo4095Characters) {
    const CTempFolder folder;
    const std::string text = Repeat("0123456789", 500);
    const CIniFile ini =
        LoadContent(folder, CrLf({"[S]", "Plain=" + text, "Quoted=\"" + text + "\""}));
    EXPECT_EQ(Get(ini, "S", "Plain"), text.substr(0, 4095));
    EXPECT_EQ(Get(ini, "S", "Quoted"), text.substr(0, 4095));
}

TEST(IniFileReadTest, AMultiByteValueIsCutOnACharacterBoundary) {
    const CTempFolder folder;
    const std::string accents = "a" + Repeat("é", 4999);
    const std::string emoji = Repeat("😀", 5000);
    const CIniFile ini = LoadContent(folder, CrLf({"[S]", "Accents=" + accents, "Emoji=" + emoji}));
    EXPECT_EQ(Get(ini, "S", "Accents"), "a" + Repeat("é", 4094));
    EXPECT_EQ(Get(ini, "S", "Emoji"), Repeat("😀", 4095));
}

TEST(IniFileReadTest, LineFeedOnlyAndMixedLineEndsRead) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, "[A]\nOne=1\r\nTwo=2\n[B]\r\nThree=3");
    EXPECT_EQ(Get(ini, "A", "One"), "1");
    EXPECT_EQ(Get(ini, "A", "Two"), "2");
    EXPECT_EQ(Get(ini, "B", "Three"), "3");
}

TEST(IniFileReadTest, KeysBeforeTheFirstSectionBelongToNone) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, CrLf({"ReplaceWith=1", "[Filename]", "UCase=2"}));
    EXPECT_EQ(Get(ini, "Filename", "ReplaceWith"), "<missing>");
    EXPECT_EQ(Get(ini, "", "ReplaceWith"), "<missing>");
    EXPECT_EQ(Get(ini, "Filename", "UCase"), "2");
}

TEST(IniFileReadTest, TheFirstOfRepeatedKeysAndSectionsCounts) {
    const CTempFolder folder;
    CIniFile ini = LoadContent(
        folder, CrLf({"[Filename]", "UCase=1", "ucase=2", "[Filename]", "UCase=3", "Later=4"}));
    EXPECT_EQ(Get(ini, "Filename", "UCase"), "1");
    EXPECT_EQ(Get(ini, "Filename", "Later"), "<missing>");
    ini.WriteInt("Filename", "Later", 5);
    EXPECT_EQ(Get(ini, "Filename", "Later"), "5");
    EXPECT_EQ(SavedText(ini), CrLf({"[Filename]", "UCase=1", "ucase=2", "Later=5", "[Filename]",
                                    "UCase=3", "Later=4"}));
}

TEST(IniFileReadTest, OnlyLinesWithAnEqualsSignAndANameAreKeys) {
    const CTempFolder folder;
    const CIniFile ini =
        LoadContent(folder, CrLf({"[S]", "Bare", "=orphan", "Value=a=b", "[Broken", "After=1"}));
    EXPECT_EQ(Get(ini, "S", "Bare"), "<missing>");
    EXPECT_EQ(Get(ini, "S", ""), "<missing>");
    EXPECT_EQ(Get(ini, "S", "Value"), "a=b");
    EXPECT_EQ(Get(ini, "Broken", "After"), "<missing>");
    EXPECT_EQ(Get(ini, "S", "After"), "1");
}

TEST(IniFileReadTest, FlagIsOnUnlessItsValueBeginsWithZero) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, CrLf({"[S]", "Yes=yes", "ZeroAbc=0abc",
                                                   "QuotedZero=\"0\"", "Minus=-1", "Blank=\" \""}));
    EXPECT_TRUE(ini.ReadBool("S", "Yes", false));
    EXPECT_FALSE(ini.ReadBool("S", "ZeroAbc", true));
    EXPECT_FALSE(ini.ReadBool("S", "QuotedZero", true));
    EXPECT_TRUE(ini.ReadBool("S", "Minus", false));
    EXPECT_TRUE(ini.ReadBool("S", "Blank", false));
    EXPECT_FALSE(ini.ReadBool("S", "Missing", false));
    EXPECT_TRUE(ini.ReadBool("S", "Missing", true));
}

TEST(IniFileReadTest, NumberIsTheLeadingDecimalInteger) {
    const CTempFolder folder;
    const CIniFile ini =
        LoadContent(folder, CrLf({"[S]", "Trailing=12abc", "Negative=-7", "Letters=abc", "Plus=+5",
                                  "QuotedBlank=\"  42\"", "Sign=-", "Huge=99999999999",
                                  "HugeNegative=-99999999999", "Type=9"}));
    EXPECT_EQ(ini.ReadInt("S", "Trailing", 1), 12);
    EXPECT_EQ(ini.ReadInt("S", "Negative", 1), -7);
    EXPECT_EQ(ini.ReadInt("S", "Letters", 1), 0);
    EXPECT_EQ(ini.ReadInt("S", "Plus", 1), 5);
    EXPECT_EQ(ini.ReadInt("S", "QuotedBlank", 1), 42);
    EXPECT_EQ(ini.ReadInt("S", "Sign", 1), 0);
    EXPECT_EQ(ini.ReadInt("S", "Huge", 1), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ini.ReadInt("S", "HugeNegative", 1), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ini.ReadInt("S", "Type", 0), 9);
}

// ---------------------------------------------------------------------------
// Encodings.

TEST(IniFileEncodingTest, ByteE9OfWindows1252ReadsAsEAcute) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, "[Filename]\r\nReplaceWithValue=\"caf\xE9\"\r\n");
    EXPECT_EQ(Get(ini, "Filename", "ReplaceWithValue"), "café");
}

TEST(IniFileEncodingTest, Windows1252TableForTheHighBytes) {
    const CTempFolder folder;
    const CIniFile ini =
        LoadContent(folder, "[S]\r\nEuro=\x80\r\nQuotes=\x93x\x94\r\nDash=\x96\r\nYUmlaut=\x9F\r\n"
                            "Undefined=\x81\x8D\x8F\x90\x9D\r\nNoBreak=\xA0x\r\nLast=\xFF\r\n");
    EXPECT_EQ(Get(ini, "S", "Euro"), "€");
    EXPECT_EQ(Get(ini, "S", "Quotes"), "“x”");
    EXPECT_EQ(Get(ini, "S", "Dash"), "–");
    EXPECT_EQ(Get(ini, "S", "YUmlaut"), "Ÿ");
    EXPECT_EQ(Get(ini, "S", "Undefined"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(Get(ini, "S", "NoBreak"), "\xC2\xA0x");
    EXPECT_EQ(Get(ini, "S", "Last"), "ÿ");
}

TEST(IniFileEncodingTest, AValidUtf8FileIsTakenAsItIs) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, "[S]\r\nText=caf\xC3\xA9 \xE2\x82\xAC\r\n");
    EXPECT_EQ(Get(ini, "S", "Text"), "café €");
}

TEST(IniFileEncodingTest, OneInvalidByteMakesTheWholeFileWindows1252) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, "[S]\r\nUtf8=\xC3\xA9\r\nAnsi=\xE9\r\n");
    EXPECT_EQ(Get(ini, "S", "Utf8"), "Ã©");
    EXPECT_EQ(Get(ini, "S", "Ansi"), "é");
}

TEST(IniFileEncodingTest, AUtf8ByteOrderMarkIsSkipped) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, "\xEF\xBB\xBF[Filename]\r\nUCase=2\r\n");
    EXPECT_EQ(Get(ini, "Filename", "UCase"), "2");
}

TEST(IniFileEncodingTest, AWindows1252FileIsSavedAsUtf8) {
    const CTempFolder folder;
    const CIniFile ini = LoadContent(folder, "[S]\nText=\"\xE9t\xE9\"\n");
    EXPECT_EQ(SavedText(ini), CrLf({"[S]", "Text=\"été\""}));
}

// ---------------------------------------------------------------------------
// Files that are no INI files.

TEST(IniFileRobustnessTest, FiveMegabytesOfRandomBytesGiveKeysMissing) {
    std::mt19937 random(20240611);
    std::string bytes(5 * 1024 * 1024, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    const CTempFolder folder;
    CIniFile ini;
    EXPECT_TRUE(ini.Load(folder.WriteFile("random.ini", bytes)));
    EXPECT_TRUE(AllKeysMissing(ini));
    EXPECT_EQ(ini.ReadString("Filename", "ReplaceWithValue", "kept"), "kept");
}

TEST(IniFileRobustnessTest, NulBytesAndAUtf16FileGiveKeysMissing) {
    const std::u16string wide = u"[Filename]\r\nReplaceWith=1\r\nUCase=2\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : wide) {
        utf16.push_back(static_cast<char>(unit & 0xFF));
        utf16.push_back(static_cast<char>(unit >> 8));
    }
    const CTempFolder folder;
    EXPECT_TRUE(AllKeysMissing(LoadContent(folder, utf16)));
    const CIniFile withNul =
        LoadContent(folder, std::string("[Filename]\r\nReplace\0With=1\r\n\0UCase=2\r\n", 38));
    EXPECT_TRUE(AllKeysMissing(withNul));
}

TEST(IniFileRobustnessTest, AFileWithoutSectionsGivesKeysMissing) {
    const CTempFolder folder;
    EXPECT_TRUE(AllKeysMissing(LoadContent(
        folder, CrLf({"ReplaceWith=1", "ReplaceWithValue=x", "UCase=2", "StartAt=5"}))));
}

TEST(IniFileRobustnessTest, OneMegabyteLines) {
    const CTempFolder folder;
    EXPECT_TRUE(AllKeysMissing(LoadContent(folder, Repeat("[Filename=", 100 * 1024))));
    const CIniFile ini = LoadContent(
        folder, "[Filename]\r\nReplaceWithValue=" + Repeat("x", 1024 * 1024) + "\r\nUCase=3\r\n");
    EXPECT_EQ(Get(ini, "Filename", "ReplaceWithValue"), Repeat("x", 4095));
    EXPECT_EQ(Get(ini, "Filename", "UCase"), "3");
}

TEST(IniFileRobustnessTest, AnOversizedFileIsNotRead) {
    const CTempFolder folder;
    const std::string path = folder.WriteFile(
        "big.ini", "[Filename]\r\nUCase=2\r\n" + std::string(CIniFile::kMaxFileBytes, ' '));
    CIniFile ini;
    EXPECT_FALSE(ini.Load(path));
    EXPECT_TRUE(AllKeysMissing(ini));
}

TEST(IniFileRobustnessTest, AMissingFileIsAnEmptyIni) {
    const CTempFolder folder;
    CIniFile ini = LoadContent(folder, CrLf({"[Filename]", "UCase=2"}));
    EXPECT_TRUE(ini.Load(folder / "missing.ini"));
    EXPECT_TRUE(AllKeysMissing(ini));
    EXPECT_TRUE(ini.Load(folder / "no-folder/missing.ini"));
    EXPECT_EQ(SavedText(ini), "");
}

TEST(IniFileRobustnessTest, AFolderCannotBeLoaded) {
    const CTempFolder folder;
    CIniFile ini = LoadContent(folder, CrLf({"[Filename]", "UCase=2"}));
    EXPECT_FALSE(ini.Load(folder.MakeFolder("sub")));
    EXPECT_TRUE(AllKeysMissing(ini));
}

// ---------------------------------------------------------------------------
// Where a save goes, and what a failed save leaves.

TEST(IniFileSaveFileTest, ReplacesTheOldFileKeepingItsPermissions) {
    const CTempFolder folder;
    const std::string path = folder.WriteFile("o.ini", "old contents that are longer\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    CIniFile ini;
    ini.WriteInt("S", "K", 1);
    EXPECT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadWholeFile(path), CrLf({"[S]", "K=1"}));
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"o.ini"});
}

TEST(IniFileSaveFileTest, WritesThroughASymbolicLink) {
    const CTempFolder folder;
    const std::string real = folder.WriteFile("real/o.ini", "old\r\n");
    fs::create_symlink(real, folder / "link.ini");
    CIniFile ini;
    ini.WriteInt("S", "K", 1);
    EXPECT_TRUE(ini.Save(folder / "link.ini"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(ReadWholeFile(real), CrLf({"[S]", "K=1"}));
    EXPECT_EQ(NamesIn(folder / "real"), std::vector<std::string>{"o.ini"});
}

TEST(IniFileSaveFileTest, IntoAMissingFolderFails) {
    const CTempFolder folder;
    CIniFile ini;
    ini.WriteInt("S", "K", 1);
    EXPECT_FALSE(ini.Save(folder / "missing/o.ini"));
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
}

TEST(IniFileSaveFileTest, OverAFolderFails) {
    const CTempFolder folder;
    folder.WriteFile("o.ini/inside", "x");
    CIniFile ini;
    ini.WriteInt("S", "K", 1);
    EXPECT_FALSE(ini.Save(folder / "o.ini"));
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"o.ini"});
    EXPECT_EQ(ReadWholeFile(folder / "o.ini/inside"), "x");
}

TEST(IniFileSaveFileTest, OverSomethingElseThanAFileFails) {
    const CTempFolder folder;
    const std::string pipe = folder / "o.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    CIniFile ini;
    ini.WriteInt("S", "K", 1);
    EXPECT_FALSE(ini.Save(pipe));
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"o.ini"});
}

TEST(IniFileSaveFileTest, IntoAReadOnlyFolderFails) {
    const CTempFolder folder;
    if (!PermissionsAreEnforced(folder)) {
        GTEST_SKIP() << "file permissions are not enforced for this user";
    }
    const std::string sub = folder.MakeFolder("ro");
    const std::string path = folder.WriteFile("ro/o.ini", "old\r\n");
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    CIniFile ini;
    ini.WriteInt("S", "K", 1);
    EXPECT_FALSE(ini.Save(path));
    EXPECT_FALSE(ini.Save(sub + "/new.ini"));
    EXPECT_EQ(ReadWholeFile(path), "old\r\n");
    EXPECT_EQ(NamesIn(sub), std::vector<std::string>{"o.ini"});
}

TEST(IniFileSaveFileTest, OverAReadOnlyFileFails) {
    const CTempFolder folder;
    if (!PermissionsAreEnforced(folder)) {
        GTEST_SKIP() << "file permissions are not enforced for this user";
    }
    const std::string path = folder.WriteFile("o.ini", "old\r\n");
    fs::permissions(path, fs::perms::owner_read);
    CIniFile ini;
    ini.WriteInt("S", "K", 1);
    EXPECT_FALSE(ini.Save(path));
    EXPECT_EQ(ReadWholeFile(path), "old\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"o.ini"});
}

TEST(IniFileSaveFileTest, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const CTempFolder folder;
    const std::string path = folder.WriteFile("o.ini", "old\r\n");
    CIniFile ini;
    ini.WriteString("S", "Long", std::string(256 * 1024, 'x'));

    // Files of this process may not grow past 4 KB while the save runs.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool result = ini.Save(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result);
    EXPECT_EQ(ReadWholeFile(path), "old\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"o.ini"});
}
