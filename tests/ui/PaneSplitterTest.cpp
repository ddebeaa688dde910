// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PaneSplitter.h"

#include "engine/IniFile.h"

#include <QLabel>
#include <QSplitterHandle>
#include <QTest>

#include <memory>

class PaneSplitterTest : public QObject {
    Q_OBJECT

private:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 200;
    static constexpr int kMinimum = 120;

    std::unique_ptr<CPaneSplitter> MakeShown() {
        auto splitter = std::make_unique<CPaneSplitter>(Qt::Horizontal, new QLabel, new QLabel,
                                                        kMinimum, kMinimum);
        splitter->resize(kWidth, kHeight);
        splitter->show();
        if (!QTest::qWaitForWindowExposed(splitter.get())) {
            return nullptr;
        }
        return splitter;
    }

    static QPoint HandleCentre(const CPaneSplitter& splitter) {
        return splitter.handle(1)->rect().center();
    }

private slots:
    void keepsBothPanesAtLeastTheMinimum_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("expected");
        const int last = kWidth - CPaneSplitter::kBarThickness - kMinimum;
        QTest::newRow("negative") << -50 << kMinimum;
        QTest::newRow("zero") << 0 << kMinimum;
        QTest::newRow("just below") << kMinimum - 1 << kMinimum;
        QTest::newRow("minimum") << kMinimum << kMinimum;
        QTest::newRow("middle") << 300 << 300;
        QTest::newRow("last allowed") << last << last;
        QTest::newRow("one past") << last + 1 << last;
        QTest::newRow("far right") << 5000 << last;
    }

    void keepsBothPanesAtLeastTheMinimum() {
        QFETCH(int, position);
        QFETCH(int, expected);
        auto splitter = MakeShown();
        QVERIFY(splitter);
        splitter->SetPosition(position);
        QCOMPARE(splitter->GetPosition(), expected);
        QVERIFY(splitter->widget(0)->width() >= kMinimum);
        QVERIFY(splitter->widget(1)->width() >= kMinimum);
        QCOMPARE(splitter->widget(0)->width(), expected);
        QCOMPARE(splitter->widget(1)->x(), expected + CPaneSplitter::kBarThickness);
        QCOMPARE(splitter->widget(1)->geometry().right(), kWidth - 1);
    }

    void panesNeverCollapse() {
        auto splitter = MakeShown();
        QVERIFY(splitter);
        QVERIFY(!splitter->childrenCollapsible());
        QVERIFY(!splitter->isCollapsible(0));
        QVERIFY(!splitter->isCollapsible(1));
    }

    void dragIsClampedToTheMinimum() {
        auto splitter = MakeShown();
        QVERIFY(splitter);
        splitter->SetPosition(300);
        QSplitterHandle* handle = splitter->handle(1);
        const QPoint start = HandleCentre(*splitter);
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QTest::mouseMove(handle, start - QPoint(290, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start - QPoint(290, 0));
        QCOMPARE(splitter->GetPosition(), kMinimum);
        QCOMPARE(splitter->widget(0)->width(), kMinimum);
    }

    void releaseKeepsTheDraggedPosition() {
        auto splitter = MakeShown();
        QVERIFY(splitter);
        splitter->SetPosition(300);
        QSplitterHandle* handle = splitter->handle(1);
        const QPoint start = HandleCentre(*splitter);
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QVERIFY(splitter->IsDragging());
        QTest::mouseMove(handle, start + QPoint(60, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start + QPoint(60, 0));
        QVERIFY(!splitter->IsDragging());
        // Qt widens a thin bar's hit zone, which can shift the drop by a pixel.
        QVERIFY2(qAbs(splitter->GetPosition() - 360) <= 1,
                 qPrintable(QString::number(splitter->GetPosition())));
    }

    void escapeDuringDragLeavesThePanesAsTheyWere() {
        auto splitter = MakeShown();
        QVERIFY(splitter);
        splitter->SetPosition(300);
        const QList<int> before = splitter->sizes();
        QSplitterHandle* handle = splitter->handle(1);
        const QPoint start = HandleCentre(*splitter);
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QTest::mouseMove(handle, start + QPoint(100, 0));
        QVERIFY(splitter->GetPosition() > 390); // the panes follow the drag
        QTest::keyClick(splitter->widget(0), Qt::Key_Escape);
        QCOMPARE(splitter->sizes(), before);
        // Moving on before the button comes up does not start again.
        QTest::mouseMove(handle, start + QPoint(150, 0));
        QCOMPARE(splitter->sizes(), before);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start + QPoint(150, 0));
        QCOMPARE(splitter->sizes(), before);
        QCOMPARE(splitter->widget(0)->width(), 300);
        QVERIFY(!splitter->IsDragging());

        // The next drag works as usual.
        const QPoint again = HandleCentre(*splitter);
        QTest::mousePress(handle, Qt::LeftButton, {}, again);
        QTest::mouseMove(handle, again - QPoint(50, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, again - QPoint(50, 0));
        QVERIFY(qAbs(splitter->GetPosition() - 250) <= 1);
    }

    void escapeWithoutDragIsLeftToOthers() {
        auto splitter = MakeShown();
        QVERIFY(splitter);
        splitter->SetPosition(200);
        QTest::keyClick(splitter->widget(0), Qt::Key_Escape);
        QCOMPARE(splitter->GetPosition(), 200);
        QVERIFY(!splitter->IsDragging());
    }

    void stackedPanesKeepTheirMinimumHeight() {
        CPaneSplitter splitter(Qt::Vertical, new QLabel, new QLabel, 50, 70);
        splitter.resize(100, 400);
        splitter.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splitter));
        splitter.SetPosition(390);
        QCOMPARE(splitter.GetPosition(), 400 - CPaneSplitter::kBarThickness - 70);
        QCOMPARE(splitter.widget(1)->height(), 70);
        splitter.SetPosition(10);
        QCOMPARE(splitter.widget(0)->height(), 50);
    }

    void startPositionComesFromTheSettingsFile() {
        CIniFile ini;
        auto splitter = MakeShown();
        QVERIFY(splitter);
        QCOMPARE(splitter->ReadStartPosition(ini, 1002), 2 * kMinimum);
        ini.WriteString("splt\\init_v1002", "VertSplitPos", "333");
        QCOMPARE(splitter->ReadStartPosition(ini, 1002), 333);
        QCOMPARE(splitter->ReadStartPosition(ini, 7), 2 * kMinimum);
    }
};

QTEST_MAIN(PaneSplitterTest)
#include "PaneSplitterTest.moc"
