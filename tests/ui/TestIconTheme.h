// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TempFolder.h"

#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

#include <fstream>

/// A small icon theme of its own, so that tests can tell icons apart by
/// their theme names whatever the machine has installed.
class CTestIconTheme {
public:
    explicit CTestIconTheme(const QStringList& names) {
        const std::string root = themes.Path() + "nrtest/";
        themes.WriteFile("nrtest/index.theme", "[Icon Theme]\nName=nrtest\nDirectories=16x16\n\n"
                                               "[16x16]\nSize=16\nType=Fixed\n");
        themes.MakeFolder("nrtest/16x16");
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        for (const QString& name : names) {
            image.save(QString::fromStdString(root + "16x16/") + name + QStringLiteral(".png"));
        }
        QIcon::setThemeSearchPaths({QString::fromStdString(themes.Path())});
        QIcon::setThemeName(QStringLiteral("nrtest"));
    }

private:
    CTempFolder themes;
};
