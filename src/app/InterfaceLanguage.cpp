// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InterfaceLanguage.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

/// "en_US.UTF-8@euro" → "en_US".
std::string_view WithoutCodesetAndModifier(std::string_view locale) {
    return locale.substr(0, locale.find_first_of(".@"));
}

bool IsPlainLocale(std::string_view locale) {
    const std::string_view name = WithoutCodesetAndModifier(locale);
    return name.empty() || name == "C" || name == "POSIX";
}

bool IsAvailable(std::string_view language, std::span<const std::string> available) {
    return std::find(available.begin(), available.end(), language) != available.end();
}

/// The language of one locale name that we can speak, or empty: a
/// translation for the whole name ("pt_BR") before one for its language.
std::string Match(std::string_view locale, std::span<const std::string> available) {
    const std::string_view name = WithoutCodesetAndModifier(locale);
    const std::string_view language = name.substr(0, name.find('_'));
    if (language == kDutch) {
        return kDutch;
    }
    if (!language.empty() && IsAvailable(name, available)) {
        return std::string(name);
    }
    if (!language.empty() && IsAvailable(language, available)) {
        return std::string(language);
    }
    return {};
}

std::string& InstalledLanguage() {
    static std::string language = kDutch;
    return language;
}

} // namespace

CLocaleEnvironment ReadLocaleEnvironment() {
    return CLocaleEnvironment{Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"),
                              Variable("LANGUAGE")};
}

std::string ChooseLanguageFromEnvironment(const CLocaleEnvironment& environment,
                                          std::span<const std::string> available) {
    std::string_view effective = environment.lcAll;
    if (effective.empty()) {
        effective = environment.lcMessages;
    }
    if (effective.empty()) {
        effective = environment.lang;
    }
    // A program in the C locale stays in its own language, as gettext
    // ignores LANGUAGE there.
    if (IsPlainLocale(effective)) {
        return kDutch;
    }
    std::string_view list = environment.language;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string found = Match(list.substr(0, colon), available);
        if (!found.empty()) {
            return found;
        }
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    const std::string found = Match(effective, available);
    return found.empty() ? std::string(kEnglish) : found;
}

std::string ChooseInterfaceLanguage(const std::string& setting,
                                    const CLocaleEnvironment& environment,
                                    std::span<const std::string> available) {
    if (setting == kDutch) {
        return kDutch;
    }
    if (!setting.empty() && IsAvailable(setting, available)) {
        return setting;
    }
    return ChooseLanguageFromEnvironment(environment, available);
}

const std::string& GetInterfaceLanguage() {
    return InstalledLanguage();
}

void SetInterfaceLanguage(const std::string& language) {
    InstalledLanguage() = language;
}
