#include "platform/FileSystem.h"

#include "platform/FileTime.h"
#include "platform/Utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

MoveFaultHook& FaultHook() {
    static MoveFaultHook hook;
    return hook;
}

uint32_t AttributesOf(const std::string& name, mode_t mode) {
    uint32_t attributes = 0;
    if (S_ISDIR(mode)) {
        attributes |= kAttrDirectory;
    } else if (S_ISLNK(mode)) {
        attributes |= kAttrSymbolicLink;
    } else if (!S_ISREG(mode)) {
        attributes |= kAttrSystem;
    }
    if ((mode & S_IWUSR) == 0 && !S_ISLNK(mode)) {
        attributes |= kAttrReadOnly;
    }
    if (!name.empty() && name[0] == '.') {
        attributes |= kAttrHidden;
    }
    if (attributes == 0) {
        attributes = kAttrNormal;
    }
    return attributes;
}

std::string LastComponent(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const auto slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

bool StatxRecord(int dirFd, const char* path, const std::string& name, CFindRecord& record,
                 int& error) {
    struct statx sx;
    if (statx(dirFd, path, AT_SYMLINK_NOFOLLOW,
              STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME,
              &sx) != 0) {
        error = errno;
        return false;
    }
    record.dwFileAttributes = AttributesOf(name, sx.stx_mode);
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

std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool SameInode(const std::string& a, const std::string& b) {
    struct stat sa;
    struct stat sb;
    return lstat(a.c_str(), &sa) == 0 && lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The move when the file system refuses RENAME_NOREPLACE.
bool MoveWithoutFlag(const std::string& from, const std::string& to, int& error) {
    struct stat source;
    if (lstat(from.c_str(), &source) != 0) {
        error = errno;
        return false;
    }
    if (!S_ISDIR(source.st_mode)) {
        if (link(from.c_str(), to.c_str()) == 0) {
            if (unlink(from.c_str()) == 0) {
                return true;
            }
            error = errno;
            unlink(to.c_str());
            return false;
        }
        if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != ENOSYS &&
            errno != EMLINK) {
            error = errno;
            return false;
        }
    }
    struct stat target;
    if (lstat(to.c_str(), &target) == 0) {
        error = EEXIST;
        return false;
    }
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        error = errno;
        return false;
    }
    return true;
}

// Moves fromName to toName, both relative to folderFd (AT_FDCWD: to the
// current folder), whose full paths are from and to. A file system without
// the no-replace flag moves by the full paths without it.
bool RawMoveAt(int folderFd, const char* fromName, const char* toName, const std::string& from,
               const std::string& to, int& error) {
    if (renameat2(folderFd, fromName, folderFd, toName, RENAME_NOREPLACE) == 0) {
        return true;
    }
    error = errno;
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
        return MoveWithoutFlag(from, to, error);
    }
    return false;
}

bool RawMove(const std::string& from, const std::string& to, int& error) {
    return RawMoveAt(AT_FDCWD, from.c_str(), to.c_str(), from, to, error);
}

} // namespace

namespace {

// Lists folder and hands visit(dirFd, name, d_type) every entry but "." and
// "..", in the order the file system returns them. False (with error) when
// the folder cannot be opened; an error while reading ends the listing and
// is left in error. The records are read straight into a buffer on the
// stack: a walk through a thousand folders allocates nothing per folder and
// makes no system call beyond open, getdents64 and close.
template <class Visit>
bool ListFolderEntries(const std::string& folder, int& error, Visit&& visit) {
    error = 0;
    const int dirFd =
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) {
        error = errno;
        return false;
    }
    alignas(dirent64) char buffer[32 * 1024];
    for (;;) {
        const ssize_t length = getdents64(dirFd, buffer, sizeof buffer);
        if (length == 0) {
            break;
        }
        if (length < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            break;
        }
        for (ssize_t offset = 0; offset < length;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            const char* name = entry->d_name;
            if (!(name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))) {
                visit(dirFd, name, entry->d_type);
            }
        }
    }
    close(dirFd);
    return true;
}

} // namespace

bool ReadFolder(const std::string& folder, std::vector<CFindRecord>& records, int& error,
                bool withShortNames) {
    records.clear();
    const bool opened =
        ListFolderEntries(folder, error, [&](int dirFd, const char* name, unsigned char) {
            CFindRecord record;
            int statError = 0;
            if (StatxRecord(dirFd, name, name, record, statError)) {
                records.push_back(std::move(record));
            }
        });
    if (!opened) {
        return false;
    }
    if (withShortNames) {
        std::vector<std::string> names;
        names.reserve(records.size());
        for (const auto& record : records) {
            names.push_back(record.cFileName);
        }
        auto aliases = MakeShortNames(names);
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i].cAlternateFileName = std::move(aliases[i]);
        }
    }
    return true;
}

bool ReadFolderNames(const std::string& folder, const FolderNameVisitor& visit, int& error) {
    return ListFolderEntries(folder, error, [&](int dirFd, const char* name, unsigned char kind) {
        if (kind == DT_UNKNOWN) {
            // The file system does not say: ask, and leave out an entry
            // that has gone in between.
            struct stat st;
            if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                return;
            }
            kind = S_ISDIR(st.st_mode)   ? DT_DIR
                   : S_ISLNK(st.st_mode) ? DT_LNK
                   : S_ISREG(st.st_mode) ? DT_REG
                                         : DT_FIFO;
        }
        const EntryType type = kind == DT_DIR   ? EntryType::Folder
                               : kind == DT_LNK ? EntryType::Link
                               : kind == DT_REG ? EntryType::File
                                                : EntryType::Other;
        visit(std::string_view(name), type);
    });
}

bool ReadFolderNames(const std::string& folder, std::vector<CFolderItem>& items, int& error) {
    items.clear();
    return ReadFolderNames(
        folder,
        [&items](std::string_view name, EntryType type) {
            items.push_back(CFolderItem{std::string(name), type});
        },
        error);
}

uint32_t AttributesOfType(EntryType type, const std::string& name) {
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
    if (!name.empty() && name[0] == '.') {
        attributes |= kAttrHidden;
    }
    return attributes == 0 ? kAttrNormal : attributes;
}

bool GetFindRecord(const std::string& path, CFindRecord& record, int& error) {
    return StatxRecord(AT_FDCWD, path.c_str(), LastComponent(path), record, error);
}

bool GetAttributes(const std::string& path, uint32_t& attributes) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        return false;
    }
    attributes = AttributesOf(LastComponent(path), st.st_mode);
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

std::string GetCurrentFolder() {
    std::string buffer(4096, '\0');
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

std::string GetExecutablePath() {
    std::string buffer(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

void SetMoveFaultHook(MoveFaultHook hook) {
    FaultHook() = std::move(hook);
}

namespace {

// What every move checks first. False (with error) when the move must not
// be tried.
bool MayTryMove(const std::string& from, const std::string& to, int& error) {
    error = 0;
    // A zero byte would cut the path short at the system call.
    if (from.find('\0') != std::string::npos || to.find('\0') != std::string::npos) {
        error = EINVAL;
        return false;
    }
    if (const auto& hook = FaultHook()) {
        if (const int injected = hook(from, to); injected != 0) {
            error = injected;
            return false;
        }
    }
    return true;
}

// After a move from from to to failed with error: when the target "exists"
// only because the file system ignores case, the move goes through a
// temporary name.
bool MoveAcrossCase(const std::string& from, const std::string& to, int& error) {
    // Only a change of letter case can meet itself: two hard links of one
    // file under different names are two names, and both stay.
    if (error != EEXIST || from == to || ParentOf(from) != ParentOf(to) ||
        !utf8::EqualsIgnoringCase(from, to) || !SameInode(from, to)) {
        return false;
    }
    // The target "exists" only because the file system ignores case: step
    // through a unique name in the same folder, and step back if the second
    // half fails.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = ParentOf(from) + "/.nr-case-" + std::to_string(getpid()) + "-" +
                                 std::to_string(attempt);
        int stepError = 0;
        if (!RawMove(from, temp, stepError)) {
            if (stepError == EEXIST) {
                continue;
            }
            error = stepError;
            return false;
        }
        if (RawMove(temp, to, stepError)) {
            error = 0;
            return true;
        }
        int backError = 0;
        RawMove(temp, from, backError);
        error = stepError;
        return false;
    }
    return false;
}

bool MoveByPaths(const std::string& from, const std::string& to, int& error) {
    return RawMove(from, to, error) || MoveAcrossCase(from, to, error);
}

} // namespace

bool MoveNoReplace(const std::string& from, const std::string& to, int& error) {
    return MayTryMove(from, to, error) && MoveByPaths(from, to, error);
}

CFolderMover::~CFolderMover() {
    Close();
}

void CFolderMover::Close() {
    if (folderFd >= 0) {
        close(folderFd);
        folderFd = -1;
    }
    folder.clear();
}

bool CFolderMover::Move(const std::string& from, const std::string& to, int& error) {
    if (!MayTryMove(from, to, error)) {
        return false;
    }
    // Both names non-empty and in one folder: from and to share everything up
    // to from's last "/", and to has no "/" after it.
    const std::size_t slash = from.rfind('/');
    const bool oneFolder = slash != std::string::npos && slash + 1 < from.size() &&
                           slash + 1 < to.size() && to[slash] == '/' &&
                           to.compare(0, slash, from, 0, slash) == 0 &&
                           to.find('/', slash + 1) == std::string::npos;
    if (!oneFolder) {
        // A move between folders may rename the held folder or one above it.
        Close();
        return MoveByPaths(from, to, error);
    }
    if (folderFd < 0 || folder.size() != slash || from.compare(0, slash, folder) != 0) {
        Close();
        folder.assign(from, 0, slash);
        folderFd = open(folder.empty() ? "/" : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (folderFd < 0) {
            folder.clear();
            return MoveByPaths(from, to, error);
        }
    }
    return RawMoveAt(folderFd, from.c_str() + slash + 1, to.c_str() + slash + 1, from, to, error) ||
           MoveAcrossCase(from, to, error);
}

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

bool MoveReplacingOnly(const std::string& from, const std::string& to, const CEntryIdentity& before,
                       int& error) {
    error = 0;
    if (from.find('\0') != std::string::npos || to.find('\0') != std::string::npos) {
        error = EINVAL;
        return false;
    }
    if (before.isFolder) {
        error = EISDIR;
        return false;
    }
    if (!before.exists) {
        return RawMove(from, to, error);
    }
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
        // from now names what stood at to: the file of before may go, any
        // other goes back to its place.
        if (GetEntryIdentity(from) == before) {
            (void)unlink(from.c_str());
            return true;
        }
        (void)renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE);
        error = EEXIST;
        return false;
    }
    error = errno;
    if (error == ENOENT) {
        // The file of before has gone (or from has): nothing may be replaced.
        return RawMove(from, to, error);
    }
    if (error != EINVAL && error != ENOSYS && error != ENOTSUP) {
        return false;
    }
    // A file system that cannot exchange names: check, then replace.
    const CEntryIdentity now = GetEntryIdentity(to);
    if (!now.exists) {
        return RawMove(from, to, error);
    }
    if (now != before) {
        error = EEXIST;
        return false;
    }
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        error = errno;
        return false;
    }
    error = 0;
    return true;
}

bool RemoveFile(const std::string& path, int& error) {
    if (unlink(path.c_str()) != 0) {
        error = errno;
        return false;
    }
    return true;
}

bool MakePrivateFolders(const std::string& folder, int& error) {
    error = 0;
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string part = folder.substr(0, end);
        if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = errno;
            return false;
        }
        if (end == std::string::npos) {
            break;
        }
    }
    if (!IsExistingFolder(folder)) {
        error = ENOTDIR;
        return false;
    }
    return true;
}

std::string SystemErrorText(int error) {
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not be buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return text != nullptr ? text : "";
}

std::string GetEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string GetTempFolder() {
    std::string folder = GetEnvironment("TMPDIR");
    if (folder.empty() || !IsExistingFolder(folder)) {
        folder = "/tmp";
    }
    if (folder.back() != '/') {
        folder.push_back('/');
    }
    return folder;
}

std::string CreateTempFile(const std::string& prefix) {
    std::string name = GetTempFolder() + prefix + "XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        return {};
    }
    close(fd);
    return name;
}

} // namespace platform
