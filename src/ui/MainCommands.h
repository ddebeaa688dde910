// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>

#include <span>

/// Command ids of the main window; a command's tooltip is the string-table
/// text with its own id.
namespace cmd {
constexpr int kUp = 32771;
constexpr int kBack = 32772;
constexpr int kForward = 32773;
constexpr int kHistory = 32774;
constexpr int kSelectFolder = 32779;
constexpr int kRefresh = 32780;
constexpr int kShowFolders = 32781;
constexpr int kShowFiles = 32782;
constexpr int kFoldersAsFiles = 32783;
constexpr int kRecursive = 32879;
constexpr int kTextEditor = 32884;
constexpr int kRename = 32891;
constexpr int kUndo = 32894;
constexpr int kPreview = 32895;
constexpr int kSavePreview = 32902;
constexpr int kMakeRenameScript = 32903;
constexpr int kLoadOptions = 32904;
constexpr int kSaveOptions = 32905;
constexpr int kDefaultOptions = 32906;
constexpr int kMakeUndoScript = 32929;
constexpr int kNextTab = 32941;
constexpr int kFocusFileList = 32944;
constexpr int kSelectDrive = 32948;
constexpr int kSelectAll = 32994;
constexpr int kExtendedFilter = 32995;
constexpr int kAbout = 33002;
constexpr int kColours = 33004;
constexpr int kWideTextBox = 33005;
constexpr int kFocusMask = 33006;
constexpr int kSettings = 33007;
constexpr int kMoveRowsUp = 33010;
constexpr int kMoveRowsDown = 33011;
constexpr int kHelp = 57670;
/// The separator in the toolbar order.
constexpr int kSeparator = 0;
} // namespace cmd

/// One command of the main window: its key, whether it is a two-state
/// button, and the text of its popup item when it has no tooltip text.
struct CMainCommand {
    int id;
    const char* key; ///< portable key text ("Ctrl+Backspace"), or null
    bool checkable;
    /// The popup item text in Dutch, marked for translation (context
    /// "Window"), or null to use the tooltip.
    const char* menuText;
};

/// Every command of the main window, keyed or not.
std::span<const CMainCommand> MainCommands();

/// The main toolbar, left to right; cmd::kSeparator marks a separator.
std::span<const int> MainToolbarOrder();
