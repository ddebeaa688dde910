// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SettingsDlg.h"

#include "app/InterfaceLanguage.h"
#include "app/ProgramSettings.h"
#include "resources/StringTable.h"
#include "ui/InterfaceTranslation.h"
#include "ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

/// The switches in the order the dialog shows them, with their control ids.
struct CSwitchBox {
    int id;
    const char* text;
    bool CProgramSettings::*field;
};

constexpr CSwitchBox kSwitches[] = {
    {1017, QT_TRANSLATE_NOOP("Window", "Start gemaximaliseerd"), &CProgramSettings::startMaximized},
    {1018, QT_TRANSLATE_NOOP("Window", "Onthoud laatste pad"), &CProgramSettings::rememberLastPath},
    {1019, QT_TRANSLATE_NOOP("Window", "Onthoud positie en grootte."),
     &CProgramSettings::rememberPosAndSize},
    {1021, QT_TRANSLATE_NOOP("Window", "Herlaad gebruikersinstelling bij het opstarten"),
     &CProgramSettings::reloadUserOptionsOnStart},
    {1020,
     QT_TRANSLATE_NOOP("Window", "Controleer de naam en extentie opties niet na het hernoemen."),
     &CProgramSettings::uncheckAllAfterRenaming},
    {1024, QT_TRANSLATE_NOOP("Window", "Vraag toestemming voor het hernoemen van bestanden"),
     &CProgramSettings::askConfirmationBeforeRenaming},
    {1026, QT_TRANSLATE_NOOP("Window", "Sorteer de kolomnaam als nummer"),
     &CProgramSettings::sortColumnNameAsNumber},
    {1023,
     QT_TRANSLATE_NOOP("Window", "Start alleen met filteren als de RETURN-toets is ingedrukt."),
     &CProgramSettings::filterWhenReturnKeyPressed},
    {1025, QT_TRANSLATE_NOOP("Window", "Gebruik GMT+0[UTC] als de huidige datum wordt ingevoegd"),
     &CProgramSettings::onInsertDateUseGmt},
};
constexpr int kShellVerbId = 1022;
constexpr int kSwapsAndChainsId = 1027;

} // namespace

CSettingsDlg::CSettingsDlg(const CProgramSettings& settings, bool shellVerbPresent, QWidget* parent)
    : CBaseDialog(parent) {
    setObjectName(QStringLiteral("CSettingsDlg"));
    setWindowTitle(Window::tr("Algemene instellingen"));
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < kSwitchCount; ++i) {
        auto* box = new QCheckBox(Window::tr(kSwitches[i].text), this);
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
        Window::tr("Voeg \"%1\" toe voor de shell").arg(UiText(strings::kShellVerbMenuText)), this);
    shellVerb->setObjectName(QStringLiteral("check%1").arg(kShellVerbId));
    shellVerb->setChecked(shellVerbPresent);
    layout->addSpacing(6);
    layout->addWidget(shellVerb);
    layout->addSpacing(6);
    AddLanguageChoice(*layout, settings.language);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Window::tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Window::tr("Annuleren"));
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
    // A language that this program does not know stays stored until another
    // one is chosen.
    if (languageCombo->currentIndex() != firstLanguageIndex) {
        settings.language = FromQt(languageCombo->currentData().toString());
    }
}

void CSettingsDlg::AddLanguageChoice(QVBoxLayout& layout, const std::string& language) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(Window::tr("&Taal"), this);
    label->setObjectName(QStringLiteral("languageLabel"));
    languageCombo = new QComboBox(this);
    languageCombo->setObjectName(QStringLiteral("languageCombo"));
    label->setBuddy(languageCombo);
    languageCombo->setAccessibleName(QString(label->text()).remove(QLatin1Char('&')));
    languageCombo->addItem(Window::tr("Systeem"), QString());
    // Every language is listed by its own name, in every language.
    languageCombo->addItem(QStringLiteral("Nederlands"), ToQt(kDutch));
    for (const std::string& translation : AvailableTranslations()) {
        languageCombo->addItem(OwnLanguageName(translation), ToQt(translation));
    }
    firstLanguageIndex = std::max(0, languageCombo->findData(ToQt(language)));
    if (language.empty()) {
        firstLanguageIndex = 0;
    }
    languageCombo->setCurrentIndex(firstLanguageIndex);
    row->addWidget(label);
    row->addWidget(languageCombo, 1);
    layout.addLayout(row);
    auto* note = new QLabel(Window::tr("Een andere taal geldt vanaf de volgende start."), this);
    note->setObjectName(QStringLiteral("languageNote"));
    layout.addWidget(note);
}

QComboBox* CSettingsDlg::GetLanguageCombo() const {
    return languageCombo;
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
