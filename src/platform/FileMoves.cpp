// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include "platform/CaseRules.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

MoveFaultHook& FaultHook() {
    static MoveFaultHook hook;
    return hook;
}

// The last component of a path given to a system call.
std::string_view LastOf(const char* path) {
    const std::string_view text(path);
    const auto slash = text.rfind('/');
    return slash == std::string_view::npos ? text : text.substr(slash + 1);
}

std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Some file systems (fusefat) give a file that replaces another the times of
// the one it replaced: moved onto its reservation, a photo would take the
// moment of the move as its modification time. The times it had are put
// back (asked of the file system itself: the kernel may still show the old
// times from its cache for a moment); a file system that cannot set them
// keeps what it did, and the move stands.
void KeepTimes(int folderFd, const char* name, const struct stat& before) {
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    utimensat(folderFd, name, times, AT_SYMLINK_NOFOLLOW);
}

// The move when the file system refuses RENAME_NOREPLACE (FUSE mounts, older
// NFS and CIFS): nothing may stand at the target that the move replaces, so
// the target is first made ours. A file takes a second hard link (which
// never replaces) where the file system has them; otherwise the target is
// reserved by creating it exclusively (an empty file for a file, an empty
// folder for a folder) and the move replaces only that reservation. A move
// that fails takes its reservation back. Names are relative to folderFd, as
// for renameat2.
bool MoveWithoutFlag(int folderFd, const char* fromName, const char* toName, int& error) {
    struct stat source;
    if (fstatat(folderFd, fromName, &source, AT_SYMLINK_NOFOLLOW) != 0) {
        error = errno;
        return false;
    }
    const bool isFolder = S_ISDIR(source.st_mode);
    if (!isFolder) {
        if (linkat(folderFd, fromName, folderFd, toName, 0) == 0) {
            if (unlinkat(folderFd, fromName, 0) == 0) {
                return true;
            }
            error = errno;
            unlinkat(folderFd, toName, 0);
            return false;
        }
        if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != ENOSYS &&
            errno != EMLINK) {
            error = errno;
            return false;
        }
    }
    struct stat reservation;
    if (isFolder) {
        if (mkdirat(folderFd, toName, 0700) != 0 ||
            fstatat(folderFd, toName, &reservation, AT_SYMLINK_NOFOLLOW) != 0) {
            error = errno;
            return false;
        }
    } else {
        const int fd = openat(folderFd, toName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            error = errno;
            return false;
        }
        const bool known = fstat(fd, &reservation) == 0;
        close(fd);
        if (!known) {
            error = errno;
            unlinkat(folderFd, toName, 0);
            return false;
        }
    }
    if (renameat(folderFd, fromName, folderFd, toName) == 0) {
        KeepTimes(folderFd, toName, source);
        return true;
    }
    error = errno;
    // Only the reservation goes, and only while it is still the one made.
    struct stat now;
    if (fstatat(folderFd, toName, &now, AT_SYMLINK_NOFOLLOW) == 0 &&
        now.st_dev == reservation.st_dev && now.st_ino == reservation.st_ino) {
        unlinkat(folderFd, toName, isFolder ? AT_REMOVEDIR : 0);
    }
    if (isFolder && (error == EPERM || error == EISDIR || error == ENOTSUP || error == ENOSYS)) {
        // Some file systems (fusefat) cannot move a folder onto an empty
        // one. A folder's move can replace at most an empty folder, never a
        // file (ENOTDIR) nor a folder with contents (ENOTEMPTY): it goes to
        // the name once that is free again.
        if (fstatat(folderFd, toName, &now, AT_SYMLINK_NOFOLLOW) == 0) {
            error = EEXIST;
            return false;
        }
        if (renameat(folderFd, fromName, folderFd, toName) == 0) {
            return true;
        }
        error = errno;
    }
    return false;
}

// Moves fromName to toName, both relative to folderFd (AT_FDCWD: to the
// current folder). A file system without the no-replace flag reserves the
// target first.
bool RawMoveAt(int folderFd, const char* fromName, const char* toName, int& error) {
    if (renameat2(folderFd, fromName, folderFd, toName, RENAME_NOREPLACE) == 0) {
        return true;
    }
    error = errno;
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
        return MoveWithoutFlag(folderFd, fromName, toName, error);
    }
    return false;
}

bool RawMove(const std::string& from, const std::string& to, int& error) {
    return RawMoveAt(AT_FDCWD, from.c_str(), to.c_str(), error);
}

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

// After a move within one folder failed with EEXIST: when what holds the
// target is the file itself, under a name that its file system takes for
// the same (a change of case on a card or share), the move steps through a
// free temporary name in the folder, neither step replacing anything. The
// step settles whether the target was the file: once the file has stepped
// aside, the target is free exactly when it was. A file that cannot step
// back to its old name is left where it is, and stranded names it.
// folderFd and the names are as for renameat2; prefix is what makes a
// temporary name a path for folderFd (the folder's path and "/" for
// AT_FDCWD, empty for a held folder), shownPrefix the folder's path and "/".
bool MoveAcrossCase(int folderFd, std::string_view prefix, std::string_view shownPrefix,
                    const char* fromName, const char* toName, const std::function<NameCase()>& rule,
                    int& error, std::string& stranded) {
    if (error != EEXIST || std::strcmp(fromName, toName) == 0) {
        return false;
    }
    // Two hard links of one file under different names are two names, and
    // both stay: only a name that the file system takes for the same can be
    // the file itself. Where the folder's rule is not known to fold, one
    // file by device and inode under a name folded alike says so too.
    const std::string_view fromLast = LastOf(fromName);
    const std::string_view toLast = LastOf(toName);
    const NameCase folderRule = rule();
    bool itself = folderRule != NameCase::Exact && SameName(fromLast, toLast, folderRule);
    if (!itself && (SameName(fromLast, toLast, NameCase::Simple) ||
                    SameName(fromLast, toLast, NameCase::Full))) {
        struct stat source;
        struct stat target;
        itself = fstatat(folderFd, fromName, &source, AT_SYMLINK_NOFOLLOW) == 0 &&
                 fstatat(folderFd, toName, &target, AT_SYMLINK_NOFOLLOW) == 0 &&
                 source.st_dev == target.st_dev && source.st_ino == target.st_ino;
    }
    if (!itself) {
        return false;
    }
    char suffix[40];
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::snprintf(suffix, sizeof suffix, ".nr-case-%d-%d", static_cast<int>(getpid()), attempt);
        const std::string temp = std::string(prefix) + suffix;
        int stepError = 0;
        if (!RawMoveAt(folderFd, fromName, temp.c_str(), stepError)) {
            if (stepError == EEXIST) {
                continue;
            }
            error = stepError;
            return false;
        }
        if (RawMoveAt(folderFd, temp.c_str(), toName, stepError)) {
            error = 0;
            return true;
        }
        // Another file holds the target: the file goes back.
        int backError = 0;
        if (!RawMoveAt(folderFd, temp.c_str(), fromName, backError)) {
            stranded = std::string(shownPrefix) + suffix;
        }
        error = stepError;
        return false;
    }
    return false;
}

bool MoveByPaths(const std::string& from, const std::string& to, int& error,
                 std::string& stranded) {
    if (RawMove(from, to, error)) {
        return true;
    }
    const std::string folder = ParentOf(from);
    if (error != EEXIST || folder != ParentOf(to)) {
        return false;
    }
    const std::string prefix = folder == "/" ? folder : folder + "/";
    return MoveAcrossCase(
        AT_FDCWD, prefix, prefix, from.c_str(), to.c_str(),
        [&folder] { return FolderNameCase(folder); }, error, stranded);
}

} // namespace

void SetMoveFaultHook(MoveFaultHook hook) {
    FaultHook() = std::move(hook);
}

bool MoveNoReplace(const std::string& from, const std::string& to, int& error,
                   std::string* stranded) {
    std::string left;
    const bool moved = MayTryMove(from, to, error) && MoveByPaths(from, to, error, left);
    if (stranded != nullptr) {
        *stranded = std::move(left);
    }
    return moved;
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
    ruleKnown = false;
}

bool CFolderMover::Move(const std::string& from, const std::string& to, int& error) {
    stranded.clear();
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
        return MoveByPaths(from, to, error, stranded);
    }
    if (folderFd < 0 || folder.size() != slash || from.compare(0, slash, folder) != 0) {
        Close();
        folder.assign(from, 0, slash);
        folderFd = open(folder.empty() ? "/" : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (folderFd < 0) {
            folder.clear();
            return MoveByPaths(from, to, error, stranded);
        }
    }
    const char* fromName = from.c_str() + slash + 1;
    const char* toName = to.c_str() + slash + 1;
    if (RawMoveAt(folderFd, fromName, toName, error)) {
        return true;
    }
    if (error != EEXIST) {
        return false;
    }
    // The folder's rule is learnt once while the folder is held.
    const auto rule = [this] {
        if (!ruleKnown) {
            folderRule = FolderNameCase(folder.empty() ? "/" : folder);
            ruleKnown = true;
        }
        return folderRule;
    };
    return MoveAcrossCase(folderFd, {}, std::string_view(from).substr(0, slash + 1), fromName,
                          toName, rule, error, stranded);
}

bool MoveReplacingOnly(const std::string& from, const std::string& to, const CEntryIdentity& before,
                       int& error, bool* exchanged) {
    error = 0;
    if (exchanged != nullptr) {
        *exchanged = false;
    }
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
        if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) != 0) {
            // The other file stays at from, and the caller must know that
            // from is no longer its own.
            if (exchanged != nullptr) {
                *exchanged = true;
            }
        }
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

bool SyncFolderOf(const std::string& path, int& error) {
    error = 0;
    const int fd = open(ParentOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    // A file system that cannot flush a folder (EINVAL) keeps names as it
    // keeps them.
    if (fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        error = errno;
    }
    close(fd);
    return error == 0;
}

} // namespace platform
