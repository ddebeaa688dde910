// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

int OpenRetrying(const std::string& path, int flags, mode_t mode) {
    int fd = -1;
    do {
        fd = open(path.c_str(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int WriteAll(int fd, std::string_view data, const uint64_t* offset, std::size_t& written) {
    while (!data.empty()) {
        const ssize_t n = offset == nullptr ? write(fd, data.data(), data.size())
                                            : pwrite(fd, data.data(), data.size(),
                                                     static_cast<off_t>(*offset + written));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            return EIO;
        }
        written += static_cast<std::size_t>(n);
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

int CloseDescriptor(int fd) {
    return close(fd) != 0 && errno != EINTR ? errno : 0;
}

} // namespace platform
