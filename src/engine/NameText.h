// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/RenameOptions.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// The pure text functions of the name computation. Texts are UTF-8;
/// lengths, counts and positions are characters (code points), a byte that
/// is not part of a valid sequence counting as one character that is kept as
/// it is. No function splits a UTF-8 sequence.

/// The most characters a formatted autonumber may have.
inline constexpr std::size_t kMaxAutonumberChars = 255;

/// Number of characters of text.
std::size_t CharCount(std::string_view text);
/// The first n characters (all of text when it is shorter).
std::string FirstChars(std::string_view text, std::size_t n);
/// The last n characters (all of text when it is shorter).
std::string LastChars(std::string_view text, std::size_t n);
/// text with insert put after its first position characters (at the end
/// when position is past it).
std::string InsertAtChar(std::string_view text, std::size_t position, std::string_view insert);

/// Unicode simple case mapping of every character (ICU).
std::string ToUpperText(std::string_view text);
std::string ToLowerText(std::string_view text);

/// Replaces every occurrence of search, left to right and without overlap.
/// Without matchCase both sides are compared in lower case; the text
/// between the matches keeps its case. An empty search changes nothing.
std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement, bool matchCase);

/// Lowers the text, then raises its first character and every character
/// that follows a blank (only U+0020 separates words).
std::string CapitaliseWords(std::string_view text);

/// Lowers the text, then raises its first character.
std::string CapitaliseFirst(std::string_view text);

/// Maps the 53 accented Latin letters of U+00C0..U+00FF to their plain
/// letters (à to a, Ç to C, ÿ to y, ...); every other character stays.
std::string RemoveAccents(std::string_view text);

/// Bijective numbering over the characters of alphabet, the spreadsheet
/// column scheme: 0 gives "", 1..k the single symbols, k + 1 the first
/// symbol twice, and so on. An empty alphabet gives "". A result longer
/// than maxChars characters is refused: the result is "" (the work done is
/// bounded by maxChars, whatever the value).
std::string ToLetters(uint64_t value, std::string_view alphabet,
                      std::size_t maxChars = kMaxAutonumberChars);

/// The autonumber text of counter. base is an AutonumberBase value; a value
/// below -1 means the base is its negation (2 to 36, digits above 9 as
/// capitals, zero fill applies), any other value means decimal. Zero fill z
/// pads Dec, Hex, Oct, Bin and those bases to z + 1 digits. A negative
/// counter gets "-" in front. A number that would be longer than
/// kMaxAutonumberChars characters is refused and gives "".
std::string FormatAutonumber(int32_t counter, int32_t base, int32_t zeroFill,
                             std::string_view manualDigits);

/// Replaces each of the nine characters a file name may not hold
/// (\ / : * ? " < > |) and every control character (U+0000 to U+001F,
/// U+007F) by "_".
std::string SanitiseName(std::string_view text);
void SanitiseNameInPlace(std::string& text);
