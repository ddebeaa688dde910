// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/DefaultColumns.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

/// Everything the program remembers between runs apart from the rename rules:
/// the general switches, the last folder, the list columns, the window
/// placement and the list colours. The application object owns one; it is
/// stored in the sections Others, ColumnsWidth, ColumnsOrder, Position and
/// Colors of the settings file, which may also hold the rename options.
struct CCoreSwitches;

class CProgramSettings {
public:
    /// The switches of these settings that the core reads.
    CCoreSwitches CoreSwitches() const;

    /// The columns of the file list (kNameColumn ... in catalogue/DefaultColumns.h).
    static constexpr std::size_t kColumnCount = kDefaultColumnCount;

    /// The smallest default window size.
    static constexpr int32_t kMinDefaultWidth = 636;
    static constexpr int32_t kMinDefaultHeight = 440;

    // Section Others.
    bool startMaximized = false;
    bool rememberLastPath = true;
    bool rememberPosAndSize = true;
    bool reloadUserOptionsOnStart = true;
    bool uncheckAllAfterRenaming = true;
    bool filterWhenReturnKeyPressed = true;
    bool askConfirmationBeforeRenaming = true;
    bool onInsertDateUseGmt = false;
    bool sortColumnNameAsNumber = false;
    bool renameOnlySelectedFiles = true;
    /// A rename may swap names and follow chains (batch runs read it too).
    bool allowSwapsAndChains = false;
    /// The window's language: "nl", a translation's code ("en"), or empty to
    /// follow the environment (app/InterfaceLanguage.h). Batch runs ignore it.
    std::string language;
    std::string lastPath;

    /// Pixel widths by column index (kNameColumn ...).
    std::array<int32_t, kColumnCount> columnWidths = {200, 60, 200, 50, 60, 200, 90, 90, 90};
    int32_t previewColumnWidth = 200;
    /// The list header's order array (position to column index), kept as a
    /// whole; position i is stored under the i-th key of the column keys
    /// (name, path, size, type, ext, created, modified, accessed, attributes).
    std::array<int32_t, kColumnCount> columnOrder = {0, 1, 2, 3, 4, 5, 6, 7, 8};

    // Section Position. -1 for x or y centres the window; a splitter position
    // of 0 or less means the default one.
    int32_t x = -1;
    int32_t y = -1;
    int32_t width = 0;
    int32_t height = 0;
    int32_t splitterPos = -1;
    bool maximized = false;

    // Section Colors: 0x00BBGGRR values (red in the low byte); F is the text
    // colour, B the background.
    uint32_t colorNormalF = 0x000000;
    uint32_t colorNormalB = 0xFFFFFF;
    uint32_t colorHiddenF = 0x808080;
    uint32_t colorHiddenB = 0xFFFFFF;
    uint32_t colorReadOnlyF = 0x808080;
    uint32_t colorReadOnlyB = 0xFFFFFF;
    uint32_t colorSystemF = 0x000080;
    uint32_t colorSystemB = 0xE6E6E6;
    uint32_t colorPreviewF = 0x000000;
    uint32_t colorPreviewB = 0xFFFFFF;
    uint32_t colorPreviewBeingRenamedF = 0x000000;
    uint32_t colorPreviewBeingRenamedB = 0xFFFFFF;

    /// Puts every field back to its default. The window gets seven eighths of
    /// the desktop in each direction, at least kMinDefaultWidth by
    /// kMinDefaultHeight. When the desktop size is not known (a size of 0 or
    /// less, as in a run without a display) width and height become 0, which
    /// tells the main window to derive them from the desktop when it opens.
    void SetDefaults(int desktopWidth, int desktopHeight);

    /// Reads the settings file at path over the fields; every missing or empty
    /// key keeps the field's current value. LastPath is read only when
    /// RememberLastPath (as just read) is on, the Position section only when
    /// RememberPosAndSize is on. A missing file changes nothing and gives
    /// true; false when the file exists but cannot be read.
    bool Load(const std::string& path);

    /// Writes every field to the settings file at path, creating its folder
    /// when missing and keeping the other sections of an existing file (the
    /// rename options may live there too). The file is replaced in one step.
    /// False when it could not be written; error then holds the errno value.
    bool Save(const std::string& path, int& error) const;

    bool operator==(const CProgramSettings&) const = default;
};
