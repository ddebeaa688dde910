// SPDX-License-Identifier: GPL-3.0-or-later
// What the collision check adds to a preview computation in the window, at
// 100,000 files of one folder:
//   - ComputeNewNames of a rule that renames every file (interactive, so the
//     check runs) against the same computation in batch mode (no check);
//   - the check alone on the computed preview: its first run after a
//     refresh (which reads the folder's names once) and the runs after it;
//   - the same with every new name colliding (all rows want one name);
//   - the check after the rows were sorted the other way round;
//   - the memory the check keeps after its first run (heap in use and
//     resident growth, in bytes per row).
//
//   nr_conflict_bench [--files N] [--runs R] [--dir FOLDER]
//
// Times are wall-clock milliseconds, medians over the runs.

#include "catalogue/DefaultColumns.h"
#include "engine/MoveOrder.h"
#include "engine/RenameConflicts.h"
#include "engine/RenameCore.h"

#include <fcntl.h>
#include <time.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The processor time of this thread, in milliseconds: on a busy machine the
// wall clock also counts the other programs' turns.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Time(const std::function<void()>& work) {
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Bytes of heap in use, small blocks and mapped ones.
double HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

double ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

} // namespace

int main(int argc, char** argv) {
    int files = 100000;
    int runs = 7;
    std::string base = std::filesystem::temp_directory_path().string();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--files") {
            files = std::atoi(argv[i + 1]);
        } else if (key == "--runs") {
            runs = std::atoi(argv[i + 1]);
        } else if (key == "--dir") {
            base = argv[i + 1];
        }
    }
    const std::string folder = base + "/nr-conflict-bench-" + std::to_string(getpid()) + "/";
    std::filesystem::create_directories(folder);
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%06d.JPG", i);
        const int fd = open((folder + name).c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0) {
            close(fd);
        }
    }

    CRenameCore core;
    AddDefaultColumns(core.GetCatalogue());
    core.GetOptions().renameOnlySelected = false;
    core.GetOptions().name.insertBeforeOn = true;
    core.GetOptions().name.insertBeforeText = "vakantie-";
    core.GetCatalogue().SetFolder(folder, true);
    core.GetCatalogue().Refresh();
    std::printf("%d files in %s, %d runs\n", core.GetCatalogue().GetRowCount(), folder.c_str(),
                runs);

    std::vector<double> interactive;
    std::vector<double> batch;
    for (int run = 0; run < runs; ++run) {
        core.SetBatchMode(false);
        interactive.push_back(Time([&] { core.ComputeNewNames(true); }));
        core.SetBatchMode(true);
        batch.push_back(Time([&] { core.ComputeNewNames(true); }));
    }
    core.SetBatchMode(false);
    core.ComputeNewNames(true);
    std::printf("ComputeNewNames with the check %8.1f ms, without %8.1f ms: %+.1f ms\n",
                Median(interactive), Median(batch), Median(interactive) - Median(batch));

    for (const bool allCollide : {false, true}) {
        if (allCollide) {
            core.GetOptions().name.insertBeforeOn = false;
            core.GetOptions().name.replaceWithOn = true;
            core.GetOptions().name.replaceWithText = "same";
            core.ComputeNewNames(true);
        }
        CRenameConflicts check;
        const double heapBefore = HeapInUse();
        const double residentBefore = ResidentBytes();
        const double first =
            Time([&] { check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false); });
        const double rowCount = std::max(1, core.GetCatalogue().GetRowCount());
        const double keptHeap = (HeapInUse() - heapBefore) / rowCount;
        const double residentGrowth = (ResidentBytes() - residentBefore) / rowCount;
        std::vector<double> again;
        std::vector<double> orderAlone;
        std::vector<double> processor;
        for (int run = 0; run < runs; ++run) {
            const double processorBefore = ThreadMilliseconds();
            again.push_back(
                Time([&] { check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false); }));
            processor.push_back(ThreadMilliseconds() - processorBefore);
            orderAlone.push_back(Time([&] {
                const std::vector<int32_t> order =
                    RowsInMoveOrder(core.GetCatalogue(), core.GetPreviewTexts());
                if (order.size() > static_cast<std::size_t>(files)) {
                    std::printf("?");
                }
            }));
        }
        std::printf("check alone, %-22s first %6.1f ms (reads the folder), then %6.1f ms; "
                    "%d collisions\n",
                    allCollide ? "every row one name:" : "distinct new names:", first,
                    Median(again), check.GetCount());
        std::printf("  then %.1f ms of processor time, of which the moves' order "
                    "(RowsInMoveOrder) %.1f ms\n",
                    Median(processor), Median(orderAlone));
        std::printf("  kept after the first run: heap %.1f B/row, resident growth %.1f B/row\n",
                    keptHeap, residentGrowth);
        if (allCollide) {
            continue;
        }
        // The other way round: the same files in the reverse order, one
        // check told the new order and one that looks the rows up anew.
        CRenameConflicts told;
        told.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false);
        std::unordered_map<const CFileEntry*, int32_t> rowOfEntry;
        for (int row = 0; row < core.GetCatalogue().GetRowCount(); ++row) {
            rowOfEntry[&core.GetCatalogue().GetRowEntry(row)] = row;
        }
        core.GetCatalogue().SortBy(0, false);
        std::vector<int32_t> previousRows;
        for (int row = 0; row < core.GetCatalogue().GetRowCount(); ++row) {
            previousRows.push_back(rowOfEntry[&core.GetCatalogue().GetRowEntry(row)]);
        }
        const double reordered = Time([&] {
            told.RowsReordered(previousRows);
            told.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false);
        });
        check.ForgetRows();
        const double sorted =
            Time([&] { check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false); });
        std::printf("check after the rows were sorted anew: told the order %6.1f ms, "
                    "looking the rows up %6.1f ms; %d collisions\n",
                    reordered, sorted,                     check.GetCount());
    }

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
