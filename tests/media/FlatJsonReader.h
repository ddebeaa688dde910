// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reference readings of the shared test data: ExifTool's `exiftool -j -n`
// output and mutagen's readings, arrays of flat objects.

#include <cctype>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace testdata {

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ---- a reader for ExifTool's flat JSON objects ---------------------------------

/// One object of the array: every value as its text (a number or a truth
/// value as written, a list as its items joined by ", "); a key whose value
/// is null is left out, as absent.
using CRecord = std::map<std::string, std::string>;

class CFlatJsonReader {
public:
    explicit CFlatJsonReader(const std::string& text) : text(text) {}

    /// An array of objects whose values are strings, numbers, truth values or
    /// lists of these. False on anything else.
    bool ReadArray(std::vector<CRecord>& records) {
        if (!Take('[')) {
            return false;
        }
        if (Take(']')) {
            return true;
        }
        do {
            CRecord record;
            if (!ReadObject(record)) {
                return false;
            }
            records.push_back(std::move(record));
        } while (Take(','));
        return Take(']');
    }

private:
    void SkipBlanks() {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) {
            ++at;
        }
    }

    bool Take(char c) {
        SkipBlanks();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }

    /// A bare word (null) as the next value.
    bool TakeWord(std::string_view word) {
        SkipBlanks();
        if (text.compare(at, word.size(), word) != 0) {
            return false;
        }
        at += word.size();
        return true;
    }

    bool ReadString(std::string& out) {
        if (!Take('"')) {
            return false;
        }
        while (at < text.size() && text[at] != '"') {
            if (text[at] == '\\' && at + 1 < text.size()) {
                ++at; // the escaped character stands for itself here
            }
            out += text[at++];
        }
        return Take('"');
    }

    bool ReadValue(std::string& out) {
        SkipBlanks();
        if (at < text.size() && text[at] == '"') {
            return ReadString(out);
        }
        if (Take('[')) {
            // A list of strings or numbers: its items joined by ", ", as
            // ExifTool writes a list in its plain output.
            if (Take(']')) {
                return true;
            }
            do {
                std::string item;
                if (!ReadValue(item)) {
                    return false;
                }
                out += out.empty() ? item : ", " + item;
            } while (Take(','));
            return Take(']');
        }
        while (at < text.size() && text[at] != ',' && text[at] != '}' && text[at] != ']' &&
               std::isspace(static_cast<unsigned char>(text[at])) == 0) {
            out += text[at++];
        }
        return !out.empty();
    }

    bool ReadObject(CRecord& record) {
        if (!Take('{')) {
            return false;
        }
        if (Take('}')) {
            return true;
        }
        do {
            std::string key;
            std::string value;
            if (!ReadString(key) || !Take(':')) {
                return false;
            }
            if (TakeWord("null")) {
                continue;
            }
            if (!ReadValue(value)) {
                return false;
            }
            record[key] = value;
        } while (Take(','));
        return Take('}');
    }

    const std::string& text;
    std::size_t at = 0;
};

} // namespace testdata
