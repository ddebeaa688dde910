// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Manual.h"

#include "app/MessageBoxes.h"
#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

QString Beside(const QString& executablePath, const char* relative) {
    return QDir::cleanPath(QFileInfo(executablePath).absolutePath() + QLatin1Char('/') +
                           QLatin1String(relative));
}

} // namespace

QString FindManual(const QString& executablePath) {
    for (const char* relative : {kManualInBuild, kManualInstalled}) {
        const QString path = Beside(executablePath, relative);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return {};
}

void OpenManual(QWidget* owner, CMessageBoxes& messageBoxes, const QString& executablePath) {
    QString path = FindManual(executablePath);
    if (!path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        return;
    }
    if (path.isEmpty()) {
        path = Beside(executablePath, kManualInstalled);
    }
    messageBoxes.ShowError(owner, FillText(LookupString(strings::kCannotOpenFile), {FromQt(path)}),
                           std::string(LookupString(strings::kCaptionProgram)),
                           boxstyle::kErrorIcon);
}

void OpenManual(QWidget* owner, CMessageBoxes& messageBoxes) {
    OpenManual(owner, messageBoxes, QCoreApplication::applicationFilePath());
}
