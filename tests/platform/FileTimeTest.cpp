// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

using platform::CalendarToFileTime;
using platform::CCalendarTime;
using platform::FileTimeToCalendar;
using platform::FormatDatePicture;
using platform::FormatTimePicture;
using platform::UnixToFileTime;

namespace {

CCalendarTime Calendar(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                       int milliseconds = 0) {
    CCalendarTime c;
    c.year = year;
    c.month = month;
    c.day = day;
    c.hour = hour;
    c.minute = minute;
    c.second = second;
    c.milliseconds = milliseconds;
    return c;
}

std::string Describe(const CCalendarTime& c) {
    return std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day) +
           " " + std::to_string(c.hour) + ":" + std::to_string(c.minute) + ":" +
           std::to_string(c.second) + "." + std::to_string(c.milliseconds) + " dow " +
           std::to_string(c.dayOfWeek);
}

void ExpectCalendar(uint64_t fileTime, const CCalendarTime& expected, int dayOfWeek) {
    CCalendarTime c;
    ASSERT_TRUE(FileTimeToCalendar(fileTime, c)) << fileTime;
    CCalendarTime want = expected;
    want.dayOfWeek = dayOfWeek;
    EXPECT_EQ(Describe(c), Describe(want)) << fileTime;
}

// Sets an environment variable for the life of the object.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) {
            saved = old;
        }
        setenv(name, value, 1);
        tzset();
    }
    ~CScopedEnv() {
        if (saved) {
            setenv(name, saved->c_str(), 1);
        } else {
            unsetenv(name);
        }
        tzset();
    }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    const char* name;
    std::optional<std::string> saved;
};

// Resets the pinned clock even when an assertion fails.
struct CClockPin {
    explicit CClockPin(uint64_t fileTime) { platform::SetClockForTests(fileTime); }
    ~CClockPin() { platform::SetClockForTests(0); }
};

} // namespace

// ---------------------------------------------------------------------------
// Unix times

TEST(FileTimeUnix, EpochIsTheKnownTickCount) {
    EXPECT_EQ(UnixToFileTime(0, 0), 116444736000000000ull);
    EXPECT_EQ(platform::kEpochDifferenceSeconds * static_cast<int64_t>(platform::kTicksPerSecond),
              116444736000000000ll);
}

TEST(FileTimeUnix, NanosecondsBecomeHundredNanosecondTicks) {
    EXPECT_EQ(UnixToFileTime(1, 500), 116444736010000005ull);
    EXPECT_EQ(UnixToFileTime(0, 999999999), 116444736009999999ull);
    EXPECT_EQ(UnixToFileTime(0, 99), 116444736000000000ull);
}

TEST(FileTimeUnix, BeforeAndAfterTheUnixRange) {
    EXPECT_EQ(UnixToFileTime(-14182940, 0), 116302906600000000ull);         // 1969-07-20 20:17:40
    EXPECT_EQ(UnixToFileTime(2147483648, 0), 137919572480000000ull);        // 2038-01-19 03:14:08
    EXPECT_EQ(UnixToFileTime(-platform::kEpochDifferenceSeconds, 0), 0ull); // 1601-01-01
    EXPECT_EQ(UnixToFileTime(-platform::kEpochDifferenceSeconds - 1, 0), 0ull);
}

// ---------------------------------------------------------------------------
// Calendar conversions

TEST(FileTimeCalendar, KnownDatesAndTheirWeekdays) {
    ExpectCalendar(0, Calendar(1601, 1, 1), 1);                      // a Monday
    ExpectCalendar(116444736000000000ull, Calendar(1970, 1, 1), 4);  // a Thursday
    ExpectCalendar(125962560000000000ull, Calendar(2000, 2, 29), 2); // a Tuesday
    ExpectCalendar(116302906600000000ull, Calendar(1969, 7, 20, 20, 17, 40), 0);
    ExpectCalendar(137919572480000000ull, Calendar(2038, 1, 19, 3, 14, 8), 2);
    ExpectCalendar(127546744291230000ull, Calendar(2005, 3, 7, 13, 7, 9, 123), 1);
}

TEST(FileTimeCalendar, LargestFileTimeAndTopBitRefused) {
    ExpectCalendar(0x7FFFFFFFFFFFFFFFull, Calendar(30828, 9, 14, 2, 48, 5, 477), 4);
    CCalendarTime c;
    EXPECT_FALSE(FileTimeToCalendar(0x8000000000000000ull, c));
    EXPECT_FALSE(FileTimeToCalendar(0xFFFFFFFFFFFFFFFFull, c));
}

TEST(FileTimeCalendar, CalendarToFileTimeOfKnownDates) {
    uint64_t ft = 1;
    ASSERT_TRUE(CalendarToFileTime(Calendar(1601, 1, 1), ft));
    EXPECT_EQ(ft, 0ull);
    ASSERT_TRUE(CalendarToFileTime(Calendar(1970, 1, 1), ft));
    EXPECT_EQ(ft, 116444736000000000ull);
    ASSERT_TRUE(CalendarToFileTime(Calendar(2005, 3, 7, 13, 7, 9, 123), ft));
    EXPECT_EQ(ft, 127546744291230000ull);
    ASSERT_TRUE(CalendarToFileTime(Calendar(1969, 7, 20, 20, 17, 40), ft));
    EXPECT_EQ(ft, 116302906600000000ull);
    ASSERT_TRUE(CalendarToFileTime(Calendar(2038, 1, 19, 3, 14, 8), ft));
    EXPECT_EQ(ft, 137919572480000000ull);
}

TEST(FileTimeCalendar, LeapDays) {
    uint64_t ft = 0;
    EXPECT_TRUE(CalendarToFileTime(Calendar(2000, 2, 29), ft));
    EXPECT_TRUE(CalendarToFileTime(Calendar(2004, 2, 29), ft));
    EXPECT_TRUE(CalendarToFileTime(Calendar(2400, 2, 29), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(1900, 2, 29), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2100, 2, 29), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2001, 2, 29), ft));
    // The day after 28 February in years that are not leap years.
    ASSERT_TRUE(CalendarToFileTime(Calendar(1900, 2, 28), ft));
    ExpectCalendar(ft + 86400 * platform::kTicksPerSecond, Calendar(1900, 3, 1), 4);
    ASSERT_TRUE(CalendarToFileTime(Calendar(2100, 2, 28), ft));
    ExpectCalendar(ft + 86400 * platform::kTicksPerSecond, Calendar(2100, 3, 1), 1);
    ASSERT_TRUE(CalendarToFileTime(Calendar(2000, 2, 28), ft));
    ExpectCalendar(ft + 86400 * platform::kTicksPerSecond, Calendar(2000, 2, 29), 2);
}

TEST(FileTimeCalendar, InvalidFieldsAreRefused) {
    uint64_t ft = 0;
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 13, 1), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 0, 1), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 4, 31), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 1, 0), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 1, 32), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(1600, 12, 31, 23, 59, 59, 999), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(30828, 1, 1), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 1, 1, 24), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 1, 1, -1), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 1, 1, 0, 60), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 1, 1, 0, 0, 60), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 1, 1, 0, 0, 0, 1000), ft));
    EXPECT_FALSE(CalendarToFileTime(Calendar(2005, 1, 1, 0, 0, 0, -1), ft));
    EXPECT_TRUE(CalendarToFileTime(Calendar(30827, 12, 31, 23, 59, 59, 999), ft));
    ExpectCalendar(ft, Calendar(30827, 12, 31, 23, 59, 59, 999), 5);
}

TEST(FileTimeCalendar, RoundTripAcrossTheWholeRange) {
    // One step is a prime number of seconds plus some milliseconds, so that
    // every day of the week, month, hour and millisecond is visited.
    const uint64_t step = (86400ull * 37 + 3671) * platform::kTicksPerSecond + 4570000;
    std::size_t checked = 0;
    for (uint64_t ft = 0; ft < 0x7FFFFFFFFFFFFFFFull - step; ft += step) {
        CCalendarTime c;
        ASSERT_TRUE(FileTimeToCalendar(ft, c)) << ft;
        if (c.year > 30827) {
            // The last months of file times have a calendar form but no
            // way back: calendar times end with the year 30827.
            uint64_t back = 0;
            EXPECT_FALSE(CalendarToFileTime(c, back)) << Describe(c);
            break;
        }
        uint64_t back = 0;
        ASSERT_TRUE(CalendarToFileTime(c, back)) << Describe(c);
        // Calendar times hold milliseconds: the rest of the ticks is lost.
        ASSERT_EQ(back, ft - ft % 10000) << Describe(c);
        // The day of the week advances by the number of whole days.
        const int64_t dayNumber = static_cast<int64_t>(ft / platform::kTicksPerSecond / 86400);
        ASSERT_EQ(c.dayOfWeek, static_cast<int>((dayNumber + 1) % 7)) << Describe(c);
        ++checked;
    }
    EXPECT_GT(checked, 200000u);
}

TEST(FileTimeCalendar, EveryDayOfSomeYearsRoundTrips) {
    for (const int year : {1601, 1899, 1900, 1969, 1970, 2000, 2038, 2100, 9999}) {
        int dayOfYear = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                uint64_t ft = 0;
                const CCalendarTime in = Calendar(year, month, day, 23, 59, 58, 997);
                if (!CalendarToFileTime(in, ft)) {
                    continue;
                }
                ++dayOfYear;
                CCalendarTime out;
                ASSERT_TRUE(FileTimeToCalendar(ft, out));
                out.dayOfWeek = in.dayOfWeek;
                ASSERT_EQ(Describe(out), Describe(in));
            }
        }
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        EXPECT_EQ(dayOfYear, leap ? 366 : 365) << year;
    }
}

// ---------------------------------------------------------------------------
// Pictures

TEST(FileTimePicture, NumericDatePictures) {
    const CCalendarTime c = Calendar(2005, 3, 7);
    EXPECT_EQ(FormatDatePicture("dd-MM-yyyy", c), "07-03-2005");
    EXPECT_EQ(FormatDatePicture("d/M/yy", c), "7/3/05");
    EXPECT_EQ(FormatDatePicture("yyyyMMdd", c), "20050307");
    EXPECT_EQ(FormatDatePicture("y", c), "5");
    EXPECT_EQ(FormatDatePicture("d.M.y", Calendar(2000, 12, 31)), "31.12.0");
    EXPECT_EQ(FormatDatePicture("yy", Calendar(2000, 12, 31)), "00");
    EXPECT_EQ(FormatDatePicture("dd MM", Calendar(1999, 11, 25)), "25 11");
    EXPECT_EQ(FormatDatePicture("", c), "");
}

TEST(FileTimePicture, QuotedTextIsLiteral) {
    const CCalendarTime c = Calendar(2005, 3, 7);
    EXPECT_EQ(FormatDatePicture("d 'te' yyyy", c), "7 te 2005");
    EXPECT_EQ(FormatDatePicture("'dd' dd", c), "dd 07");
    EXPECT_EQ(FormatDatePicture("'it''s' d", c), "it's 7");
    EXPECT_EQ(FormatDatePicture("yyyy'", c), "2005");
    EXPECT_EQ(FormatTimePicture("HH'h'mm", Calendar(2005, 3, 7, 9, 5)), "09h05");
}

TEST(FileTimePicture, OtherCharactersPassThrough) {
    const CCalendarTime c = Calendar(2005, 3, 7, 9, 5, 3);
    EXPECT_EQ(FormatDatePicture("[d] x,y=z", c), "[7] x,5=z");
    EXPECT_EQ(FormatDatePicture("dd\xC2\xB7MM", c), "07\xC2\xB7"
                                                    "03");
    EXPECT_EQ(FormatTimePicture("H.m ok", c), "9.5 ok");
}

TEST(FileTimePicture, TimePictures) {
    EXPECT_EQ(FormatTimePicture("HH:mm", Calendar(2005, 3, 7, 9, 5)), "09:05");
    EXPECT_EQ(FormatTimePicture("HH:mm", Calendar(2005, 3, 7, 23, 59)), "23:59");
    EXPECT_EQ(FormatTimePicture("h:mm tt", Calendar(2005, 3, 7, 13, 7)), "1:07 PM");
    EXPECT_EQ(FormatTimePicture("h:mm tt", Calendar(2005, 3, 7, 0, 30)), "12:30 AM");
    EXPECT_EQ(FormatTimePicture("h:mm tt", Calendar(2005, 3, 7, 12, 0)), "12:00 PM");
    EXPECT_EQ(FormatTimePicture("hh:mm t", Calendar(2005, 3, 7, 11, 59)), "11:59 A");
    EXPECT_EQ(FormatTimePicture("hh", Calendar(2005, 3, 7, 0, 0)), "12");
    EXPECT_EQ(FormatTimePicture("H:m:s", Calendar(2005, 3, 7, 9, 5, 3)), "9:5:3");
    EXPECT_EQ(FormatTimePicture("HH:mm:ss", Calendar(2005, 3, 7, 0, 0, 0)), "00:00:00");
}

// ---------------------------------------------------------------------------
// The clock

TEST(FileTimeClock, PinnedClockDrivesCurrentTimes) {
    uint64_t pinned = 0;
    ASSERT_TRUE(CalendarToFileTime(Calendar(2005, 3, 7, 13, 7, 9, 123), pinned));
    {
        const CClockPin pin(pinned);
        EXPECT_EQ(platform::GetCurrentFileTime(), pinned);
        EXPECT_EQ(platform::GetCurrentFileTime(), pinned);
        CCalendarTime want = Calendar(2005, 3, 7, 13, 7, 9, 123);
        want.dayOfWeek = 1;
        EXPECT_EQ(Describe(platform::GetCurrentCalendarTime(true)), Describe(want));
    }
    // Back on the real clock: any time after 2023 will do.
    EXPECT_NE(platform::GetCurrentFileTime(), pinned);
    EXPECT_GT(platform::GetCurrentFileTime(), UnixToFileTime(1700000000, 0));
}

TEST(FileTimeClock, LocalCalendarTimeFollowsTheTimeZone) {
    uint64_t pinned = 0;
    ASSERT_TRUE(CalendarToFileTime(Calendar(2005, 3, 7, 23, 30, 0, 250), pinned));
    const CClockPin pin(pinned);
    {
        const CScopedEnv tz("TZ", "UTC0");
        CCalendarTime want = Calendar(2005, 3, 7, 23, 30, 0, 250);
        want.dayOfWeek = 1;
        EXPECT_EQ(Describe(platform::GetCurrentCalendarTime(false)), Describe(want));
    }
    {
        // Two hours east of Greenwich: the next day, a Tuesday.
        const CScopedEnv tz("TZ", "XYZ-2");
        CCalendarTime want = Calendar(2005, 3, 8, 1, 30, 0, 250);
        want.dayOfWeek = 2;
        EXPECT_EQ(Describe(platform::GetCurrentCalendarTime(false)), Describe(want));
        // The UTC form ignores the zone.
        want = Calendar(2005, 3, 7, 23, 30, 0, 250);
        want.dayOfWeek = 1;
        EXPECT_EQ(Describe(platform::GetCurrentCalendarTime(true)), Describe(want));
    }
}
