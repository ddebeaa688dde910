// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EntryAttributes.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

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
        uint32_t mode = DTTOIF(kind);
        if (kind == DT_UNKNOWN) {
            // The file system does not say: ask, and leave out an entry
            // that has gone in between.
            struct stat st;
            if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                return;
            }
            mode = st.st_mode;
        }
        visit(std::string_view(name), EntryTypeOfMode(mode));
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

} // namespace platform
