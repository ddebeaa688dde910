// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/NameParts.h"

#include "platform/FindRecord.h"
#include "platform/Utf8.h"

#include <array>

void SplitName(std::string_view longName, std::string& baseName, std::string& extension) {
    const auto dot = longName.rfind('.');
    if (dot == std::string_view::npos) {
        baseName.assign(longName);
        extension.clear();
        return;
    }
    baseName.assign(longName.substr(0, dot));
    extension.assign(longName.substr(dot + 1));
}

std::vector<std::string> SplitMask(std::string_view mask) {
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pos < mask.size()) {
        const auto semicolon = mask.find(';', pos);
        const std::size_t end = semicolon == std::string_view::npos ? mask.size() : semicolon;
        if (end == pos) {
            break;
        }
        pieces.emplace_back(mask.substr(pos, end - pos));
        pos = semicolon == std::string_view::npos ? mask.size() : semicolon + 1;
    }
    return pieces;
}

namespace {

constexpr std::array<unsigned char, 256> MakeLowerTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        table[static_cast<std::size_t>(i)] =
            static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    }
    return table;
}

constexpr auto kLower = MakeLowerTable();

// The bytes of a text folded as AppendFoldedCase folds it, one character
// folded at a time, so that a comparison stops where the texts differ and
// makes no copy.
class CFoldedBytes {
public:
    explicit CFoldedBytes(std::string_view text) : text(text) {}
    /// The next byte, or -1 after the last.
    int Next() {
        if (at == folded.size()) {
            if (pos >= text.size()) {
                return -1;
            }
            folded.clear();
            at = 0;
            std::size_t length = 0;
            utf8::Append(folded, utf8::FoldCase(utf8::Decode(text, pos, length)));
            pos += length;
        }
        return static_cast<unsigned char>(folded[at++]);
    }

private:
    std::string_view text;
    std::size_t pos = 0;
    std::string folded; // one character: never leaves the string's own room
    std::size_t at = 0;
};

} // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    std::size_t i = 0;
    for (; i < n; ++i) {
        const unsigned char byteA = static_cast<unsigned char>(a[i]);
        const unsigned char byteB = static_cast<unsigned char>(b[i]);
        if ((byteA | byteB) >= 0x80) {
            break;
        }
        const int ca = kLower[byteA];
        const int cb = kLower[byteB];
        if (ca != cb) {
            return ca - cb;
        }
    }
    if (i < n) {
        // Beyond ASCII; what went before was ASCII, so both rests start a
        // character. Characters that are the same, or fold to the same one,
        // are passed over; from the first that differ, the rests compare as
        // AppendFoldedCase folds them.
        std::size_t posA = i;
        std::size_t posB = i;
        while (posA < a.size() && posB < b.size()) {
            std::size_t lengthA = 0;
            std::size_t lengthB = 0;
            const char32_t ca = utf8::Decode(a, posA, lengthA);
            const char32_t cb = utf8::Decode(b, posB, lengthB);
            if (ca != cb && utf8::FoldCase(ca) != utf8::FoldCase(cb)) {
                break;
            }
            posA += lengthA;
            posB += lengthB;
        }
        CFoldedBytes restA(a.substr(posA));
        CFoldedBytes restB(b.substr(posB));
        for (;;) {
            const int ca = restA.Next();
            const int cb = restB.Next();
            if (ca != cb) {
                return ca < 0 ? -1 : (cb < 0 ? 1 : ca - cb);
            }
            if (ca < 0) {
                return 0;
            }
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void AppendFoldedCase(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.append(text);
    for (std::size_t i = start; i < out.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(out[i]);
        if (byte >= 0x80) {
            // A letter beyond ASCII: the rest goes character by character.
            std::size_t pos = i - start;
            out.resize(i);
            while (pos < text.size()) {
                std::size_t length = 0;
                utf8::Append(out, utf8::FoldCase(utf8::Decode(text, pos, length)));
                pos += length;
            }
            return;
        }
        out[i] = static_cast<char>(kLower[byte]);
    }
}

std::string AttributeLetters(uint32_t attributes) {
    struct Letter {
        uint32_t bit;
        char letter;
    };
    static constexpr Letter kLetters[] = {
        {platform::kAttrArchive, 'A'},    {platform::kAttrReadOnly, 'R'},
        {platform::kAttrHidden, 'H'},     {platform::kAttrSystem, 'S'},
        {platform::kAttrCompressed, 'C'}, {platform::kAttrDevice, 'E'},
        {platform::kAttrNormal, 'N'},     {platform::kAttrOffline, 'O'},
        {platform::kAttrTemporary, 'T'},
    };
    std::string letters;
    for (const auto& l : kLetters) {
        if (attributes & l.bit) {
            letters.push_back(l.letter);
        }
    }
    return letters;
}
