// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileDialogs.h"
#include "ui/FolderBrowser.h"
#include "ui/RecordingFileDialogs.h"

#include "resources/StringTable.h"

#include <QTest>
#include <QWidget>

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void recordingDialogsAnswerInOrderAndRecordTheQuestions() {
        CRecordingFileDialogs dialogs;
        QWidget owner;
        dialogs.PushAnswer(QStringLiteral("/tmp/hernoem.sh"));
        dialogs.PushAnswer(QStringLiteral("/tmp/opties.ini"));
        dialogs.PushAnswer(QStringLiteral("/tmp/map"));
        QCOMPARE(dialogs.ChooseSaveFile(&owner, QStringLiteral("Opslaan"),
                                        QStringLiteral("Alle bestanden (*)"),
                                        QStringLiteral("hernoem.sh")),
                 QStringLiteral("/tmp/hernoem.sh"));
        QCOMPARE(dialogs.ChooseOpenFile(nullptr, QStringLiteral("Openen"),
                                        QStringLiteral("INI (*.ini)")),
                 QStringLiteral("/tmp/opties.ini"));
        QCOMPARE(dialogs.ChooseFolder(&owner, QStringLiteral("Map"), QStringLiteral("/home")),
                 QStringLiteral("/tmp/map"));
        // An empty queue means the user cancelled.
        QCOMPARE(dialogs.ChooseOpenFile(nullptr, QStringLiteral("Nog eens"), {}), QString());

        const auto& asked = dialogs.GetAsked();
        QCOMPARE(asked.size(), std::size_t{4});
        QCOMPARE(asked[0].kind, CRecordingFileDialogs::Kind::SaveFile);
        QCOMPARE(asked[0].parent, &owner);
        QCOMPARE(asked[0].title, QStringLiteral("Opslaan"));
        QCOMPARE(asked[0].filter, QStringLiteral("Alle bestanden (*)"));
        QCOMPARE(asked[0].suggestion, QStringLiteral("hernoem.sh"));
        QCOMPARE(asked[1].kind, CRecordingFileDialogs::Kind::OpenFile);
        QCOMPARE(asked[1].filter, QStringLiteral("INI (*.ini)"));
        QCOMPARE(asked[2].kind, CRecordingFileDialogs::Kind::Folder);
        QCOMPARE(asked[2].suggestion, QStringLiteral("/home"));
        QCOMPARE(asked[3].title, QStringLiteral("Nog eens"));

        dialogs.PushAnswer(QStringLiteral("left over"));
        dialogs.Clear();
        QVERIFY(dialogs.GetAsked().empty());
        QCOMPARE(dialogs.ChooseFolder(nullptr, {}, {}), QString());
    }

    void folderBrowserAsksWithItsTitleAndInitialFolder() {
        CRecordingFileDialogs dialogs;
        QWidget owner;
        dialogs.PushAnswer(QStringLiteral("/data/foto's"));
        CFolderBrowser browser(dialogs, &owner, QStringLiteral("/data"));
        QVERIFY(browser.Run());
        QCOMPARE(browser.GetPath(), QStringLiteral("/data/foto's"));
        QCOMPARE(dialogs.GetAsked().size(), std::size_t{1});
        QCOMPARE(dialogs.GetAsked()[0].kind, CRecordingFileDialogs::Kind::Folder);
        QCOMPARE(dialogs.GetAsked()[0].title, QStringLiteral("Selecteer map"));
        QCOMPARE(dialogs.GetAsked()[0].suggestion, QStringLiteral("/data"));
        QCOMPARE(dialogs.GetAsked()[0].parent, &owner);
    }

    void folderBrowserCancelGivesAnEmptyPath() {
        CRecordingFileDialogs dialogs;
        CFolderBrowser browser(dialogs, nullptr, QStringLiteral("/data"));
        QVERIFY(!browser.Run());
        QCOMPARE(browser.GetPath(), QString());
    }

    void tableFiltersBecomeQtFilters_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("qt");
        QTest::newRow("text files") << "Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*||"
                                    << "Tekstbestanden (*.txt);;Alle bestanden (*)";
        QTest::newRow("no parentheses") << "Batch|*.bat;*.cmd||"
                                        << "Batch (*.bat *.cmd)";
        QTest::newRow("no end marks") << "INI (*.ini)|*.ini"
                                      << "INI (*.ini)";
        QTest::newRow("empty") << ""
                               << "";
    }

    void tableFiltersBecomeQtFilters() {
        QFETCH(QString, table);
        QFETCH(QString, qt);
        QCOMPARE(CFileDialogs::QtFilter(table.toStdString()), qt);
    }

    void theStringTableFiltersConvert() {
        QCOMPARE(CFileDialogs::QtFilter(LookupString(strings::kFilterTextFiles)),
                 QStringLiteral("Tekstbestanden (*.txt);;Alle bestanden (*)"));
    }
};

QTEST_MAIN(FileDialogsTest)
#include "FileDialogsTest.moc"
