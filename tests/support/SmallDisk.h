// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <sys/resource.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

/// How much the small disk holds.
constexpr rlim_t kDiskBytes = 64 * 1024;

/// A disk of kDiskBytes on a fresh folder: a tmpfs mounted there (unmounted
/// at the end) where this process may mount one, else a plain folder and a
/// file size limit of kDiskBytes that stands in for the full disk from Fill
/// to Empty. The limit holds for every file the process writes, wherever it
/// is, so a test makes its own files before Fill. NR_TEST_NO_MOUNT=1 in the
/// environment takes the limit even where the mount would work, so that both
/// ways can be tried on one machine.
class CSmallDisk {
public:
    CSmallDisk() {
        const char* noMount = std::getenv("NR_TEST_NO_MOUNT");
        if (noMount == nullptr || std::string(noMount) != "1") {
            const std::string command = "mount -t tmpfs -o size=" + std::to_string(kDiskBytes) +
                                        " nrtest " + folder.Path() + " 2>/dev/null";
            mounted = std::system(command.c_str()) == 0;
        }
    }
    ~CSmallDisk() {
        Empty();
        if (mounted) {
            const std::string command = "umount " + folder.Path();
            (void)std::system(command.c_str());
        }
    }
    CSmallDisk(const CSmallDisk&) = delete;
    CSmallDisk& operator=(const CSmallDisk&) = delete;

    bool Mounted() const { return mounted; }
    /// The errno value of a write that does not fit: ENOSPC on the tmpfs,
    /// EFBIG past the file size limit.
    int FullError() const { return mounted ? ENOSPC : EFBIG; }
    /// Without the mount, sets the file size limit; false when it cannot.
    bool Fill() {
        if (mounted) {
            return true;
        }
        limit.emplace(kDiskBytes);
        return limit->IsSet();
    }
    /// Lifts the file size limit (files elsewhere have room again).
    void Empty() { limit.reset(); }
    std::string operator/(const std::string& name) const { return folder / name; }

private:
    CTempFolder folder;
    bool mounted = false;
    std::optional<CFileSizeLimit> limit;
};
