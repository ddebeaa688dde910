// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace platform {

/// A file written front to back: created (or truncated), filled through a
/// buffer and closed. Every write error is kept, so that Close reports a
/// full disk or a failed write instead of success.
class COutputFile {
public:
    COutputFile() = default;
    ~COutputFile();
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    /// Creates path (truncating an existing file; a symbolic link is
    /// followed). executable gives the run bits (mode 0777 instead of 0666,
    /// both less the umask; a truncated file gets them added). False and the
    /// errno value when the file cannot be created.
    bool Create(const std::string& path, bool executable, int& error);

    /// Appends data to the buffer, writing it out when the buffer is full.
    /// False once any write has failed.
    bool Write(std::string_view data);

    /// Writes the buffer out now (and, with sync, waits until the data is
    /// on the disk). False once any write has failed.
    bool Flush(bool sync = false);

    /// Writes the rest and closes. False, with the errno value, when any
    /// write or the close failed since Create.
    bool Close(int& error);

    bool IsOpen() const { return fd >= 0; }
    /// The errno value of the first failed write, 0 when none failed.
    int GetError() const { return firstError; }

private:
    bool WriteOut(std::string_view data);

    int fd = -1;
    int firstError = 0;
    std::string buffer;
};

} // namespace platform
