// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RenameOptions.h"

#include "engine/IniFile.h"

namespace {

constexpr const char* kNameSection = "Filename";
constexpr const char* kExtensionSection = "Extension";
constexpr const char* kAutonumberSection = "Autonumber";

struct CFlagKey {
    const char* key;
    bool CNameRuleBlock::*field;
};

struct CTextKey {
    const char* key;
    std::string CNameRuleBlock::*field;
};

// The order of these tables is the order of the keys in the file.
constexpr CFlagKey kFlagKeys[] = {
    {"ReplaceWith", &CNameRuleBlock::replaceWithOn},
    {"ReplaceText", &CNameRuleBlock::replaceTextOn},
    {"LeftCrop", &CNameRuleBlock::leftCropOn},
    {"RightCrop", &CNameRuleBlock::rightCropOn},
    {"CropAt", &CNameRuleBlock::cropAtOn},
    {"InsertBefore", &CNameRuleBlock::insertBeforeOn},
    {"InsertAfter", &CNameRuleBlock::insertAfterOn},
    {"InsertAtPos", &CNameRuleBlock::insertAtOn},
    {"MatchCase", &CNameRuleBlock::matchCase},
    {"RemoveAccents", &CNameRuleBlock::removeAccents},
};

constexpr CTextKey kTextKeys[] = {
    {"ReplaceWithValue", &CNameRuleBlock::replaceWithText},
    {"ReplaceTextValue", &CNameRuleBlock::searchText},
    {"ReplaceTextWithValue", &CNameRuleBlock::replacementText},
    {"LeftCropValue", &CNameRuleBlock::leftCropCount},
    {"RightCropValue", &CNameRuleBlock::rightCropCount},
    {"CropAtValue", &CNameRuleBlock::cropPosition},
    {"CropNCharsValue", &CNameRuleBlock::cropCount},
    {"InsertBeforeValue", &CNameRuleBlock::insertBeforeText},
    {"InsertAfterValue", &CNameRuleBlock::insertAfterText},
    {"InsertAtPosValue", &CNameRuleBlock::insertAtPosition},
    {"InsertAtPosTextValue", &CNameRuleBlock::insertAtText},
};

constexpr const char* kCaseKey = "UCase";

/// The stored number when it names a value of the enumeration, else fallback.
template <typename Enum> Enum EnumFromNumber(int32_t number, Enum last, Enum fallback) {
    return number >= 0 && number <= static_cast<int32_t>(last) ? static_cast<Enum>(number)
                                                               : fallback;
}

void ReadBlock(const CIniFile& ini, const char* section, CNameRuleBlock& block) {
    for (const CFlagKey& flag : kFlagKeys) {
        block.*flag.field = ini.ReadBool(section, flag.key, block.*flag.field);
    }
    for (const CTextKey& text : kTextKeys) {
        block.*text.field = ini.ReadString(section, text.key, block.*text.field);
    }
    const int32_t caseNumber = ini.ReadInt(section, kCaseKey, static_cast<int32_t>(block.caseMode));
    block.caseMode = EnumFromNumber(caseNumber, CaseMode::FirstCapitalised, CaseMode::Unchanged);
}

void WriteBlock(CIniFile& ini, const char* section, const CNameRuleBlock& block) {
    for (const CFlagKey& flag : kFlagKeys) {
        ini.WriteBool(section, flag.key, block.*flag.field);
    }
    for (const CTextKey& text : kTextKeys) {
        ini.WriteString(section, text.key, block.*text.field);
    }
    ini.WriteInt(section, kCaseKey, static_cast<int32_t>(block.caseMode));
}

void ReadAutonumber(CIniFile& ini, CAutonumberOptions& autonumber) {
    ini.SetSection(kAutonumberSection);
    autonumber.increment = ini.ReadString("Increment", autonumber.increment);
    autonumber.start = ini.ReadString("StartAt", autonumber.start);
    autonumber.zeroFill = ini.ReadString("ZeroFill", autonumber.zeroFill);
    autonumber.manualDigits = ini.ReadString("Manual", autonumber.manualDigits);
    autonumber.restartPerFolder = ini.ReadBool("ByPath", autonumber.restartPerFolder);
    const int32_t base = ini.ReadInt("Type", static_cast<int32_t>(autonumber.base));
    autonumber.base = EnumFromNumber(base, AutonumberBase::Manual, AutonumberBase::Dec);
    const int32_t position = ini.ReadInt("Action", static_cast<int32_t>(autonumber.position));
    autonumber.position =
        EnumFromNumber(position, AutonumberPosition::AfterName, AutonumberPosition::None);
}

void WriteAutonumber(CIniFile& ini, const CAutonumberOptions& autonumber) {
    ini.SetSection(kAutonumberSection);
    ini.WriteString("Increment", autonumber.increment);
    ini.WriteString("StartAt", autonumber.start);
    ini.WriteString("ZeroFill", autonumber.zeroFill);
    ini.WriteString("Manual", autonumber.manualDigits);
    ini.WriteBool("ByPath", autonumber.restartPerFolder);
    ini.WriteInt("Type", static_cast<int32_t>(autonumber.base));
    ini.WriteInt("Action", static_cast<int32_t>(autonumber.position));
}

void UncheckBlock(CNameRuleBlock& block) {
    for (const CFlagKey& flag : kFlagKeys) {
        block.*flag.field = false;
    }
    block.caseMode = CaseMode::Unchanged;
}

void ReadOptions(CIniFile& ini, CRenameOptions& options) {
    ReadBlock(ini, kNameSection, options.name);
    ReadBlock(ini, kExtensionSection, options.extension);
    ReadAutonumber(ini, options.autonumber);
}

} // namespace

bool LoadOptionsFile(const std::string& path, CRenameOptions& options) {
    CIniFile ini;
    if (!ini.Load(path)) {
        return false;
    }
    ReadOptions(ini, options);
    return true;
}

bool ReadOptionsFile(const std::string& path, CRenameOptions& options, int& error) {
    CIniFile ini;
    if (!ini.LoadExisting(path, error)) {
        return false;
    }
    ReadOptions(ini, options);
    return true;
}

bool SaveOptionsFile(const std::string& path, const CRenameOptions& options, int& error) {
    CIniFile ini;
    // A file that exists but cannot be read is left alone rather than
    // replaced by one that has lost its other sections.
    if (!ini.Load(path, error)) {
        return false;
    }
    WriteBlock(ini, kNameSection, options.name);
    WriteBlock(ini, kExtensionSection, options.extension);
    WriteAutonumber(ini, options.autonumber);
    return ini.Save(path, error);
}

void UncheckAllRules(CRenameOptions& options) {
    UncheckBlock(options.name);
    UncheckBlock(options.extension);
    options.autonumber.position = AutonumberPosition::None;
}
