// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
#include <mutex>
#include <string>

/// What tells one file at a path from another that took its place or a
/// changed version of it: the readers' caches of one file compare it.
struct CFileStamp {
    bool exists = false;
    uint64_t size = 0;
    uint64_t lastWriteTime = 0;
    uint64_t creationTime = 0;

    bool operator==(const CFileStamp&) const = default;
};

inline CFileStamp StampOf(const std::string& path) {
    CFileStamp stamp;
    CFindRecord record;
    int error = 0;
    if (platform::GetFindRecord(path, record, error)) {
        stamp.exists = true;
        stamp.size = record.FileSize();
        stamp.lastWriteTime = record.ftLastWriteTime;
        stamp.creationTime = record.ftCreationTime;
    }
    return stamp;
}

/// The reading of the last file a reader read, kept with that file's stamp:
/// asking again for the same path (exact comparison) while the file is
/// unchanged gives the kept reading without reading the file. read(path,
/// info) fills a cleared Info and says whether it could; a failed reading
/// is kept as a cleared Info. Safe from any thread.
template <typename Info> class CLastFileReading {
public:
    template <typename Read> bool Get(const std::string& path, Info& info, Read read) {
        const std::lock_guard<std::mutex> lock(mutex);
        const CFileStamp stamp = StampOf(path);
        if (!valid || path != keptPath || stamp != keptStamp) {
            valid = true;
            keptPath = path;
            keptStamp = stamp;
            kept = Info{};
            result = read(path, kept);
            if (!result) {
                kept = Info{};
            }
        }
        info = kept;
        return result;
    }

private:
    std::mutex mutex;
    bool valid = false;
    std::string keptPath;
    CFileStamp keptStamp;
    bool result = false;
    Info kept{};
};
