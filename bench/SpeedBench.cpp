// SPDX-License-Identifier: GPL-3.0-or-later
// The speed of the scan and of the name computation at 100,000 files,
// each next to its raw baseline in the same run:
//   - Refresh of one folder and of a tree of folders, against readdir +
//     lstat + a case-insensitive sort of the names, and against readdir +
//     the sort alone (the floor when nothing needs what lstat gives);
//   - a click on each column header (SortBy from the name order), in one
//     folder and in the tree, against a stable sort with CompareEntries;
//   - ComputeNewNames with a typical rule set (replace, insert with a
//     column tag, autonumber, case change);
//   - the EXIF and image tags over copies of one JPEG file, with one tag
//     and with six tags per name (each file's header is read once);
//   - the MP3 tags over hard links to one MP3 file (four tags per name).
//
//   nr_speed_bench [--files N] [--folders F] [--runs R] [--dir FOLDER]
//                  [--jpeg FILE] [--mp3 FILE] [--media-files M] [--sort-only 1]

#include "RawScan.h"
#include "catalogue/DefaultColumns.h"
#include "catalogue/NameParts.h"
#include "engine/RenameCore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// The median time of each work, the works run in turn runs times.
std::vector<double> TimeMediansInTurn(int runs, const std::vector<std::function<void()>>& works) {
    std::vector<std::vector<double>> seconds(works.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t w = 0; w < works.size(); ++w) {
            const auto start = Clock::now();
            works[w]();
            seconds[w].push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    std::vector<double> medians;
    for (std::vector<double>& times : seconds) {
        medians.push_back(Median(std::move(times)));
    }
    return medians;
}

double TimeMedian(int runs, const std::function<void()>& work) {
    return TimeMediansInTurn(runs, {work}).front();
}

/// Makes count empty files in folder, named as a camera names them, in a
/// scrambled order.
void MakeEmptyFiles(const std::string& folder, int count, int offset) {
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "IMG_%06d photo.jpg", offset + (i * 7919) % count);
        const int fd = open((folder + name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd >= 0) {
            close(fd);
        }
    }
}

struct CRow {
    std::string work;
    double seconds;
    double baseline; ///< 0 when the work has no baseline
    std::string note;
};

void PrintRows(const std::vector<CRow>& rows) {
    std::printf("%-52s %11s %11s %7s\n", "work (median of runs)", "ours s", "raw s", "ratio");
    for (const CRow& row : rows) {
        if (row.baseline > 0) {
            std::printf("%-52s %11.4f %11.4f %7.2f  %s\n", row.work.c_str(), row.seconds,
                        row.baseline, row.seconds / row.baseline, row.note.c_str());
        } else {
            std::printf("%-52s %11.4f %11s %7s  %s\n", row.work.c_str(), row.seconds, "", "",
                        row.note.c_str());
        }
    }
}

/// A core over folder (recursive or not) with the rules of a typical rename.
void SetTypicalRules(CRenameCore& core) {
    CRenameOptions& options = core.GetOptions();
    options.renameOnlySelected = false;
    options.name.replaceTextOn = true;
    options.name.searchText = "photo";
    options.name.replacementText = "foto";
    options.name.insertBeforeOn = true;
    options.name.insertBeforeText = "<C:8:Y>-<C:8:M>_";
    options.name.caseMode = CaseMode::WordsCapitalised;
    options.autonumber.position = AutonumberPosition::AfterName;
    options.autonumber.zeroFill = "5";
}

/// One row per column: the median time of SortBy, ascending, each run
/// starting from the rows in ascending name order, as after a refresh. The
/// baseline is a stable sort of the same rows with CompareEntries, which
/// defines the order; a different order is reported.
void AddSortRows(std::vector<CRow>& rows, const std::string& folder, bool recursive, int runs) {
    CFileCatalogue catalogue;
    AddDefaultColumns(catalogue);
    catalogue.SetShowFolders(!recursive);
    catalogue.SetRecursive(recursive);
    catalogue.SetFolder(folder, true);
    catalogue.Refresh();
    const char* what = recursive ? ", tree" : ", one folder";
    const auto rowOrder = [&catalogue] {
        std::vector<const CFileEntry*> order;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            order.push_back(&catalogue.GetRowEntry(row));
        }
        return order;
    };
    const auto timeClicks = [&](int column, bool ascending) {
        std::vector<double> seconds;
        std::vector<double> baseline;
        bool sameOrder = true;
        for (int i = 0; i < runs; ++i) {
            catalogue.SortBy(0, true);
            std::vector<const CFileEntry*> expected = rowOrder();
            auto start = Clock::now();
            catalogue.SortBy(column, ascending);
            seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
            start = Clock::now();
            std::stable_sort(expected.begin(), expected.end(),
                             [&catalogue](const CFileEntry* a, const CFileEntry* b) {
                                 return catalogue.CompareEntries(*a, *b) < 0;
                             });
            baseline.push_back(std::chrono::duration<double>(Clock::now() - start).count());
            sameOrder = sameOrder && expected == rowOrder();
        }
        return CRow{"", Median(seconds), Median(baseline),
                    sameOrder ? "" : "ORDER DIFFERS FROM CompareEntries"};
    };
    for (int column = 0; column < catalogue.GetColumnCount(); ++column) {
        for (const bool ascending : {true, false}) {
            CRow row = timeClicks(column, ascending);
            row.work = "SortBy " + catalogue.GetColumn(column).title +
                       (ascending ? "" : " descending") + what;
            rows.push_back(row);
        }
    }
    catalogue.SetSortNamesAsNumbers(true);
    CRow row = timeClicks(0, false);
    row.work = std::string("SortBy name as numbers, descending") + what;
    rows.push_back(row);
}

} // namespace

int main(int argc, char** argv) {
    int files = 100000;
    int folders = 1000;
    int runs = 5;
    int mediaFiles = 10000;
    bool sortOnly = false;
    std::string base = std::filesystem::temp_directory_path().string();
    std::string jpeg;
#ifdef NR_MP3_FIXTURE
    std::string mp3 = NR_MP3_FIXTURE;
#else
    std::string mp3;
#endif
    if (const char* data = std::getenv("NR_TESTDATA")) {
        jpeg = std::string(data) + "/jpeg";
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--files") {
            files = std::max(1, std::atoi(argv[i + 1]));
        } else if (option == "--folders") {
            folders = std::max(1, std::atoi(argv[i + 1]));
        } else if (option == "--runs") {
            runs = std::max(1, std::atoi(argv[i + 1]));
        } else if (option == "--dir") {
            base = argv[i + 1];
        } else if (option == "--jpeg") {
            jpeg = argv[i + 1];
        } else if (option == "--mp3") {
            mp3 = argv[i + 1];
        } else if (option == "--media-files") {
            mediaFiles = std::max(1, std::atoi(argv[i + 1]));
        } else if (option == "--sort-only") {
            sortOnly = std::atoi(argv[i + 1]) != 0;
        } else {
            std::fprintf(stderr, "unknown option %s\n", option.c_str());
            return 2;
        }
    }
    std::string root = base + "/nrspeed-XXXXXX";
    if (mkdtemp(root.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    root += "/";
    const std::string flat = root + "flat/";
    const std::string tree = root + "tree/";
    std::filesystem::create_directories(flat);
    std::printf("creating %d files in one folder and %d in %d folders under %s\n", files, files,
                folders, root.c_str());
    MakeEmptyFiles(flat, files, 0);
    std::vector<std::string> treeFolders = {tree};
    for (int f = 0; f < folders; ++f) {
        const std::string folder = tree + "d" + std::to_string(f) + "/";
        std::filesystem::create_directories(folder);
        MakeEmptyFiles(folder, files / folders, f * (files / folders));
        treeFolders.push_back(folder);
    }

    std::vector<CRow> rows;
    for (const bool recursive : {false, true}) {
        const std::string folder = recursive ? tree : flat;
        AddSortRows(rows, folder, recursive, runs);
        if (sortOnly) {
            continue;
        }
        const std::vector<std::string> scanned =
            recursive ? treeFolders : std::vector<std::string>{flat};
        CRenameCore core;
        AddDefaultColumns(core.GetCatalogue());
        core.GetCatalogue().SetShowFolders(!recursive);
        core.GetCatalogue().SetRecursive(recursive);
        core.TogglePreview(); // no preview while scanning: Refresh alone
        core.GetCatalogue().SetFolder(folder, true);
        // The three take turns, run by run, so that a slow spell of the
        // machine falls on all of them alike rather than on one.
        std::size_t rawCount = 0;
        const std::vector<double> medians = TimeMediansInTurn(
            runs, {[&] { rawCount = RawScan(scanned); }, [&] { (void)RawScan(scanned, false); },
                   [&] { core.GetCatalogue().Refresh(); }});
        const double raw = medians[0];
        const double rawNames = medians[1];
        const double refresh = medians[2];
        const char* what = recursive ? "tree" : "one folder";
        rows.push_back({std::string("Refresh, ") + what, refresh, raw,
                        std::to_string(core.GetCatalogue().GetRowCount()) + " rows, " +
                            std::to_string(rawCount) + " raw"});
        rows.push_back({std::string("Refresh, ") + what + ", vs readdir + sort", refresh,
                        rawNames, "no lstat in either"});

        SetTypicalRules(core);
        core.TogglePreview();
        const double compute = TimeMedian(runs, [&] { core.ComputeNewNames(true); });
        rows.push_back({std::string("ComputeNewNames, typical rules, ") + what, compute, 0,
                        "e.g. " + core.GetPreviewText(0)});
    }

    // The media tags over copies of one JPEG file.
    if (sortOnly) {
        jpeg.clear();
        mp3.clear();
    }
    if (std::filesystem::is_directory(jpeg)) {
        // A camera file with a full EXIF block; else the first by name.
        std::vector<std::string> candidates;
        for (const auto& item : std::filesystem::directory_iterator(jpeg)) {
            candidates.push_back(item.path().string());
        }
        std::sort(candidates.begin(), candidates.end());
        const std::string camera = jpeg + "/Canon.jpg";
        jpeg = std::filesystem::is_regular_file(camera) ? camera
               : candidates.empty()                     ? std::string()
                                                        : candidates.front();
    }
    if (std::filesystem::is_regular_file(jpeg)) {
        const std::string media = root + "media/";
        std::filesystem::create_directories(media);
        for (int i = 0; i < mediaFiles; ++i) {
            std::filesystem::copy_file(jpeg, media + "p" + std::to_string(i) + ".jpg");
        }
        CRenameCore core;
        AddDefaultColumns(core.GetCatalogue());
        core.GetOptions().renameOnlySelected = false;
        core.GetCatalogue().SetFolder(media, true);
        core.GetCatalogue().Refresh();
        for (const bool many : {false, true}) {
            core.GetOptions().name.replaceWithOn = true;
            core.GetOptions().name.replaceWithText =
                many ? "<E:CameraMake>_<E:CameraModel>_<E:DateTime:Y>_<E:ISOequivalent>_<G:W>x<G:H>"
                     : "<E:CameraModel>";
            // The readers keep the last file, so every computation after the
            // first reads each file again: the median is a cold read of all.
            const double seconds = TimeMedian(runs, [&] { core.ComputeNewNames(true); });
            char note[96];
            std::snprintf(note, sizeof note, "%.0f files/s, e.g. %s", mediaFiles / seconds,
                          core.GetPreviewText(0).c_str());
            rows.push_back(
                {many ? "EXIF + image tags, six tags per name" : "EXIF tag, one tag per name",
                 seconds, 0, note});
        }
    } else if (!sortOnly) {
        std::printf("(no JPEG file given with --jpeg or NR_TESTDATA: media tags skipped)\n");
    }

    // The MP3 tags over hard links to one file: every path is a file of its
    // own to the reader, which keeps only the last one.
    if (!mp3.empty() && std::filesystem::is_regular_file(mp3)) {
        const std::string music = root + "music/";
        std::filesystem::create_directories(music);
        std::filesystem::copy_file(mp3, music + "t0.mp3");
        std::error_code linkError;
        for (int i = 1; i < mediaFiles && !linkError; ++i) {
            std::filesystem::create_hard_link(music + "t0.mp3",
                                              music + "t" + std::to_string(i) + ".mp3", linkError);
        }
        CRenameCore core;
        AddDefaultColumns(core.GetCatalogue());
        core.GetOptions().renameOnlySelected = false;
        core.GetCatalogue().SetFolder(music, true);
        core.GetCatalogue().Refresh();
        core.GetOptions().name.replaceWithOn = true;
        core.GetOptions().name.replaceWithText = "<MP3:A> - <MP3:T> (<MP3:Y>, <MP3:B> kbit/s)";
        const double seconds = TimeMedian(runs, [&] { core.ComputeNewNames(true); });
        char note[160];
        std::snprintf(note, sizeof note, "%.0f files/s, e.g. %s",
                      core.GetCatalogue().GetRowCount() / seconds, core.GetPreviewText(0).c_str());
        rows.push_back({"MP3 tags, four tags per name", seconds, 0, note});
    } else if (!sortOnly) {
        std::printf("(no MP3 file given with --mp3: MP3 tags skipped)\n");
    }

    PrintRows(rows);
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory of this process: %.1f MiB\n", usage.ru_maxrss / 1024.0);

    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
