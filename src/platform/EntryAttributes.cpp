// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EntryAttributes.h"

#include "platform/FileTime.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

uint32_t AttributesOf(EntryType type, std::string_view name, bool readOnly) {
    uint32_t attributes = 0;
    switch (type) {
    case EntryType::Folder:
        attributes |= kAttrDirectory;
        break;
    case EntryType::Link:
        attributes |= kAttrSymbolicLink;
        break;
    case EntryType::Other:
        attributes |= kAttrSystem;
        break;
    case EntryType::File:
        break;
    }
    if (readOnly) {
        attributes |= kAttrReadOnly;
    }
    if (!name.empty() && name[0] == '.') {
        attributes |= kAttrHidden;
    }
    return attributes == 0 ? kAttrNormal : attributes;
}

} // namespace

EntryType EntryTypeOfMode(uint32_t mode) {
    return S_ISDIR(mode)   ? EntryType::Folder
           : S_ISLNK(mode) ? EntryType::Link
           : S_ISREG(mode) ? EntryType::File
                           : EntryType::Other;
}

EntryType EntryTypeOfAttributes(uint32_t attributes) {
    return (attributes & kAttrDirectory) != 0      ? EntryType::Folder
           : (attributes & kAttrSymbolicLink) != 0 ? EntryType::Link
           : (attributes & kAttrSystem) != 0       ? EntryType::Other
                                                   : EntryType::File;
}

uint32_t AttributesOfType(EntryType type, std::string_view name) {
    return AttributesOf(type, name, false);
}

uint32_t AttributesOfMode(std::string_view name, uint32_t mode) {
    return AttributesOf(EntryTypeOfMode(mode), name, (mode & S_IWUSR) == 0 && !S_ISLNK(mode));
}

bool StatxRecord(int dirFd, const char* path, std::string_view name, CFindRecord& record,
                 int& error) {
    struct statx sx;
    if (statx(dirFd, path, AT_SYMLINK_NOFOLLOW,
              STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME,
              &sx) != 0) {
        error = errno;
        return false;
    }
    record.dwFileAttributes = AttributesOfMode(name, sx.stx_mode);
    record.SetFileSize(S_ISDIR(sx.stx_mode) ? 0 : sx.stx_size);
    record.ftLastWriteTime = UnixToFileTime(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
    record.ftLastAccessTime = UnixToFileTime(sx.stx_atime.tv_sec, sx.stx_atime.tv_nsec);
    record.ftCreationTime = (sx.stx_mask & STATX_BTIME)
                                ? UnixToFileTime(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec)
                                : record.ftLastWriteTime;
    record.cFileName = name;
    record.cAlternateFileName.clear();
    return true;
}

bool GetFindRecord(const std::string& path, CFindRecord& record, int& error) {
    return StatxRecord(AT_FDCWD, path.c_str(), LastComponent(path), record, error);
}

bool GetAttributes(const std::string& path, uint32_t& attributes) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        return false;
    }
    attributes = AttributesOfMode(LastComponent(path), st.st_mode);
    return true;
}

bool IsExistingFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

} // namespace platform
