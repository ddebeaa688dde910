// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AutonumberTab.h"
#include "engine/RenameCore.h"
#include "ui/FilterEdit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <memory>

namespace {

const char* const kPositionRadios[] = {"positionNone", "positionBeforeName", "positionAfterName"};
const char* const kBaseRadios[] = {"baseDec", "baseHex",     "baseOct",
                                   "baseBin", "baseLetters", "baseManual"};

} // namespace

class AutonumberTabTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsCarryTheDialogTexts();
    void pageStartsWithTheDefaults();
    void minusIsTakenByStartAndIncrementOnly();
    void fourthDigitOfTheZeroFillIsRefused();
    void pasteWithALetterKeepsTheStartValue();
    void everyBaseReadsBackWithOnlyItsRadioTicked();
    void everyPositionReadsBackWithOnlyItsRadioTicked();
    void baseWithNoneOfDecToExcelReadsAsManual();
    void clicksApplyOnce();
    void typedChangesApplyOncePerKey();
    void chosenListEntryIsTaken();
    void showValuesFillsTheControlsWithoutApplying();
    void setDefaultsTakesTheDefaults();
    void noAppliedSignalWithoutTheOwnerLink();
    void layoutFitsTheSmallestWindowWithoutOverlap();

private:
    template <typename T> T* Find(const char* name) const {
        return page->findChild<T*>(QLatin1String(name));
    }
    QRadioButton* Radio(const char* name) const { return Find<QRadioButton>(name); }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    void Click(QAbstractButton* button) const;
    CAutonumberOptions& Options() { return core->GetOptions().autonumber; }

    std::unique_ptr<CRenameCore> core;
    std::unique_ptr<CAutonumberTab> page;
};

void AutonumberTabTest::init() {
    core = std::make_unique<CRenameCore>();
    page = std::make_unique<CAutonumberTab>(core->GetOptions().autonumber);
    page->SetOwnerLinked(true);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
}

void AutonumberTabTest::cleanup() {
    page.reset();
    core.reset();
}

void AutonumberTabTest::Click(QAbstractButton* button) const {
    QVERIFY(button != nullptr);
    const int mark = button->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(mark / 2 + 1, button->height() / 2));
}

void AutonumberTabTest::controlsCarryTheDialogTexts() {
    const std::pair<const char*, const char*> buttons[] = {
        {"positionNone", "Geen wijzigingen"},
        {"positionBeforeName", "Voor de bestandsnaam"},
        {"positionAfterName", "Na de bestandsnaam"},
        {"baseDec", "Dec"},
        {"baseHex", "Hex"},
        {"baseOct", "Oct"},
        {"baseBin", "Bin"},
        {"baseLetters", "Excel"},
        {"baseManual", "Handmatig"},
        {"restartPerFolder", "Begin met nieuwe autonummering in iedere map"},
    };
    for (const auto& [name, text] : buttons) {
        auto* button = Find<QAbstractButton>(name);
        QVERIFY2(button != nullptr, name);
        QCOMPARE(button->text(), QString::fromUtf8(text));
    }
    const std::tuple<const char*, const char*, const char*> labels[] = {
        {"startLabel", "Begin met een nummer", "start"},
        {"incrementLabel", "Verhogen met", "increment"},
        {"zeroFillLabel", "Vul met nullen", "zeroFill"},
        {"manualDigitsLabel", "Handmatig", "manualDigits"},
    };
    for (const auto& [name, text, field] : labels) {
        auto* label = Find<QLabel>(name);
        QVERIFY2(label != nullptr, name);
        QCOMPARE(label->text(), QString::fromUtf8(text));
        QWidget* buddy = Find<QWidget>(field);
        QCOMPARE(label->buddy(), buddy);
        QCOMPARE(buddy->accessibleName(), QString::fromUtf8(text));
    }
    auto* combo = Find<QComboBox>("manualDigits");
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    QCOMPARE(combo->itemText(1), QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    QCOMPARE(Find<CFilterEdit>("start")->GetAllowedCharacters(), QStringLiteral("-0123456789"));
    QCOMPARE(Find<CFilterEdit>("increment")->GetAllowedCharacters(), QStringLiteral("-0123456789"));
    QCOMPARE(Find<CFilterEdit>("zeroFill")->GetAllowedCharacters(), QStringLiteral("0123456789"));
    QCOMPARE(page->objectName(), QStringLiteral("CAutonumberTab"));
}

void AutonumberTabTest::pageStartsWithTheDefaults() {
    QCOMPARE(Options(), CAutonumberOptions{});
    QCOMPARE(Edit("start")->text(), QStringLiteral("1"));
    QCOMPARE(Edit("increment")->text(), QStringLiteral("1"));
    QCOMPARE(Edit("zeroFill")->text(), QStringLiteral("1"));
    QCOMPARE(Find<QComboBox>("manualDigits")->currentText(),
             QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    QVERIFY(Find<QCheckBox>("restartPerFolder")->isChecked());
    QVERIFY(Radio("baseDec")->isChecked());
    QVERIFY(Radio("positionNone")->isChecked());
}

void AutonumberTabTest::minusIsTakenByStartAndIncrementOnly() {
    for (const char* name : {"start", "increment"}) {
        Edit(name)->clear();
        QTest::keyClicks(Edit(name), QStringLiteral("-5x"));
        QCOMPARE(Edit(name)->text(), QStringLiteral("-5"));
    }
    QCOMPARE(Options().start, std::string("-5"));
    QCOMPARE(Options().increment, std::string("-5"));
    Edit("zeroFill")->clear();
    QTest::keyClicks(Edit("zeroFill"), QStringLiteral("-2"));
    QCOMPARE(Edit("zeroFill")->text(), QStringLiteral("2"));
    QCOMPARE(Options().zeroFill, std::string("2"));
}

void AutonumberTabTest::fourthDigitOfTheZeroFillIsRefused() {
    Edit("zeroFill")->clear();
    QTest::keyClicks(Edit("zeroFill"), QStringLiteral("1234"));
    QCOMPARE(Edit("zeroFill")->text(), QStringLiteral("123"));
    QCOMPARE(Options().zeroFill, std::string("123"));
}

void AutonumberTabTest::pasteWithALetterKeepsTheStartValue() {
    QSignalSpy applied(page.get(), &CAutonumberTab::Applied);
    QGuiApplication::clipboard()->setText(QStringLiteral("7b"));
    Edit("start")->selectAll();
    QTest::keyClick(Edit("start"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Edit("start")->text(), QStringLiteral("1"));
    QCOMPARE(Options().start, std::string("1"));
    QCOMPARE(applied.count(), 0);
}

void AutonumberTabTest::everyBaseReadsBackWithOnlyItsRadioTicked() {
    for (int base = 5; base >= 0; --base) {
        page->SetBase(base);
        QCOMPARE(page->GetBase(), base);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(Radio(kBaseRadios[i])->isChecked(), i == base);
        }
        // The position group is another group.
        QVERIFY(Radio("positionNone")->isChecked());
    }
    page->SetBase(5);
    page->SetBase(9);
    QCOMPARE(page->GetBase(), 0);
    QVERIFY(!Radio("baseManual")->isChecked());
    page->SetBase(-1);
    QCOMPARE(page->GetBase(), 0);
}

void AutonumberTabTest::everyPositionReadsBackWithOnlyItsRadioTicked() {
    page->SetBase(3);
    for (int position = 2; position >= 0; --position) {
        page->SetPosition(position);
        QCOMPARE(page->GetPosition(), position);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(Radio(kPositionRadios[i])->isChecked(), i == position);
        }
        QVERIFY(Radio("baseBin")->isChecked());
    }
    page->SetPosition(2);
    page->SetPosition(7);
    QCOMPARE(page->GetPosition(), 0);
}

void AutonumberTabTest::baseWithNoneOfDecToExcelReadsAsManual() {
    auto* group = Find<QButtonGroup>("baseGroup");
    QVERIFY(group != nullptr);
    group->setExclusive(false);
    Radio("baseDec")->setChecked(false);
    group->setExclusive(true);
    QCOMPARE(page->GetBase(), 5);
}

void AutonumberTabTest::clicksApplyOnce() {
    QSignalSpy applied(page.get(), &CAutonumberTab::Applied);
    Click(Radio("baseHex"));
    QCOMPARE(applied.count(), 1);
    QCOMPARE(Options().base, AutonumberBase::Hex);
    Click(Radio("positionAfterName"));
    QCOMPARE(applied.count(), 2);
    QCOMPARE(Options().position, AutonumberPosition::AfterName);
    Click(Find<QCheckBox>("restartPerFolder"));
    QCOMPARE(applied.count(), 3);
    QVERIFY(!Options().restartPerFolder);
    Click(Radio("baseManual"));
    QCOMPARE(Options().base, AutonumberBase::Manual);
    QVERIFY(!Radio("baseHex")->isChecked());
}

void AutonumberTabTest::typedChangesApplyOncePerKey() {
    QStringList seen;
    connect(page.get(), &CAutonumberTab::Applied, this,
            [&] { seen.append(QString::fromStdString(Options().increment)); });
    QTest::keyClicks(Edit("increment"), QStringLiteral("05"));
    QCOMPARE(seen, (QStringList{QStringLiteral("10"), QStringLiteral("105")}));

    seen.clear();
    QLineEdit* digits = Find<QComboBox>("manualDigits")->lineEdit();
    digits->clear();
    QCOMPARE(seen.size(), 1);
    QTest::keyClicks(digits, QStringLiteral("XYZ"));
    QCOMPARE(seen.size(), 4);
    QCOMPARE(Options().manualDigits, std::string("XYZ"));
}

void AutonumberTabTest::chosenListEntryIsTaken() {
    QSignalSpy applied(page.get(), &CAutonumberTab::Applied);
    Find<QComboBox>("manualDigits")->setCurrentIndex(1);
    QCOMPARE(Options().manualDigits, std::string("abcdefghijklmnopqrstuvwxyz"));
    QVERIFY(applied.count() >= 1);
}

void AutonumberTabTest::showValuesFillsTheControlsWithoutApplying() {
    CAutonumberOptions& options = Options();
    options.start = "-3";
    options.increment = "2";
    options.zeroFill = "4";
    options.manualDigits = "01";
    options.restartPerFolder = false;
    options.base = AutonumberBase::Letters;
    options.position = AutonumberPosition::BeforeName;
    const CAutonumberOptions expected = options;
    QSignalSpy applied(page.get(), &CAutonumberTab::Applied);
    page->ShowValues();
    QCOMPARE(applied.count(), 0);
    QCOMPARE(Options(), expected);
    QCOMPARE(Edit("start")->text(), QStringLiteral("-3"));
    QCOMPARE(Edit("increment")->text(), QStringLiteral("2"));
    QCOMPARE(Edit("zeroFill")->text(), QStringLiteral("4"));
    QCOMPARE(Find<QComboBox>("manualDigits")->currentText(), QStringLiteral("01"));
    QVERIFY(!Find<QCheckBox>("restartPerFolder")->isChecked());
    QVERIFY(Radio("baseLetters")->isChecked());
    QVERIFY(Radio("positionBeforeName")->isChecked());
    page->TakeValues();
    QCOMPARE(Options(), expected);
}

void AutonumberTabTest::setDefaultsTakesTheDefaults() {
    Click(Radio("baseOct"));
    Click(Radio("positionBeforeName"));
    Click(Find<QCheckBox>("restartPerFolder"));
    QTest::keyClicks(Edit("start"), QStringLiteral("9"));
    Find<QComboBox>("manualDigits")->setCurrentIndex(1);
    QVERIFY(!(Options() == CAutonumberOptions{}));
    QSignalSpy applied(page.get(), &CAutonumberTab::Applied);
    page->SetDefaults();
    QCOMPARE(Options(), CAutonumberOptions{});
    QCOMPARE(Edit("start")->text(), QStringLiteral("1"));
    QVERIFY(Radio("baseDec")->isChecked());
    QVERIFY(Radio("positionNone")->isChecked());
    QCOMPARE(applied.count(), 0);
}

void AutonumberTabTest::noAppliedSignalWithoutTheOwnerLink() {
    page->SetOwnerLinked(false);
    QSignalSpy applied(page.get(), &CAutonumberTab::Applied);
    Click(Radio("baseBin"));
    QTest::keyClicks(Edit("start"), QStringLiteral("0"));
    QCOMPARE(applied.count(), 0);
    QCOMPARE(Options().base, AutonumberBase::Bin);
    QCOMPARE(Options().start, std::string("10"));
}

void AutonumberTabTest::layoutFitsTheSmallestWindowWithoutOverlap() {
    const QSize least = page->minimumSizeHint();
    QVERIFY2(least.width() <= 560 && least.height() <= 150,
             qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
    page->resize(560, 150);
    QTRY_COMPARE(page->size(), QSize(560, 150));
    QList<QWidget*> controls;
    for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        controls.append(child);
    }
    QCOMPARE(controls.size(), 3 + 3 + 6 + 1 + 1 + 4);
    for (int i = 0; i < controls.size(); ++i) {
        QVERIFY2(page->rect().contains(controls[i]->geometry()),
                 qPrintable(controls[i]->objectName()));
        for (int j = i + 1; j < controls.size(); ++j) {
            QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                     qPrintable(controls[i]->objectName() + QStringLiteral(" / ") +
                                controls[j]->objectName()));
        }
    }
}

QTEST_MAIN(AutonumberTabTest)
#include "AutonumberTabTest.moc"
