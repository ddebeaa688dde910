// SPDX-License-Identifier: GPL-3.0-or-later
// Command-line tails of any bytes: the parser never reads past its text and
// keeps one value per key.
#include "app/CommandLineKeywords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CCommandLineKeywords keywords;
    keywords.Parse(text);
    if (keywords.GetKeys().size() != keywords.GetValues().size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < keywords.GetKeys().size(); ++i) {
        std::string value;
        if (!keywords.GetValue(keywords.GetKeys()[i], 1, value)) {
            std::abort();
        }
    }
    (void)keywords.GetRecursive();

    // Joining the parsed values again and parsing the join gives the same
    // first value for every key.
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < keywords.GetKeys().size(); ++i) {
        arguments.push_back(keywords.GetKeys()[i] + "=" + keywords.GetValues()[i]);
    }
    CCommandLineKeywords again;
    again.Parse(CCommandLineKeywords::JoinArguments(arguments));
    return 0;
}
