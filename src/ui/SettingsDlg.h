// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"

#include <array>
#include <string>

class CProgramSettings;
class QCheckBox;
class QComboBox;
class QVBoxLayout;

/// "Algemene instellingen": the nine general switches, whether a rename may
/// swap names and follow chains (box 1027), the shell verb and the window's
/// language (applied at the next start).
/// Ticking a box changes nothing until OK; then TakeValues writes the
/// switches into the settings and ShellVerbWanted tells what the verb
/// should be.
class CSettingsDlg : public CBaseDialog {
    Q_OBJECT
public:
    CSettingsDlg(const CProgramSettings& settings, bool shellVerbPresent,
                 QWidget* parent = nullptr);

    /// Writes the switches into settings (after OK).
    void TakeValues(CProgramSettings& settings) const;
    bool ShellVerbWanted() const;
    QCheckBox* GetCheckBox(int id) const;
    /// "Taal": Systeem (follow the environment), Nederlands and every
    /// translation; each item's data is the stored value ("", "nl", "en").
    QComboBox* GetLanguageCombo() const;

private:
    void AddLanguageChoice(QVBoxLayout& layout, const std::string& language);

    static constexpr std::size_t kSwitchCount = 9;
    std::array<QCheckBox*, kSwitchCount> switches{};
    QCheckBox* swapsAndChains = nullptr;
    QCheckBox* shellVerb = nullptr;
    QComboBox* languageCombo = nullptr;
    int firstLanguageIndex = 0;
};
