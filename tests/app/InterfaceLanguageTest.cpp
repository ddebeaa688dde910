// SPDX-License-Identifier: GPL-3.0-or-later
// Which language the window speaks: chosen from the locale variables the way
// gettext reads them, or fixed by the Language setting.
#include "app/InterfaceLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kEnglishOnly = {"en"};

std::string FromEnvironment(const CLocaleEnvironment& environment,
                            const std::vector<std::string>& available = kEnglishOnly) {
    return ChooseLanguageFromEnvironment(environment, available);
}

CLocaleEnvironment Lang(const std::string& lang, const std::string& language = {}) {
    return CLocaleEnvironment{{}, {}, lang, language};
}

} // namespace

TEST(InterfaceLanguageEnvironment, NoLocaleOrTheCLocaleStaysDutch) {
    EXPECT_EQ(FromEnvironment({}), "nl");
    EXPECT_EQ(FromEnvironment(Lang("C")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("POSIX")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("C.UTF-8")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("C.utf8")), "nl");
}

TEST(InterfaceLanguageEnvironment, LanguageListIsIgnoredInTheCLocale) {
    EXPECT_EQ(FromEnvironment(Lang("", "en")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("C.UTF-8", "en:nl")), "nl");
    EXPECT_EQ(FromEnvironment(CLocaleEnvironment{"C.UTF-8", {}, "en_US.UTF-8", "en"}), "nl");
}

TEST(InterfaceLanguageEnvironment, FirstSetVariableDecides) {
    EXPECT_EQ(FromEnvironment(CLocaleEnvironment{"nl_NL.UTF-8", "en_GB", "en_US", {}}), "nl");
    EXPECT_EQ(FromEnvironment(CLocaleEnvironment{"en_GB.UTF-8", "nl_NL", "nl_BE", {}}), "en");
    EXPECT_EQ(FromEnvironment(CLocaleEnvironment{{}, "nl_BE.UTF-8", "en_US", {}}), "nl");
    EXPECT_EQ(FromEnvironment(CLocaleEnvironment{{}, "C", "en_US.UTF-8", {}}), "nl");
    EXPECT_EQ(FromEnvironment(CLocaleEnvironment{{}, {}, "en_US.UTF-8", {}}), "en");
}

TEST(InterfaceLanguageEnvironment, CodesetAndModifierAreIgnored) {
    EXPECT_EQ(FromEnvironment(Lang("nl_NL@euro")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("nl_BE.ISO-8859-15@euro")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("nl")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("en.UTF-8")), "en");
}

TEST(InterfaceLanguageEnvironment, LanguageWithoutATranslationGivesEnglish) {
    EXPECT_EQ(FromEnvironment(Lang("de_DE.UTF-8")), "en");
    EXPECT_EQ(FromEnvironment(Lang("fr_FR.UTF-8", "fr:de")), "en");
    EXPECT_EQ(FromEnvironment(Lang("en_US.UTF-8"), {}), "en");
}

TEST(InterfaceLanguageEnvironment, LanguageListIsWalkedInOrder) {
    EXPECT_EQ(FromEnvironment(Lang("en_US.UTF-8", "nl")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("nl_NL.UTF-8", "en")), "en");
    EXPECT_EQ(FromEnvironment(Lang("en_US.UTF-8", "fr:nl_BE:en")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("nl_NL.UTF-8", "fr:de_AT")), "nl");
    EXPECT_EQ(FromEnvironment(Lang("de_DE.UTF-8", "fr::en_GB")), "en");
}

TEST(InterfaceLanguageEnvironment, EveryAvailableTranslationCanBeChosen) {
    const std::vector<std::string> available = {"de", "en", "pt_BR"};
    EXPECT_EQ(FromEnvironment(Lang("de_AT.UTF-8"), available), "de");
    EXPECT_EQ(FromEnvironment(Lang("en_US.UTF-8", "fr:de"), available), "de");
    EXPECT_EQ(FromEnvironment(Lang("pt_BR.UTF-8"), available), "pt_BR");
    EXPECT_EQ(FromEnvironment(Lang("pt_PT.UTF-8"), available), "en");
    EXPECT_EQ(FromEnvironment(Lang("fr_FR.UTF-8"), available), "en");
}

TEST(InterfaceLanguageSetting, FixedLanguageWinsOverTheEnvironment) {
    EXPECT_EQ(ChooseInterfaceLanguage("nl", Lang("en_US.UTF-8", "en"), kEnglishOnly), "nl");
    EXPECT_EQ(ChooseInterfaceLanguage("en", Lang("C.UTF-8"), kEnglishOnly), "en");
    EXPECT_EQ(ChooseInterfaceLanguage("en", Lang("nl_NL.UTF-8"), kEnglishOnly), "en");
}

TEST(InterfaceLanguageSetting, EmptyOrUnknownFollowsTheEnvironment) {
    EXPECT_EQ(ChooseInterfaceLanguage("", Lang("en_US.UTF-8"), kEnglishOnly), "en");
    EXPECT_EQ(ChooseInterfaceLanguage("", Lang("C.UTF-8"), kEnglishOnly), "nl");
    EXPECT_EQ(ChooseInterfaceLanguage("fr", Lang("nl_NL.UTF-8"), kEnglishOnly), "nl");
    EXPECT_EQ(ChooseInterfaceLanguage("en", Lang("nl_NL.UTF-8"), {}), "nl");
}

/// Sets the locale variables for one test and puts back what was there.
class InterfaceLanguageProcess : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved.emplace_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < saved.size(); ++i) {
            if (saved[i]) {
                setenv(kNames[i], saved[i]->c_str(), 1);
            } else {
                unsetenv(kNames[i]);
            }
        }
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
    std::vector<std::optional<std::string>> saved;
};

TEST_F(InterfaceLanguageProcess, ReadsTheProcessVariables) {
    ASSERT_EQ(setenv("LC_ALL", "de_DE.UTF-8", 1), 0);
    ASSERT_EQ(setenv("LANGUAGE", "fr:en", 1), 0);
    ASSERT_EQ(unsetenv("LC_MESSAGES"), 0);
    ASSERT_EQ(setenv("LANG", "", 1), 0);
    const CLocaleEnvironment environment = ReadLocaleEnvironment();
    EXPECT_EQ(environment.lcAll, "de_DE.UTF-8");
    EXPECT_EQ(environment.lcMessages, "");
    EXPECT_EQ(environment.lang, "");
    EXPECT_EQ(environment.language, "fr:en");
}

TEST(InterfaceLanguageInstalled, DutchUntilTheWindowSetsIt) {
    EXPECT_EQ(GetInterfaceLanguage(), "nl");
    SetInterfaceLanguage("en");
    EXPECT_EQ(GetInterfaceLanguage(), "en");
    SetInterfaceLanguage("nl");
}
