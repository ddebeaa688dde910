// SPDX-License-Identifier: GPL-3.0-or-later
// Measures a batch run of the real executable, without and with its undo
// script, against the least a program could do for the same job (one
// renameat2(RENAME_NOREPLACE) per file) and against the other programs that
// do the same job from the command line: mmv and perl rename (file-rename),
// each when it is installed.
//
//   nr_batch_bench [--files N] [--folders F] [--runs R] [--dir FOLDER]
//                  [--tmpfs FOLDER|none]
//
// Every contestant runs once per round on the tmpfs folder (default
// /dev/shm) and then on the disk folder (--dir, default $TMPDIR or /tmp),
// and each file system gets its own table. A second bare loop names the
// files relative to an open handle of their folder, as the batch run does,
// so the kernel walks the folder's path once per folder instead of twice per
// file; the ratios stay against the loop with full paths. Two more bare
// loops show what a renamer that lists the folder and keeps an undo script
// cannot leave out: the scan of the folder (readdir, lstat, sort) and one
// write of the undo line before each move.
//
// Every contestant renames N files "img_000000.jpg" ... of one folder to
// "x_img_000000.jpg" ... (a text put in front of the name). With F folders
// the files lie in F sub-folders "d0000" ... in blocks of N/F and the batch
// run is recursive. Each run starts on freshly created files; creating and
// checking them is not timed. Wall time is measured from fork to the end of
// the child, so it includes starting the process; the peak memory is the
// child's ru_maxrss from wait4.

#include "RawScan.h"
#include "support/ChildEnvironment.h"
#include "support/InsertBeforeOptions.h"

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

namespace {

namespace fs = std::filesystem;

struct CBenchOptions {
    int files = 100000;
    int folders = 1;
    int runs = 5;
    std::string dir;
    std::string tmpfs = "/dev/shm";
};

struct CMeasure {
    double milliseconds = 0;
    long maxRssKiB = 0;
    int status = -1;
};

void OldName(char* buffer, std::size_t size, int i) {
    std::snprintf(buffer, size, "img_%06d.jpg", i);
}

void NewName(char* buffer, std::size_t size, int i) {
    std::snprintf(buffer, size, "x_img_%06d.jpg", i);
}

int RenameNoReplace(int folderFd, const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
    return static_cast<int>(syscall(SYS_renameat2, folderFd, from, folderFd, to, RENAME_NOREPLACE));
#else
    return static_cast<int>(syscall(SYS_renameat2, folderFd, from, folderFd, to, 1u));
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
        } else if (argument == "--tmpfs") {
            options.tmpfs = value;
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
        NewName(expected, sizeof expected, i);
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

// Runs argv with the environment environmentTexts in folder (the current
// folder of the child), standard input from inputFile, standard output to
// outputFile.
CMeasure RunProgram(std::vector<std::string> argumentTexts,
                    std::vector<std::string> environmentTexts, const std::string& folder,
                    const std::string& inputFile, const std::string& outputFile) {
    const std::vector<char*> argv = ExecArray(argumentTexts);
    const std::vector<char*> envp = ExecArray(environmentTexts);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int input = open(inputFile.c_str(), O_RDONLY);
        const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (input < 0 || output < 0 || dup2(input, STDIN_FILENO) < 0 ||
            dup2(output, STDOUT_FILENO) < 0 || chdir(folder.c_str()) != 0) {
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

// One batch run of the executable, with an undo script or without; its
// console output goes to outputFile.
CMeasure RunBatch(const std::string& root, const std::string& folder, bool recursive, bool withUndo,
                  const std::string& outputFile) {
    std::vector<std::string> argumentTexts = {NR_EXECUTABLE_PATH, "RENAME=1", "PATH=" + folder,
                                              "NRFILE=" + root + "/rules.ini", "PAUSE=0"};
    if (withUndo) {
        argumentTexts.push_back("UNDOFILE=" + root + "/undo.sh");
    }
    if (recursive) {
        argumentTexts.push_back("RECURSIVE=1");
    }
    return RunProgram(std::move(argumentTexts),
                      EnvironmentWith({{"XDG_CONFIG_HOME", root + "/config"}}), root, "/dev/null",
                      outputFile);
}

// The full path of an installed program, empty when there is none.
std::string FindProgram(const char* name) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', begin), folders.size());
        const std::string candidate = folders.substr(begin, end - begin) + "/" + name;
        if (end > begin && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        begin = end + 1;
    }
    return {};
}

// mmv with the same job: in one folder 'img_*' to 'x_img_#1', in the
// sub-folders 'd*/img_*' to 'd#1/x_img_#2'.
CMeasure RunMmv(const std::string& program, const std::string& folder, bool recursive) {
    std::vector<std::string> argumentTexts = {program};
    if (recursive) {
        argumentTexts.insert(argumentTexts.end(), {"d*/img_*", "d#1/x_img_#2"});
    } else {
        argumentTexts.insert(argumentTexts.end(), {"img_*", "x_img_#1"});
    }
    return RunProgram(std::move(argumentTexts), EnvironmentWith(), folder, "/dev/null",
                      "/dev/null");
}

// perl rename with the same job; it reads the names (relative to the folder,
// written beforehand into namesFile) from its standard input, so it does
// not even list the folder.
CMeasure RunPerlRename(const std::string& program, const std::string& folder,
                       const std::string& namesFile) {
    return RunProgram({program, "s/img_/x_img_/"}, EnvironmentWith(), folder, namesFile,
                      "/dev/null");
}

// The old names relative to folder, one a line, for perl rename.
bool WriteNamesFile(const std::string& path, const std::string& folder,
                    const CBenchOptions& options) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    char name[64];
    for (int i = 0; i < options.files; ++i) {
        std::string holder = FolderOf(folder, options, i);
        holder.erase(0, folder.size());
        if (!holder.empty()) {
            holder.erase(0, 1); // the "/"
            holder += '/';
        }
        OldName(name, sizeof name, i);
        out << holder << name << '\n';
    }
    return static_cast<bool>(out);
}

// What a bare loop does besides the renames: nothing; nothing, with the
// names relative to a handle of their folder (the kernel then walks the
// folder's path once per folder instead of twice per file); also the scan
// (readdir + lstat of every entry, names sorted); also the scan and one
// write of an undo line per move before it, as a kill-proof undo script
// needs.
enum class RawWork { RenameOnly, RenameInOpenFolder, ScanAndRename, ScanRenameAndJournal };

// The same renames as a bare loop in a child process.
CMeasure RunRawLoop(const std::string& folder, const CBenchOptions& options, RawWork work,
                    const std::string& journalPath) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (work == RawWork::ScanAndRename || work == RawWork::ScanRenameAndJournal) {
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
        const bool inOpenFolder = work == RawWork::RenameInOpenFolder;
        int folderFd = AT_FDCWD;
        for (int i = 0; i < options.files; ++i) {
            if (i % (options.files / options.folders) == 0) { // a new block, a new folder
                holder = FolderOf(folder, options, i);
                if (inOpenFolder) {
                    if (folderFd != AT_FDCWD) {
                        close(folderFd);
                    }
                    folderFd = open(holder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
                    holder.clear();
                } else {
                    holder += '/';
                }
                prefix = holder.size();
                from = holder;
                to = holder;
            }
            OldName(name, sizeof name, i);
            from.resize(prefix);
            from += name;
            NewName(name, sizeof name, i);
            to.resize(prefix);
            to += name;
            if (journal >= 0) {
                line.assign("nr_undo '").append(to).append("' '").append(from).append("'\n");
                if (write(journal, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
                    ++failed;
                }
            }
            if (RenameNoReplace(folderFd, from.c_str(), to.c_str()) != 0) {
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

namespace {

// Every contestant of one file system, each run once per round in turn, so
// that a slow spell of the machine hits them alike. Prints the table; false
// when any run failed.
bool RunOn(const std::string& base, const std::string& fileSystem, const CBenchOptions& options) {
    std::string pattern = base + "/nr-batch-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror(pattern.c_str());
        return false;
    }
    const std::string root = pattern;
    const std::string folder = root + "/files";
    const std::string outputFile = root + "/batch-output.txt";
    const std::string namesFile = root + "/names.txt";
    fs::create_directories(root + "/config");
    {
        std::ofstream rules(root + "/rules.ini", std::ios::binary);
        rules << InsertBeforeOptions("x_");
    }
    const bool recursive = options.folders > 1;
    const std::string mmv = FindProgram("mmv");
    // Debian's perl rename; "rename" may be util-linux's, which takes other
    // arguments.
    const std::string perlRename = FindProgram("file-rename");

    enum Kind { Loop, FolderLoop, ScanLoop, JournalLoop, Batch, BatchUndo, Mmv, PerlRename };
    struct CContestant {
        Kind kind;
        const char* label;
        std::vector<double> times;
        std::vector<long> rss;
    };
    std::vector<CContestant> contestants = {{Loop, "renameat2 NOREPLACE loop", {}, {}},
                                            {FolderLoop, "  names in an open folder", {}, {}},
                                            {ScanLoop, "  + readdir/lstat/sort", {}, {}},
                                            {JournalLoop, "  + undo line written/move", {}, {}},
                                            {Batch, "norvikrename RENAME=1", {}, {}},
                                            {BatchUndo, "  with UNDOFILE", {}, {}}};
    if (!mmv.empty()) {
        contestants.push_back(
            {Mmv, recursive ? "mmv 'd*/img_*' 'd#1/x_img_#2'" : "mmv 'img_*' 'x_img_#1'", {}, {}});
    }
    if (!perlRename.empty()) {
        contestants.push_back({PerlRename, "perl rename (file-rename)", {}, {}});
    }
    bool ok = WriteNamesFile(namesFile, folder, options);
    for (int run = 0; run < options.runs && ok; ++run) {
        for (CContestant& contestant : contestants) {
            ok = CreateFiles(folder, options);
            if (!ok) {
                break;
            }
            CMeasure measure;
            switch (contestant.kind) {
            case Loop:
            case FolderLoop:
            case ScanLoop:
            case JournalLoop: {
                const RawWork work = contestant.kind == Loop         ? RawWork::RenameOnly
                                     : contestant.kind == FolderLoop ? RawWork::RenameInOpenFolder
                                     : contestant.kind == ScanLoop   ? RawWork::ScanAndRename
                                                                   : RawWork::ScanRenameAndJournal;
                measure = RunRawLoop(folder, options, work, root + "/raw-undo.sh");
                break;
            }
            case Batch:
            case BatchUndo:
                fs::remove(root + "/undo.sh");
                measure =
                    RunBatch(root, folder, recursive, contestant.kind == BatchUndo, outputFile);
                break;
            case Mmv:
                measure = RunMmv(mmv, folder, recursive);
                break;
            case PerlRename:
                measure = RunPerlRename(perlRename, folder, namesFile);
                break;
            }
            ok = measure.status == 0 && HasExpectedNames(folder, options);
            if (ok && (contestant.kind == Batch || contestant.kind == BatchUndo)) {
                ok = CheckBatchOutput(outputFile, options.files) &&
                     fs::exists(root + "/undo.sh") == (contestant.kind == BatchUndo);
            }
            if (!ok) {
                std::fprintf(stderr, "%s, run %d failed (exit status %d)\n", contestant.label,
                             run + 1, measure.status);
                break;
            }
            contestant.times.push_back(measure.milliseconds);
            contestant.rss.push_back(measure.maxRssKiB);
        }
    }
    RemoveAllIn(root);
    if (!ok) {
        return false;
    }

    const double loopMedian = Median(contestants[0].times);
    std::printf("\n%s (%s): batch rename of %d files", base.c_str(), fileSystem.c_str(),
                options.files);
    if (recursive) {
        std::printf(" in %d folders (RECURSIVE=1)", options.folders);
    } else {
        std::printf(" in one folder");
    }
    std::printf(" to \"x_\" + name, %d runs (median; min..max)\n", options.runs);
    std::printf("%-32s %10s %22s %13s %8s\n", "", "median ms", "min..max ms", "peak RSS MiB",
                "/ loop");
    for (const CContestant& contestant : contestants) {
        const double median = Median(contestant.times);
        std::printf("%-32s %10.1f %10.1f..%-10.1f %13.1f %8.2f\n", contestant.label, median,
                    *std::min_element(contestant.times.begin(), contestant.times.end()),
                    *std::max_element(contestant.times.begin(), contestant.times.end()),
                    static_cast<double>(MaxOf(contestant.rss)) / 1024.0, median / loopMedian);
    }
    std::printf("%-32s %10.2f\n", "per file, batch (us)",
                Median(contestants[4].times) * 1000.0 / options.files);
    std::printf("%-32s %10.2f\n", "per file, loop (us)", loopMedian * 1000.0 / options.files);
    if (options.files >= 1000000) {
        // A million files: the run may cost at most a tenth more than the
        // bare loop, and hold at most 160 MB (10^6 bytes) at its peak.
        const CContestant& batch = contestants[4];
        std::printf("targets: %s <= 1.10 x loop (now %.2f); peak <= 160 MB (now %.1f MB)\n",
                    batch.label, Median(batch.times) / loopMedian,
                    static_cast<double>(MaxOf(batch.rss)) * 1024.0 / 1e6);
    }
    return true;
}

// The type of the file system that holds path ("tmpfs", "ext4", ...), as
// /proc/self/mounts names it for the longest mount point above it.
std::string FileSystemType(const std::string& path) {
    std::error_code error;
    const std::string real = fs::canonical(path, error).string();
    std::ifstream mounts("/proc/self/mounts");
    std::string device;
    std::string mountPoint;
    std::string type;
    std::string rest;
    std::string best;
    std::string bestType = "?";
    while (mounts >> device >> mountPoint >> type && std::getline(mounts, rest)) {
        const bool above =
            real == mountPoint || (real.rfind(mountPoint, 0) == 0 &&
                                   (mountPoint == "/" || real[mountPoint.size()] == '/'));
        if (above && mountPoint.size() >= best.size()) {
            best = mountPoint;
            bestType = type;
        }
    }
    return bestType;
}

} // namespace

int main(int argc, char** argv) {
    CBenchOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--files N] [--folders F (dividing N)] [--runs R] [--dir FOLDER] "
                     "[--tmpfs FOLDER|none]\n",
                     argv[0]);
        return 2;
    }
    std::vector<std::string> bases;
    if (options.tmpfs != "none" && FileSystemType(options.tmpfs) == "tmpfs") {
        bases.push_back(options.tmpfs);
    } else if (options.tmpfs != "none") {
        std::fprintf(stderr, "%s is not a tmpfs: left out\n", options.tmpfs.c_str());
    }
    if (std::find(bases.begin(), bases.end(), options.dir) == bases.end()) {
        bases.push_back(options.dir);
    }
    for (const std::string& base : bases) {
        if (!RunOn(base, FileSystemType(base), options)) {
            return 1;
        }
    }
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::printf("(the bench process itself peaked at %.1f MiB; a forked child starts with its "
                "pages)\n",
                static_cast<double>(self.ru_maxrss) / 1024.0);
    return 0;
}
