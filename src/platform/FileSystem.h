// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CaseRules.h"
#include "platform/FindRecord.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// The file-system half of the operating-system layer. Every path is UTF-8
/// (or whatever bytes the file system holds) with "/" as the separator.
/// Failures return false and an errno value; nothing here throws.
namespace platform {

/// Reads every entry of folder except "." and "..", in the order the file
/// system returns them. Attributes come from lstat: a symbolic link is listed
/// as itself and never as the folder it points to. With withShortNames the
/// 8.3 alias of every entry is filled in too. An entry that vanishes between
/// reading the folder and asking for its data is left out.
bool ReadFolder(const std::string& folder, std::vector<CFindRecord>& records, int& error,
                bool withShortNames = true);

/// What a folder listing tells of an entry without asking for its data.
enum class EntryType : uint8_t { File, Folder, Link, Other };

/// One entry of a folder listing: its name and its type.
struct CFolderItem {
    std::string name;
    EntryType type = EntryType::File;
};

/// Reads the name and type of every entry of folder except "." and "..", in
/// the order the file system returns them, without asking for any entry's
/// data: the type comes from the listing, and only where the file system
/// does not tell it from an lstat (a link is listed as itself).
bool ReadFolderNames(const std::string& folder, std::vector<CFolderItem>& items, int& error);

/// The same listing handed to visit one entry at a time, so that a caller
/// keeping the names in its own form need not hold them twice. The name is
/// valid only during the call.
using FolderNameVisitor = std::function<void(std::string_view name, EntryType type)>;
bool ReadFolderNames(const std::string& folder, const FolderNameVisitor& visit, int& error);

/// The attribute bits that the type and the name alone give: folder, link,
/// system (neither file, folder nor link), hidden (a leading dot), normal
/// when none of these. What lstat gives (read-only) is not among them.
uint32_t AttributesOfType(EntryType type, std::string_view name);

/// The entry type that attribute bits tell: folder, link, other (system),
/// else file.
EntryType EntryTypeOfAttributes(uint32_t attributes);

/// The name part of a path: what follows its last "/", trailing "/"s aside
/// ("/photos/a.jpg" and "/photos/a.jpg/" give "a.jpg"; "/" gives "").
std::string_view LastComponent(std::string_view path);

/// The find record of one path (lstat: a link is reported as a link).
bool GetFindRecord(const std::string& path, CFindRecord& record, int& error);

/// The attribute bits of a path. A symbolic link that points to a folder
/// reports the folder (so a typed link to a folder can be opened).
bool GetAttributes(const std::string& path, uint32_t& attributes);

/// True when path names an existing folder (following links).
bool IsExistingFolder(const std::string& path);

/// True when something (anything, a dangling link too) exists at path.
bool PathExists(const std::string& path);

/// The process's current folder, empty when it cannot be read.
std::string GetCurrentFolder();

/// The full path of the running executable, empty when unknown.
std::string GetExecutablePath();

/// Moves from to to without ever replacing an existing target, also on a
/// file system without the no-replace flag (the target is reserved first).
/// A change of case that the folder's file system takes for the same name
/// goes through a temporary name in the same folder. On failure error holds
/// the errno value; when the file was left under that temporary name (it
/// could not go back), stranded gets its path, else it is cleared.
bool MoveNoReplace(const std::string& from, const std::string& to, int& error,
                   std::string* stranded = nullptr);

/// Moves as MoveNoReplace does, naming the files relative to a held handle of
/// the folder they share: a run of moves within one folder then does not
/// walk the folder's path again for every file. A move between folders goes
/// by its full paths and lets the handle go, as does a move in another
/// folder, so that no move goes through a handle of a folder that an
/// earlier move renamed. Close lets the handle go; so does the destructor.
class CFolderMover {
public:
    CFolderMover() = default;
    ~CFolderMover();
    CFolderMover(const CFolderMover&) = delete;
    CFolderMover& operator=(const CFolderMover&) = delete;

    bool Move(const std::string& from, const std::string& to, int& error);
    void Close();
    /// After a failed Move: the temporary path where the file was left,
    /// when a change of case could not take it back; empty otherwise.
    const std::string& StrandedPath() const { return stranded; }

private:
    std::string folder; // without its last "/"
    int folderFd = -1;
    bool ruleKnown = false;
    NameCase folderRule = NameCase::Exact;
    std::string stranded;
};

/// A seam for tests: when set, every MoveNoReplace and CFolderMover::Move
/// first asks the hook; a hook that returns a non-zero errno makes that move
/// fail with it untouched.
using MoveFaultHook = std::function<int(const std::string& from, const std::string& to)>;
void SetMoveFaultHook(MoveFaultHook hook);

/// What tells one entry (file, folder, link) from another, whatever its
/// name: device and inode (lstat, so a link is itself). exists is false when
/// nothing stands at a path.
struct CEntryIdentity {
    bool exists = false;
    bool isFolder = false;
    uint64_t device = 0;
    uint64_t inode = 0;

    bool operator==(const CEntryIdentity&) const = default;
};

/// The identity of what stands at path now.
CEntryIdentity GetEntryIdentity(const std::string& path);

/// A short text that tells the file at path from any other that may later
/// stand at a path it is moved to: its device, inode and birth time, then
/// its size and modification time. Empty when nothing stands at path.
std::string FileIdentityText(const std::string& path);

/// True when what stands at path is the file that identity (from
/// FileIdentityText) was taken of; also for an empty identity, which tells
/// nothing. Where the file system keeps inodes for a file's life (ext4,
/// xfs, btrfs, ...) inode and birth decide, so a file written since is still
/// itself; FAT, exFAT and FUSE number inodes anew at every mount, so there
/// size and time decide, and a folder passes.
bool IsStillTheFile(const std::string& path, std::string_view identity);

/// Moves from to to, replacing only what stood at to before: the file that
/// before identifies, or, when before does not exist, nothing at all. Any
/// other entry at to (one moved or made there since) stays as it is and the
/// move fails with EEXIST; a folder is never replaced (EISDIR). Where the
/// file system can exchange two names, checking and replacing are one step;
/// should the other file then fail to go back, exchanged is set: from holds
/// that other file and to the one that was at from.
bool MoveReplacingOnly(const std::string& from, const std::string& to, const CEntryIdentity& before,
                       int& error, bool* exchanged = nullptr);

/// Flushes the folder that holds path to the disk, so that a name it was
/// given (a rename, a new file) outlasts a power cut.
bool SyncFolderOf(const std::string& path, int& error);

/// Removes a file (not a folder).
bool RemoveFile(const std::string& path, int& error);

/// Creates folder and every missing folder above it, each readable by its
/// owner only (0700); true when folder exists afterwards.
bool MakePrivateFolders(const std::string& folder, int& error);

/// The system's text of an errno value ("No such file or directory").
std::string SystemErrorText(int error);

/// The 8.3 alias of the last component of path, as a Windows file system
/// would make it among the other names of its folder: the long name itself
/// when that is already a valid 8.3 name.
bool GetShortName(const std::string& path, std::string& shortName);

/// The 8.3 form of a whole path: every component after the root replaced by
/// its short name.
bool GetShortPathName(const std::string& path, std::string& shortPath);

/// True when name is a valid 8.3 name (then it is its own short name).
bool IsValidShortName(const std::string& name);

/// Short names for all names of one folder, aliases numbered in sorted order
/// of the long names. result[i] belongs to names[i]; it is empty for a name
/// that is its own short name.
std::vector<std::string> MakeShortNames(const std::vector<std::string>& names);

/// Expands "~" at the start, $VAR, ${VAR} and %VAR% in a typed path.
/// References to variables that are not set stay as typed.
std::string ExpandPath(const std::string& text);

/// The value of an environment variable, empty when it is not set.
std::string GetEnvironment(const char* name);

/// The folder for temporary files: $TMPDIR, else /tmp; ends in "/".
std::string GetTempFolder();

/// Creates a new empty file with a unique name beginning with prefix in the
/// temporary folder and returns its full path (empty on failure).
std::string CreateTempFile(const std::string& prefix);

} // namespace platform
