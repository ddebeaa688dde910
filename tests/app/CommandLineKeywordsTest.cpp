// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLineKeywords.h"

#include <gtest/gtest.h>

#include <random>

namespace {

CCommandLineKeywords Parsed(const std::string& text) {
    CCommandLineKeywords keywords;
    keywords.Parse(text);
    return keywords;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs PairsOf(const CCommandLineKeywords& keywords) {
    Pairs pairs;
    for (std::size_t i = 0; i < keywords.GetKeys().size(); ++i) {
        pairs.emplace_back(keywords.GetKeys()[i], keywords.GetValues()[i]);
    }
    return pairs;
}

} // namespace

TEST(CommandLineSplitting, EmptyOrBlankLineGivesNoKeywords) {
    EXPECT_TRUE(Parsed("").GetKeys().empty());
    EXPECT_TRUE(Parsed("    \t ").GetKeys().empty());
    EXPECT_EQ(Parsed("  \t").GetRawCommandLine(), "  \t");
}

TEST(CommandLineSplitting, KeysAreUpperCasedValuesKeptAsTyped) {
    const auto keywords = Parsed("path=/Photos/2004 Filter=*.JPG");
    EXPECT_EQ(PairsOf(keywords), (Pairs{{"PATH", "/Photos/2004"}, {"FILTER", "*.JPG"}}));
}

TEST(CommandLineSplitting, QuotedValueKeepsItsBlanksWithoutTheQuotes) {
    const auto keywords = Parsed("rename=1 path=\"/my photos/2004\" PAUSE=0");
    EXPECT_EQ(keywords.GetRename(), "1");
    EXPECT_EQ(keywords.GetPath(), "/my photos/2004");
    EXPECT_EQ(keywords.GetPause(), "0");
}

TEST(CommandLineSplitting, BlanksAroundTheEqualsSignAreSkipped) {
    EXPECT_EQ(PairsOf(Parsed("rename = 1")), (Pairs{{"RENAME", "1"}}));
    EXPECT_EQ(PairsOf(Parsed("PATH=   \"/a b\"  FILTER=  *.x")),
              (Pairs{{"PATH", "/a b"}, {"FILTER", "*.x"}}));
}

TEST(CommandLineSplitting, UnclosedQuoteStopsParsingAndDropsTheKey) {
    const auto keywords = Parsed("FILTER=*.jpg PATH=\"/my photos RECURSIVE=1");
    EXPECT_EQ(PairsOf(keywords), (Pairs{{"FILTER", "*.jpg"}}));
    EXPECT_EQ(keywords.GetPath(), "");
    EXPECT_FALSE(keywords.GetRecursive());
}

TEST(CommandLineSplitting, EqualsSignAtTheEndStopsParsing) {
    const auto keywords = Parsed("PATH=/x FILTER=");
    EXPECT_EQ(PairsOf(keywords), (Pairs{{"PATH", "/x"}}));
    EXPECT_EQ(keywords.GetFilter(), "");
    EXPECT_EQ(PairsOf(Parsed("FILTER=    ")), Pairs{});
}

TEST(CommandLineSplitting, EqualsInsideAValueStartsNoKeyword) {
    EXPECT_EQ(PairsOf(Parsed("FILTER=a=b PATH=/x")), (Pairs{{"FILTER", "a=b"}, {"PATH", "/x"}}));
    // An "=" that is the value's last character is found again as the next
    // keyword's equals sign, with the value itself as its key.
    EXPECT_EQ(PairsOf(Parsed("FILTER=ab= c")), (Pairs{{"FILTER", "ab="}, {"FILTER=AB", "c"}}));
}

TEST(CommandLineSplitting, BareWordsAreIgnored) {
    EXPECT_EQ(PairsOf(Parsed("/some/folder hello PATH=/x world")), (Pairs{{"PATH", "/x"}}));
    EXPECT_TRUE(Parsed("/some/folder").GetKeys().empty());
}

TEST(CommandLineSplitting, RootFolderValueKeepsItsSlash) {
    EXPECT_EQ(Parsed("PATH=\"/\"").GetPath(), "/");
    EXPECT_EQ(Parsed("PATH=\"/media/usb/\"").GetPath(), "/media/usb/");
}

TEST(CommandLineKeywordValues, FirstOccurrenceWinsAndLaterOnesAreReachable) {
    const auto keywords = Parsed("PATH=/first path=/second");
    EXPECT_EQ(keywords.GetPath(), "/first");
    std::string value;
    EXPECT_TRUE(keywords.GetValue("Path", 2, value));
    EXPECT_EQ(value, "/second");
    EXPECT_FALSE(keywords.GetValue("PATH", 3, value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(keywords.GetValue("UNDOFILE", 1, value));
}

TEST(CommandLineKeywordValues, RecursiveAndRenameCountOnlyExactlyOne) {
    EXPECT_TRUE(Parsed("RECURSIVE=1").GetRecursive());
    EXPECT_FALSE(Parsed("RECURSIVE=01").GetRecursive());
    EXPECT_FALSE(Parsed("RECURSIVE=yes").GetRecursive());
    EXPECT_EQ(Parsed("RENAME=yes").GetRename(), "yes");
    EXPECT_EQ(Parsed("rename=01").GetRename(), "01");
}

TEST(CommandLineKeywordValues, ParseClearsEarlierKeywords) {
    CCommandLineKeywords keywords;
    keywords.Parse("PATH=/a");
    keywords.Parse("FILTER=*.b");
    EXPECT_EQ(keywords.GetPath(), "");
    EXPECT_EQ(keywords.GetFilter(), "*.b");
}

TEST(CommandLineArguments, JoinedTailQuotesValuesWithBlanks) {
    EXPECT_EQ(CCommandLineKeywords::JoinArguments({"PATH=/my photos", "RENAME=1"}),
              "PATH=\"/my photos\" RENAME=1");
    EXPECT_EQ(CCommandLineKeywords::JoinArguments({"rename", "=", "1"}), "rename = 1");
    EXPECT_EQ(CCommandLineKeywords::JoinArguments({}), "");
    const auto keywords =
        Parsed(CCommandLineKeywords::JoinArguments({"PATH=/my photos", "FILTER=*.jpg"}));
    EXPECT_EQ(keywords.GetPath(), "/my photos");
    EXPECT_EQ(keywords.GetFilter(), "*.jpg");
}

// The parser takes text from anyone: whatever the quotes, blanks and equals
// signs, it must stay inside its input (the sanitizer build checks that) and
// every value must be a piece of the input.
TEST(CommandLineRobustness, RandomLinesOfQuotesBlanksAndEqualsSigns) {
    std::mt19937 random(20261208);
    const std::string alphabet = "= \"\t aB1/";
    for (int round = 0; round < 20000; ++round) {
        std::string line(random() % 24, ' ');
        for (char& c : line) {
            c = alphabet[random() % alphabet.size()];
        }
        const auto keywords = Parsed(line);
        ASSERT_EQ(keywords.GetKeys().size(), keywords.GetValues().size()) << line;
        for (const std::string& value : keywords.GetValues()) {
            ASSERT_NE(line.find(value), std::string::npos) << line;
        }
    }
}
