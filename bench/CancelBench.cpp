// SPDX-License-Identifier: GPL-3.0-or-later
// How fast "Annuleren" stops work that runs on the window's thread, on the
// real main window (offscreen platform):
//   (a) a recursive listing of a tree of 100,000 files (1,000 folders of
//       100 files): "Recursieve modus" is switched on, and once the listing
//       progress shows, "Annuleren" is clicked from a timer;
//   (b) a name computation of 100,000 rows with the rule "[<CRC32>]" (every
//       row reads its file): the bar shows after 1500 ms, and "Annuleren" is
//       clicked from a timer.
// For each run it prints: from the moment the click was due until the
// click ran (the wait for the next poll that lets events through), from
// the click until the work stopped (the progress closed), and from the
// click until the command returned (for the listing this includes the
// listing again without sub-folders; for the computation the preview left
// empty).
//
//   nr_cancel_bench [--files N] [--runs R] [--delay MS] [--dir FOLDER] [--only a|b]
//                   [--size BYTES]
//
// --size gives the files of (b) that many bytes (sparse, so they cost no
// disk), enough that computing every CRC-32 outlasts the 1500 ms before the
// bar shows; the default files are a few bytes and the computation may end
// before any progress shows.
//
// Times are wall-clock milliseconds. Nothing here asserts a time.

#include "app/CommandLineKeywords.h"
#include "app/MessageBoxes.h"
#include "app/ProgramSettings.h"
#include "engine/RenameCore.h"
#include "ui/MainCommands.h"
#include "ui/MainDlg.h"
#include "ui/ProgressBarDlg.h"
#include "ui/ProgressTextDlg.h"
#include "ui/RecordingFileDialogs.h"
#include "ui/RecordingPopupMenus.h"
#include "ui/WorkProgress.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct CBenchOptions {
    int files = 100000;
    int runs = 3;
    int delay = 300; ///< ms from the progress showing until the click is due
    std::string base = std::filesystem::temp_directory_path().string();
    std::string only; ///< "a" or "b": that work alone
    long long size = 0; ///< bytes of every file of (b); 0 for a short text
};

double Between(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void WriteSmallFile(const std::string& path, int index) {
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd >= 0) {
        char content[64];
        const int length = std::snprintf(content, sizeof content, "file %d\n", index);
        (void)!write(fd, content, static_cast<size_t>(length));
        close(fd);
    }
}

/// A tree of files: folders of 100 files each.
void MakeTree(const std::string& root, int files) {
    constexpr int kPerFolder = 100;
    for (int i = 0; i < files; ++i) {
        char folder[32];
        std::snprintf(folder, sizeof folder, "dir%04d/", i / kPerFolder);
        if (i % kPerFolder == 0) {
            std::filesystem::create_directories(root + folder);
        }
        char name[32];
        std::snprintf(name, sizeof name, "f%06d.txt", i);
        WriteSmallFile(root + folder + name, i);
    }
}

void MakeFlat(const std::string& root, int files, long long size) {
    std::filesystem::create_directories(root);
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%06d.txt", i);
        WriteSmallFile(root + name, i);
        if (size > 0 && truncate((root + name).c_str(), static_cast<off_t>(size)) != 0) {
            std::perror("truncate");
            std::exit(1);
        }
    }
}

struct CWindow {
    CWindow(const std::string& folder, const std::string& settingsPath) {
        settings.SetDefaults(0, 0);
        settings.width = 1000;
        settings.height = 700;
        settings.rememberLastPath = false;
        settings.reloadUserOptionsOnStart = false;
        // Every row is computed, not only the selected ones.
        settings.renameOnlySelectedFiles = false;
        keywords.Parse(CCommandLineKeywords::JoinArguments({"PATH=" + folder}));
        window = std::make_unique<CMainDlg>(CMainDlgServices{
            settings, keywords, messageBoxes, fileDialogs, popupMenus, settingsPath});
        window->show();
    }

    CProgramSettings settings;
    CCommandLineKeywords keywords;
    CRecordingMessageBoxes messageBoxes;
    CRecordingFileDialogs fileDialogs;
    CRecordingPopupMenus popupMenus;
    std::unique_ptr<CMainDlg> window;
};

/// The times of one cancelled run.
struct CRun {
    std::optional<Clock::time_point> due;
    std::optional<Clock::time_point> clicked;
    std::optional<Clock::time_point> stopped;
    Clock::time_point returned;
};

/// Arms the window: when a progress dialog of the wanted kind shows, the
/// click is due delay ms later; the dialog's end is the work's stop.
template <typename Dialog>
void ArmCancel(CMainDlg& window, CRun& run, int delay) {
    window.GetWorkProgress().SetShownHandler([&run, delay](CProgressDialog& dialog) {
        if (qobject_cast<Dialog*>(&dialog) == nullptr) {
            return;
        }
        QObject::connect(&dialog, &QObject::destroyed, &dialog,
                         [&run] { run.stopped = Clock::now(); });
        QObject::connect(&dialog, &CProgressDialog::Cancelled, &dialog,
                         [&run] { run.clicked = Clock::now(); });
        run.due = Clock::now() + std::chrono::milliseconds(delay);
        QPushButton* button = dialog.GetCancelButton();
        QTimer::singleShot(delay, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    });
}

void Report(const char* work, int index, const CRun& run, Clock::time_point started) {
    if (!run.clicked) {
        std::printf("%-28s run %d: finished before the click (%s; %.1f ms in all)\n", work, index,
                    run.due ? "progress shown" : "no progress shown",
                    Between(started, run.returned));
        return;
    }
    std::printf("%-28s run %d: due->click %7.1f  click->stopped %7.1f  click->returned %7.1f\n",
                work, index, Between(*run.due, *run.clicked),
                run.stopped ? Between(*run.clicked, *run.stopped) : -1.0,
                Between(*run.clicked, run.returned));
}

CBenchOptions ParseOptions(int argc, char** argv) {
    CBenchOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--files") {
            options.files = std::atoi(argv[i + 1]);
        } else if (key == "--runs") {
            options.runs = std::atoi(argv[i + 1]);
        } else if (key == "--delay") {
            options.delay = std::atoi(argv[i + 1]);
        } else if (key == "--only") {
            options.only = argv[i + 1];
        } else if (key == "--size") {
            options.size = std::atoll(argv[i + 1]);
        } else if (key == "--dir") {
            options.base = argv[i + 1];
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const CBenchOptions options = ParseOptions(argc, argv);
    QApplication app(argc, argv);

    const std::string root = options.base + "/nr-cancel-bench-" + std::to_string(getpid()) + "/";
    const std::string tree = root + "tree/";
    const std::string flat = root + "flat/";
    std::filesystem::create_directories(root);
    std::printf("making %d files in a tree and %d in one folder under %s\n", options.files,
                options.files, root.c_str());
    std::fflush(stdout);
    if (options.only != "b") {
        MakeTree(tree, options.files);
    }
    if (options.only != "a") {
        MakeFlat(flat, options.files, options.size);
    }

    if (options.only != "b") {
        CWindow window(tree, root + "settings.ini");
        for (int i = 1; i <= options.runs; ++i) {
            CRun run;
            ArmCancel<CProgressTextDlg>(*window.window, run, options.delay);
            const Clock::time_point started = Clock::now();
            window.window->GetAction(cmd::kRecursive)->trigger();
            run.returned = Clock::now();
            Report("(a) recursive listing", i, run, started);
            window.window->GetWorkProgress().SetShownHandler(nullptr);
            if (window.window->GetAction(cmd::kRecursive)->isChecked()) {
                window.window->GetAction(cmd::kRecursive)->trigger();
            }
        }
    }
    if (options.only != "a") {
        CWindow window(flat, root + "settings.ini");
        for (int i = 1; i <= options.runs; ++i) {
            CRenameCore& core = window.window->GetCore();
            CNameRuleBlock& rules = core.GetOptions().name;
            rules.replaceWithOn = true;
            rules.replaceWithText = "[<CRC32>]";
            CRun run;
            ArmCancel<CProgressBarDlg>(*window.window, run, options.delay);
            const Clock::time_point started = Clock::now();
            window.window->RecomputePreview(true);
            run.returned = Clock::now();
            Report("(b) computation with CRC32", i, run, started);
            window.window->GetWorkProgress().SetShownHandler(nullptr);
            // The cancel turned the automatic preview off; the next run
            // computes by force again.
        }
    }

    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
