// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Utf8.h"

#include <unicode/uchar.h>

namespace utf8 {

namespace {

constexpr char32_t kRawByteBase = 0xDC00;

unsigned char ByteAt(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

} // namespace

char32_t Decode(std::string_view text, std::size_t pos, std::size_t& length) {
    const unsigned char lead = ByteAt(text, pos);
    length = 1;
    if (lead < 0x80) {
        return lead;
    }
    std::size_t need;
    char32_t value;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3, value = lead & 0x07, minimum = 0x10000;
    } else {
        return kRawByteBase + lead;
    }
    if (pos + need >= text.size()) {
        return kRawByteBase + lead;
    }
    for (std::size_t i = 1; i <= need; ++i) {
        const unsigned char next = ByteAt(text, pos + i);
        if (!IsContinuation(next)) {
            return kRawByteBase + lead;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return kRawByteBase + lead;
    }
    length = need + 1;
    return value;
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
    std::size_t length;
    Decode(text, pos, length);
    return length;
}

void Append(std::string& out, char32_t cp) {
    if (cp >= kRawByteBase + 0x80 && cp <= kRawByteBase + 0xFF) {
        out.push_back(static_cast<char>(cp - kRawByteBase));
    } else if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::size_t CountChars(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        ++count;
    }
    return count;
}

std::size_t OffsetOfChar(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (; pos < text.size() && index > 0; --index) {
        pos += CharLength(text, pos);
    }
    return pos;
}

bool IsValid(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length;
        const char32_t cp = Decode(text, pos, length);
        if (cp >= kRawByteBase + 0x80 && cp <= kRawByteBase + 0xFF) {
            return false;
        }
        pos += length;
    }
    return true;
}

char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return c >= 'A' && c <= 'Z' ? c + 32 : c;
    }
    // ICU's simple folding: one code point for one, in every script. A raw
    // byte's stand-in is a lone surrogate, which folds to itself.
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        std::size_t lengthA;
        std::size_t lengthB;
        if (FoldCase(Decode(a, i, lengthA)) != FoldCase(Decode(b, j, lengthB))) {
            return false;
        }
        i += lengthA;
        j += lengthB;
    }
    return i == a.size() && j == b.size();
}

} // namespace utf8
