// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/NameText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kDec = static_cast<int32_t>(AutonumberBase::Dec);
constexpr int32_t kHex = static_cast<int32_t>(AutonumberBase::Hex);
constexpr int32_t kOct = static_cast<int32_t>(AutonumberBase::Oct);
constexpr int32_t kBin = static_cast<int32_t>(AutonumberBase::Bin);
constexpr int32_t kLetters = static_cast<int32_t>(AutonumberBase::Letters);
constexpr int32_t kManual = static_cast<int32_t>(AutonumberBase::Manual);

const std::string kCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

/// Reads a bijective numeral over a single-byte alphabet back into its value.
uint64_t ReadLetters(const std::string& letters, const std::string& alphabet) {
    uint64_t value = 0;
    for (char c : letters) {
        value = value * alphabet.size() + alphabet.find(c) + 1;
    }
    return value;
}

} // namespace

TEST(NameTextCharsTest, CountsCharactersNotBytes) {
    EXPECT_EQ(CharCount(""), 0u);
    EXPECT_EQ(CharCount("abc"), 3u);
    EXPECT_EQ(CharCount("ñandú"), 5u);
    EXPECT_EQ(CharCount("日本"), 2u);
    EXPECT_EQ(CharCount("a\xFF\x80z"), 4u); // two invalid bytes, one character each
    EXPECT_EQ(CharCount("\xC3"), 1u);       // a sequence cut short
}

TEST(NameTextCharsTest, CropsOnCharacterBoundaries) {
    EXPECT_EQ(FirstChars("ñandú", 2), "ña");
    EXPECT_EQ(FirstChars("ñandú", 0), "");
    EXPECT_EQ(FirstChars("ñandú", 9), "ñandú");
    EXPECT_EQ(LastChars("ñandú", 1), "ú");
    EXPECT_EQ(LastChars("ñandú", 4), "andú");
    EXPECT_EQ(LastChars("ñandú", 0), "");
    EXPECT_EQ(LastChars("ñandú", 5), "ñandú");
    EXPECT_EQ(LastChars("ñandú", 6), "ñandú");
    EXPECT_EQ(FirstChars("a😀b", 2), "a😀");
    EXPECT_EQ(LastChars("a😀b", 2), "😀b");
    // A stray continuation byte after a full sequence is its own character.
    EXPECT_EQ(LastChars("é\xA9", 1), "\xA9");
    EXPECT_EQ(FirstChars("\xFF\xFEx", 1), "\xFF");
}

TEST(NameTextCharsTest, InsertsOnCharacterBoundaries) {
    EXPECT_EQ(InsertAtChar("abc", 3, "Z"), "abcZ");
    EXPECT_EQ(InsertAtChar("abc", 0, "Z"), "Zabc");
    EXPECT_EQ(InsertAtChar("éèê", 1, "-"), "é-èê");
    EXPECT_EQ(InsertAtChar("éèê", 2, "ü"), "éèüê");
    EXPECT_EQ(InsertAtChar("éè", 7, "!"), "éè!");
    EXPECT_EQ(InsertAtChar("\xFF\xFE", 1, "x"), "\xFFx\xFE");
}

TEST(NameTextCaseTest, MapsAsciiAccentedGreekAndCyrillic) {
    EXPECT_EQ(ToUpperText("Holiday photo 2"), "HOLIDAY PHOTO 2");
    EXPECT_EQ(ToLowerText("Holiday PHOTO 2"), "holiday photo 2");
    EXPECT_EQ(ToUpperText("àéîõüçñÿ"), "ÀÉÎÕÜÇÑŸ");
    EXPECT_EQ(ToLowerText("ÀÉÎÕÜÇÑ"), "àéîõüçñ");
    EXPECT_EQ(ToUpperText("αβγ ωμέγα"), "ΑΒΓ ΩΜΈΓΑ");
    EXPECT_EQ(ToLowerText("ΑΒΓ"), "αβγ");
    EXPECT_EQ(ToUpperText("привет"), "ПРИВЕТ");
    EXPECT_EQ(ToLowerText("ПРИВЕТ Ёж"), "привет ёж");
    // Simple mapping: ß has no single-character capital.
    EXPECT_EQ(ToUpperText("straße"), "STRAßE");
}

TEST(NameTextCaseTest, KeepsInvalidBytes) {
    EXPECT_EQ(ToUpperText("a\xFF"
                          "b\xC3"),
              "A\xFF"
              "B\xC3");
    EXPECT_EQ(ToLowerText("A\x80\xE9Z"), "a\x80\xE9z");
    EXPECT_EQ(CapitaliseWords("\xE9t\xE9 x"), "\xE9t\xE9 X");
}

TEST(NameTextCaseTest, CapitalisesWordsAfterBlanksOnly) {
    EXPECT_EQ(CapitaliseWords("hello_world foo"), "Hello_world Foo");
    EXPECT_EQ(CapitaliseWords("  two blanks"), "  Two Blanks");
    EXPECT_EQ(CapitaliseWords("HELLO wORLD"), "Hello World");
    EXPECT_EQ(CapitaliseWords("a-b\tc.d"), "A-b\tc.d");
    EXPECT_EQ(CapitaliseWords("élan ÉCOLE ωμέγα"), "Élan École Ωμέγα");
    EXPECT_EQ(CapitaliseWords("ǆemal"), "ǅemal"); // title case, not upper case
    EXPECT_EQ(CapitaliseWords(""), "");
}

TEST(NameTextCaseTest, CapitalisesFirstCharacterOnly) {
    EXPECT_EQ(CapitaliseFirst("hELLO WORLD"), "Hello world");
    EXPECT_EQ(CapitaliseFirst("ЖУК жук"), "Жук жук");
    EXPECT_EQ(CapitaliseFirst(" x"), " x");
    EXPECT_EQ(CapitaliseFirst(""), "");
}

TEST(NameTextReplaceTest, ReplacesWithOrWithoutCase) {
    EXPECT_EQ(ReplaceText("Banana", "A", "x", false), "Bxnxnx");
    EXPECT_EQ(ReplaceText("Banana", "A", "x", true), "Banana");
    EXPECT_EQ(ReplaceText("BANANA", "an", "-", false), "B--A");
    EXPECT_EQ(ReplaceText("BaNana", "N", "", true), "Baana");
}

TEST(NameTextReplaceTest, NeverOverlapsOrRescans) {
    EXPECT_EQ(ReplaceText("aaa", "aa", "b", true), "ba");
    EXPECT_EQ(ReplaceText("aaa", "AA", "b", false), "ba");
    EXPECT_EQ(ReplaceText("aa", "a", "aa", false), "aaaa");
    EXPECT_EQ(ReplaceText("abc", "", "x", false), "abc");
    EXPECT_EQ(ReplaceText("abc", "abcd", "x", false), "abc");
    EXPECT_EQ(ReplaceText("abc", "abc", "", false), "");
}

TEST(NameTextReplaceTest, KeepsCaseBetweenNonAsciiMatches) {
    EXPECT_EQ(ReplaceText("ÉCOLE école", "é", "e", false), "eCOLE ecole");
    EXPECT_EQ(ReplaceText("ÉCOLE école", "é", "e", true), "ÉCOLE ecole");
    EXPECT_EQ(ReplaceText("Σοφία ΣΟΦΊΑ", "σοφ", "Ph", false), "Phία PhΊΑ");
    EXPECT_EQ(ReplaceText("Москва МОСКВА", "москва", "M", false), "M M");
    EXPECT_EQ(ReplaceText("x\xFFy\xFF", "\xFF", "_", false), "x_y_");
    EXPECT_EQ(ReplaceText("é\xC3", "\xC3", "!", false), "é!");
    // A lone continuation byte matches only a stray one, never the tail of é.
    EXPECT_EQ(ReplaceText("é\xA9", "\xA9", "!", true), "é!");
    EXPECT_EQ(ReplaceText("é\xA9", "\xA9", "!", false), "é!");
}

TEST(NameTextAccentsTest, MapsAllFiftyThreeLetters) {
    const std::vector<std::pair<std::string, std::string>> table = {
        {"àèìòù", "aeiou"}, {"áéíóú", "aeiou"}, {"âêîôû", "aeiou"}, {"äëïöü", "aeiou"},
        {"ãõå", "aoa"},     {"ÀÈÌÒÙ", "AEIOU"}, {"ÁÉÍÓÚ", "AEIOU"}, {"ÂÊÎÔÛ", "AEIOU"},
        {"ÄËÏÖÜ", "AEIOU"}, {"ÃÕÅ", "AOA"},     {"ÿýÝ", "yyY"},     {"çÇ", "cC"},
        {"ñÑ", "nN"},
    };
    std::string allAccented;
    std::string allPlain;
    std::size_t letters = 0;
    for (const auto& [accented, plain] : table) {
        ASSERT_EQ(CharCount(accented), plain.size());
        for (std::size_t i = 0; i < plain.size(); ++i) {
            const std::string letter = FirstChars(LastChars(accented, plain.size() - i), 1);
            EXPECT_EQ(RemoveAccents(letter), plain.substr(i, 1)) << letter;
            EXPECT_EQ(RemoveAccents("x" + letter + "y"), "x" + plain.substr(i, 1) + "y");
            ++letters;
        }
        allAccented += accented;
        allPlain += plain;
    }
    EXPECT_EQ(letters, 53u);
    const std::string result = RemoveAccents(allAccented);
    EXPECT_EQ(result, allPlain);
    for (char c : result) {
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    }
}

TEST(NameTextAccentsTest, LeavesOtherCharactersAlone) {
    EXPECT_EQ(RemoveAccents("æøßÆØÐðÞþ×÷"), "æøßÆØÐðÞþ×÷");
    EXPECT_EQ(RemoveAccents("plain text"), "plain text");
    EXPECT_EQ(RemoveAccents("Ÿŝαé"), "Ÿŝαe");
    EXPECT_EQ(RemoveAccents("\xE9t\xE9 é"), "\xE9t\xE9 e"); // Windows-1252 bytes stay
    EXPECT_EQ(RemoveAccents("\xC3"), "\xC3");
    EXPECT_EQ(RemoveAccents(""), "");
}

TEST(NameTextLettersTest, NumbersLikeSpreadsheetColumns) {
    EXPECT_EQ(ToLetters(0, kCapitals), "");
    EXPECT_EQ(ToLetters(1, kCapitals), "A");
    EXPECT_EQ(ToLetters(26, kCapitals), "Z");
    EXPECT_EQ(ToLetters(27, kCapitals), "AA");
    EXPECT_EQ(ToLetters(52, kCapitals), "AZ");
    EXPECT_EQ(ToLetters(53, kCapitals), "BA");
    EXPECT_EQ(ToLetters(702, kCapitals), "ZZ");
    EXPECT_EQ(ToLetters(703, kCapitals), "AAA");
    EXPECT_EQ(ToLetters(1, "abc"), "a");
    EXPECT_EQ(ToLetters(3, "abc"), "c");
    EXPECT_EQ(ToLetters(4, "abc"), "aa");
    EXPECT_EQ(ToLetters(5, ""), "");
    for (uint64_t v = 1; v <= 20000; ++v) {
        ASSERT_EQ(ReadLetters(ToLetters(v, kCapitals), kCapitals), v);
        ASSERT_EQ(ReadLetters(ToLetters(v, "xyz"), "xyz"), v);
    }
}

TEST(NameTextLettersTest, UsesCharactersOfTheAlphabet) {
    EXPECT_EQ(ToLetters(1, "αβ"), "α");
    EXPECT_EQ(ToLetters(2, "αβ"), "β");
    EXPECT_EQ(ToLetters(3, "αβ"), "αα");
    EXPECT_EQ(ToLetters(6, "αβ"), "ββ");
    EXPECT_EQ(ToLetters(7, "αβ"), "ααα");
    EXPECT_EQ(ToLetters(5, "a😀é"), "a😀");
    EXPECT_EQ(ToLetters(9, "a😀é"), "😀é");
    EXPECT_EQ(ToLetters(3, "ж"), "жжж");
}

TEST(NameTextLettersTest, RefusesResultsLongerThanTheLimit) {
    EXPECT_EQ(ToLetters(2, "a", 2), "aa");
    EXPECT_EQ(ToLetters(3, "a", 2), "");
    EXPECT_EQ(ToLetters(UINT64_MAX, "a"), "");
    // 2^64 - 1 is the first numeral of 64 symbols in base 2.
    EXPECT_EQ(ToLetters(UINT64_MAX, "ab", 64), std::string(64, 'a'));
    EXPECT_EQ(ToLetters(UINT64_MAX, "ab", 63), "");
    EXPECT_EQ(ToLetters(UINT64_MAX, kCapitals).size(), 14u);
}

TEST(NameTextAutonumberTest, FormatsTheFourRadixBases) {
    EXPECT_EQ(FormatAutonumber(42, kDec, 0, ""), "42");
    EXPECT_EQ(FormatAutonumber(0, kDec, 0, ""), "0");
    EXPECT_EQ(FormatAutonumber(255, kHex, 0, ""), "FF");
    EXPECT_EQ(FormatAutonumber(48879, kHex, 0, ""), "BEEF");
    EXPECT_EQ(FormatAutonumber(8, kOct, 0, ""), "10");
    EXPECT_EQ(FormatAutonumber(5, kBin, 0, ""), "101");
    EXPECT_EQ(FormatAutonumber(-3, kDec, 0, ""), "-3");
}

TEST(NameTextAutonumberTest, FillsWithZeros) {
    EXPECT_EQ(FormatAutonumber(9, kDec, 1, ""), "09");
    EXPECT_EQ(FormatAutonumber(10, kDec, 1, ""), "10");
    EXPECT_EQ(FormatAutonumber(11, kDec, 1, ""), "11");
    EXPECT_EQ(FormatAutonumber(7, kDec, 2, ""), "007");
    EXPECT_EQ(FormatAutonumber(42, kDec, 2, ""), "042");
    EXPECT_EQ(FormatAutonumber(123, kDec, 2, ""), "123");
    EXPECT_EQ(FormatAutonumber(-3, kDec, 2, ""), "-003");
    EXPECT_EQ(FormatAutonumber(7, kDec, -4, ""), "7");
    EXPECT_EQ(FormatAutonumber(255, kHex, 3, ""), "00FF");
    EXPECT_EQ(FormatAutonumber(1, kBin, 3, ""), "0001");
    EXPECT_EQ(FormatAutonumber(1, kLetters, 3, ""), "A");
    EXPECT_EQ(FormatAutonumber(1, kManual, 3, "xy"), "x");
}

TEST(NameTextAutonumberTest, FormatsLettersAndManualDigits) {
    EXPECT_EQ(FormatAutonumber(25, kLetters, 0, ""), "Y");
    EXPECT_EQ(FormatAutonumber(26, kLetters, 0, ""), "Z");
    EXPECT_EQ(FormatAutonumber(27, kLetters, 0, ""), "AA");
    EXPECT_EQ(FormatAutonumber(0, kLetters, 0, ""), "");
    EXPECT_EQ(FormatAutonumber(-2, kLetters, 0, ""), "-B");
    EXPECT_EQ(FormatAutonumber(4, kManual, 0, "abc"), "aa");
    EXPECT_EQ(FormatAutonumber(3, kManual, 0, "αβ"), "αα");
    EXPECT_EQ(FormatAutonumber(12, kManual, 2, ""), "012"); // no digits: decimal
}

TEST(NameTextAutonumberTest, TakesNegatedBasesFromTheNTag) {
    EXPECT_EQ(FormatAutonumber(255, -16, 0, ""), "FF");
    EXPECT_EQ(FormatAutonumber(35, -36, 0, ""), "Z");
    EXPECT_EQ(FormatAutonumber(36, -36, 0, ""), "10");
    EXPECT_EQ(FormatAutonumber(5, -2, 4, ""), "00101");
    EXPECT_EQ(FormatAutonumber(-10, -12, 2, ""), "-00A");
    EXPECT_EQ(FormatAutonumber(36, -37, 0, ""), "36");
    EXPECT_EQ(FormatAutonumber(36, -1, 0, ""), "36");
    EXPECT_EQ(FormatAutonumber(36, 6, 0, ""), "36");
    EXPECT_EQ(FormatAutonumber(36, INT32_MIN, 0, ""), "36");
}

TEST(NameTextAutonumberTest, HandlesTheSmallestCounter) {
    EXPECT_EQ(FormatAutonumber(INT32_MIN, kDec, 0, ""), "-2147483648");
    EXPECT_EQ(FormatAutonumber(INT32_MIN, kHex, 0, ""), "-80000000");
    EXPECT_EQ(FormatAutonumber(INT32_MIN, kBin, 0, ""), "-1" + std::string(31, '0'));
    EXPECT_EQ(FormatAutonumber(INT32_MAX, kDec, 0, ""), "2147483647");
}

TEST(NameTextAutonumberTest, RefusesMoreThan255Characters) {
    EXPECT_EQ(FormatAutonumber(1, kDec, 254, "").size(), 255u);
    EXPECT_EQ(FormatAutonumber(1, kDec, 255, ""), "");
    EXPECT_EQ(FormatAutonumber(-1, kDec, 253, "").size(), 255u);
    EXPECT_EQ(FormatAutonumber(-1, kDec, 254, ""), "");
    EXPECT_EQ(FormatAutonumber(1, kDec, 100000, ""), "");
    EXPECT_EQ(FormatAutonumber(1, kHex, INT32_MAX, ""), "");
    EXPECT_EQ(FormatAutonumber(255, kManual, 0, "z"), std::string(255, 'z'));
    EXPECT_EQ(FormatAutonumber(256, kManual, 0, "z"), "");
    EXPECT_EQ(FormatAutonumber(-255, kManual, 0, "z"), "");
    EXPECT_EQ(FormatAutonumber(INT32_MAX, kManual, 0, "z"), "");
    EXPECT_EQ(FormatAutonumber(INT32_MIN, kManual, 0, "ab"), "-" + ToLetters(2147483648u, "ab"));
}

TEST(NameTextSanitiseTest, ReplacesTheNineForbiddenCharacters) {
    EXPECT_EQ(SanitiseName("a\\b/c:d*e?f\"g<h>i|j"), "a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(SanitiseName("<ONJUIST COMMANDO>"), "_ONJUIST COMMANDO_");
    EXPECT_EQ(SanitiseName("2024/05/01"), "2024_05_01");
    EXPECT_EQ(SanitiseName("photo (1) ñ #.jpg"), "photo (1) ñ #.jpg");
    EXPECT_EQ(SanitiseName("日本:\xFF"), "日本_\xFF");
    EXPECT_EQ(SanitiseName(""), "");
    // A zero byte (from a rule text or a tag) would cut the name at the move.
    EXPECT_EQ(SanitiseName(std::string("a\0b", 3)), "a_b");
}

TEST(NameTextSanitiseTest, ControlCharactersBecomeUnderscores) {
    for (int byte = 0x01; byte <= 0x1F; ++byte) {
        EXPECT_EQ(SanitiseName("a" + std::string(1, static_cast<char>(byte)) + "b"), "a_b") << byte;
    }
    EXPECT_EQ(SanitiseName("a\x7F"
                           "b"),
              "a_b");
    EXPECT_EQ(SanitiseName("line\nbreak\r\n\ttab.txt"), "line_break___tab.txt");
    // Blank and tilde are no control characters; neither is U+0080 (two
    // bytes in UTF-8), and no byte of a multi-byte sequence is touched.
    EXPECT_EQ(SanitiseName(" ~\xC2\x80\xC3\xA9\xE6\x97\xA5"), " ~\xC2\x80\xC3\xA9\xE6\x97\xA5");
}
