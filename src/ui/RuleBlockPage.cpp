// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RuleBlockPage.h"

#include "engine/RenameCore.h"
#include "engine/RenameOptions.h"
#include "ui/ElidingButton.h"
#include "ui/FilterEdit.h"
#include "ui/QtText.h"
#include "ui/TagMenu.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace {

const QString kDigits = QStringLiteral("0123456789");

// Grid columns: the rule check boxes, the first edits, the labels and
// check boxes between the edits, the second edits, the case radios.
enum Column { kBoxColumn, kFirstEditColumn, kMiddleColumn, kSecondEditColumn, kCaseColumn };

// The narrowest an edit column gets.
constexpr int kLeastEditWidth = 60;

// Lets a caption of the page shrink to width (cut with "…"); labels keep
// their width.
void SetLeastWidth(QWidget* widget, int width) {
    if (auto* box = dynamic_cast<CElidingCheckBox*>(widget)) {
        box->SetLeastWidth(width);
    } else if (auto* radio = dynamic_cast<CElidingRadioButton*>(widget)) {
        radio->SetLeastWidth(width);
    }
}

} // namespace

CRuleBlockPage::CRuleBlockPage(CNameRuleBlock& block, CRenameCore& core,
                               const QString& insertBeforeCaption,
                               const QString& insertAfterCaption, QWidget* parent)
    : QWidget(parent), block(block) {
    tagMenu = new CTagMenu(core, this);
    tagMenu->setObjectName(QStringLiteral("tagMenuHandler"));
    CreateControls(insertBeforeCaption, insertAfterCaption);
    LayOut();
    for (QLineEdit* edit :
         {replaceWithText, replacementText, insertBeforeText, insertAfterText, insertAtText}) {
        tagMenu->Attach(edit);
    }
    ShowValues();
    for (const CRule& rule : rules) {
        rule.first->setEnabled(false);
        if (rule.second != nullptr) {
            rule.second->setEnabled(false);
        }
    }
    SetCaseMode(0);
}

CRuleBlockPage::~CRuleBlockPage() = default;

QCheckBox* CRuleBlockPage::MakeCheckBox(const char* name, const QString& text) {
    auto* box = new CElidingCheckBox(text, this);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLineEdit* CRuleBlockPage::MakeTextEdit(const char* name, const QString& accessibleName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessibleName);
    connect(edit, &QLineEdit::textChanged, this, &CRuleBlockPage::OnTextChanged);
    return edit;
}

CFilterEdit* CRuleBlockPage::MakeNumberEdit(const char* name, const QString& accessibleName) {
    auto* edit = new CFilterEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessibleName);
    edit->SetAllowedCharacters(kDigits);
    connect(edit, &CFilterEdit::TextAccepted, this, &CRuleBlockPage::OnTextChanged);
    return edit;
}

QLabel* CRuleBlockPage::MakeLabel(const char* name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return label;
}

void CRuleBlockPage::CreateControls(const QString& insertBeforeCaption,
                                    const QString& insertAfterCaption) {
    // Created in the dialog's tab order.
    CRule& replaceWith = rules[kReplaceWith];
    replaceWith.box = MakeCheckBox("replaceWithOn", Window::tr("Vervang door de tekst"));
    replaceWithText = MakeTextEdit("replaceWithText", replaceWith.box->text());
    replaceWith.first = replaceWithText;
    matchCase = MakeCheckBox("matchCase", Window::tr("Hoofd-/kleine letters in zoektekst"));

    CRule& replaceText = rules[kReplaceText];
    replaceText.box = MakeCheckBox("replaceTextOn", Window::tr("Vervang de tekst"));
    searchText = MakeTextEdit("searchText", replaceText.box->text());
    replacementText = MakeTextEdit("replacementText", QString());
    replacementLabel =
        MakeLabel("replacementTextLabel", Window::tr("met deze tekst"), replacementText);
    replaceText.first = searchText;
    replaceText.second = replacementText;

    CRule& leftCrop = rules[kLeftCrop];
    leftCrop.box = MakeCheckBox("leftCropOn", Window::tr("Links n tekens eraf"));
    leftCropCount = MakeNumberEdit("leftCropCount", leftCrop.box->text());
    leftCrop.first = leftCropCount;

    CRule& rightCrop = rules[kRightCrop];
    rightCrop.box = MakeCheckBox("rightCropOn", Window::tr("Rechts n tekens eraf"));
    rightCropCount = MakeNumberEdit("rightCropCount", rightCrop.box->text());
    rightCrop.first = rightCropCount;

    CRule& cropAt = rules[kCropAt];
    cropAt.box = MakeCheckBox("cropAtOn", Window::tr("Eraf vanaf"));
    cropPosition = MakeNumberEdit("cropPosition", cropAt.box->text());
    cropCount = MakeNumberEdit("cropCount", QString());
    cropCountLabel = MakeLabel("cropCountLabel", Window::tr("de volgende n tekens"), cropCount);
    cropAt.first = cropPosition;
    cropAt.second = cropCount;

    CRule& insertBefore = rules[kInsertBefore];
    insertBefore.box = MakeCheckBox("insertBeforeOn", insertBeforeCaption);
    insertBeforeText = MakeTextEdit("insertBeforeText", insertBeforeCaption);
    insertBefore.first = insertBeforeText;

    CRule& insertAfter = rules[kInsertAfter];
    insertAfter.box = MakeCheckBox("insertAfterOn", insertAfterCaption);
    insertAfterText = MakeTextEdit("insertAfterText", insertAfterCaption);
    insertAfter.first = insertAfterText;

    CRule& insertAt = rules[kInsertAt];
    insertAt.box = MakeCheckBox("insertAtOn", Window::tr("Invoegen vanaf"));
    insertAtPosition = MakeNumberEdit("insertAtPosition", insertAt.box->text());
    insertAtText = MakeTextEdit("insertAtText", QString());
    insertAtTextLabel =
        MakeLabel("insertAtTextLabel", Window::tr("de volgende tekst"), insertAtText);
    insertAt.first = insertAtPosition;
    insertAt.second = insertAtText;

    static const char* const kCaseNames[] = {"caseUnchanged", "caseUpper", "caseLower",
                                             "caseWordsCapitalised", "caseFirstCapitalised"};
    const QString caseTexts[] = {
        Window::tr("Niet wijzigen"),
        Window::tr("HOOFDLETTERS"),
        Window::tr("kleine letters"),
        Window::tr("Eerste letter hoofdletter"),
        Window::tr("Alleen eerste letter hoofdletter"),
    };
    caseGroup = new QButtonGroup(this);
    caseGroup->setObjectName(QStringLiteral("caseGroup"));
    for (int mode = 0; mode < static_cast<int>(caseRadios.size()); ++mode) {
        auto* radio = new CElidingRadioButton(caseTexts[mode], this);
        radio->setObjectName(QLatin1String(kCaseNames[mode]));
        caseGroup->addButton(radio, mode);
        caseRadios[static_cast<std::size_t>(mode)] = radio;
    }
    removeAccents = MakeCheckBox("removeAccents", Window::tr("Verwijderen accenten"));

    // toggled, not clicked: a screen reader's toggle action ticks a box
    // without a click, and must enable its edits and apply the same way.
    for (int i = 0; i < kRuleCount; ++i) {
        connect(rules[static_cast<std::size_t>(i)].box, &QCheckBox::toggled, this, [this, i] {
            if (!showing) {
                OnRuleClicked(i);
            }
        });
    }
    for (QCheckBox* box : {matchCase, removeAccents}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!showing) {
                Apply();
            }
        });
    }
    connect(caseGroup, &QButtonGroup::buttonClicked, this, &CRuleBlockPage::Apply);
}

void CRuleBlockPage::LayOut() {
    // Two edit columns of equal width share what the check boxes, the
    // middle column and the case radios leave. On a narrow page the three
    // text columns give way down to the width of "Invoegen vanaf", of the
    // widest label between the edits and of "Verwijderen accenten", longer
    // captions then being cut; the edits keep at least kLeastEditWidth.
    auto* grid = new QGridLayout(this);
    grid->setObjectName(QStringLiteral("ruleGrid"));
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(kFirstEditColumn, 1);
    grid->setColumnStretch(kSecondEditColumn, 1);

    struct Row {
        QWidget* box;
        QWidget* first;
        QWidget* middle;
        QWidget* second;
        QWidget* right;
    };
    const Row rows[] = {
        {rules[kReplaceWith].box, replaceWithText, matchCase, nullptr, caseRadios[0]},
        {rules[kReplaceText].box, searchText, replacementLabel, replacementText, caseRadios[1]},
        {rules[kLeftCrop].box, leftCropCount, rules[kRightCrop].box, rightCropCount, caseRadios[2]},
        {rules[kCropAt].box, cropPosition, cropCountLabel, cropCount, caseRadios[3]},
        {rules[kInsertBefore].box, insertBeforeText, rules[kInsertAfter].box, insertAfterText,
         caseRadios[4]},
        {rules[kInsertAt].box, insertAtPosition, insertAtTextLabel, insertAtText, removeAccents},
    };
    const int leastBox = rules[kInsertAt].box->sizeHint().width();
    const int leastMiddle =
        std::max({replacementLabel->sizeHint().width(), cropCountLabel->sizeHint().width(),
                  insertAtTextLabel->sizeHint().width()});
    const int leastRight = removeAccents->sizeHint().width();
    int row = 0;
    for (const Row& r : rows) {
        grid->addWidget(r.box, row, kBoxColumn);
        SetLeastWidth(r.box, leastBox);
        grid->addWidget(r.first, row, kFirstEditColumn);
        // The case-sensitivity box has no edit beside it and may reach into
        // the second column.
        grid->addWidget(r.middle, row, kMiddleColumn, 1, r.second != nullptr ? 1 : 2);
        SetLeastWidth(r.middle, leastMiddle);
        if (r.second != nullptr) {
            grid->addWidget(r.second, row, kSecondEditColumn);
        }
        grid->addWidget(r.right, row, kCaseColumn);
        SetLeastWidth(r.right, leastRight);
        ++row;
    }
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        edit->setMinimumWidth(kLeastEditWidth);
    }
    grid->setRowStretch(row, 1);
}

void CRuleBlockPage::OnRuleClicked(int index) {
    const CRule& rule = rules[static_cast<std::size_t>(index)];
    const bool on = rule.box->isChecked();
    rule.first->setEnabled(on);
    if (rule.second != nullptr) {
        rule.second->setEnabled(on);
    }
    if (on) {
        rule.first->setFocus(Qt::OtherFocusReason);
    }
    Apply();
}

void CRuleBlockPage::OnTextChanged() {
    if (!showing) {
        Apply();
    }
}

void CRuleBlockPage::Apply() {
    TakeValues();
    if (ownerLinked) {
        emit Applied();
    }
}

void CRuleBlockPage::TakeValues() {
    block.replaceWithOn = rules[kReplaceWith].box->isChecked();
    block.replaceTextOn = rules[kReplaceText].box->isChecked();
    block.leftCropOn = rules[kLeftCrop].box->isChecked();
    block.rightCropOn = rules[kRightCrop].box->isChecked();
    block.cropAtOn = rules[kCropAt].box->isChecked();
    block.insertBeforeOn = rules[kInsertBefore].box->isChecked();
    block.insertAfterOn = rules[kInsertAfter].box->isChecked();
    block.insertAtOn = rules[kInsertAt].box->isChecked();
    block.matchCase = matchCase->isChecked();
    block.removeAccents = removeAccents->isChecked();

    block.replaceWithText = FromQt(replaceWithText->text());
    block.searchText = FromQt(searchText->text());
    block.replacementText = FromQt(replacementText->text());
    block.leftCropCount = FromQt(leftCropCount->text());
    block.rightCropCount = FromQt(rightCropCount->text());
    block.cropPosition = FromQt(cropPosition->text());
    block.cropCount = FromQt(cropCount->text());
    block.insertBeforeText = FromQt(insertBeforeText->text());
    block.insertAfterText = FromQt(insertAfterText->text());
    block.insertAtPosition = FromQt(insertAtPosition->text());
    block.insertAtText = FromQt(insertAtText->text());

    block.caseMode = static_cast<CaseMode>(GetCaseMode());
}

void CRuleBlockPage::ShowValues() {
    showing = true;
    rules[kReplaceWith].box->setChecked(block.replaceWithOn);
    rules[kReplaceText].box->setChecked(block.replaceTextOn);
    rules[kLeftCrop].box->setChecked(block.leftCropOn);
    rules[kRightCrop].box->setChecked(block.rightCropOn);
    rules[kCropAt].box->setChecked(block.cropAtOn);
    rules[kInsertBefore].box->setChecked(block.insertBeforeOn);
    rules[kInsertAfter].box->setChecked(block.insertAfterOn);
    rules[kInsertAt].box->setChecked(block.insertAtOn);
    matchCase->setChecked(block.matchCase);
    removeAccents->setChecked(block.removeAccents);

    replaceWithText->setText(ToQt(block.replaceWithText));
    searchText->setText(ToQt(block.searchText));
    replacementText->setText(ToQt(block.replacementText));
    leftCropCount->ShowAcceptedText(ToQt(block.leftCropCount));
    rightCropCount->ShowAcceptedText(ToQt(block.rightCropCount));
    cropPosition->ShowAcceptedText(ToQt(block.cropPosition));
    cropCount->ShowAcceptedText(ToQt(block.cropCount));
    insertBeforeText->setText(ToQt(block.insertBeforeText));
    insertAfterText->setText(ToQt(block.insertAfterText));
    insertAtPosition->ShowAcceptedText(ToQt(block.insertAtPosition));
    insertAtText->setText(ToQt(block.insertAtText));

    SetCaseMode(static_cast<int>(block.caseMode));
    showing = false;
}

void CRuleBlockPage::SetDefaults() {
    block = CNameRuleBlock{};
    ShowValues();
    RefreshEnabling();
}

void CRuleBlockPage::RefreshEnabling() {
    for (const CRule& rule : rules) {
        const bool on = rule.box->isChecked();
        rule.first->setEnabled(on);
        if (rule.second != nullptr) {
            rule.second->setEnabled(on);
        }
    }
}

int CRuleBlockPage::GetCaseMode() const {
    for (std::size_t mode = 0; mode < caseRadios.size(); ++mode) {
        if (caseRadios[mode]->isChecked()) {
            return static_cast<int>(mode);
        }
    }
    return 0;
}

void CRuleBlockPage::SetCaseMode(int mode) {
    if (mode < 0 || mode >= static_cast<int>(caseRadios.size())) {
        mode = 0;
    }
    caseRadios[static_cast<std::size_t>(mode)]->setChecked(true);
}

bool CRuleBlockPage::IsRuleTextEdit(const QWidget* widget) const {
    return widget != nullptr &&
           (widget == replaceWithText || widget == replacementText || widget == insertBeforeText ||
            widget == insertAfterText || widget == insertAtText);
}
