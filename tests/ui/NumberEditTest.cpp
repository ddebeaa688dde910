// SPDX-License-Identifier: GPL-3.0-or-later
// The number edits of the rule pages take digits however their text is
// set: typed, pasted, through setText, or written through the
// accessibility interface as a screen reader or a test tool writes it. A
// text with any other character goes back to the last value the page took,
// and the rule never sees it.

#include "engine/RenameCore.h"
#include "ui/AutonumberTab.h"
#include "ui/ExtensionTab.h"
#include "ui/FilenameTab.h"
#include "ui/FilterEdit.h"
#include "ui/ListFixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const char* const kNumberEdits[] = {"leftCropCount", "rightCropCount", "cropPosition", "cropCount",
                                    "insertAtPosition"};

/// The block field a number edit of a rule page writes.
std::string CNameRuleBlock::*FieldOf(const QString& edit) {
    if (edit == QLatin1String("leftCropCount")) {
        return &CNameRuleBlock::leftCropCount;
    }
    if (edit == QLatin1String("rightCropCount")) {
        return &CNameRuleBlock::rightCropCount;
    }
    if (edit == QLatin1String("cropPosition")) {
        return &CNameRuleBlock::cropPosition;
    }
    if (edit == QLatin1String("cropCount")) {
        return &CNameRuleBlock::cropCount;
    }
    return &CNameRuleBlock::insertAtPosition;
}

/// The text the accessibility interface reads back.
QString AccessibleText(QLineEdit* edit) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    QAccessibleTextInterface* text = accessible != nullptr ? accessible->textInterface() : nullptr;
    return text != nullptr ? text->text(0, text->characterCount()) : QStringLiteral("<none>");
}

} // namespace

class NumberEditTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void setTextWithALetterGoesBackAndIsNotApplied();
    void accessibleInsertOfALetterGoesBack();
    void accessibleReplaceWithALetterGoesBack();
    void accessibleValueWithALetterIsRefused();
    void accessibleWritesOfDigitsAreTaken();
    void emptyTextIsTaken();
    void everyNumberEditOfBothPagesGoesBack();
    void theGoneBackValueKeepsThePreviewAsItWas();
    void aValueShownFromTheRuleStaysWhateverItHolds();
    void autonumberEditsGoBackToTheirLastValue();

private:
    QLineEdit* Edit(const char* name) const {
        return page->findChild<QLineEdit*>(QLatin1String(name));
    }
    /// Ticks the rule's box, so its edits are enabled, then types digits
    /// into edit.
    void TypeInto(const char* box, const char* edit, const QString& digits);
    QAccessibleEditableTextInterface* Editable(QLineEdit* edit) const;
    CNameRuleBlock& Block() { return core->GetOptions().name; }

    std::unique_ptr<CRenameCore> core;
    std::unique_ptr<CFilenameTab> page;
};

void NumberEditTest::init() {
    core = std::make_unique<CRenameCore>();
    page = std::make_unique<CFilenameTab>(core->GetOptions().name, *core);
    page->SetOwnerLinked(true);
    page->resize(600, 160);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
}

void NumberEditTest::cleanup() {
    page.reset();
    core.reset();
}

void NumberEditTest::TypeInto(const char* box, const char* edit, const QString& digits) {
    page->findChild<QCheckBox*>(QLatin1String(box))->setChecked(true);
    QTest::keyClicks(Edit(edit), digits);
    QCOMPARE(Edit(edit)->text(), digits);
}

QAccessibleEditableTextInterface* NumberEditTest::Editable(QLineEdit* edit) const {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    return accessible != nullptr ? accessible->editableTextInterface() : nullptr;
}

void NumberEditTest::setTextWithALetterGoesBackAndIsNotApplied() {
    TypeInto("leftCropOn", "leftCropCount", QStringLiteral("23"));
    QCOMPARE(Block().leftCropCount, std::string("23"));
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    QSignalSpy accepted(qobject_cast<CFilterEdit*>(Edit("leftCropCount")),
                        &CFilterEdit::TextAccepted);

    Edit("leftCropCount")->setText(QStringLiteral("23x"));
    QCOMPARE(Edit("leftCropCount")->text(), QStringLiteral("23"));
    QCOMPARE(Block().leftCropCount, std::string("23"));
    QCOMPARE(applied.count(), 0);
    QCOMPARE(accepted.count(), 0);
    // A later change of digits goes through as before.
    Edit("leftCropCount")->setText(QStringLiteral("4"));
    QCOMPARE(Block().leftCropCount, std::string("4"));
    QCOMPARE(applied.count(), 1);
}

void NumberEditTest::accessibleInsertOfALetterGoesBack() {
    TypeInto("leftCropOn", "leftCropCount", QStringLiteral("23"));
    QAccessibleEditableTextInterface* editable = Editable(Edit("leftCropCount"));
    QVERIFY(editable != nullptr);
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    editable->insertText(2, QStringLiteral("x"));
    QCOMPARE(Edit("leftCropCount")->text(), QStringLiteral("23"));
    QCOMPARE(AccessibleText(Edit("leftCropCount")), QStringLiteral("23"));
    QCOMPARE(Block().leftCropCount, std::string("23"));
    QCOMPARE(applied.count(), 0);
}

void NumberEditTest::accessibleReplaceWithALetterGoesBack() {
    TypeInto("cropAtOn", "cropPosition", QStringLiteral("5"));
    QAccessibleEditableTextInterface* editable = Editable(Edit("cropPosition"));
    QVERIFY(editable != nullptr);
    editable->replaceText(0, 1, QStringLiteral("23x"));
    QCOMPARE(Edit("cropPosition")->text(), QStringLiteral("5"));
    QCOMPARE(Block().cropPosition, std::string("5"));
    // Replacing the whole text with a letter alone goes back as well.
    editable->replaceText(0, 1, QStringLiteral("a"));
    QCOMPARE(Edit("cropPosition")->text(), QStringLiteral("5"));
    QCOMPARE(Block().cropPosition, std::string("5"));
}

void NumberEditTest::accessibleValueWithALetterIsRefused() {
    TypeInto("leftCropOn", "leftCropCount", QStringLiteral("23"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Edit("leftCropCount"));
    QVERIFY(accessible != nullptr);
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    accessible->setText(QAccessible::Value, QStringLiteral("23x"));
    QCOMPARE(Edit("leftCropCount")->text(), QStringLiteral("23"));
    QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("23"));
    QCOMPARE(Block().leftCropCount, std::string("23"));
    QCOMPARE(applied.count(), 0);
}

void NumberEditTest::accessibleWritesOfDigitsAreTaken() {
    TypeInto("rightCropOn", "rightCropCount", QStringLiteral("1"));
    QAccessibleEditableTextInterface* editable = Editable(Edit("rightCropCount"));
    QVERIFY(editable != nullptr);
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    editable->insertText(1, QStringLiteral("2"));
    QCOMPARE(Block().rightCropCount, std::string("12"));
    editable->replaceText(0, 2, QStringLiteral("7"));
    QCOMPARE(Block().rightCropCount, std::string("7"));
    QAccessible::queryAccessibleInterface(Edit("rightCropCount"))
        ->setText(QAccessible::Value, QStringLiteral("30"));
    QCOMPARE(Block().rightCropCount, std::string("30"));
    QCOMPARE(applied.count(), 3);
    // The last accepted value is the one a bad text goes back to.
    Edit("rightCropCount")->setText(QStringLiteral("3O"));
    QCOMPARE(Edit("rightCropCount")->text(), QStringLiteral("30"));
}

void NumberEditTest::emptyTextIsTaken() {
    TypeInto("insertAtOn", "insertAtPosition", QStringLiteral("4"));
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    Editable(Edit("insertAtPosition"))->deleteText(0, 1);
    QCOMPARE(Edit("insertAtPosition")->text(), QString());
    QCOMPARE(Block().insertAtPosition, std::string());
    QCOMPARE(applied.count(), 1);
    // After an empty text, a bad one goes back to empty.
    Edit("insertAtPosition")->setText(QStringLiteral("x"));
    QCOMPARE(Edit("insertAtPosition")->text(), QString());
    QCOMPARE(Block().insertAtPosition, std::string());
    QCOMPARE(applied.count(), 1);
}

void NumberEditTest::everyNumberEditOfBothPagesGoesBack() {
    CExtensionTab extension(core->GetOptions().extension, *core);
    extension.SetOwnerLinked(true);
    for (CRuleBlockPage* rules : {static_cast<CRuleBlockPage*>(page.get()),
                                  static_cast<CRuleBlockPage*>(&extension)}) {
        CNameRuleBlock& block =
            rules == page.get() ? core->GetOptions().name : core->GetOptions().extension;
        for (const char* name : kNumberEdits) {
            auto* edit = rules->findChild<QLineEdit*>(QLatin1String(name));
            QVERIFY2(edit != nullptr, name);
            edit->setText(QStringLiteral("6"));
            QCOMPARE(block.*FieldOf(QLatin1String(name)), std::string("6"));
            edit->setText(QStringLiteral("6-"));
            QVERIFY2(edit->text() == QStringLiteral("6"), name);
            Editable(edit)->insertText(0, QStringLiteral(" "));
            QVERIFY2(edit->text() == QStringLiteral("6"), name);
            QCOMPARE(block.*FieldOf(QLatin1String(name)), std::string("6"));
        }
    }
}

void NumberEditTest::theGoneBackValueKeepsThePreviewAsItWas() {
    CListFixture f;
    f.folder.WriteFile("abcdef.txt");
    QVERIFY(f.Open());
    CFilenameTab rules(f.core.GetOptions().name, f.core);
    rules.SetOwnerLinked(true);
    connect(&rules, &CRuleBlockPage::Applied, this, [&f] { f.core.ComputeNewNames(true); });
    rules.findChild<QCheckBox*>(QStringLiteral("leftCropOn"))->setChecked(true);
    auto* edit = rules.findChild<QLineEdit*>(QStringLiteral("leftCropCount"));
    edit->setText(QStringLiteral("2"));
    QCOMPARE(f.core.GetPreviewTexts().GetRowCount(), std::size_t(1));
    QCOMPARE(f.core.GetPreviewText(0), std::string("cdef.txt"));

    Editable(edit)->insertText(0, QStringLiteral("x"));
    edit->setText(QStringLiteral("x3"));
    f.core.ComputeNewNames(true);
    QCOMPARE(f.core.GetOptions().name.leftCropCount, std::string("2"));
    QCOMPARE(f.core.GetPreviewText(0), std::string("cdef.txt"));
}

void NumberEditTest::aValueShownFromTheRuleStaysWhateverItHolds() {
    // An options file may hold any text; the page shows the rule's value.
    Block().cropAtOn = true;
    Block().cropCount = "3x";
    page->ShowValues();
    page->RefreshEnabling();
    QCOMPARE(Edit("cropCount")->text(), QStringLiteral("3x"));
    // A bad text goes back to it, the value the page holds; the rule keeps it.
    Edit("cropCount")->setText(QStringLiteral("3y"));
    QCOMPARE(Edit("cropCount")->text(), QStringLiteral("3x"));
    QCOMPARE(Block().cropCount, std::string("3x"));
    Edit("cropCount")->setText(QStringLiteral("8"));
    QCOMPARE(Block().cropCount, std::string("8"));
}

void NumberEditTest::autonumberEditsGoBackToTheirLastValue() {
    CAutonumberTab tab(core->GetOptions().autonumber);
    tab.SetOwnerLinked(true);
    CAutonumberOptions& options = core->GetOptions().autonumber;
    auto* start = tab.findChild<QLineEdit*>(QStringLiteral("start"));
    auto* zeroFill = tab.findChild<QLineEdit*>(QStringLiteral("zeroFill"));
    QSignalSpy applied(&tab, &CAutonumberTab::Applied);

    start->setText(QStringLiteral("-3"));
    QCOMPARE(options.start, std::string("-3"));
    start->setText(QStringLiteral("-3a"));
    QCOMPARE(start->text(), QStringLiteral("-3"));
    Editable(start)->insertText(0, QStringLiteral("+"));
    QCOMPARE(start->text(), QStringLiteral("-3"));
    QCOMPARE(options.start, std::string("-3"));
    // The zero fill takes no minus.
    zeroFill->setText(QStringLiteral("-2"));
    QCOMPARE(zeroFill->text(), QStringLiteral("1"));
    QCOMPARE(options.zeroFill, std::string("1"));
    QCOMPARE(applied.count(), 1);
}

QTEST_MAIN(NumberEditTest)
#include "NumberEditTest.moc"
