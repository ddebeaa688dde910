// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AutonumberTab.h"

#include "engine/RenameOptions.h"
#include "ui/FilterEdit.h"
#include "ui/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// Clears every radio of the group and sets the one at index (the first when
// index is out of range); an exclusive group cannot be emptied otherwise.
template <std::size_t N>
void SetRadio(QButtonGroup& group, const std::array<QRadioButton*, N>& radios, int index) {
    if (index < 0 || index >= static_cast<int>(N)) {
        index = 0;
    }
    group.setExclusive(false);
    for (QRadioButton* radio : radios) {
        radio->setChecked(false);
    }
    radios[static_cast<std::size_t>(index)]->setChecked(true);
    group.setExclusive(true);
}

} // namespace

CAutonumberTab::CAutonumberTab(CAutonumberOptions& options, QWidget* parent)
    : QWidget(parent), options(options) {
    setObjectName(QStringLiteral("CAutonumberTab"));
    CreateControls();
    LayOut();
    SetDefaults();
}

CAutonumberTab::~CAutonumberTab() = default;

CFilterEdit* CAutonumberTab::MakeNumberEdit(const char* name, const QString& characters) {
    auto* edit = new CFilterEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->SetAllowedCharacters(characters);
    connect(edit, &CFilterEdit::TextAccepted, this, &CAutonumberTab::OnChanged);
    return edit;
}

void CAutonumberTab::CreateControls() {
    positionGroup = new QButtonGroup(this);
    positionGroup->setObjectName(QStringLiteral("positionGroup"));
    static const char* const kPositionNames[] = {"positionNone", "positionBeforeName",
                                                 "positionAfterName"};
    const QString positionTexts[] = {Window::tr("Geen wijzigingen"),
                                     Window::tr("Voor de bestandsnaam"),
                                     Window::tr("Na de bestandsnaam")};
    for (std::size_t i = 0; i < positionRadios.size(); ++i) {
        auto* radio = new QRadioButton(positionTexts[i], this);
        radio->setObjectName(QLatin1String(kPositionNames[i]));
        positionGroup->addButton(radio, static_cast<int>(i));
        positionRadios[i] = radio;
    }

    start = MakeNumberEdit("start", QStringLiteral("-0123456789"));
    increment = MakeNumberEdit("increment", QStringLiteral("-0123456789"));
    zeroFill = MakeNumberEdit("zeroFill", QStringLiteral("0123456789"));
    zeroFill->setMaxLength(3);

    baseGroup = new QButtonGroup(this);
    baseGroup->setObjectName(QStringLiteral("baseGroup"));
    static const char* const kBaseNames[] = {"baseDec", "baseHex",     "baseOct",
                                             "baseBin", "baseLetters", "baseManual"};
    const QString baseTexts[] = {Window::tr("Dec"),   Window::tr("Hex"),
                                 Window::tr("Oct"),   Window::tr("Bin"),
                                 Window::tr("Excel"), Window::tr("Handmatig")};
    for (std::size_t i = 0; i < baseRadios.size(); ++i) {
        auto* radio = new QRadioButton(baseTexts[i], this);
        radio->setObjectName(QLatin1String(kBaseNames[i]));
        baseGroup->addButton(radio, static_cast<int>(i));
        baseRadios[i] = radio;
    }

    restartPerFolder =
        new QCheckBox(Window::tr("Begin met nieuwe autonummering in iedere map"), this);
    restartPerFolder->setObjectName(QStringLiteral("restartPerFolder"));

    manualDigits = new QComboBox(this);
    manualDigits->setObjectName(QStringLiteral("manualDigits"));
    manualDigits->setEditable(true);
    manualDigits->setInsertPolicy(QComboBox::NoInsert);
    manualDigits->addItem(QLatin1String(kDefaultManualDigits));
    manualDigits->addItem(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    manualDigits->lineEdit()->setObjectName(QStringLiteral("manualDigitsEdit"));

    connect(positionGroup, &QButtonGroup::buttonClicked, this, &CAutonumberTab::Apply);
    connect(baseGroup, &QButtonGroup::buttonClicked, this, &CAutonumberTab::Apply);
    connect(restartPerFolder, &QCheckBox::clicked, this, &CAutonumberTab::Apply);
    // A chosen list entry changes the edit text too, so it applies at once.
    connect(manualDigits, &QComboBox::editTextChanged, this, &CAutonumberTab::OnChanged);
}

void CAutonumberTab::LayOut() {
    auto* grid = new QGridLayout(this);
    grid->setObjectName(QStringLiteral("autonumberGrid"));
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);

    for (int i = 0; i < static_cast<int>(positionRadios.size()); ++i) {
        grid->addWidget(positionRadios[static_cast<std::size_t>(i)], i, 0);
    }

    struct LabelledEdit {
        const char* labelName;
        QString text;
        QWidget* field;
    };
    const LabelledEdit labelled[] = {
        {"startLabel", Window::tr("Begin met een nummer"), start},
        {"incrementLabel", Window::tr("Verhogen met"), increment},
        {"zeroFillLabel", Window::tr("Vul met nullen"), zeroFill},
        {"manualDigitsLabel", Window::tr("Handmatig"), manualDigits},
    };
    int row = 0;
    for (const LabelledEdit& item : labelled) {
        auto* label = new QLabel(item.text, this);
        label->setObjectName(QLatin1String(item.labelName));
        label->setBuddy(item.field);
        item.field->setAccessibleName(item.text);
        if (item.field == manualDigits) {
            grid->addWidget(label, 3, 0, Qt::AlignRight);
            grid->addWidget(manualDigits, 3, 1, 1, 4);
        } else {
            grid->addWidget(label, row, 1);
            grid->addWidget(item.field, row, 2);
            item.field->setFixedWidth(64);
            ++row;
        }
    }

    // Dec, Hex, Oct down the first column, Bin, Excel, Handmatig the second.
    for (int i = 0; i < static_cast<int>(baseRadios.size()); ++i) {
        grid->addWidget(baseRadios[static_cast<std::size_t>(i)], i % 3, 3 + i / 3);
    }
    grid->addWidget(restartPerFolder, 4, 0, 1, 5);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(5, 1);
}

void CAutonumberTab::OnChanged() {
    if (!showing) {
        Apply();
    }
}

void CAutonumberTab::Apply() {
    TakeValues();
    if (ownerLinked) {
        emit Applied();
    }
}

void CAutonumberTab::TakeValues() {
    options.start = FromQt(start->text());
    options.increment = FromQt(increment->text());
    options.zeroFill = FromQt(zeroFill->text());
    options.manualDigits = FromQt(manualDigits->currentText());
    options.restartPerFolder = restartPerFolder->isChecked();
    options.base = static_cast<AutonumberBase>(GetBase());
    options.position = static_cast<AutonumberPosition>(GetPosition());
}

void CAutonumberTab::ShowValues() {
    showing = true;
    start->ShowAcceptedText(ToQt(options.start));
    increment->ShowAcceptedText(ToQt(options.increment));
    zeroFill->ShowAcceptedText(ToQt(options.zeroFill));
    manualDigits->setEditText(ToQt(options.manualDigits));
    restartPerFolder->setChecked(options.restartPerFolder);
    SetBase(static_cast<int>(options.base));
    SetPosition(static_cast<int>(options.position));
    showing = false;
}

void CAutonumberTab::SetDefaults() {
    showing = true;
    start->ShowAcceptedText(QStringLiteral("1"));
    increment->ShowAcceptedText(QStringLiteral("1"));
    zeroFill->ShowAcceptedText(QStringLiteral("1"));
    manualDigits->setCurrentIndex(0);
    manualDigits->setEditText(manualDigits->itemText(0));
    restartPerFolder->setChecked(true);
    SetBase(0);
    SetPosition(0);
    showing = false;
    TakeValues();
}

int CAutonumberTab::GetPosition() const {
    for (std::size_t i = 0; i < positionRadios.size(); ++i) {
        if (positionRadios[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

void CAutonumberTab::SetPosition(int position) {
    SetRadio(*positionGroup, positionRadios, position);
}

int CAutonumberTab::GetBase() const {
    // Handmatig is what is left when none of Dec to Excel is set.
    for (std::size_t i = 0; i + 1 < baseRadios.size(); ++i) {
        if (baseRadios[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(AutonumberBase::Manual);
}

void CAutonumberTab::SetBase(int base) {
    SetRadio(*baseGroup, baseRadios, base);
}
