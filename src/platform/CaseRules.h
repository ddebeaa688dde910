// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

/// How the file system of a folder compares names. A camera's card (FAT,
/// exFAT), a Windows or Samba share and an ext4 or f2fs folder with the
/// casefold attribute hold one file per name without regard to case: there
/// IMG_0001.JPG and img_0001.jpg are one name, and a move to the other case
/// finds the file itself in the way.
namespace platform {

enum class NameCase : uint8_t {
    /// Names compare byte for byte (ext4, xfs, btrfs, tmpfs, ...).
    Exact,
    /// Names compare by the simple case folding of each character, as an
    /// up-case table does (FAT, exFAT, SMB, and any file system that is
    /// found to fold: a FUSE mount, a network share).
    Simple,
    /// Names compare in canonical decomposition after full case folding
    /// (ext4 and f2fs casefold folders).
    Full,
};

/// What the file system of folder does with case: by its type, by the
/// casefold attribute of the folder, and where neither tells (FUSE, network
/// file systems of unknown servers) by looking up a listed name in another
/// case. A folder that cannot be read, or one without a name that has a
/// letter, is taken as Exact.
NameCase FolderNameCase(const std::string& folder);

/// name as a file system of rule compares it: unchanged for Exact. Bytes
/// that are not UTF-8 keep their value.
std::string FoldName(std::string_view name, NameCase rule);

/// True when a and b are one name under rule.
bool SameName(std::string_view a, std::string_view b, NameCase rule);

/// The rules of the folders of a run, each asked of the system once.
class CFolderCaseRules {
public:
    /// The rule of folder (with or without its last "/").
    NameCase Of(std::string_view folder);
    /// The rule of the folder that holds path.
    NameCase OfFolderOf(std::string_view path);
    /// path as its folder compares it: the folder as it is, the last
    /// component folded by the folder's rule.
    std::string Key(std::string_view path);
    /// True when any folder asked so far folds case.
    bool AnyFolds() const { return anyFolds; }

private:
    std::unordered_map<std::string, NameCase> rules;
    bool anyFolds = false;
    // The folder of the last question: the paths of one folder follow
    // each other.
    std::string lastFolder;
    NameCase lastRule = NameCase::Exact;
    bool lastKnown = false;
};

} // namespace platform
