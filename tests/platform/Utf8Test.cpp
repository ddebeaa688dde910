// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Walks text with Decode and rebuilds it with Append.
std::string Rebuild(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = 0;
        const char32_t cp = utf8::Decode(text, pos, length);
        EXPECT_GE(length, 1u);
        EXPECT_LE(pos + length, text.size());
        utf8::Append(out, cp);
        pos += length;
    }
    return out;
}

std::string Encoded(char32_t cp) {
    std::string out;
    utf8::Append(out, cp);
    return out;
}

} // namespace

// ---------------------------------------------------------------------------
// Decoding and encoding

TEST(Utf8Decode, AsciiIsOneByteAndItsOwnValue) {
    const std::string text = "Az09 ~";
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        std::size_t length = 0;
        EXPECT_EQ(utf8::Decode(text, pos, length), static_cast<char32_t>(text[pos]));
        EXPECT_EQ(length, 1u);
    }
}

TEST(Utf8Decode, ValidSequencesOfEveryLength) {
    struct Case {
        std::string bytes;
        char32_t cp;
    };
    const std::vector<Case> cases = {
        {"\xC3\xA9", 0xE9},            // é
        {"\xC2\x80", 0x80},            // smallest two-byte
        {"\xDF\xBF", 0x7FF},           // largest two-byte
        {"\xE2\x82\xAC", 0x20AC},      // €
        {"\xE0\xA0\x80", 0x800},       // smallest three-byte
        {"\xED\x9F\xBF", 0xD7FF},      // just below the surrogates
        {"\xEE\x80\x80", 0xE000},      // just above the surrogates
        {"\xEF\xBF\xBF", 0xFFFF},      // largest three-byte
        {"\xF0\x9F\x98\x80", 0x1F600}, // 😀
        {"\xF0\x90\x80\x80", 0x10000}, // smallest four-byte
        {"\xF4\x8F\xBF\xBF", 0x10FFFF} // largest code point
    };
    for (const auto& c : cases) {
        std::size_t length = 0;
        EXPECT_EQ(utf8::Decode(c.bytes, 0, length), c.cp) << c.bytes;
        EXPECT_EQ(length, c.bytes.size()) << c.bytes;
        EXPECT_EQ(utf8::CharLength(c.bytes, 0), c.bytes.size()) << c.bytes;
        EXPECT_EQ(Encoded(c.cp), c.bytes);
    }
}

TEST(Utf8Decode, InvalidByteIsOneCharacterThatKeepsItsValue) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        std::size_t length = 0;
        const char32_t cp = utf8::Decode(text, 0, length);
        EXPECT_EQ(cp, static_cast<char32_t>(0xDC00 + byte)) << byte;
        EXPECT_EQ(length, 1u) << byte;
        EXPECT_EQ(Encoded(cp), text) << byte;
    }
}

TEST(Utf8Decode, BrokenSequenceGivesOneCharacterPerByte) {
    // A lead byte followed by a byte that does not continue it.
    const std::string text = "\xE2\x82"
                             "A\xC3"
                             "B";
    std::size_t length = 0;
    EXPECT_EQ(utf8::Decode(text, 0, length), char32_t{0xDCE2});
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(utf8::Decode(text, 1, length), char32_t{0xDC82});
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(utf8::Decode(text, 2, length), char32_t{'A'});
    EXPECT_EQ(utf8::Decode(text, 3, length), char32_t{0xDCC3});
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(utf8::CountChars(text), 5u);
}

TEST(Utf8Decode, TruncatedSequenceAtTheEndIsNotReadPastTheEnd) {
    // The view ends inside a sequence whose remaining bytes do lie in memory
    // after it: they must not be used.
    const std::string buffer = "a\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::string_view euroCut = std::string_view(buffer).substr(0, 3); // "a" E2 82
    EXPECT_EQ(utf8::CountChars(euroCut), 3u);
    std::size_t length = 0;
    EXPECT_EQ(utf8::Decode(euroCut, 1, length), char32_t{0xDCE2});
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(utf8::Decode(euroCut, 2, length), char32_t{0xDC82});
    EXPECT_EQ(length, 1u);
    EXPECT_FALSE(utf8::IsValid(euroCut));

    const std::string_view smileCut = std::string_view(buffer).substr(4, 3); // F0 9F 98
    EXPECT_EQ(utf8::CountChars(smileCut), 3u);
    EXPECT_EQ(utf8::Decode(smileCut, 0, length), char32_t{0xDCF0});
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(Rebuild(smileCut), std::string(smileCut));

    const std::string_view twoByteCut = std::string_view("\xC3\xA9", 1);
    EXPECT_EQ(utf8::Decode(twoByteCut, 0, length), char32_t{0xDCC3});
    EXPECT_EQ(length, 1u);
}

TEST(Utf8Decode, OverlongEncodingsAndSurrogatesAreInvalid) {
    const std::vector<std::string> invalid = {
        "\xC0\x80",         "\xC1\xBF",         "\xE0\x80\x80",     "\xE0\x9F\xBF",
        "\xF0\x80\x80\x80", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80",     "\xED\xBF\xBF",
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF8\x88\x80\x80", "\xFF\xBF",
    };
    for (const auto& text : invalid) {
        EXPECT_FALSE(utf8::IsValid(text)) << testing::PrintToString(text);
        EXPECT_EQ(utf8::CountChars(text), text.size()) << testing::PrintToString(text);
        std::size_t length = 0;
        const char32_t cp = utf8::Decode(text, 0, length);
        EXPECT_EQ(length, 1u);
        EXPECT_EQ(cp, static_cast<char32_t>(0xDC00 + static_cast<unsigned char>(text[0])));
        EXPECT_EQ(Rebuild(text), text);
    }
}

TEST(Utf8Decode, RoundTripOfEveryOneAndTwoByteString) {
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        ASSERT_EQ(Rebuild(one), one) << a;
        for (int b = 0; b < 256; ++b) {
            std::string two = one;
            two.push_back(static_cast<char>(b));
            ASSERT_EQ(Rebuild(two), two) << a << " " << b;
        }
    }
}

TEST(Utf8Decode, RoundTripOfLongerStringsOfCriticalBytes) {
    // Every string of up to four bytes made of the bytes where the rules
    // change: ASCII, continuation limits, lead limits, never-valid bytes.
    constexpr std::array<unsigned char, 20> bytes = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F,
                                                     0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0,
                                                     0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    std::size_t checked = 0;
    for (const auto a : bytes) {
        for (const auto b : bytes) {
            for (const auto c : bytes) {
                for (const auto d : bytes) {
                    const std::string text = {static_cast<char>(a), static_cast<char>(b),
                                              static_cast<char>(c), static_cast<char>(d)};
                    ASSERT_EQ(Rebuild(text), text);
                    // Offsets of characters are exactly the walk of CharLength.
                    std::size_t pos = 0;
                    const std::size_t count = utf8::CountChars(text);
                    for (std::size_t index = 0; index < count; ++index) {
                        ASSERT_EQ(utf8::OffsetOfChar(text, index), pos);
                        pos += utf8::CharLength(text, pos);
                    }
                    ASSERT_EQ(pos, text.size());
                    ASSERT_EQ(utf8::OffsetOfChar(text, count), text.size());
                    ++checked;
                }
            }
        }
    }
    EXPECT_EQ(checked, 20u * 20u * 20u * 20u);
}

TEST(Utf8Encode, AppendAddsToExistingText) {
    std::string out = "x";
    utf8::Append(out, U'é');
    utf8::Append(out, U'€');
    utf8::Append(out, 0xDCFF);
    EXPECT_EQ(out, "x\xC3\xA9\xE2\x82\xAC\xFF");
}

// ---------------------------------------------------------------------------
// Counting and positions

TEST(Utf8Count, CountsCodePointsAndInvalidBytes) {
    EXPECT_EQ(utf8::CountChars(""), 0u);
    EXPECT_EQ(utf8::CountChars("abc"), 3u);
    EXPECT_EQ(utf8::CountChars("h\xC3\xA9llo"), 5u);                         // héllo
    EXPECT_EQ(utf8::CountChars("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"), 3u); // 日本語
    EXPECT_EQ(utf8::CountChars("a\xFF"
                               "b"),
              3u);
    EXPECT_EQ(utf8::CountChars("\xF0\x9F\x98\x80!"), 2u);
}

TEST(Utf8Count, OffsetOfCharNeverSplitsASequence) {
    const std::string text = "h\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"; // h é € 😀 z
    EXPECT_EQ(utf8::OffsetOfChar(text, 0), 0u);
    EXPECT_EQ(utf8::OffsetOfChar(text, 1), 1u);
    EXPECT_EQ(utf8::OffsetOfChar(text, 2), 3u);
    EXPECT_EQ(utf8::OffsetOfChar(text, 3), 6u);
    EXPECT_EQ(utf8::OffsetOfChar(text, 4), 10u);
    EXPECT_EQ(utf8::OffsetOfChar(text, 5), 11u);
    EXPECT_EQ(utf8::OffsetOfChar(text, 6), 11u);
    EXPECT_EQ(utf8::OffsetOfChar(text, 1000), 11u);
    EXPECT_EQ(utf8::OffsetOfChar("", 3), 0u);
}

TEST(Utf8Count, IsValidAcceptsOnlyWellFormedText) {
    EXPECT_TRUE(utf8::IsValid(""));
    EXPECT_TRUE(utf8::IsValid("plain ascii"));
    EXPECT_TRUE(utf8::IsValid("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_TRUE(utf8::IsValid(std::string_view("a\0b", 3)));
    EXPECT_FALSE(utf8::IsValid("caf\xE9")); // Windows-1252 é
    EXPECT_FALSE(utf8::IsValid("\x80"));
    EXPECT_FALSE(utf8::IsValid("ok\xC3"));
}

// ---------------------------------------------------------------------------
// Case folding

TEST(Utf8FoldCase, AsciiLettersFoldAndEverythingElseStays) {
    for (char32_t c = 0; c < 0x80; ++c) {
        const char32_t expected = (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
        EXPECT_EQ(utf8::FoldCase(c), expected) << static_cast<unsigned>(c);
    }
}

TEST(Utf8FoldCase, Latin1) {
    EXPECT_EQ(utf8::FoldCase(U'É'), U'é');
    EXPECT_EQ(utf8::FoldCase(U'À'), U'à');
    EXPECT_EQ(utf8::FoldCase(U'Ñ'), U'ñ');
    EXPECT_EQ(utf8::FoldCase(U'Ø'), U'ø');
    EXPECT_EQ(utf8::FoldCase(U'Þ'), U'þ');
    EXPECT_EQ(utf8::FoldCase(U'Ÿ'), U'ÿ');
    EXPECT_EQ(utf8::FoldCase(U'é'), U'é');
    EXPECT_EQ(utf8::FoldCase(U'ÿ'), U'ÿ');
    EXPECT_EQ(utf8::FoldCase(U'×'), U'×');
    EXPECT_EQ(utf8::FoldCase(U'÷'), U'÷');
    EXPECT_EQ(utf8::FoldCase(U'ß'), U'ß');
    EXPECT_EQ(utf8::FoldCase(U'©'), U'©');
}

TEST(Utf8FoldCase, LatinExtendedA) {
    EXPECT_EQ(utf8::FoldCase(U'Ā'), U'ā');
    EXPECT_EQ(utf8::FoldCase(U'Č'), U'č');
    EXPECT_EQ(utf8::FoldCase(U'Ĺ'), U'ĺ');
    EXPECT_EQ(utf8::FoldCase(U'Ł'), U'ł');
    EXPECT_EQ(utf8::FoldCase(U'Ň'), U'ň');
    EXPECT_EQ(utf8::FoldCase(U'Ő'), U'ő');
    EXPECT_EQ(utf8::FoldCase(U'Š'), U'š');
    EXPECT_EQ(utf8::FoldCase(U'Ź'), U'ź');
    EXPECT_EQ(utf8::FoldCase(U'Ž'), U'ž');
    EXPECT_EQ(utf8::FoldCase(U'ā'), U'ā');
    EXPECT_EQ(utf8::FoldCase(U'ł'), U'ł');
    EXPECT_EQ(utf8::FoldCase(U'ž'), U'ž');
    EXPECT_EQ(utf8::FoldCase(U'ĸ'), U'ĸ');
    // Dotted capital I and dotless small i are not a case pair.
    EXPECT_EQ(utf8::FoldCase(U'İ'), U'İ');
    EXPECT_EQ(utf8::FoldCase(U'ı'), U'ı');
    EXPECT_EQ(utf8::FoldCase(U'ſ'), U's');
}

TEST(Utf8FoldCase, Greek) {
    EXPECT_EQ(utf8::FoldCase(U'Α'), U'α');
    EXPECT_EQ(utf8::FoldCase(U'Ω'), U'ω');
    EXPECT_EQ(utf8::FoldCase(U'Σ'), U'σ');
    EXPECT_EQ(utf8::FoldCase(U'ς'), U'σ');
    EXPECT_EQ(utf8::FoldCase(U'Ϊ'), U'ϊ');
    EXPECT_EQ(utf8::FoldCase(U'Ά'), U'ά');
    EXPECT_EQ(utf8::FoldCase(U'Έ'), U'έ');
    EXPECT_EQ(utf8::FoldCase(U'Ή'), U'ή');
    EXPECT_EQ(utf8::FoldCase(U'Ί'), U'ί');
    EXPECT_EQ(utf8::FoldCase(U'Ό'), U'ό');
    EXPECT_EQ(utf8::FoldCase(U'Ύ'), U'ύ');
    EXPECT_EQ(utf8::FoldCase(U'Ώ'), U'ώ');
    EXPECT_EQ(utf8::FoldCase(U'α'), U'α');
    EXPECT_EQ(utf8::FoldCase(U'ώ'), U'ώ');
}

TEST(Utf8FoldCase, Cyrillic) {
    EXPECT_EQ(utf8::FoldCase(U'А'), U'а');
    EXPECT_EQ(utf8::FoldCase(U'Я'), U'я');
    EXPECT_EQ(utf8::FoldCase(U'Ѐ'), U'ѐ');
    EXPECT_EQ(utf8::FoldCase(U'Ё'), U'ё');
    EXPECT_EQ(utf8::FoldCase(U'Џ'), U'џ');
    EXPECT_EQ(utf8::FoldCase(U'Ґ'), U'ґ');
    EXPECT_EQ(utf8::FoldCase(U'Ѡ'), U'ѡ');
    EXPECT_EQ(utf8::FoldCase(U'Ӂ'), U'ӂ');
    EXPECT_EQ(utf8::FoldCase(U'Ӎ'), U'ӎ');
    EXPECT_EQ(utf8::FoldCase(U'Ӏ'), U'ӏ');
    EXPECT_EQ(utf8::FoldCase(U'Ӑ'), U'ӑ');
    EXPECT_EQ(utf8::FoldCase(U'а'), U'а');
    EXPECT_EQ(utf8::FoldCase(U'ё'), U'ё');
    EXPECT_EQ(utf8::FoldCase(U'ӂ'), U'ӂ');
}

TEST(Utf8FoldCase, RawBytesAndOtherScriptsStay) {
    EXPECT_EQ(utf8::FoldCase(0xDCC9), char32_t{0xDCC9});
    EXPECT_EQ(utf8::FoldCase(0xDCFF), char32_t{0xDCFF});
    EXPECT_EQ(utf8::FoldCase(U'日'), U'日');
    EXPECT_EQ(utf8::FoldCase(U'€'), U'€');
    EXPECT_EQ(utf8::FoldCase(0x1F600), char32_t{0x1F600});
}
