// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RenameCore.h"
#include "engine/TagCommands.h"
#include "ui/ExtensionTab.h"
#include "ui/FilenameTab.h"
#include "ui/TagMenu.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const char* const kAllEdits[] = {
    "replaceWithText", "searchText",       "replacementText", "leftCropCount",
    "rightCropCount",  "cropPosition",     "cropCount",       "insertBeforeText",
    "insertAfterText", "insertAtPosition", "insertAtText",
};

const char* const kTagEdits[] = {"replaceWithText", "replacementText", "insertBeforeText",
                                 "insertAfterText", "insertAtText"};

const char* const kNumberEdits[] = {"leftCropCount", "rightCropCount", "cropPosition", "cropCount",
                                    "insertAtPosition"};

} // namespace

class RuleTabsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsCarryTheDialogTexts();
    void editsAreNamedAfterTheirCheckBoxOrLabel();
    void extensionPageDiffersInTwoCaptions();
    void pageStartsEmptyWithEveryEditDisabled();
    void tickingReplaceTextEnablesBothEditsAndFocusesTheSearch();
    void untickingDisablesKeepsTheTextsAndAppliesTheRuleOff();
    void everyKeystrokeTakesTheTextAndAppliesOnce();
    void numberEditTakesDigitsOnly();
    void pasteWithALetterIntoACropCountKeepsThePreviousValue();
    void caseRadiosSetReadAndApply();
    void plainCheckBoxesApply();
    void showValuesFillsTheControlsWithoutApplying();
    void refreshEnablingEnablesExactlyTheGovernedEdits();
    void setDefaultsClearsEverything();
    void noAppliedSignalWithoutTheOwnerLink();
    void ruleTextEditsAreTheFiveTagEdits();
    void tagFromTheMenuReplacesTheSelectionAndApplies();
    void tagWithoutSelectionGoesInAtTheCaret();
    void rightPressOnATagEditOpensTheTagMenu();
    void rightPressOnSearchOrNumberEditGivesTheOrdinaryMenu();
    void extensionPageWorksOnTheExtensionBlock();
    void layoutFitsTheSmallestWindowWithoutOverlap();

private:
    QCheckBox* Box(const char* name) const {
        return page->findChild<QCheckBox*>(QLatin1String(name));
    }
    QLineEdit* Edit(const char* name) const {
        return page->findChild<QLineEdit*>(QLatin1String(name));
    }
    void Click(QAbstractButton* button) const;
    CNameRuleBlock& Block() { return core->GetOptions().name; }

    std::unique_ptr<CRenameCore> core;
    std::unique_ptr<CFilenameTab> page;
};

void RuleTabsTest::init() {
    core = std::make_unique<CRenameCore>();
    page = std::make_unique<CFilenameTab>(core->GetOptions().name, *core);
    page->SetOwnerLinked(true);
    page->resize(600, 160);
    page->show();
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page.get()));
}

void RuleTabsTest::cleanup() {
    page.reset();
    core.reset();
}

void RuleTabsTest::Click(QAbstractButton* button) const {
    QVERIFY(button != nullptr);
    // On the mark, which is inside the click area whatever the text width.
    const int mark = button->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(mark / 2 + 1, button->height() / 2));
}

void RuleTabsTest::controlsCarryTheDialogTexts() {
    const std::pair<const char*, const char*> boxes[] = {
        {"replaceWithOn", "Vervang door de tekst"},
        {"matchCase", "Hoofd-/kleine letters in zoektekst"},
        {"replaceTextOn", "Vervang de tekst"},
        {"leftCropOn", "Links n tekens eraf"},
        {"rightCropOn", "Rechts n tekens eraf"},
        {"cropAtOn", "Eraf vanaf"},
        {"insertBeforeOn", "Invoegen voor de bestandsnnaam"},
        {"insertAfterOn", "Invoegen na de bestandsnaam"},
        {"insertAtOn", "Invoegen vanaf"},
        {"removeAccents", "Verwijderen accenten"},
    };
    for (const auto& [name, text] : boxes) {
        QVERIFY2(Box(name) != nullptr, name);
        QCOMPARE(Box(name)->text(), QString::fromUtf8(text));
    }
    const std::pair<const char*, const char*> radios[] = {
        {"caseUnchanged", "Niet wijzigen"},
        {"caseUpper", "HOOFDLETTERS"},
        {"caseLower", "kleine letters"},
        {"caseWordsCapitalised", "Eerste letter hoofdletter"},
        {"caseFirstCapitalised", "Alleen eerste letter hoofdletter"},
    };
    for (const auto& [name, text] : radios) {
        auto* radio = page->findChild<QRadioButton*>(QLatin1String(name));
        QVERIFY2(radio != nullptr, name);
        QCOMPARE(radio->text(), QString::fromUtf8(text));
    }
    const std::tuple<const char*, const char*, const char*> labels[] = {
        {"replacementTextLabel", "met deze tekst", "replacementText"},
        {"cropCountLabel", "de volgende n tekens", "cropCount"},
        {"insertAtTextLabel", "de volgende tekst", "insertAtText"},
    };
    for (const auto& [name, text, buddy] : labels) {
        auto* label = page->findChild<QLabel*>(QLatin1String(name));
        QVERIFY2(label != nullptr, name);
        QCOMPARE(label->text(), QString::fromUtf8(text));
        QCOMPARE(label->buddy(), Edit(buddy));
    }
    for (const char* name : kAllEdits) {
        QVERIFY2(Edit(name) != nullptr, name);
    }
}

void RuleTabsTest::editsAreNamedAfterTheirCheckBoxOrLabel() {
    const std::pair<const char*, const char*> names[] = {
        {"replaceWithText", "Vervang door de tekst"},
        {"searchText", "Vervang de tekst"},
        {"replacementText", "met deze tekst"},
        {"leftCropCount", "Links n tekens eraf"},
        {"rightCropCount", "Rechts n tekens eraf"},
        {"cropPosition", "Eraf vanaf"},
        {"cropCount", "de volgende n tekens"},
        {"insertBeforeText", "Invoegen voor de bestandsnnaam"},
        {"insertAfterText", "Invoegen na de bestandsnaam"},
        {"insertAtPosition", "Invoegen vanaf"},
        {"insertAtText", "de volgende tekst"},
    };
    for (const auto& [name, accessible] : names) {
        QCOMPARE(Edit(name)->accessibleName(), QString::fromUtf8(accessible));
    }
}

void RuleTabsTest::extensionPageDiffersInTwoCaptions() {
    CExtensionTab extension(core->GetOptions().extension, *core);
    QCOMPARE(extension.objectName(), QStringLiteral("CExtensionTab"));
    QCOMPARE(extension.findChild<QCheckBox*>(QStringLiteral("insertBeforeOn"))->text(),
             QStringLiteral("Invoegen voor de extensie."));
    QCOMPARE(extension.findChild<QCheckBox*>(QStringLiteral("insertAfterOn"))->text(),
             QStringLiteral("Invoegen na de extensie"));
    QCOMPARE(extension.findChild<QLineEdit*>(QStringLiteral("insertAfterText"))->accessibleName(),
             QStringLiteral("Invoegen na de extensie"));
    QCOMPARE(extension.findChild<QCheckBox*>(QStringLiteral("replaceWithOn"))->text(),
             QStringLiteral("Vervang door de tekst"));
    QCOMPARE(page->objectName(), QStringLiteral("CFilenameTab"));
}

void RuleTabsTest::pageStartsEmptyWithEveryEditDisabled() {
    for (const char* name : kAllEdits) {
        QVERIFY2(!Edit(name)->isEnabled(), name);
        QVERIFY2(Edit(name)->text().isEmpty(), name);
    }
    QCOMPARE(page->GetCaseMode(), 0);
    QVERIFY(page->findChild<QRadioButton*>(QStringLiteral("caseUnchanged"))->isChecked());
    QCOMPARE(Block(), CNameRuleBlock{});
}

void RuleTabsTest::tickingReplaceTextEnablesBothEditsAndFocusesTheSearch() {
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    Click(Box("replaceTextOn"));
    QVERIFY(Box("replaceTextOn")->isChecked());
    QVERIFY(Edit("searchText")->isEnabled());
    QVERIFY(Edit("replacementText")->isEnabled());
    QVERIFY(Edit("searchText")->hasFocus());
    QVERIFY(!Edit("replaceWithText")->isEnabled());
    QCOMPARE(applied.count(), 1);
    QVERIFY(Block().replaceTextOn);
}

void RuleTabsTest::untickingDisablesKeepsTheTextsAndAppliesTheRuleOff() {
    Click(Box("replaceTextOn"));
    QTest::keyClicks(Edit("searchText"), QStringLiteral("old"));
    QTest::keyClicks(Edit("replacementText"), QStringLiteral("new"));
    bool ruleOnAtSignal = true;
    connect(page.get(), &CRuleBlockPage::Applied, this,
            [&] { ruleOnAtSignal = Block().replaceTextOn; });
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    Click(Box("replaceTextOn"));
    QCOMPARE(applied.count(), 1);
    QVERIFY(!ruleOnAtSignal);
    QVERIFY(!Edit("searchText")->isEnabled());
    QVERIFY(!Edit("replacementText")->isEnabled());
    QCOMPARE(Edit("searchText")->text(), QStringLiteral("old"));
    QCOMPARE(Edit("replacementText")->text(), QStringLiteral("new"));
    QCOMPARE(Block().searchText, std::string("old"));
    QCOMPARE(Block().replacementText, std::string("new"));
}

void RuleTabsTest::everyKeystrokeTakesTheTextAndAppliesOnce() {
    Click(Box("replaceWithOn"));
    QStringList seen;
    connect(page.get(), &CRuleBlockPage::Applied, this,
            [&] { seen.append(QString::fromStdString(Block().replaceWithText)); });
    QTest::keyClicks(Edit("replaceWithText"), QStringLiteral("a<N>"));
    QCOMPARE(seen, (QStringList{QStringLiteral("a"), QStringLiteral("a<"), QStringLiteral("a<N"),
                                QStringLiteral("a<N>")}));
    QTest::keyClick(Edit("replaceWithText"), Qt::Key_Backspace);
    QCOMPARE(seen.size(), 5);
    QCOMPARE(Block().replaceWithText, std::string("a<N"));
}

void RuleTabsTest::numberEditTakesDigitsOnly() {
    Click(Box("cropAtOn"));
    QTest::keyClicks(Edit("cropPosition"), QStringLiteral("-1x2"));
    QCOMPARE(Edit("cropPosition")->text(), QStringLiteral("12"));
    QCOMPARE(Block().cropPosition, std::string("12"));
    for (const char* name : kNumberEdits) {
        auto* edit = Edit(name);
        edit->setEnabled(true);
        QTest::keyClicks(edit, QStringLiteral("-"));
        QVERIFY2(!edit->text().contains(QLatin1Char('-')), name);
    }
}

void RuleTabsTest::pasteWithALetterIntoACropCountKeepsThePreviousValue() {
    Click(Box("leftCropOn"));
    QTest::keyClicks(Edit("leftCropCount"), QStringLiteral("12"));
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    QGuiApplication::clipboard()->setText(QStringLiteral("3a"));
    QTest::keyClick(Edit("leftCropCount"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Edit("leftCropCount")->text(), QStringLiteral("12"));
    QCOMPARE(Block().leftCropCount, std::string("12"));
    QCOMPARE(applied.count(), 0);
    QGuiApplication::clipboard()->setText(QStringLiteral("34"));
    QTest::keyClick(Edit("leftCropCount"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Block().leftCropCount, std::string("1234"));
    QCOMPARE(applied.count(), 1);
}

void RuleTabsTest::caseRadiosSetReadAndApply() {
    for (int mode = 0; mode < 5; ++mode) {
        page->SetCaseMode(mode);
        QCOMPARE(page->GetCaseMode(), mode);
    }
    page->SetCaseMode(7);
    QCOMPARE(page->GetCaseMode(), 0);
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    Click(page->findChild<QRadioButton*>(QStringLiteral("caseLower")));
    QCOMPARE(applied.count(), 1);
    QCOMPARE(Block().caseMode, CaseMode::Lower);
    QCOMPARE(page->GetCaseMode(), 2);
    QVERIFY(!page->findChild<QRadioButton*>(QStringLiteral("caseUnchanged"))->isChecked());
}

void RuleTabsTest::plainCheckBoxesApply() {
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    Click(Box("matchCase"));
    QVERIFY(Block().matchCase);
    Click(Box("removeAccents"));
    QVERIFY(Block().removeAccents);
    QCOMPARE(applied.count(), 2);
    // They govern no edit.
    for (const char* name : kAllEdits) {
        QVERIFY2(!Edit(name)->isEnabled(), name);
    }
}

void RuleTabsTest::showValuesFillsTheControlsWithoutApplying() {
    CNameRuleBlock& block = Block();
    block.replaceTextOn = true;
    block.searchText = "a b";
    block.replacementText = "<N>";
    block.cropAtOn = true;
    block.cropPosition = "2";
    block.cropCount = "x"; // as loaded from a file, shown as it is
    block.insertAfterText = "end";
    block.matchCase = true;
    block.caseMode = CaseMode::FirstCapitalised;
    const CNameRuleBlock expected = block;
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    page->ShowValues();
    QCOMPARE(applied.count(), 0);
    QCOMPARE(Block(), expected);
    QVERIFY(Box("replaceTextOn")->isChecked());
    QVERIFY(Box("cropAtOn")->isChecked());
    QVERIFY(!Box("insertAfterOn")->isChecked());
    QVERIFY(Box("matchCase")->isChecked());
    QCOMPARE(Edit("searchText")->text(), QStringLiteral("a b"));
    QCOMPARE(Edit("replacementText")->text(), QStringLiteral("<N>"));
    QCOMPARE(Edit("cropPosition")->text(), QStringLiteral("2"));
    QCOMPARE(Edit("cropCount")->text(), QStringLiteral("x"));
    QCOMPARE(Edit("insertAfterText")->text(), QStringLiteral("end"));
    QCOMPARE(page->GetCaseMode(), 4);
    page->TakeValues();
    QCOMPARE(Block(), expected);
}

void RuleTabsTest::refreshEnablingEnablesExactlyTheGovernedEdits() {
    Block().replaceTextOn = true;
    Block().cropAtOn = true;
    Block().insertBeforeOn = true;
    page->ShowValues();
    page->RefreshEnabling();
    const QStringList enabled = {QStringLiteral("searchText"), QStringLiteral("replacementText"),
                                 QStringLiteral("cropPosition"), QStringLiteral("cropCount"),
                                 QStringLiteral("insertBeforeText")};
    for (const char* name : kAllEdits) {
        QCOMPARE(Edit(name)->isEnabled(), enabled.contains(QLatin1String(name)));
    }
    Block() = CNameRuleBlock{};
    Block().insertAtOn = true;
    Block().rightCropOn = true;
    page->ShowValues();
    page->RefreshEnabling();
    const QStringList second = {QStringLiteral("insertAtPosition"), QStringLiteral("insertAtText"),
                                QStringLiteral("rightCropCount")};
    for (const char* name : kAllEdits) {
        QCOMPARE(Edit(name)->isEnabled(), second.contains(QLatin1String(name)));
    }
}

void RuleTabsTest::setDefaultsClearsEverything() {
    Click(Box("insertAtOn"));
    QTest::keyClicks(Edit("insertAtPosition"), QStringLiteral("3"));
    Click(Box("removeAccents"));
    Click(page->findChild<QRadioButton*>(QStringLiteral("caseUpper")));
    page->SetDefaults();
    QCOMPARE(Block(), CNameRuleBlock{});
    for (const char* name : kAllEdits) {
        QVERIFY2(!Edit(name)->isEnabled(), name);
        QVERIFY2(Edit(name)->text().isEmpty(), name);
    }
    for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
        QVERIFY(!box->isChecked());
    }
    QCOMPARE(page->GetCaseMode(), 0);
}

void RuleTabsTest::noAppliedSignalWithoutTheOwnerLink() {
    page->SetOwnerLinked(false);
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    Click(Box("insertBeforeOn"));
    QTest::keyClicks(Edit("insertBeforeText"), QStringLiteral("pre"));
    QCOMPARE(applied.count(), 0);
    QVERIFY(Block().insertBeforeOn);
    QCOMPARE(Block().insertBeforeText, std::string("pre"));
}

void RuleTabsTest::ruleTextEditsAreTheFiveTagEdits() {
    for (const char* name : kTagEdits) {
        QVERIFY2(page->IsRuleTextEdit(Edit(name)), name);
    }
    QVERIFY(!page->IsRuleTextEdit(Edit("searchText")));
    for (const char* name : kNumberEdits) {
        QVERIFY2(!page->IsRuleTextEdit(Edit(name)), name);
    }
    QVERIFY(!page->IsRuleTextEdit(nullptr));
    QVERIFY(!page->IsRuleTextEdit(page.get()));
    CExtensionTab extension(core->GetOptions().extension, *core);
    QVERIFY(
        !page->IsRuleTextEdit(extension.findChild<QLineEdit*>(QStringLiteral("replaceWithText"))));
}

void RuleTabsTest::tagFromTheMenuReplacesTheSelectionAndApplies() {
    Click(Box("insertAfterOn"));
    QTest::keyClicks(Edit("insertAfterText"), QStringLiteral("_xx_"));
    Edit("insertAfterText")->setSelection(1, 2);
    QSignalSpy applied(page.get(), &CRuleBlockPage::Applied);
    QVERIFY(page->GetTagMenu().InsertTag(Edit("insertAfterText"), tagcommands::kCmdNumberDecZ4));
    QCOMPARE(Edit("insertAfterText")->text(), QStringLiteral("_<N:Z4>_"));
    QCOMPARE(Edit("insertAfterText")->cursorPosition(), 7);
    QCOMPARE(Block().insertAfterText, std::string("_<N:Z4>_"));
    QCOMPARE(applied.count(), 1);
}

void RuleTabsTest::tagWithoutSelectionGoesInAtTheCaret() {
    Click(Box("replaceWithOn"));
    QTest::keyClicks(Edit("replaceWithText"), QStringLiteral("ab"));
    Edit("replaceWithText")->setCursorPosition(1);
    QVERIFY(page->GetTagMenu().InsertTag(Edit("replaceWithText"), tagcommands::kCmdRandom8));
    QCOMPARE(Edit("replaceWithText")->text(), QStringLiteral("a<R>b"));
    QCOMPARE(Edit("replaceWithText")->cursorPosition(), 4);
    QCOMPARE(Block().replaceWithText, std::string("a<R>b"));
}

void RuleTabsTest::rightPressOnATagEditOpensTheTagMenu() {
    for (const char* name :
         {"replaceWithOn", "replaceTextOn", "insertBeforeOn", "insertAfterOn", "insertAtOn"}) {
        Click(Box(name));
    }
    QString chosenFrom;
    page->GetTagMenu().SetPopupRunner([&chosenFrom](QMenu& menu, const QPoint&) -> QAction* {
        chosenFrom = menu.objectName();
        for (QAction* top : menu.actions()) {
            if (top->text() != QStringLiteral("MP3")) {
                continue;
            }
            for (QAction* entry : top->menu()->actions()) {
                if (entry->text() == QStringLiteral("Titel")) {
                    return entry;
                }
            }
        }
        return nullptr;
    });
    for (const char* name : kTagEdits) {
        QLineEdit* edit = Edit(name);
        chosenFrom.clear();
        QTest::mouseClick(page->windowHandle(), Qt::RightButton, {},
                          edit->mapTo(page.get(), QPoint(4, edit->height() / 2)));
        QCOMPARE(chosenFrom, QStringLiteral("tagMenu"));
        QCOMPARE(edit->text(), QStringLiteral("<MP3:T>"));
    }
    QCOMPARE(Block().insertAtText, std::string("<MP3:T>"));
}

void RuleTabsTest::rightPressOnSearchOrNumberEditGivesTheOrdinaryMenu() {
    Click(Box("replaceTextOn"));
    Click(Box("leftCropOn"));
    int tagMenus = 0;
    page->GetTagMenu().SetPopupRunner([&tagMenus](QMenu&, const QPoint&) -> QAction* {
        ++tagMenus;
        return nullptr;
    });
    for (const char* name : {"searchText", "leftCropCount"}) {
        QLineEdit* edit = Edit(name);
        QString popupName = QStringLiteral("none");
        bool hadTagEntries = true;
        // The edit's own menu runs modally; close it from the event loop.
        QTimer::singleShot(0, this, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                popupName = menu->objectName();
                hadTagEntries = false;
                for (QAction* action : menu->actions()) {
                    if (action->text() == QStringLiteral("MP3")) {
                        hadTagEntries = true;
                    }
                }
                menu->close();
            }
        });
        QTest::mouseClick(page->windowHandle(), Qt::RightButton, {},
                          edit->mapTo(page.get(), QPoint(4, edit->height() / 2)));
        QVERIFY2(popupName != QStringLiteral("none"), name);
        QVERIFY2(popupName != QStringLiteral("tagMenu"), name);
        QVERIFY2(!hadTagEntries, name);
    }
    QCOMPARE(tagMenus, 0);
}

void RuleTabsTest::extensionPageWorksOnTheExtensionBlock() {
    CExtensionTab extension(core->GetOptions().extension, *core);
    extension.SetOwnerLinked(true);
    extension.show();
    QSignalSpy applied(&extension, &CRuleBlockPage::Applied);
    auto* box = extension.findChild<QCheckBox*>(QStringLiteral("replaceWithOn"));
    Click(box);
    QTest::keyClicks(extension.findChild<QLineEdit*>(QStringLiteral("replaceWithText")),
                     QStringLiteral("txt"));
    QCOMPARE(core->GetOptions().extension.replaceWithText, std::string("txt"));
    QVERIFY(core->GetOptions().extension.replaceWithOn);
    QCOMPARE(Block(), CNameRuleBlock{});
    QCOMPARE(applied.count(), 4);
}

void RuleTabsTest::layoutFitsTheSmallestWindowWithoutOverlap() {
    for (CRuleBlockPage* shown : {static_cast<CRuleBlockPage*>(page.get()),
                                  static_cast<CRuleBlockPage*>(new CExtensionTab(
                                      core->GetOptions().extension, *core, page.get()))}) {
        const QSize least = shown->minimumSizeHint();
        QVERIFY2(least.width() <= 560 && least.height() <= 150,
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        shown->setWindowFlag(Qt::Window);
        shown->resize(560, 150);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QList<QWidget*> controls;
        for (QWidget* child : shown->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible()) {
                controls.append(child);
            }
        }
        QCOMPARE(controls.size(), 10 + 11 + 3 + 5);
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY2(shown->rect().contains(controls[i]->geometry()),
                     qPrintable(controls[i]->objectName()));
            for (int j = i + 1; j < controls.size(); ++j) {
                QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                         qPrintable(controls[i]->objectName() + QStringLiteral(" / ") +
                                    controls[j]->objectName()));
            }
        }
        // The two edit columns share the width equally (to the odd pixel),
        // at any width.
        const auto* first = shown->findChild<QLineEdit*>(QStringLiteral("replaceWithText"));
        const auto* second = shown->findChild<QLineEdit*>(QStringLiteral("replacementText"));
        QVERIFY(qAbs(first->width() - second->width()) <= 1);
        QVERIFY(first->width() >= 60);
        // A caption cut on the narrow page shows whole as its tooltip.
        auto* before = shown->findChild<QCheckBox*>(QStringLiteral("insertBeforeOn"));
        QVERIFY(before->width() < before->sizeHint().width());
        QCOMPARE(before->toolTip(), before->text());
        shown->resize(900, 150);
        QTRY_VERIFY(first->width() > 100);
        QVERIFY(qAbs(first->width() - second->width()) <= 1);
        QTRY_VERIFY(before->toolTip().isEmpty());
    }
}

QTEST_MAIN(RuleTabsTest)
#include "RuleTabsTest.moc"
