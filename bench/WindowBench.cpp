// SPDX-License-Identifier: GPL-3.0-or-later
// The speed and the memory of the real main window over one folder of
// 100,000 empty files, on the offscreen platform:
//   - opening the folder: from the window's construction (PATH= the folder)
//     until the file list has painted its first rows, against Refresh of a
//     bare catalogue with the default columns;
//   - one keystroke in "Invoegen voor de bestandsnaam": from the key until
//     the preview has repainted its visible rows with the new names, with
//     every row computed and with "Hernoem alleen de geselecteerde
//     bestanden" ticked and one row selected;
//   - select all (Ctrl+A), a click on the header "Grootte" and PageDown in
//     the file list, each until the lists have repainted, with the typed
//     insert-before rule still on;
//   - beside the keystroke, select all and the click, the same work on a
//     bare core (ComputeNewNames, SetRowsSelected, SortBy), so that what the
//     window adds shows apart from what the core does;
//   - the resident memory the window adds with its 100,000 rows, against
//     what a bare core holds with the same folder and its preview (measured
//     in a second run of this program, --core-only, so the two do not share
//     heap growth).
//
//   nr_window_bench [--files N] [--runs R] [--keys K] [--dir FOLDER]
//   nr_window_bench --core-only --folder FOLDER   (prints the core's memory)
//   nr_window_bench --open-only [--files N] ...     (times the opening alone,
//                                                    for a profiler)
//
// Times are wall-clock milliseconds, medians over the runs. Nothing here
// asserts a time: the program prints figures.

#include "app/CommandLineKeywords.h"
#include "app/MessageBoxes.h"
#include "app/ProgramSettings.h"
#include "catalogue/DefaultColumns.h"
#include "catalogue/FileCatalogue.h"
#include "engine/RenameCore.h"
#include "resources/StringTable.h"
#include "ui/FilenameTab.h"
#include "ui/MainDlg.h"
#include "ui/MainFileList.h"
#include "ui/PreviewList.h"
#include "ui/QtText.h"
#include "ui/RecordingFileDialogs.h"
#include "ui/RecordingPopupMenus.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTimeoutSeconds = 60;

struct CBenchOptions {
    int files = 100000;
    int runs = 5;
    int keys = 20;
    std::string base = std::filesystem::temp_directory_path().string();
    bool coreOnly = false;
    bool openOnly = false;
    std::string folder; ///< --core-only: the folder to list
};

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Max(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

/// VmRSS of this process in KiB.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return 0;
}

/// VmHWM of this process in KiB: the most it has held resident.
long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmHWM:") == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return 0;
}

/// Resident memory after the allocator has given back what it can, so
/// that freed blocks of earlier work do not count.
long TrimmedResidentKiB() {
    malloc_trim(0);
    return ResidentKiB();
}

void MakeEmptyFiles(const std::string& folder, int count) {
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "IMG_%06d photo.jpg", (i * 7919) % count);
        const int fd = open((folder + name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd >= 0) {
            close(fd);
        }
    }
}

/// Counts the paint events of the widgets it watches.
class CPaintCounter : public QObject {
public:
    void Watch(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

/// Processes events until done() holds; false after the timeout.
bool ProcessUntil(const std::function<bool()>& done) {
    const auto start = Clock::now();
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (Milliseconds(start) > kTimeoutSeconds * 1000) {
            return false;
        }
    }
    return true;
}

/// Lets the window finish whatever is pending (layouts, repaints, timers).
void Settle() {
    const auto start = Clock::now();
    while (Milliseconds(start) < 100) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

/// The window over folder, as the program makes it, with the seams of the
/// tests answering boxes and dialogs. Settings are the defaults of a
/// 1000 x 700 window, never the user's file.
struct CWindow {
    explicit CWindow(const std::string& folder, const std::string& settingsPath) {
        settings.SetDefaults(0, 0);
        settings.width = 1000;
        settings.height = 700;
        settings.rememberLastPath = false;
        keywords.Parse(CCommandLineKeywords::JoinArguments({"PATH=" + folder}));
        window = std::make_unique<CMainDlg>(CMainDlgServices{
            settings, keywords, messageBoxes, fileDialogs, popupMenus, settingsPath});
    }

    CProgramSettings settings;
    CCommandLineKeywords keywords;
    CRecordingMessageBoxes messageBoxes;
    CRecordingFileDialogs fileDialogs;
    CRecordingPopupMenus popupMenus;
    std::unique_ptr<CMainDlg> window;
};

struct CRow {
    std::string work;
    double ours;
    double baseline; ///< 0 when the work has no baseline
    std::string note;
};

void PrintRows(const char* unit, const std::vector<CRow>& rows) {
    std::printf("%-58s %10s %10s %7s\n", "work", (std::string("ours ") + unit).c_str(),
                (std::string("base ") + unit).c_str(), "ratio");
    for (const CRow& row : rows) {
        if (row.baseline > 0) {
            std::printf("%-58s %10.1f %10.1f %7.2f  %s\n", row.work.c_str(), row.ours, row.baseline,
                        row.ours / row.baseline, row.note.c_str());
        } else {
            std::printf("%-58s %10.1f %10s %7s  %s\n", row.work.c_str(), row.ours, "", "",
                        row.note.c_str());
        }
    }
}

/// --core-only: the memory a bare core holds with the folder listed and the
/// preview computed, printed as "core-kib <growth> <total>".
int RunCoreOnly(const std::string& folder) {
    const long before = TrimmedResidentKiB();
    CRenameCore core;
    AddDefaultColumns(core.GetCatalogue());
    core.GetCatalogue().SetFolder(folder, true);
    core.GetCatalogue().Refresh();
    core.ComputeNewNames(true);
    const long after = TrimmedResidentKiB();
    std::printf("core-kib %ld %ld %d\n", after - before, after, core.GetCatalogue().GetRowCount());
    return 0;
}

/// The growth the core alone shows, from a second run of this program.
long CoreOnlyKiB(const std::string& folder, long& total) {
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        return 0;
    }
    self[length] = '\0';
    const std::string command = std::string("'") + self + "' --core-only --folder '" + folder + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return 0;
    }
    long growth = 0;
    int rows = 0;
    if (std::fscanf(pipe, "core-kib %ld %ld %d", &growth, &total, &rows) != 3) {
        growth = 0;
    }
    pclose(pipe);
    return growth;
}

/// The same work on a bare core (no window), for the rows of the table.
struct CCoreTimes {
    std::vector<double> refresh;   ///< Refresh of a bare catalogue
    std::vector<double> sort;      ///< SortBy the size column, with the preview
    std::vector<double> key;       ///< ComputeNewNames, insert before, every row
    std::vector<double> selectAll; ///< all rows selected from one, only selected on
};

CCoreTimes TimeBareCore(const std::string& folder, int runs) {
    CCoreTimes times;
    for (int run = 0; run < runs; ++run) {
        CFileCatalogue catalogue;
        AddDefaultColumns(catalogue);
        catalogue.SetFolder(folder, true);
        // Each window opens on a heap given back to the system (see
        // TrimmedResidentKiB), so its memory is fresh pages; the base
        // refreshes on the same, or the heap the last run freed would spare
        // it the page faults that the window pays.
        malloc_trim(0);
        const auto start = Clock::now();
        catalogue.Refresh();
        times.refresh.push_back(Milliseconds(start));
    }
    CRenameCore core;
    CFileCatalogue& catalogue = core.GetCatalogue();
    AddDefaultColumns(catalogue);
    catalogue.SetFolder(folder, true);
    catalogue.Refresh();
    core.ComputeNewNames(true);
    int sizeColumn = -1;
    for (int column = 0; column < catalogue.GetColumnCount(); ++column) {
        if (catalogue.GetColumn(column).kind == ColumnKind::Size) {
            sizeColumn = column;
        }
    }
    for (int run = 0; run < runs && sizeColumn >= 0; ++run) {
        const auto start = Clock::now();
        catalogue.SortBy(sizeColumn, run % 2 == 0);
        times.sort.push_back(Milliseconds(start));
    }
    CRenameOptions& options = core.GetOptions();
    options.renameOnlySelected = false;
    options.name.insertBeforeOn = true;
    for (int run = 0; run < runs; ++run) {
        options.name.insertBeforeText += static_cast<char>('a' + run % 26);
        const auto start = Clock::now();
        core.ComputeNewNames(false);
        times.key.push_back(Milliseconds(start));
    }
    options.renameOnlySelected = true;
    const int rows = catalogue.GetRowCount();
    for (int run = 0; run < runs && rows > 0; ++run) {
        core.SetRowsSelected({{0, rows - 1}}, false);
        core.SetRowsSelected({{0, 0}}, true);
        const auto start = Clock::now();
        core.SetRowsSelected({{0, rows - 1}}, true);
        times.selectAll.push_back(Milliseconds(start));
    }
    return times;
}

QString TopPreviewText(CPreviewList* preview) {
    const int row = preview->rowAt(0);
    if (row < 0) {
        return {};
    }
    return preview->model()->index(row, 0).data(Qt::DisplayRole).toString();
}

/// The full name of the file at the preview's top visible row.
QString TopFileName(CMainDlg& window) {
    const int row = window.GetPreviewList()->rowAt(0);
    const CFileCatalogue& catalogue = window.GetCore().GetCatalogue();
    if (row < 0 || row >= catalogue.GetRowCount()) {
        return {};
    }
    return ToQt(catalogue.GetRowEntry(row).LongName());
}

/// Times one action on the window until every watched viewport painted at
/// least once after it (and done() holds); -1 on a timeout.
double TimeUntilPainted(
    const std::vector<QWidget*>& viewports, const std::function<void()>& action,
    const std::function<bool()>& done = [] { return true; }) {
    std::vector<std::unique_ptr<CPaintCounter>> counters;
    for (QWidget* viewport : viewports) {
        counters.push_back(std::make_unique<CPaintCounter>());
        counters.back()->Watch(viewport);
    }
    const auto start = Clock::now();
    action();
    const bool painted = ProcessUntil([&] {
        for (const auto& counter : counters) {
            if (counter->paints == 0) {
                return false;
            }
        }
        return done();
    });
    const double elapsed = Milliseconds(start);
    return painted ? elapsed : -1;
}

void ClickRow(CMainFileList* list, int row) {
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

/// Sets "Hernoem alleen de geselecteerde bestanden" as the user would.
void SetOnlySelected(CMainDlg& window, bool on) {
    auto* check = window.findChild<QCheckBox*>(QStringLiteral("onlySelectedCheck"));
    if (check != nullptr && check->isChecked() != on) {
        check->click();
    }
}

/// Twenty keys into "Invoegen voor de bestandsnaam", from an empty text;
/// the times of each. The typed text stays.
std::vector<double> TimeKeystrokes(CMainDlg& window, int keys, bool& wrong) {
    auto* edit = window.GetFilenameTab()->findChild<QLineEdit*>(QStringLiteral("insertBeforeText"));
    CPreviewList* preview = window.GetPreviewList();
    std::vector<double> times;
    edit->clear();
    edit->setFocus();
    for (int i = 0; i < keys; ++i) {
        Settle();
        const char key = static_cast<char>('a' + i % 26);
        const QString expected = edit->text() + QLatin1Char(key) + TopFileName(window);
        const double ms = TimeUntilPainted(
            {preview->viewport()}, [&] { QTest::keyClick(edit, key); },
            [&] { return TopPreviewText(preview) == expected; });
        if (ms < 0) {
            wrong = true;
            std::fprintf(stderr, "key %d: top preview row \"%s\", expected \"%s\"\n", i,
                         qPrintable(TopPreviewText(preview)), qPrintable(expected));
        }
        times.push_back(ms);
    }
    return times;
}

int SizeSection(QHeaderView* header) {
    const QString title = UiText(strings::kColumnSize);
    for (int section = 0; section < header->count(); ++section) {
        if (header->model()->headerData(section, Qt::Horizontal).toString() == title) {
            return section;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    CBenchOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (option == "--core-only") {
            options.coreOnly = true;
            continue;
        }
        if (option == "--open-only") {
            options.openOnly = true;
            continue;
        }
        if (value == nullptr) {
            std::fprintf(stderr, "%s needs a value\n", option.c_str());
            return 2;
        }
        ++i;
        if (option == "--files") {
            options.files = std::max(1, std::atoi(value));
        } else if (option == "--runs") {
            options.runs = std::max(1, std::atoi(value));
        } else if (option == "--keys") {
            options.keys = std::max(1, std::atoi(value));
        } else if (option == "--dir") {
            options.base = value;
        } else if (option == "--folder") {
            options.folder = value;
        } else {
            std::fprintf(stderr, "unknown option %s\n", option.c_str());
            return 2;
        }
    }
    if (options.coreOnly) {
        return RunCoreOnly(options.folder);
    }

    std::string root = options.base + "/nrwindow-XXXXXX";
    if (mkdtemp(root.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    root += "/";
    const std::string folder = root + "files/";
    const std::string empty = root + "empty/";
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(empty);
    std::printf("creating %d files in %s\n", options.files, folder.c_str());
    MakeEmptyFiles(folder, options.files);
    const std::string settingsPath = root + "settings.ini";

    // The core's memory first, in a process of its own.
    long coreTotal = 0;
    const long coreGrowth = options.openOnly ? 0 : CoreOnlyKiB(folder, coreTotal);

    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    std::printf("platform %s, %d runs\n\n", qPrintable(QGuiApplication::platformName()),
                options.runs);

    // A first window on an empty folder loads fonts, styles and icons, so
    // that neither the times nor the memory below count them.
    {
        CWindow warm(empty, settingsPath);
        warm.window->show();
        Settle();
    }
    Settle();

    // 1. Opening the folder.
    std::vector<double> openTimes;
    long windowGrowth = 0;
    long windowTotal = 0;
    int rows = 0;
    for (int run = 0; run < options.runs; ++run) {
        const long before = TrimmedResidentKiB();
        CPaintCounter counter;
        const auto start = Clock::now();
        CWindow window(folder, settingsPath);
        CMainFileList* list = window.window->GetFileList();
        counter.Watch(list->viewport());
        window.window->show();
        const bool painted =
            ProcessUntil([&] { return counter.paints > 0 && list->model()->rowCount() > 0; });
        openTimes.push_back(painted ? Milliseconds(start) : -1);
        rows = list->model()->rowCount();
        if (run == 0) {
            Settle();
            windowTotal = TrimmedResidentKiB();
            windowGrowth = windowTotal - before;
        }
    }
    if (options.openOnly) {
        const double refresh = Median(TimeBareCore(folder, options.runs).refresh);
        std::printf("open: median %.1f ms, Refresh alone %.1f ms (%.2f) over %d runs, %d rows\n",
                    Median(openTimes), refresh, Median(openTimes) / refresh, options.runs, rows);
        std::filesystem::remove_all(root);
        return 0;
    }
    const CCoreTimes core = TimeBareCore(folder, options.runs);

    // 2 and 3 on one window.
    CWindow bench(folder, settingsPath);
    CMainDlg& window = *bench.window;
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        std::fprintf(stderr, "the window did not become active\n");
    }
    Settle();
    CMainFileList* list = window.GetFileList();
    CPreviewList* preview = window.GetPreviewList();
    QWidget* listView = list->viewport();
    QWidget* previewView = preview->viewport();

    auto* insertBefore =
        window.GetFilenameTab()->findChild<QCheckBox*>(QStringLiteral("insertBeforeOn"));
    insertBefore->click();
    Settle();
    bool wrongKeys = false;
    SetOnlySelected(window, false);
    Settle();
    const std::vector<double> allRowsKeys = TimeKeystrokes(window, options.keys, wrongKeys);
    SetOnlySelected(window, true);
    list->setFocus();
    ClickRow(list, 0);
    Settle();
    const int selectedForKeys = window.GetCore().GetCatalogue().GetSelectedCount();
    const std::vector<double> selectedKeys = TimeKeystrokes(window, options.keys, wrongKeys);
    // What follows runs with the typed rule on, as a user would browse.
    Settle();

    // Select all, from one selected row, in both modes of "only selected".
    std::vector<double> selectAllOnly;
    std::vector<double> selectAllEvery;
    for (const bool onlySelected : {true, false}) {
        SetOnlySelected(window, onlySelected);
        for (int run = 0; run < options.runs; ++run) {
            list->setFocus();
            ClickRow(list, 0);
            Settle();
            const double ms = TimeUntilPainted({listView, previewView}, [&] {
                QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
            });
            (onlySelected ? selectAllOnly : selectAllEvery).push_back(ms);
        }
    }
    const int selectedAll = window.GetCore().GetCatalogue().GetSelectedCount();
    SetOnlySelected(window, true);
    list->setFocus();
    ClickRow(list, 0);
    Settle();

    // A click on "Grootte": every run turns the order around.
    QHeaderView* header = list->horizontalHeader();
    const int sizeSection = SizeSection(header);
    std::vector<double> sortTimes;
    for (int run = 0; run < options.runs && sizeSection >= 0; ++run) {
        Settle();
        const QPoint centre(header->sectionViewportPosition(sizeSection) +
                                header->sectionSize(sizeSection) / 2,
                            header->height() / 2);
        sortTimes.push_back(TimeUntilPainted({listView, previewView}, [&] {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        }));
    }

    // PageDown in the file list; the preview follows.
    list->setFocus();
    ClickRow(list, 0);
    std::vector<double> pageTimes;
    for (int run = 0; run < options.runs; ++run) {
        Settle();
        pageTimes.push_back(TimeUntilPainted({listView, previewView},
                                             [&] { QTest::keyClick(list, Qt::Key_PageDown); }));
    }
    const int topAfterPages = list->TopRow();

    std::vector<CRow> table;
    table.push_back({"open the folder until the first rows are painted", Median(openTimes),
                     Median(core.refresh), std::to_string(rows) + " rows; base: Refresh alone"});
    table.push_back(
        {"key in insert-before, every row computed (median)", Median(allRowsKeys), Median(core.key),
         "max " + std::to_string(Max(allRowsKeys)).substr(0, 6) + " ms; base: ComputeNewNames"});
    table.push_back({"key in insert-before, only selected (median)", Median(selectedKeys), 0,
                     "max " + std::to_string(Max(selectedKeys)).substr(0, 6) + " ms, " +
                         std::to_string(selectedForKeys) + " row(s) selected"});
    table.push_back({"Ctrl+A, only selected ticked", Median(selectAllOnly), Median(core.selectAll),
                     std::to_string(selectedAll) + " rows selected; base: SetRowsSelected"});
    table.push_back({"Ctrl+A, every row computed", Median(selectAllEvery), 0, ""});
    table.push_back({"click on the header \"Grootte\"", Median(sortTimes), Median(core.sort),
                     sizeSection >= 0 ? "base: SortBy with the preview" : "no such column"});
    table.push_back({"PageDown in the file list", Median(pageTimes), 0,
                     "top row " + std::to_string(topAfterPages) + " after the runs"});
    PrintRows("ms", table);
    std::printf("\n");
    PrintRows("MiB", {{"resident memory added by the window with its rows",
                       static_cast<double>(windowGrowth) / 1024.0,
                       static_cast<double>(coreGrowth) / 1024.0,
                       "base: bare core, folder and preview (--core-only)"},
                      {"resident memory, whole process", static_cast<double>(windowTotal) / 1024.0,
                       static_cast<double>(coreTotal) / 1024.0, ""},
                      {"peak resident memory, whole process",
                       static_cast<double>(PeakResidentKiB()) / 1024.0, 0, "VmHWM at the end"}});
    if (wrongKeys) {
        std::printf("\nsome keystrokes did not show the expected name (see above)\n");
    }
    if (options.files >= 1000000) {
        std::printf("\ntargets: open <= 1.2 x Refresh; key median <= 100 ms, max <= 150 ms; key "
                    "with only the selection <= 50 ms; Ctrl+A with only selected <= 100 ms; "
                    "header click <= 100 ms; PageDown <= 50 ms; whole process memory <= 160 "
                    "MiB\n");
    } else {
        std::printf("\ntargets: open <= 1.5 x Refresh; key median <= 100 ms; Ctrl+A, sort and "
                    "PageDown <= 100 ms; memory <= 1.5 x the core\n");
    }

    std::filesystem::remove_all(root);
    return 0;
}
