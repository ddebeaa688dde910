// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Wildcard.h"

#include "platform/Utf8.h"

namespace platform {

namespace {

char32_t NextFolded(std::string_view text, std::size_t& pos) {
    std::size_t length;
    const char32_t c = utf8::Decode(text, pos, length);
    pos += length;
    return utf8::FoldCase(c);
}

} // namespace

bool MatchWildcard(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    // Greedy match with one backtrack point, the last "*": linear in practice
    // and never worse than pattern length times name length.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            while (p < pattern.size() && pattern[p] == '*') {
                ++p;
            }
            if (p == pattern.size()) {
                return true;
            }
            starP = p;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            std::size_t pNext = p;
            std::size_t nNext = n;
            const bool any = pattern[p] == '?';
            const char32_t pc = any ? 0 : NextFolded(pattern, pNext);
            if (any) {
                pNext = p + 1;
            }
            const char32_t nc = NextFolded(name, nNext);
            if (any || pc == nc) {
                p = pNext;
                n = nNext;
                continue;
            }
        }
        if (starP == std::string_view::npos) {
            return false;
        }
        starN += utf8::CharLength(name, starN);
        p = starP;
        n = starN;
    }
    // Trailing stars match the empty rest of the name.
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace platform
