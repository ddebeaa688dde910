// SPDX-License-Identifier: GPL-3.0-or-later
// The two progress dialogs on their own: the cancel flag and its texts, the
// hidden button of work that cannot be cancelled, the animation, and that
// only the program closes them.

#include "resources/StringTable.h"
#include "ui/ProgressBarDlg.h"
#include "ui/ProgressTextDlg.h"
#include "ui/QtText.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class ProgressDialogTest : public QObject {
    Q_OBJECT

private slots:
    void barWithCancelShowsButtonAndAbortText() {
        CProgressBarDlg dialog(UiText(strings::kComputingPreview), true);
        dialog.SetRange(200);
        dialog.SetPosition(50);
        dialog.Start();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Voortgang..."));
        QCOMPARE(dialog.GetTextLabel()->text(), QStringLiteral("Rekenvoorbeeld"));
        QCOMPARE(dialog.GetBar()->maximum(), 200);
        QCOMPARE(dialog.GetBar()->value(), 50);
        QPushButton* cancel = dialog.GetCancelButton();
        QVERIFY(cancel->isVisible());
        QCOMPARE(cancel->text(), QStringLiteral("Annuleren"));
        QSignalSpy spy(&dialog, &CProgressDialog::Cancelled);
        QVERIFY(!dialog.IsCancelled());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(dialog.IsCancelled());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(dialog.GetTextLabel()->text(), UiText(strings::kAbortingPleaseWait));
        // Still open: only the program closes it.
        QVERIFY(dialog.isVisible());
        dialog.Finish();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), 1);
    }

    void renameAndUndoBarsHaveNoCancelButton() {
        for (const int text : {strings::kRenamingPleaseWait, strings::kUndoingPleaseWait}) {
            CProgressBarDlg dialog(UiText(text), false);
            dialog.Start();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QVERIFY(!dialog.IsCancelAllowed());
            QVERIFY(!dialog.GetCancelButton()->isVisible());
            QCOMPARE(dialog.GetTextLabel()->text(), UiText(text));
            dialog.Finish();
        }
    }

    void escapeEnterAndCloseDoNothing() {
        CProgressTextDlg text;
        CProgressBarDlg bar(UiText(strings::kComputingPreview), true);
        for (CProgressDialog* dialog : {static_cast<CProgressDialog*>(&text),
                                        static_cast<CProgressDialog*>(&bar)}) {
            dialog->Start();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            dialog->GetCancelButton()->setFocus();
            QTest::keyClick(dialog, Qt::Key_Escape);
            QTest::keyClick(dialog->GetCancelButton(), Qt::Key_Return);
            QTest::keyClick(dialog->GetCancelButton(), Qt::Key_Enter);
            QVERIFY(!dialog->close());
            dialog->reject();
            dialog->accept();
            QVERIFY(dialog->isVisible());
            // Enter on the focused button is not a click.
            QVERIFY(!dialog->IsCancelled());
            dialog->Finish();
            QVERIFY(!dialog->isVisible());
        }
    }

    void textDialogShowsFoldersUntilCancelled() {
        CProgressTextDlg dialog;
        dialog.Start();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.SetPatternText(QStringLiteral("*.*"));
        dialog.SetText(QStringLiteral("/tmp/a/"));
        QCOMPARE(dialog.GetTextLabel()->text(), QStringLiteral("/tmp/a/"));
        QTest::mouseClick(dialog.GetCancelButton(), Qt::LeftButton);
        QVERIFY(dialog.IsCancelled());
        QCOMPARE(dialog.GetPatternLabel()->text(), QString());
        QCOMPARE(dialog.GetTextLabel()->text(), UiText(strings::kAbortingPleaseWait));
        // The folders that follow do not replace the abort text.
        dialog.SetText(QStringLiteral("/tmp/b/"));
        dialog.SetPatternText(QStringLiteral("*.txt"));
        QCOMPARE(dialog.GetTextLabel()->text(), UiText(strings::kAbortingPleaseWait));
        QCOMPARE(dialog.GetPatternLabel()->text(), QString());
        dialog.Finish();
    }

    void animationWalksThroughSixFrames() {
        QCOMPARE(CProgressDialog::kFrameCount, 6);
        QCOMPARE(CProgressDialog::kAnimationPeriod, 250);
        // Six different drawings, one per frame.
        for (int i = 0; i < CProgressDialog::kFrameCount; ++i) {
            const QImage frame = CProgressDialog::AnimationFrame(i).toImage();
            QVERIFY(!frame.isNull());
            for (int j = 0; j < i; ++j) {
                QVERIFY(frame != CProgressDialog::AnimationFrame(j).toImage());
            }
        }
        CProgressBarDlg dialog(UiText(strings::kComputingPreview), true);
        dialog.Start();
        QCOMPARE(dialog.GetFrame(), 0);
        // Round the ring and back to the first frame.
        QTRY_COMPARE_WITH_TIMEOUT(dialog.GetFrame(), 5, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(dialog.GetFrame(), 0, 10000);
        dialog.Finish();
    }
};

QTEST_MAIN(ProgressDialogTest)
#include "ProgressDialogTest.moc"
