#include "platform/Wildcard.h"

#include <gtest/gtest.h>

#include <string>

using platform::MatchWildcard;

// ---------------------------------------------------------------------------
// Stars

TEST(WildcardStar, StarDotStarMatchesNamesWithAndWithoutDot) {
    EXPECT_TRUE(MatchWildcard("*.*", "photo.jpg"));
    EXPECT_TRUE(MatchWildcard("*.*", "archive.tar.gz"));
    EXPECT_TRUE(MatchWildcard("*.*", "README"));
    EXPECT_TRUE(MatchWildcard("*.*", ".profile"));
    EXPECT_TRUE(MatchWildcard("*.*", "trailing."));
    EXPECT_TRUE(MatchWildcard("*.*", ""));
}

TEST(WildcardStar, StarMatchesAnyRunIncludingDots) {
    EXPECT_TRUE(MatchWildcard("*", "a.b.c"));
    EXPECT_TRUE(MatchWildcard("*", "no dot at all"));
    EXPECT_TRUE(MatchWildcard("*", ""));
    EXPECT_TRUE(MatchWildcard("a*", "a.b.c"));
    EXPECT_TRUE(MatchWildcard("*c", "a.b.c"));
    EXPECT_TRUE(MatchWildcard("a*c", "a..c"));
}

TEST(WildcardStar, ExtensionPattern) {
    EXPECT_TRUE(MatchWildcard("*.jpg", "photo.jpg"));
    EXPECT_TRUE(MatchWildcard("*.jpg", "a.b.jpg"));
    EXPECT_TRUE(MatchWildcard("*.jpg", ".jpg"));
    EXPECT_TRUE(MatchWildcard("*.jpg", "photo.jpg.jpg"));
    EXPECT_FALSE(MatchWildcard("*.jpg", "photo.jpeg"));
    EXPECT_FALSE(MatchWildcard("*.jpg", "photo.jpg.bak"));
    EXPECT_FALSE(MatchWildcard("*.jpg", "photojpg"));
    EXPECT_FALSE(MatchWildcard("*.jpg", "jpg"));
}

TEST(WildcardStar, SeveralStars) {
    EXPECT_TRUE(MatchWildcard("a*b*c", "abc"));
    EXPECT_TRUE(MatchWildcard("a*b*c", "aXbYc"));
    EXPECT_TRUE(MatchWildcard("a*b*c", "abbc"));
    EXPECT_TRUE(MatchWildcard("a*b*c", "acbc"));
    EXPECT_TRUE(MatchWildcard("a*b*c", "ab.c.c"));
    EXPECT_FALSE(MatchWildcard("a*b*c", "acb"));
    EXPECT_FALSE(MatchWildcard("a*b*c", "ab"));
    EXPECT_FALSE(MatchWildcard("a*b*c", "bac"));
    EXPECT_FALSE(MatchWildcard("a*b*c", "abcd"));
}

TEST(WildcardStar, LeadingStar) {
    EXPECT_TRUE(MatchWildcard("*a", "a"));
    EXPECT_TRUE(MatchWildcard("*a", "bba"));
    EXPECT_TRUE(MatchWildcard("*a", "aaa"));
    EXPECT_FALSE(MatchWildcard("*a", "ab"));
    EXPECT_FALSE(MatchWildcard("*a", ""));
}

TEST(WildcardStar, TrailingStarsMatchTheEmptyRest) {
    EXPECT_TRUE(MatchWildcard("abc*", "abc"));
    EXPECT_TRUE(MatchWildcard("abc**", "abc"));
    EXPECT_TRUE(MatchWildcard("abc***", "abcdef"));
    EXPECT_TRUE(MatchWildcard("a**c", "abbbc"));
    EXPECT_FALSE(MatchWildcard("abc*", "ab"));
    EXPECT_FALSE(MatchWildcard("abc*?", "abc"));
    EXPECT_TRUE(MatchWildcard("abc*?", "abcd"));
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
    EXPECT_TRUE(MatchWildcard("img??.png", "img01.png"));
    EXPECT_TRUE(MatchWildcard("img??.png", "IMG.A.png"));
    EXPECT_FALSE(MatchWildcard("img??.png", "img1.png"));
    EXPECT_FALSE(MatchWildcard("img??.png", "img001.png"));
    EXPECT_TRUE(MatchWildcard("?", "x"));
    EXPECT_FALSE(MatchWildcard("?", ""));
    EXPECT_FALSE(MatchWildcard("?", "xy"));
    EXPECT_TRUE(MatchWildcard("???", "a.b"));
}

TEST(WildcardQuestion, MatchesOneMultiByteCharacter) {
    EXPECT_TRUE(MatchWildcard("?", "\xC3\xA9"));         // é
    EXPECT_TRUE(MatchWildcard("?", "\xE2\x82\xAC"));     // €
    EXPECT_TRUE(MatchWildcard("?", "\xF0\x9F\x98\x80")); // 😀
    EXPECT_FALSE(MatchWildcard("??", "\xC3\xA9"));
    EXPECT_TRUE(MatchWildcard("caf?.txt", "caf\xC3\xA9.txt"));
    EXPECT_TRUE(MatchWildcard("?t?", "\xC3\xA9t\xC3\xA9")); // été
    EXPECT_FALSE(MatchWildcard("caf??.txt", "caf\xC3\xA9.txt"));
}

TEST(WildcardQuestion, MatchesOneInvalidByte) {
    EXPECT_TRUE(MatchWildcard("caf?.txt", "caf\xE9.txt"));
    EXPECT_TRUE(MatchWildcard("??", "\xFF\xFE"));
    EXPECT_FALSE(MatchWildcard("?", "\xFF\xFE"));
    EXPECT_TRUE(MatchWildcard("caf\xE9.*", "caf\xE9.txt"));
    EXPECT_FALSE(MatchWildcard("caf\xE9.*", "caf\xC3\xA9.txt"));
}

// ---------------------------------------------------------------------------
// Case and literal characters

TEST(WildcardCase, AsciiIgnoresCase) {
    EXPECT_TRUE(MatchWildcard("*.JPG", "photo.jpg"));
    EXPECT_TRUE(MatchWildcard("*.jpg", "PHOTO.JPG"));
    EXPECT_TRUE(MatchWildcard("ReadMe.TXT", "readme.txt"));
    EXPECT_FALSE(MatchWildcard("readme.txt", "readme.txf"));
}

TEST(WildcardCase, AccentedAndNonLatinLettersIgnoreCase) {
    EXPECT_TRUE(MatchWildcard("\xC3\x89*", "\xC3\xA9t\xC3\xA9"));                 // É* / été
    EXPECT_TRUE(MatchWildcard("\xC3\x89T\xC3\x89.TXT", "\xC3\xA9t\xC3\xA9.txt")); // ÉTÉ.TXT
    EXPECT_TRUE(MatchWildcard("\xCE\x91\xCE\x92\xCE\x93", "\xCE\xB1\xCE\xB2\xCE\xB3")); // ΑΒΓ / αβγ
    EXPECT_TRUE(MatchWildcard("\xD0\x9C\xD0\x98\xD0\xA0*", "\xD0\xBC\xD0\xB8\xD1\x80.txt")); // МИР*
    EXPECT_TRUE(MatchWildcard("\xC5\xBD*", "\xC5\xBE"
                                           "ena")); // Ž* / žena
    EXPECT_TRUE(MatchWildcard("\xCE\x9F\xCE\x94\xCE\x8C\xCE\xA3.*",
                              "\xCE\xBF\xCE\xB4\xCF\x8C\xCF\x82.txt")); // ΟΔΌΣ / οδός
    EXPECT_FALSE(MatchWildcard("\xC4\xB0*", "\xC4\xB1"));               // İ is not ı
    EXPECT_FALSE(MatchWildcard("\xC3\x89*", "e"));                      // É is not e
    EXPECT_FALSE(MatchWildcard("\xC3\x89*", "\xC3\xA8"));               // É is not è
}

TEST(WildcardCase, OtherCharactersAreLiteral) {
    EXPECT_TRUE(MatchWildcard("[abc].txt", "[abc].txt"));
    EXPECT_FALSE(MatchWildcard("[abc].txt", "a.txt"));
    EXPECT_TRUE(MatchWildcard("a+b (1).txt", "A+B (1).TXT"));
    EXPECT_FALSE(MatchWildcard("a.txt", "abtxt"));
}

TEST(WildcardCase, EmptyNameAndEmptyPattern) {
    EXPECT_TRUE(MatchWildcard("", ""));
    EXPECT_FALSE(MatchWildcard("", "a"));
    EXPECT_FALSE(MatchWildcard("a", ""));
    EXPECT_TRUE(MatchWildcard("**", ""));
    EXPECT_FALSE(MatchWildcard("*.jpg", ""));
}
