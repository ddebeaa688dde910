// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TagMenu.h"
#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "engine/TagCommands.h"
#include "engine/TagExpander.h"
#include "ui/TagMenuItems.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>
#include <set>

using namespace tagcommands;

namespace {

// The action under a path of menu texts ("Autonummering", "Binary", ...).
QAction* FindAction(QMenu* menu, const QStringList& path) {
    QAction* found = nullptr;
    for (const QString& text : path) {
        found = nullptr;
        if (menu == nullptr) {
            return nullptr;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                found = action;
                break;
            }
        }
        if (found == nullptr) {
            return nullptr;
        }
        menu = found->menu();
    }
    return found;
}

// Every entry (not submenu) below menu, depth first.
void CollectEntries(QMenu* menu, QList<QAction*>& entries) {
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            CollectEntries(action->menu(), entries);
        } else if (!action->isSeparator() && action->objectName() != QLatin1String("tagFormats")) {
            entries.append(action);
        }
    }
}

} // namespace

class TagMenuTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void elevenSubmenusInOrderWithTheirIds();
    void submenusTakeIconsFromTheProvider();
    void everyEntryInsertsADistinctTag();
    void contentSubmenusSayTheirFormatsFirst();
    void sampleEntriesGiveTheirTexts();
    void columnEntryUsesTheDisplayPosition();
    void exifEntriesRunAroundTheDateSubmenu();
    void tagReplacesTheSelection();
    void tagGoesInAtTheCaret();
    void commandWithoutTextLeavesTheEdit();
    void popupInsertsTheChosenEntry();
    void popupClosedWithoutChoiceInsertsNothing();
    void rightPressOnAnAttachedEditOpensTheTagMenu();

private:
    std::unique_ptr<CRenameCore> core;
    std::unique_ptr<CTagMenu> tagMenu;
    std::unique_ptr<QMenu> menu;
};

void TagMenuTest::init() {
    core = std::make_unique<CRenameCore>();
    AddDefaultColumns(core->GetCatalogue());
    tagMenu = std::make_unique<CTagMenu>(*core);
    menu = tagMenu->BuildMenu(nullptr);
}

void TagMenuTest::cleanup() {
    CTagMenu::SetIconProvider({});
    menu.reset();
    tagMenu.reset();
    core.reset();
}

void TagMenuTest::elevenSubmenusInOrderWithTheirIds() {
    const QStringList titles = {QStringLiteral("Autonummering"),
                                QStringLiteral("MP3"),
                                QStringLiteral("Afbeeldingen"),
                                QStringLiteral("Gegevenskolom"),
                                QStringLiteral("Vandaag"),
                                QStringLiteral("Willekeurige naam"),
                                QStringLiteral("Gegevens van een extern bestand"),
                                QStringLiteral("CDisplay Comic Reader"),
                                QStringLiteral("CRC32"),
                                QStringLiteral("EXIF"),
                                QStringLiteral("DOS")};
    const int ids[] = {32870, 32877, 32875, 32871, 32873, 32869, 32872, 32900, 32947, 32950, 32993};
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 11);
    for (int i = 0; i < 11; ++i) {
        QVERIFY(actions[i]->menu() != nullptr);
        QCOMPARE(actions[i]->text(), titles[i]);
        QCOMPARE(actions[i]->data().toInt(), ids[i]);
        QVERIFY(actions[i]->icon().isNull());
    }
}

void TagMenuTest::submenusTakeIconsFromTheProvider() {
    QList<int> asked;
    CTagMenu::SetIconProvider([&asked](int id) {
        asked.append(id);
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    });
    const std::unique_ptr<QMenu> withIcons = tagMenu->BuildMenu(nullptr);
    QCOMPARE(asked, (QList<int>{32870, 32877, 32875, 32871, 32873, 32869, 32872, 32900, 32947,
                                32950, 32993}));
    for (QAction* action : withIcons->actions()) {
        QVERIFY(!action->icon().isNull());
    }
    // Nested submenus and entries have none.
    QVERIFY(
        FindAction(withIcons.get(), {QStringLiteral("Autonummering"), QStringLiteral("Decimalen")})
            ->icon()
            .isNull());
}

void TagMenuTest::everyEntryInsertsADistinctTag() {
    QList<QAction*> entries;
    CollectEntries(menu.get(), entries);
    // 12 number, 15 MP3, 7 image, 16 column, 27 column dates, 9 today,
    // 4 random, 1 editor, 2 comic, 2 CRC, 27 + 9 EXIF, 3 DOS.
    QCOMPARE(entries.size(), 134);
    std::set<int> ids;
    for (QAction* action : entries) {
        const int id = action->data().toInt();
        QVERIFY2(ids.insert(id).second, qPrintable(action->text()));
        QVERIFY2(!core->GetTagExpander().TagTextForCommand(id).empty(), qPrintable(action->text()));
    }
    QCOMPARE(static_cast<int>(TagMenuItems().size()), 134 + 11 + 4 + 8 + 1);
}

void TagMenuTest::contentSubmenusSayTheirFormatsFirst() {
    struct Expected {
        const char* submenu;
        QStringList formats; // a few of the formats the note must name
    };
    const Expected expected[] = {
        {"MP3", {QStringLiteral("MP3"), QStringLiteral("FLAC"), QStringLiteral("Opus")}},
        {"Afbeeldingen", {QStringLiteral("BMP"), QStringLiteral("HEIC"), QStringLiteral("WebP")}},
        {"EXIF", {QStringLiteral("JPEG"), QStringLiteral("RAW"), QStringLiteral("video")}},
    };
    int notes = 0;
    for (QAction* top : menu->actions()) {
        QMenu* submenu = top->menu();
        QVERIFY(submenu != nullptr);
        const QList<QAction*> actions = submenu->actions();
        const bool hasNote = actions.first()->objectName() == QLatin1String("tagFormats");
        const auto found =
            std::find_if(std::begin(expected), std::end(expected), [&top](const Expected& e) {
                return top->text() == QLatin1String(e.submenu);
            });
        QCOMPARE(hasNote, found != std::end(expected));
        if (!hasNote) {
            continue;
        }
        ++notes;
        QAction* note = actions.first();
        QVERIFY(!note->isEnabled());
        QVERIFY(actions.at(1)->isSeparator());
        QCOMPARE(top->toolTip(), note->text());
        for (const QString& format : found->formats) {
            QVERIFY2(note->text().contains(format), qPrintable(note->text()));
        }
        // Choosing the note (in the menu that pops up) inserts nothing.
        QLineEdit edit;
        const QString title = top->text();
        tagMenu->SetPopupRunner([&title](QMenu& popup, const QPoint&) -> QAction* {
            for (QAction* action : popup.actions()) {
                if (action->text() == title) {
                    return action->menu()->actions().first();
                }
            }
            return nullptr;
        });
        QVERIFY(!tagMenu->Popup(&edit, QPoint()));
        QVERIFY(edit.text().isEmpty());
    }
    QCOMPARE(notes, 3);
}

void TagMenuTest::sampleEntriesGiveTheirTexts() {
    struct Sample {
        QStringList path;
        int id;
        const char* text;
    };
    const Sample samples[] = {
        {{QStringLiteral("Autonummering"), QStringLiteral("Decimalen"),
          QStringLiteral("Gebruik huidige ZeroFill")},
         32792,
         "<N>"},
        {{QStringLiteral("Autonummering"), QStringLiteral("Binary"), QStringLiteral("16 ZeroFill")},
         32803,
         "<N:B16:Z8>"},
        {{QStringLiteral("MP3"), QStringLiteral("Genre")}, 32938, "<MP3:G>"},
        {{QStringLiteral("Afbeeldingen"), QStringLiteral("Breedte x Hoogte x Bits")},
         32805,
         "<G:W>x<G:H>x<G:c>"},
        {{QStringLiteral("Gegevenskolom"), QStringLiteral("Pad"),
          QStringLiteral("Eerste subpad vanaf rechts")},
         32988,
         "<C:6:-1>"},
        {{QStringLiteral("Gegevenskolom"), QStringLiteral("Opgemaakt"), QStringLiteral("JJJJMMDD")},
         32837,
         "<C:7>"},
        {{QStringLiteral("Vandaag"), QStringLiteral("DD-MM-JJJJ UU'MM'SS")},
         32865,
         "<D:D>-<D:M>-<D:Y> <D:H>'<D:MM>'<D:S>"},
        {{QStringLiteral("Willekeurige naam"), QStringLiteral("8 tekens lang met alleen cijfers")},
         32940,
         "<R:C0123456789>"},
        {{QStringLiteral("Gegevens van een extern bestand"),
          QStringLiteral("Voeg lijn in uit de tekstverwerker")},
         32888,
         "<T>"},
        {{QStringLiteral("CDisplay Comic Reader"), QStringLiteral("cbz > zip | cbr > rar")},
         32898,
         "<CDR:U>"},
        {{QStringLiteral("CRC32"), QStringLiteral("CRC 32 [kleine letters]")},
         32946,
         "[<CRC32:L>]"},
        {{QStringLiteral("DOS"), QStringLiteral("Korte naam [8.3 DOS] Naam")},
         32992,
         "<SHORTNAME:Name>"},
    };
    for (const Sample& sample : samples) {
        QAction* action = FindAction(menu.get(), sample.path);
        QVERIFY2(action != nullptr, qPrintable(sample.path.join(QLatin1Char('/'))));
        QCOMPARE(action->data().toInt(), sample.id);
        QCOMPARE(core->GetTagExpander().TagTextForCommand(sample.id), std::string(sample.text));
    }
    // The DOS captions of the first and third entry are the same.
    const QList<QAction*> dos = FindAction(menu.get(), {QStringLiteral("DOS")})->menu()->actions();
    QCOMPARE(dos.size(), 3);
    QCOMPARE(dos[0]->data().toInt(), 32991);
    QCOMPARE(dos[2]->data().toInt(), 32990);
    QCOMPARE(dos[0]->text(), dos[2]->text());
}

void TagMenuTest::columnEntryUsesTheDisplayPosition() {
    QAction* bytes =
        FindAction(menu.get(), {QStringLiteral("Gegevenskolom"), QStringLiteral("Grootte"),
                                QStringLiteral("Bytes"), QStringLiteral("Ongeformatteerd")});
    QVERIFY(bytes != nullptr);
    QLineEdit edit;
    QVERIFY(tagMenu->InsertTag(&edit, bytes->data().toInt()));
    QCOMPARE(edit.text(), QStringLiteral("<C:2>"));
    // The size column dragged to the front.
    QVERIFY(core->GetCatalogue().SetColumnOrder({1, 0, 2, 3, 4, 5, 6, 7, 8}));
    edit.clear();
    QVERIFY(tagMenu->InsertTag(&edit, bytes->data().toInt()));
    QCOMPARE(edit.text(), QStringLiteral("<C:1>"));
}

void TagMenuTest::exifEntriesRunAroundTheDateSubmenu() {
    const QList<QAction*> all = FindAction(menu.get(), {QStringLiteral("EXIF")})->menu()->actions();
    // The formats note and its separator come first.
    QCOMPARE(all.size(), 2 + 28);
    const QList<QAction*> exif = all.mid(2);
    QCOMPARE(exif[0]->text(), QStringLiteral("Versie"));
    QCOMPARE(exif[0]->data().toInt(), 32951);
    QCOMPARE(exif[3]->text(), QStringLiteral("DatumTijd"));
    QVERIFY(exif[3]->menu() != nullptr);
    QCOMPARE(exif[3]->menu()->actions().first()->data().toInt(), 32978);
    QCOMPARE(exif[4]->text(), QStringLiteral("Breedte"));
    QCOMPARE(exif[4]->data().toInt(), 32954);
    QCOMPARE(exif[6]->text(), QStringLiteral("Ori:entatie"));
    QCOMPARE(exif[27]->text(), QStringLiteral("Helderheid"));
    QCOMPARE(exif[27]->data().toInt(), 32977);
    QCOMPARE(core->GetTagExpander().TagTextForCommand(exif[27]->data().toInt()),
             std::string("<E:Brightness>"));
}

void TagMenuTest::tagReplacesTheSelection() {
    QLineEdit edit(QStringLiteral("holiday 2023 photo"));
    edit.setSelection(8, 4);
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    QSignalSpy inserted(tagMenu.get(), &CTagMenu::TagInserted);
    QVERIFY(tagMenu->InsertTag(&edit, kCmdNumberHexZ4));
    QCOMPARE(edit.text(), QStringLiteral("holiday <N:B16:Z4> photo"));
    QCOMPARE(edit.cursorPosition(), 18);
    QVERIFY(!edit.hasSelectedText());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(inserted.count(), 1);
}

void TagMenuTest::tagGoesInAtTheCaret() {
    QLineEdit edit(QStringLiteral("abcd"));
    edit.setCursorPosition(2);
    QVERIFY(tagMenu->InsertTag(&edit, kCmdMp3Title));
    QCOMPARE(edit.text(), QStringLiteral("ab<MP3:T>cd"));
    QCOMPARE(edit.cursorPosition(), 9);
}

void TagMenuTest::commandWithoutTextLeavesTheEdit() {
    QLineEdit edit(QStringLiteral("abcd"));
    edit.setSelection(1, 2);
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    QVERIFY(!tagMenu->InsertTag(&edit, 32870)); // a submenu id
    QVERIFY(!tagMenu->InsertTag(&edit, 32774)); // a command that is no tag
    QCOMPARE(edit.text(), QStringLiteral("abcd"));
    QCOMPARE(edit.selectedText(), QStringLiteral("bc"));
    QCOMPARE(changed.count(), 0);
}

void TagMenuTest::popupInsertsTheChosenEntry() {
    QLineEdit edit(QStringLiteral("x"));
    edit.setCursorPosition(1);
    QPoint shownAt;
    tagMenu->SetPopupRunner([&shownAt](QMenu& shown, const QPoint& pos) {
        shownAt = pos;
        return FindAction(&shown,
                          {QStringLiteral("CRC32"), QStringLiteral("CRC32 [Hoofdletters]")});
    });
    QVERIFY(tagMenu->Popup(&edit, QPoint(40, 50)));
    QCOMPARE(shownAt, QPoint(40, 50));
    QCOMPARE(edit.text(), QStringLiteral("x[<CRC32>]"));
}

void TagMenuTest::popupClosedWithoutChoiceInsertsNothing() {
    QLineEdit edit(QStringLiteral("x"));
    tagMenu->SetPopupRunner([](QMenu&, const QPoint&) -> QAction* { return nullptr; });
    QVERIFY(!tagMenu->Popup(&edit, QPoint()));
    // A submenu's own action chosen inserts nothing either.
    tagMenu->SetPopupRunner([](QMenu& shown, const QPoint&) { return shown.actions().first(); });
    QVERIFY(!tagMenu->Popup(&edit, QPoint()));
    QCOMPARE(edit.text(), QStringLiteral("x"));
}

void TagMenuTest::rightPressOnAnAttachedEditOpensTheTagMenu() {
    QLineEdit edit;
    tagMenu->Attach(&edit);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    int shown = 0;
    tagMenu->SetPopupRunner([&shown](QMenu& popup, const QPoint&) {
        ++shown;
        return FindAction(&popup,
                          {QStringLiteral("Willekeurige naam"), QStringLiteral("4 tekens lang")});
    });
    // Through the window, as a real press arrives, so that Qt makes the
    // context menu request.
    QTest::mouseClick(edit.windowHandle(), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(shown, 1);
    QCOMPARE(edit.text(), QStringLiteral("<R:S4>"));
}

QTEST_MAIN(TagMenuTest)
#include "TagMenuTest.moc"
