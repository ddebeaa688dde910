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
    void programTextIsShownAsItIs();
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

void FilterEditTest::programTextIsShownAsItIs() {
    CFilterEdit edit;
    edit.SetAllowedCharacters(QStringLiteral("0123456789"));
    edit.setText(QStringLiteral("abc"));
    QCOMPARE(edit.text(), QStringLiteral("abc"));
}

QTEST_MAIN(FilterEditTest)
#include "FilterEditTest.moc"
