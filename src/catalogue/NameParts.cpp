#include "catalogue/NameParts.h"

#include "platform/FindRecord.h"

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

} // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = kLower[static_cast<unsigned char>(a[i])];
        const int cb = kLower[static_cast<unsigned char>(b[i])];
        if (ca != cb) {
            return ca - cb;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void AppendFoldedCase(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.append(text);
    for (std::size_t i = start; i < out.size(); ++i) {
        out[i] = static_cast<char>(kLower[static_cast<unsigned char>(out[i])]);
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
