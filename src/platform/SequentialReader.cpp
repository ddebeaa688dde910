// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SequentialReader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

CFileIdentity IdentityOf(const struct stat& st) {
    CFileIdentity identity;
    identity.device = static_cast<uint64_t>(st.st_dev);
    identity.inode = static_cast<uint64_t>(st.st_ino);
    identity.size = static_cast<uint64_t>(st.st_size);
    identity.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    identity.changedNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return identity;
}

} // namespace

bool IdentifyFile(const std::string& path, CFileIdentity& identity, int& error) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        error = errno;
        return false;
    }
    identity = IdentityOf(st);
    error = 0;
    return true;
}

CSequentialReader::~CSequentialReader() {
    Close();
}

bool CSequentialReader::Open(const std::string& path, int& error) {
    Close();
    // O_NONBLOCK keeps the open of a named pipe without writer from waiting;
    // it has no effect on the reads of a regular file.
    const int handle = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (handle < 0) {
        error = errno;
        return false;
    }
    struct stat st;
    if (fstat(handle, &st) != 0) {
        error = errno;
        close(handle);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        close(handle);
        return false;
    }
    fd = handle;
    size = static_cast<uint64_t>(st.st_size);
    identity = IdentityOf(st);
    // Only a hint: a file system that ignores it is read all the same.
    (void)posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    error = 0;
    return true;
}

bool CSequentialReader::Read(void* buffer, std::size_t capacity, std::size_t& bytesRead,
                             int& error) {
    return ReadFully(nullptr, buffer, capacity, bytesRead, error);
}

bool CSequentialReader::ReadAt(uint64_t offset, void* buffer, std::size_t capacity,
                               std::size_t& bytesRead, int& error) {
    return ReadFully(&offset, buffer, capacity, bytesRead, error);
}

bool CSequentialReader::ReadFully(const uint64_t* offset, void* buffer, std::size_t capacity,
                                  std::size_t& bytesRead, int& error) {
    bytesRead = 0;
    if (fd < 0) {
        error = EBADF;
        return false;
    }
    auto* out = static_cast<unsigned char*>(buffer);
    while (bytesRead < capacity) {
        const ssize_t n = offset == nullptr ? read(fd, out + bytesRead, capacity - bytesRead)
                                            : pread(fd, out + bytesRead, capacity - bytesRead,
                                                    static_cast<off_t>(*offset + bytesRead));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            return false;
        }
        if (n == 0) {
            break; // end of the file
        }
        bytesRead += static_cast<std::size_t>(n);
    }
    error = 0;
    return true;
}

void CSequentialReader::Close() {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
    size = 0;
    identity = CFileIdentity{};
}

} // namespace platform
