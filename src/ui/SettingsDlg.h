// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"

#include <array>

class CProgramSettings;
class QCheckBox;

/// "Algemene instellingen": the nine general switches, whether a rename may
/// swap names and follow chains (box 1027), and the shell verb.
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

private:
    static constexpr std::size_t kSwitchCount = 9;
    std::array<QCheckBox*, kSwitchCount> switches{};
    QCheckBox* swapsAndChains = nullptr;
    QCheckBox* shellVerb = nullptr;
};
