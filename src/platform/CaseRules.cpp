// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CaseRules.h"

#include "platform/FileSystem.h"
#include "platform/Utf8.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

// File systems whose names fold case by their nature.
constexpr unsigned long kCifsMagic = 0xFF534D42;
constexpr unsigned long kSmb2Magic = 0xFE534D42;

// File systems that compare names byte for byte (or, for ext4 and f2fs,
// unless a folder carries the casefold attribute).
constexpr unsigned long kExactTypes[] = {
    EXT4_SUPER_MAGIC, XFS_SUPER_MAGIC,      BTRFS_SUPER_MAGIC,
    TMPFS_MAGIC,      RAMFS_MAGIC,          OVERLAYFS_SUPER_MAGIC,
    F2FS_SUPER_MAGIC, 0x2FC12FC1 /* zfs */, 0xCA451A4E /* bcachefs */,
};

bool CarriesCasefold(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    const bool folds = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL) != 0;
    close(fd);
    return folds;
}

// name with the case of every ASCII letter turned round.
std::string OtherCase(const std::string& name) {
    std::string other = name;
    for (char& c : other) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return other;
}

// A file system that does not say: a listed name asked for in the other
// case is found only where names fold (or where both names are listed).
NameCase ProbeNameCase(const std::string& folder) {
    std::vector<std::string> names;
    int error = 0;
    if (!ReadFolderNames(
            folder, [&names](std::string_view name, EntryType) { names.emplace_back(name); },
            error)) {
        return NameCase::Exact;
    }
    std::sort(names.begin(), names.end());
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    int asked = 0;
    for (const std::string& name : names) {
        const std::string other = OtherCase(name);
        if (other == name || std::binary_search(names.begin(), names.end(), other)) {
            continue;
        }
        struct stat st;
        if (lstat((prefix + other).c_str(), &st) == 0) {
            return NameCase::Simple;
        }
        if (errno == ENOENT || ++asked == 3) {
            return NameCase::Exact;
        }
    }
    return NameCase::Exact;
}

} // namespace

NameCase FolderNameCase(const std::string& folder) {
    const std::string path = folder.empty() ? "." : folder;
    struct statfs info;
    if (statfs(path.c_str(), &info) != 0) {
        return NameCase::Exact;
    }
    const auto type = static_cast<unsigned long>(info.f_type);
    if (type == MSDOS_SUPER_MAGIC || type == EXFAT_SUPER_MAGIC || type == SMB_SUPER_MAGIC ||
        type == kCifsMagic || type == kSmb2Magic) {
        return NameCase::Simple;
    }
    if (type == EXT4_SUPER_MAGIC || type == F2FS_SUPER_MAGIC) {
        return CarriesCasefold(path) ? NameCase::Full : NameCase::Exact;
    }
    if (std::find(std::begin(kExactTypes), std::end(kExactTypes), type) != std::end(kExactTypes)) {
        return NameCase::Exact;
    }
    return ProbeNameCase(path);
}

std::string FoldName(std::string_view name, NameCase rule) {
    if (rule == NameCase::Exact) {
        return std::string(name);
    }
    if (rule == NameCase::Full && utf8::IsValid(name)) {
        icu::UnicodeString text = icu::UnicodeString::fromUTF8(
            icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
        text.foldCase(U_FOLD_CASE_DEFAULT);
        UErrorCode status = U_ZERO_ERROR;
        const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
        if (U_SUCCESS(status)) {
            const icu::UnicodeString decomposed = nfd->normalize(text, status);
            if (U_SUCCESS(status)) {
                std::string folded;
                decomposed.toUTF8String(folded);
                return folded;
            }
        }
    }
    std::string folded;
    folded.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) {
        const unsigned char byte = static_cast<unsigned char>(name[pos]);
        if (byte < 0x80) {
            folded += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
            ++pos;
            continue;
        }
        std::size_t length = 0;
        const char32_t c = utf8::Decode(name, pos, length);
        if (c >= 0xDC80 && c <= 0xDCFF) {
            folded.append(name.substr(pos, length)); // a byte that is no character
        } else {
            utf8::Append(folded, static_cast<char32_t>(
                                     u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT)));
        }
        pos += length;
    }
    return folded;
}

bool SameName(std::string_view a, std::string_view b, NameCase rule) {
    return rule == NameCase::Exact ? a == b : FoldName(a, rule) == FoldName(b, rule);
}

NameCase CFolderCaseRules::Of(std::string_view folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    if (lastKnown && folder == lastFolder) {
        return lastRule;
    }
    lastFolder.assign(folder);
    auto found = rules.find(lastFolder);
    if (found == rules.end()) {
        found = rules.emplace(lastFolder, FolderNameCase(lastFolder)).first;
        anyFolds = anyFolds || found->second != NameCase::Exact;
    }
    lastRule = found->second;
    lastKnown = true;
    return lastRule;
}

NameCase CFolderCaseRules::OfFolderOf(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return Of(".");
    }
    return Of(slash == 0 ? std::string_view("/") : path.substr(0, slash));
}

std::string CFolderCaseRules::Key(std::string_view path) {
    const NameCase rule = OfFolderOf(path);
    if (rule == NameCase::Exact) {
        return std::string(path);
    }
    const auto slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::string key(path.substr(0, nameStart));
    key.append(FoldName(path.substr(nameStart), rule));
    return key;
}

} // namespace platform
