// SPDX-License-Identifier: GPL-3.0-or-later
// The date cells follow the user's time locale: its short-date order and its
// month names. The locale is read once per process, so each case runs in a
// child process with its own environment; a case skips when the machine
// lacks the locale (scripts/install-deps generates en_US.UTF-8 and nl_NL.UTF-8).

#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <locale.h>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using platform::CCalendarTime;
using platform::FormatDatePicture;
using platform::GetShortDatePicture;

namespace {

bool HasLocale(const char* name) {
    const locale_t locale = newlocale(LC_TIME_MASK, name, locale_t{});
    if (locale == locale_t{}) {
        return false;
    }
    freelocale(locale);
    return true;
}

struct CLocaleVariables {
    const char* lcAll = nullptr;
    const char* lcTime = nullptr;
    const char* lang = nullptr;
};

/// The short-date picture, and 5 March 2024 written with it and with "d MMMM
/// yyyy", as a process with these locale variables sees them (unset when null).
std::optional<std::string> DatesUnder(const CLocaleVariables& variables) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const auto set = [](const char* name, const char* value) {
            if (value != nullptr) {
                setenv(name, value, 1);
            } else {
                unsetenv(name);
            }
        };
        set("LC_ALL", variables.lcAll);
        set("LC_TIME", variables.lcTime);
        set("LANG", variables.lang);
        CCalendarTime date;
        date.year = 2024;
        date.month = 3;
        date.day = 5;
        const std::string picture = GetShortDatePicture();
        const std::string text = picture + "|" + FormatDatePicture(picture, date) + "|" +
                                 FormatDatePicture("d MMMM yyyy", date);
        const bool written =
            write(pipeEnds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        _exit(written ? 0 : 1);
    }
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        return std::nullopt;
    }
    std::string result;
    char buffer[256];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        result.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return result;
}

} // namespace

TEST(LocaleDate, AmericanEnglishWritesMonthDayYear) {
    if (!HasLocale("en_US.UTF-8")) {
        GTEST_SKIP() << "locale en_US.UTF-8 is not installed";
    }
    EXPECT_EQ(DatesUnder({nullptr, nullptr, "en_US.UTF-8"}),
              std::string("MM/dd/yyyy|03/05/2024|5 March 2024"));
}

TEST(LocaleDate, DutchWritesDayMonthShortYear) {
    if (!HasLocale("nl_NL.UTF-8")) {
        GTEST_SKIP() << "locale nl_NL.UTF-8 is not installed";
    }
    EXPECT_EQ(DatesUnder({nullptr, nullptr, "nl_NL.UTF-8"}),
              std::string("dd-MM-yy|05-03-24|5 maart 2024"));
}

TEST(LocaleDate, TimeLocaleDecidesOverLangAndAllOverBoth) {
    if (!HasLocale("en_US.UTF-8") || !HasLocale("nl_NL.UTF-8")) {
        GTEST_SKIP() << "locales en_US.UTF-8 and nl_NL.UTF-8 are not both installed";
    }
    EXPECT_EQ(DatesUnder({nullptr, "nl_NL.UTF-8", "en_US.UTF-8"}),
              std::string("dd-MM-yy|05-03-24|5 maart 2024"));
    EXPECT_EQ(DatesUnder({"en_US.UTF-8", "nl_NL.UTF-8", "nl_NL.UTF-8"}),
              std::string("MM/dd/yyyy|03/05/2024|5 March 2024"));
}
