// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MainDlgHarness.h"
#include "ui/FileListModel.h"

#include <QTest>

class MainDlgLifetimeTest : public QObject, private CMainDlgHarness {
    Q_OBJECT

private slots:
    void init() { ResetHarness(); }
    void cleanup() { CloseWindow(); }

    void ShownWindowWithRowsIsDestroyedCleanly();
};

// A window destroyed while shown hides its lists as it goes; their headers
// then ask the catalogue for the column titles, so the core must still be
// there.
void MainDlgLifetimeTest::ShownWindowWithRowsIsDestroyedCleanly() {
    folder->WriteFile("one.txt");
    folder->WriteFile("two.txt");
    settings.rememberLastPath = false;
    OpenWindow(nullptr);
    if (QTest::currentTestFailed()) {
        return;
    }
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
