#include "platform/Utf8.h"

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
    if (c >= 'A' && c <= 'Z') {
        return c + 32;
    }
    if (c < 0xC0) {
        return c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 32;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80;
    }
    switch (c) {
    case 0x178: // Ÿ
        return 0xFF;
    case 0x17F: // long s
        return 's';
    case 0x130: // İ and ı are not a case pair of each other
    case 0x131:
        return c;
    case 0x386: // Greek capitals with tonos
        return 0x3AC;
    case 0x388:
    case 0x389:
    case 0x38A:
        return c + 37;
    case 0x38C:
        return 0x3CC;
    case 0x38E:
    case 0x38F:
        return c + 63;
    case 0x3C2: // final sigma
        return 0x3C3;
    case 0x4C0: // palochka
        return 0x4CF;
    default:
        break;
    }
    // Latin Extended-A and Cyrillic extensions pair upper and lower case as
    // even and odd code points.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
        (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
        return c | 1;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE)) {
        return (c & 1) ? c + 1 : c;
    }
    return c;
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
