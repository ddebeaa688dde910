// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileTime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// The pure pieces of the tag language: reading parameters, writing numbers
/// and dates, random text and the numbers inside names. Texts are UTF-8;
/// nothing here reads outside the texts it is given, whatever they hold.
namespace tags {

/// The parameters of one tag ("B16:Z4" of "<N:B16:Z4>"), read one at a
/// time from a read position that every reader of the tag shares.
class CTagParams {
public:
    explicit CTagParams(std::string_view parameterText) : text(parameterText) {}

    /// The text from the read position up to the next ":" (the position
    /// moves past it), or the rest when no ":" is left. False when the
    /// position is already at the end or the parameter read is empty, so an
    /// empty parameter ends the list.
    bool NextParam(std::string_view& param);

private:
    std::string_view text;
    std::size_t pos = 0;
};

/// The widest zero fill a parameter may ask for; a larger one counts as 0.
inline constexpr int32_t kMaxTagZeroFill = 128;

/// Reads the parameters that are left: B<n> sets the base (outside 2..36
/// it becomes 10), Z<n> the zero fill (outside 0..128 it becomes 0), other
/// parameters are skipped; a later one wins. base and zeroFill hold the
/// defaults on entry.
void ParseBaseZero(CTagParams& params, int32_t& base, int32_t& zeroFill);

/// ParseBaseZero that also takes I<n> as the index (not range-checked).
void ParseBaseIndexZero(CTagParams& params, int32_t& base, int32_t& index, int32_t& zeroFill);

/// ParseBaseZero that keeps the base of the last B parameter as written;
/// baseGiven tells whether there was one.
void ParseExplicitBaseZero(CTagParams& params, bool& baseGiven, int32_t& base, int32_t& zeroFill);

/// value in base (outside 2..32 it is 10) with digits 0-9 and capitals; a
/// negative value gets "-" in base 10 and is written as its unsigned 32-bit
/// pattern in any other base. A zero fill z of 1 to 128 pads the digits with
/// "0" to z + 1 when there are at most z of them (7 with z 4 is 00007); the
/// sign stays in front of the zeros.
std::string FormatNumber(int32_t value, int32_t base, int32_t zeroFill);

/// FormatNumber of a value that is never negative (sizes, image facts,
/// CRCs), so 2^31 and more print as they are.
std::string FormatUnsignedNumber(uint64_t value, int32_t base, int32_t zeroFill);

/// A date field of a calendar time; format is compared in upper case: ""
/// YYYYMMDD, Y, Y2, M, D, H, MM, S, MS, the unpadded YR MR DR HR MMR SR MSR
/// and DOW (0 Sunday). Any other format gives "".
std::string FormatDateField(const platform::CCalendarTime& time, std::string_view format);

/// FormatDateField of the calendar time a file time holds (no time zone);
/// "" for a file time without calendar form.
std::string FormatFileTime(uint64_t fileTime, std::string_view format);

/// The calendar time of an EXIF date-time "YYYY:MM:DD HH:MM:SS" (exactly 19
/// bytes; the separators are not checked), with fields out of range rolled
/// over as the C library's mktime does (day 32 is a day of the next month),
/// by calendar arithmetic alone, so the machine's time zone plays no part.
/// The day of the week is filled; milliseconds are 0. False for another
/// length and for dates whose year ends outside 1..9999 (the all-zero date
/// of cameras without a clock among them).
bool ExifDateToCalendar(std::string_view dateTime, platform::CCalendarTime& time);

/// digits with separator between groups of three from the right; a text of
/// at most three characters is unchanged (1234567 gives 1,234,567).
std::string GroupThousands(std::string_view digits, char separator);

/// length characters, each picked from the characters of alphabet by the
/// tag random generator. An empty alphabet gives "".
std::string RandomText(int32_t length, std::string_view alphabet);

/// The next value, 0 to 32767, of the generator that SeedTagRandom seeds.
uint32_t NextTagRandom();

/// The n-th (from 1) maximal run of the digits 0-9 in text and its value
/// (leading zeros vanish, values beyond 32 bits are held at the limit).
bool FindNthNumber(std::string_view text, int32_t n, int32_t& value);

/// FindNthNumber that also gives the text before and after the run.
bool SplitAtNthNumber(std::string_view text, int32_t n, std::string& before, int32_t& value,
                      std::string& after);

/// 15 "32K", 16 "65K", 24 and 32 "16M", 48 "48B", otherwise 2 to the power
/// (bits modulo 32) in decimal.
std::string ColourAbbreviation(uint32_t bitsPerPixel);

/// One folder name of a folder path ending in "/": n > 0 counts from the
/// left (1 is the name after the first "/"), n < 0 from the right, 0 is the
/// whole path. "" when there is no such name.
std::string SelectFolderName(std::string_view folder, int32_t n);

/// A path piece fit for a file name: "/" and "\" become "_", ":" becomes ".".
std::string MakePathPieceSafe(std::string_view text);

/// A real as "%.3f" with "." as the decimal point, whatever the locale.
std::string FormatReal3(double value);

/// text without blanks, tabs and line ends at both ends.
std::string_view TrimWhiteSpace(std::string_view text);

/// ASCII case conversion and comparison (tag words are ASCII).
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace tags
