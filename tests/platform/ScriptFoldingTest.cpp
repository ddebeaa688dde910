// SPDX-License-Identifier: GPL-3.0-or-later
// Case folding beyond the Latin, Greek and Cyrillic letters: masks and
// comparisons without case treat every script's capitals as they treat
// Latin ones.
#include "platform/Utf8.h"
#include "platform/Wildcard.h"

#include <gtest/gtest.h>

using platform::MatchWildcard;

TEST(ScriptFolding, CapitalsOfEveryScriptFoldToOneLetter) {
    EXPECT_EQ(utf8::FoldCase(U'Բ'), U'բ'); // Armenian
    EXPECT_EQ(utf8::FoldCase(U'բ'), U'բ');
    EXPECT_EQ(utf8::FoldCase(U'Ა'), U'ა'); // Georgian Mtavruli to Mkhedruli
    EXPECT_EQ(utf8::FoldCase(U'ა'), U'ა');
    EXPECT_EQ(utf8::FoldCase(U'ꭰ'), U'Ꭰ'); // Cherokee folds to its older capitals
    EXPECT_EQ(utf8::FoldCase(U'Ꭰ'), U'Ꭰ');
    EXPECT_EQ(utf8::FoldCase(U'Ⓐ'), U'ⓐ'); // circled letters
    EXPECT_EQ(utf8::FoldCase(U'𐐀'), U'𐐨'); // Deseret, beyond the first plane
}

// Letters whose folding is a matter of choice: one letter stays one letter,
// as Windows compares file names, so that "?" is one character whatever the
// case.
TEST(ScriptFolding, SpecialLettersFoldAsFileNamesCompare) {
    EXPECT_EQ(utf8::FoldCase(0x212A), U'k'); // the Kelvin sign is a K
    EXPECT_EQ(utf8::FoldCase(0x2126), U'ω'); // the Ohm sign is an omega
    EXPECT_EQ(utf8::FoldCase(U'µ'), U'μ');   // the micro sign is a mu
    EXPECT_EQ(utf8::FoldCase(U'ẞ'), U'ß');   // capital sharp s
    EXPECT_EQ(utf8::FoldCase(U'ß'), U'ß');   // never "ss"
    EXPECT_EQ(utf8::FoldCase(U'ς'), U'σ');   // final sigma
    EXPECT_EQ(utf8::FoldCase(U'İ'), U'İ');   // Turkish dotted capital I stays
    EXPECT_EQ(utf8::FoldCase(U'ı'), U'ı');   // and so does dotless small i
    EXPECT_EQ(utf8::FoldCase(U'I'), U'i');

    EXPECT_TRUE(utf8::EqualsIgnoringCase("STRAẞE", "straße"));
    EXPECT_FALSE(utf8::EqualsIgnoringCase("STRASSE", "straße"));
    EXPECT_TRUE(utf8::EqualsIgnoringCase("ΟΔΟΣ", "οδος")); // final sigma
    EXPECT_FALSE(utf8::EqualsIgnoringCase("ΟΔΟΣ", "οδoς"));
    EXPECT_FALSE(utf8::EqualsIgnoringCase("İstanbul", "istanbul"));
    // The Armenian ligature ech-yiwn is one letter; its capital form is two.
    EXPECT_EQ(utf8::FoldCase(U'և'), U'և');
    EXPECT_FALSE(utf8::EqualsIgnoringCase("ԲԱՐԵՒ", "բարև"));
    EXPECT_TRUE(utf8::EqualsIgnoringCase("\u212A\u2126", "kω"));
}

TEST(ScriptFolding, ComparisonsIgnoreCaseInEveryScript) {
    EXPECT_TRUE(utf8::EqualsIgnoringCase("Բարև", "բարև"));
    EXPECT_TRUE(utf8::EqualsIgnoringCase("ԲԱՐԵՎ", "բարեվ"));
    EXPECT_TRUE(utf8::EqualsIgnoringCase("ᲐᲑᲒ", "აბგ"));
    EXPECT_TRUE(utf8::EqualsIgnoringCase("ᎠᎡᎢ", "ꭰꭱꭲ"));
    EXPECT_FALSE(utf8::EqualsIgnoringCase("Բարև", "բարե"));
    EXPECT_FALSE(utf8::EqualsIgnoringCase("ᲐᲑᲒ", "აბდ"));
    EXPECT_FALSE(utf8::EqualsIgnoringCase("ᎠᎡᎢ", "ꭰꭱ"));
}

TEST(ScriptFolding, MasksMatchEveryScriptWithoutCase) {
    EXPECT_TRUE(MatchWildcard("բարև*", "Բարև.txt"));
    EXPECT_TRUE(MatchWildcard("ԲԱՐԵՎ.TXT", "բարեվ.txt"));
    EXPECT_TRUE(MatchWildcard("Բ?րև.*", "բարև.jpg"));
    EXPECT_FALSE(MatchWildcard("բարև*", "Գարև.txt"));

    EXPECT_TRUE(MatchWildcard("ᲐᲑᲒ*", "აბგ 1.txt"));
    EXPECT_TRUE(MatchWildcard("*ბგ.jpg", "ᲐᲑᲒ.JPG"));
    EXPECT_TRUE(MatchWildcard("?ᲑᲒ", "აბგ"));
    EXPECT_FALSE(MatchWildcard("ᲐᲑᲒ", "აბდ"));

    EXPECT_TRUE(MatchWildcard("ꭰꭱꭲ*", "ᎠᎡᎢ.txt"));
    EXPECT_TRUE(MatchWildcard("ᎠᎡᎢ.*", "ꭰꭱꭲ.txt"));
    EXPECT_TRUE(MatchWildcard("Ꭰ?Ꭲ", "ꭰꭱꭲ"));
    EXPECT_FALSE(MatchWildcard("ᎠᎡᎢ", "ꭰꭱꭲꭳ"));
}

TEST(ScriptFolding, AQuestionMarkIsOneLetterWhateverItsCase) {
    EXPECT_TRUE(MatchWildcard("Stra?e.txt", "STRAßE.TXT"));
    EXPECT_TRUE(MatchWildcard("Stra?e.txt", "STRAẞE.TXT"));
    EXPECT_TRUE(MatchWildcard("straße*", "STRAẞE.TXT"));
    EXPECT_FALSE(MatchWildcard("strasse*", "Straße.txt"));
    EXPECT_TRUE(MatchWildcard("?.txt", "\u212A.txt"));
    EXPECT_TRUE(MatchWildcard("k.txt", "\u212A.TXT"));
    EXPECT_TRUE(MatchWildcard("ΟΔΟΣ.*", "οδος.txt"));
    EXPECT_TRUE(MatchWildcard("*Σ.txt", "οδος.txt"));
    EXPECT_FALSE(MatchWildcard("i*", "İzmir.txt"));
    EXPECT_FALSE(MatchWildcard("I*", "ızgara.txt"));
}
