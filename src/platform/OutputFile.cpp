// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OutputFile.h"

#include "platform/Descriptor.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

// The umask can only be read with umask(), which sets it at the same time
// and so races with other threads creating files; Linux also shows it in
// /proc/self/status. Without that line nothing is masked.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            const std::size_t start = line.find_first_not_of(" \t", 6);
            unsigned value = 0;
            if (start == std::string::npos ||
                std::from_chars(line.data() + start, line.data() + line.size(), value, 8).ec !=
                    std::errc()) {
                return 0;
            }
            return static_cast<mode_t>(value) & 0777;
        }
    }
    return 0;
}

// Adds the run bits of a file that existed before, as "chmod +x" would: for
// each class that may read it, less the umask.
void AddRunBits(int fd) {
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return; // never touch the modes of a device such as /dev/null
    }
    const mode_t readBits = st.st_mode & (S_IRUSR | S_IRGRP | S_IROTH);
    const mode_t runBits = (readBits >> 2) & ~CurrentUmask();
    if ((st.st_mode & runBits) != runBits) {
        // A file of another owner may be writable but not ours to chmod; its
        // content is still written and the script can be run through sh.
        (void)fchmod(fd, (st.st_mode & 07777) | runBits);
    }
}

} // namespace

COutputFile::~COutputFile() {
    int ignored = 0;
    if (fd >= 0) {
        (void)Close(ignored);
    }
}

bool COutputFile::Create(const std::string& path, bool executable, int& error) {
    if (fd >= 0) {
        int ignored = 0;
        (void)Close(ignored);
    }
    firstError = 0;
    buffer.clear();

    const mode_t mode = executable ? 0777 : 0666;
    // Try to make a new file first, so that only a file that was already
    // there (and kept its old modes through O_TRUNC) gets its run bits added.
    bool existed = false;
    int newFd = OpenRetrying(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (newFd < 0 && errno == EEXIST) {
        existed = true;
        newFd = OpenRetrying(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    }
    if (newFd < 0) {
        error = errno;
        return false;
    }
    fd = newFd;
    if (executable && existed) {
        AddRunBits(fd);
    }
    buffer.reserve(kBufferSize);
    error = 0;
    return true;
}

bool COutputFile::Write(std::string_view data) {
    if (fd < 0) {
        if (firstError == 0) {
            firstError = EBADF;
        }
        return false;
    }
    if (firstError != 0) {
        return false;
    }
    if (buffer.size() + data.size() < kBufferSize) {
        buffer.append(data);
        return true;
    }
    if (!buffer.empty()) {
        const bool written = WriteOut(buffer);
        buffer.clear();
        if (!written) {
            return false;
        }
    }
    // Large pieces go straight to the file instead of through the buffer.
    if (data.size() >= kBufferSize) {
        return WriteOut(data);
    }
    buffer.append(data);
    return true;
}

bool COutputFile::Flush(bool sync) {
    if (fd < 0) {
        if (firstError == 0) {
            firstError = EBADF;
        }
        return false;
    }
    if (!buffer.empty()) {
        (void)WriteOut(buffer);
        buffer.clear();
    }
    if (sync && firstError == 0 && fsync(fd) != 0) {
        firstError = errno;
    }
    return firstError == 0;
}

bool COutputFile::Close(int& error) {
    if (fd < 0) {
        error = firstError != 0 ? firstError : EBADF;
        return false;
    }
    (void)Flush(false);
    const int closeError = CloseDescriptor(fd);
    if (firstError == 0) {
        firstError = closeError;
    }
    fd = -1;
    buffer.clear();
    error = firstError;
    return firstError == 0;
}

bool COutputFile::WriteOut(std::string_view data) {
    if (firstError != 0) {
        return false;
    }
    std::size_t written = 0;
    firstError = WriteAll(fd, data, nullptr, written);
    return firstError == 0;
}

} // namespace platform
