// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Wildcard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::MatchWildcard;

namespace {

constexpr bool kMatches = true;
constexpr bool kNoMatch = false;

/// A pattern, a name and whether the pattern matches the name.
struct CMatchCase {
    std::string pattern;
    std::string name;
    bool matches;
};

void ExpectMatches(const std::vector<CMatchCase>& cases) {
    for (const CMatchCase& c : cases) {
        SCOPED_TRACE("pattern \"" + c.pattern + "\", name \"" + c.name + "\"");
        EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.matches);
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Stars

TEST(WildcardStar, StarDotStarMatchesNamesWithAndWithoutDot) {
    ExpectMatches({
        {"*.*", "photo.jpg", kMatches},
        {"*.*", "archive.tar.gz", kMatches},
        {"*.*", "README", kMatches},
        {"*.*", ".profile", kMatches},
        {"*.*", "trailing.", kMatches},
        {"*.*", "", kMatches},
    });
}

TEST(WildcardStar, StarMatchesAnyRunIncludingDots) {
    ExpectMatches({
        {"*", "a.b.c", kMatches},
        {"*", "no dot at all", kMatches},
        {"*", "", kMatches},
        {"a*", "a.b.c", kMatches},
        {"*c", "a.b.c", kMatches},
        {"a*c", "a..c", kMatches},
    });
}

TEST(WildcardStar, ExtensionPattern) {
    ExpectMatches({
        {"*.jpg", "photo.jpg", kMatches},
        {"*.jpg", "a.b.jpg", kMatches},
        {"*.jpg", ".jpg", kMatches},
        {"*.jpg", "photo.jpg.jpg", kMatches},
        {"*.jpg", "photo.jpeg", kNoMatch},
        {"*.jpg", "photo.jpg.bak", kNoMatch},
        {"*.jpg", "photojpg", kNoMatch},
        {"*.jpg", "jpg", kNoMatch},
    });
}

TEST(WildcardStar, SeveralStars) {
    ExpectMatches({
        {"a*b*c", "abc", kMatches},
        {"a*b*c", "aXbYc", kMatches},
        {"a*b*c", "abbc", kMatches},
        {"a*b*c", "acbc", kMatches},
        {"a*b*c", "ab.c.c", kMatches},
        {"a*b*c", "acb", kNoMatch},
        {"a*b*c", "ab", kNoMatch},
        {"a*b*c", "bac", kNoMatch},
        {"a*b*c", "abcd", kNoMatch},
    });
}

TEST(WildcardStar, LeadingStar) {
    ExpectMatches({
        {"*a", "a", kMatches},
        {"*a", "bba", kMatches},
        {"*a", "aaa", kMatches},
        {"*a", "ab", kNoMatch},
        {"*a", "", kNoMatch},
    });
}

TEST(WildcardStar, TrailingStarsMatchTheEmptyRest) {
    ExpectMatches({
        {"abc*", "abc", kMatches},
        {"abc**", "abc", kMatches},
        {"abc***", "abcdef", kMatches},
        {"a**c", "abbbc", kMatches},
        {"abc*", "ab", kNoMatch},
        {"abc*?", "abc", kNoMatch},
        {"abc*?", "abcd", kMatches},
    });
}

TEST(WildcardStar, PathologicalPatternTerminates) {
    std::string pattern;
    for (int i = 0; i < 40; ++i) {
        pattern += "*a";
    }
    pattern += "*b";
    const std::string allA(20000, 'a');
    EXPECT_FALSE(MatchWildcard(pattern, allA));
    EXPECT_TRUE(MatchWildcard(pattern, allA + "b"));
    EXPECT_FALSE(MatchWildcard(pattern, std::string(39, 'a') + "b"));
    EXPECT_TRUE(MatchWildcard(pattern, std::string(40, 'a') + "b"));
}

// ---------------------------------------------------------------------------
// Question marks

TEST(WildcardQuestion, MatchesExactlyOneCharacter) {
    ExpectMatches({
        {"img??.png", "img01.png", kMatches},
        {"img??.png", "IMG.A.png", kMatches},
        {"img??.png", "img1.png", kNoMatch},
        {"img??.png", "img001.png", kNoMatch},
        {"?", "x", kMatches},
        {"?", "", kNoMatch},
        {"?", "xy", kNoMatch},
        {"???", "a.b", kMatches},
    });
}

TEST(WildcardQuestion, MatchesOneMultiByteCharacter) {
    ExpectMatches({
        {"?", "\xC3\xA9", kMatches},         // é
        {"?", "\xE2\x82\xAC", kMatches},     // €
        {"?", "\xF0\x9F\x98\x80", kMatches}, // 😀
        {"??", "\xC3\xA9", kNoMatch},
        {"caf?.txt", "caf\xC3\xA9.txt", kMatches},
        {"?t?", "\xC3\xA9t\xC3\xA9", kMatches}, // été
        {"caf??.txt", "caf\xC3\xA9.txt", kNoMatch},
    });
}

TEST(WildcardQuestion, MatchesOneInvalidByte) {
    ExpectMatches({
        {"caf?.txt", "caf\xE9.txt", kMatches},
        {"??", "\xFF\xFE", kMatches},
        {"?", "\xFF\xFE", kNoMatch},
        {"caf\xE9.*", "caf\xE9.txt", kMatches},
        {"caf\xE9.*", "caf\xC3\xA9.txt", kNoMatch},
    });
}

// ---------------------------------------------------------------------------
// Case and literal characters

TEST(WildcardCase, AsciiIgnoresCase) {
    ExpectMatches({
        {"*.JPG", "photo.jpg", kMatches},
        {"*.jpg", "PHOTO.JPG", kMatches},
        {"ReadMe.TXT", "readme.txt", kMatches},
        {"readme.txt", "readme.txf", kNoMatch},
    });
}

TEST(WildcardCase, AccentedAndNonLatinLettersIgnoreCase) {
    ExpectMatches({
        {"\xC3\x89*", "\xC3\xA9t\xC3\xA9", kMatches},                            // É* / été
        {"\xC3\x89T\xC3\x89.TXT", "\xC3\xA9t\xC3\xA9.txt", kMatches},            // ÉTÉ.TXT
        {"\xCE\x91\xCE\x92\xCE\x93", "\xCE\xB1\xCE\xB2\xCE\xB3", kMatches},      // ΑΒΓ / αβγ
        {"\xD0\x9C\xD0\x98\xD0\xA0*", "\xD0\xBC\xD0\xB8\xD1\x80.txt", kMatches}, // МИР*
        {"\xC5\xBD*",
         "\xC5\xBE"
         "ena",
         kMatches}, // Ž* / žena
        {"\xCE\x9F\xCE\x94\xCE\x8C\xCE\xA3.*", "\xCE\xBF\xCE\xB4\xCF\x8C\xCF\x82.txt",
         kMatches},                          // ΟΔΌΣ / οδός
        {"\xC4\xB0*", "\xC4\xB1", kNoMatch}, // İ is not ı
        {"\xC3\x89*", "e", kNoMatch},        // É is not e
        {"\xC3\x89*", "\xC3\xA8", kNoMatch}, // É is not è
    });
}

TEST(WildcardCase, OtherCharactersAreLiteral) {
    ExpectMatches({
        {"[abc].txt", "[abc].txt", kMatches},
        {"[abc].txt", "a.txt", kNoMatch},
        {"a+b (1).txt", "A+B (1).TXT", kMatches},
        {"a.txt", "abtxt", kNoMatch},
    });
}

TEST(WildcardCase, EmptyNameAndEmptyPattern) {
    ExpectMatches({
        {"", "", kMatches},
        {"", "a", kNoMatch},
        {"a", "", kNoMatch},
        {"**", "", kMatches},
        {"*.jpg", "", kNoMatch},
    });
}
