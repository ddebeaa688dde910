// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

/// What the box showed, read while it was open.
struct Seen {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

} // namespace

class QtMessageBoxesTest : public QObject {
    Q_OBJECT

private:
    /// Runs show while a zero-delay timer reads the open box and presses
    /// the given button (or Escape when NoButton).
    static int Drive(const std::function<int()>& show, QMessageBox::StandardButton press,
                     Seen& seen) {
        QTimer::singleShot(0, qApp, [press, &seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen.caption = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = box->standardButtons();
            seen.defaultButton = box->standardButton(box->defaultButton());
            if (press == QMessageBox::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                QTest::mouseClick(box->button(press), Qt::LeftButton);
            }
        });
        return show();
    }

private slots:
    void emptyCaptionsTakeTheRoutinesOwn() {
        CQtMessageBoxes boxes;
        Seen seen;
        QCOMPARE(Drive([&] { return boxes.ShowWarning(nullptr, "let op", {}, 48); },
                       QMessageBox::Ok, seen),
                 boxbutton::kOk);
        QCOMPARE(seen.caption, QStringLiteral("Waarschuwing"));
        QCOMPARE(seen.text, QStringLiteral("let op"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        Drive([&] { return boxes.ShowInformation(nullptr, "info", {}, 64); }, QMessageBox::Ok,
              seen);
        QCOMPARE(seen.caption, QStringLiteral("Informatie"));
        QCOMPARE(seen.icon, QMessageBox::Information);

        Drive([&] { return boxes.ShowError(nullptr, "kapot", {}, 16); }, QMessageBox::Ok, seen);
        QCOMPARE(seen.caption, QStringLiteral("Fout"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
    }

    void aGivenCaptionIsKept() {
        CQtMessageBoxes boxes;
        Seen seen;
        Drive([&] { return boxes.ShowWarning(nullptr, "x", "Eigen titel", 48); }, QMessageBox::Ok,
              seen);
        QCOMPARE(seen.caption, QStringLiteral("Eigen titel"));
    }

    void questionsAnswerYesOrNo() {
        CQtMessageBoxes boxes;
        Seen seen;
        QCOMPARE(Drive([&] { return boxes.AskQuestion(nullptr, "Doorgaan?", {}, 36); },
                       QMessageBox::No, seen),
                 boxbutton::kNo);
        QCOMPARE(seen.caption, QStringLiteral("Vraag"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen.defaultButton, QMessageBox::Yes);
        QCOMPARE(Drive([&] { return boxes.AskQuestion(nullptr, "Doorgaan?", {}, 36); },
                       QMessageBox::Yes, seen),
                 boxbutton::kYes);
    }

    void escapeInAQuestionMeansNo() {
        CQtMessageBoxes boxes;
        Seen seen;
        QCOMPARE(Drive([&] { return boxes.AskQuestion(nullptr, "?", {}, 36); },
                       QMessageBox::NoButton, seen),
                 boxbutton::kNo);
    }

    void styleBitsPickIconsAndButtons() {
        QCOMPARE(CQtMessageBoxes::IconOfStyle(0, QMessageBox::Warning), QMessageBox::Warning);
        QCOMPARE(CQtMessageBoxes::IconOfStyle(48 | 4, QMessageBox::Question), QMessageBox::Warning);
        QCOMPARE(CQtMessageBoxes::ButtonsOfStyle(48),
                 QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(CQtMessageBoxes::ButtonsOfStyle(1), QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(CQtMessageBoxes::ButtonsOfStyle(32 | 3),
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(CQtMessageBoxes::BoxButtonOf(QMessageBox::Cancel), boxbutton::kCancel);
    }

    void theOwnerIsTheBoxParent() {
        CQtMessageBoxes boxes;
        QWidget owner;
        owner.show();
        QWidget* parent = nullptr;
        QTimer::singleShot(0, qApp, [&parent] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr) {
                parent = box->parentWidget();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        QCOMPARE(boxes.ShowInformation(&owner, "x", {}, 64), boxbutton::kOk);
        QCOMPARE(parent, &owner);
    }
};

QTEST_MAIN(QtMessageBoxesTest)
#include "QtMessageBoxesTest.moc"
