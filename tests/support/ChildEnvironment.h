// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <map>
#include <string>
#include <vector>

extern char** environ; // unistd.h declares it only with _GNU_SOURCE

/// The environment of this process as "NAME=value" texts, with each of the
/// named variables left out and then added at the end with its new value.
inline std::vector<std::string>
EnvironmentWith(const std::map<std::string, std::string>& overrides = {}) {
    std::vector<std::string> texts;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        if (overrides.count(text.substr(0, text.find('='))) == 0) {
            texts.push_back(text);
        }
    }
    for (const auto& [name, value] : overrides) {
        texts.push_back(name + "=" + value);
    }
    return texts;
}

/// The texts as execve takes its argument and environment arrays: a pointer
/// to each, then a null pointer. The texts must outlive the array.
inline std::vector<char*> ExecArray(std::vector<std::string>& texts) {
    std::vector<char*> array;
    for (std::string& text : texts) {
        array.push_back(text.data());
    }
    array.push_back(nullptr);
    return array;
}
