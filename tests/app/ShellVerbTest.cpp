// SPDX-License-Identifier: GPL-3.0-or-later
// The folder verb: real files in a temporary data folder, the files read
// back as a desktop reads them, and, where the tools are installed, checked
// by desktop-file-validate and started by GLib's launcher.

#include "app/ShellVerb.h"
#include "app/CommandLineKeywords.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The value of key in group of a desktop file, with the value's string
/// escapes (\s \n \t \r \\) resolved; empty when missing.
std::string ReadKey(const std::string& path, const std::string& group, const std::string& key) {
    std::istringstream in(ReadFile(path));
    std::string line;
    std::string current;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[') {
            current = line.substr(1, line.size() - 2);
        } else if (current == group && line.rfind(key + "=", 0) == 0) {
            const std::string raw = line.substr(key.size() + 1);
            std::string value;
            for (std::size_t i = 0; i < raw.size(); ++i) {
                if (raw[i] == '\\' && i + 1 < raw.size()) {
                    const char next = raw[++i];
                    value += next == 's'   ? ' '
                             : next == 'n' ? '\n'
                             : next == 't' ? '\t'
                             : next == 'r' ? '\r'
                                           : next;
                } else {
                    value += raw[i];
                }
            }
            return value;
        }
    }
    return {};
}

/// Splits an Exec value (string escapes already resolved) into arguments
/// the way the desktop entry rules say, putting folder in place of %f.
std::vector<std::string> SplitExec(const std::string& exec, const std::string& folder) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (c == '"') {
            inArgument = true;
            for (++i; i < exec.size() && exec[i] != '"'; ++i) {
                if (exec[i] == '\\' && i + 1 < exec.size()) {
                    ++i;
                }
                current += exec[i] == '%' && i + 1 < exec.size() && exec[i + 1] == '%' ? exec[i++]
                                                                                       : exec[i];
            }
        } else if (c == ' ') {
            if (inArgument) {
                arguments.push_back(current);
            }
            current.clear();
            inArgument = false;
        } else if (c == '%' && i + 1 < exec.size()) {
            const char code = exec[++i];
            current += code == 'f' ? folder : code == '%' ? std::string("%") : std::string();
            inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) {
        arguments.push_back(current);
    }
    return arguments;
}

bool IsExecutable(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR) != 0 &&
           (info.st_mode & S_IXOTH) != 0;
}

ino_t Inode(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

bool HasProgram(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

struct CCommandResult {
    int status = -1;
    std::string output;
};

CCommandResult RunCommand(const std::string& command) {
    CCommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    std::size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, count);
    }
    result.status = pclose(pipe);
    return result;
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

/// Sets an environment variable for one test and puts the old value back.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* nameIn, const std::string& value) : name(nameIn) {
        const char* old = std::getenv(name);
        hadValue = old != nullptr;
        if (hadValue) {
            oldValue = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~CScopedEnvironment() {
        if (hadValue) {
            setenv(name, oldValue.c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    const char* name;
    bool hadValue = false;
    std::string oldValue;
};

class ShellVerbTest : public ::testing::Test {
protected:
    CTempFolder temp;
    std::string dataHome = temp / "data";
    CScopedEnvironment environment{"XDG_DATA_HOME", dataHome};
    std::string program = "/usr/local/bin/norvikrename";

    std::string EntryPath() const { return dataHome + "/applications/norvikrename-here.desktop"; }
    std::string MenuPath() const {
        return dataHome + "/kio/servicemenus/norvikrename-here.desktop";
    }
    std::string EntryExec() const { return ReadKey(EntryPath(), "Desktop Entry", "Exec"); }
    std::string MenuExec() const {
        return ReadKey(MenuPath(), "Desktop Action NorvikRenameHere", "Exec");
    }
};

TEST_F(ShellVerbTest, FilesLieInTheDataFolderOfTheEnvironment) {
    const CShellVerb verb(program);
    EXPECT_EQ(verb.GetDesktopEntryPath(), EntryPath());
    EXPECT_EQ(verb.GetServiceMenuPath(), MenuPath());
}

TEST_F(ShellVerbTest, RelativeOrMissingDataFolderMeansTheHomeDefault) {
    const CScopedEnvironment home("HOME", temp / "home");
    {
        const CScopedEnvironment relative("XDG_DATA_HOME", "relative/data");
        EXPECT_EQ(CShellVerb::FindDataHome(), temp / "home/.local/share");
    }
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(CShellVerb::FindDataHome(), temp / "home/.local/share");
    const CScopedEnvironment trailing("XDG_DATA_HOME", dataHome + "/");
    EXPECT_EQ(CShellVerb(program).GetServiceMenuPath(), MenuPath());
}

TEST_F(ShellVerbTest, InstallWritesBothFilesAndTheVerbIsPresent) {
    const CShellVerb verb(program);
    EXPECT_FALSE(verb.IsPresent());
    ASSERT_TRUE(verb.Install(true));
    EXPECT_TRUE(verb.IsPresent());

    EXPECT_EQ(ReadKey(EntryPath(), "Desktop Entry", "Type"), "Application");
    EXPECT_EQ(ReadKey(EntryPath(), "Desktop Entry", "Name"), "Norvik Rename vanaf hier");
    EXPECT_EQ(ReadKey(EntryPath(), "Desktop Entry", "MimeType"), "inode/directory;");
    EXPECT_EQ(ReadKey(EntryPath(), "Desktop Entry", "NoDisplay"), "true");
    EXPECT_EQ(EntryExec(), "\"/usr/local/bin/norvikrename\" PATH=%f");

    EXPECT_EQ(ReadKey(MenuPath(), "Desktop Entry", "Type"), "Application");
    EXPECT_EQ(ReadKey(MenuPath(), "Desktop Entry", "X-KDE-ServiceTypes"), "KonqPopupMenu/Plugin");
    EXPECT_EQ(ReadKey(MenuPath(), "Desktop Entry", "MimeType"), "inode/directory;");
    EXPECT_EQ(ReadKey(MenuPath(), "Desktop Entry", "Actions"), "NorvikRenameHere;");
    EXPECT_EQ(ReadKey(MenuPath(), "Desktop Action NorvikRenameHere", "Name"),
              "Norvik Rename vanaf hier");
    EXPECT_EQ(MenuExec(), EntryExec());
    EXPECT_TRUE(IsExecutable(MenuPath()));
}

TEST_F(ShellVerbTest, InstallOffRemovesBothFiles) {
    const CShellVerb verb(program);
    ASSERT_TRUE(verb.Install(true));
    EXPECT_TRUE(verb.Install(false));
    EXPECT_FALSE(verb.IsPresent());
    EXPECT_FALSE(fs::exists(EntryPath()));
    EXPECT_FALSE(fs::exists(MenuPath()));
    // Removing what is not there succeeds.
    EXPECT_TRUE(verb.Install(false));
}

TEST_F(ShellVerbTest, InstallReplacesFilesOfAnotherProgram) {
    ASSERT_TRUE(CShellVerb("/old/place/norvikrename").Install(true));
    ASSERT_TRUE(CShellVerb(program).Install(true));
    EXPECT_EQ(EntryExec(), "\"/usr/local/bin/norvikrename\" PATH=%f");
    EXPECT_EQ(MenuExec(), EntryExec());
}

TEST_F(ShellVerbTest, OneFileMissingMeansNotPresentAndNoRefresh) {
    const CShellVerb verb("/old/place/norvikrename");
    ASSERT_TRUE(verb.Install(true));
    fs::remove(MenuPath());
    EXPECT_FALSE(verb.IsPresent());
    CShellVerb(program).RefreshIfPresent();
    EXPECT_FALSE(fs::exists(MenuPath()));
    EXPECT_EQ(EntryExec(), "\"/old/place/norvikrename\" PATH=%f");

    ASSERT_TRUE(verb.Install(true));
    fs::remove(EntryPath());
    EXPECT_FALSE(verb.IsPresent());
    CShellVerb(program).RefreshIfPresent();
    EXPECT_FALSE(fs::exists(EntryPath()));
    EXPECT_EQ(MenuExec(), "\"/old/place/norvikrename\" PATH=%f");
}

TEST_F(ShellVerbTest, RefreshWhenAbsentWritesNothing) {
    CShellVerb(program).RefreshIfPresent();
    EXPECT_FALSE(fs::exists(dataHome));
}

TEST_F(ShellVerbTest, RefreshRewritesThePathOfAMovedProgram) {
    ASSERT_TRUE(CShellVerb("/old/place/norvikrename").Install(true));
    const CShellVerb moved(program);
    moved.RefreshIfPresent();
    EXPECT_TRUE(moved.IsPresent());
    EXPECT_EQ(EntryExec(), "\"/usr/local/bin/norvikrename\" PATH=%f");
    EXPECT_EQ(MenuExec(), EntryExec());
    EXPECT_TRUE(IsExecutable(MenuPath()));
}

TEST_F(ShellVerbTest, RefreshLeavesCurrentFilesAloneButMendsTheRunBit) {
    const CShellVerb verb(program);
    ASSERT_TRUE(verb.Install(true));
    const ino_t entry = Inode(EntryPath());
    const ino_t menu = Inode(MenuPath());
    verb.RefreshIfPresent();
    EXPECT_EQ(Inode(EntryPath()), entry);
    EXPECT_EQ(Inode(MenuPath()), menu);

    fs::permissions(MenuPath(), fs::perms::owner_read | fs::perms::owner_write);
    verb.RefreshIfPresent();
    EXPECT_TRUE(IsExecutable(MenuPath()));
}

TEST_F(ShellVerbTest, ExecLineQuotesAndEscapesThePath) {
    EXPECT_EQ(CShellVerb::MakeExecLine("/opt/my apps/norvikrename"),
              "\"/opt/my apps/norvikrename\" PATH=%f");
    // Inside the quotes '"', '`', '$' and '\' take a backslash, which the
    // value's own escaping doubles; '%' is doubled.
    EXPECT_EQ(CShellVerb::MakeExecLine("/a\"b`c$d\\e%f"),
              "\"/a\\\\\"b\\\\`c\\\\$d\\\\\\\\e%%f\" PATH=%f");
    EXPECT_EQ(CShellVerb::MakeExecLine("/opt/Foto's/nr"), "\"/opt/Foto's/nr\" PATH=%f");
    EXPECT_EQ(CShellVerb::MakeExecLine("/opt/zoë/nr"), "\"/opt/zoë/nr\" PATH=%f");
}

TEST_F(ShellVerbTest, AProgramPathTheEntryCannotHoldInstallsNothing) {
    for (const std::string& bad : {std::string("norvikrename"), std::string("/opt/a\nb/nr"),
                                   std::string("/opt/\xff/nr"), std::string()}) {
        const CShellVerb verb(bad);
        ASSERT_TRUE(CShellVerb(program).Install(true));
        EXPECT_FALSE(verb.Install(true)) << bad;
        EXPECT_FALSE(fs::exists(EntryPath())) << bad;
        EXPECT_FALSE(fs::exists(MenuPath())) << bad;
    }
}

TEST_F(ShellVerbTest, AFailedWriteLeavesNoVerbBehind) {
    // A file where the service menu folder belongs: the entry is written,
    // the menu cannot be, and the entry goes again.
    fs::create_directories(dataHome + "/kio");
    std::ofstream(dataHome + "/kio/servicemenus") << "in the way";
    const CShellVerb verb(program);
    EXPECT_FALSE(verb.Install(true));
    EXPECT_FALSE(fs::exists(EntryPath()));
    EXPECT_FALSE(verb.IsPresent());
}

TEST_F(ShellVerbTest, APathWithBlanksComesBackAsOneArgument) {
    const std::string odd = temp / "my apps/$HOME `x` \"nr\" 100%/norvik rename";
    ASSERT_TRUE(CShellVerb(odd).Install(true));
    const std::string folder = "/home/ann/Foto's 2024";
    for (const std::string& exec : {EntryExec(), MenuExec()}) {
        const std::vector<std::string> arguments = SplitExec(exec, folder);
        ASSERT_EQ(arguments.size(), 2u) << exec;
        EXPECT_EQ(arguments[0], odd);
        EXPECT_EQ(arguments[1], "PATH=" + folder);
        // What main makes of the arguments gives the folder back whole.
        CCommandLineKeywords keywords;
        keywords.Parse(CCommandLineKeywords::JoinArguments({arguments[1]}));
        EXPECT_EQ(keywords.GetPath(), folder);
    }
}

TEST_F(ShellVerbTest, DesktopFileValidatorAcceptsTheFiles) {
    if (!HasProgram("desktop-file-validate")) {
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    const std::string odd = temp / "my apps/$x `y` \"nr\" 100%\\/norvik rename";
    for (const std::string& path : {program, odd}) {
        ASSERT_TRUE(CShellVerb(path).Install(true));
        const CCommandResult entry = RunCommand("desktop-file-validate " + Quote(EntryPath()));
        EXPECT_EQ(entry.status, 0) << entry.output;
        EXPECT_EQ(entry.output, "");
        const CCommandResult menu = RunCommand("desktop-file-validate " + Quote(MenuPath()));
        EXPECT_EQ(menu.status, 0) << menu.output;
        EXPECT_EQ(menu.output, "");
    }
}

TEST_F(ShellVerbTest, GLibLauncherPassesTheFolderAsOneArgument) {
    if (!HasProgram("gio")) {
        GTEST_SKIP() << "gio (libglib2.0-bin) is not installed";
    }
    // A stand-in program in a folder with blanks and shell characters that
    // writes its arguments, one per line, and then renames its file into
    // place so that the test never reads half of it.
    const std::string record = temp / "arguments.txt";
    const std::string standIn = temp / "bin dir $x `y`/norvik \"rename\"";
    fs::create_directories(fs::path(standIn).parent_path());
    std::ofstream(standIn) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                           << Quote(record + ".part") << "\nmv " << Quote(record + ".part") << " "
                           << Quote(record) << "\n";
    fs::permissions(standIn, fs::perms::owner_all);
    const std::string folder = temp / "Foto's van 2024";
    fs::create_directories(folder);

    ASSERT_TRUE(CShellVerb(standIn).Install(true));
    const CCommandResult launch =
        RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY gio launch " + Quote(EntryPath()) + " " +
                   Quote(folder) + " </dev/null");
    ASSERT_EQ(launch.status, 0) << launch.output;
    // The launcher does not wait for the program.
    for (int i = 0; i < 200 && !fs::exists(record); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(ReadFile(record), "PATH=" + folder + "\n");
}

} // namespace
