// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

/// The program's texts by numeric id; empty view when the id has no text.
/// Dutch, unless the window has installed its own texts (SetWindowTexts):
/// then a window text is the window's.
std::string_view LookupString(int id);

/// The Dutch text of id, whatever the window installed.
std::string_view LookupDutchString(int id);

/// Whether the window shows the text of id in its own language. The other
/// texts (console lines of a batch run, the text of a broken tag that lands in
/// file names, the file-manager entry) are Dutch in every language.
bool IsWindowString(int id);

/// Gives every window text the result of translate(its Dutch text), from
/// now on, for LookupString; an empty result keeps the Dutch. Only the window
/// installs its texts, once, before any other thread reads the table; batch
/// runs never do. An empty function puts the Dutch texts back.
void SetWindowTexts(const std::function<std::string(std::string_view dutch)>& translate);

/// Every id that has a text, ascending (for tests and tools).
std::span<const int> AllStringIds();

/// pattern with its printf-style placeholders (%s, %d, %i, %u) replaced by
/// values in order; "%%" gives "%". A value is never read as a pattern, so
/// a path holding "%s" stays as it is. Placeholders without a value become
/// empty.
std::string FillText(std::string_view pattern, std::initializer_list<std::string_view> values);

/// Ids of the texts that the code asks for by name. A command's tooltip is the text with
/// the command's own id and is looked up by that id, so tooltips have no names here.
namespace strings {

// Captions and the program name.
constexpr int kAboutMenuItem = 101; // system-menu item that opens the about box
constexpr int kCaptionProgram = 102;
constexpr int kCaptionWarning = 3002;
constexpr int kCaptionQuestion = 3049;
constexpr int kCaptionInformation = 3050;
constexpr int kCaptionError = 3051;
constexpr int kCaptionRenameFileError = 3034; // caption of a failed single-file rename (F2)

// Column titles: the preview list, the file list, the rename error list.
constexpr int kColumnPreview = 1000;
constexpr int kColumnFileName = 1001;
constexpr int kColumnFolder = 1002;
constexpr int kColumnSize = 1003;
constexpr int kColumnType = 1004;
constexpr int kColumnExtension = 1005;
constexpr int kColumnCreated = 1006;
constexpr int kColumnModified = 1007;
constexpr int kColumnAccessed = 1008;
constexpr int kColumnAttributes = 1009;
constexpr int kColumnErrorCode = 1500;
constexpr int kColumnErrorDescription = 1501;
constexpr int kColumnErrorFrom = 1502;
constexpr int kColumnErrorTo = 1503;

// Rule tabs.
constexpr int kTabFilename = 1010;
constexpr int kTabAutonumber = 1011;
constexpr int kTabMoreOptions = 1012; // not shown as a tab
constexpr int kTabExtension = 1013;

// Dialog titles and file-dialog filters.
constexpr int kTitleSelectFolder = 2000;
constexpr int kFilterIniFiles = 2998;
constexpr int kFilterBatchFiles = 2999;
constexpr int kFilterTextFiles = 3000;
constexpr int kTitleSaveOptions = 3027;
constexpr int kTitleLoadOptions = 3028;
constexpr int kTitleSavePreview = 32776;

// Tag expansion and the preview list.
constexpr int kInvalidCommand = 2001; // result of a rule text with an unclosed "<"
constexpr int kItems = 2002;          // unit in the preview column header
constexpr int kDoubleClickForPreview = 3009;

// Text editor.
constexpr int kTextFileTooLarge = 3001;
constexpr int kCannotOpenFile = 3003;
constexpr int kNotEnoughMemoryToOpenFile = 3004;

// Rename, undo, scripts and listings.
constexpr int kNothingToRename = 3005;
constexpr int kNothingToUndo = 3006;
constexpr int kErrorsWhileRenaming = 3007;
constexpr int kErrorsWhileUndoing = 3008;
constexpr int kNothingToRenameForScript = 3012;
constexpr int kCannotCreateBatchFile = 3013;
constexpr int kRenameScriptSaved = 3014;
constexpr int kPreviewListingSaved = 3015;
constexpr int kCannotCreateOptionsFile = 3016;
constexpr int kUndoScriptSaved = 3024;
constexpr int kConfirmRenameSelected = 3025;
constexpr int kConfirmRenameAll = 3026;
constexpr int kInvalidNameCharacters = 3033; // manual rename: a name with a forbidden character

// Shell verb.
constexpr int kShellVerbMenuText = 3017;

// Batch console.
constexpr int kPressKeyToStop = 3018;
constexpr int kRenameFailureReport = 3019;
constexpr int kUndoScriptCreated = 3020;
constexpr int kUndoScriptNotCreated = 3021;
constexpr int kTempUndoScriptCreated = 3022;
constexpr int kInvalidAddress = 3023;
constexpr int kUndoScriptCannotRecord = 3061; // the undo script took no more lines: the run stops

// Settings dialog.
constexpr int kAllowSwapsAndChains = 3070; // check box: a rename may swap names and follow chains

// Rows of the preview whose move would fail.
constexpr int kCollision = 3080;            // "botsing", in the preview header
constexpr int kCollisions = 3081;           // "botsingen"
constexpr int kCollidesWithRow = 3082;      // tooltip: another row takes the new name first
constexpr int kCollidesWithFile = 3083;     // tooltip: a file holds the new name
constexpr int kOneCollisionWillFail = 3084; // added to the rename question
constexpr int kCollisionsWillFail = 3085;
constexpr int kUncheckedRows = 3086;  // in the preview header: rows in unreadable folders
constexpr int kCannotCheckRow = 3087; // tooltip: the row's folder could not be read

// Options files.
constexpr int kCannotReadOptionsFile = 3060; // a named options file is missing or unreadable

// Progress dialogs.
constexpr int kAbortingPleaseWait = 3029;
constexpr int kComputingPreview = 3032;
constexpr int kRenamingPleaseWait = 3046;
constexpr int kUndoingPleaseWait = 3047;

// Main window navigation.
constexpr int kCannotAccessDrive = 3030;
constexpr int kCannotOpenSelectedFolder = 3031;
constexpr int kNotAValidPath = 3048;

// Extended filter dialog.
constexpr int kInvalidNameLength = 3035;
constexpr int kSizeValueMissing = 3036;
constexpr int kUnitBytes = 3043;
constexpr int kUnitKilobytes = 3044;
constexpr int kUnitMegabytes = 3045;

} // namespace strings
