// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ManualRenameDlg.h"

#include "app/MessageBoxes.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>

class ManualRenameDlgTest : public QObject {
    Q_OBJECT

private:
    CRecordingMessageBoxes boxes;

    static QPushButton* Button(CManualRenameDlg& dialog, QDialogButtonBox::StandardButton which) {
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        return buttons != nullptr ? buttons->button(which) : nullptr;
    }

private slots:
    void init() { boxes.Clear(); }

    void showsTheNameTwiceWithLabelledEdits() {
        CManualRenameDlg dialog(QStringLiteral("vakantie 01.jpg"), false, boxes);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Handmatig hernoemen"));
        QCOMPARE(dialog.GetOriginalEdit()->text(), QStringLiteral("vakantie 01.jpg"));
        QVERIFY(dialog.GetOriginalEdit()->isReadOnly());
        QCOMPARE(dialog.GetNewNameEdit()->text(), QStringLiteral("vakantie 01.jpg"));
        QVERIFY(!dialog.GetNewNameEdit()->isReadOnly());
        QCOMPARE(dialog.GetOriginalEdit()->accessibleName(), QStringLiteral("Originele naam"));
        QCOMPARE(dialog.GetNewNameEdit()->accessibleName(), QStringLiteral("Nieuwe naam"));
        int buddies = 0;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->buddy() == dialog.GetNewNameEdit()) {
                QCOMPARE(label->text(), QStringLiteral("Nieuwe naam"));
                ++buddies;
            } else if (label->buddy() == dialog.GetOriginalEdit()) {
                QCOMPARE(label->text(), QStringLiteral("Originele naam"));
                ++buddies;
            }
        }
        QCOMPARE(buddies, 2);
    }

    void newNameIsFocusedAndSelectedUpToTheExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isFolder");
        QTest::addColumn<QString>("selected");
        QTest::newRow("extension") << "vakantie 01.jpg" << false << "vakantie 01";
        QTest::newRow("two dots") << "archief.tar.gz" << false << "archief.tar";
        QTest::newRow("no extension") << "LEESMIJ" << false << "LEESMIJ";
        QTest::newRow("dot first") << ".profile" << false << ".profile";
        QTest::newRow("folder") << "foto's 2.0" << true << "foto's 2.0";
    }

    void newNameIsFocusedAndSelectedUpToTheExtension() {
        QFETCH(QString, name);
        QFETCH(bool, isFolder);
        QFETCH(QString, selected);
        CManualRenameDlg dialog(name, isFolder, boxes);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.GetNewNameEdit());
        QCOMPARE(dialog.GetNewNameEdit()->selectedText(), selected);
        QCOMPARE(dialog.GetNewNameEdit()->selectionStart(), 0);
    }

    void typingReplacesTheBaseNameAndKeepsTheExtension() {
        CManualRenameDlg dialog(QStringLiteral("IMG_0001.JPG"), false, boxes);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("strand"));
        QCOMPARE(dialog.GetNewName(), QStringLiteral("strand.JPG"));
    }

    void okReturnsTheTypedName() {
        CManualRenameDlg dialog(QStringLiteral("oud.txt"), false, boxes);
        QTimer::singleShot(0, &dialog, [&dialog] {
            QLineEdit* edit = dialog.GetNewNameEdit();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("nieuw.txt"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        const std::optional<QString> result = dialog.Run();
        QVERIFY(result.has_value());
        QCOMPARE(*result, QStringLiteral("nieuw.txt"));
        QVERIFY(boxes.GetAsked().empty());
    }

    void cancelGivesNothing() {
        CManualRenameDlg dialog(QStringLiteral("oud.txt"), false, boxes);
        QTimer::singleShot(0, &dialog, [&dialog] {
            QTest::keyClicks(dialog.GetNewNameEdit(), QStringLiteral("anders"));
            QPushButton* cancel = Button(dialog, QDialogButtonBox::Cancel);
            QVERIFY(cancel);
            QCOMPARE(cancel->text(), QStringLiteral("Annuleren"));
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        QVERIFY(!dialog.Run().has_value());
    }

    void escapeGivesNothing() {
        CManualRenameDlg dialog(QStringLiteral("oud.txt"), false, boxes);
        QTimer::singleShot(0, &dialog,
                           [&dialog] { QTest::keyClick(dialog.GetNewNameEdit(), Qt::Key_Escape); });
        QVERIFY(!dialog.Run().has_value());
    }

    void invalidCharacterWarnsAndStaysOpen_data() {
        QTest::addColumn<QString>("name");
        const QString characters = QStringLiteral("\\/:*?\"<>|");
        for (QChar c : characters) {
            QTest::newRow(qPrintable(QString(c)))
                << (QStringLiteral("a") + c + QStringLiteral("b"));
        }
    }

    void invalidCharacterWarnsAndStaysOpen() {
        QFETCH(QString, name);
        CManualRenameDlg dialog(QStringLiteral("oud.txt"), false, boxes);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.GetNewNameEdit()->setText(name);
        QPushButton* ok = Button(dialog, QDialogButtonBox::Ok);
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(boxes.GetAsked().size(), std::size_t{1});
        const CRecordingMessageBoxes::CAsked& asked = boxes.GetAsked().front();
        QCOMPARE(asked.kind, CRecordingMessageBoxes::Kind::Warning);
        QCOMPARE(asked.text, std::string(LookupString(strings::kInvalidNameCharacters)));
        QCOMPARE(asked.caption, std::string("Waarschuwing"));
        QCOMPARE(asked.style, boxstyle::kExclamationIcon);

        // Put right, the same OK accepts.
        dialog.GetNewNameEdit()->setText(QStringLiteral("goed.txt"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetNewName(), QStringLiteral("goed.txt"));
    }
};

QTEST_MAIN(ManualRenameDlgTest)
#include "ManualRenameDlgTest.moc"
