// Measures a batch run of the real executable against the least a program
// could do for the same job: one renameat2(RENAME_NOREPLACE) per file.
//
//   nr_batch_bench [--files N] [--folders F] [--runs R] [--dir FOLDER]
//
// Two more bare loops show what the batch run cannot leave out: the scan of
// the folder (readdir, lstat, sort) and one write of the undo line before
// each move.
//
// Both sides rename N files "img_000000.jpg" ... of one folder to
// "x_img_000000000001.jpg" ... (a text put in front of the name and a
// six-digit autonumber after it). With F folders the files lie in F
// sub-folders "d0000" ... in blocks of N/F, the batch run is recursive and
// the autonumber restarts in every folder. Each run starts on freshly
// created files; creating and checking them is not timed. Wall time is
// measured from fork to the end of the child, so it includes starting the
// process; the peak memory is the child's ru_maxrss from wait4.

#include "RawScan.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/fs.h>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct CBenchOptions {
    int files = 100000;
    int folders = 1;
    int runs = 5;
    std::string dir;
};

struct CMeasure {
    double milliseconds = 0;
    long maxRssKiB = 0;
    int status = -1;
};

void OldName(char* buffer, std::size_t size, int i) {
    std::snprintf(buffer, size, "img_%06d.jpg", i);
}

// The autonumber restarts in every folder of a recursive run.
void NewName(char* buffer, std::size_t size, int i, int perFolder) {
    std::snprintf(buffer, size, "x_img_%06d%06d.jpg", i, i % perFolder + 1);
}

int RenameNoReplace(const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#else
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 1u));
#endif
}

bool ParseArguments(int argc, char** argv, CBenchOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        const std::string value = argv[++i];
        if (argument == "--files") {
            options.files = std::atoi(value.c_str());
        } else if (argument == "--folders") {
            options.folders = std::atoi(value.c_str());
        } else if (argument == "--runs") {
            options.runs = std::atoi(value.c_str());
        } else if (argument == "--dir") {
            options.dir = value;
        } else {
            return false;
        }
    }
    if (options.dir.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        options.dir = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    }
    return options.files > 0 && options.files <= 1000000 && options.runs > 0 &&
           options.folders > 0 && options.folders <= 10000 && options.files % options.folders == 0;
}

bool RemoveAllIn(const std::string& folder) {
    std::error_code error;
    fs::remove_all(folder, error);
    return !error;
}

// The folder that holds file i: the folder itself, or with several folders
// the sub-folder of its block.
std::string FolderOf(const std::string& folder, const CBenchOptions& options, int i) {
    if (options.folders == 1) {
        return folder;
    }
    char sub[16];
    std::snprintf(sub, sizeof sub, "/d%04d", i / (options.files / options.folders));
    return folder + sub;
}

// Every folder that holds files: for the scan of the bare loops.
std::vector<std::string> AllFolders(const std::string& folder, const CBenchOptions& options) {
    std::vector<std::string> folders = {folder};
    if (options.folders > 1) {
        for (int i = 0; i < options.files; i += options.files / options.folders) {
            folders.push_back(FolderOf(folder, options, i));
        }
    }
    return folders;
}

// Creates the N empty files in a new folder (and its sub-folders).
bool CreateFiles(const std::string& folder, const CBenchOptions& options) {
    if (!RemoveAllIn(folder) || mkdir(folder.c_str(), 0755) != 0) {
        std::perror(folder.c_str());
        return false;
    }
    int dirFd = -1;
    std::string current;
    char name[64];
    for (int i = 0; i < options.files; ++i) {
        const std::string holder = FolderOf(folder, options, i);
        if (holder != current) {
            if (dirFd >= 0) {
                close(dirFd);
            }
            if (holder != folder && mkdir(holder.c_str(), 0755) != 0) {
                std::perror(holder.c_str());
                return false;
            }
            current = holder;
            dirFd = open(holder.c_str(), O_RDONLY | O_DIRECTORY);
            if (dirFd < 0) {
                return false;
            }
        }
        OldName(name, sizeof name, i);
        const int fd = openat(dirFd, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            std::perror(name);
            close(dirFd);
            return false;
        }
        close(fd);
    }
    close(dirFd);
    return true;
}

// True when the folders hold exactly the N new names.
bool HasExpectedNames(const std::string& folder, const CBenchOptions& options) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(options.files));
    for (const std::string& holder : AllFolders(folder, options)) {
        if (options.folders > 1 && holder == folder) {
            continue; // holds only the sub-folders
        }
        DIR* dir = opendir(holder.c_str());
        if (dir == nullptr) {
            return false;
        }
        while (const dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
                names.push_back(holder + "/" + entry->d_name);
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    bool ok = names.size() == static_cast<std::size_t>(options.files);
    char expected[64];
    for (int i = 0; ok && i < options.files; ++i) {
        NewName(expected, sizeof expected, i, options.files / options.folders);
        const std::string wanted = FolderOf(folder, options, i) + "/" + expected;
        if (names[static_cast<std::size_t>(i)] != wanted) {
            std::fprintf(stderr, "unexpected name %s, wanted %s\n",
                         names[static_cast<std::size_t>(i)].c_str(), wanted.c_str());
            ok = false;
        }
    }
    names.clear();
    names.shrink_to_fit();
    malloc_trim(0); // keep the bench small: a forked child starts with its pages
    return ok;
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

CMeasure WaitFor(pid_t pid, std::chrono::steady_clock::time_point start) {
    CMeasure measure;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) == pid) {
        measure.milliseconds = MillisecondsSince(start);
        measure.maxRssKiB = usage.ru_maxrss;
        measure.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return measure;
}

// One batch run of the executable; its console output goes to outputFile.
CMeasure RunBatch(const std::string& root, const std::string& folder, bool recursive,
                  const std::string& outputFile) {
    std::vector<std::string> argumentTexts = {NR_EXECUTABLE_PATH,
                                              "RENAME=1",
                                              "PATH=" + folder,
                                              "NRFILE=" + root + "/rules.ini",
                                              "UNDOFILE=" + root + "/undo.sh",
                                              "PAUSE=0"};
    if (recursive) {
        argumentTexts.push_back("RECURSIVE=1");
    }
    std::vector<std::string> environmentTexts;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::strncmp(*variable, "XDG_CONFIG_HOME=", 16) != 0) {
            environmentTexts.emplace_back(*variable);
        }
    }
    environmentTexts.push_back("XDG_CONFIG_HOME=" + root + "/config");
    std::vector<char*> argv;
    for (std::string& text : argumentTexts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& text : environmentTexts) {
        envp.push_back(text.data());
    }
    envp.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int input = open("/dev/null", O_RDONLY);
        const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (input < 0 || output < 0 || dup2(input, STDIN_FILENO) < 0 ||
            dup2(output, STDOUT_FILENO) < 0) {
            _exit(126);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (pid < 0) {
        return CMeasure{};
    }
    return WaitFor(pid, start);
}

// What a bare loop does besides the renames: nothing; also the scan
// (readdir + lstat of every entry, names sorted); also the scan and one
// write of an undo line per move before it, as a kill-proof undo script
// needs.
enum class RawWork { RenameOnly, ScanAndRename, ScanRenameAndJournal };

// The same renames as a bare loop in a child process.
CMeasure RunRawLoop(const std::string& folder, const CBenchOptions& options, RawWork work,
                    const std::string& journalPath) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (work != RawWork::RenameOnly) {
            (void)RawScan(AllFolders(folder, options));
        }
        int journal = -1;
        if (work == RawWork::ScanRenameAndJournal) {
            journal = open(journalPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0755);
            if (journal < 0) {
                _exit(4);
            }
        }
        std::string from;
        std::string to;
        std::string line;
        std::string holder;
        std::size_t prefix = 0;
        char name[64];
        int failed = 0;
        for (int i = 0; i < options.files; ++i) {
            if (i % (options.files / options.folders) == 0) { // a new block, a new folder
                holder = FolderOf(folder, options, i);
                holder += '/';
                prefix = holder.size();
                from = holder;
                to = holder;
            }
            OldName(name, sizeof name, i);
            from.resize(prefix);
            from += name;
            NewName(name, sizeof name, i, options.files / options.folders);
            to.resize(prefix);
            to += name;
            if (journal >= 0) {
                line.assign("nr_undo '").append(to).append("' '").append(from).append("'\n");
                if (write(journal, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
                    ++failed;
                }
            }
            if (RenameNoReplace(from.c_str(), to.c_str()) != 0) {
                ++failed;
            }
        }
        if (journal >= 0) {
            close(journal);
        }
        _exit(failed == 0 ? 0 : 1);
    }
    if (pid < 0) {
        return CMeasure{};
    }
    return WaitFor(pid, start);
}

// Counts the OK lines of the batch output and checks that no line failed.
bool CheckBatchOutput(const std::string& outputFile, int count) {
    std::ifstream in(outputFile);
    std::string line;
    int ok = 0;
    while (std::getline(in, line)) {
        if (line.rfind("OK: [", 0) == 0) {
            ++ok;
        } else if (line.rfind("ERR: [", 0) == 0) {
            return false;
        }
    }
    return ok == count;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long MaxOf(const std::vector<long>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

} // namespace

int main(int argc, char** argv) {
    CBenchOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--files N] [--folders F (dividing N)] [--runs R] [--dir FOLDER]\n",
                     argv[0]);
        return 2;
    }
    std::string pattern = options.dir + "/nr-batch-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror(pattern.c_str());
        return 1;
    }
    const std::string root = pattern;
    const std::string folder = root + "/files";
    const std::string outputFile = root + "/batch-output.txt";
    fs::create_directories(root + "/config");
    {
        std::ofstream rules(root + "/rules.ini", std::ios::binary);
        rules << "[Filename]\r\nInsertBefore=1\r\nInsertBeforeValue=\"x_\"\r\n"
                 "[Autonumber]\r\nStartAt=1\r\nIncrement=1\r\nZeroFill=5\r\nAction=2\r\n";
    }

    // Four contestants, each run once per round in turn, so that a slow
    // spell of the machine hits them alike.
    struct CContestant {
        const char* label;
        std::vector<double> times;
        std::vector<long> rss;
    };
    CContestant contestants[] = {{"norvikrename RENAME=1", {}, {}},
                                 {"renameat2 NOREPLACE loop", {}, {}},
                                 {"  + readdir/lstat/sort", {}, {}},
                                 {"  + undo line written/move", {}, {}}};
    const RawWork rawWork[] = {RawWork::RenameOnly, RawWork::ScanAndRename,
                               RawWork::ScanRenameAndJournal};
    bool ok = true;
    for (int run = 0; run < options.runs && ok; ++run) {
        for (int c = 0; c < 4 && ok; ++c) {
            ok = CreateFiles(folder, options);
            if (!ok) {
                break;
            }
            CMeasure measure;
            if (c == 0) {
                measure = RunBatch(root, folder, options.folders > 1, outputFile);
                ok = measure.status == 0 && HasExpectedNames(folder, options) &&
                     CheckBatchOutput(outputFile, options.files) && fs::exists(root + "/undo.sh");
            } else {
                measure = RunRawLoop(folder, options, rawWork[c - 1], root + "/raw-undo.sh");
                ok = measure.status == 0 && HasExpectedNames(folder, options);
            }
            if (!ok) {
                std::fprintf(stderr, "%s, run %d failed (exit status %d)\n", contestants[c].label,
                             run + 1, measure.status);
                break;
            }
            contestants[c].times.push_back(measure.milliseconds);
            contestants[c].rss.push_back(measure.maxRssKiB);
        }
    }
    RemoveAllIn(root);
    if (!ok) {
        return 1;
    }

    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    const double loopMedian = Median(contestants[1].times);
    if (options.folders == 1) {
        std::printf("batch rename of %d files in one folder, %d runs (median; min..max)\n",
                    options.files, options.runs);
    } else {
        std::printf("batch rename of %d files in %d folders (RECURSIVE=1), %d runs (median; "
                    "min..max)\n",
                    options.files, options.folders, options.runs);
    }
    std::printf("%-28s %12s %22s %14s %10s\n", "", "median ms", "min..max ms", "peak RSS MiB",
                "/ loop");
    for (const CContestant& contestant : contestants) {
        const double median = Median(contestant.times);
        std::printf("%-28s %12.1f %10.1f..%-10.1f %14.1f %10.2f\n", contestant.label, median,
                    *std::min_element(contestant.times.begin(), contestant.times.end()),
                    *std::max_element(contestant.times.begin(), contestant.times.end()),
                    static_cast<double>(MaxOf(contestant.rss)) / 1024.0, median / loopMedian);
    }
    std::printf("%-28s %12.1f\n", "per file, batch (us)",
                Median(contestants[0].times) * 1000.0 / options.files);
    std::printf("%-28s %12.1f\n", "per file, loop (us)", loopMedian * 1000.0 / options.files);
    std::printf("(the bench process itself peaked at %.1f MiB; a forked child starts with its "
                "pages)\n",
                static_cast<double>(self.ru_maxrss) / 1024.0);
    return 0;
}
