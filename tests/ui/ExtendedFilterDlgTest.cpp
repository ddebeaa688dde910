// SPDX-License-Identifier: GPL-3.0-or-later
// "Uitgebreide filter opties": its validation, and through the main window
// (F3) its application with one rescan and its values kept for the run.

#include "ui/ExtendedFilterDlg.h"
#include "resources/StringTable.h"
#include "support/MainDlgHarness.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimeEdit>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

template <typename T>
T* Child(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QLatin1String(name));
    if (child == nullptr) {
        qFatal("no control %s", name);
    }
    return child;
}

void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void ClickOk(QWidget& dialog) {
    QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
}

} // namespace

class ExtendedFilterDlgTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private:
    std::function<int(CExtendedFilterDlg&)> answer;
    int opened = 0;

    void Open() {
        OpenWindow([this](QDialog& dialog) {
            auto* filter = qobject_cast<CExtendedFilterDlg*>(&dialog);
            if (filter == nullptr) {
                return int(QDialog::Rejected);
            }
            ++opened;
            dialog.show();
            return answer ? answer(*filter) : int(QDialog::Rejected);
        });
    }
    void PressF3() {
        window->GetFileList()->setFocus();
        QTest::keyClick(window->GetFileList(), Qt::Key_F3);
    }

private slots:
    void init() {
        ResetHarness();
        answer = nullptr;
        opened = 0;
    }
    void cleanup() { CloseWindow(); }

    void opensOnTheDefaults() {
        CExtendedFilter filter;
        CExtendedFilterDlg dialog(filter, std::nullopt, boxes);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Uitgebreide filter opties"));
        QVERIFY(Child<QCheckBox>(dialog, "showSystem")->isChecked());
        QVERIFY(Child<QCheckBox>(dialog, "showHidden")->isChecked());
        QVERIFY(Child<QCheckBox>(dialog, "showReadOnly")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog, "nameLengthCheck")->isChecked());
        QVERIFY(!Child<QLineEdit>(dialog, "nameLengthEdit")->isEnabled());
        QCOMPARE(Child<QLineEdit>(dialog, "nameLengthEdit")->text(), QStringLiteral("0"));
        QCOMPARE(Child<QLineEdit>(dialog, "sizeEdit")->text(), QStringLiteral("0"));
        QCOMPARE(Child<QLineEdit>(dialog, "nameLengthEdit")->accessibleName(),
                 QStringLiteral("Lengte bestandsnaam:"));
        QCOMPARE(Child<QLineEdit>(dialog, "sizeEdit")->accessibleName(),
                 QStringLiteral("Bestandsgrootte:"));
        auto* unit = Child<QComboBox>(dialog, "sizeUnit");
        QCOMPARE(unit->count(), 3);
        QCOMPARE(unit->itemText(2), QStringLiteral("Megabyties"));
        auto* compare = Child<QComboBox>(dialog, "sizeCompare");
        QCOMPARE(compare->itemText(0), QStringLiteral("="));
        QCOMPARE(compare->itemText(1), QStringLiteral(">"));
        QCOMPARE(compare->itemText(2), QStringLiteral("<"));
        QCOMPARE(Child<QDateEdit>(dialog, "modifiedFromDate")->date(), QDate(1900, 1, 1));
        QCOMPARE(Child<QTimeEdit>(dialog, "createdFromTime")->time(), QTime(0, 0, 0));
        QVERIFY(!Child<QDateEdit>(dialog, "accessedToDate")->isEnabled());
        // A check box enables its row.
        Child<QCheckBox>(dialog, "accessedCheck")->setChecked(true);
        QVERIFY(Child<QDateEdit>(dialog, "accessedToDate")->isEnabled());
        Child<QCheckBox>(dialog, "sizeCheck")->setChecked(true);
        QVERIFY(Child<QComboBox>(dialog, "sizeUnit")->isEnabled());
    }

    void nameLengthOutsideRangeKeepsDialogOpen() {
        CExtendedFilter filter;
        CExtendedFilterDlg dialog(filter, std::nullopt, boxes);
        dialog.show();
        Child<QCheckBox>(dialog, "nameLengthCheck")->setChecked(true);
        auto* edit = Child<QLineEdit>(dialog, "nameLengthEdit");
        for (const QString& typed : {QStringLiteral("300"), QStringLiteral("0"), QString()}) {
            boxes.Clear();
            TypeInto(edit, typed);
            QCOMPARE(edit->text(), typed);
            Child<QPushButton>(dialog, "okButton")->setFocus();
            ClickOk(dialog);
            QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
            QCOMPARE(boxes.GetAsked()[0].text, std::string(LookupString(strings::kInvalidNameLength)));
            QCOMPARE(boxes.GetAsked()[0].style, boxstyle::kExclamationIcon);
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.focusWidget(), edit);
        }
        // Letters never reach the field.
        TypeInto(edit, QStringLiteral("2x6"));
        QCOMPARE(edit->text(), QStringLiteral("26"));
        boxes.Clear();
        ClickOk(dialog);
        QVERIFY(boxes.GetAsked().empty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetValues().nameLength, 26u);
        QCOMPARE(dialog.GetValues().nameLengthMode, CompareMode::Equal);
    }

    void nameLengthUncheckedTakesAnyText() {
        CExtendedFilter filter;
        CExtendedFilterDlg dialog(filter, std::nullopt, boxes);
        dialog.show();
        Child<QCheckBox>(dialog, "nameLengthCheck")->setChecked(true);
        TypeInto(Child<QLineEdit>(dialog, "nameLengthEdit"), QStringLiteral("300"));
        Child<QCheckBox>(dialog, "nameLengthCheck")->setChecked(false);
        ClickOk(dialog);
        QVERIFY(boxes.GetAsked().empty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetValues().nameLengthMode, CompareMode::Off);
    }

    void sizeThatIsNoNumberKeepsDialogOpen() {
        CExtendedFilter filter;
        CExtendedFilterDlg dialog(filter, std::nullopt, boxes);
        dialog.show();
        Child<QCheckBox>(dialog, "sizeCheck")->setChecked(true);
        auto* edit = Child<QLineEdit>(dialog, "sizeEdit");
        for (const QString& typed : {QStringLiteral("12ab"), QStringLiteral("abc"), QString()}) {
            boxes.Clear();
            TypeInto(edit, typed);
            QCOMPARE(edit->text(), typed);
            Child<QPushButton>(dialog, "okButton")->setFocus();
            ClickOk(dialog);
            QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
            QCOMPARE(boxes.GetAsked()[0].text, std::string(LookupString(strings::kSizeValueMissing)));
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.focusWidget(), edit);
        }
        TypeInto(edit, QStringLiteral("3"));
        Child<QComboBox>(dialog, "sizeUnit")->setCurrentIndex(2);
        Child<QComboBox>(dialog, "sizeCompare")->setCurrentIndex(2);
        boxes.Clear();
        ClickOk(dialog);
        QVERIFY(boxes.GetAsked().empty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetValues().sizeMode, CompareMode::Less);
        QCOMPARE(dialog.GetValues().sizeTyped, int64_t(3));
        QCOMPARE(dialog.GetValues().sizeInBytes, int64_t(3) * 1048576);
    }

    void nameLengthEqualEightListsOnlyEightByteNames() {
        folder->WriteFile("abc.txt", "x");
        folder->WriteFile("abcd.txt", "x");
        folder->WriteFile("abcdefgh", "x");
        Open();
        QCOMPARE(FileRows().size(), 3);
        QSignalSpy resets(window->GetFileList()->model(), &QAbstractItemModel::modelReset);
        answer = [](CExtendedFilterDlg& dialog) {
            Child<QCheckBox>(dialog, "nameLengthCheck")->setChecked(true);
            Child<QComboBox>(dialog, "nameLengthCompare")->setCurrentIndex(0);
            TypeInto(Child<QLineEdit>(dialog, "nameLengthEdit"), QStringLiteral("8"));
            ClickOk(dialog);
            return dialog.result();
        };
        PressF3();
        QCOMPARE(opened, 1);
        // The extension and its dot count.
        QCOMPARE(FileRows(), (QStringList{QStringLiteral("abcd.txt"), QStringLiteral("abcdefgh")}));
        // Every setter held back, then one scan.
        QCOMPARE(resets.count(), 1);
        QCOMPARE(window->GetCore().GetCatalogue().GetFilter().GetNameLengthMode(),
                 CompareMode::Equal);
        QVERIFY(window->GetCore().GetCatalogue().GetAutoRefresh());
    }

    void sizeGreaterThanOneKilobyte() {
        folder->WriteFile("small.bin", std::string(1024, 'x'));
        folder->WriteFile("large.bin", std::string(1025, 'x'));
        folder->MakeFolder("sub");
        Open();
        answer = [](CExtendedFilterDlg& dialog) {
            Child<QCheckBox>(dialog, "sizeCheck")->setChecked(true);
            Child<QComboBox>(dialog, "sizeCompare")->setCurrentIndex(1);
            TypeInto(Child<QLineEdit>(dialog, "sizeEdit"), QStringLiteral("1"));
            Child<QComboBox>(dialog, "sizeUnit")->setCurrentIndex(1);
            ClickOk(dialog);
            return dialog.result();
        };
        PressF3();
        QCOMPARE(FileRows(), (QStringList{QStringLiteral("sub"), QStringLiteral("large.bin")}));
    }

    void cancelChangesNothing() {
        folder->WriteFile("abc.txt", "x");
        Open();
        QSignalSpy resets(window->GetFileList()->model(), &QAbstractItemModel::modelReset);
        answer = [](CExtendedFilterDlg& dialog) {
            Child<QCheckBox>(dialog, "nameLengthCheck")->setChecked(true);
            TypeInto(Child<QLineEdit>(dialog, "nameLengthEdit"), QStringLiteral("8"));
            dialog.reject();
            return dialog.result();
        };
        PressF3();
        QCOMPARE(opened, 1);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(FileRows(), QStringList{QStringLiteral("abc.txt")});
        QCOMPARE(window->GetCore().GetCatalogue().GetFilter().GetNameLengthMode(),
                 CompareMode::Off);
    }

    void valuesComeBackAtTheNextOpen() {
        folder->WriteFile("a.txt", "x");
        Open();
        answer = [](CExtendedFilterDlg& dialog) {
            Child<QCheckBox>(dialog, "showHidden")->setChecked(false);
            Child<QCheckBox>(dialog, "nameLengthCheck")->setChecked(true);
            Child<QComboBox>(dialog, "nameLengthCompare")->setCurrentIndex(2);
            TypeInto(Child<QLineEdit>(dialog, "nameLengthEdit"), QStringLiteral("40"));
            Child<QCheckBox>(dialog, "sizeCheck")->setChecked(true);
            Child<QComboBox>(dialog, "sizeCompare")->setCurrentIndex(2);
            TypeInto(Child<QLineEdit>(dialog, "sizeEdit"), QStringLiteral("7"));
            Child<QComboBox>(dialog, "sizeUnit")->setCurrentIndex(1);
            Child<QCheckBox>(dialog, "createdCheck")->setChecked(true);
            Child<QDateEdit>(dialog, "createdFromDate")->setDate(QDate(2004, 5, 1));
            Child<QTimeEdit>(dialog, "createdFromTime")->setTime(QTime(12, 30, 15));
            Child<QDateEdit>(dialog, "createdToDate")->setDate(QDate(2030, 1, 2));
            Child<QTimeEdit>(dialog, "createdToTime")->setTime(QTime(8, 0, 0));
            ClickOk(dialog);
            return dialog.result();
        };
        PressF3();
        QCOMPARE(FileRows(), QStringList{QStringLiteral("a.txt")});
        bool checked = false;
        answer = [&](CExtendedFilterDlg& dialog) {
            [&] {
                QVERIFY(!Child<QCheckBox>(dialog, "showHidden")->isChecked());
                QVERIFY(Child<QCheckBox>(dialog, "showSystem")->isChecked());
                QVERIFY(Child<QCheckBox>(dialog, "nameLengthCheck")->isChecked());
                QCOMPARE(Child<QComboBox>(dialog, "nameLengthCompare")->currentIndex(), 2);
                QCOMPARE(Child<QLineEdit>(dialog, "nameLengthEdit")->text(), QStringLiteral("40"));
                QVERIFY(Child<QCheckBox>(dialog, "sizeCheck")->isChecked());
                QCOMPARE(Child<QComboBox>(dialog, "sizeCompare")->currentIndex(), 2);
                QCOMPARE(Child<QLineEdit>(dialog, "sizeEdit")->text(), QStringLiteral("7"));
                QCOMPARE(Child<QComboBox>(dialog, "sizeUnit")->currentIndex(), 1);
                QVERIFY(Child<QCheckBox>(dialog, "createdCheck")->isChecked());
                QVERIFY(!Child<QCheckBox>(dialog, "modifiedCheck")->isChecked());
                QCOMPARE(Child<QDateEdit>(dialog, "createdFromDate")->date(), QDate(2004, 5, 1));
                QCOMPARE(Child<QTimeEdit>(dialog, "createdFromTime")->time(), QTime(12, 30, 15));
                QCOMPARE(Child<QDateEdit>(dialog, "createdToDate")->date(), QDate(2030, 1, 2));
                QCOMPARE(Child<QTimeEdit>(dialog, "createdToTime")->time(), QTime(8, 0, 0));
                checked = true;
            }();
            return int(QDialog::Rejected);
        };
        PressF3();
        QCOMPARE(opened, 2);
        QVERIFY(checked);
        const CExtendedFilter& filter = window->GetCore().GetCatalogue().GetFilter();
        QCOMPARE(filter.GetSizeLimit(), int64_t(7 * 1024));
        QVERIFY(!filter.GetShowHidden());
        QVERIFY(filter.GetCreatedRange().enabled);
    }
};

QTEST_MAIN(ExtendedFilterDlgTest)
#include "ExtendedFilterDlgTest.moc"
