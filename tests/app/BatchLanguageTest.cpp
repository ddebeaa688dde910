// SPDX-License-Identifier: GPL-3.0-or-later
// A batch run speaks Dutch whatever the environment's language and the
// window's Language setting: the real executable prints the same bytes and
// writes the same undo script under an English locale as under the C locale.

#include "support/ChildEnvironment.h"
#include "support/CrLf.h"
#include "support/InsertBeforeOptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CBatchOutcome {
    int status = -1;
    std::string output;
    std::string errors;
    std::string undoScript;
    std::set<std::string> names;

    bool operator==(const CBatchOutcome&) const = default;
};

void PrintTo(const CBatchOutcome& outcome, std::ostream* out) {
    *out << "status " << outcome.status << ", output:\n"
         << outcome.output << "errors:\n"
         << outcome.errors << "undo script:\n"
         << outcome.undoScript;
}

/// The locale variables of a run; every other one is removed.
using CLocale = std::map<std::string, std::string>;

const CLocale kCLocale = {{"LANG", "C"}};
const CLocale kEnglish = {{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "en"}};

/// The same folders for every run, so that the paths on the console and in
/// the undo script are the same too.
class BatchLanguageTest : public ::testing::Test {
protected:
    CTempFolder place;

    std::string Files() const { return place / "files"; }
    std::string Undo() const { return place / "undo.sh"; }

    /// Runs the program with the arguments in a fresh copy of the files, with
    /// a settings file that holds settingsText, under the locale variables.
    CBatchOutcome Run(const std::vector<std::string>& arguments, const CLocale& locale,
                      const std::string& settingsText) const {
        fs::remove_all(Files());
        fs::remove_all(place / "config");
        fs::remove(Undo());
        place.WriteFile("files/a.jpg", "A");
        place.WriteFile("files/b.jpg", "B");
        place.WriteFile("files/x_a.jpg", "already here");
        place.WriteFile("files/c.txt", "C");
        place.WriteFile("config/NorvikRename/norvikrename.ini", settingsText);
        place.MakeFolder("home");
        place.MakeFolder("tmp");

        std::map<std::string, std::string> overrides = {{"XDG_CONFIG_HOME", place / "config"},
                                                        {"HOME", place / "home"},
                                                        {"TMPDIR", place / "tmp"}};
        std::vector<std::string> environment;
        for (const std::string& text : EnvironmentWith(overrides)) {
            const std::string name = text.substr(0, text.find('='));
            if (name != "LC_ALL" && name != "LANG" && name != "LANGUAGE" &&
                name.rfind("LC_", 0) != 0) {
                environment.push_back(text);
            }
        }
        for (const auto& [name, value] : locale) {
            environment.push_back(name + "=" + value);
        }
        std::vector<std::string> argumentTexts{NR_EXECUTABLE_PATH};
        argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());

        const std::string outputPath = place / "output";
        const std::string errorsPath = place / "errors";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const std::vector<char*> argv = ExecArray(argumentTexts);
        const std::vector<char*> envp = ExecArray(environment);
        pid_t child = -1;
        const int spawned =
            posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        CBatchOutcome outcome;
        EXPECT_EQ(spawned, 0);
        int status = 0;
        if (spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
            outcome.status = WEXITSTATUS(status);
        }
        outcome.output = ReadWholeFile(outputPath);
        outcome.errors = ReadWholeFile(errorsPath);
        outcome.undoScript = fs::exists(Undo()) ? ReadWholeFile(Undo()) : "(none)";
        for (const auto& entry : fs::directory_iterator(Files())) {
            outcome.names.insert(entry.path().filename().string());
        }
        return outcome;
    }

    /// The run under the C locale without a Language setting, and under an
    /// English locale with the window set to English.
    void ExpectSameInEnglish(const std::vector<std::string>& arguments,
                             const std::string& dutchLine) const {
        const CBatchOutcome dutch = Run(arguments, kCLocale, "");
        const CBatchOutcome english = Run(arguments, kEnglish, CrLf({"[Others]", "Language=en"}));
        EXPECT_EQ(english, dutch);
        EXPECT_NE(dutch.output.find(dutchLine), std::string::npos) << dutch.output;
    }
};

} // namespace

TEST_F(BatchLanguageTest, RenameWithAFailedMoveAndItsUndoScript) {
    const std::string rules = place.WriteFile("rules.ini", InsertBeforeOptions());
    ExpectSameInEnglish(
        {"RENAME=1", "PATH=" + Files(), "NRFILE=" + rules, "UNDOFILE=" + Undo(), "PAUSE=0"},
        "Hernoeming fout:\n  van [");
    const CBatchOutcome english =
        Run({"RENAME=1", "PATH=" + Files(), "NRFILE=" + rules, "UNDOFILE=" + Undo(), "PAUSE=0"},
            kEnglish, "");
    EXPECT_EQ(english.status, 1);
    EXPECT_NE(english.output.find("Het herstel batchbestand [" + Undo() + "] is gemaakt\n"),
              std::string::npos);
    EXPECT_NE(english.undoScript, "(none)");
    EXPECT_EQ(english.names, (std::set<std::string>{"a.jpg", "x_b.jpg", "x_c.txt", "x_x_a.jpg"}));
}

TEST_F(BatchLanguageTest, NothingToRename) {
    const std::string rules = place.WriteFile(
        "rules.ini", CrLf({"[Filename]", "ReplaceText=1", "ReplaceTextValue=\"zzz\"",
                           "ReplaceTextWithValue=\"y\""}));
    ExpectSameInEnglish(
        {"RENAME=1", "PATH=" + Files(), "NRFILE=" + rules, "UNDOFILE=" + Undo(), "PAUSE=0"},
        "Er zijn geen bestanden met de huidige opties te hernoemen.\n");
}

TEST_F(BatchLanguageTest, OptionsFileThatCannotBeRead) {
    ExpectSameInEnglish({"RENAME=1", "PATH=" + Files(), "NRFILE=" + place / "missing.ini",
                         "UNDOFILE=" + Undo(), "PAUSE=0"},
                        "Kan het optiebestand [");
}

TEST_F(BatchLanguageTest, BrokenTagInANewName) {
    const std::string rules = place.WriteFile("rules.ini", InsertBeforeOptions("<x_"));
    ExpectSameInEnglish({"RENAME=1", "PATH=" + Files(), "NRFILE=" + rules, "FILTER=c.txt",
                         "UNDOFILE=" + Undo(), "PAUSE=0"},
                        "ONJUIST COMMANDO_c.txt]");
}
