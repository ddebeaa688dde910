// SPDX-License-Identifier: GPL-3.0-or-later
// The manual: where Help finds it in a build and in an installation, what
// Help does with it (through QDesktopServices' URL handlers, so no viewer
// opens), and whether the page is sound and documents every tag the tag
// menu inserts.

#include "ui/Manual.h"
#include "app/InterfaceLanguage.h"
#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "engine/TagExpander.h"
#include "resources/StringTable.h"
#include "support/MainDlgHarness.h"
#include "ui/MainCommands.h"
#include "ui/QtText.h"
#include "ui/TagMenuItems.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

/// Takes the URLs QDesktopServices would hand to the desktop.
class CUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

namespace {

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

void WriteFile(const QString& path, const QByteArray& content = QByteArray("x")) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// What the manual page holds, read as XML: a browser reads it as HTML,
/// but a page that is well-formed XML has no unclosed element and no "<"
/// of a tag example left unescaped.
struct CManualPage {
    QString error;
    QString text;        ///< all character data
    QSet<QString> codes; ///< the text of every <code> element
    QSet<QString> ids;   ///< every id attribute
    QStringList links;   ///< every href
    QStringList sources; ///< every src
    QString language;    ///< lang of <html>
};

CManualPage ReadManual(const QString& path) {
    CManualPage page;
    QXmlStreamReader xml(ReadFile(path));
    QString code;
    int codeDepth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes attributes = xml.attributes();
            if (xml.name() == QLatin1String("html")) {
                page.language = attributes.value(QLatin1String("lang")).toString();
            }
            if (attributes.hasAttribute(QLatin1String("id"))) {
                page.ids.insert(attributes.value(QLatin1String("id")).toString());
            }
            if (attributes.hasAttribute(QLatin1String("href"))) {
                page.links.append(attributes.value(QLatin1String("href")).toString());
            }
            if (attributes.hasAttribute(QLatin1String("src"))) {
                page.sources.append(attributes.value(QLatin1String("src")).toString());
            }
            if (xml.name() == QLatin1String("code")) {
                ++codeDepth;
                code.clear();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("code")) {
            --codeDepth;
            page.codes.insert(code);
        } else if (xml.isCharacters()) {
            page.text += xml.text();
            if (codeDepth > 0) {
                code += xml.text();
            }
        }
    }
    if (xml.hasError()) {
        page.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    }
    return page;
}

QString SourceManual() {
    return QStringLiteral(NR_SOURCE_DIR "/docs/manual/index.html");
}

/// The English translation beside the Dutch page.
QString EnglishManual() {
    return QStringLiteral(NR_SOURCE_DIR "/docs/manual/index.en.html");
}

/// Checks that a page is well-formed, in its language, and that it needs
/// nothing but its own anchors, the pages beside it and its images.
void CheckWellFormedAndSelfContained(const QString& path, const QString& language,
                                     const QString& title) {
    const CManualPage page = ReadManual(path);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QCOMPARE(page.language, language);
    QVERIFY(page.text.contains(title));
    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    for (const QString& link : page.links) {
        if (link.startsWith(QLatin1Char('#'))) {
            QVERIFY2(page.ids.contains(link.mid(1)), qPrintable(link));
        } else {
            // The other language's page, in the same folder.
            QVERIFY2(!link.contains(QLatin1Char(':')) && !link.contains(QLatin1Char('/')),
                     qPrintable(link));
            QVERIFY2(link.endsWith(QLatin1String(".html")), qPrintable(link));
            QVERIFY2(link != QFileInfo(path).fileName(), qPrintable(link));
            QVERIFY2(QFileInfo(folder + link).isFile(), qPrintable(link));
        }
    }
    QVERIFY(!page.sources.isEmpty());
    for (const QString& source : page.sources) {
        QVERIFY2(!source.contains(QLatin1Char(':')), qPrintable(source));
        QVERIFY2(QFileInfo(folder + source).isFile(), qPrintable(source));
    }
}

/// Checks that every command word has an example among the page's codes.
void CheckEveryCommandWordHasAnExample(const QString& path) {
    const CManualPage page = ReadManual(path);
    const char* const words[] = {"N", "G",   "MP3",   "E",         "C",      "D",  "R", "RA",
                                 "T", "CDR", "CRC32", "SHORTNAME", "REGEXP", "EN", "FN"};
    for (const char* word : words) {
        bool found = false;
        for (const QString& code : page.codes) {
            const QString open = QLatin1Char('<') + QLatin1String(word);
            found = found || code.contains(open + QLatin1Char('>')) ||
                    code.contains(open + QLatin1Char(':'));
        }
        QVERIFY2(found, qPrintable(path + QLatin1Char(' ') + QLatin1String(word)));
    }
}

} // namespace

class ManualTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private slots:
    void init() { ResetHarness(); }
    void cleanup() { CloseWindow(); }

    void FindsTheCopyBesideTheExecutableOfABuild() {
        const CTempFolder temp;
        const QString build = ToQ(temp / "build");
        WriteFile(build + QStringLiteral("/norvikrename"));
        WriteFile(build + QStringLiteral("/doc/manual/index.html"));
        QCOMPARE(FindManual(build + QStringLiteral("/norvikrename")),
                 build + QStringLiteral("/doc/manual/index.html"));
    }

    void FindsTheInstalledCopyInThePrefix() {
        const CTempFolder temp;
        const QString prefix = ToQ(temp / "usr");
        WriteFile(prefix + QStringLiteral("/bin/norvikrename"));
        WriteFile(prefix + QStringLiteral("/share/doc/norvikrename/manual/index.html"));
        QCOMPARE(FindManual(prefix + QStringLiteral("/bin/norvikrename")),
                 prefix + QStringLiteral("/share/doc/norvikrename/manual/index.html"));
    }

    void TheBuildCopyComesFirst() {
        const CTempFolder temp;
        const QString prefix = ToQ(temp / "usr");
        WriteFile(prefix + QStringLiteral("/bin/doc/manual/index.html"));
        WriteFile(prefix + QStringLiteral("/share/doc/norvikrename/manual/index.html"));
        QCOMPARE(FindManual(prefix + QStringLiteral("/bin/norvikrename")),
                 prefix + QStringLiteral("/bin/doc/manual/index.html"));
    }

    void NoManualAndAFolderInItsPlaceFindNothing() {
        const CTempFolder temp;
        const QString prefix = ToQ(temp / "usr");
        QVERIFY(FindManual(prefix + QStringLiteral("/bin/norvikrename")).isEmpty());
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin/doc/manual/index.html")));
        QVERIFY(FindManual(prefix + QStringLiteral("/bin/norvikrename")).isEmpty());
    }

    void AnotherLanguageFindsItsOwnPageFirst() {
        const CTempFolder temp;
        const QString build = ToQ(temp / "build");
        const QString program = build + QStringLiteral("/norvikrename");
        WriteFile(build + QStringLiteral("/doc/manual/index.html"));
        WriteFile(build + QStringLiteral("/doc/manual/index.en.html"));
        QCOMPARE(FindManual(program, "en"), build + QStringLiteral("/doc/manual/index.en.html"));
        QCOMPARE(FindManual(program, "nl"), build + QStringLiteral("/doc/manual/index.html"));
        QCOMPARE(FindManual(program), build + QStringLiteral("/doc/manual/index.html"));
        // A language without a page of its own reads the English one.
        QCOMPARE(FindManual(program, "de"), build + QStringLiteral("/doc/manual/index.en.html"));
        WriteFile(build + QStringLiteral("/doc/manual/index.de.html"));
        QCOMPARE(FindManual(program, "de"), build + QStringLiteral("/doc/manual/index.de.html"));
    }

    void AMissingEnglishPageFallsBackToTheDutchOne() {
        const CTempFolder temp;
        const QString prefix = ToQ(temp / "usr");
        const QString program = prefix + QStringLiteral("/bin/norvikrename");
        const QString installed = prefix + QStringLiteral("/share/doc/norvikrename/manual/");
        WriteFile(installed + QStringLiteral("index.html"));
        QCOMPARE(FindManual(program, "en"), installed + QStringLiteral("index.html"));
        QCOMPARE(FindManual(program, "de"), installed + QStringLiteral("index.html"));
        // An installed English page comes before a Dutch one in a build.
        WriteFile(installed + QStringLiteral("index.en.html"));
        WriteFile(prefix + QStringLiteral("/bin/doc/manual/index.html"));
        QCOMPARE(FindManual(program, "en"), installed + QStringLiteral("index.en.html"));
        QCOMPARE(FindManual(program, "nl"), prefix + QStringLiteral("/bin/doc/manual/index.html"));
    }

    void OpenManualFollowsTheWindowsLanguage() {
        const CTempFolder temp;
        const QString prefix = ToQ(temp / "opt/nr");
        const QString folder = prefix + QStringLiteral("/share/doc/norvikrename/manual/");
        WriteFile(folder + QStringLiteral("index.html"));
        WriteFile(folder + QStringLiteral("index.en.html"));
        CUrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
        CRecordingMessageBoxes boxes;
        OpenManual(nullptr, boxes, prefix + QStringLiteral("/bin/norvikrename"));
        SetInterfaceLanguage("en");
        OpenManual(nullptr, boxes, prefix + QStringLiteral("/bin/norvikrename"));
        SetInterfaceLanguage("nl");
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.opened,
                 (QList<QUrl>{QUrl::fromLocalFile(folder + QStringLiteral("index.html")),
                              QUrl::fromLocalFile(folder + QStringLiteral("index.en.html"))}));
        QVERIFY(boxes.GetAsked().empty());
    }

    void TheBuildCopiesTheManualBesideTheProgram() {
        const QString found = FindManual(QStringLiteral(NR_EXECUTABLE_PATH));
        QCOMPARE(found, QFileInfo(QStringLiteral(NR_EXECUTABLE_PATH)).absolutePath() +
                            QStringLiteral("/doc/manual/index.html"));
        QCOMPARE(ReadFile(found), ReadFile(SourceManual()));
        // The English page lies beside the Dutch one, as the links between them expect.
        const QString english = QFileInfo(found).absolutePath() + QStringLiteral("/index.en.html");
        QVERIFY(!ReadFile(EnglishManual()).isEmpty());
        QCOMPARE(ReadFile(english), ReadFile(EnglishManual()));
        // The screenshot keeps its place relative to the page.
        QVERIFY(QFileInfo(QFileInfo(found).absolutePath() + QStringLiteral("/../main-window.png"))
                    .isFile());
    }

    void OpenManualHandsTheFileToTheDesktop() {
        const CTempFolder temp;
        const QString prefix = ToQ(temp / "opt/nr");
        const QString page = prefix + QStringLiteral("/share/doc/norvikrename/manual/index.html");
        WriteFile(page);
        CUrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
        CRecordingMessageBoxes boxes;
        OpenManual(nullptr, boxes, prefix + QStringLiteral("/bin/norvikrename"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(page)});
        QVERIFY(boxes.GetAsked().empty());
    }

    void AMissingManualIsReported() {
        const CTempFolder temp;
        const QString prefix = ToQ(temp / "usr");
        CUrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
        CRecordingMessageBoxes boxes;
        OpenManual(nullptr, boxes, prefix + QStringLiteral("/bin/norvikrename"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(catcher.opened.isEmpty());
        QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
        const CRecordingMessageBoxes::CAsked& box = boxes.GetAsked()[0];
        QCOMPARE(box.kind, CRecordingMessageBoxes::Kind::Error);
        QCOMPARE(ToQ(box.text),
                 QStringLiteral("Het bestand [%1/share/doc/norvikrename/manual/index.html] kan "
                                "niet geopend worden.")
                     .arg(prefix));
        QCOMPARE(box.caption, std::string("NorvikRename"));
    }

    void F1InTheMainWindowAsksForTheManual() {
        OpenWindow(nullptr);
        if (QTest::currentTestFailed()) {
            return;
        }
        QAction* help = window->GetAction(cmd::kHelp);
        QVERIFY(help != nullptr);
        QCOMPARE(help->shortcut(), QKeySequence(QStringLiteral("F1")));

        // The test program has no manual beside it: Help names the place
        // where the installed one would be.
        CUrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
        QTest::keyClick(window.get(), Qt::Key_F1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        const QString expected = FindManual(QCoreApplication::applicationFilePath());
        if (expected.isEmpty()) {
            QCOMPARE(boxes.GetAsked().size(), std::size_t(1));
            QVERIFY(ToQ(boxes.GetAsked()[0].text)
                        .contains(QStringLiteral("/share/doc/norvikrename/manual/index.html")));
        } else {
            QCOMPARE(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(expected)});
        }
    }

    void ThePageIsWellFormedAndSelfContained() {
        CheckWellFormedAndSelfContained(SourceManual(), QStringLiteral("nl"),
                                        QStringLiteral("Handleiding"));
    }

    void TheEnglishPageIsWellFormedAndSelfContained() {
        CheckWellFormedAndSelfContained(EnglishManual(), QStringLiteral("en"),
                                        QStringLiteral("Manual"));
    }

    void ThePagesLinkToEachOther() {
        const CManualPage dutch = ReadManual(SourceManual());
        const CManualPage english = ReadManual(EnglishManual());
        QVERIFY(dutch.links.contains(QStringLiteral("index.en.html")));
        QVERIFY(english.links.contains(QStringLiteral("index.html")));
    }

    void EveryEntryOfTheTagMenuIsDocumented() {
        const CManualPage page = ReadManual(SourceManual());
        QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
        // The column tags as the menu inserts them for the columns in their
        // first order.
        CRenameCore core;
        AddDefaultColumns(core.GetCatalogue());
        int entries = 0;
        for (const CTagMenuItem& item : TagMenuItems()) {
            if (item.isSubmenu) {
                QVERIFY2(page.text.contains(ToQ(std::string(item.text))),
                         qPrintable(ToQ(std::string(item.text))));
                continue;
            }
            const QString tag = ToQ(core.GetTagExpander().TagTextForCommand(item.commandId));
            QVERIFY(!tag.isEmpty());
            QVERIFY2(page.codes.contains(tag), qPrintable(tag));
            QVERIFY2(page.text.contains(ToQ(std::string(item.text))),
                     qPrintable(ToQ(std::string(item.text))));
            ++entries;
        }
        QVERIFY(entries > 100);
    }

    void TheEnglishPageShowsEveryTagOfTheTagMenu() {
        // The English page names the entries in English; the tags are the same.
        const CManualPage page = ReadManual(EnglishManual());
        QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
        CRenameCore core;
        AddDefaultColumns(core.GetCatalogue());
        int entries = 0;
        for (const CTagMenuItem& item : TagMenuItems()) {
            if (item.isSubmenu) {
                continue;
            }
            const QString tag = ToQ(core.GetTagExpander().TagTextForCommand(item.commandId));
            QVERIFY2(page.codes.contains(tag), qPrintable(tag));
            ++entries;
        }
        QVERIFY(entries > 100);
    }

    void EveryCommandWordHasAnExample() {
        CheckEveryCommandWordHasAnExample(SourceManual());
        CheckEveryCommandWordHasAnExample(EnglishManual());
    }
};

QTEST_MAIN(ManualTest)
#include "ManualTest.moc"
