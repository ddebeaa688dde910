// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageBoxes.h"
#include "app/MimeTypeNames.h"
#include "app/RenameApp.h"
#include "app/Services.h"
#include "resources/StringTable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets an environment variable for the life of the object.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* name, const std::string& value) : name(name) {
        if (const char* old = std::getenv(name)) {
            saved = old;
            hadValue = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~CScopedEnvironment() {
        if (hadValue) {
            setenv(name, saved.c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

private:
    const char* name;
    std::string saved;
    bool hadValue = false;
};

// Sends standard output to a file while alive and hands back what was written.
class CCapturedOutput {
public:
    explicit CCapturedOutput(const std::string& path) : path(path) {
        std::fflush(stdout);
        saved = dup(STDOUT_FILENO);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDOUT_FILENO);
        close(fd);
    }
    std::string Finish() {
        std::fflush(stdout);
        dup2(saved, STDOUT_FILENO);
        close(saved);
        saved = -1;
        return ReadWholeFile(path);
    }
    ~CCapturedOutput() {
        if (saved >= 0) {
            Finish();
        }
    }

private:
    std::string path;
    int saved = -1;
};

} // namespace

TEST(StringTexts, LoadTextGivesTheTableTextOrNothing) {
    EXPECT_EQ(LoadText(strings::kCaptionProgram), "NorvikRename");
    EXPECT_EQ(LoadText(strings::kInvalidAddress), "Ongeldig adres");
    EXPECT_EQ(LoadText(4), "");
}

TEST(RecordingMessageBoxes, DefaultCaptionsAndAnswers) {
    CRecordingMessageBoxes boxes;
    EXPECT_EQ(boxes.ShowWarning(nullptr, "w", "", boxstyle::kExclamationIcon), boxbutton::kOk);
    EXPECT_EQ(boxes.AskQuestion(nullptr, "q", "", boxstyle::kQuestionYesNo), boxbutton::kYes);
    EXPECT_EQ(boxes.ShowInformation(nullptr, "i", "", boxstyle::kInformationIcon), boxbutton::kOk);
    EXPECT_EQ(boxes.ShowError(nullptr, "e", "Eigen titel", boxstyle::kErrorIcon), boxbutton::kOk);
    const auto& asked = boxes.GetAsked();
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].caption, "Waarschuwing");
    EXPECT_EQ(asked[1].caption, "Vraag");
    EXPECT_EQ(asked[1].style, 36u);
    EXPECT_EQ(asked[2].caption, "Informatie");
    EXPECT_EQ(asked[3].caption, "Eigen titel");
    EXPECT_EQ(asked[3].kind, CRecordingMessageBoxes::Kind::Error);
    EXPECT_EQ(asked[3].text, "e");
}

TEST(RecordingMessageBoxes, QueuedAnswersComeBackInOrder) {
    CRecordingMessageBoxes boxes;
    boxes.PushAnswer(boxbutton::kNo);
    boxes.PushAnswer(boxbutton::kCancel);
    EXPECT_EQ(boxes.AskQuestion(nullptr, "1", "", 36), boxbutton::kNo);
    EXPECT_EQ(boxes.AskQuestion(nullptr, "2", "", 36), boxbutton::kCancel);
    EXPECT_EQ(boxes.AskQuestion(nullptr, "3", "", 36), boxbutton::kYes);
}

TEST(TemporaryFiles, MakeTempFileNameCreatesAnEmptyUniqueFileInTmpdir) {
    CTempFolder folder;
    CScopedEnvironment tmpdir("TMPDIR", folder.Path());
    const std::string first = MakeTempFileName();
    const std::string second = MakeTempFileName();
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind(folder.Path() + "NR", 0), 0u) << first;
    struct stat st;
    ASSERT_EQ(stat(first.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 0);
}

TEST(TemporaryFiles, MissingTmpdirFallsBackToTmp) {
    CScopedEnvironment tmpdir("TMPDIR", "/no/such/folder");
    const std::string name = MakeTempFileName();
    ASSERT_EQ(name.rfind("/tmp/NR", 0), 0u) << name;
    std::remove(name.c_str());
}

TEST(ConsoleOutput, LinesEndInLineFeedsAndTheBannerComesFirst) {
    CTempFolder folder;
    CCapturedOutput capture(folder / "out.txt");
    EXPECT_TRUE(OpenConsole());
    EXPECT_TRUE(WriteConsoleLine("a\r\nb"));
    EXPECT_TRUE(WriteConsoleText("c"));
    EXPECT_EQ(capture.Finish(), "NorvikRename Batch-mode\na\nb\nc");
}

TEST(ConsoleInput, WaitForKeyReturnsAtOnceWithoutATerminal) {
    CTempFolder folder;
    const int savedInput = dup(STDIN_FILENO);
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, STDIN_FILENO);
    close(devNull);
    CCapturedOutput capture(folder / "out.txt");
    WaitForKey("Druk op een toets om te stoppen");
    const std::string written = capture.Finish();
    dup2(savedInput, STDIN_FILENO);
    close(savedInput);
    EXPECT_EQ(written, "Druk op een toets om te stoppen");
}

TEST(SettingsFile, PortableFileBesideTheExecutableWins) {
    CTempFolder folder;
    const std::string executable = folder.WriteFile("bin/norvikrename");
    CScopedEnvironment config("XDG_CONFIG_HOME", folder / "config");
    EXPECT_EQ(CRenameApp::FindSettingsFilePath(executable),
              folder / "config/NorvikRename/norvikrename.ini");
    folder.WriteFile("bin/norvikrename.ini");
    EXPECT_EQ(CRenameApp::FindSettingsFilePath(executable), folder / "bin/norvikrename.ini");
}

TEST(SettingsFile, WithoutXdgConfigHomeTheHomeConfigFolderIsUsed) {
    CTempFolder folder;
    CScopedEnvironment home("HOME", folder.Path() + "home");
    CScopedEnvironment config("XDG_CONFIG_HOME", "");
    EXPECT_EQ(CRenameApp::FindSettingsFilePath(folder / "norvikrename"),
              folder.Path() + "home/.config/NorvikRename/norvikrename.ini");
}

TEST(MimeTypeNames, TypesComeFromTheNameAndFoldersGetTheFolderType) {
    QLocale::setDefault(QLocale(QLocale::English));
    CMimeTypeNames names;
    // The file need not exist: the type is found by name only.
    EXPECT_EQ(names.TypeName("/no/such/photo.JPG", 0x80), "JPEG image");
    EXPECT_EQ(names.TypeName("notes.txt", 0x80), "plain text document");
    EXPECT_EQ(names.TypeName("Holiday.2004", 0x10), "folder");
}
