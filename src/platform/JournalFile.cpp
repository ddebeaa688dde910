// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JournalFile.h"

#include "platform/Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t kMinimumGrowth = 64 * 1024;
// Each growth maps the file anew, so only the last growth's pages are in
// the process's memory: a small step keeps a long script out of it.
constexpr std::size_t kMaximumGrowth = 1024 * 1024;

std::size_t RoundUpToPage(std::size_t size) {
    static const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return (size + page - 1) / page * page;
}

} // namespace

CJournalFile::~CJournalFile() {
    int ignored = 0;
    if (fd >= 0) {
        (void)Close(ignored);
    }
}

bool CJournalFile::Create(const std::string& path, bool executable, int& error) {
    if (fd >= 0) {
        int ignored = 0;
        (void)Close(ignored);
    }
    firstError = 0;
    length = 0;
    reserved = 0;
    mappingFailed = false;
    const int newFd =
        OpenRetrying(path, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, executable ? 0777 : 0666);
    if (newFd < 0) {
        error = errno;
        return false;
    }
    fd = newFd;
    error = 0;
    return true;
}

bool CJournalFile::Write(std::string_view data) {
    if (fd < 0) {
        if (firstError == 0) {
            firstError = EBADF;
        }
        return false;
    }
    if (firstError != 0) {
        return false;
    }
    if (!mappingFailed && length + data.size() > reserved && !Reserve(length + data.size())) {
        // From here on every append is a write of its own.
        mappingFailed = true;
        Unmap();
    }
    if (mappingFailed) {
        return WriteAt(data);
    }
    std::memcpy(mapping + length, data.data(), data.size());
    length += data.size();
    return true;
}

bool CJournalFile::Reserve(std::size_t needed) {
    const std::size_t growth = std::clamp(reserved, kMinimumGrowth, kMaximumGrowth);
    const std::size_t newReserved = RoundUpToPage(std::max(needed, reserved + growth));
    int result = 0;
    do {
        result = fallocate(fd, 0, static_cast<off_t>(reserved),
                           static_cast<off_t>(newReserved - reserved));
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        // A failed reservation may have taken part of the space: give it
        // back, so that no zero bytes follow what was written.
        (void)ftruncate(fd, static_cast<off_t>(std::max(reserved, length)));
        return false;
    }
    Unmap();
    void* view = mmap(nullptr, newReserved, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (view == MAP_FAILED) {
        (void)ftruncate(fd, static_cast<off_t>(std::max(reserved, length)));
        return false;
    }
    mapping = static_cast<char*>(view);
    std::memset(mapping + reserved, '\n', newReserved - reserved);
    reserved = newReserved;
    return true;
}

void CJournalFile::Unmap() {
    if (mapping != nullptr) {
        (void)munmap(mapping, reserved);
        mapping = nullptr;
    }
}

bool CJournalFile::WriteAt(std::string_view data) {
    const uint64_t offset = length;
    std::size_t written = 0;
    firstError = WriteAll(fd, data, &offset, written);
    length += written;
    return firstError == 0;
}

bool CJournalFile::Close(int& error) {
    if (fd < 0) {
        error = firstError != 0 ? firstError : EBADF;
        return false;
    }
    Unmap();
    if (reserved > length && ftruncate(fd, static_cast<off_t>(length)) != 0 && firstError == 0) {
        firstError = errno;
    }
    // On the disk before anyone is told it was written: a power cut after a
    // run that reported success must not take its undo script along.
    if (fdatasync(fd) != 0 && firstError == 0 && errno != EINVAL && errno != EROFS) {
        firstError = errno;
    }
    const int closeError = CloseDescriptor(fd);
    if (firstError == 0) {
        firstError = closeError;
    }
    fd = -1;
    reserved = 0;
    error = firstError;
    return firstError == 0;
}

} // namespace platform
