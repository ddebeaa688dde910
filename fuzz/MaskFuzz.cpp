// SPDX-License-Identifier: GPL-3.0-or-later
// Masks and names of any bytes: the splitter and the wildcard match never
// read out of bounds, and the plain rules of the match hold.
#include "catalogue/NameParts.h"
#include "platform/Wildcard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::string_view mask = bytes.substr(0, split);
    const std::string_view name =
        split == std::string_view::npos ? std::string_view{} : bytes.substr(split + 1);

    for (const std::string& piece : SplitMask(mask)) {
        if (piece.empty() || piece.find(';') != std::string::npos) {
            std::abort();
        }
        (void)platform::MatchWildcard(piece, name);
    }
    if (!platform::MatchWildcard("*", name) || !platform::MatchWildcard("*.*", name)) {
        std::abort();
    }
    if (name.find_first_of("*?") == std::string_view::npos &&
        !platform::MatchWildcard(name, name)) {
        std::abort();
    }
    std::string baseName;
    std::string extension;
    SplitName(name, baseName, extension);
    (void)LeadingInteger(name);
    (void)CompareNoCase(mask, name);
    return 0;
}
