// SPDX-License-Identifier: GPL-3.0-or-later
// The window in English: with the English translation installed, no text a
// user sees or hears is still one of the Dutch texts the translation file
// gives another English text for. The Dutch texts and their English come
// from translations/norvikrename_en.ts, so that a new Dutch text without
// its English fails here.

#include "engine/RenameCore.h"
#include "resources/StringTable.h"
#include "support/MainDlgHarness.h"
#include "ui/MainCommands.h"
#include "ui/ManualRenameDlg.h"
#include "ui/ProgressBarDlg.h"
#include "ui/ProgressTextDlg.h"
#include "ui/QtText.h"
#include "ui/RenameErrorsDlg.h"
#include "ui/TagMenu.h"
#include "ui/TextEditorDlg.h"
#include "ui/TextInputDlg.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTabWidget>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

/// The Dutch texts of the translation file whose English is another text,
/// or that have no finished English yet: a window showing one of them is
/// not in English. messages is the number of messages read, -1 when the
/// file cannot be read.
QSet<QString> DutchTextsWithOtherEnglish(const QString& tsPath, int& messages) {
    QSet<QString> dutch;
    messages = 0;
    QFile file(tsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        messages = -1;
        return dutch;
    }
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished =
                xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            const QString english = xml.readElementText();
            ++messages;
            if (unfinished || english.isEmpty() || english != source) {
                dutch.insert(source);
            }
        }
    }
    if (xml.hasError()) {
        messages = -1;
    }
    return dutch;
}

/// Reads every text of widgets, their actions and menus, and names each one
/// that is still Dutch.
class CDutchTextFinder {
public:
    explicit CDutchTextFinder(const QSet<QString>& dutch) : dutch(dutch) {}

    void Walk(QWidget* root) {
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* widget : widgets) {
            WalkWidget(widget);
        }
    }
    void Check(const QObject* owner, const char* what, const QString& text) {
        if (text.isEmpty()) {
            return;
        }
        ++checked;
        if (dutch.contains(text)) {
            found << QStringLiteral("%1 \"%2\" %3: %4")
                         .arg(QLatin1String(owner->metaObject()->className()), owner->objectName(),
                              QLatin1String(what), text);
        }
    }
    const QStringList& Found() const { return found; }
    int Checked() const { return checked; }

private:
    const QSet<QString>& dutch;
    QStringList found;
    int checked = 0;

    void WalkWidget(QWidget* widget) {
        Check(widget, "title", widget->windowTitle());
        Check(widget, "accessible name", widget->accessibleName());
        Check(widget, "accessible description", widget->accessibleDescription());
        Check(widget, "tooltip", widget->toolTip());
        Check(widget, "status tip", widget->statusTip());
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            Check(widget, "text", button->text());
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            Check(widget, "text", label->text());
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            Check(widget, "title", group->title());
        }
        if (auto* menu = qobject_cast<QMenu*>(widget)) {
            Check(widget, "menu title", menu->title());
        }
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            Check(widget, "placeholder", edit->placeholderText());
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                Check(widget, "item", combo->itemText(i));
            }
        }
        if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                Check(widget, "tab", tabs->tabText(i));
                Check(widget, "tab tooltip", tabs->tabToolTip(i));
            }
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                for (const int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
                    Check(widget, "header",
                          view->model()->headerData(column, Qt::Horizontal, role).toString());
                }
            }
        }
        for (const QAction* action : widget->actions()) {
            Check(action, "text", action->text());
            Check(action, "tooltip", action->toolTip());
            Check(action, "status tip", action->statusTip());
            if (action->menu() != nullptr) {
                Walk(action->menu());
            }
        }
    }
};

} // namespace

class EnglishWindowTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private:
    QTranslator english;
    QSet<QString> dutch;
    int messages = 0;
    /// dutch without what the string table gives the window in Dutch still.
    QSet<QString> checkedDutch;
    std::unique_ptr<CDutchTextFinder> finder;
    QStringList modalTitles;

    /// Opens the main window; its modal dialogs are walked, then closed.
    void Open() {
        OpenWindow([this](QDialog& dialog) {
            modalTitles << dialog.windowTitle();
            finder->Walk(&dialog);
            return int(QDialog::Rejected);
        });
    }
    void VerifyNothingDutch() {
        QVERIFY2(finder->Found().isEmpty(), qPrintable(finder->Found().join(QLatin1Char('\n'))));
    }

private slots:
    void initTestCase() {
        dutch = DutchTextsWithOtherEnglish(QStringLiteral(NR_ENGLISH_TS), messages);
        QVERIFY2(messages > 100, NR_ENGLISH_TS);
        QVERIFY(dutch.size() > 100);
        QVERIFY(english.load(QStringLiteral(":/i18n/norvikrename_en.qm")));
    }
    void init() {
        ResetHarness();
        QVERIFY(QCoreApplication::installTranslator(&english));
        // The string table translates its own texts (column titles, tab
        // texts, tooltips); where it still gives a text in Dutch, the same
        // Dutch word elsewhere in the window cannot be told from it.
        checkedDutch = dutch;
        for (const int id : AllStringIds()) {
            checkedDutch.remove(UiText(id));
            checkedDutch.remove(UiTextPlain(id));
        }
        finder = std::make_unique<CDutchTextFinder>(checkedDutch);
        modalTitles.clear();
    }
    void cleanup() {
        CloseWindow();
        QCoreApplication::removeTranslator(&english);
    }

    void mainWindowAndItsPagesSpeakEnglish() {
        Open();
        finder->Walk(window.get());
        VerifyNothingDutch();
        QVERIFY(finder->Checked() > 100);
        QCOMPARE(window->findChild<QAbstractButton*>(QStringLiteral("renameButton"))->text(),
                 QStringLiteral("&Rename"));
        QCOMPARE(window->findChild<QAbstractButton*>(QStringLiteral("onlySelectedCheck"))->text(),
                 QStringLiteral("Rename &only the selected files"));
        QCOMPARE(window->GetFileList()->accessibleName(), QStringLiteral("File list"));
        QCOMPARE(window->GetPreviewList()->accessibleName(), QStringLiteral("Preview"));
        QCOMPARE(window->GetTabs()->accessibleName(), QStringLiteral("Rules"));
        QCOMPARE(window->GetAction(cmd::kSelectAll)->text(), QStringLiteral("Select all"));
    }

    void tagMenuSpeaksEnglishAndKeepsItsObjectNames() {
        Open();
        CTagMenu tags(window->GetCore());
        std::unique_ptr<QMenu> menu = tags.BuildMenu(window.get());
        finder->Walk(menu.get());
        VerifyNothingDutch();
        QVERIFY(finder->Checked() > 100);
        auto* images = menu->findChild<QMenu*>(QStringLiteral("tagSubmenuAfbeeldingen"));
        QVERIFY(images);
        QCOMPARE(images->title(), QStringLiteral("Images"));
        QVERIFY(images->menuAction()->toolTip().startsWith(QStringLiteral("Reads BMP, PNG")));
        auto* today = menu->findChild<QMenu*>(QStringLiteral("tagSubmenuVandaag"));
        QVERIFY(today);
        QCOMPARE(today->actions().value(0)->text(), QStringLiteral("YYYYMMDD"));
    }

    void popupOfTheListsSpeaksEnglish() {
        Open();
        emit window->GetFileList()->customContextMenuRequested(QPoint(1, 1));
        QCOMPARE(popups.GetAsked().size(), std::size_t(1));
        const std::vector<CMenuItem>& items = popups.GetAsked().front().items;
        for (const CMenuItem& item : items) {
            finder->Check(window->GetFileList(), "popup item", item.text);
        }
        VerifyNothingDutch();
        QCOMPARE(items.front().text, QStringLiteral("Make a rename .BAT file"));
    }

    void dialogsOfTheWindowSpeakEnglish() {
        Open();
        window->RunCommand(cmd::kColours);
        window->RunCommand(cmd::kExtendedFilter);
        window->RunCommand(cmd::kTextEditor);
        QVERIFY(window->GetTextEditor());
        finder->Walk(window->GetTextEditor());
        VerifyNothingDutch();
        QVERIFY(finder->Checked() > 50);
        QCOMPARE(modalTitles, QStringList({QStringLiteral("Color settings"),
                                           QStringLiteral("Extended filter options")}));
        auto* fileMenu = window->GetTextEditor()->findChild<QMenu*>(QStringLiteral("fileMenu"));
        QVERIFY(fileMenu);
        QCOMPARE(fileMenu->title(), QStringLiteral("&File"));
    }

    void standaloneDialogsSpeakEnglish() {
        CManualRenameDlg manual(QStringLiteral("a.txt"), false, boxes);
        CRenameErrorsDlg errors({{2, "x", "a", "b"}});
        CProgressBarDlg bar(QStringLiteral("1 / 2"), true);
        CProgressTextDlg text;
        CTextInputDlg input(QString(), nullptr);
        QWidget* const dialogs[] = {&manual, &errors, &bar, &text, &input};
        for (QWidget* dialog : dialogs) {
            finder->Walk(dialog);
        }
        VerifyNothingDutch();
        QCOMPARE(manual.windowTitle(), QStringLiteral("Rename manually"));
        QCOMPARE(errors.windowTitle(), QStringLiteral("Rename errors"));
        QCOMPARE(bar.windowTitle(), QStringLiteral("Progress..."));
    }

    void withoutTheTranslatorTheTextsStayDutch() {
        QCoreApplication::removeTranslator(&english);
        Open();
        window->RunCommand(cmd::kTextEditor);
        auto* fileMenu = window->GetTextEditor()->findChild<QMenu*>(QStringLiteral("fileMenu"));
        QVERIFY(fileMenu);
        QCOMPARE(fileMenu->title(), QStringLiteral("&Bestand"));
        QCOMPARE(window->GetAction(cmd::kSelectAll)->text(), QStringLiteral("Alles selecteren"));
        CTagMenu tags(window->GetCore());
        std::unique_ptr<QMenu> menu = tags.BuildMenu(window.get());
        auto* images = menu->findChild<QMenu*>(QStringLiteral("tagSubmenuAfbeeldingen"));
        QVERIFY(images);
        QCOMPARE(images->title(), QStringLiteral("Afbeeldingen"));
        CManualRenameDlg manual(QStringLiteral("a.txt"), false, boxes);
        QCOMPARE(manual.windowTitle(), QStringLiteral("Handmatig hernoemen"));
    }
};

QTEST_MAIN(EnglishWindowTest)
#include "EnglishWindowTest.moc"
