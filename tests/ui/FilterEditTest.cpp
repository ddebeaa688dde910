// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FilterEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

class FilterEditTest : public QObject {
    Q_OBJECT
private slots:
    void typedLetterIsDroppedAndBackspaceWorks();
    void minusPassesOnlyWhenInTheSet();
    void pasteWithAForeignCharacterKeepsTheText();
    void pasteOfAllowedCharactersIsTaken();
    void emptySetLetsEverythingThrough();
    void maxLengthRefusesAFourthCharacter();
    void controlKeysPass();
    void programTextWithAForeignCharacterGoesBack();
    void acceptedTextIsShownAsItIs();
    void withoutASetProgramTextIsKept();
};

void FilterEditTest::typedLetterIsDroppedAndBackspaceWorks() {
    CFilterEdit edit;
    edit.SetAllowedCharacters(QStringLiteral("-0123456789"));
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    QTest::keyClicks(&edit, QStringLiteral("1a2"));
    QCOMPARE(edit.text(), QStringLiteral("12"));
    QCOMPARE(changed.count(), 2);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("1"));
}

void FilterEditTest::minusPassesOnlyWhenInTheSet() {
    CFilterEdit signedEdit;
    signedEdit.SetAllowedCharacters(QStringLiteral("-0123456789"));
    QTest::keyClicks(&signedEdit, QStringLiteral("-5"));
    QCOMPARE(signedEdit.text(), QStringLiteral("-5"));

    CFilterEdit digits;
    digits.SetAllowedCharacters(QStringLiteral("0123456789"));
    QTest::keyClicks(&digits, QStringLiteral("-5"));
    QCOMPARE(digits.text(), QStringLiteral("5"));
}

void FilterEditTest::pasteWithAForeignCharacterKeepsTheText() {
    CFilterEdit edit;
    edit.SetAllowedCharacters(QStringLiteral("0123456789"));
    QTest::keyClicks(&edit, QStringLiteral("12"));
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    QGuiApplication::clipboard()->setText(QStringLiteral("3x4"));
    edit.paste();
    QCOMPARE(edit.text(), QStringLiteral("12"));
    // Ctrl+V goes the same way.
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QStringLiteral("12"));
    QCOMPARE(changed.count(), 0);
}

void FilterEditTest::pasteOfAllowedCharactersIsTaken() {
    CFilterEdit edit;
    edit.SetAllowedCharacters(QStringLiteral("0123456789"));
    QGuiApplication::clipboard()->setText(QStringLiteral("345"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QStringLiteral("345"));
}

void FilterEditTest::emptySetLetsEverythingThrough() {
    CFilterEdit edit;
    QTest::keyClicks(&edit, QStringLiteral("a-1 <N>"));
    QCOMPARE(edit.text(), QStringLiteral("a-1 <N>"));
    edit.SetAllowedCharacters(QStringLiteral("01"));
    edit.SetAllowedCharacters(QString());
    QTest::keyClicks(&edit, QStringLiteral("z"));
    QCOMPARE(edit.text(), QStringLiteral("a-1 <N>z"));
    QVERIFY(CFilterEdit::IsAllowedText(QStringLiteral("abc"), QString()));
    QVERIFY(!CFilterEdit::IsAllowedText(QStringLiteral("1b"), QStringLiteral("0123456789")));
    QVERIFY(CFilterEdit::IsAllowedText(QString(), QStringLiteral("0123456789")));
}

void FilterEditTest::maxLengthRefusesAFourthCharacter() {
    CFilterEdit edit;
    edit.SetAllowedCharacters(QStringLiteral("0123456789"));
    edit.setMaxLength(3);
    QTest::keyClicks(&edit, QStringLiteral("1234"));
    QCOMPARE(edit.text(), QStringLiteral("123"));
}

void FilterEditTest::controlKeysPass() {
    CFilterEdit edit;
    edit.SetAllowedCharacters(QStringLiteral("0123456789"));
    QTest::keyClicks(&edit, QStringLiteral("123"));
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(edit.selectedText(), QStringLiteral("123"));
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(edit.text(), QString());
}

void FilterEditTest::programTextWithAForeignCharacterGoesBack() {
    CFilterEdit edit;
    edit.SetAllowedCharacters(QStringLiteral("0123456789"));
    QSignalSpy accepted(&edit, &CFilterEdit::TextAccepted);
    edit.setText(QStringLiteral("12"));
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(accepted.at(0).at(0).toString(), QStringLiteral("12"));
    edit.setText(QStringLiteral("abc"));
    QCOMPARE(edit.text(), QStringLiteral("12"));
    edit.setText(QStringLiteral("12c"));
    QCOMPARE(edit.text(), QStringLiteral("12"));
    QCOMPARE(accepted.count(), 1);
    // Typed digits after the way back go on from the kept text.
    edit.setFocus();
    edit.end(false);
    QTest::keyClicks(&edit, QStringLiteral("3"));
    QCOMPARE(edit.text(), QStringLiteral("123"));
    QCOMPARE(accepted.count(), 2);
}

void FilterEditTest::acceptedTextIsShownAsItIs() {
    CFilterEdit edit;
    edit.SetAllowedCharacters(QStringLiteral("0123456789"));
    QSignalSpy accepted(&edit, &CFilterEdit::TextAccepted);
    edit.ShowAcceptedText(QStringLiteral("abc"));
    QCOMPARE(edit.text(), QStringLiteral("abc"));
    QCOMPARE(accepted.count(), 1);
    edit.setText(QStringLiteral("abd"));
    QCOMPARE(edit.text(), QStringLiteral("abc"));
    QCOMPARE(accepted.count(), 1);
}

void FilterEditTest::withoutASetProgramTextIsKept() {
    CFilterEdit edit;
    edit.setText(QStringLiteral("a-1 <N>"));
    QCOMPARE(edit.text(), QStringLiteral("a-1 <N>"));
}

QTEST_MAIN(FilterEditTest)
#include "FilterEditTest.moc"
