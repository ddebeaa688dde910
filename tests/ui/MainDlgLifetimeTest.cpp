#include "app/CommandLineKeywords.h"
#include "app/MessageBoxes.h"
#include "app/ProgramSettings.h"
#include "support/TempFolder.h"
#include "ui/FileListModel.h"
#include "ui/MainDlg.h"
#include "ui/MainFileList.h"
#include "ui/RecordingFileDialogs.h"
#include "ui/RecordingPopupMenus.h"

#include <QTest>

#include <memory>

class MainDlgLifetimeTest : public QObject {
    Q_OBJECT

private slots:
    void ShownWindowWithRowsIsDestroyedCleanly();
};

// A window destroyed while shown hides its lists as it goes; their headers
// then ask the catalogue for the column titles, so the core must still be
// there.
void MainDlgLifetimeTest::ShownWindowWithRowsIsDestroyedCleanly() {
    CTempFolder folder;
    folder.WriteFile("one.txt");
    folder.WriteFile("two.txt");
    CProgramSettings settings;
    settings.SetDefaults(0, 0);
    settings.rememberLastPath = false;
    CCommandLineKeywords keywords;
    keywords.Parse(CCommandLineKeywords::JoinArguments({"PATH=" + folder.Path()}));
    CRecordingMessageBoxes messageBoxes;
    CRecordingFileDialogs fileDialogs;
    CRecordingPopupMenus popupMenus;
    auto window = std::make_unique<CMainDlg>(CMainDlgServices{
        settings, keywords, messageBoxes, fileDialogs, popupMenus, folder / "nr.ini"});
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->GetFileListModel()->rowCount(), 2);

    // The list must go while the window is still a CMainDlg, that is while
    // its core is still there (in ~QWidget it would be too late).
    QObject* whole = window.get();
    bool listGone = false;
    bool windowWhole = false;
    connect(window->GetFileList(), &QObject::destroyed, this, [&] {
        listGone = true;
        windowWhole = qobject_cast<CMainDlg*>(whole) != nullptr;
    });
    window.reset();
    QVERIFY(listGone);
    QVERIFY(windowWhole);
}

QTEST_MAIN(MainDlgLifetimeTest)
#include "MainDlgLifetimeTest.moc"
