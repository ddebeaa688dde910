// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FlatButton.h"

#include "ui/CommandIcons.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

class FlatButtonTest : public QObject {
    Q_OBJECT

private slots:
    void mnemonicClicksAndNameHasNoAmpersand() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* rename = new CFlatButton(QStringLiteral("&Hernoemen"), &window);
        auto* undo = new CFlatButton(QStringLiteral("He&rstellen"), &window);
        layout->addWidget(rename);
        layout->addWidget(undo);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy renamed(rename, &QPushButton::clicked);
        QSignalSpy undone(undo, &QPushButton::clicked);
        // A mnemonic presses the button for a moment (animateClick).
        QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(undone.count(), 1);
        QCOMPARE(renamed.count(), 0);
        QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
        QTRY_COMPARE(renamed.count(), 1);
        QTest::mouseClick(rename, Qt::LeftButton);
        QCOMPARE(renamed.count(), 2);
        QCOMPARE(rename->accessibleName().isEmpty() ? rename->text().remove(QLatin1Char('&'))
                                                    : rename->accessibleName(),
                 QStringLiteral("Hernoemen"));
    }

    void imageAtTheLeftTextCentredInTheRest() {
        CFlatButton button(QStringLiteral("&Over"));
        button.SetImage(CommandIcon(33002));
        button.resize(120, 30);
        QCOMPARE(button.GetImageLayout(), CFlatButton::Layout::ImageLeftTextCentred);
        const QRect image = button.ImageRect();
        QCOMPARE(image.left(), CFlatButton::kImageMargin);
        QCOMPARE(image.size(), QSize(16, 16));
        QCOMPARE(image.center().y(), QRect(0, 0, 120, 30).center().y());
        const QRect text = button.TextRect();
        QCOMPARE(text.left(), CFlatButton::kImageMargin + 16);
        QCOMPARE(text.right(), 119);
    }

    void imageOnlyIsCentred() {
        CFlatButton button(QStringLiteral("OK"));
        button.SetImage(CommandIcon(33002));
        button.SetImageLayout(CFlatButton::Layout::ImageOnly);
        button.resize(100, 30);
        QCOMPARE(button.ImageRect().center(), QRect(0, 0, 100, 30).center());
    }

    void wideEnoughForImageAndText() {
        CFlatButton button(QStringLiteral("&Hernoemen"));
        button.SetImage(CommandIcon(32891));
        const int textWidth = button.fontMetrics().horizontalAdvance(QStringLiteral("Hernoemen"));
        QVERIFY(button.sizeHint().width() >= CFlatButton::kImageMargin + 16 + textWidth);
    }

    void paintsImageAndText() {
        CFlatButton button(QStringLiteral("&Over"));
        button.SetImage(CommandIcon(33002));
        button.resize(100, 30);
        const QImage plain = button.grab().toImage();
        button.SetImage(QIcon());
        const QImage withoutImage = button.grab().toImage();
        QVERIFY(plain != withoutImage);
        button.setEnabled(false);
        QVERIFY(!button.grab().isNull());
    }
};

QTEST_MAIN(FlatButtonTest)
#include "FlatButtonTest.moc"
