// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/NameParts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

struct CSplit {
    std::string baseName;
    std::string extension;
};

CSplit Split(const std::string& longName) {
    CSplit result{"stale", "stale"};
    SplitName(longName, result.baseName, result.extension);
    return result;
}

using Pieces = std::vector<std::string>;

} // namespace

// ---------------------------------------------------------------------------
// SplitName: the long name is cut at its last dot.

TEST(SplitNameTest, CutsAtTheLastDot) {
    const CSplit split = Split("archive.tar.gz");
    EXPECT_EQ(split.baseName, "archive.tar");
    EXPECT_EQ(split.extension, "gz");
}

TEST(SplitNameTest, LeadingDotGivesAnEmptyBaseName) {
    const CSplit split = Split(".profile");
    EXPECT_EQ(split.baseName, "");
    EXPECT_EQ(split.extension, "profile");
}

TEST(SplitNameTest, TrailingDotGivesAnEmptyExtension) {
    const CSplit split = Split("name.");
    EXPECT_EQ(split.baseName, "name");
    EXPECT_EQ(split.extension, "");
}

TEST(SplitNameTest, NameWithoutDotIsAllBaseName) {
    const CSplit split = Split("README");
    EXPECT_EQ(split.baseName, "README");
    EXPECT_EQ(split.extension, "");
}

TEST(SplitNameTest, FolderNamesSplitTheSameWay) {
    const CSplit split = Split("Holiday.2004");
    EXPECT_EQ(split.baseName, "Holiday");
    EXPECT_EQ(split.extension, "2004");
}

TEST(SplitNameTest, EmptyNameGivesTwoEmptyParts) {
    const CSplit split = Split("");
    EXPECT_EQ(split.baseName, "");
    EXPECT_EQ(split.extension, "");
}

TEST(SplitNameTest, KeepsMultiByteAndInvalidBytes) {
    const CSplit accented = Split("na\xC3\xAFve.\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(accented.baseName, "na\xC3\xAFve");
    EXPECT_EQ(accented.extension, "\xC3\xA9t\xC3\xA9");
    const CSplit invalid = Split("bad\xFF.\xFE");
    EXPECT_EQ(invalid.baseName, "bad\xFF");
    EXPECT_EQ(invalid.extension, "\xFE");
}

// ---------------------------------------------------------------------------
// SplitMask: pieces up to the first empty one, not trimmed.

TEST(SplitMaskTest, TwoPieces) {
    EXPECT_EQ(SplitMask("*.jpg;*.png"), (Pieces{"*.jpg", "*.png"}));
}

TEST(SplitMaskTest, TrailingSemicolonAddsNothing) {
    EXPECT_EQ(SplitMask("*.jpg;"), (Pieces{"*.jpg"}));
}

TEST(SplitMaskTest, StopsAtTheFirstEmptyPiece) {
    EXPECT_EQ(SplitMask("*.jpg;;*.png"), (Pieces{"*.jpg"}));
}

TEST(SplitMaskTest, LeadingSemicolonGivesNothing) {
    EXPECT_EQ(SplitMask(";*.png"), Pieces{});
}

TEST(SplitMaskTest, EmptyMaskGivesNothing) {
    EXPECT_EQ(SplitMask(""), Pieces{});
}

TEST(SplitMaskTest, OnePieceWithoutSemicolon) {
    EXPECT_EQ(SplitMask("*.*"), (Pieces{"*.*"}));
}

TEST(SplitMaskTest, PiecesAreNotTrimmed) {
    EXPECT_EQ(SplitMask(" *.jpg ; *.png"), (Pieces{" *.jpg ", " *.png"}));
    // A blank piece is not empty, so splitting goes on past it.
    EXPECT_EQ(SplitMask("*.a; ;*.b"), (Pieces{"*.a", " ", "*.b"}));
}

TEST(SplitMaskTest, ManyPiecesInOrder) {
    EXPECT_EQ(SplitMask("a;b;c;d"), (Pieces{"a", "b", "c", "d"}));
}

// ---------------------------------------------------------------------------
// CompareNoCase: letters compared as lower case.

TEST(CompareNoCaseTest, EqualIgnoringCase) {
    EXPECT_EQ(CompareNoCase("Photo.JPG", "photo.jpg"), 0);
    EXPECT_EQ(CompareNoCase("", ""), 0);
}

TEST(CompareNoCaseTest, OrdersLettersAsLowerCase) {
    EXPECT_LT(CompareNoCase("apple", "Banana"), 0);
    EXPECT_GT(CompareNoCase("Banana", "apple"), 0);
    // "_" (0x5F) lies between "Z" and "a": as lower case "b" (0x62) is above it.
    EXPECT_GT(CompareNoCase("B", "_"), 0);
    EXPECT_LT(CompareNoCase("_", "b"), 0);
}

TEST(CompareNoCaseTest, ShorterPrefixComesFirst) {
    EXPECT_LT(CompareNoCase("abc", "ABCD"), 0);
    EXPECT_GT(CompareNoCase("abcd", "ABC"), 0);
    EXPECT_LT(CompareNoCase("", "a"), 0);
}

TEST(CompareNoCaseTest, BytesAboveAsciiCompareUnsigned) {
    EXPECT_GT(CompareNoCase("\xC3\xA9", "z"), 0);
    EXPECT_LT(CompareNoCase("z", "\xFF"), 0);
}

TEST(CompareNoCaseTest, DigitsAndPunctuationByByteValue) {
    EXPECT_LT(CompareNoCase("-1 x.txt", "0 c.txt"), 0);
    EXPECT_LT(CompareNoCase("10 a.txt", "9 a.txt"), 0);
}

// ---------------------------------------------------------------------------
// AttributeLetters: A R H S C E N O T.

TEST(AttributeLettersTest, NoBitsNoLetters) {
    EXPECT_EQ(AttributeLetters(0), "");
}

TEST(AttributeLettersTest, EachBitItsLetter) {
    EXPECT_EQ(AttributeLetters(0x20), "A");
    EXPECT_EQ(AttributeLetters(0x1), "R");
    EXPECT_EQ(AttributeLetters(0x2), "H");
    EXPECT_EQ(AttributeLetters(0x4), "S");
    EXPECT_EQ(AttributeLetters(0x800), "C");
    EXPECT_EQ(AttributeLetters(0x40), "E");
    EXPECT_EQ(AttributeLetters(0x80), "N");
    EXPECT_EQ(AttributeLetters(0x1000), "O");
    EXPECT_EQ(AttributeLetters(0x100), "T");
}

TEST(AttributeLettersTest, ArchiveAndReadOnly) {
    EXPECT_EQ(AttributeLetters(0x21), "AR");
}

TEST(AttributeLettersTest, HiddenReadOnlyArchive) {
    EXPECT_EQ(AttributeLetters(0x23), "ARH");
}

TEST(AttributeLettersTest, AllLettersInFixedOrder) {
    EXPECT_EQ(AttributeLetters(0x20 | 0x1 | 0x2 | 0x4 | 0x800 | 0x40 | 0x80 | 0x1000 | 0x100),
              "ARHSCENOT");
}

TEST(AttributeLettersTest, OtherBitsGiveNoLetter) {
    EXPECT_EQ(AttributeLetters(0x4000), "");
    EXPECT_EQ(AttributeLetters(0x10), "");  // folder
    EXPECT_EQ(AttributeLetters(0x400), ""); // symbolic link
    EXPECT_EQ(AttributeLetters(0x200 | 0x2000 | 0x8), "");
    EXPECT_EQ(AttributeLetters(0x4000 | 0x40 | 0x10 | 0x1), "RE");
}

// ---------------------------------------------------------------------------
// LeadingInteger.

TEST(LeadingIntegerTest, DigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(LeadingInteger("10 a.txt"), 10);
    EXPECT_EQ(LeadingInteger("007bond"), 7);
    EXPECT_EQ(LeadingInteger("12.5"), 12);
}

TEST(LeadingIntegerTest, LeadingBlanksSkipped) {
    EXPECT_EQ(LeadingInteger("   42abc"), 42);
}

TEST(LeadingIntegerTest, OptionalSign) {
    EXPECT_EQ(LeadingInteger("-1 x.txt"), -1);
    EXPECT_EQ(LeadingInteger("+8x"), 8);
    EXPECT_EQ(LeadingInteger("  -15"), -15);
}

TEST(LeadingIntegerTest, NoNumberGivesZero) {
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger("-"), 0);
    EXPECT_EQ(LeadingInteger("+x"), 0);
    EXPECT_EQ(LeadingInteger("   "), 0);
    EXPECT_EQ(LeadingInteger("--5"), 0);
    EXPECT_EQ(LeadingInteger("a12"), 0);
}

TEST(LeadingIntegerTest, OverflowHeldAtTheLimits) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(LeadingInteger("2147483647"), kMax);
    EXPECT_EQ(LeadingInteger("2147483648"), kMax);
    EXPECT_EQ(LeadingInteger("99999999999999999999999999"), kMax);
    EXPECT_EQ(LeadingInteger("-2147483648"), kMin);
    EXPECT_EQ(LeadingInteger("-2147483649"), kMin);
    EXPECT_EQ(LeadingInteger("-99999999999999999999999999 x"), kMin);
}
