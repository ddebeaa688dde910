// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramSettings.h"

#include "engine/IniFile.h"
#include "engine/RenameCore.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

using Settings = CProgramSettings;

constexpr const char* kOthers = "Others";
constexpr const char* kColumnsWidth = "ColumnsWidth";
constexpr const char* kColumnsOrder = "ColumnsOrder";
constexpr const char* kPosition = "Position";
constexpr const char* kColors = "Colors";

struct CSwitchKey {
    const char* key;
    bool Settings::*field;
};

struct CColourKey {
    const char* key;
    uint32_t Settings::*field;
};

// The nine switches of the settings dialog, in the order of the file;
// RenameOnlySelectedFiles follows them.
constexpr CSwitchKey kDialogSwitches[] = {
    {"StartMaximized", &Settings::startMaximized},
    {"RememberLastPath", &Settings::rememberLastPath},
    {"RememberPosAndSize", &Settings::rememberPosAndSize},
    {"ReloadUserOptionsOnStart", &Settings::reloadUserOptionsOnStart},
    {"UnCheckAllAfterRenaming", &Settings::uncheckAllAfterRenaming},
    {"FilterWhenRETURNkeyPressed", &Settings::filterWhenReturnKeyPressed},
    {"AskConfirmationBeforeRenaming", &Settings::askConfirmationBeforeRenaming},
    {"OnInsertDateUseGMT", &Settings::onInsertDateUseGmt},
    {"SortColumNameAsNumber", &Settings::sortColumnNameAsNumber},
};
constexpr const char* kRenameOnlySelected = "RenameOnlySelectedFiles";
constexpr const char* kAllowSwapsAndChains = "AllowSwapsAndChains";
constexpr const char* kLanguage = "Language";
constexpr const char* kLastPath = "LastPath";

/// The one table of the column keys: each key with the column index it
/// names, in the order of the file. Both sections list the keys in this
/// order; ColumnsWidth stores under a key the width of its column, and
/// ColumnsOrder stores under the key at place i the order array's entry for
/// header position i (so "path", the second key, holds the column shown
/// second).
struct CColumnKey {
    const char* key;
    int column;
};
constexpr CColumnKey kColumnKeys[Settings::kColumnCount] = {
    {"name", kNameColumn},         {"path", kFolderColumn},       {"size", kSizeColumn},
    {"type", kTypeColumn},         {"ext", kExtensionColumn},     {"created", kCreatedColumn},
    {"modified", kModifiedColumn}, {"accessed", kAccessedColumn}, {"attributes", kAttributesColumn},
};

/// Where a key's width sits in columnWidths: its column index.
std::size_t ColumnOf(const CColumnKey& entry) {
    return static_cast<std::size_t>(entry.column);
}
/// Where a key's order entry sits in columnOrder: its place in the table.
std::size_t PlaceOf(const CColumnKey& entry) {
    return static_cast<std::size_t>(&entry - kColumnKeys);
}

constexpr const char* kPreviewWidth = "name_preview";

constexpr CColourKey kColourKeys[] = {
    {"ColorNormalF", &Settings::colorNormalF},
    {"ColorNormalB", &Settings::colorNormalB},
    {"ColorHiddenF", &Settings::colorHiddenF},
    {"ColorHiddenB", &Settings::colorHiddenB},
    {"ColorReadOnlyF", &Settings::colorReadOnlyF},
    {"ColorReadOnlyB", &Settings::colorReadOnlyB},
    {"ColorSystemF", &Settings::colorSystemF},
    {"ColorSystemB", &Settings::colorSystemB},
    {"ColorPreviewF", &Settings::colorPreviewF},
    {"ColorPreviewB", &Settings::colorPreviewB},
    {"ColorPreviewBeingRenamedF", &Settings::colorPreviewBeingRenamedF},
    {"ColorPreviewBeingRenamedB", &Settings::colorPreviewBeingRenamedB},
};

// Switches are stored as profile integers: any number but 0 is on, so a
// value without digits ("yes") reads as off.
bool ReadSwitch(const CIniFile& ini, const char* key, bool current) {
    return ini.ReadInt(key, current ? 1 : 0) != 0;
}

void WriteSwitch(CIniFile& ini, const char* key, bool on) {
    ini.WriteInt(key, on ? 1 : 0);
}

} // namespace

void CProgramSettings::SetDefaults(int desktopWidth, int desktopHeight) {
    *this = CProgramSettings();
    if (desktopWidth > 0 && desktopHeight > 0) {
        width = std::max(desktopWidth / 8 * 7, kMinDefaultWidth);
        height = std::max(desktopHeight / 8 * 7, kMinDefaultHeight);
    }
}

bool CProgramSettings::Load(const std::string& path) {
    CIniFile ini;
    if (!ini.Load(path)) {
        return false;
    }

    ini.SetSection(kOthers);
    for (const CSwitchKey& entry : kDialogSwitches) {
        this->*entry.field = ReadSwitch(ini, entry.key, this->*entry.field);
    }
    renameOnlySelectedFiles = ReadSwitch(ini, kRenameOnlySelected, renameOnlySelectedFiles);
    allowSwapsAndChains = ReadSwitch(ini, kAllowSwapsAndChains, allowSwapsAndChains);
    language = ini.ReadString(kLanguage, language);
    if (rememberLastPath) {
        lastPath = ini.ReadString(kLastPath, lastPath);
    }

    ini.SetSection(kColumnsWidth);
    for (const CColumnKey& entry : kColumnKeys) {
        int32_t& width = columnWidths[ColumnOf(entry)];
        width = ini.ReadInt(entry.key, width);
    }
    ini.SetSection(kColumnsOrder);
    for (const CColumnKey& entry : kColumnKeys) {
        int32_t& position = columnOrder[PlaceOf(entry)];
        position = ini.ReadInt(entry.key, position);
    }
    previewColumnWidth = ini.ReadInt(kColumnsWidth, kPreviewWidth, previewColumnWidth);

    if (rememberPosAndSize) {
        ini.SetSection(kPosition);
        x = ini.ReadInt("X", x);
        y = ini.ReadInt("Y", y);
        width = ini.ReadInt("Width", width);
        height = ini.ReadInt("Height", height);
        splitterPos = ini.ReadInt("SplitterPos", splitterPos);
        maximized = ReadSwitch(ini, "Maximized", maximized);
    }

    ini.SetSection(kColors);
    for (const CColourKey& entry : kColourKeys) {
        // Colours are stored as the signed decimal of their 32 bits, so every
        // value comes back as it was.
        const int32_t current = static_cast<int32_t>(this->*entry.field);
        this->*entry.field = static_cast<uint32_t>(ini.ReadInt(entry.key, current));
    }
    return true;
}

bool CProgramSettings::Save(const std::string& path, int& error) const {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::error_code code;
        std::filesystem::create_directories(folder, code);
        if (code) {
            error = code.value();
            return false;
        }
    }

    CIniFile ini;
    // A file that exists but cannot be read is left alone rather than
    // replaced by one that has lost the rename options stored in it.
    if (!ini.Load(path, error)) {
        return false;
    }

    ini.SetSection(kOthers);
    for (const CSwitchKey& entry : kDialogSwitches) {
        WriteSwitch(ini, entry.key, this->*entry.field);
    }
    WriteSwitch(ini, kRenameOnlySelected, renameOnlySelectedFiles);
    // Written once it is on, so that a file made before the switch existed
    // keeps its text while it stays off.
    bool swapsKeyFound = false;
    (void)ini.GetString(kOthers, kAllowSwapsAndChains, swapsKeyFound);
    if (allowSwapsAndChains || swapsKeyFound) {
        WriteSwitch(ini, kAllowSwapsAndChains, allowSwapsAndChains);
    }
    // Likewise the language, once it is chosen in the settings dialog.
    bool languageKeyFound = false;
    (void)ini.GetString(kOthers, kLanguage, languageKeyFound);
    if (!language.empty() || languageKeyFound) {
        // A language code has no blanks to keep: written bare, as "en".
        ini.WriteValue(kOthers, kLanguage, language);
    }
    ini.WriteString(kLastPath, lastPath);

    ini.SetSection(kColumnsWidth);
    for (const CColumnKey& entry : kColumnKeys) {
        ini.WriteInt(entry.key, columnWidths[ColumnOf(entry)]);
    }
    ini.SetSection(kColumnsOrder);
    for (const CColumnKey& entry : kColumnKeys) {
        ini.WriteInt(entry.key, columnOrder[PlaceOf(entry)]);
    }
    ini.WriteInt(kColumnsWidth, kPreviewWidth, previewColumnWidth);

    ini.SetSection(kPosition);
    ini.WriteInt("X", x);
    ini.WriteInt("Y", y);
    ini.WriteInt("Width", width);
    ini.WriteInt("Height", height);
    ini.WriteInt("SplitterPos", splitterPos);
    WriteSwitch(ini, "Maximized", maximized);

    ini.SetSection(kColors);
    for (const CColourKey& entry : kColourKeys) {
        ini.WriteInt(entry.key, static_cast<int32_t>(this->*entry.field));
    }
    return ini.Save(path, error);
}

CCoreSwitches CProgramSettings::CoreSwitches() const {
    return CCoreSwitches{askConfirmationBeforeRenaming, uncheckAllAfterRenaming, onInsertDateUseGmt,
                         allowSwapsAndChains};
}
