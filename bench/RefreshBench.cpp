// Times a Refresh of many empty files in one folder against the raw system
// calls (readdir + lstat) and a case-insensitive sort of the names.
//
//   nr_bench [--files N] [--runs R] [--dir FOLDER]

#include "catalogue/FileCatalogue.h"
#include "catalogue/NameParts.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Work>
double TimeMedian(int runs, Work work) {
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    return Median(seconds);
}

std::size_t RawScan(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    const int fd = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
            continue;
        }
        struct stat st;
        if (fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
    return names.size();
}

} // namespace

int main(int argc, char** argv) {
    int files = 100000;
    int runs = 5;
    std::string base = std::filesystem::temp_directory_path().string();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--files") {
            files = std::atoi(argv[i + 1]);
        } else if (option == "--runs") {
            runs = std::max(1, std::atoi(argv[i + 1]));
        } else if (option == "--dir") {
            base = argv[i + 1];
        } else {
            std::fprintf(stderr, "unknown option %s\n", option.c_str());
            return 2;
        }
    }
    std::string folder = base + "/nrbench-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    folder += "/";
    std::printf("creating %d empty files in %s\n", files, folder.c_str());
    for (int i = 0; i < files; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "IMG_%06d photo.jpg", (i * 7919) % files);
        const int fd = open((folder + name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd >= 0) {
            close(fd);
        }
    }

    std::size_t rawCount = 0;
    const double raw = TimeMedian(runs, [&] { rawCount = RawScan(folder); });

    CFileCatalogue catalogue;
    catalogue.AddColumn("Bestand", ColumnKind::FileName, -1, ColumnAlignment::Left);
    catalogue.SetFolder(folder, true);
    const double refresh = TimeMedian(runs, [&] { catalogue.Refresh(); });

    std::printf("%-44s %10s\n", "work (median)", "seconds");
    std::printf("%-44s %10.3f  (%zu files)\n", "raw readdir + lstat + sort", raw, rawCount);
    std::printf("%-44s %10.3f  (%d rows)\n", "Refresh", refresh, catalogue.GetRowCount());
    std::printf("%-44s %10.2f\n", "ratio Refresh / raw", refresh / raw);

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
