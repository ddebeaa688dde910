// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SettingsDlg.h"

#include "app/ProgramSettings.h"
#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

/// The switches in the order the dialog shows them, with their control ids.
struct CSwitchBox {
    int id;
    const char* text;
    bool CProgramSettings::*field;
};

constexpr CSwitchBox kSwitches[] = {
    {1017, "Start gemaximaliseerd", &CProgramSettings::startMaximized},
    {1018, "Onthoud laatste pad", &CProgramSettings::rememberLastPath},
    {1019, "Onthoud positie en grootte.", &CProgramSettings::rememberPosAndSize},
    {1021, "Herlaad gebruikersinstelling bij het opstarten",
     &CProgramSettings::reloadUserOptionsOnStart},
    {1020, "Controleer de naam en extentie opties niet na het hernoemen.",
     &CProgramSettings::uncheckAllAfterRenaming},
    {1024, "Vraag toestemming voor het hernoemen van bestanden",
     &CProgramSettings::askConfirmationBeforeRenaming},
    {1026, "Sorteer de kolomnaam als nummer", &CProgramSettings::sortColumnNameAsNumber},
    {1023, "Start alleen met filteren als de RETURN-toets is ingedrukt.",
     &CProgramSettings::filterWhenReturnKeyPressed},
    {1025, "Gebruik GMT+0[UTC] als de huidige datum wordt ingevoegd",
     &CProgramSettings::onInsertDateUseGmt},
};
constexpr int kShellVerbId = 1022;
constexpr int kSwapsAndChainsId = 1027;

} // namespace

CSettingsDlg::CSettingsDlg(const CProgramSettings& settings, bool shellVerbPresent,
                           QWidget* parent)
    : CBaseDialog(parent) {
    setObjectName(QStringLiteral("CSettingsDlg"));
    setWindowTitle(QStringLiteral("Algemene instellingen"));
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < kSwitchCount; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(kSwitches[i].text), this);
        box->setObjectName(QStringLiteral("check%1").arg(kSwitches[i].id));
        box->setChecked(settings.*kSwitches[i].field);
        layout->addWidget(box);
        switches[i] = box;
    }
    swapsAndChains = new QCheckBox(UiTextPlain(strings::kAllowSwapsAndChains), this);
    swapsAndChains->setObjectName(QStringLiteral("check%1").arg(kSwapsAndChainsId));
    swapsAndChains->setAccessibleName(swapsAndChains->text());
    swapsAndChains->setChecked(settings.allowSwapsAndChains);
    layout->addWidget(swapsAndChains);
    shellVerb = new QCheckBox(
        QStringLiteral("Voeg \"%1\" toe voor de shell").arg(UiText(strings::kShellVerbMenuText)),
        this);
    shellVerb->setObjectName(QStringLiteral("check%1").arg(kShellVerbId));
    shellVerb->setChecked(shellVerbPresent);
    layout->addSpacing(6);
    layout->addWidget(shellVerb);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuleren"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    SetSizeLimits(sizeHint().width(), sizeHint().height(), kUnset, kUnset);
}

void CSettingsDlg::TakeValues(CProgramSettings& settings) const {
    for (std::size_t i = 0; i < kSwitchCount; ++i) {
        settings.*kSwitches[i].field = switches[i]->isChecked();
    }
    settings.allowSwapsAndChains = swapsAndChains->isChecked();
}

bool CSettingsDlg::ShellVerbWanted() const {
    return shellVerb->isChecked();
}

QCheckBox* CSettingsDlg::GetCheckBox(int id) const {
    if (id == kShellVerbId) {
        return shellVerb;
    }
    if (id == kSwapsAndChainsId) {
        return swapsAndChains;
    }
    for (std::size_t i = 0; i < kSwitchCount; ++i) {
        if (kSwitches[i].id == id) {
            return switches[i];
        }
    }
    return nullptr;
}
