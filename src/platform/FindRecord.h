// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Attribute bits of a find record, with the values the rest of the program
// (attribute letters, filters, tags) knows them by.
constexpr uint32_t kAttrReadOnly = 0x1;
constexpr uint32_t kAttrHidden = 0x2;
constexpr uint32_t kAttrSystem = 0x4;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;
constexpr uint32_t kAttrDevice = 0x40;
constexpr uint32_t kAttrNormal = 0x80;
constexpr uint32_t kAttrTemporary = 0x100;
constexpr uint32_t kAttrSymbolicLink = 0x400;
constexpr uint32_t kAttrCompressed = 0x800;
constexpr uint32_t kAttrOffline = 0x1000;

} // namespace platform

/// What the folder enumeration reports of one entry. Times are 100-ns ticks
/// since 1601-01-01 UTC; the size is kept as two 32-bit halves of one count.
struct CFindRecord {
    uint32_t dwFileAttributes = 0;
    uint64_t ftCreationTime = 0;
    uint64_t ftLastAccessTime = 0;
    uint64_t ftLastWriteTime = 0;
    uint32_t nFileSizeHigh = 0;
    uint32_t nFileSizeLow = 0;
    /// The long name, exactly the bytes the file system holds.
    std::string cFileName;
    /// The 8.3 alias; empty when the long name is a valid 8.3 name already.
    std::string cAlternateFileName;

    uint64_t FileSize() const { return (uint64_t{nFileSizeHigh} << 32) | nFileSizeLow; }
    void SetFileSize(uint64_t size) {
        nFileSizeHigh = static_cast<uint32_t>(size >> 32);
        nFileSizeLow = static_cast<uint32_t>(size);
    }
    bool IsDirectory() const { return (dwFileAttributes & platform::kAttrDirectory) != 0; }
};
