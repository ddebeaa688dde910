#include "engine/TagFunctions.h"

#include "catalogue/NameParts.h"
#include "engine/TagExpander.h"
#include "platform/Utf8.h"

#include <array>
#include <charconv>
#include <vector>

namespace tags {

namespace {

constexpr std::string_view kDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

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
    std::array<char, 64> reversed{};
    std::size_t count = 0;
    do {
        reversed[count++] = kDigits[magnitude % static_cast<uint64_t>(base)];
        magnitude /= static_cast<uint64_t>(base);
    } while (magnitude > 0);
    std::string out;
    if (negative) {
        out.push_back('-');
    }
    if (zeroFill >= 1 && zeroFill <= kMaxTagZeroFill &&
        count <= static_cast<std::size_t>(zeroFill)) {
        out.append(static_cast<std::size_t>(zeroFill) + 1 - count, '0');
    }
    while (count > 0) {
        out.push_back(reversed[--count]);
    }
    return out;
}

/// "%0<width>u" of value.
std::string Padded(int value, std::size_t width) {
    std::string digits = std::to_string(static_cast<uint32_t>(value));
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

std::string Unpadded(int value) {
    return std::to_string(static_cast<uint32_t>(value));
}

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}
int64_t FloorMod(int64_t a, int64_t b) {
    return a - FloorDiv(a, b) * b;
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1 to 12), and
// back.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
    days += 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
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
    const int64_t months = year * 12 + (month - 1);
    const int64_t firstDay = DaysFromCivil(FloorDiv(months, 12), FloorMod(months, 12) + 1, 1);
    const int64_t seconds = (firstDay + day - 1) * 86400 + hour * 3600 + minute * 60 + second;
    const int64_t days = FloorDiv(seconds, 86400);
    const int64_t secondOfDay = FloorMod(seconds, 86400);

    int64_t civilYear = 0;
    int64_t civilMonth = 0;
    int64_t civilDay = 0;
    CivilFromDays(days, civilYear, civilMonth, civilDay);
    if (civilYear < 1 || civilYear > 9999) {
        return false;
    }
    time.year = static_cast<int>(civilYear);
    time.month = static_cast<int>(civilMonth);
    time.day = static_cast<int>(civilDay);
    time.dayOfWeek = static_cast<int>(FloorMod(days + 4, 7)); // 1970-01-01 was a Thursday
    time.hour = static_cast<int>(secondOfDay / 3600);
    time.minute = static_cast<int>(secondOfDay / 60 % 60);
    time.second = static_cast<int>(secondOfDay % 60);
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
