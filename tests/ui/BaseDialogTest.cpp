// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BaseDialog.h"

#include <QTest>

class BaseDialogTest : public QObject {
    Q_OBJECT

private slots:
    void sizeLimitsBindTheDialog() {
        CBaseDialog dialog;
        dialog.SetSizeLimits(320, 240, 800, 600);
        QCOMPARE(dialog.minimumSize(), QSize(320, 240));
        QCOMPARE(dialog.maximumSize(), QSize(800, 600));
        dialog.resize(100, 100);
        QCOMPARE(dialog.size(), QSize(320, 240));
        dialog.resize(2000, 2000);
        QCOMPARE(dialog.size(), QSize(800, 600));
    }

    void unsetLimitsAreFree() {
        CBaseDialog dialog;
        dialog.SetSizeLimits(740, 420, CBaseDialog::kUnset, CBaseDialog::kUnset);
        QCOMPARE(dialog.minimumSize(), QSize(740, 420));
        QCOMPARE(dialog.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        dialog.SetSizeLimits(CBaseDialog::kUnset, CBaseDialog::kUnset, 500, CBaseDialog::kUnset);
        QCOMPARE(dialog.minimumSize(), QSize(0, 0));
        QCOMPARE(dialog.maximumSize(), QSize(500, QWIDGETSIZE_MAX));
    }

    void toolTipsComeFromTheStringTable() {
        QCOMPARE(CBaseDialog::ToolTipText(32780), QStringLiteral("Vernieuw bestanden"));
        QCOMPARE(CBaseDialog::ToolTipText(33004),
                 QStringLiteral("Configureer de kleuren voor het beeld/voorbeeldvenster"));
        QCOMPARE(CBaseDialog::ToolTipText(4), QString());
    }

    void toolTipTakesThePartAfterTheFirstLineBreakAndIsCut() {
        QCOMPARE(CBaseDialog::ToolTipFromText(QStringLiteral("status\ntip\nmore")),
                 QStringLiteral("tip\nmore"));
        const QString longText(100, QLatin1Char('x'));
        QCOMPARE(CBaseDialog::ToolTipFromText(longText).size(), 79);
        QCOMPARE(CBaseDialog::ToolTipFromText(longText.left(79)), longText.left(79));
    }
};

QTEST_MAIN(BaseDialogTest)
#include "BaseDialogTest.moc"
