// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

/// A fresh folder under the temporary folder, removed with everything in it
/// when the object goes (permissions are restored first so that read-only
/// sub-folders can be removed too).
class CTempFolder {
public:
    CTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nrtest-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        root = pattern;
    }
    ~CTempFolder() {
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(
                 root, std::filesystem::directory_options::skip_permission_denied, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
            }
        }
        std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    /// The folder's path, ending in "/".
    std::string Path() const { return root.string() + "/"; }
    /// Path of a name inside the folder.
    std::string operator/(const std::string& name) const { return Path() + name; }

    /// Writes a file (creating parent folders) and returns its path.
    std::string WriteFile(const std::string& name, const std::string& content = {}) const {
        const std::filesystem::path path = root / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << content;
        return path.string();
    }
    /// Creates a folder (and its parents) and returns its path.
    std::string MakeFolder(const std::string& name) const {
        std::filesystem::create_directories(root / name);
        return (root / name).string();
    }

private:
    std::filesystem::path root;
};

/// Reads a whole file; empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
