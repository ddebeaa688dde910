// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TagFunctions.h"

#include "catalogue/NameParts.h"
#include "engine/TagExpander.h"
#include "platform/Utf8.h"

#include <array>
#include <charconv>
#include <chrono>
#include <vector>

namespace tags {

namespace {

// The generator of random texts: the linear congruential generator of the
// classic C library, giving 0 to 32767. It starts as an unseeded rand does.
uint32_t randomState = 1;

bool IsBaseLetter(char c) {
    return c == 'B' || c == 'b';
}
bool IsZeroLetter(char c) {
    return c == 'Z' || c == 'z';
}
bool IsIndexLetter(char c) {
    return c == 'I' || c == 'i';
}

int32_t NumberAfterLetter(std::string_view param) {
    return LeadingInteger(param.substr(1));
}

void ReadNumberParams(CTagParams& params, bool& baseGiven, int32_t& base, int32_t* index,
                      int32_t& zeroFill) {
    std::string_view param;
    while (params.NextParam(param)) {
        if (IsBaseLetter(param[0])) {
            base = NumberAfterLetter(param);
            baseGiven = true;
        } else if (IsZeroLetter(param[0])) {
            zeroFill = NumberAfterLetter(param);
            if (zeroFill < 0 || zeroFill > kMaxTagZeroFill) {
                zeroFill = 0;
            }
        } else if (index != nullptr && IsIndexLetter(param[0])) {
            *index = NumberAfterLetter(param);
        }
    }
}

std::string Digits(uint64_t magnitude, bool negative, int32_t base, int32_t zeroFill) {
    if (base < 2 || base > 32) {
        base = 10;
    }
    // Sixty-four binary digits at most.
    std::array<char, 64> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude, base).ptr;
    const auto count = static_cast<std::size_t>(end - digits.data());
    std::string out;
    if (negative) {
        out.push_back('-');
    }
    if (zeroFill >= 1 && zeroFill <= kMaxTagZeroFill &&
        count <= static_cast<std::size_t>(zeroFill)) {
        out.append(static_cast<std::size_t>(zeroFill) + 1 - count, '0');
    }
    // Digits past nine are capital letters.
    for (std::size_t i = 0; i < count; ++i) {
        const char c = digits[i];
        out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return out;
}

/// The digits of value taken as unsigned ("%u").
std::string Unpadded(int value) {
    std::array<char, 10> digits{};
    char* end =
        std::to_chars(digits.data(), digits.data() + digits.size(), static_cast<uint32_t>(value))
            .ptr;
    return std::string(digits.data(), end);
}

/// "%0<width>u" of value.
std::string Padded(int value, std::size_t width) {
    std::string digits = Unpadded(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

struct CDigitRun {
    std::size_t start = 0;
    std::size_t length = 0;
};

bool FindRun(std::string_view text, int32_t n, CDigitRun& run) {
    if (n < 1) {
        return false;
    }
    int32_t seen = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        if (++seen == n) {
            run = CDigitRun{start, i - start};
            return true;
        }
    }
    return false;
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

bool CTagParams::NextParam(std::string_view& param) {
    if (pos >= text.size()) {
        return false;
    }
    const std::size_t colon = text.find(':', pos);
    if (colon == std::string_view::npos) {
        param = text.substr(pos);
        pos = text.size();
    } else {
        param = text.substr(pos, colon - pos);
        pos = colon + 1;
    }
    return !param.empty();
}

void ParseBaseZero(CTagParams& params, int32_t& base, int32_t& zeroFill) {
    bool baseGiven = false;
    ReadNumberParams(params, baseGiven, base, nullptr, zeroFill);
    if (base < 2 || base > 36) {
        base = 10;
    }
}

void ParseBaseIndexZero(CTagParams& params, int32_t& base, int32_t& index, int32_t& zeroFill) {
    bool baseGiven = false;
    ReadNumberParams(params, baseGiven, base, &index, zeroFill);
    if (base < 2 || base > 36) {
        base = 10;
    }
}

void ParseExplicitBaseZero(CTagParams& params, bool& baseGiven, int32_t& base, int32_t& zeroFill) {
    baseGiven = false;
    ReadNumberParams(params, baseGiven, base, nullptr, zeroFill);
}

std::string FormatNumber(int32_t value, int32_t base, int32_t zeroFill) {
    const bool decimal = base < 2 || base > 32 || base == 10;
    if (decimal && value < 0) {
        return Digits(static_cast<uint64_t>(-static_cast<int64_t>(value)), true, 10, zeroFill);
    }
    return Digits(static_cast<uint32_t>(value), false, base, zeroFill);
}

std::string FormatUnsignedNumber(uint64_t value, int32_t base, int32_t zeroFill) {
    return Digits(value, false, base, zeroFill);
}

std::string FormatDateField(const platform::CCalendarTime& time, std::string_view format) {
    const std::string field = AsciiUpper(format);
    if (field.empty()) {
        return Padded(time.year, 4) + Padded(time.month, 2) + Padded(time.day, 2);
    }
    if (field == "Y") {
        return Padded(time.year, 4);
    }
    if (field == "Y2") {
        const std::string year = Padded(time.year, 4);
        return year.substr(year.size() - 2);
    }
    if (field == "M") {
        return Padded(time.month, 2);
    }
    if (field == "D") {
        return Padded(time.day, 2);
    }
    if (field == "H") {
        return Padded(time.hour, 2);
    }
    if (field == "MM") {
        return Padded(time.minute, 2);
    }
    if (field == "S") {
        return Padded(time.second, 2);
    }
    if (field == "MS") {
        return Padded(time.milliseconds, 4);
    }
    if (field == "YR") {
        return Unpadded(time.year);
    }
    if (field == "MR") {
        return Unpadded(time.month);
    }
    if (field == "DR") {
        return Unpadded(time.day);
    }
    if (field == "HR") {
        return Unpadded(time.hour);
    }
    if (field == "MMR") {
        return Unpadded(time.minute);
    }
    if (field == "SR") {
        return Unpadded(time.second);
    }
    if (field == "MSR") {
        return Unpadded(time.milliseconds);
    }
    if (field == "DOW") {
        return Unpadded(time.dayOfWeek);
    }
    return {};
}

std::string FormatFileTime(uint64_t fileTime, std::string_view format) {
    platform::CCalendarTime time;
    if (!platform::FileTimeToCalendar(fileTime, time)) {
        return {};
    }
    return FormatDateField(time, format);
}

bool ExifDateToCalendar(std::string_view dateTime, platform::CCalendarTime& time) {
    if (dateTime.size() != 19) {
        return false;
    }
    const int64_t year = LeadingInteger(dateTime.substr(0, 4));
    const int64_t month = LeadingInteger(dateTime.substr(5, 2));
    const int64_t day = LeadingInteger(dateTime.substr(8, 2));
    const int64_t hour = LeadingInteger(dateTime.substr(11, 2));
    const int64_t minute = LeadingInteger(dateTime.substr(14, 2));
    const int64_t second = LeadingInteger(dateTime.substr(17, 2));

    // Months roll into years; then everything else is a count of seconds
    // from the first of that month, so day 32, hour 24 or a negative minute
    // roll over the way mktime rolls them.
    const std::chrono::year_month firstMonth =
        std::chrono::year{0} / std::chrono::January + std::chrono::months{year * 12 + (month - 1)};
    const std::chrono::sys_seconds moment =
        std::chrono::sys_days{firstMonth / 1} + std::chrono::days{day - 1} +
        std::chrono::hours{hour} + std::chrono::minutes{minute} + std::chrono::seconds{second};
    const std::chrono::sys_days date = std::chrono::floor<std::chrono::days>(moment);
    const std::chrono::year_month_day civil{date};
    if (static_cast<int>(civil.year()) < 1 || static_cast<int>(civil.year()) > 9999) {
        return false;
    }
    const std::chrono::hh_mm_ss<std::chrono::seconds> clock{moment - date};
    time.year = static_cast<int>(civil.year());
    time.month = static_cast<int>(static_cast<unsigned>(civil.month()));
    time.day = static_cast<int>(static_cast<unsigned>(civil.day()));
    time.dayOfWeek = static_cast<int>(std::chrono::weekday{date}.c_encoding());
    time.hour = static_cast<int>(clock.hours().count());
    time.minute = static_cast<int>(clock.minutes().count());
    time.second = static_cast<int>(clock.seconds().count());
    time.milliseconds = 0;
    return true;
}

std::string GroupThousands(std::string_view digits, char separator) {
    if (digits.size() <= 3) {
        return std::string(digits);
    }
    const std::size_t head = digits.size() % 3;
    std::string out(digits.substr(0, head));
    for (std::size_t i = head; i < digits.size(); i += 3) {
        if (!out.empty()) {
            out.push_back(separator);
        }
        out.append(digits.substr(i, 3));
    }
    return out;
}

uint32_t NextTagRandom() {
    randomState = randomState * 214013u + 2531011u;
    return (randomState >> 16) & 0x7FFFu;
}

std::string RandomText(int32_t length, std::string_view alphabet) {
    std::vector<std::string_view> symbols;
    for (std::size_t pos = 0; pos < alphabet.size();) {
        const std::size_t size = utf8::CharLength(alphabet, pos);
        symbols.push_back(alphabet.substr(pos, size));
        pos += size;
    }
    std::string out;
    if (symbols.empty()) {
        return out;
    }
    for (int32_t i = 0; i < length; ++i) {
        out.append(symbols[NextTagRandom() % symbols.size()]);
    }
    return out;
}

bool FindNthNumber(std::string_view text, int32_t n, int32_t& value) {
    CDigitRun run;
    if (!FindRun(text, n, run)) {
        return false;
    }
    value = LeadingInteger(text.substr(run.start, run.length));
    return true;
}

bool SplitAtNthNumber(std::string_view text, int32_t n, std::string& before, int32_t& value,
                      std::string& after) {
    CDigitRun run;
    if (!FindRun(text, n, run)) {
        return false;
    }
    before.assign(text.substr(0, run.start));
    value = LeadingInteger(text.substr(run.start, run.length));
    after.assign(text.substr(run.start + run.length));
    return true;
}

std::string ColourAbbreviation(uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 15:
        return "32K";
    case 16:
        return "65K";
    case 24:
    case 32:
        return "16M";
    case 48:
        return "48B";
    default:
        return std::to_string(uint32_t{1} << (bitsPerPixel % 32));
    }
}

std::string SelectFolderName(std::string_view folder, int32_t n) {
    if (n > 0) {
        std::size_t from = 0;
        for (int32_t k = 0; k < n; ++k) {
            const std::size_t slash = folder.find('/', from);
            if (slash == std::string_view::npos) {
                return {};
            }
            from = slash + 1;
        }
        const std::size_t next = folder.find('/', from);
        if (next == std::string_view::npos) {
            return {};
        }
        return std::string(folder.substr(from, next - from));
    }
    if (n < 0) {
        std::string_view rest = folder;
        if (!rest.empty() && rest.back() == '/') {
            rest.remove_suffix(1);
        }
        std::string_view candidate;
        for (int64_t k = 0; k < -static_cast<int64_t>(n); ++k) {
            const std::size_t slash = rest.rfind('/');
            if (slash == std::string_view::npos) {
                return {};
            }
            candidate = rest.substr(slash + 1);
            rest = rest.substr(0, slash);
        }
        return std::string(candidate);
    }
    return std::string(folder);
}

std::string MakePathPieceSafe(std::string_view text) {
    // The three characters are ASCII, and no byte of a multi-byte sequence is.
    std::string out(text);
    for (char& c : out) {
        if (c == '/' || c == '\\') {
            c = '_';
        } else if (c == ':') {
            c = '.';
        }
    }
    return out;
}

std::string FormatReal3(double value) {
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 3);
    if (result.ec != std::errc()) {
        return {};
    }
    return std::string(buffer.data(), result.ptr);
}

std::string_view TrimWhiteSpace(std::string_view text) {
    while (!text.empty() && IsWhiteSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsWhiteSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

} // namespace tags

void SeedTagRandom(uint32_t seed) {
    tags::randomState = seed;
}
