// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252 text as UTF-8: every one of the 256 bytes, checked against
// the code page's table as the INI reader and the ID3v1 reader have always
// converted it.
#include "platform/Windows1252.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

/// The code points of 0x80-0x9F. The five bytes the code page leaves free
/// (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their own code points.
constexpr std::array<char32_t, 32> kHighCodePoints = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

/// The code point of one byte: below 0x80 and from 0xA0 on its own value.
char32_t CodePointOf(unsigned byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighCodePoints[byte - 0x80] : byte;
}

std::string Utf8Of(char32_t codePoint) {
    std::string text;
    utf8::Append(text, codePoint);
    return text;
}

TEST(Windows1252Test, EveryByteAlone) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(platform::Windows1252ToUtf8(std::string(1, static_cast<char>(byte))),
                  Utf8Of(CodePointOf(byte)));
    }
}

TEST(Windows1252Test, SomeBytesByTheirCharacters) {
    EXPECT_EQ(platform::Windows1252ToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(platform::Windows1252ToUtf8("\x93x\x94 \x96 \x9F \xFF"),
              "\xE2\x80\x9Cx\xE2\x80\x9D \xE2\x80\x93 \xC5\xB8 \xC3\xBF");
    EXPECT_EQ(platform::Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"),
              "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(Windows1252Test, AllBytesInOneTextAndAnEmptyText) {
    std::string bytes;
    std::string expected;
    for (unsigned byte = 0; byte < 256; ++byte) {
        bytes.push_back(static_cast<char>(byte));
        expected += Utf8Of(CodePointOf(byte));
    }
    EXPECT_EQ(platform::Windows1252ToUtf8(bytes), expected);
    EXPECT_EQ(platform::Windows1252ToUtf8(""), "");
}

TEST(Windows1252Test, ALongTextConvertsWhole) {
    // Over a megabyte, with characters of three UTF-8 bytes at every place.
    std::string bytes;
    std::string expected;
    for (int i = 0; i < 300000; ++i) {
        bytes += "a\x80\xE9\x99";
        expected += "a\xE2\x82\xAC\xC3\xA9\xE2\x84\xA2";
    }
    const std::string text = platform::Windows1252ToUtf8(bytes);
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
}

} // namespace
