// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The least a program could do to list folders as the catalogue does:
// readdir, an lstat of every entry (or, withLstat false, none: what a list
// needs when nothing asks for a size, a time or the read-only attribute),
// and a case-insensitive sort of the names. Shared by the benchmarks as
// their scan baseline.

#include "catalogue/NameParts.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <vector>

/// The number of entries listed in all of the folders.
inline std::size_t RawScan(const std::vector<std::string>& folders, bool withLstat = true) {
    std::vector<std::string> names;
    for (const std::string& folder : folders) {
        DIR* dir = opendir(folder.c_str());
        if (dir == nullptr) {
            continue;
        }
        const int fd = dirfd(dir);
        while (const dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
                continue;
            }
            struct stat st;
            if (!withLstat || fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                names.emplace_back(entry->d_name);
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
    return names.size();
}
