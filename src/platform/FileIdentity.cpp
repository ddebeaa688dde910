// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include <cstdio>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <utility>

namespace platform {

CEntryIdentity GetEntryIdentity(const std::string& path) {
    CEntryIdentity identity;
    struct stat st;
    if (lstat(path.c_str(), &st) == 0) {
        identity.exists = true;
        identity.isFolder = S_ISDIR(st.st_mode);
        identity.device = st.st_dev;
        identity.inode = st.st_ino;
    }
    return identity;
}

std::string FileIdentityText(const std::string& path) {
    struct statx sx;
    if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW,
              STATX_TYPE | STATX_INO | STATX_SIZE | STATX_MTIME | STATX_BTIME, &sx) != 0) {
        return {};
    }
    // Who it is (device, inode and, where known, birth, since a freed inode
    // number is soon given to a new file), then what it holds (size and
    // time).
    const auto device =
        (static_cast<unsigned long long>(sx.stx_dev_major) << 32) | sx.stx_dev_minor;
    const bool born = (sx.stx_mask & STATX_BTIME) != 0;
    char text[160];
    const int whoLength = std::snprintf(text, sizeof text, "%llu:%llu:%lld.%09u/", device,
                                        static_cast<unsigned long long>(sx.stx_ino),
                                        born ? static_cast<long long>(sx.stx_btime.tv_sec) : 0LL,
                                        born ? sx.stx_btime.tv_nsec : 0u);
    const std::size_t rest = sizeof text - static_cast<std::size_t>(whoLength);
    if (S_ISDIR(sx.stx_mode)) {
        std::snprintf(text + whoLength, rest, "folder");
    } else {
        std::snprintf(text + whoLength, rest, "%llu:%lld.%09u",
                      static_cast<unsigned long long>(sx.stx_size),
                      static_cast<long long>(sx.stx_mtime.tv_sec), sx.stx_mtime.tv_nsec);
    }
    return text;
}

bool IsStillTheFile(const std::string& path, std::string_view identity) {
    if (identity.empty()) {
        return true;
    }
    const std::string now = FileIdentityText(path);
    if (now.empty()) {
        return false;
    }
    const auto split = [](std::string_view text) {
        const auto slash = text.find('/');
        return slash == std::string_view::npos
                   ? std::pair<std::string_view, std::string_view>{text, {}}
                   : std::pair{text.substr(0, slash), text.substr(slash + 1)};
    };
    const auto [nowWho, nowFacts] = split(now);
    const auto [thenWho, thenFacts] = split(identity);
    // Local file systems keep a file's inode for its life, whatever is
    // written into it; FAT, exFAT and FUSE number their inodes anew at every
    // mount, so there size and time tell (a folder cannot be told).
    struct statfs info;
    const bool stableInodes =
        statfs(path.c_str(), &info) == 0 &&
        (info.f_type == EXT4_SUPER_MAGIC || info.f_type == XFS_SUPER_MAGIC ||
         info.f_type == BTRFS_SUPER_MAGIC || info.f_type == TMPFS_MAGIC ||
         info.f_type == F2FS_SUPER_MAGIC || info.f_type == 0x2FC12FC1 /* zfs */);
    return stableInodes ? nowWho == thenWho : nowFacts == thenFacts;
}

} // namespace platform
