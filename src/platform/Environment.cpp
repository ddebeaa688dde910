// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace {

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string HomeFolder() {
    std::string home = GetEnvironment("HOME");
    if (home.empty()) {
        if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
            home = user->pw_dir;
        }
    }
    return home;
}

// Appends the value of name, or the reference as typed when it is not set.
void AppendVariable(std::string& out, const std::string& name, std::string_view typed) {
    if (const char* value = std::getenv(name.c_str()); value != nullptr) {
        out += value;
    } else {
        out += typed;
    }
}

} // namespace

std::string ExpandPath(const std::string& text) {
    std::string out;
    std::size_t i = 0;
    if (!text.empty() && text[0] == '~' && (text.size() == 1 || text[1] == '/')) {
        out = HomeFolder();
        i = 1;
    }
    const std::string_view view(text);
    while (i < text.size()) {
        const char c = text[i];
        if (c == '$' && i + 1 < text.size() && text[i + 1] == '{') {
            const auto close = text.find('}', i + 2);
            if (close != std::string::npos && close > i + 2) {
                AppendVariable(out, text.substr(i + 2, close - i - 2), view.substr(i, close - i + 1));
                i = close + 1;
                continue;
            }
        } else if (c == '$' && i + 1 < text.size() && IsNameChar(text[i + 1])) {
            std::size_t end = i + 1;
            while (end < text.size() && IsNameChar(text[end])) {
                ++end;
            }
            AppendVariable(out, text.substr(i + 1, end - i - 1), view.substr(i, end - i));
            i = end;
            continue;
        } else if (c == '%') {
            const auto close = text.find('%', i + 1);
            if (close != std::string::npos && close > i + 1) {
                const std::string name = text.substr(i + 1, close - i - 1);
                if (std::getenv(name.c_str()) != nullptr) {
                    AppendVariable(out, name, {});
                    i = close + 1;
                    continue;
                }
            }
        }
        out.push_back(c);
        ++i;
    }
    return out;
}

std::string GetEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace platform
