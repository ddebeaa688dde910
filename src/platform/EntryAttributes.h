// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
#include <string_view>

// What the platform's own files share about an entry's type and attributes;
// not for the layers above, which read FileSystem.h.
namespace platform {

/// The entry type of a file mode (st_mode, or a d_type turned into one).
EntryType EntryTypeOfMode(uint32_t mode);

/// The attribute bits of an entry with this name and mode: its type and
/// name as AttributesOfType gives them, and read-only when the owner may not
/// write it (never for a link, whose own mode means nothing).
uint32_t AttributesOfMode(std::string_view name, uint32_t mode);

/// Fills record from a statx of path relative to dirFd (AT_FDCWD: to the
/// current folder), a link as itself; name is the record's long name.
bool StatxRecord(int dirFd, const char* path, std::string_view name, CFindRecord& record,
                 int& error);

} // namespace platform
