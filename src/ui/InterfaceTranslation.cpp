// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InterfaceTranslation.h"

#include "app/InterfaceLanguage.h"
#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

namespace {

const QString kTranslationsFolder = QStringLiteral(":/i18n");
const QString kTranslationPrefix = QStringLiteral("norvikrename_");
const QString kTranslationSuffix = QStringLiteral(".qm");

QString TranslationFile(const std::string& language) {
    return kTranslationsFolder + QLatin1Char('/') + kTranslationPrefix + ToQt(language) +
           kTranslationSuffix;
}

} // namespace

std::vector<std::string> AvailableTranslations() {
    std::vector<std::string> languages;
    const QStringList files =
        QDir(kTranslationsFolder)
            .entryList({kTranslationPrefix + QLatin1Char('*') + kTranslationSuffix}, QDir::Files,
                       QDir::Name);
    for (const QString& file : files) {
        const QString language =
            file.mid(kTranslationPrefix.size(),
                     file.size() - kTranslationPrefix.size() - kTranslationSuffix.size());
        if (!language.isEmpty()) {
            languages.push_back(FromQt(language));
        }
    }
    return languages;
}

QString OwnLanguageName(const std::string& language) {
    const QLocale locale(ToQt(language));
    // Qt names the bare "en" after its default country ("American English").
    if (locale.language() == QLocale::English && language.find('_') == std::string::npos) {
        return QStringLiteral("English");
    }
    QString name = locale.nativeLanguageName();
    if (name.isEmpty() || locale.language() == QLocale::C) {
        return ToQt(language);
    }
    name[0] = name[0].toUpper();
    return name;
}

CInterfaceTranslation::CInterfaceTranslation(const std::string& language) : installed(kDutch) {
    if (language != kDutch && programTranslator.load(TranslationFile(language))) {
        QCoreApplication::installTranslator(&programTranslator);
        installed = language;
    }
    // The standard dialogs (Yes, No, the file dialog) speak the same language.
    if (qtTranslator.load(QLocale(ToQt(installed)), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTranslator);
    }
    if (installed != kDutch) {
        // Eagerly, once: the table hands out views into the texts made here.
        SetWindowTexts([](std::string_view dutch) {
            return FromQt(QCoreApplication::translate("Window", std::string(dutch).c_str()));
        });
    }
    SetInterfaceLanguage(installed);
}

CInterfaceTranslation::~CInterfaceTranslation() {
    SetWindowTexts({});
    SetInterfaceLanguage(kDutch);
    // The translators remove themselves when they go.
}
