// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ExtendedFilter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using platform::CCalendarTime;

// 2004-05-01 00:00:00 UTC as a file time: (1083369600 s + 11644473600 s) in
// 100-ns ticks.
constexpr uint64_t kMay2004 = 127278432000000000ULL;
constexpr uint64_t kSecond = 10'000'000ULL;

CFindRecord Record(const std::string& name, uint32_t attributes = 0x80, uint64_t size = 0) {
    CFindRecord record;
    record.cFileName = name;
    record.dwFileAttributes = attributes;
    record.SetFileSize(size);
    record.ftCreationTime = kMay2004;
    record.ftLastWriteTime = kMay2004;
    record.ftLastAccessTime = kMay2004;
    return record;
}

// A candidate with the record's facts, as the scan would have fetched them.
CFileEntry Entry(const CFindRecord& record) {
    CFileEntry entry;
    entry.SetLongName(record.cFileName);
    entry.SetFacts(CEntryFacts{record.dwFileAttributes, record.FileSize(), record.ftCreationTime,
                               record.ftLastWriteTime, record.ftLastAccessTime});
    return entry;
}

CCalendarTime Calendar(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                       int milliseconds = 0) {
    CCalendarTime calendar;
    calendar.year = year;
    calendar.month = month;
    calendar.day = day;
    calendar.hour = hour;
    calendar.minute = minute;
    calendar.second = second;
    calendar.milliseconds = milliseconds;
    return calendar;
}

} // namespace

// ---------------------------------------------------------------------------
// The initial state.

TEST(ExtendedFilterInitialTest, HoldsTheDefaults) {
    const CExtendedFilter filter;
    EXPECT_TRUE(filter.GetShowSystem());
    EXPECT_TRUE(filter.GetShowHidden());
    EXPECT_TRUE(filter.GetShowReadOnly());
    EXPECT_EQ(filter.GetNameLengthMode(), CompareMode::Off);
    EXPECT_EQ(filter.GetNameLength(), 0u);
    EXPECT_EQ(filter.GetSizeMode(), CompareMode::Off);
    EXPECT_EQ(filter.GetSizeLimit(), 0);
    EXPECT_FALSE(filter.GetModifiedRange().enabled);
    EXPECT_FALSE(filter.GetCreatedRange().enabled);
    EXPECT_FALSE(filter.GetAccessedRange().enabled);
}

TEST(ExtendedFilterInitialTest, PassesEverything) {
    const CExtendedFilter filter;
    EXPECT_TRUE(filter.Passes(Entry(Record("plain.txt"))));
    EXPECT_TRUE(filter.Passes(Entry(Record(".hidden", 0x2 | 0x1 | 0x4 | 0x20, 1ULL << 40))));
    EXPECT_TRUE(filter.Passes(Entry(Record("folder", 0x10))));
    CFindRecord ancient = Record("");
    ancient.ftCreationTime = 0;
    ancient.ftLastWriteTime = 0;
    ancient.ftLastAccessTime = ~0ULL;
    EXPECT_TRUE(filter.Passes(Entry(ancient)));
}

// ---------------------------------------------------------------------------
// Attribute flags.

TEST(ExtendedFilterAttributeTest, SettersReportAChange) {
    CExtendedFilter filter;
    EXPECT_FALSE(filter.SetShowSystem(true));
    EXPECT_TRUE(filter.SetShowSystem(false));
    EXPECT_FALSE(filter.SetShowSystem(false));
    EXPECT_FALSE(filter.GetShowSystem());
    EXPECT_TRUE(filter.SetShowHidden(false));
    EXPECT_FALSE(filter.GetShowHidden());
    EXPECT_TRUE(filter.SetShowReadOnly(false));
    EXPECT_FALSE(filter.GetShowReadOnly());
    EXPECT_TRUE(filter.SetShowReadOnly(true));
    EXPECT_TRUE(filter.GetShowReadOnly());
}

TEST(ExtendedFilterAttributeTest, SystemOff) {
    CExtendedFilter filter;
    filter.SetShowSystem(false);
    EXPECT_FALSE(filter.Passes(Entry(Record("fifo", 0x4))));
    EXPECT_FALSE(filter.Passes(Entry(Record("fifo", 0x4 | 0x20))));
    EXPECT_TRUE(filter.Passes(Entry(Record(".h", 0x2))));
    EXPECT_TRUE(filter.Passes(Entry(Record("ro", 0x1))));
    EXPECT_TRUE(filter.Passes(Entry(Record("n", 0x80))));
}

TEST(ExtendedFilterAttributeTest, HiddenOff) {
    CExtendedFilter filter;
    filter.SetShowHidden(false);
    EXPECT_FALSE(filter.Passes(Entry(Record(".h", 0x2))));
    EXPECT_FALSE(filter.Passes(Entry(Record(".dir", 0x2 | 0x10))));
    EXPECT_TRUE(filter.Passes(Entry(Record("fifo", 0x4))));
    EXPECT_TRUE(filter.Passes(Entry(Record("ro", 0x1))));
}

TEST(ExtendedFilterAttributeTest, ReadOnlyOff) {
    CExtendedFilter filter;
    filter.SetShowReadOnly(false);
    EXPECT_FALSE(filter.Passes(Entry(Record("ro", 0x1))));
    EXPECT_FALSE(filter.Passes(Entry(Record(".ro", 0x1 | 0x2))));
    EXPECT_TRUE(filter.Passes(Entry(Record(".h", 0x2))));
    EXPECT_TRUE(filter.Passes(Entry(Record("link", 0x400))));
}

// ---------------------------------------------------------------------------
// Name length.

TEST(ExtendedFilterNameLengthTest, RefusesZeroAndAbove256AndStoresNothing) {
    CExtendedFilter filter;
    EXPECT_FALSE(filter.SetNameLength(CompareMode::Equal, 0));
    EXPECT_EQ(filter.GetNameLengthMode(), CompareMode::Off);
    EXPECT_EQ(filter.GetNameLength(), 0u);

    ASSERT_TRUE(filter.SetNameLength(CompareMode::Greater, 5));
    EXPECT_FALSE(filter.SetNameLength(CompareMode::Less, 257));
    EXPECT_FALSE(filter.SetNameLength(CompareMode::Equal, 0));
    EXPECT_EQ(filter.GetNameLengthMode(), CompareMode::Greater);
    EXPECT_EQ(filter.GetNameLength(), 5u);
}

TEST(ExtendedFilterNameLengthTest, AcceptsTheBoundsAndAnyLengthWhenOff) {
    CExtendedFilter filter;
    EXPECT_TRUE(filter.SetNameLength(CompareMode::Equal, 1));
    EXPECT_EQ(filter.GetNameLength(), 1u);
    EXPECT_TRUE(filter.SetNameLength(CompareMode::Less, 256));
    EXPECT_EQ(filter.GetNameLengthMode(), CompareMode::Less);
    EXPECT_EQ(filter.GetNameLength(), 256u);
    EXPECT_TRUE(filter.SetNameLength(CompareMode::Off, 300));
    EXPECT_EQ(filter.GetNameLengthMode(), CompareMode::Off);
    EXPECT_EQ(filter.GetNameLength(), 300u);
    EXPECT_TRUE(filter.Passes(Entry(Record("x"))));
    EXPECT_TRUE(filter.SetNameLength(CompareMode::Off, 0));
}

TEST(ExtendedFilterNameLengthTest, EqualCountsDotAndExtension) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetNameLength(CompareMode::Equal, 8));
    EXPECT_TRUE(filter.Passes(Entry(Record("abcd.txt"))));
    EXPECT_FALSE(filter.Passes(Entry(Record("abc.txt"))));
    EXPECT_FALSE(filter.Passes(Entry(Record("abcde.txt"))));
}

TEST(ExtendedFilterNameLengthTest, GreaterAndLess) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetNameLength(CompareMode::Greater, 7));
    EXPECT_TRUE(filter.Passes(Entry(Record("abcd.txt"))));
    EXPECT_FALSE(filter.Passes(Entry(Record("abc.txt"))));
    ASSERT_TRUE(filter.SetNameLength(CompareMode::Less, 8));
    EXPECT_TRUE(filter.Passes(Entry(Record("abc.txt"))));
    EXPECT_FALSE(filter.Passes(Entry(Record("abcd.txt"))));
}

TEST(ExtendedFilterNameLengthTest, CountsCharactersNotBytes) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetNameLength(CompareMode::Equal, 8));
    // Four two-byte letters: 12 bytes, 8 characters.
    EXPECT_TRUE(filter.Passes(Entry(Record("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.txt"))));
    // A byte that is not UTF-8 counts as one character.
    EXPECT_TRUE(filter.Passes(Entry(Record("\xFF"
                                           "bcd.txt"))));
    // A CJK character (3 bytes) and a 4-byte emoji count one each.
    EXPECT_TRUE(filter.Passes(Entry(Record("\xE6\x97\xA5\xF0\x9F\x98\x80"
                                           "ab.txt"))));
}

TEST(ExtendedFilterNameLengthTest, AppliesToFoldersToo) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetNameLength(CompareMode::Equal, 3));
    EXPECT_TRUE(filter.Passes(Entry(Record("abc", 0x10))));
    EXPECT_FALSE(filter.Passes(Entry(Record("abcd", 0x10))));
}

// ---------------------------------------------------------------------------
// Size.

TEST(ExtendedFilterSizeTest, RefusesANegativeSize) {
    CExtendedFilter filter;
    EXPECT_FALSE(filter.SetSize(CompareMode::Greater, -1));
    EXPECT_EQ(filter.GetSizeMode(), CompareMode::Off);
    EXPECT_EQ(filter.GetSizeLimit(), 0);
    ASSERT_TRUE(filter.SetSize(CompareMode::Less, 100));
    EXPECT_FALSE(filter.SetSize(CompareMode::Equal, -100));
    EXPECT_EQ(filter.GetSizeMode(), CompareMode::Less);
    EXPECT_EQ(filter.GetSizeLimit(), 100);
}

TEST(ExtendedFilterSizeTest, NegativeSizeAcceptedWhenOff) {
    CExtendedFilter filter;
    EXPECT_TRUE(filter.SetSize(CompareMode::Off, -5));
    EXPECT_EQ(filter.GetSizeMode(), CompareMode::Off);
    EXPECT_TRUE(filter.Passes(Entry(Record("a", 0x80, 0))));
    EXPECT_TRUE(filter.Passes(Entry(Record("a", 0x80, 1ULL << 62))));
}

TEST(ExtendedFilterSizeTest, GreaterThanOneKilobyte) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetSize(CompareMode::Greater, 1024));
    EXPECT_TRUE(filter.Passes(Entry(Record("a", 0x80, 1025))));
    EXPECT_FALSE(filter.Passes(Entry(Record("a", 0x80, 1024))));
    EXPECT_FALSE(filter.Passes(Entry(Record("a", 0x80, 0))));
}

TEST(ExtendedFilterSizeTest, LessAndEqual) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetSize(CompareMode::Less, 1024));
    EXPECT_TRUE(filter.Passes(Entry(Record("a", 0x80, 1023))));
    EXPECT_FALSE(filter.Passes(Entry(Record("a", 0x80, 1024))));
    ASSERT_TRUE(filter.SetSize(CompareMode::Equal, 1024));
    EXPECT_TRUE(filter.Passes(Entry(Record("a", 0x80, 1024))));
    EXPECT_FALSE(filter.Passes(Entry(Record("a", 0x80, 1025))));
}

TEST(ExtendedFilterSizeTest, UsesAllSixtyFourBits) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetSize(CompareMode::Greater, 4294967296LL));
    EXPECT_TRUE(filter.Passes(Entry(Record("big", 0x80, 4294967297ULL))));
    EXPECT_FALSE(filter.Passes(Entry(Record("big", 0x80, 4294967296ULL))));
    // Only the low half would be 1 here.
    ASSERT_TRUE(filter.SetSize(CompareMode::Equal, 1));
    EXPECT_FALSE(filter.Passes(Entry(Record("big", 0x80, 4294967297ULL))));
}

TEST(ExtendedFilterSizeTest, FoldersSkipTheSizeTest) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetSize(CompareMode::Greater, 1024));
    EXPECT_TRUE(filter.Passes(Entry(Record("backup.mp3", 0x10, 0))));
    ASSERT_TRUE(filter.SetSize(CompareMode::Equal, 7));
    EXPECT_TRUE(filter.Passes(Entry(Record("backup.mp3", 0x10, 4096))));
}

// ---------------------------------------------------------------------------
// Date ranges.

TEST(ExtendedFilterDateTest, StoresBoundsAsUnconvertedFileTimes) {
    CExtendedFilter filter;
    ASSERT_TRUE(
        filter.SetModifiedRange(true, Calendar(2004, 5, 1), Calendar(2004, 5, 1, 0, 0, 1, 500)));
    EXPECT_TRUE(filter.GetModifiedRange().enabled);
    EXPECT_EQ(filter.GetModifiedRange().from, kMay2004);
    EXPECT_EQ(filter.GetModifiedRange().to, kMay2004 + kSecond + kSecond / 2);
}

TEST(ExtendedFilterDateTest, EqualBoundsAdmitExactlyThatInstant) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetModifiedRange(true, Calendar(2004, 5, 1), Calendar(2004, 5, 1)));
    CFindRecord record = Record("a.jpg");
    record.ftLastWriteTime = kMay2004;
    EXPECT_TRUE(filter.Passes(Entry(record)));
    record.ftLastWriteTime = kMay2004 + 1;
    EXPECT_FALSE(filter.Passes(Entry(record)));
    record.ftLastWriteTime = kMay2004 - 1;
    EXPECT_FALSE(filter.Passes(Entry(record)));
}

TEST(ExtendedFilterDateTest, BothBoundsIncluded) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetModifiedRange(true, Calendar(2004, 5, 1), Calendar(2004, 5, 2)));
    CFindRecord record = Record("a.jpg");
    record.ftLastWriteTime = kMay2004;
    EXPECT_TRUE(filter.Passes(Entry(record)));
    record.ftLastWriteTime = kMay2004 + 86400 * kSecond;
    EXPECT_TRUE(filter.Passes(Entry(record)));
    record.ftLastWriteTime = kMay2004 + 86400 * kSecond + 1;
    EXPECT_FALSE(filter.Passes(Entry(record)));
}

TEST(ExtendedFilterDateTest, FromAfterToAdmitsNothing) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetModifiedRange(true, Calendar(2004, 5, 2), Calendar(2004, 5, 1)));
    CFindRecord record = Record("a.jpg");
    for (const uint64_t time : {kMay2004, kMay2004 + 43200 * kSecond, kMay2004 + 86400 * kSecond}) {
        record.ftLastWriteTime = time;
        EXPECT_FALSE(filter.Passes(Entry(record))) << time;
    }
    EXPECT_FALSE(filter.Passes(Entry(Record("folder", 0x10))));
}

TEST(ExtendedFilterDateTest, InvalidCalendarValueSwitchesTheRangeOff) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetModifiedRange(true, Calendar(2004, 5, 2), Calendar(2004, 5, 1)));
    ASSERT_FALSE(filter.Passes(Entry(Record("a.jpg"))));
    EXPECT_FALSE(filter.SetModifiedRange(true, Calendar(2004, 13, 1), Calendar(2004, 5, 1)));
    EXPECT_FALSE(filter.GetModifiedRange().enabled);
    EXPECT_TRUE(filter.Passes(Entry(Record("a.jpg"))));

    ASSERT_TRUE(filter.SetCreatedRange(true, Calendar(2004, 5, 2), Calendar(2004, 5, 1)));
    EXPECT_FALSE(filter.SetCreatedRange(true, Calendar(2004, 5, 1), Calendar(2004, 4, 31)));
    EXPECT_FALSE(filter.GetCreatedRange().enabled);

    ASSERT_TRUE(filter.SetAccessedRange(true, Calendar(2004, 5, 2), Calendar(2004, 5, 1)));
    EXPECT_FALSE(filter.SetAccessedRange(true, Calendar(1600, 12, 31), Calendar(2004, 5, 1)));
    EXPECT_FALSE(filter.GetAccessedRange().enabled);
    EXPECT_TRUE(filter.Passes(Entry(Record("a.jpg"))));
}

TEST(ExtendedFilterDateTest, DisabledRangeAdmitsEverything) {
    CExtendedFilter filter;
    EXPECT_TRUE(filter.SetModifiedRange(false, Calendar(2004, 5, 2), Calendar(2004, 5, 1)));
    EXPECT_FALSE(filter.GetModifiedRange().enabled);
    EXPECT_TRUE(filter.Passes(Entry(Record("a.jpg"))));
}

TEST(ExtendedFilterDateTest, EachRangeTestsItsOwnTime) {
    CFindRecord record = Record("a.jpg");
    record.ftLastWriteTime = kMay2004;
    record.ftCreationTime = kMay2004 + 10 * kSecond;
    record.ftLastAccessTime = kMay2004 + 20 * kSecond;
    const CCalendarTime write = Calendar(2004, 5, 1, 0, 0, 0);
    const CCalendarTime create = Calendar(2004, 5, 1, 0, 0, 10);
    const CCalendarTime access = Calendar(2004, 5, 1, 0, 0, 20);

    {
        CExtendedFilter filter;
        ASSERT_TRUE(filter.SetModifiedRange(true, write, write));
        EXPECT_TRUE(filter.Passes(Entry(record)));
        ASSERT_TRUE(filter.SetModifiedRange(true, create, access));
        EXPECT_FALSE(filter.Passes(Entry(record)));
    }
    {
        CExtendedFilter filter;
        ASSERT_TRUE(filter.SetCreatedRange(true, create, create));
        EXPECT_TRUE(filter.Passes(Entry(record)));
        ASSERT_TRUE(filter.SetCreatedRange(true, write, write));
        EXPECT_FALSE(filter.Passes(Entry(record)));
    }
    {
        CExtendedFilter filter;
        ASSERT_TRUE(filter.SetAccessedRange(true, access, access));
        EXPECT_TRUE(filter.Passes(Entry(record)));
        ASSERT_TRUE(filter.SetAccessedRange(true, write, create));
        EXPECT_FALSE(filter.Passes(Entry(record)));
    }
}

TEST(ExtendedFilterDateTest, DateRangesApplyToFolders) {
    CExtendedFilter filter;
    ASSERT_TRUE(filter.SetModifiedRange(true, Calendar(2005, 1, 1), Calendar(2006, 1, 1)));
    EXPECT_FALSE(filter.Passes(Entry(Record("folder", 0x10))));
}

// ---------------------------------------------------------------------------
// All conditions together.

TEST(ExtendedFilterPassesTest, EveryConditionMustHold) {
    CExtendedFilter filter;
    filter.SetShowHidden(false);
    ASSERT_TRUE(filter.SetNameLength(CompareMode::Greater, 4));
    ASSERT_TRUE(filter.SetSize(CompareMode::Less, 100));
    ASSERT_TRUE(filter.SetModifiedRange(true, Calendar(2004, 5, 1), Calendar(2004, 5, 1)));

    EXPECT_TRUE(filter.Passes(Entry(Record("photo.jpg", 0x80, 50))));
    EXPECT_FALSE(filter.Passes(Entry(Record(".photo.jpg", 0x2, 50))));  // hidden
    EXPECT_FALSE(filter.Passes(Entry(Record("a.jp", 0x80, 50))));       // too short
    EXPECT_FALSE(filter.Passes(Entry(Record("photo.jpg", 0x80, 100)))); // too big
    CFindRecord late = Record("photo.jpg", 0x80, 50);
    late.ftLastWriteTime += kSecond;
    EXPECT_FALSE(filter.Passes(Entry(late))); // outside the range
    // A folder skips only the size test.
    EXPECT_TRUE(filter.Passes(Entry(Record("folders", 0x10, 4096))));
    EXPECT_FALSE(filter.Passes(Entry(Record("fold", 0x10, 0))));
}
