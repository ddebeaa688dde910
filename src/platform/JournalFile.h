// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

/// A file that grows by appends, each of which is in the system's hands the
/// moment Write returns, so that a process killed right after still leaves
/// it in the file. The appends go into a shared mapping of space reserved
/// ahead (no system call per append); the reserved tail holds line ends, so
/// a file left by a killed process ends in blank lines, never in zero
/// bytes. Close cuts the file to what was written. Where space cannot be
/// reserved (a file system without fallocate, a full disk, a size limit)
/// every append is written with a system call instead, and a failure is
/// kept so that Write and Close report it.
class CJournalFile {
public:
    CJournalFile() = default;
    ~CJournalFile();
    CJournalFile(const CJournalFile&) = delete;
    CJournalFile& operator=(const CJournalFile&) = delete;

    /// Creates path as a new file (EEXIST when there is one already).
    /// executable gives the run bits (0777 less the umask, else 0666 less
    /// the umask).
    bool Create(const std::string& path, bool executable, int& error);
    /// Appends data. False once any write has failed.
    bool Write(std::string_view data);
    /// Cuts the file to its content, flushes it to the disk and closes it;
    /// false, with the errno value, when any write, the cut, the flush or
    /// the close failed since Create.
    bool Close(int& error);

    bool IsOpen() const { return fd >= 0; }
    /// The errno value of the first failure, 0 when none.
    int GetError() const { return firstError; }

private:
    bool Reserve(std::size_t needed);
    void Unmap();
    bool WriteAt(std::string_view data);

    int fd = -1;
    int firstError = 0;
    char* mapping = nullptr;
    std::size_t reserved = 0; // bytes of the file mapped and filled with line ends
    std::size_t length = 0;   // bytes written
    bool mappingFailed = false;
};

} // namespace platform
