// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

/// Letter-case change of a rule block. The values are what options files
/// store (key UCase); any other stored number means Unchanged.
enum class CaseMode : int32_t {
    Unchanged = 0,
    Upper = 1,
    Lower = 2,
    WordsCapitalised = 3,
    FirstCapitalised = 4,
};

/// Number system of the autonumber (key Type); any other stored number
/// means Dec.
enum class AutonumberBase : int32_t {
    Dec = 0,
    Hex = 1,
    Oct = 2,
    Bin = 3,
    Letters = 4,
    Manual = 5,
};

/// Where the autonumber goes (key Action); any other stored number means
/// None.
enum class AutonumberPosition : int32_t {
    None = 0,
    BeforeName = 1,
    AfterName = 2,
};

/// One block of text rules, the same for the name part and the extension
/// part. Every count and position is kept as the text the user typed; the
/// name computation reads it as a decimal number.
struct CNameRuleBlock {
    bool replaceWithOn = false;
    bool replaceTextOn = false;
    bool leftCropOn = false;
    bool rightCropOn = false;
    bool cropAtOn = false;
    bool insertBeforeOn = false;
    bool insertAfterOn = false;
    bool insertAtOn = false;
    bool matchCase = false;
    bool removeAccents = false;

    std::string replaceWithText;
    std::string searchText;
    std::string replacementText;
    std::string leftCropCount;
    std::string rightCropCount;
    std::string cropPosition;
    std::string cropCount;
    std::string insertBeforeText;
    std::string insertAfterText;
    std::string insertAtPosition;
    std::string insertAtText;

    CaseMode caseMode = CaseMode::Unchanged;

    bool operator==(const CNameRuleBlock&) const = default;
};

/// The first alphabet the Autonumber page offers for the Manual base.
inline constexpr const char* kDefaultManualDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct CAutonumberOptions {
    std::string start = "1";
    std::string increment = "1";
    std::string zeroFill = "1";
    std::string manualDigits = kDefaultManualDigits;
    bool restartPerFolder = true;
    AutonumberBase base = AutonumberBase::Dec;
    AutonumberPosition position = AutonumberPosition::None;

    bool operator==(const CAutonumberOptions&) const = default;
};

/// Everything that describes the new names. renameOnlySelected is kept with
/// the program settings (RenameOnlySelectedFiles), not in options files.
struct CRenameOptions {
    CNameRuleBlock name;
    CNameRuleBlock extension;
    CAutonumberOptions autonumber;
    bool renameOnlySelected = true;

    bool operator==(const CRenameOptions&) const = default;
};

/// Reads the sections Filename, Extension and Autonumber of the INI file at
/// path into options. Every key that is missing or empty keeps the value
/// options already holds, and so does everything when the file is missing
/// or unreadable. Returns false only when a file exists but cannot be read.
bool LoadOptionsFile(const std::string& path, CRenameOptions& options);

/// LoadOptionsFile for a file the user named: one that is missing or cannot
/// be read changes nothing and gives false, with the errno value in error
/// (ENOENT for a missing file).
bool ReadOptionsFile(const std::string& path, CRenameOptions& options, int& error);

/// Writes the three sections to path, keeping every other section of an
/// existing file (the settings file shares its sections with the options).
/// False when the file could not be written; error then holds the errno
/// value.
bool SaveOptionsFile(const std::string& path, const CRenameOptions& options, int& error);

/// Switches every rule of both blocks off, both case modes to Unchanged and
/// the autonumber position to None; the texts stay (what a rename does when
/// UnCheckAllAfterRenaming is on).
void UncheckAllRules(CRenameOptions& options);
