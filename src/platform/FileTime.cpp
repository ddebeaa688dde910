// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileTime.h"

#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <clocale>
#include <locale.h>
#include <ctime>
#include <langinfo.h>

namespace platform {

namespace {

std::atomic<uint64_t> pinnedClock{0};
std::atomic<TickSource> tickSource{nullptr};

constexpr int kMaxYear = 30827;

// The user's time locale (LC_ALL / LC_TIME / LANG), made once, without
// touching the global locale of the process.
locale_t UserTimeLocale() {
    static const locale_t user = [] {
        locale_t made = newlocale(LC_TIME_MASK, "", locale_t{});
        return made != locale_t{} ? made : newlocale(LC_TIME_MASK, "C", locale_t{});
    }();
    return user;
}

const char* LocaleText(nl_item item) {
    const char* text = nl_langinfo_l(item, UserTimeLocale());
    return text != nullptr ? text : "";
}

// The last two digits of a field that is never negative.
std::string TwoDigits(int value) {
    std::array<char, 2> digits{'0', '0'};
    const int lastTwo = value % 100;
    std::to_chars(digits.data() + (lastTwo < 10 ? 1 : 0), digits.data() + digits.size(), lastTwo);
    return std::string(digits.data(), digits.size());
}

// Walks a picture: runs of the same letter are handed to field(letter,
// count), quoted text is copied, everything else passes through.
template <typename Field>
std::string FormatPicture(const std::string& picture, Field field) {
    std::string out;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            std::size_t end = i + 1;
            while (end < picture.size()) {
                if (picture[end] == '\'') {
                    if (end + 1 < picture.size() && picture[end + 1] == '\'') {
                        out.push_back('\'');
                        end += 2;
                        continue;
                    }
                    break;
                }
                out.push_back(picture[end++]);
            }
            i = end + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) {
            ++run;
        }
        if (!field(c, run, out)) {
            out.append(picture, i, run);
        }
        i += run;
    }
    return out;
}

} // namespace

uint64_t UnixToFileTime(int64_t seconds, int64_t nanoseconds) {
    const int64_t since1601 = seconds + kEpochDifferenceSeconds;
    if (since1601 < 0) {
        return 0;
    }
    return static_cast<uint64_t>(since1601) * kTicksPerSecond +
           static_cast<uint64_t>(nanoseconds / 100);
}

bool FileTimeToCalendar(uint64_t fileTime, CCalendarTime& calendar) {
    if (fileTime >= 0x8000000000000000ull) {
        return false;
    }
    const uint64_t totalSeconds = fileTime / kTicksPerSecond;
    const std::chrono::sys_days date{std::chrono::days{static_cast<int64_t>(totalSeconds / 86400) -
                                                       kEpochDifferenceSeconds / 86400}};
    const auto secondOfDay = static_cast<int>(totalSeconds % 86400);
    const std::chrono::year_month_day civil{date};
    calendar.year = static_cast<int>(civil.year());
    calendar.month = static_cast<int>(static_cast<unsigned>(civil.month()));
    calendar.day = static_cast<int>(static_cast<unsigned>(civil.day()));
    calendar.dayOfWeek = static_cast<int>(std::chrono::weekday{date}.c_encoding());
    calendar.hour = secondOfDay / 3600;
    calendar.minute = secondOfDay / 60 % 60;
    calendar.second = secondOfDay % 60;
    calendar.milliseconds = static_cast<int>(fileTime % kTicksPerSecond / 10000);
    return true;
}

bool CalendarToFileTime(const CCalendarTime& c, uint64_t& fileTime) {
    // The day is checked against its month only once it fits a day field.
    if (c.year < 1601 || c.year > kMaxYear || c.month < 1 || c.month > 12 || c.day < 1 ||
        c.day > 31 || c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 ||
        c.second > 59 || c.milliseconds < 0 || c.milliseconds > 999) {
        return false;
    }
    const std::chrono::year_month_day civil{std::chrono::year{c.year},
                                            std::chrono::month{static_cast<unsigned>(c.month)},
                                            std::chrono::day{static_cast<unsigned>(c.day)}};
    if (!civil.ok()) {
        return false;
    }
    const int64_t days =
        std::chrono::sys_days{civil}.time_since_epoch().count() + kEpochDifferenceSeconds / 86400;
    const int64_t seconds = days * 86400 + c.hour * 3600 + c.minute * 60 + c.second;
    fileTime = static_cast<uint64_t>(seconds) * kTicksPerSecond +
               static_cast<uint64_t>(c.milliseconds) * 10000;
    return true;
}

std::string FormatDatePicture(const std::string& picture, const CCalendarTime& c) {
    return FormatPicture(picture, [&](char letter, std::size_t run, std::string& out) {
        switch (letter) {
        case 'd':
            if (run == 1) {
                out += std::to_string(c.day);
            } else if (run == 2) {
                out += TwoDigits(c.day);
            } else {
                const int index = (c.dayOfWeek % 7 + 7) % 7;
                out += LocaleText(static_cast<nl_item>((run == 3 ? ABDAY_1 : DAY_1) + index));
            }
            return true;
        case 'M':
            if (run == 1) {
                out += std::to_string(c.month);
            } else if (run == 2) {
                out += TwoDigits(c.month);
            } else {
                out += LocaleText(static_cast<nl_item>((run == 3 ? ABMON_1 : MON_1) + c.month - 1));
            }
            return true;
        case 'y':
            if (run <= 2) {
                const int shortYear = c.year % 100;
                out += run == 1 ? std::to_string(shortYear) : TwoDigits(shortYear);
            } else {
                out += std::to_string(c.year);
            }
            return true;
        case 'g':
            out += "A.D.";
            return true;
        default:
            return false;
        }
    });
}

std::string FormatTimePicture(const std::string& picture, const CCalendarTime& c) {
    return FormatPicture(picture, [&](char letter, std::size_t run, std::string& out) {
        int value;
        switch (letter) {
        case 'h':
            value = c.hour % 12 == 0 ? 12 : c.hour % 12;
            break;
        case 'H':
            value = c.hour;
            break;
        case 'm':
            value = c.minute;
            break;
        case 's':
            value = c.second;
            break;
        case 't': {
            const std::string marker = c.hour < 12 ? "AM" : "PM";
            out += run == 1 ? marker.substr(0, 1) : marker;
            return true;
        }
        default:
            return false;
        }
        out += run == 1 ? std::to_string(value) : TwoDigits(value);
        return true;
    });
}

std::string GetShortDatePicture() {
    // The locale's date format in strftime notation, turned into a picture.
    const std::string format = LocaleText(D_FMT);
    std::string picture;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            picture.push_back(format[i]);
            continue;
        }
        char code = format[++i];
        if ((code == 'E' || code == 'O') && i + 1 < format.size()) {
            code = format[++i];
        }
        switch (code) {
        case 'd': picture += "dd"; break;
        case 'e': picture += "d"; break;
        case 'm': picture += "MM"; break;
        case 'y': picture += "yy"; break;
        case 'Y': picture += "yyyy"; break;
        case 'b': case 'h': picture += "MMM"; break;
        case 'B': picture += "MMMM"; break;
        case 'a': picture += "ddd"; break;
        case 'A': picture += "dddd"; break;
        case 'D': picture += "MM/dd/yy"; break;
        case 'F': picture += "yyyy-MM-dd"; break;
        case '%': picture += "%"; break;
        default: break;
        }
    }
    return picture.empty() ? "dd-MM-yyyy" : picture;
}

uint64_t GetCurrentFileTime() {
    if (const uint64_t pinned = pinnedClock.load()) {
        return pinned;
    }
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return UnixToFileTime(now.tv_sec, now.tv_nsec);
}

void SetClockForTests(uint64_t fileTime) { pinnedClock.store(fileTime); }

int64_t GetTickMilliseconds() {
    if (const TickSource source = tickSource.load()) {
        return source();
    }
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void SetTickSourceForTests(TickSource source) { tickSource.store(source); }

CCalendarTime GetCurrentCalendarTime(bool utc) {
    const uint64_t now = GetCurrentFileTime();
    CCalendarTime calendar;
    if (utc) {
        FileTimeToCalendar(now, calendar);
        return calendar;
    }
    const time_t seconds = static_cast<time_t>(now / kTicksPerSecond) -
                           static_cast<time_t>(kEpochDifferenceSeconds);
    struct tm local;
    if (localtime_r(&seconds, &local) == nullptr) {
        FileTimeToCalendar(now, calendar);
        return calendar;
    }
    calendar.year = local.tm_year + 1900;
    calendar.month = local.tm_mon + 1;
    calendar.day = local.tm_mday;
    calendar.dayOfWeek = local.tm_wday;
    calendar.hour = local.tm_hour;
    calendar.minute = local.tm_min;
    calendar.second = local.tm_sec;
    calendar.milliseconds = static_cast<int>(now % kTicksPerSecond / 10000);
    return calendar;
}

} // namespace platform
