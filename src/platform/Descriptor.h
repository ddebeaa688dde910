// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

/// open(), asked again while a signal interrupts it: the descriptor, or -1
/// with errno set.
int OpenRetrying(const std::string& path, int flags, mode_t mode);

/// Writes all of data: at *offset when offset is given (the file position
/// stays), else at the file position. Adds the bytes that went out to
/// written. 0, or the errno value of the failure (EIO when the system takes
/// nothing, instead of looping for ever).
int WriteAll(int fd, std::string_view data, const uint64_t* offset, std::size_t& written);

/// Closes fd: 0 or the errno value. EINTR is no failure and is not retried:
/// Linux releases the descriptor all the same, and it says nothing about
/// the data.
int CloseDescriptor(int fd);

} // namespace platform
