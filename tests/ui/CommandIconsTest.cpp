// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandIcons.h"

#include "engine/TagCommands.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <vector>

namespace {

/// At least one pixel that is not fully transparent: the drawing was read.
bool HasVisiblePixels(const QIcon& icon) {
    const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        return false;
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

const std::vector<int> kToolbarIds = {32771, 32774, 32772, 32773, 32780, 32948, 32781, 32783,
                                      32782, 32995, 32879, 32884, 33007, 33004, 32895, 32903,
                                      32891, 32894, 32929, 33002, 57670, 32779};

} // namespace

class CommandIconsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // No desktop theme: every icon must come from our own drawings.
        QIcon::setThemeSearchPaths({});
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
        QVERIFY2(CanDrawSvgIcons(), "the Qt SVG image plugin (libqt6svg6) is missing");
    }

    void everyToolbarCommandHasAnIcon_data() {
        QTest::addColumn<int>("id");
        for (int id : kToolbarIds) {
            QTest::newRow(QByteArray::number(id).constData()) << id;
        }
        for (int id : tagcommands::kTagSubmenus) {
            QTest::newRow(QByteArray::number(id).constData()) << id;
        }
    }

    void everyToolbarCommandHasAnIcon() {
        QFETCH(int, id);
        const QIcon icon = CommandIcon(id);
        QVERIFY(!icon.isNull());
        QVERIFY(HasVisiblePixels(icon));
        const auto listed = IconCommandIds();
        QVERIFY(std::find(listed.begin(), listed.end(), id) != listed.end());
    }

    void tabsAndProgramHaveIcons() {
        for (int tab = 0; tab < 3; ++tab) {
            QVERIFY2(HasVisiblePixels(RuleTabIcon(tab)), qPrintable(QString::number(tab)));
        }
        QVERIFY(RuleTabIcon(3).isNull());
        QVERIFY(RuleTabIcon(-1).isNull());
        QVERIFY(HasVisiblePixels(ProgramIcon()));
        QVERIFY(!ProgramIcon().pixmap(48, 48).isNull());
    }

    void iconsDifferFromEachOther() {
        // A drawing listed twice by mistake would show one command's icon
        // for another.
        std::vector<QImage> images;
        for (int id : IconCommandIds()) {
            images.push_back(CommandIcon(id).pixmap(16, 16).toImage());
        }
        for (std::size_t i = 0; i < images.size(); ++i) {
            for (std::size_t j = i + 1; j < images.size(); ++j) {
                QVERIFY2(images[i] != images[j], qPrintable(QStringLiteral("%1 and %2 look alike")
                                                                .arg(IconCommandIds()[i])
                                                                .arg(IconCommandIds()[j])));
            }
        }
    }

    void unknownIdGivesNoIcon() {
        QVERIFY(CommandIcon(0).isNull());
        QVERIFY(CommandIcon(32902).isNull());
    }
};

QTEST_MAIN(CommandIconsTest)
#include "CommandIconsTest.moc"
