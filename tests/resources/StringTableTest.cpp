// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

using namespace std::string_view_literals;

TEST(StringTable, IdsAreSortedAndUnique) {
    const auto ids = AllStringIds();
    ASSERT_FALSE(ids.empty());
    EXPECT_TRUE(std::adjacent_find(ids.begin(), ids.end(), std::greater_equal<int>()) == ids.end());
}

TEST(StringTable, EveryListedIdHasAText) {
    for (const int id : AllStringIds()) {
        EXPECT_FALSE(LookupString(id).empty()) << "id " << id;
    }
}

TEST(StringTable, Captions) {
    EXPECT_EQ(LookupString(strings::kCaptionProgram), "NorvikRename"sv);
    EXPECT_EQ(LookupString(strings::kCaptionWarning), "Waarschuwing"sv);
    EXPECT_EQ(LookupString(strings::kCaptionQuestion), "Vraag"sv);
    EXPECT_EQ(LookupString(strings::kCaptionInformation), "Informatie"sv);
    EXPECT_EQ(LookupString(strings::kCaptionError), "Fout"sv);
    EXPECT_EQ(LookupString(102), "NorvikRename"sv);
    EXPECT_EQ(LookupString(3002), "Waarschuwing"sv);
    EXPECT_EQ(LookupString(3049), "Vraag"sv);
    EXPECT_EQ(LookupString(3050), "Informatie"sv);
    EXPECT_EQ(LookupString(3051), "Fout"sv);
}

TEST(StringTable, SettingsDialogTexts) {
    EXPECT_EQ(strings::kAllowSwapsAndChains, 3070);
    EXPECT_EQ(LookupString(3070), "Wisselingen en ketens toestaan"sv);
}

TEST(StringTable, InvalidCommand) {
    EXPECT_EQ(strings::kInvalidCommand, 2001);
    EXPECT_EQ(LookupString(2001), "<ONJUIST COMMANDO>"sv);
}

TEST(StringTable, ExtendedFilterTexts) {
    EXPECT_EQ(LookupString(3035), "U moet een geldige waarde ingeven tussen 1 en 256 in de "
                                  "'Bestandsnaam lengte' bewerkingstekst."sv);
    EXPECT_EQ(LookupString(3036),
              "U moet enige waarden ingeven in de 'Bestandsgrootte' bewerkingstekst."sv);
    EXPECT_EQ(LookupString(3043), "Bytes"sv);
    EXPECT_EQ(LookupString(3044), "Kilobytes"sv);
    EXPECT_EQ(LookupString(3045), "Megabyties"sv);
}

TEST(StringTable, ConsoleTextWithPlaceholder) {
    EXPECT_EQ(LookupString(strings::kUndoScriptCreated),
              "Het herstel batchbestand [%s] is gemaakt"sv);
    EXPECT_EQ(LookupString(strings::kUndoScriptNotCreated),
              "Het batch herstelbestand {%s] KAN NIET WORDEN GEMAAKT"sv);
}

TEST(StringTable, TextsWithLineBreaks) {
    EXPECT_EQ(LookupString(3019),
              "Hernoeming fout:\r\n  van [%s]\r\n  naar [%s]\r\n  Fout: [%s]"sv);
    EXPECT_EQ(LookupString(3022), "Het TEMP bacht herstelbestand [%s] is gemaakt\r\n Denk er "
                                  "aan om het bestand te hernoemen tot .bat"sv);
    EXPECT_EQ(LookupString(3048), "[%s]\n\n is geen geldig pad"sv);
    EXPECT_EQ(LookupString(3033), "De bestandsnaam mag geen van deze ongeldige karakters "
                                  "hebben: \n\n \\ / : * ? \" < > |"sv);
    EXPECT_EQ(LookupString(3026),
              "Norvik Rename gaat alle bestanden hernoemen. \nWilt u doorgaan."sv);
}

TEST(StringTable, LiteralBackslashIsKept) {
    const std::string_view text = LookupString(3025);
    EXPECT_EQ(text,
              "Norvik Rename gaat de geselecteerde bestanden hernoemen. n\\Wilt u doorgaan?"sv);
    EXPECT_NE(text.find('\\'), std::string_view::npos);
    EXPECT_EQ(text.find('\n'), std::string_view::npos);
}

TEST(StringTable, FileDialogFilter) {
    EXPECT_EQ(LookupString(strings::kFilterIniFiles),
              "INI bestanden (*.ini)|*.ini|Alle bestanden (*.*)|*.*||"sv);
}

TEST(StringTable, CommandTooltips) {
    EXPECT_EQ(LookupString(32891), "Hernoem de huidige selectie"sv);
    EXPECT_EQ(LookupString(32783), "Werk met mappen (mappen als bestanden)"sv);
    EXPECT_EQ(LookupString(57670), "Toon het helpbestand"sv);
    // Commands without a tooltip have no text.
    EXPECT_TRUE(LookupString(32902).empty());
    EXPECT_TRUE(LookupString(32994).empty());
}

TEST(StringTable, ColumnTitles) {
    EXPECT_EQ(LookupString(strings::kColumnPreview), "Voorbeeld"sv);
    EXPECT_EQ(LookupString(strings::kColumnFileName), "Bestand"sv);
    EXPECT_EQ(LookupString(strings::kColumnAccessed), "Laatst geopend"sv);
    EXPECT_EQ(LookupString(strings::kColumnAttributes), "Attributen"sv);
    EXPECT_EQ(LookupString(strings::kColumnErrorTo), "Bestandsnaam voor"sv);
}

TEST(StringTable, UnknownIdGivesEmptyText) {
    EXPECT_TRUE(LookupString(0).empty());
    EXPECT_TRUE(LookupString(-1).empty());
    EXPECT_TRUE(LookupString(3010).empty());
    EXPECT_TRUE(LookupString(99999).empty());
    EXPECT_TRUE(LookupString(100).empty()); // below the first id
}

namespace {

/// The window's texts installed for one test, and the Dutch put back after it.
class StringTableWindowTexts : public ::testing::Test {
protected:
    void TearDown() override { SetWindowTexts({}); }
};

std::string Marked(std::string_view dutch) {
    return "<" + std::string(dutch) + ">";
}

} // namespace

TEST(StringTable, WindowTextsAndTheTextsThatStayDutch) {
    // Every text is the window's, but for the program's name, the two texts
    // nothing shows, the text of a broken tag (it lands in file names), the
    // file-manager entry and the lines of the batch console.
    const std::vector<int> own = {102, 1012, 2001, 3017, 3018, 3019, 3020, 3021, 3022, 3023, 3024};
    int windowTexts = 0;
    for (const int id : AllStringIds()) {
        const bool expected = std::find(own.begin(), own.end(), id) == own.end();
        EXPECT_EQ(IsWindowString(id), expected) << "id " << id;
        windowTexts += IsWindowString(id) ? 1 : 0;
    }
    EXPECT_EQ(windowTexts, 92);
    // Console lines in a batch run, message boxes in the window.
    EXPECT_TRUE(IsWindowString(strings::kNothingToRename));
    EXPECT_TRUE(IsWindowString(strings::kCannotReadOptionsFile));
    EXPECT_TRUE(IsWindowString(strings::kUndoScriptCannotRecord));
    EXPECT_FALSE(IsWindowString(99999));
}

TEST_F(StringTableWindowTexts, LookupGivesTheWindowsTextOnceInstalled) {
    EXPECT_EQ(LookupString(strings::kColumnFileName), "Bestand"sv);
    std::vector<std::string> asked;
    SetWindowTexts([&asked](std::string_view dutch) {
        asked.emplace_back(dutch);
        return Marked(dutch);
    });
    // Asked once for each window text, eagerly.
    EXPECT_EQ(asked.size(), 92u);
    EXPECT_EQ(LookupString(strings::kColumnFileName), "<Bestand>"sv);
    EXPECT_EQ(LookupString(strings::kConfirmRenameAll),
              "<Norvik Rename gaat alle bestanden hernoemen. \nWilt u doorgaan.>"sv);
    EXPECT_EQ(LookupString(strings::kNothingToRename),
              "<Er zijn geen bestanden met de huidige opties te hernoemen.>"sv);
    EXPECT_EQ(LookupString(32891), "<Hernoem de huidige selectie>"sv);
    EXPECT_EQ(LookupDutchString(strings::kColumnFileName), "Bestand"sv);
    EXPECT_EQ(asked.size(), 92u);
}

TEST_F(StringTableWindowTexts, TextsOutsideTheWindowStayDutch) {
    SetWindowTexts(Marked);
    for (const int id : AllStringIds()) {
        if (!IsWindowString(id)) {
            EXPECT_EQ(LookupString(id), LookupDutchString(id)) << "id " << id;
        }
    }
    EXPECT_EQ(LookupString(strings::kInvalidCommand), "<ONJUIST COMMANDO>"sv);
    EXPECT_EQ(LookupString(strings::kShellVerbMenuText), "Norvik Rename vanaf hier"sv);
    EXPECT_EQ(LookupString(strings::kPressKeyToStop), "Druk op een toets om te stoppen"sv);
    EXPECT_EQ(LookupString(strings::kCaptionProgram), "NorvikRename"sv);
    EXPECT_TRUE(LookupString(99999).empty());
    EXPECT_TRUE(LookupDutchString(99999).empty());
}

TEST_F(StringTableWindowTexts, AnEmptyTranslationKeepsTheDutch) {
    SetWindowTexts(
        [](std::string_view dutch) { return dutch == "Bestand" ? std::string() : Marked(dutch); });
    EXPECT_EQ(LookupString(strings::kColumnFileName), "Bestand"sv);
    EXPECT_EQ(LookupString(strings::kColumnFolder), "<Pad>"sv);
}

TEST_F(StringTableWindowTexts, AnEmptyFunctionPutsTheDutchBack) {
    SetWindowTexts(Marked);
    SetWindowTexts({});
    for (const int id : AllStringIds()) {
        EXPECT_EQ(LookupString(id), LookupDutchString(id)) << "id " << id;
    }
    EXPECT_EQ(LookupString(strings::kColumnFileName), "Bestand"sv);
}
