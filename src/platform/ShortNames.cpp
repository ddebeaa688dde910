// SPDX-License-Identifier: GPL-3.0-or-later
// The 8.3 aliases that a Windows file system would give the names of a
// folder. Linux has none, so they are made here on demand.

#include "platform/FileSystem.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <list>
#include <mutex>
#include <numeric>
#include <sys/stat.h>
#include <unordered_map>
#include <unordered_set>

namespace platform {

namespace {

bool IsUsable(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           (c != 0 && std::strchr("!#$%&'()-@^_`{}~", c) != nullptr);
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// Up to limit usable characters of part: blanks and dots dropped, other
// characters (a multi-byte character counts once) replaced by "_".
std::string UsablePrefix(std::string_view part, std::size_t limit) {
    std::string out;
    for (std::size_t pos = 0; pos < part.size() && out.size() < limit;) {
        const std::size_t length = utf8::CharLength(part, pos);
        const auto c = static_cast<unsigned char>(part[pos]);
        pos += length;
        if (c == ' ' || c == '.') {
            continue;
        }
        out.push_back(length == 1 && IsUsable(c) ? static_cast<char>(c) : '_');
    }
    return UpperAscii(out);
}

struct CFolderAliases {
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec modified = {};
    /// The clock when the folder was read.
    struct timespec readAt = {};
    std::unordered_map<std::string, std::string> shortOf;
};

// File-system timestamps are coarse (a clock tick, two seconds on FAT, a
// second on many network shares): a change made soon after a listing can
// leave the folder's modification time as it was. A listing is only trusted
// while the folder's time lies this far before the moment it was read.
constexpr time_t kTimestampSlackSeconds = 2;

bool IsSettled(const CFolderAliases& aliases) {
    return aliases.modified.tv_sec + kTimestampSlackSeconds < aliases.readAt.tv_sec;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The aliases of one folder, rebuilt when the folder changed since it was
// last read; a few folders are kept so that a whole path converts cheaply.
bool AliasOf(const std::string& folder, const std::string& name, std::string& alias) {
    static std::mutex lock;
    static std::list<std::pair<std::string, CFolderAliases>> cache;
    constexpr std::size_t kCachedFolders = 8;

    struct stat st;
    const std::string folderPath = folder.empty() ? "." : folder;
    if (stat(folderPath.c_str(), &st) != 0) {
        return false;
    }
    std::lock_guard guard(lock);
    auto it = std::find_if(cache.begin(), cache.end(),
                           [&](const auto& item) { return item.first == folderPath; });
    if (it != cache.end() && (it->second.device != st.st_dev || it->second.inode != st.st_ino ||
                              it->second.modified.tv_sec != st.st_mtim.tv_sec ||
                              it->second.modified.tv_nsec != st.st_mtim.tv_nsec ||
                              !IsSettled(it->second))) {
        cache.erase(it);
        it = cache.end();
    }
    if (it == cache.end()) {
        CFolderAliases aliases;
        clock_gettime(CLOCK_REALTIME, &aliases.readAt);
        std::vector<CFindRecord> records;
        int error = 0;
        if (!ReadFolder(folderPath, records, error, true)) {
            return false;
        }
        aliases.device = st.st_dev;
        aliases.inode = st.st_ino;
        aliases.modified = st.st_mtim;
        aliases.shortOf.reserve(records.size());
        for (auto& record : records) {
            std::string shortName = record.cAlternateFileName.empty()
                                        ? record.cFileName
                                        : std::move(record.cAlternateFileName);
            aliases.shortOf.emplace(std::move(record.cFileName), std::move(shortName));
        }
        cache.emplace_front(folderPath, std::move(aliases));
        if (cache.size() > kCachedFolders) {
            cache.pop_back();
        }
        it = cache.begin();
    } else if (it != cache.begin()) {
        cache.splice(cache.begin(), cache, it);
        it = cache.begin();
    }
    const auto found = it->second.shortOf.find(name);
    if (found == it->second.shortOf.end()) {
        return false;
    }
    alias = found->second;
    return true;
}

} // namespace

bool IsValidShortName(const std::string& name) {
    const auto dot = name.find('.');
    const std::string_view base = std::string_view(name).substr(0, dot);
    const std::string_view ext =
        dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 ||
        (dot != std::string::npos && ext.empty())) {
        return false;
    }
    const auto usable = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(),
                           [](char c) { return IsUsable(static_cast<unsigned char>(c)); });
    };
    return usable(base) && usable(ext);
}

std::vector<std::string> MakeShortNames(const std::vector<std::string>& names) {
    std::vector<std::string> result(names.size());
    std::unordered_set<std::string> taken;
    std::vector<std::size_t> needAlias;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (IsValidShortName(names[i])) {
            taken.insert(UpperAscii(names[i]));
        } else {
            needAlias.push_back(i);
        }
    }
    std::sort(needAlias.begin(), needAlias.end(),
              [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
    // The next number to try for each stem, so that thousands of names with
    // the same first six characters do not count up from 1 each time.
    std::unordered_map<std::string, unsigned> nextNumber;
    for (const std::size_t i : needAlias) {
        std::string_view longName = names[i];
        while (!longName.empty() && longName.front() == '.') {
            longName.remove_prefix(1);
        }
        const auto dot = longName.rfind('.');
        const std::string base = UsablePrefix(longName.substr(0, dot), 6);
        const std::string ext =
            dot == std::string::npos ? std::string() : UsablePrefix(longName.substr(dot + 1), 3);
        const std::string suffix = ext.empty() ? std::string() : "." + ext;
        unsigned& number = nextNumber.try_emplace(base + "~" + suffix, 1).first->second;
        std::string alias;
        do {
            // The base of an 8.3 name holds eight characters: from ~10 on the
            // number takes its room from the stem (LONGF~10, LONG~100).
            const std::string tail = "~" + std::to_string(number++);
            const std::size_t room = tail.size() < 8 ? 8 - tail.size() : 0;
            alias = base.substr(0, std::min(base.size(), room)) + tail + suffix;
        } while (!taken.insert(alias).second);
        result[i] = std::move(alias);
    }
    return result;
}

bool GetShortName(const std::string& path, std::string& shortName) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    if (trimmed == "/") {
        shortName = "/";
        return true;
    }
    const auto slash = trimmed.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : trimmed.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    if (name.empty()) {
        return false;
    }
    return AliasOf(folder, name, shortName);
}

bool GetShortPathName(const std::string& path, std::string& shortPath) {
    if (path.empty()) {
        return false;
    }
    std::string result = path[0] == '/' ? "/" : "";
    std::string folder = result;
    std::size_t pos = 0;
    while (pos < path.size()) {
        const auto slash = path.find('/', pos);
        const std::string part =
            path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        pos = slash == std::string::npos ? path.size() : slash + 1;
        if (part.empty()) {
            continue;
        }
        std::string alias;
        if (part == "." || part == "..") {
            alias = part;
        } else if (!AliasOf(folder, part, alias)) {
            return false;
        }
        if (!result.empty() && result.back() != '/') {
            result.push_back('/');
        }
        result += alias;
        folder = JoinPath(folder, part) + "/";
    }
    if (path.back() == '/' && result.back() != '/') {
        result.push_back('/');
    }
    shortPath = std::move(result);
    return true;
}

} // namespace platform
