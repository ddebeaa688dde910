// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/IconMenu.h"
#include "ui/CommandIcons.h"
#include "ui/RecordingPopupMenus.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <memory>

class IconMenuTest : public QObject {
    Q_OBJECT

private:
    static std::unique_ptr<QMenu> PreviewMenu() {
        return std::unique_ptr<QMenu>(
            CIconMenu::Build({{32903, QStringLiteral("Maak een hernoem .BAT bestand")},
                              {32902, QStringLiteral("Sla huidig voorbeeld op als .TXT bestand")},
                              {0, {}},
                              {32904, QStringLiteral("Openen NR opties uit .INI\tCtrl+L")}},
                             nullptr));
    }

private slots:
    void initTestCase() {
        QIcon::setThemeSearchPaths({});
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
    }

    void buildsItemsWithTheirIdsTextsAndIcons() {
        auto menu = PreviewMenu();
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(CIconMenu::CommandOf(actions[0]), 32903);
        QCOMPARE(actions[0]->text(), QStringLiteral("Maak een hernoem .BAT bestand"));
        QCOMPARE(actions[0]->objectName(), QStringLiteral("Command32903"));
        QVERIFY(actions[2]->isSeparator());
        QCOMPARE(CIconMenu::CommandOf(actions[3]), 32904);
        // The same picture as the toolbar button of the command.
        QCOMPARE(actions[0]->icon().pixmap(16, 16).toImage(),
                 CommandIcon(32903).pixmap(16, 16).toImage());
        QVERIFY(!actions[0]->icon().isNull());
        // A command without a picture has none.
        QVERIFY(actions[1]->icon().isNull());
    }

    void submenusCarryTheirIcons() {
        QMenu menu;
        QMenu* numbers = CIconMenu::AddSubmenu(&menu, 32870, QStringLiteral("Autonummering"));
        CIconMenu::AddItem(numbers, 32792, QStringLiteral("<#>"));
        QVERIFY(!numbers->menuAction()->icon().isNull());
        QCOMPARE(CIconMenu::CommandOf(numbers->menuAction()), 0);
        QCOMPARE(CIconMenu::FindAction(&menu, 32792), numbers->actions().first());
        QCOMPARE(CIconMenu::FindAction(&menu, 32870), nullptr);
    }

    void recordedPopupsAnswerTheChosenIdWithoutCarryingItOut() {
        auto menu = PreviewMenu();
        int triggered = 0;
        connect(menu.get(), &QMenu::triggered, this, [&triggered] { ++triggered; });
        CRecordingPopupMenus popups;
        popups.PushAnswer(32902);
        popups.PushAnswer(40000); // not in the menu
        QCOMPARE(popups.Choose(*menu, QPoint(10, 20)), 32902);
        QCOMPARE(popups.Choose(*menu, QPoint(10, 20)), 0);
        QCOMPARE(popups.Choose(*menu, QPoint(1, 2)), 0); // closed without a choice
        QCOMPARE(triggered, 0);
        QCOMPARE(popups.GetAsked().size(), std::size_t{3});
        const auto& first = popups.GetAsked().front();
        QCOMPARE(first.position, QPoint(10, 20));
        QCOMPARE(first.items.size(), std::size_t{4});
        QCOMPARE(first.items[1].id, 32902);
        QCOMPARE(first.items[1].text, QStringLiteral("Sla huidig voorbeeld op als .TXT bestand"));
        QCOMPARE(first.items[2].id, 0);
    }

    void disabledItemsCannotBeChosen() {
        auto menu = PreviewMenu();
        CIconMenu::FindAction(menu.get(), 32904)->setEnabled(false);
        CRecordingPopupMenus popups;
        popups.PushAnswer(32904);
        QCOMPARE(popups.Choose(*menu, {}), 0);
    }
};

QTEST_MAIN(IconMenuTest)
#include "IconMenuTest.moc"
