// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

/// File times are 64-bit counts of 100-ns ticks since 1601-01-01 00:00 UTC.
/// The calendar conversions here never apply a time zone: a file time is
/// shown as the UTC calendar time it holds.
namespace platform {

/// A calendar date and time (the fields of a Windows SYSTEMTIME).
struct CCalendarTime {
    int year = 1601;
    int month = 1; ///< 1 to 12
    int dayOfWeek = 1; ///< 0 Sunday to 6 Saturday; filled by FileTimeToCalendar
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

constexpr uint64_t kTicksPerSecond = 10'000'000;
/// Seconds between 1601-01-01 and 1970-01-01.
constexpr int64_t kEpochDifferenceSeconds = 11'644'473'600;

/// Ticks since 1601 of a Unix time; 0 when it lies before 1601.
uint64_t UnixToFileTime(int64_t seconds, int64_t nanoseconds);

/// The calendar time a file time holds; false for times beyond year 30827
/// (the top bit set), which have no calendar form.
bool FileTimeToCalendar(uint64_t fileTime, CCalendarTime& calendar);

/// The file time of a calendar time; false when a field is out of range
/// (month 13, day 31 in April, year before 1601 or after 30827, ...).
bool CalendarToFileTime(const CCalendarTime& calendar, uint64_t& fileTime);

/// A date written with a date picture: d dd ddd dddd, M MM MMM MMMM, y yy
/// yyyy, text in single quotes taken literally, everything else copied.
std::string FormatDatePicture(const std::string& picture, const CCalendarTime& calendar);

/// A time written with a time picture: h hh (12-hour), H HH, m mm, s ss,
/// t tt (AM/PM marker), quotes as for dates.
std::string FormatTimePicture(const std::string& picture, const CCalendarTime& calendar);

/// The user's short-date picture, from the locale's date format (LC_TIME).
std::string GetShortDatePicture();

/// The current time as a file time (UTC). Tests can pin it.
uint64_t GetCurrentFileTime();
void SetClockForTests(uint64_t fileTime); ///< 0 returns to the real clock

/// Milliseconds of a steady clock, for delays and durations (the progress
/// bar of a long operation). Tests can give their own source.
int64_t GetTickMilliseconds();
using TickSource = int64_t (*)();
void SetTickSourceForTests(TickSource source); ///< null returns to the real clock

/// The current local calendar time, or the UTC one with utc.
CCalendarTime GetCurrentCalendarTime(bool utc);

} // namespace platform
