// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real executable in batch mode on fresh temporary folders and
// checks the file system, the exact console lines and the exit status.
// Every run gets its own XDG_CONFIG_HOME, HOME and TMPDIR, so the user's
// settings are never read or touched.

#include "support/ChildEnvironment.h"
#include "support/CrLf.h"
#include "support/DefaultSettingsFile.h"
#include "support/FileSizeLimit.h"
#include "support/FoldingMount.h"
#include "support/InsertBeforeOptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <poll.h>
#include <set>
#include <signal.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kBanner = "NorvikRename Batch-mode\n\n";
constexpr const char* kPrompt = "Druk op een toets om te stoppen";
constexpr const char* kNothingToRename =
    "Er zijn geen bestanden met de huidige opties te hernoemen.\n";
// A run that has not ended by then hangs; it is killed so that the suite
// goes on, and the test fails on it.
constexpr auto kHangLimit = std::chrono::seconds(60);

/// "(#17) File exists" and the like, as the program reports a failed move.
std::string SystemError(int code) {
    return "(#" + std::to_string(code) + ") " + std::strerror(code);
}

/// The console lines of a move that succeeded and of one that failed.
std::string Moved(const std::string& path, const std::string& newName) {
    return "OK: [" + path + "] -> [" + newName + "]\n";
}
std::string NotMoved(const std::string& path, const std::string& newName) {
    return "ERR: [" + path + "] -> [" + newName + "]\n";
}

/// The lines that report a failed move at the end of a run.
std::string MoveFailure(const std::string& from, const std::string& to, int code) {
    return "Hernoeming fout:\n  van [" + from + "]\n  naar [" + to + "]\n  Fout: [" +
           SystemError(code) + "]\n";
}

/// The names in a folder (not recursive), sorted.
std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (IsFuseHiddenName(entry.path().filename().string())) {
            continue;
        }
        names.insert(entry.path().filename().string());
    }
    return names;
}

/// How a child is started: its environment folders, its working folder and
/// where its standard input comes from.
struct CRunSetup {
    std::string configHome;
    std::string homeFolder;
    std::string tempFolder;
    std::string workingFolder;
    /// Standard input from a new pseudo terminal instead of /dev/null.
    bool terminalInput = false;
};

struct CRunOutcome {
    bool hung = false;
    int status = -1; ///< the exit status; -1 when the child did not exit normally
    std::string output;
    std::string errors;
};

/// One running child: standard output and standard error through pipes,
/// standard input from /dev/null or from a pseudo terminal that the test
/// types into.
class CChildRun {
public:
    CChildRun(const std::string& program, const std::vector<std::string>& arguments,
              const CRunSetup& setup)
        : deadline(std::chrono::steady_clock::now() + kHangLimit) {
        std::vector<std::string> argumentTexts{program};
        argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
        std::vector<std::string> environmentTexts =
            EnvironmentWith({{"XDG_CONFIG_HOME", setup.configHome},
                             {"HOME", setup.homeFolder},
                             {"TMPDIR", setup.tempFolder}});
        const std::vector<char*> argv = ExecArray(argumentTexts);
        const std::vector<char*> envp = ExecArray(environmentTexts);

        std::string terminalName;
        if (setup.terminalInput) {
            terminalFd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
            if (terminalFd < 0 || grantpt(terminalFd) != 0 || unlockpt(terminalFd) != 0) {
                return;
            }
            terminalName = ptsname(terminalFd);
        }
        int outPipe[2];
        int errPipe[2];
        if (pipe2(outPipe, O_CLOEXEC) != 0) {
            return;
        }
        if (pipe2(errPipe, O_CLOEXEC) != 0) {
            close(outPipe[0]);
            close(outPipe[1]);
            return;
        }
        const char* inputName = setup.terminalInput ? terminalName.c_str() : "/dev/null";
        const char* folder = setup.workingFolder.empty() ? nullptr : setup.workingFolder.c_str();
        pid = fork();
        if (pid == 0) {
            // Only async-signal-safe calls from here on.
            if (setup.terminalInput) {
                setsid(); // the terminal becomes the child's controlling one
            }
            const int input = open(inputName, O_RDWR);
            if (input < 0 || dup2(input, STDIN_FILENO) < 0 || dup2(outPipe[1], STDOUT_FILENO) < 0 ||
                dup2(errPipe[1], STDERR_FILENO) < 0) {
                _exit(126);
            }
            if (folder != nullptr && chdir(folder) != 0) {
                _exit(126);
            }
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        close(outPipe[1]);
        close(errPipe[1]);
        outFd = outPipe[0];
        errFd = errPipe[0];
        if (pid < 0) {
            CloseFd(outFd);
            CloseFd(errFd);
        }
    }

    ~CChildRun() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        CloseFd(outFd);
        CloseFd(errFd);
        CloseFd(terminalFd);
    }
    CChildRun(const CChildRun&) = delete;
    CChildRun& operator=(const CChildRun&) = delete;

    bool Started() const { return pid > 0; }

    /// Reads standard output until it holds text; false when the output
    /// ended without it or the child hangs.
    bool ReadOutputUntil(const std::string& text) {
        while (outcome.output.find(text) == std::string::npos) {
            if (outFd < 0 || !ReadSome()) {
                return outcome.output.find(text) != std::string::npos;
            }
        }
        return true;
    }

    /// Waits until the child sits in a read of its standard input (the
    /// kernel shows the call it is blocked in), so that a key typed now
    /// reaches that read.
    bool WaitUntilReadingInput() {
        const std::string blockedInRead = std::to_string(SYS_read) + " 0x0 ";
        const std::string path = "/proc/" + std::to_string(pid) + "/syscall";
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream in(path);
            std::string line;
            std::getline(in, line);
            if (line.rfind(blockedInRead, 0) == 0) {
                return true;
            }
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                // It ended instead of waiting; keep its status for Finish.
                reaped = true;
                reapedStatus = status;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    bool TypeKey(char key) const { return write(terminalFd, &key, 1) == 1; }

    /// Reads everything that is left and waits for the end of the child.
    CRunOutcome Finish() {
        while ((outFd >= 0 || errFd >= 0) && ReadSome()) {
        }
        if (outFd >= 0 || errFd >= 0) {
            outcome.hung = true;
            kill(pid, SIGKILL);
        }
        int status = reapedStatus;
        if (!reaped && waitpid(pid, &status, 0) != pid) {
            status = -1;
        }
        pid = -1;
        outcome.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return outcome;
    }

private:
    static void CloseFd(int& fd) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }

    // One poll over the open pipes; false when the deadline has passed or
    // the pipes are closed.
    bool ReadSome() {
        pollfd fds[2];
        nfds_t count = 0;
        if (outFd >= 0) {
            fds[count++] = pollfd{outFd, POLLIN, 0};
        }
        if (errFd >= 0) {
            fds[count++] = pollfd{errFd, POLLIN, 0};
        }
        if (count == 0) {
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return false;
        }
        const int ready = poll(fds, count, static_cast<int>(left));
        if (ready < 0) {
            return errno == EINTR;
        }
        if (ready == 0) {
            return false;
        }
        for (nfds_t i = 0; i < count; ++i) {
            if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
                continue;
            }
            int& fd = fds[i].fd == outFd ? outFd : errFd;
            std::string& sink = fds[i].fd == outFd ? outcome.output : outcome.errors;
            char buffer[4096];
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0) {
                sink.append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                CloseFd(fd);
            }
        }
        return true;
    }

    std::chrono::steady_clock::time_point deadline;
    pid_t pid = -1;
    int outFd = -1;
    int errFd = -1;
    int terminalFd = -1;
    bool reaped = false;
    int reapedStatus = -1;
    CRunOutcome outcome;
};

/// A fixture with a folder of files to rename and a separate place for the
/// program's settings, home and temporary files.
class BatchRunTest : public ::testing::Test {
protected:
    CTempFolder files;
    CTempFolder place;

    void SetUp() override {
        place.MakeFolder("config");
        place.MakeFolder("home");
        place.MakeFolder("tmp");
    }

    CRunSetup Setup() const {
        return CRunSetup{place / "config", place / "home", place / "tmp", place.Path(), false};
    }

    std::string SettingsFile() const { return place / "config/NorvikRename/norvikrename.ini"; }

    /// Writes the settings file the program will read.
    void WriteSettings(const std::string& content) const {
        place.WriteFile("config/NorvikRename/norvikrename.ini", content);
    }

    /// Writes an options file into the place folder and returns its path.
    std::string WriteOptions(const std::string& content, const std::string& name = "rules.ini") {
        return place.WriteFile(name, content);
    }

    CRunOutcome Run(const std::vector<std::string>& arguments) const {
        return Run(arguments, Setup());
    }

    static CRunOutcome Run(const std::vector<std::string>& arguments, const CRunSetup& setup) {
        CChildRun child(NR_EXECUTABLE_PATH, arguments, setup);
        EXPECT_TRUE(child.Started());
        CRunOutcome outcome = child.Finish();
        EXPECT_FALSE(outcome.hung) << outcome.output;
        return outcome;
    }

    /// Runs a shell script with /bin/sh.
    CRunOutcome RunScript(const std::string& script) const {
        CChildRun child("/bin/sh", {script}, Setup());
        EXPECT_TRUE(child.Started());
        CRunOutcome outcome = child.Finish();
        EXPECT_FALSE(outcome.hung);
        return outcome;
    }

    /// The folder of the files without its final "/".
    std::string Folder() const {
        std::string path = files.Path();
        path.pop_back();
        return path;
    }
};

// ---------------------------------------------------------------------------
// Renaming

TEST_F(BatchRunTest, RenamesEveryFileAndReportsEachMoveOnItsOwnLine) {
    files.WriteFile("a.jpg", "A");
    files.WriteFile("b.jpg", "B");
    files.WriteFile("c.txt", "C");
    const std::string rules =
        WriteOptions(InsertBeforeOptions() + CrLf({"[Autonumber]", "Action=2", "ZeroFill=2"}));

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a001.jpg") +
                                 Moved(files / "b.jpg", "x_b002.jpg") +
                                 Moved(files / "c.txt", "x_c003.txt"));
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(NamesIn(files.Path()),
              (std::set<std::string>{"x_a001.jpg", "x_b002.jpg", "x_c003.txt"}));
    EXPECT_EQ(ReadWholeFile(files / "x_b002.jpg"), "B");
}

TEST_F(BatchRunTest, LowerCaseKeysAndAFolderWithABlankWork) {
    files.WriteFile("my photos/a.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());

    const CRunOutcome result =
        Run({"rename", "=", "1", "path=" + files / "my photos", "nrfile=" + rules, "pause=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "my photos/a.jpg", "x_a.jpg"));
    EXPECT_TRUE(fs::exists(files / "my photos/x_a.jpg"));
}

TEST_F(BatchRunTest, ARelativePathIsTakenFromTheWorkingFolder) {
    files.WriteFile("a.jpg");
    files.WriteFile("photos/b.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    CRunSetup setup = Setup();
    setup.workingFolder = files.Path();

    const CRunOutcome inPhotos =
        Run({"RENAME=1", "PATH=photos", "NRFILE=" + rules, "PAUSE=0"}, setup);
    const CRunOutcome inCurrent = Run({"RENAME=1", "PATH=.", "NRFILE=" + rules, "PAUSE=0"}, setup);

    EXPECT_EQ(inPhotos.status, 0);
    EXPECT_EQ(inPhotos.output, kBanner + Moved(files / "photos/b.jpg", "x_b.jpg"));
    EXPECT_EQ(inCurrent.status, 0);
    EXPECT_EQ(inCurrent.output, kBanner + Moved(files / "a.jpg", "x_a.jpg"));
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"x_a.jpg", "photos"}));
    EXPECT_EQ(NamesIn(files / "photos"), (std::set<std::string>{"x_b.jpg"}));
}

TEST_F(BatchRunTest, AFilterOfPatternsSeparatedBySemicolonsSelectsTheFiles) {
    for (const char* name : {"a.jpg", "b.PNG", "c.txt", "d.gif", "e.jpeg"}) {
        files.WriteFile(name);
    }
    const std::string rules = WriteOptions(InsertBeforeOptions());

    const CRunOutcome result = Run(
        {"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "FILTER=*.jpg;*.png;d.*", "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a.jpg") +
                                 Moved(files / "b.PNG", "x_b.PNG") +
                                 Moved(files / "d.gif", "x_d.gif"));
    EXPECT_EQ(NamesIn(files.Path()),
              (std::set<std::string>{"x_a.jpg", "x_b.PNG", "c.txt", "x_d.gif", "e.jpeg"}));
}

TEST_F(BatchRunTest, AFilterAfterAColonIsARegularExpression) {
    for (const char* name : {"img1.jpg", "IMG22.png", "image.jpg", "5img3.jpg", "img.jpg"}) {
        files.WriteFile(name);
    }
    const std::string rules = WriteOptions(InsertBeforeOptions());

    const CRunOutcome result = Run(
        {"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "FILTER=:^img[0-9]+\\.", "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "img1.jpg", "x_img1.jpg") +
                                 Moved(files / "IMG22.png", "x_IMG22.png"));
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"x_img1.jpg", "x_IMG22.png",
                                                            "image.jpg", "5img3.jpg", "img.jpg"}));
}

TEST_F(BatchRunTest, RecursiveRenamesTheFilesOfSubFoldersAndRestartsTheNumberPerFolder) {
    files.WriteFile("a.jpg");
    files.WriteFile("b.jpg");
    files.WriteFile("sub/c.jpg");
    files.WriteFile("sub/deeper/d.jpg");
    files.WriteFile("sub/deeper/e.txt");
    const std::string rules =
        WriteOptions(InsertBeforeOptions() + CrLf({"[Autonumber]", "Action=2", "ZeroFill=0"}));

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules,
                                    "FILTER=*.jpg", "RECURSIVE=1", "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a1.jpg") +
                                 Moved(files / "b.jpg", "x_b2.jpg") +
                                 Moved(files / "sub/c.jpg", "x_c1.jpg") +
                                 Moved(files / "sub/deeper/d.jpg", "x_d1.jpg"));
    // The folders keep their names; the file the mask leaves out stays.
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"x_a1.jpg", "x_b2.jpg", "sub"}));
    EXPECT_EQ(NamesIn(files / "sub"), (std::set<std::string>{"x_c1.jpg", "deeper"}));
    EXPECT_EQ(NamesIn(files / "sub/deeper"), (std::set<std::string>{"x_d1.jpg", "e.txt"}));
}

TEST_F(BatchRunTest, WithoutRecursiveTheSubFoldersAreLeftAlone) {
    files.WriteFile("a.jpg");
    files.WriteFile("sub/c.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());

    const CRunOutcome result =
        Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "RECURSIVE=yes", "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a.jpg"));
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"x_a.jpg", "sub"}));
    EXPECT_EQ(NamesIn(files / "sub"), (std::set<std::string>{"c.jpg"}));
}

TEST_F(BatchRunTest, NothingToRenameIsReportedAndWritesNoUndoScript) {
    files.WriteFile("a.jpg");
    files.WriteFile("b.jpg");
    // A rule that is switched off, and a replacement that finds nothing.
    const std::string rules = WriteOptions(
        CrLf({"[Filename]", "InsertBefore=0", "InsertBeforeValue=\"x_\"", "ReplaceText=1",
              "ReplaceTextValue=\"zzz\"", "ReplaceTextWithValue=\"y\""}));

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules,
                                    "UNDOFILE=" + place / "undo.sh", "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, std::string(kBanner) + kNothingToRename);
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_FALSE(fs::exists(place / "undo.sh"));
}

TEST_F(BatchRunTest, AnOptionsFileThatCannotBeReadIsReportedAndNothingIsRenamed) {
    files.WriteFile("a.jpg");
    const std::string undo = place / "undo.sh";
    struct CCase {
        std::string path;
        int error;
    };
    // A folder opens, but cannot be read as a file.
    const CCase cases[] = {{place / "missing.ini", ENOENT},
                           {place / "no folder/rules.ini", ENOENT},
                           {place.MakeFolder("rules.ini"), EISDIR}};
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.path);
        const CRunOutcome result = Run(
            {"RENAME=1", "PATH=" + Folder(), "NRFILE=" + c.path, "UNDOFILE=" + undo, "PAUSE=0"});

        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.output, std::string(kBanner) + "Kan het optiebestand [" + c.path +
                                     "] niet lezen: " + SystemError(c.error) + "\n");
        EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"a.jpg"}));
        EXPECT_FALSE(fs::exists(undo));
    }
}

// ---------------------------------------------------------------------------
// Failures

TEST_F(BatchRunTest, AnExistingTargetIsNeverOverwrittenAndTheRunGoesOn) {
    files.WriteFile("a.jpg", "moving");
    files.WriteFile("b.jpg", "B");
    files.WriteFile("x_a.jpg", "already here");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    const std::string undo = place / "undo.sh";

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules,
                                    "FILTER=a.jpg;b.jpg", "UNDOFILE=" + undo, "PAUSE=0"});

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, kBanner + NotMoved(files / "a.jpg", "x_a.jpg") +
                                 Moved(files / "b.jpg", "x_b.jpg") +
                                 MoveFailure(files / "a.jpg", files / "x_a.jpg", EEXIST) +
                                 "\n"
                                 "Het herstel batchbestand [" +
                                 undo + "] is gemaakt\n");
    EXPECT_EQ(ReadWholeFile(files / "x_a.jpg"), "already here");
    EXPECT_EQ(ReadWholeFile(files / "a.jpg"), "moving");
    EXPECT_EQ(ReadWholeFile(files / "x_b.jpg"), "B");

    // The undo script holds the one move that was made.
    const CRunOutcome undone = RunScript(undo);
    EXPECT_EQ(undone.status, 0) << undone.errors;
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"a.jpg", "b.jpg", "x_a.jpg"}));
    EXPECT_EQ(ReadWholeFile(files / "x_a.jpg"), "already here");
}

// 1.txt -> 2.txt -> 3.txt -> 4.txt: only the last move finds its target
// free, unless swaps and chains are stored on in the settings.
TEST_F(BatchRunTest, AChainMovesItsLastLinkFirstOnlyWhenTheSettingsAllowIt) {
    const std::string rules =
        WriteOptions(CrLf({"[Filename]", "ReplaceWith=1", "ReplaceWithValue=\"\"", "[Autonumber]",
                           "Action=2", "StartAt=2", "ZeroFill=0"}));
    for (const bool allowed : {false, true}) {
        SCOPED_TRACE(allowed ? "allowed" : "not allowed");
        for (const char* name : {"1.txt", "2.txt", "3.txt"}) {
            files.WriteFile(name, name);
        }
        if (allowed) {
            WriteSettings(CrLf({"[Others]", "AllowSwapsAndChains=1"}));
        }
        const std::string undo = place / "undo.sh";
        const CRunOutcome result =
            Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"});
        if (!allowed) {
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"1.txt", "2.txt", "4.txt"}));
        } else {
            EXPECT_EQ(result.status, 0);
            EXPECT_EQ(result.output, kBanner + Moved(files / "3.txt", "4.txt") +
                                         Moved(files / "2.txt", "3.txt") +
                                         Moved(files / "1.txt", "2.txt") +
                                         "\nHet herstel batchbestand [" + undo + "] is gemaakt\n");
            EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"2.txt", "3.txt", "4.txt"}));
            EXPECT_EQ(ReadWholeFile(files / "2.txt"), "1.txt");
        }
        const CRunOutcome undone = RunScript(undo);
        EXPECT_EQ(undone.status, 0) << undone.errors;
        EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"1.txt", "2.txt", "3.txt"}));
        EXPECT_EQ(ReadWholeFile(files / "1.txt"), "1.txt");
        fs::remove(undo);
    }
}

TEST_F(BatchRunTest, TwoFilesComputedToOneNameGiveOneMoveAndOneFailure) {
    files.WriteFile("a.jpg", "A");
    files.WriteFile("b.jpg", "B");
    const std::string rules =
        WriteOptions(CrLf({"[Filename]", "ReplaceWith=1", "ReplaceWithValue=\"same\""}));

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "PAUSE=0"});

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "same.jpg") +
                                 NotMoved(files / "b.jpg", "same.jpg") +
                                 MoveFailure(files / "b.jpg", files / "same.jpg", EEXIST));
    EXPECT_EQ(ReadWholeFile(files / "same.jpg"), "A");
    EXPECT_EQ(ReadWholeFile(files / "b.jpg"), "B");
}

TEST_F(BatchRunTest, WhenEveryMoveFailsNoUndoScriptIsWritten) {
    files.WriteFile("a.jpg", "A");
    files.WriteFile("x_a.jpg", "X");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    const std::string undo = place / "undo.sh";

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules,
                                    "FILTER=a.jpg", "UNDOFILE=" + undo, "PAUSE=0"});

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, kBanner + NotMoved(files / "a.jpg", "x_a.jpg") +
                                 MoveFailure(files / "a.jpg", files / "x_a.jpg", EEXIST));
    EXPECT_FALSE(fs::exists(undo));
    EXPECT_EQ(ReadWholeFile(files / "x_a.jpg"), "X");
}

TEST_F(BatchRunTest, APathThatIsNoFolderIsAnInvalidAddressAndRenamesNothing) {
    files.WriteFile("a.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    const std::string undo = place / "undo.sh";
    for (const std::string& path : {files / "a.jpg", files / "missing", std::string()}) {
        SCOPED_TRACE(path);
        std::vector<std::string> arguments{"RENAME=1", "NRFILE=" + rules, "UNDOFILE=" + undo,
                                           "PAUSE=0"};
        if (!path.empty()) {
            arguments.push_back("PATH=" + path);
        }
        // Without PATH the folder is not the working folder either.
        CRunSetup setup = Setup();
        setup.workingFolder = files.Path();

        const CRunOutcome result = Run(arguments, setup);

        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.output, std::string(kBanner) + "Ongeldig adres\n");
        EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"a.jpg"}));
        EXPECT_FALSE(fs::exists(undo));
    }
}

// ---------------------------------------------------------------------------
// The undo script

TEST_F(BatchRunTest, TheShellUndoScriptBringsBackEveryNameHoweverNasty) {
    const std::vector<std::string> names = {
        "it's.jpg",        "$HOME.jpg",        "`id`.jpg",         "a\nb.jpg",
        "-lead.jpg",       "two  spaces .jpg", " lead blank.jpg",  "Ünïcødé 日本.jpg",
        "say \"hi\".jpg",  "back\\slash.jpg",  "semi;colon&|.jpg", "$(touch pwned).jpg",
        "star*quest?.jpg", "tab\there.jpg",    "'quoted'.jpg"};
    for (const std::string& name : names) {
        files.WriteFile(name, name);
    }
    // The new names start with a dash, so the moves back must not take them
    // for options.
    const std::string rules = WriteOptions(InsertBeforeOptions("-x_"));
    const std::string undo = place / "undo script.sh";

    const CRunOutcome result =
        Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"});

    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output.substr(0, std::string(kBanner).size()), kBanner);
    const std::string tail = "\nHet herstel batchbestand [" + undo + "] is gemaakt\n";
    ASSERT_GE(result.output.size(), tail.size());
    EXPECT_EQ(result.output.substr(result.output.size() - tail.size()), tail);
    std::size_t lines = 0;
    for (std::size_t at = result.output.find("OK: ["); at != std::string::npos;
         at = result.output.find("OK: [", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, names.size());
    EXPECT_EQ(result.output.find("ERR: ["), std::string::npos);
    // The characters a name may not hold, control characters among them,
    // become "_"; everything else stays. The script still brings back the
    // old names as they were.
    const std::map<std::string, std::string> renamed = {{"say \"hi\".jpg", "-x_say _hi_.jpg"},
                                                        {"back\\slash.jpg", "-x_back_slash.jpg"},
                                                        {"semi;colon&|.jpg", "-x_semi;colon&_.jpg"},
                                                        {"star*quest?.jpg", "-x_star_quest_.jpg"},
                                                        {"a\nb.jpg", "-x_a_b.jpg"},
                                                        {"tab\there.jpg", "-x_tab_here.jpg"}};
    std::set<std::string> expected;
    for (const std::string& name : names) {
        const auto special = renamed.find(name);
        const std::string newName = special != renamed.end() ? special->second : "-x_" + name;
        expected.insert(newName);
        EXPECT_NE(result.output.find("\n" + Moved(files / name, newName)), std::string::npos)
            << name;
    }
    ASSERT_EQ(NamesIn(files.Path()), expected);

    const CRunOutcome undone = RunScript(undo);

    EXPECT_EQ(undone.status, 0) << undone.errors;
    EXPECT_EQ(undone.errors, "");
    EXPECT_EQ(undone.output, "");
    EXPECT_EQ(NamesIn(files.Path()), std::set<std::string>(names.begin(), names.end()));
    for (const std::string& name : names) {
        EXPECT_EQ(ReadWholeFile(files / name), name) << name;
    }
    EXPECT_FALSE(fs::exists(place / "pwned"));
    EXPECT_FALSE(fs::exists(place / "home/pwned"));
}

TEST_F(BatchRunTest, TheUndoScriptOfARecursiveRunRestoresTheSubFolders) {
    files.WriteFile("a.jpg", "a");
    files.WriteFile("sub/a.jpg", "sub a");
    files.WriteFile("sub/deeper/b.jpg", "deeper b");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    const std::string undo = place / "undo";

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules,
                                    "RECURSIVE=1", "UNDOFILE=" + undo, "PAUSE=0"});
    ASSERT_EQ(result.status, 0) << result.output;
    ASSERT_TRUE(fs::exists(files / "sub/deeper/x_b.jpg"));
    EXPECT_NE(fs::status(undo).permissions() & fs::perms::owner_exec, fs::perms::none);

    const CRunOutcome undone = RunScript(undo);

    EXPECT_EQ(undone.status, 0) << undone.errors;
    EXPECT_EQ(ReadWholeFile(files / "a.jpg"), "a");
    EXPECT_EQ(ReadWholeFile(files / "sub/a.jpg"), "sub a");
    EXPECT_EQ(ReadWholeFile(files / "sub/deeper/b.jpg"), "deeper b");
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"a.jpg", "sub"}));
    EXPECT_EQ(NamesIn(files / "sub"), (std::set<std::string>{"a.jpg", "deeper"}));
    EXPECT_EQ(NamesIn(files / "sub/deeper"), (std::set<std::string>{"b.jpg"}));
}

TEST_F(BatchRunTest, ABatNameGetsTheWindowsCommandScript) {
    files.WriteFile("a.jpg");
    files.WriteFile("b.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    const std::string undo = place / "undo.bat";

    const CRunOutcome result =
        Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a.jpg") +
                                 Moved(files / "b.jpg", "x_b.jpg") +
                                 "\n"
                                 "Het herstel batchbestand [" +
                                 undo + "] is gemaakt\n");
    // The moves back, the last move first, each naming the new full path and
    // the old bare name.
    EXPECT_EQ(ReadWholeFile(undo),
              CrLf({"REM AutoGeneratedBatch file from Norvik Rename",
                    "rename \"" + files / "x_b.jpg" + "\" \"b.jpg\"",
                    "rename \"" + files / "x_a.jpg" + "\" \"a.jpg\"", "Pause"}));
}

TEST_F(BatchRunTest, AnUndoFileThatCannotBeWrittenFallsBackToATemporaryFile) {
    files.WriteFile("a.jpg", "A");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    const std::string undo = place / "no such folder/undo.sh";

    const CRunOutcome result =
        Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"});

    // The script is not where it was asked for.
    EXPECT_EQ(result.status, 1);
    const std::set<std::string> temporary = NamesIn(place / "tmp");
    ASSERT_EQ(temporary.size(), 1u);
    const std::string tempName = *temporary.begin();
    EXPECT_EQ(tempName.size(), 8u);
    EXPECT_EQ(tempName.substr(0, 2), "NR");
    const std::string tempPath = place / "tmp/" + tempName;
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a.jpg") +
                                 "\n"
                                 "Het batch herstelbestand {" +
                                 undo +
                                 "] KAN NIET WORDEN GEMAAKT\n"
                                 "Het TEMP bacht herstelbestand [" +
                                 tempPath +
                                 "] is gemaakt\n"
                                 " Denk er aan om het bestand te hernoemen tot .bat\n");
    EXPECT_FALSE(fs::exists(place / "no such folder"));

    const CRunOutcome undone = RunScript(tempPath);
    EXPECT_EQ(undone.status, 0) << undone.errors;
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"a.jpg"}));
}

TEST_F(BatchRunTest, AnUndoScriptThatCannotTakeAMoveStopsTheRunBeforeIt) {
    // Long names, so that the undo script outgrows the limit below after a
    // few dozen moves.
    constexpr int kCount = 200;
    const auto name = [](int i) {
        return std::to_string(100 + i) + std::string(200, 'n') + ".jpg";
    };
    for (int i = 0; i < kCount; ++i) {
        files.WriteFile(name(i), std::to_string(i));
    }
    const std::string rules = WriteOptions(InsertBeforeOptions());
    const std::string undo = place / "undo.sh";

    CRunOutcome result;
    {
        // No file the program writes may grow past 16 KiB: a full disk for
        // the undo script. The program inherits the limit.
        CFileSizeLimit limit(16 * 1024);
        ASSERT_TRUE(limit.IsSet());
        result =
            Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"});
    }

    EXPECT_EQ(result.status, 1);
    // The moves the script took were made, the rest not one.
    std::string expected = kBanner;
    int moved = 0;
    while (moved < kCount && fs::exists(files / ("x_" + name(moved)))) {
        expected += Moved(files / name(moved), "x_" + name(moved));
        ++moved;
    }
    ASSERT_GT(moved, 0);
    ASSERT_LT(moved, kCount);
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(fs::exists(files / name(i)), i >= moved) << i;
        EXPECT_EQ(fs::exists(files / ("x_" + name(i))), i < moved) << i;
    }
    const std::set<std::string> temporary = NamesIn(place / "tmp");
    ASSERT_EQ(temporary.size(), 1u);
    const std::string tempPath = place / "tmp/" + *temporary.begin();
    expected += "Het herstelbestand [" + undo +
                "] kan de volgende hernoeming niet vastleggen: " + SystemError(EFBIG) +
                ". Er wordt niets meer hernoemd.\n"
                "\n"
                "Het batch herstelbestand {" +
                undo +
                "] KAN NIET WORDEN GEMAAKT\n"
                "Het TEMP bacht herstelbestand [" +
                tempPath +
                "] is gemaakt\n"
                " Denk er aan om het bestand te hernoemen tot .bat\n";
    EXPECT_EQ(result.output, expected);
    EXPECT_FALSE(fs::exists(undo));
    EXPECT_EQ(NamesIn(place.Path()), (std::set<std::string>{"config", "home", "rules.ini", "tmp"}));

    // The script that was written moves back what was moved.
    const CRunOutcome undone = RunScript(tempPath);
    EXPECT_EQ(undone.status, 0) << undone.errors;
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(ReadWholeFile(files / name(i)), std::to_string(i)) << i;
    }
}

TEST_F(BatchRunTest, AFileTheRunMovesToTheUndoScriptsPathIsNeverReplaced) {
    files.WriteFile("a.txt", "the bytes of a.txt");
    // Every file becomes undo.sh, the path the undo script was asked for.
    const std::string rules =
        WriteOptions(CrLf({"[Filename]", "ReplaceWith=1", "ReplaceWithValue=\"undo\"",
                           "[Extension]", "ReplaceWith=1", "ReplaceWithValue=\"sh\""}));
    const std::string undo = files / "undo.sh";

    const CRunOutcome result =
        Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"});

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(ReadWholeFile(undo), "the bytes of a.txt");
    EXPECT_EQ(NamesIn(files.Path()), std::set<std::string>{"undo.sh"});
    const std::set<std::string> temporary = NamesIn(place / "tmp");
    ASSERT_EQ(temporary.size(), 1u);
    const std::string tempPath = place / "tmp/" + *temporary.begin();
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.txt", "undo.sh") +
                                 "\n"
                                 "Het batch herstelbestand {" +
                                 undo +
                                 "] KAN NIET WORDEN GEMAAKT\n"
                                 "Het TEMP bacht herstelbestand [" +
                                 tempPath +
                                 "] is gemaakt\n"
                                 " Denk er aan om het bestand te hernoemen tot .bat\n");

    const CRunOutcome undone = RunScript(tempPath);
    EXPECT_EQ(undone.status, 0) << undone.errors;
    EXPECT_EQ(NamesIn(files.Path()), std::set<std::string>{"a.txt"});
    EXPECT_EQ(ReadWholeFile(files / "a.txt"), "the bytes of a.txt");
}

TEST_F(BatchRunTest, WhenTheTemporaryFileFailsTooNothingMoreIsWritten) {
    files.WriteFile("a.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    const std::string undo = place / "no such folder/undo.sh";
    // Nobody, not even root, can create a file in /proc.
    CRunSetup setup = Setup();
    setup.tempFolder = "/proc";

    const CRunOutcome result = Run(
        {"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"}, setup);

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a.jpg") +
                                 "\n"
                                 "Het batch herstelbestand {" +
                                 undo + "] KAN NIET WORDEN GEMAAKT\n");
    EXPECT_TRUE(NamesIn(place / "tmp").empty());
}

// ---------------------------------------------------------------------------
// The wait for a key

TEST_F(BatchRunTest, WithoutPauseZeroThePromptIsWrittenButInputFromDevNullEndsTheWait) {
    files.WriteFile("a.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    for (const std::vector<std::string>& pause :
         std::vector<std::vector<std::string>>{{}, {"PAUSE=1"}, {"PAUSE="}}) {
        SCOPED_TRACE(pause.empty() ? "no PAUSE" : pause[0]);
        std::vector<std::string> arguments{"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules,
                                           "FILTER=nothing.*"};
        arguments.insert(arguments.end(), pause.begin(), pause.end());

        const CRunOutcome result = Run(arguments);

        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.output, std::string(kBanner) + kNothingToRename + kPrompt);
    }
}

TEST_F(BatchRunTest, APauseOtherThanOneDoesNotPrompt) {
    for (const char* pause : {"PAUSE=0", "PAUSE=yes", "PAUSE=01"}) {
        SCOPED_TRACE(pause);
        const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), pause});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.output, std::string(kBanner) + kNothingToRename);
    }
}

TEST_F(BatchRunTest, OnATerminalPauseZeroEndsWithoutAKey) {
    files.WriteFile("a.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());
    CRunSetup setup = Setup();
    setup.terminalInput = true;
    CChildRun child(NR_EXECUTABLE_PATH,
                    {"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "PAUSE=0"}, setup);
    ASSERT_TRUE(child.Started());

    // No key is ever typed: a run that waited would hang here.
    const CRunOutcome result = child.Finish();

    EXPECT_FALSE(result.hung);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a.jpg"));
}

TEST_F(BatchRunTest, OnATerminalTheRunWaitsForAKeyUnlessPauseSaysOtherwise) {
    const std::string rules = WriteOptions(InsertBeforeOptions());
    for (const std::vector<std::string>& pause :
         std::vector<std::vector<std::string>>{{}, {"PAUSE=1"}}) {
        SCOPED_TRACE(pause.empty() ? "no PAUSE" : pause[0]);
        const CTempFolder folder;
        folder.WriteFile("a.jpg");
        std::string path = folder.Path();
        path.pop_back();
        std::vector<std::string> arguments{"RENAME=1", "PATH=" + path, "NRFILE=" + rules};
        arguments.insert(arguments.end(), pause.begin(), pause.end());
        CRunSetup setup = Setup();
        setup.terminalInput = true;
        CChildRun child(NR_EXECUTABLE_PATH, arguments, setup);
        ASSERT_TRUE(child.Started());

        ASSERT_TRUE(child.ReadOutputUntil(kPrompt));
        // The renames are done before the prompt, and the run then sits in
        // a read of the terminal until a key comes.
        EXPECT_TRUE(fs::exists(folder / "x_a.jpg"));
        ASSERT_TRUE(child.WaitUntilReadingInput());
        ASSERT_TRUE(child.TypeKey('q'));
        const CRunOutcome result = child.Finish();

        EXPECT_FALSE(result.hung);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.output, kBanner + Moved(folder / "a.jpg", "x_a.jpg") + kPrompt);
    }
}

// ---------------------------------------------------------------------------
// The settings file

TEST_F(BatchRunTest, TheSettingsFileIsLeftByteForByteAsItWas) {
    const std::vector<std::string> contents = {
        // A file as the program writes it, with the rules remembered in it.
        DefaultSettingsText({{"Others", "LastPath", "\"/home/someone/Foto's\""},
                             {"ColumnsWidth", "name", "210"},
                             {"ColumnsWidth", "name_preview", "230"},
                             {"Position", "X", "10"},
                             {"Position", "Y", "20"},
                             {"Position", "Width", "1000"},
                             {"Position", "Height", "700"},
                             {"Position", "SplitterPos", "400"}},
                            {"[Filename]", "InsertBefore=1", "InsertBeforeValue=\"x_\""}),
        // Remembered values that are not read at start (the switches that
        // guard them are off), a hand-written file with LF line ends, a
        // comment and a key the program does not know.
        "; written by hand\n[Others]\nRememberLastPath=0\nRememberPosAndSize=0\n"
        "LastPath=/home/someone\nSomethingElse=keep me\n[Position]\nWidth=1234\n",
        // A file in Windows-1252 (the e with an acute accent is one byte).
        "[Others]\r\nLastPath=C:\\Foto\xe9s\r\n",
    };
    for (const std::string& content : contents) {
        SCOPED_TRACE(content);
        const CTempFolder folder;
        folder.WriteFile("a.jpg");
        std::string path = folder.Path();
        path.pop_back();
        WriteSettings(content);
        const std::string rules = WriteOptions(InsertBeforeOptions("y_"));

        const CRunOutcome result = Run({"RENAME=1", "PATH=" + path, "NRFILE=" + rules, "PAUSE=0"});

        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.output, kBanner + Moved(folder / "a.jpg", "y_a.jpg"));
        EXPECT_EQ(ReadWholeFile(SettingsFile()), content);
        EXPECT_EQ(NamesIn(place / "config/NorvikRename"),
                  (std::set<std::string>{"norvikrename.ini"}));
    }
}

TEST_F(BatchRunTest, ARunWithoutASettingsFileLeavesTheConfigurationFolderEmpty) {
    files.WriteFile("a.jpg");
    const std::string rules = WriteOptions(InsertBeforeOptions());

    const CRunOutcome renamed = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "PAUSE=0"});
    const CRunOutcome invalid = Run({"RENAME=1", "NRFILE=" + rules, "PAUSE=0"});

    EXPECT_EQ(renamed.status, 0);
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"x_a.jpg"}));
    EXPECT_EQ(invalid.status, 2);
    EXPECT_TRUE(NamesIn(place / "config").empty());
    EXPECT_TRUE(NamesIn(place / "home").empty());
}

TEST_F(BatchRunTest, RememberedRulesAreUsedWhenNoOptionsFileIsNamed) {
    files.WriteFile("a.jpg");
    WriteSettings(CrLf({"[Others]", "ReloadUserOptionsOnStart=1", "[Filename]", "InsertBefore=1",
                        "InsertBeforeValue=\"s_\"", "InsertAfter=1", "InsertAfterValue=\"_t\""}));

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "s_a_t.jpg"));
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"s_a_t.jpg"}));
}

TEST_F(BatchRunTest, AnOptionsFileTakesThePlaceOfTheRememberedRules) {
    files.WriteFile("a.jpg");
    WriteSettings(CrLf({"[Others]", "ReloadUserOptionsOnStart=1", "[Filename]", "InsertBefore=1",
                        "InsertBeforeValue=\"s_\"", "InsertAfter=1", "InsertAfterValue=\"_t\""}));
    // The options file says nothing of InsertAfter: the remembered rule is
    // not read at all, so it does not take part.
    const std::string rules = WriteOptions(InsertBeforeOptions());

    const CRunOutcome result = Run({"RENAME=1", "PATH=" + Folder(), "NRFILE=" + rules, "PAUSE=0"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, kBanner + Moved(files / "a.jpg", "x_a.jpg"));
}

TEST_F(BatchRunTest, RememberedRulesAreIgnoredWhenReloadIsOffOrTheOptionsFileIsMissing) {
    files.WriteFile("a.jpg");
    const std::string rememberedRules =
        CrLf({"[Filename]", "InsertBefore=1", "InsertBeforeValue=\"s_\""});
    struct CCase {
        std::string reload;
        std::vector<std::string> extra;
        int status;
        std::string output;
    };
    const std::string missing = place / "missing.ini";
    const CCase cases[] = {
        {"0", {}, 0, kNothingToRename},
        {"1",
         {"NRFILE=" + missing},
         2,
         "Kan het optiebestand [" + missing + "] niet lezen: " + SystemError(ENOENT) + "\n"}};
    for (const CCase& run : cases) {
        SCOPED_TRACE(run.reload);
        WriteSettings(CrLf({"[Others]", "ReloadUserOptionsOnStart=" + run.reload}) +
                      rememberedRules);
        std::vector<std::string> arguments{"RENAME=1", "PATH=" + Folder(), "PAUSE=0"};
        arguments.insert(arguments.end(), run.extra.begin(), run.extra.end());

        const CRunOutcome result = Run(arguments);

        EXPECT_EQ(result.status, run.status);
        EXPECT_EQ(result.output, std::string(kBanner) + run.output);
        EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"a.jpg"}));
    }
}

TEST_F(BatchRunTest, WithoutPathTheRememberedLastFolderIsNotRenamed) {
    files.WriteFile("a.jpg");
    WriteSettings(CrLf({"[Others]", "RememberLastPath=1", "LastPath=\"" + files.Path() + "\""}));
    const std::string rules = WriteOptions(InsertBeforeOptions());

    const CRunOutcome result = Run({"RENAME=1", "NRFILE=" + rules, "PAUSE=0"});

    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.output, std::string(kBanner) + "Ongeldig adres\n");
    EXPECT_EQ(NamesIn(files.Path()), (std::set<std::string>{"a.jpg"}));
}

} // namespace

// ---------------------------------------------------------------------------
// A camera's card: exFAT and FAT32 through FUSE, whose names fold case

class BatchOnCardTest : public BatchRunTest,
                        public testing::WithParamInterface<CFoldingMount::Kind> {
protected:
    std::unique_ptr<CFoldingMount> mount;
    std::string card; ///< the mounted root, without its final "/"

    void SetUp() override {
        BatchRunTest::SetUp();
        mount = std::make_unique<CFoldingMount>(GetParam());
        if (!mount->IsMounted()) {
            GTEST_SKIP() << mount->SkipReason();
        }
        card = mount->Path();
        card.pop_back();
    }
    void TearDown() override { mount.reset(); }
};

INSTANTIATE_TEST_SUITE_P(Cards, BatchOnCardTest,
                         testing::Values(CFoldingMount::Kind::ExFat, CFoldingMount::Kind::Fat32),
                         [](const testing::TestParamInfo<CFoldingMount::Kind>& info) {
                             return std::string(info.param == CFoldingMount::Kind::ExFat
                                                    ? "ExFat"
                                                    : "Fat32");
                         });

TEST_P(BatchOnCardTest, LowerCasingTheNamesRenamesAndTheUndoScriptBringsThemBack) {
    for (const char* name : {"IMG_0001.JPG", "IMG_0002.JPG", "Notes.TXT"}) {
        std::ofstream(card + "/" + name, std::ios::binary) << name;
    }
    const std::string rules =
        WriteOptions(CrLf({"[Filename]", "UCase=2", "[Extension]", "UCase=2"}));
    const std::string undo = place / "undo.sh";
    const CRunOutcome result =
        Run({"RENAME=1", "PATH=" + card, "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"});
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output.find("ERR"), std::string::npos) << result.output;
    EXPECT_EQ(NamesIn(card),
              (std::set<std::string>{"img_0001.jpg", "img_0002.jpg", "notes.txt"}));

    const CRunOutcome undone = RunScript(undo);
    EXPECT_EQ(undone.status, 0) << undone.errors;
    EXPECT_EQ(NamesIn(card),
              (std::set<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "Notes.TXT"}));
    std::ifstream in(card + "/Notes.TXT", std::ios::binary);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "Notes.TXT");

    // Run again, the script finds nothing to move back: it says so and
    // touches nothing.
    const CRunOutcome again = RunScript(undo);
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(NamesIn(card),
              (std::set<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "Notes.TXT"}));
}

TEST_P(BatchOnCardTest, TheUndoScriptNeverReplacesAFileOfAnotherCase) {
    std::ofstream(card + "/a.txt", std::ios::binary) << "mine";
    const std::string rules = WriteOptions(InsertBeforeOptions("x_"));
    const std::string undo = place / "undo.sh";
    ASSERT_EQ(Run({"RENAME=1", "PATH=" + card, "NRFILE=" + rules, "UNDOFILE=" + undo, "PAUSE=0"})
                  .status,
              0);
    ASSERT_EQ(NamesIn(card), std::set<std::string>{"x_a.txt"});
    // Someone puts A.TXT where the script would move x_a.txt back.
    std::ofstream(card + "/A.TXT", std::ios::binary) << "theirs";
    const CRunOutcome undone = RunScript(undo);
    EXPECT_EQ(undone.status, 1);
    EXPECT_NE(undone.errors.find("Not moved, the target exists"), std::string::npos)
        << undone.errors;
    EXPECT_EQ(NamesIn(card), (std::set<std::string>{"A.TXT", "x_a.txt"}));
    std::ifstream in(card + "/A.TXT", std::ios::binary);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "theirs");
}
