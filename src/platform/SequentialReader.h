// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

/// What tells one file at a path from another that took its place or a
/// changed version of it.
struct CFileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;

    bool operator==(const CFileIdentity&) const = default;
};

/// The identity of the file at path (a symbolic link is followed). False
/// and the errno value when it cannot be found.
bool IdentifyFile(const std::string& path, CFileIdentity& identity, int& error);

/// A regular file read once from front to back, with the sequential-reading
/// hint given to the system. Only regular files open: a folder fails with
/// EISDIR and a device, pipe or socket with EINVAL, so that reading can never
/// wait for a writer or run without end. Sizes and offsets are 64-bit.
class CSequentialReader {
public:
    CSequentialReader() = default;
    ~CSequentialReader();
    CSequentialReader(const CSequentialReader&) = delete;
    CSequentialReader& operator=(const CSequentialReader&) = delete;

    /// Opens path for reading (a symbolic link is followed). False and the
    /// errno value when it cannot be opened or is not a regular file.
    bool Open(const std::string& path, int& error);

    /// The size of the file when it was opened.
    uint64_t GetSize() const { return size; }
    /// The identity of the file when it was opened.
    const CFileIdentity& GetIdentity() const { return identity; }

    /// Fills buffer with up to capacity bytes. bytesRead is less than
    /// capacity only at the end of the file. False and the errno value when
    /// reading failed; bytesRead then holds what was read before the failure.
    bool Read(void* buffer, std::size_t capacity, std::size_t& bytesRead, int& error);

    /// Fills buffer with up to capacity bytes from offset on, without
    /// moving the position of Read. bytesRead is less than capacity only at
    /// the end of the file. False and the errno value when reading failed.
    bool ReadAt(uint64_t offset, void* buffer, std::size_t capacity, std::size_t& bytesRead,
                int& error);

    void Close();
    bool IsOpen() const { return fd >= 0; }

private:
    /// Read and ReadAt: from the position when offset is null, else from
    /// *offset without moving the position.
    bool ReadFully(const uint64_t* offset, void* buffer, std::size_t capacity,
                   std::size_t& bytesRead, int& error);

    int fd = -1;
    uint64_t size = 0;
    CFileIdentity identity;
};

} // namespace platform
