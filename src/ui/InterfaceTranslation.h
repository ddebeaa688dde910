// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTranslator>

#include <string>
#include <vector>

/// The languages the window can speak besides Dutch: one per compiled
/// translation :/i18n/norvikrename_<language>.qm, ascending ("en").
std::vector<std::string> AvailableTranslations();

/// A language's name in that language, as a language menu lists it ("English").
QString OwnLanguageName(const std::string& language);

/// The window's language, installed while this object lives: Qt's own texts
/// (qtbase_<language>, when Qt has them) and, for a language other than Dutch,
/// the program's translation, which also gives the string table its window
/// texts (SetWindowTexts) and sets GetInterfaceLanguage. A language without a
/// translation leaves the window Dutch. Build it after the QApplication and
/// before the first window; it puts everything back when it goes.
class CInterfaceTranslation {
public:
    explicit CInterfaceTranslation(const std::string& language);
    ~CInterfaceTranslation();
    CInterfaceTranslation(const CInterfaceTranslation&) = delete;
    CInterfaceTranslation& operator=(const CInterfaceTranslation&) = delete;

    /// The language the window speaks now: language, or "nl" when it had no
    /// translation.
    const std::string& GetLanguage() const { return installed; }

private:
    QTranslator qtTranslator;
    QTranslator programTranslator;
    std::string installed;
};
