// SPDX-License-Identifier: GPL-3.0-or-later
// INI texts of any bytes: loading never fails or reads out of bounds, a
// saved text reads back as itself, and a written text reads back unchanged.
#include "engine/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CIniFile ini;
    ini.LoadFromBytes(bytes);

    // The text of a save loads back to the same text (a line that starts
    // with a second byte order mark loses it, as any reader of the file
    // would skip it).
    const std::string text = ini.ToText();
    CIniFile reloaded;
    reloaded.LoadFromBytes(text);
    if (!text.starts_with("\xEF\xBB\xBF") && reloaded.ToText() != text) {
        std::abort();
    }

    // Every key the options file knows can be read whatever the file holds.
    static const char* const kSections[] = {"Filename", "Extension", "Autonumber", "Others"};
    static const char* const kKeys[] = {"ReplaceWith", "ReplaceWithValue", "Start", "Type",
                                        "InsertBefore", "UCase", "LeftCropValue"};
    for (const char* section : kSections) {
        for (const char* key : kKeys) {
            bool found = false;
            const std::string value = ini.GetString(section, key, found);
            if (!found && !value.empty()) {
                std::abort();
            }
            (void)ini.ReadInt(section, key, 7);
            (void)ini.ReadBool(section, key, true);
        }
    }

    // A text written under a key comes back as it was written, when a line
    // can hold it.
    const std::size_t split = bytes.find('\0');
    if (split != std::string_view::npos) {
        const std::string_view value = bytes.substr(split + 1);
        if (ini.WriteString("Fuzz", "Key", value)) {
            bool found = false;
            const std::string back = ini.GetString("Fuzz", "Key", found);
            const bool plain = !value.empty() && value.front() != '"' &&
                               value.size() <= CIniFile::kMaxValueChars;
            if (!found || (plain && back != value)) {
                std::abort();
            }
        }
    }
    return 0;
}
