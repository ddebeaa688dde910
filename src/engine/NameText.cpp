// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/NameText.h"

#include <algorithm>

#include "platform/Utf8.h"

#include <unicode/uchar.h>

#include <array>
#include <string>
#include <vector>

namespace {

bool IsAscii(unsigned char byte) {
    return byte < 0x80;
}

unsigned char ByteAt(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

/// Byte offset after the first n characters (text.size() when shorter).
std::size_t OffsetAfterChars(std::string_view text, std::size_t n) {
    std::size_t pos = 0;
    while (pos < text.size() && n > 0) {
        pos += IsAscii(ByteAt(text, pos)) ? 1 : utf8::CharLength(text, pos);
        --n;
    }
    return pos;
}

char AsciiLower(unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

char AsciiUpper(unsigned char c) {
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
}

char32_t Lower(char32_t c) {
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
}
char32_t Upper(char32_t c) {
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}
char32_t Title(char32_t c) {
    return static_cast<char32_t>(u_totitle(static_cast<UChar32>(c)));
}

/// The code point of the character at text[pos], lowered when lower is set,
/// and its length. Invalid bytes come back as their 0xDC00 + byte stand-ins,
/// which ICU leaves alone.
char32_t CodePointAt(std::string_view text, std::size_t pos, std::size_t& length, bool lower) {
    const unsigned char byte = ByteAt(text, pos);
    if (IsAscii(byte)) {
        length = 1;
        return lower ? static_cast<unsigned char>(AsciiLower(byte)) : byte;
    }
    const char32_t c = utf8::Decode(text, pos, length);
    return lower ? Lower(c) : c;
}

/// Maps every character: ASCII bytes through mapAscii(byte, offset), the
/// others through mapCodePoint(codePoint, offset).
template <typename MapAscii, typename MapCodePoint>
std::string MapChars(std::string_view text, MapAscii mapAscii, MapCodePoint mapCodePoint) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const unsigned char byte = ByteAt(text, pos);
        if (IsAscii(byte)) {
            out.push_back(mapAscii(byte, pos));
            ++pos;
            continue;
        }
        std::size_t length;
        const char32_t c = utf8::Decode(text, pos, length);
        utf8::Append(out, mapCodePoint(c, pos));
        pos += length;
    }
    return out;
}

/// Lowers text and raises the first character and, when afterBlank, every
/// character that follows a blank.
std::string Capitalise(std::string_view text, bool afterBlank) {
    const auto raised = [text, afterBlank](std::size_t pos) {
        return pos == 0 || (afterBlank && text[pos - 1] == ' ');
    };
    return MapChars(
        text,
        [&raised](unsigned char c, std::size_t pos) {
            return raised(pos) ? AsciiUpper(c) : AsciiLower(c);
        },
        [&raised](char32_t c, std::size_t pos) { return raised(pos) ? Title(c) : Lower(c); });
}

/// Plain letter of U+00C0 + index, or 0 when the letter keeps its accent
/// (Æ, Ð, ×, Ø, Þ, ß, æ, ð, ÷, ø, þ).
constexpr std::array<char, 64> kPlainLetters = {
    'A', 'A', 'A', 'A', 'A', 'A', 0,   'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I', // C0
    0,   'N', 'O', 'O', 'O', 'O', 'O', 0,   0,   'U', 'U', 'U', 'U', 'Y', 0,   0,   // D0
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i', // E0
    0,   'n', 'o', 'o', 'o', 'o', 'o', 0,   0,   'u', 'u', 'u', 'u', 'y', 0,   'y', // F0
};

/// U+00C0..U+00FF are encoded as 0xC3 followed by 0x80..0xBF.
constexpr unsigned char kLatin1UpperLead = 0xC3;

/// Plain letter for the two bytes at text[pos], or 0.
char PlainLetterAt(std::string_view text, std::size_t pos) {
    if (ByteAt(text, pos) != kLatin1UpperLead || pos + 1 >= text.size()) {
        return 0;
    }
    const unsigned char next = ByteAt(text, pos + 1);
    if ((next & 0xC0) != 0x80) {
        return 0;
    }
    return kPlainLetters[next - 0x80];
}

bool IsForbiddenInName(char c) {
    // Control characters: a line feed or a tab breaks every script and
    // listing that reads names a line or a field at a time, Windows file
    // systems refuse them all, and the zero byte would cut the name short at
    // the system call.
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
        return true;
    }
    switch (c) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

/// Number of characters of ToLetters(value) over k symbols, or 0 when it
/// would exceed maxChars. Takes at most min(maxChars, 64) steps for k >= 2.
std::size_t LettersLength(uint64_t value, uint64_t k, std::size_t maxChars) {
    if (k == 1) {
        return value <= maxChars ? static_cast<std::size_t>(value) : 0;
    }
    // There are k^n numbers of n symbols; walk n up until value falls among them.
    uint64_t remaining = value;
    uint64_t power = 1;
    for (std::size_t n = 1; n <= maxChars; ++n) {
        power = power > UINT64_MAX / k ? UINT64_MAX : power * k;
        if (remaining <= power) {
            return n;
        }
        remaining -= power;
    }
    return 0;
}

constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

/// The radix of an autonumber base, or 0 for the letter bases.
int RadixOf(int32_t base, std::string_view manualDigits) {
    switch (base) {
    case static_cast<int32_t>(AutonumberBase::Dec):
        return 10;
    case static_cast<int32_t>(AutonumberBase::Hex):
        return 16;
    case static_cast<int32_t>(AutonumberBase::Oct):
        return 8;
    case static_cast<int32_t>(AutonumberBase::Bin):
        return 2;
    case static_cast<int32_t>(AutonumberBase::Letters):
        return 0;
    case static_cast<int32_t>(AutonumberBase::Manual):
        return manualDigits.empty() ? 10 : 0;
    default:
        break;
    }
    if (base < -1) {
        const int64_t radix = -static_cast<int64_t>(base);
        if (radix >= 2 && radix <= 36) {
            return static_cast<int>(radix);
        }
    }
    return 10;
}

} // namespace

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) {
        pos += IsAscii(ByteAt(text, pos)) ? 1 : utf8::CharLength(text, pos);
    }
    return count;
}

std::string FirstChars(std::string_view text, std::size_t n) {
    return std::string(text.substr(0, OffsetAfterChars(text, n)));
}

std::string LastChars(std::string_view text, std::size_t n) {
    // Walking backwards cannot tell a stray continuation byte from the tail
    // of a sequence without looking forward again, so count from the front.
    const std::size_t count = CharCount(text);
    if (n >= count) {
        return std::string(text);
    }
    return std::string(text.substr(OffsetAfterChars(text, count - n)));
}

std::string InsertAtChar(std::string_view text, std::size_t position, std::string_view insert) {
    const std::size_t offset = OffsetAfterChars(text, position);
    std::string out;
    out.reserve(text.size() + insert.size());
    out.append(text.substr(0, offset));
    out.append(insert);
    out.append(text.substr(offset));
    return out;
}

std::string ToUpperText(std::string_view text) {
    return MapChars(
        text, [](unsigned char c, std::size_t) { return AsciiUpper(c); },
        [](char32_t c, std::size_t) { return Upper(c); });
}

std::string ToLowerText(std::string_view text) {
    return MapChars(
        text, [](unsigned char c, std::size_t) { return AsciiLower(c); },
        [](char32_t c, std::size_t) { return Lower(c); });
}

std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement, bool matchCase) {
    if (search.empty()) {
        return std::string(text);
    }
    std::string out;
    std::size_t copied = 0; // text before this offset is already in out
    bool replaced = false;
    const auto allAscii = [](std::string_view t) {
        return std::all_of(t.begin(), t.end(),
                           [](char c) { return IsAscii(static_cast<unsigned char>(c)); });
    };
    if (!matchCase && allAscii(search) && allAscii(text)) {
        // Plain ASCII, the usual case: lowered copies match at the same
        // offsets as the text itself.
        const auto lowered = [](std::string_view t) {
            std::string low(t);
            for (char& c : low) {
                if (c >= 'A' && c <= 'Z') {
                    c = static_cast<char>(c - 'A' + 'a');
                }
            }
            return low;
        };
        const std::string lowText = lowered(text);
        const std::string lowSearch = lowered(search);
        for (std::size_t found = lowText.find(lowSearch); found != std::string::npos;
             found = lowText.find(lowSearch, copied)) {
            out.append(text.substr(copied, found - copied));
            out.append(replacement);
            copied = found + search.size();
            replaced = true;
        }
        if (!replaced) {
            return std::string(text);
        }
        out.append(text.substr(copied));
        return out;
    }
    // A valid search text can only match whole characters of the text (a lead
    // byte never sits inside a sequence), so the byte search suffices there.
    if (matchCase && utf8::IsValid(search)) {
        for (std::size_t found = text.find(search); found != std::string_view::npos;
             found = text.find(search, copied)) {
            out.append(text.substr(copied, found - copied));
            out.append(replacement);
            copied = found + search.size();
            replaced = true;
        }
    } else {
        std::u32string needle;
        needle.reserve(search.size());
        for (std::size_t pos = 0; pos < search.size();) {
            std::size_t length;
            needle.push_back(CodePointAt(search, pos, length, !matchCase));
            pos += length;
        }
        // Compare character by character, so a match ends on a character
        // boundary of the original text whatever the lengths of the mapped
        // characters.
        for (std::size_t start = 0; start < text.size();) {
            std::size_t pos = start;
            std::size_t firstLength = 0;
            std::size_t matched = 0;
            while (matched < needle.size() && pos < text.size()) {
                std::size_t length;
                if (CodePointAt(text, pos, length, !matchCase) != needle[matched]) {
                    if (matched == 0) {
                        firstLength = length;
                    }
                    break;
                }
                if (matched == 0) {
                    firstLength = length;
                }
                pos += length;
                ++matched;
            }
            if (matched == needle.size()) {
                out.append(text.substr(copied, start - copied));
                out.append(replacement);
                copied = pos;
                start = pos;
                replaced = true;
            } else {
                start += firstLength;
            }
        }
    }
    if (!replaced) {
        return std::string(text);
    }
    out.append(text.substr(copied));
    return out;
}

std::string CapitaliseWords(std::string_view text) {
    return Capitalise(text, true);
}

std::string CapitaliseFirst(std::string_view text) {
    return Capitalise(text, false);
}

std::string RemoveAccents(std::string_view text) {
    std::string out;
    std::size_t copied = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char plain = PlainLetterAt(text, pos);
        if (plain != 0) {
            if (out.empty()) {
                out.reserve(text.size());
            }
            out.append(text.substr(copied, pos - copied));
            out.push_back(plain);
            ++pos;
            copied = pos + 1;
        }
    }
    if (copied == 0) {
        return std::string(text);
    }
    out.append(text.substr(copied));
    return out;
}

std::string ToLetters(uint64_t value, std::string_view alphabet, std::size_t maxChars) {
    if (value == 0 || alphabet.empty()) {
        return {};
    }
    const std::size_t k = CharCount(alphabet);
    const std::size_t length = LettersLength(value, k, maxChars);
    if (length == 0) {
        return {};
    }
    std::string out;
    if (k == 1) {
        out.reserve(length * alphabet.size());
        for (std::size_t i = 0; i < length; ++i) {
            out.append(alphabet);
        }
        return out;
    }
    // With k >= 2 a 64-bit value has at most 64 symbols, least significant first.
    std::array<std::size_t, 64> digits{};
    std::size_t count = 0;
    for (uint64_t v = value; v > 0; v = (v - 1) / k) {
        digits[count++] = static_cast<std::size_t>((v - 1) % k);
    }
    if (k == alphabet.size()) {
        out.reserve(count);
        while (count > 0) {
            out.push_back(alphabet[digits[--count]]);
        }
        return out;
    }
    // Multi-byte symbols: their byte offsets, with the end of the alphabet last.
    std::vector<std::size_t> offsets;
    offsets.reserve(k + 1);
    for (std::size_t pos = 0; pos < alphabet.size(); pos += utf8::CharLength(alphabet, pos)) {
        offsets.push_back(pos);
    }
    offsets.push_back(alphabet.size());
    out.reserve(count * (alphabet.size() / k + 1));
    while (count > 0) {
        const std::size_t i = digits[--count];
        out.append(alphabet.substr(offsets[i], offsets[i + 1] - offsets[i]));
    }
    return out;
}

std::string FormatAutonumber(int32_t counter, int32_t base, int32_t zeroFill,
                             std::string_view manualDigits) {
    const bool negative = counter < 0;
    const uint64_t value =
        static_cast<uint64_t>(negative ? -static_cast<int64_t>(counter) : counter);
    const std::size_t room = kMaxAutonumberChars - (negative ? 1 : 0);
    const std::string_view sign = negative ? "-" : "";

    const int radix = RadixOf(base, manualDigits);
    if (radix == 0) {
        const std::string_view alphabet = base == static_cast<int32_t>(AutonumberBase::Letters)
                                              ? "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                              : manualDigits;
        std::string letters = ToLetters(value, alphabet, room);
        if (letters.empty() || !negative) {
            return letters;
        }
        return std::string(sign) + letters;
    }

    std::array<char, 64> digits{};
    std::size_t count = 0;
    uint64_t v = value;
    do {
        digits[count++] = kDigits[v % static_cast<uint64_t>(radix)];
        v /= static_cast<uint64_t>(radix);
    } while (v > 0);

    const uint64_t fill = zeroFill > 0 ? static_cast<uint64_t>(zeroFill) : 0;
    const uint64_t width = fill > 0 && count <= fill ? fill + 1 : count;
    if (width > room) {
        return {};
    }
    std::string out;
    out.reserve(sign.size() + static_cast<std::size_t>(width));
    out.append(sign);
    out.append(static_cast<std::size_t>(width) - count, '0');
    while (count > 0) {
        out.push_back(digits[--count]);
    }
    return out;
}

void SanitiseNameInPlace(std::string& text) {
    // The characters are ASCII (U+0000 to U+007F), and no byte of a
    // multi-byte sequence is.
    for (char& c : text) {
        if (IsForbiddenInName(c)) {
            c = '_';
        }
    }
}

std::string SanitiseName(std::string_view text) {
    std::string out(text);
    SanitiseNameInPlace(out);
    return out;
}
