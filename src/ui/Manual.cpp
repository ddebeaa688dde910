// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Manual.h"

#include "app/InterfaceLanguage.h"
#include "app/MessageBoxes.h"
#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <vector>

namespace {

QString Beside(const QString& executablePath, const char* relative) {
    return QDir::cleanPath(QFileInfo(executablePath).absolutePath() + QLatin1Char('/') +
                           QLatin1String(relative));
}

/// "…/index.html" for Dutch, "…/index.<language>.html" for another language.
QString InLanguage(const QString& dutchPage, std::string_view language) {
    if (language == kDutch) {
        return dutchPage;
    }
    const QString extension = QStringLiteral(".html");
    QString page = dutchPage;
    page.chop(extension.size());
    return page + QLatin1Char('.') + ToQt(language) + extension;
}

} // namespace

QString FindManual(const QString& executablePath, std::string_view language) {
    std::vector<std::string_view> languages{language};
    if (language != kDutch && language != kEnglish) {
        languages.push_back(kEnglish);
    }
    if (language != kDutch) {
        languages.push_back(kDutch);
    }
    for (const std::string_view pageLanguage : languages) {
        for (const char* relative : {kManualInBuild, kManualInstalled}) {
            const QString path = InLanguage(Beside(executablePath, relative), pageLanguage);
            if (QFileInfo(path).isFile()) {
                return path;
            }
        }
    }
    return {};
}

void OpenManual(QWidget* owner, CMessageBoxes& messageBoxes, const QString& executablePath) {
    QString path = FindManual(executablePath, GetInterfaceLanguage());
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
