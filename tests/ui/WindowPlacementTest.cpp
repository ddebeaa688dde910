// SPDX-License-Identifier: GPL-3.0-or-later
// Where the main window opens, for desktops and stored positions.

#include "app/ProgramSettings.h"
#include "ui/WindowPlacement.h"

#include <QtTest>

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunTakesSevenEighthsCentred() {
        CProgramSettings settings;
        settings.SetDefaults(1024, 768);
        const CWindowPlacement placement = ComputeWindowPlacement(settings, QSize(1024, 768));
        QCOMPARE(placement.rect, QRect(64, 48, 896, 672));
        QVERIFY(!placement.maximized);
        QCOMPARE(placement.splitterPosition, 0);
    }

    void aSmallDesktopGetsTheMinimumWidth() {
        CProgramSettings settings;
        settings.SetDefaults(640, 480);
        const CWindowPlacement placement = ComputeWindowPlacement(settings, QSize(640, 480));
        QCOMPARE(placement.rect.size(), QSize(740, 440));
        QCOMPARE(placement.rect.x(), 640 / 2 - 740 / 2);
    }

    void storedValuesAreKeptWithinTheRules() {
        CProgramSettings settings;
        settings.x = -7;
        settings.y = 30;
        settings.width = 500;
        settings.height = 300;
        settings.splitterPos = 333;
        const CWindowPlacement placement = ComputeWindowPlacement(settings, QSize(1280, 1024));
        QCOMPARE(placement.rect, QRect(0, 30, 740, 420));
        QCOMPARE(placement.splitterPosition, 333);
        // Unknown size: derived from the desktop.
        settings.width = 0;
        QCOMPARE(ComputeWindowPlacement(settings, QSize(1280, 1024)).rect.size(),
                 QSize(1120, 896));
    }

    void maximizedKeepsItsSplitterAndStartMaximizedGoesToTheRightEnd() {
        CProgramSettings settings;
        settings.x = -1;
        settings.y = -1;
        settings.width = 622;
        settings.height = 442;
        settings.maximized = true;
        settings.splitterPos = 700;
        CWindowPlacement placement = ComputeWindowPlacement(settings, QSize(1280, 1024));
        QVERIFY(placement.maximized);
        QCOMPARE(placement.splitterPosition, 700);

        settings.maximized = false;
        settings.startMaximized = true;
        placement = ComputeWindowPlacement(settings, QSize(1280, 1024));
        QVERIFY(placement.maximized);
        QCOMPARE(placement.splitterPosition, CWindowPlacement::kSplitterAtRightEnd);
    }
};

QTEST_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
