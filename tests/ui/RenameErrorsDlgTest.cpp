// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RenameErrorsDlg.h"

#include "engine/RenameCore.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class RenameErrorsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void showsOneRowPerFailureWithItsFourTexts() {
        const std::vector<CRenameFailure> failures = {
            {2, "No such file or directory", "/tmp/a/één.txt", "/tmp/a/twee.txt"},
            {13, "Permission denied", "/tmp/a/b.jpg", "/tmp/a/c.jpg"},
            {17, "File exists", "/tmp/x", "/tmp/y"},
        };
        CRenameErrorsDlg dialog(failures);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Hernoemen fouten"));
        QTableWidget* table = dialog.GetTable();
        QCOMPARE(table->accessibleName(), QStringLiteral("Hernoemen fouten"));
        QCOMPARE(table->columnCount(), 4);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Foutcode"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Foutbeschrijving"));
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("Bestandsnaam van"));
        QCOMPARE(table->horizontalHeaderItem(3)->text(), QStringLiteral("Bestandsnaam voor"));
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("2"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("No such file or directory"));
        QCOMPARE(table->item(0, 2)->text(), QString::fromUtf8("/tmp/a/één.txt"));
        QCOMPARE(table->item(0, 3)->text(), QStringLiteral("/tmp/a/twee.txt"));
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("13"));
        QCOMPARE(table->item(2, 1)->text(), QStringLiteral("File exists"));
        QCOMPARE(table->item(2, 3)->text(), QStringLiteral("/tmp/y"));
        // The texts are shown, not edited.
        QVERIFY(!(table->item(1, 2)->flags() & Qt::ItemIsEditable));
    }

    void columnsHaveTheirWidthsAndTheDialogFitsThem() {
        CRenameErrorsDlg dialog({{1, "x", "a", "b"}});
        QTableWidget* table = dialog.GetTable();
        QCOMPARE(table->columnWidth(0), 70);
        QCOMPARE(table->columnWidth(1), 200);
        QCOMPARE(table->columnWidth(2), 150);
        QVERIFY(dialog.width() >= 70 + 200 + 150 + 150);
        QVERIFY(dialog.isSizeGripEnabled());
        QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(table->showGrid());
    }

    void noFailuresGiveAnEmptyTable() {
        CRenameErrorsDlg dialog({});
        QCOMPARE(dialog.GetTable()->rowCount(), 0);
    }

    void okCloses() {
        CRenameErrorsDlg dialog({{1, "x", "a", "b"}});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(RenameErrorsDlgTest)
#include "RenameErrorsDlgTest.moc"
