// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLineKeywords.h"

#include <cctype>

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string TrimWhiteSpace(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsWhiteSpace(text[first])) {
        ++first;
    }
    while (last > first && IsWhiteSpace(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

void CCommandLineKeywords::Parse(const std::string& text) {
    keys.clear();
    values.clear();
    rawCommandLine = text;
    const std::string trimmed = TrimWhiteSpace(text);
    if (trimmed.empty()) {
        return;
    }
    // A blank on each side means every key has a blank before it and every
    // unquoted value a blank after it.
    const std::string line = " " + trimmed + " ";
    const std::size_t length = line.size();
    std::size_t equals = line.find('=');
    while (equals != std::string::npos) {
        // Key: back over blanks before the "=", then back to the blank that
        // precedes the word.
        std::size_t keyEnd = equals;
        while (keyEnd > 0 && line[keyEnd - 1] == ' ') {
            --keyEnd;
        }
        std::size_t keyStart = keyEnd;
        while (keyStart > 0 && line[keyStart - 1] != ' ') {
            --keyStart;
        }
        const std::string key = UpperCase(TrimWhiteSpace(line.substr(keyStart, equals - keyStart)));

        std::size_t valueStart = equals + 1;
        while (valueStart < length && line[valueStart] == ' ') {
            ++valueStart;
        }
        if (valueStart >= length) {
            break; // only the closing blank remained: this key is dropped
        }
        std::string value;
        std::size_t valueLast;
        if (line[valueStart] == '"') {
            const std::size_t close = line.find('"', valueStart + 1);
            if (close == std::string::npos) {
                break; // no closing quote: this key is dropped
            }
            value = line.substr(valueStart + 1, close - valueStart - 1);
            valueLast = close;
        } else {
            const std::size_t blank = line.find(' ', valueStart);
            const std::size_t end = blank == std::string::npos ? length : blank;
            value = line.substr(valueStart, end - valueStart);
            valueLast = end - 1;
        }
        keys.push_back(key);
        values.push_back(value);
        // Searching on from the value's last character: an "=" inside the
        // value starts no keyword unless it is the value's last character.
        equals = line.find('=', valueLast);
    }
}

bool CCommandLineKeywords::GetValue(const std::string& name, int occurrence,
                                    std::string& value) const {
    const std::string wanted = UpperCase(name);
    int seen = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == wanted && ++seen == occurrence) {
            value = values[i];
            return true;
        }
    }
    value.clear();
    return false;
}

std::string CCommandLineKeywords::First(const std::string& name) const {
    std::string value;
    GetValue(name, 1, value);
    return value;
}

std::string CCommandLineKeywords::JoinArguments(const std::vector<std::string>& arguments) {
    std::string tail;
    for (const std::string& argument : arguments) {
        if (!tail.empty()) {
            tail.push_back(' ');
        }
        const std::size_t equals = argument.find('=');
        const bool needsQuotes = equals != std::string::npos && equals > 0 &&
                                 argument.find(' ', equals + 1) != std::string::npos &&
                                 argument.find(' ') > equals &&
                                 argument.find('"', equals + 1) == std::string::npos;
        if (needsQuotes) {
            tail += argument.substr(0, equals + 1) + "\"" + argument.substr(equals + 1) + "\"";
        } else {
            tail += argument;
        }
    }
    return tail;
}
