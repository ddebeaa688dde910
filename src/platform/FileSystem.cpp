// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// The small calls of FileSystem.h: paths, the current folder and the
// executable, removing a file, making private folders, temporary files and
// error texts. Listing, attributes, moves and identities have files of
// their own.
namespace platform {

std::string_view LastComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
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
