// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

/// The language of the window: "nl" (the program's own language, Dutch) or the
/// code of a translation ("en"). Batch runs never use it: the console speaks
/// Dutch whatever the environment.
inline constexpr const char* kDutch = "nl";
inline constexpr const char* kEnglish = "en";

/// The locale variables that decide a program's language, as the environment
/// holds them (an unset variable is empty).
struct CLocaleEnvironment {
    std::string lcAll;      ///< LC_ALL
    std::string lcMessages; ///< LC_MESSAGES
    std::string lang;       ///< LANG
    std::string language;   ///< LANGUAGE: a ':'-separated list of preferences
};

/// The locale variables of this process.
CLocaleEnvironment ReadLocaleEnvironment();

/// The language the environment asks for, among Dutch and the available
/// translations, the way gettext picks one: the first of LC_ALL, LC_MESSAGES,
/// LANG that is set decides; when it is unset or the C/POSIX locale, the window
/// stays Dutch and LANGUAGE is not read. Otherwise each entry of LANGUAGE and
/// then that value is tried in turn, without its ".codeset" and "@modifier":
/// "nl" gives Dutch, a language with a translation gives that language. When
/// none matches, English.
std::string ChooseLanguageFromEnvironment(const CLocaleEnvironment& environment,
                                          std::span<const std::string> available);

/// The language for the Language setting: "nl" is Dutch, an available
/// translation is itself; anything else (empty, unknown) follows the
/// environment.
std::string ChooseInterfaceLanguage(const std::string& setting,
                                    const CLocaleEnvironment& environment,
                                    std::span<const std::string> available);

/// The language the running window speaks: "nl" until the window sets it.
const std::string& GetInterfaceLanguage();
void SetInterfaceLanguage(const std::string& language);
