// SPDX-License-Identifier: GPL-3.0-or-later
// The leading integer of a text, under the two rules for what comes before
// it: a name's number skips spaces only, a tag's track text skips all white
// space as the C library's atoi does.
#include "platform/LeadingInteger.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct CLeadingIntegerCase {
    std::string text;
    int32_t afterSpaces;     ///< LeadingInteger
    int32_t afterWhiteSpace; ///< LeadingIntegerAfterWhiteSpace
};

const CLeadingIntegerCase kCases[] = {
    // Digits up to the first other character.
    {"10 a.txt", 10, 10},
    {"007bond", 7, 7},
    {"12.5", 12, 12},
    {"3/12", 3, 3},
    {"0", 0, 0},
    // What comes before the sign.
    {"   42abc", 42, 42},
    {" 7 of 9", 7, 7},
    {"\t5", 0, 5},
    {"\n\v\f\r 6", 0, 6},
    {" \t8", 0, 8},
    {"\xA0"
     "9",
     0, 0}, // a no-break space is no blank
    // One optional sign.
    {"-1 x.txt", -1, -1},
    {"+8x", 8, 8},
    {"  -15", -15, -15},
    {"-0", 0, 0},
    {"- 5", 0, 0},
    // No number.
    {"", 0, 0},
    {"abc", 0, 0},
    {"-", 0, 0},
    {"+x", 0, 0},
    {"   ", 0, 0},
    {"\t\t", 0, 0},
    {"--5", 0, 0},
    {"+-5", 0, 0},
    {"-+5", 0, 0},
    {"a12", 0, 0},
    {"0x1F", 0, 0},
    {"٣", 0, 0}, // digits of other scripts are not read
    // Beyond 32 bits: held at the limits, however many digits follow.
    {"2147483647", kMax, kMax},
    {"2147483648", kMax, kMax},
    {"4294967296", kMax, kMax},
    {"99999999999999999999999999", kMax, kMax},
    {"-2147483647", -kMax, -kMax},
    {"-2147483648", kMin, kMin},
    {"-2147483649", kMin, kMin},
    {"-4294967296", kMin, kMin},
    {"-99999999999999999999999999 x", kMin, kMin},
    {"00000000000000000000000000012", 12, 12},
    {"\t99999999999999999999", 0, kMax},
};

TEST(LeadingIntegerTest, EveryCaseUnderBothRules) {
    for (const CLeadingIntegerCase& c : kCases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        EXPECT_EQ(platform::LeadingInteger(c.text), c.afterSpaces);
        EXPECT_EQ(platform::LeadingIntegerAfterWhiteSpace(c.text), c.afterWhiteSpace);
    }
}

TEST(LeadingIntegerTest, OnlyTheTextViewedIsRead) {
    // A view that ends inside a number reads no digit past its end.
    const std::string text = "12345";
    EXPECT_EQ(platform::LeadingInteger(std::string_view(text).substr(0, 2)), 12);
    EXPECT_EQ(platform::LeadingIntegerAfterWhiteSpace(std::string_view(text).substr(1, 3)), 234);
}

} // namespace
