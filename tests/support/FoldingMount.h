// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

/// Whether a name is one libfuse gives a file that was removed or replaced
/// while a handle on it was still open (".fuse_hidden" and numbers). The
/// kernel tells the file system that a handle is gone only after close()
/// returns, so for a moment after a reservation is closed and a move takes
/// its place, the replaced empty reservation may still be listed under such
/// a name; libfuse removes it when the late notice arrives. It is never one
/// of the files a test made.
inline bool IsFuseHiddenName(const std::string& name) {
    return name.rfind(".fuse_hidden", 0) == 0;
}

/// A small file system of a camera card or USB stick, made in an image file
/// and mounted through FUSE for one test suite: exFAT (exfat-fuse, on a loop
/// device) or FAT32 (fusefat, on the image itself). Both fold the case of
/// names, and neither has the no-replace flag or hard links, like most
/// cards, sticks and shares. Mounting needs root, /dev/fuse and the tools
/// of scripts/install-deps; without them SkipReason says what is missing.
class CFoldingMount {
public:
    enum class Kind { ExFat, Fat32 };

    explicit CFoldingMount(Kind kind) {
        if (geteuid() != 0) {
            skipReason = "mounting a FUSE file system needs root";
            return;
        }
        if (access("/dev/fuse", R_OK | W_OK) != 0) {
            skipReason = "/dev/fuse is missing or closed";
            return;
        }
        const char* const tools[] = {kind == Kind::ExFat ? "mkfs.exfat" : "mkfs.vfat",
                                     kind == Kind::ExFat ? "mount.exfat-fuse" : "fusefat",
                                     kind == Kind::ExFat ? "losetup" : "umount"};
        for (const char* tool : tools) {
            if (Shell(std::string("command -v ") + tool + " >/dev/null 2>&1") != 0) {
                skipReason = std::string(tool) + " is not installed (scripts/install-deps)";
                return;
            }
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "nrmount-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            skipReason = "no temporary folder";
            return;
        }
        work = pattern;
        image = work + "/card.img";
        mountPoint = work + "/card";
        std::filesystem::create_directory(mountPoint);
        if (Shell("truncate -s 64M '" + image + "'") != 0) {
            skipReason = "the image could not be made";
            return;
        }
        if (kind == Kind::ExFat) {
            if (Shell("mkfs.exfat '" + image + "' >/dev/null 2>&1") != 0) {
                skipReason = "mkfs.exfat failed";
                return;
            }
            loopDevice = Output("losetup -f --show '" + image + "' 2>/dev/null");
            if (loopDevice.empty()) {
                skipReason = "no loop device could be attached";
                return;
            }
            if (Shell("mount.exfat-fuse '" + loopDevice + "' '" + mountPoint +
                      "' >/dev/null 2>&1") != 0) {
                skipReason = "mount.exfat-fuse failed";
                return;
            }
        } else {
            if (Shell("mkfs.vfat -F 32 '" + image + "' >/dev/null 2>&1") != 0) {
                skipReason = "mkfs.vfat failed";
                return;
            }
            // fusefat gives a file the time of every rename, mv's too, and
            // the kernel would show the old time from its cache for a
            // second: without that cache every stat sees the card as it is.
            if (Shell("fusefat -o rw+,attr_timeout=0 '" + image + "' '" + mountPoint +
                      "' >/dev/null 2>&1") != 0) {
                skipReason = "fusefat failed";
                return;
            }
        }
        struct statfs info;
        if (statfs(mountPoint.c_str(), &info) != 0 || info.f_type != kFuseMagic) {
            skipReason = "the mount did not appear";
            return;
        }
        mounted = true;
    }

    ~CFoldingMount() {
        if (mounted) {
            Shell("umount '" + mountPoint + "' >/dev/null 2>&1 || umount -l '" + mountPoint +
                  "' >/dev/null 2>&1");
        }
        if (!loopDevice.empty()) {
            Shell("losetup -d '" + loopDevice + "' >/dev/null 2>&1");
        }
        if (!work.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(work, ignored);
        }
    }
    CFoldingMount(const CFoldingMount&) = delete;
    CFoldingMount& operator=(const CFoldingMount&) = delete;

    bool IsMounted() const { return mounted; }
    const std::string& SkipReason() const { return skipReason; }
    /// The mounted root, ending in "/".
    std::string Path() const { return mountPoint + "/"; }

private:
    static constexpr long kFuseMagic = 0x65735546;

    static int Shell(const std::string& command) { return std::system(command.c_str()); }

    static std::string Output(const std::string& command) {
        std::string text;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            std::array<char, 256> buffer{};
            while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr) {
                text += buffer.data();
            }
            pclose(pipe);
        }
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
        return text;
    }

    std::string work;
    std::string image;
    std::string mountPoint;
    std::string loopDevice;
    std::string skipReason;
    bool mounted = false;
};
