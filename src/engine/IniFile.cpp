// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/IniFile.h"

#include "catalogue/NameParts.h"
#include "platform/Utf8.h"
#include "platform/Windows1252.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

/// The key of a line "Key=Value" (trimmed); empty when the line has none.
std::string_view KeyOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view{} : Trim(line.substr(0, equals));
}

std::string_view ValueOf(std::string_view line) {
    return Trim(line.substr(line.find('=') + 1));
}

bool CanHold(std::string_view text) {
    return text.find_first_of(kLineEnd) == std::string_view::npos;
}

/// A name for the temporary file beside target that is unlikely to be taken.
fs::path TempPathBeside(const fs::path& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto tag = static_cast<unsigned long long>(ticks) * 31 + counter++ * 7919 + attempt;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".NR%08llx.tmp", tag & 0xFFFFFFFFull);
    fs::path temp = target;
    temp.replace_filename("." + target.filename().string() + suffix);
    return temp;
}

} // namespace

bool CIniFile::Load(const std::string& path) {
    int error = 0;
    return Load(path, error);
}

bool CIniFile::Load(const std::string& path, int& error) {
    return Read(path, true, error);
}

bool CIniFile::LoadExisting(const std::string& path, int& error) {
    return Read(path, false, error);
}

bool CIniFile::Read(const std::string& path, bool missingIsEmpty, int& error) {
    Clear();
    error = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        if (missingIsEmpty && (errno == ENOENT || errno == ENOTDIR)) {
            return true;
        }
        error = errno;
        return false;
    }
    std::string data;
    char buffer[65536];
    bool ok = true;
    errno = 0;
    while (ok) {
        const std::size_t count = std::fread(buffer, 1, sizeof buffer, file);
        if (data.size() + count > kMaxFileBytes) {
            ok = false;
            error = EFBIG;
        } else {
            data.append(buffer, count);
        }
        if (count < sizeof buffer) {
            if (ok && std::ferror(file) != 0) {
                ok = false;
                error = errno != 0 ? errno : EIO;
            }
            break;
        }
    }
    std::fclose(file);
    if (!ok) {
        return false;
    }
    LoadFromBytes(data);
    return true;
}

void CIniFile::LoadFromBytes(std::string_view data) {
    Clear();
    std::string_view text = data;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    if (utf8::IsValid(text)) {
        Parse(text);
    } else {
        Parse(platform::Windows1252ToUtf8(text));
    }
}

std::string CIniFile::ToText() const {
    std::string text;
    for (const CSection& section : sections) {
        if (!section.header.empty()) {
            text.append(section.header).append(kLineEnd);
        }
        for (const CEntry& entry : section.entries) {
            text.append(entry.text).append(kLineEnd);
        }
    }
    return text;
}

void CIniFile::Parse(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::string_view body = Trim(line);
        if (body.starts_with('[')) {
            const std::size_t close = body.rfind(']');
            if (close != std::string_view::npos) {
                CSection& section = sections.emplace_back();
                section.header = line;
                section.name = Trim(body.substr(1, close - 1));
                continue;
            }
        }
        if (sections.empty()) {
            sections.emplace_back(); // the lines before the first section
        }
        std::vector<CEntry>& entries = sections.back().entries;
        const bool isKey = !KeyOf(body).empty();
        if (!isKey && !entries.empty() && !entries.back().isKey) {
            entries.back().text.append(kLineEnd).append(line);
        } else {
            entries.push_back(CEntry{std::string(line), isKey});
        }
    }
}

bool CIniFile::Save(const std::string& path) const {
    int error = 0;
    return Save(path, error);
}

bool CIniFile::Save(const std::string& path, int& error) const {
    error = 0;
    const std::string text = ToText();

    std::error_code code;
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(target, code))) {
        const fs::path resolved = fs::canonical(target, code);
        if (!code) {
            target = resolved;
        }
    }
    const fs::file_status old = fs::status(target, code);
    if (fs::exists(old)) {
        if (!fs::is_regular_file(old)) {
            // Never replace a folder, a device or a pipe.
            error = fs::is_directory(old) ? EISDIR : EINVAL;
            return false;
        }
        // A file we may not write to is not replaced either.
        std::FILE* probe = std::fopen(target.c_str(), "ab");
        if (probe == nullptr) {
            error = errno;
            return false;
        }
        std::fclose(probe);
    }

    fs::path temp;
    std::FILE* file = nullptr;
    for (unsigned attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        temp = TempPathBeside(target, attempt);
        file = std::fopen(temp.c_str(), "wbx");
        if (file == nullptr && errno != EEXIST) {
            error = errno;
            return false;
        }
    }
    if (file == nullptr) {
        error = EEXIST;
        return false;
    }
    errno = 0;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    if (!ok) {
        error = errno;
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && fs::exists(old)) {
        fs::permissions(temp, old.permissions(), fs::perm_options::replace, code);
    }
    if (ok) {
        fs::rename(temp, target, code);
        ok = !code;
        error = code.value();
    }
    if (!ok) {
        if (error == 0) {
            error = EIO;
        }
        fs::remove(temp, code);
    }
    return ok;
}

void CIniFile::Clear() {
    sections.clear();
}

std::size_t CIniFile::FindSection(std::string_view name) const {
    // An empty name matches nothing, so the lines before the first section
    // (and a section "[]") stay out of reach.
    name = Trim(name);
    for (std::size_t i = 0; i < sections.size() && !name.empty(); ++i) {
        if (utf8::EqualsIgnoringCase(sections[i].name, name)) {
            return i;
        }
    }
    return sections.size();
}

std::size_t CIniFile::FindKey(const CSection& section, std::string_view key) {
    key = Trim(key);
    for (std::size_t i = 0; i < section.entries.size() && !key.empty(); ++i) {
        const CEntry& entry = section.entries[i];
        if (entry.isKey && utf8::EqualsIgnoringCase(KeyOf(entry.text), key)) {
            return i;
        }
    }
    return section.entries.size();
}

std::string CIniFile::GetString(std::string_view section, std::string_view key, bool& found) const {
    found = false;
    const std::size_t where = FindSection(section);
    if (where == sections.size()) {
        return {};
    }
    const std::vector<CEntry>& entries = sections[where].entries;
    const std::size_t index = FindKey(sections[where], key);
    if (index == entries.size()) {
        return {};
    }
    found = true;
    std::string_view value = ValueOf(entries[index].text);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, utf8::OffsetOfChar(value, kMaxValueChars)));
}

std::string CIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view current) const {
    bool found;
    std::string value = GetString(section, key, found);
    return value.empty() ? std::string(current) : value;
}

bool CIniFile::ReadBool(std::string_view section, std::string_view key, bool current) const {
    bool found;
    const std::string value = GetString(section, key, found);
    return value.empty() ? current : value.front() != '0';
}

int32_t CIniFile::ReadInt(std::string_view section, std::string_view key, int32_t current) const {
    bool found;
    const std::string value = GetString(section, key, found);
    return value.empty() ? current : LeadingInteger(value);
}

bool CIniFile::WriteString(std::string_view section, std::string_view key, std::string_view text) {
    if (text.empty() || text.front() == '"') {
        return WriteValue(section, key, text);
    }
    return WriteValue(section, key, "\"" + std::string(text) + "\"");
}

bool CIniFile::WriteBool(std::string_view section, std::string_view key, bool flag) {
    return WriteValue(section, key, flag ? "1" : "0");
}

bool CIniFile::WriteInt(std::string_view section, std::string_view key, int32_t number) {
    return WriteValue(section, key, std::to_string(number));
}

bool CIniFile::WriteValue(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || !CanHold(section) || !CanHold(key) || !CanHold(value) ||
        key.find('=') != std::string_view::npos || key.front() == '[') {
        return false;
    }
    const std::size_t where = FindSection(section);
    if (where == sections.size()) {
        CSection& added = sections.emplace_back();
        added.header = "[" + std::string(section) + "]";
        added.name = section;
    }
    std::vector<CEntry>& entries = sections[where].entries;
    const std::size_t index = FindKey(sections[where], key);
    if (index < entries.size()) {
        // Keep the key as the file spells it.
        const std::string name(KeyOf(entries[index].text));
        entries[index].text = name + "=" + std::string(value);
        return true;
    }
    // After the last key, so that blank lines before the next section stay
    // there; right after the section line when the section has no key yet.
    std::size_t insertAt = entries.size();
    while (insertAt > 0 && !entries[insertAt - 1].isKey) {
        --insertAt;
    }
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   CEntry{std::string(key) + "=" + std::string(value), true});
    return true;
}
