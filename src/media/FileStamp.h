// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
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
