#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

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

    /// Fills buffer with up to capacity bytes. bytesRead is less than
    /// capacity only at the end of the file. False and the errno value when
    /// reading failed; bytesRead then holds what was read before the failure.
    bool Read(void* buffer, std::size_t capacity, std::size_t& bytesRead, int& error);

    void Close();
    bool IsOpen() const { return fd >= 0; }

private:
    int fd = -1;
    uint64_t size = 0;
};

} // namespace platform
