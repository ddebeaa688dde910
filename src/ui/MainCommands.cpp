// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainCommands.h"

#include <QtGlobal>

#include <array>

namespace {


constexpr CMainCommand kCommands[] = {
    {cmd::kUp, "Ctrl+Backspace", false, nullptr},
    {cmd::kHistory, "Ctrl+H", false, nullptr},
    {cmd::kBack, "Alt+Left", false, nullptr},
    {cmd::kForward, "Alt+Right", false, nullptr},
    {cmd::kRefresh, "F5", false, nullptr},
    {cmd::kSelectDrive, nullptr, false, nullptr},
    {cmd::kShowFolders, "F6", true, nullptr},
    {cmd::kFoldersAsFiles, "F7", true, nullptr},
    {cmd::kShowFiles, "F8", true, nullptr},
    {cmd::kExtendedFilter, "F3", false, nullptr},
    {cmd::kRecursive, "Ctrl+R", true, nullptr},
    {cmd::kTextEditor, "Ctrl+T", false, nullptr},
    {cmd::kSettings, "F10", false, nullptr},
    {cmd::kColours, "Ctrl+Alt+C", false, nullptr},
    {cmd::kPreview, "Ctrl+P", true, nullptr},
    {cmd::kMakeRenameScript, "Ctrl+B", false, nullptr},
    {cmd::kRename, "Ctrl+Alt+R", false, nullptr},
    {cmd::kUndo, "Ctrl+U", false, nullptr},
    {cmd::kMakeUndoScript, nullptr, false, nullptr},
    {cmd::kAbout, nullptr, false, nullptr},
    {cmd::kHelp, "F1", false, nullptr},
    {cmd::kSelectFolder, "Ctrl+O", false, nullptr},
    {cmd::kSavePreview, nullptr, false,
     QT_TRANSLATE_NOOP("Window", "Sla huidig voorbeeld op als .TXT bestand")},
    {cmd::kLoadOptions, "Ctrl+L", false, QT_TRANSLATE_NOOP("Window", "Openen NR opties uit .INI")},
    {cmd::kSaveOptions, "Ctrl+S", false, QT_TRANSLATE_NOOP("Window", "Opslaan NR opties in .INI")},
    {cmd::kDefaultOptions, nullptr, false,
     QT_TRANSLATE_NOOP("Window", "Herstellen van de standaard opties")},
    {cmd::kSelectAll, "Ctrl+A", false, QT_TRANSLATE_NOOP("Window", "Alles selecteren")},
    {cmd::kFocusFileList, "Ctrl+F", false, QT_TRANSLATE_NOOP("Window", "Naar de bestandenlijst")},
    {cmd::kFocusMask, "Ctrl+M", false, QT_TRANSLATE_NOOP("Window", "Naar het masker")},
    {cmd::kWideTextBox, "Ctrl+Alt+E", false,
     QT_TRANSLATE_NOOP("Window", "Tekst in een breed venster")},
    {cmd::kNextTab, "Ctrl+Tab", false, QT_TRANSLATE_NOOP("Window", "Volgende tab")},
    {cmd::kMoveRowsUp, "Ctrl+Up", false, QT_TRANSLATE_NOOP("Window", "Rijen omhoog")},
    {cmd::kMoveRowsDown, "Ctrl+Down", false, QT_TRANSLATE_NOOP("Window", "Rijen omlaag")},
};

constexpr std::array kToolbar = {
    cmd::kUp,           cmd::kSeparator,       cmd::kHistory,     cmd::kSeparator,
    cmd::kBack,         cmd::kForward,         cmd::kSeparator,   cmd::kRefresh,
    cmd::kSeparator,    cmd::kSelectDrive,     cmd::kSeparator,   cmd::kShowFolders,
    cmd::kFoldersAsFiles, cmd::kShowFiles,     cmd::kExtendedFilter, cmd::kSeparator,
    cmd::kRecursive,    cmd::kSeparator,       cmd::kTextEditor,  cmd::kSeparator,
    cmd::kSettings,     cmd::kColours,         cmd::kSeparator,   cmd::kPreview,
    cmd::kSeparator,    cmd::kMakeRenameScript, cmd::kRename,     cmd::kSeparator,
    cmd::kUndo,         cmd::kMakeUndoScript,  cmd::kSeparator,   cmd::kAbout,
    cmd::kHelp,
};

} // namespace

std::span<const CMainCommand> MainCommands() {
    return kCommands;
}

std::span<const int> MainToolbarOrder() {
    return kToolbar;
}
