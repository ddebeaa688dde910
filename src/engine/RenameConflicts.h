// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CaseRules.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CFileCatalogue;
struct CMoveStep;
struct CPreviewRow;

/// Finds, before anything moves, the rows of a preview whose move would
/// fail: a row whose new path another row reaches first, and a row whose
/// new path a file holds that is not moved away before it. The moves are
/// taken in the order the rename makes them. Files that are not listed
/// (another mask, a filter) count too: each folder's names are read once
/// and kept until Forget. Where a folder's file system ignores case, names
/// meet by their folded form: two new names that differ in case collide, a
/// file blocks a name that differs from its own in case, and a change of
/// case only is no collision. A move in a folder that cannot be read is
/// marked as not checked (unless it collides with another row anyway): a
/// file there that no row lists may hold its new path.
class CRenameConflicts {
public:
    /// What a row collides with.
    enum class Kind : uint8_t {
        None,
        SameNewName,  ///< another row gets the same new path first
        ExistingFile, ///< a file already holds the new path
        Unchecked,    ///< its folder could not be read: no collision is known
    };

    /// Recomputes for the rows of catalogue and their preview texts (a text
    /// in "<...>" or the row's own name is no move). With movesMayChain, a
    /// file that is itself renamed frees its name whatever the order (the
    /// rename orders chains and breaks cycles).
    void Compute(const CFileCatalogue& catalogue, const std::vector<CPreviewRow>& rows,
                 bool movesMayChain);
    /// No row collides (an empty or placeholder preview).
    void Clear();
    /// The folders were listed again: their names are read anew.
    void Forget();
    /// The rows were refilled or reordered: which row holds which name is
    /// looked up anew.
    void ForgetRows() { rowsKnown = false; }

    /// The rows that collide (not those that could not be checked).
    int GetCount() const { return count; }
    /// The moving rows whose folder could not be read.
    int GetUncheckedCount() const { return uncheckedCount; }
    Kind GetKind(int row) const;
    /// The full path of what the row collides with: the other row's old
    /// path, or the file that holds the new path; for an unchecked row, its
    /// folder. Empty for no collision.
    std::string GetOtherPath(const CFileCatalogue& catalogue, const std::vector<CPreviewRow>& rows,
                             int row) const;

private:
    // Hashes by text; the tables keep each hash, so a lookup never hashes
    // the names it passes.
    struct CNameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>()(text);
        }
    };
    template <typename Key>
    using CNameMap = std::unordered_map<Key, int32_t, CNameHash, std::equal_to<>>;

    /// One folder: every name in it with the row that lists it (-1 for a
    /// name no row lists).
    struct CFolder {
        /// How its file system compares names; the names of holders are
        /// folded by it.
        platform::NameCase rule = platform::NameCase::Exact;
        /// Its listing failed: holders has only the names rows list.
        bool unread = false;
        CNameMap<std::string> holders;
        /// A filter of the names' hashes (two bits a name, eight bits per
        /// name): a new name whose bits are not both set is no name here,
        /// and most new names are not.
        std::vector<uint64_t> filter;
        void AddToFilter(std::size_t hash);
        bool MayHold(std::size_t hash) const;
    };

    CFolder& FolderOf(const std::string& folder);
    void LearnRows(const CFileCatalogue& catalogue, int rowCount);
    /// The new paths the moves claim: an open-addressing table of rows that
    /// keeps its memory from one computation to the next.
    void ClearClaims(std::size_t moveCount);
    /// The slot of the row's new path: the row that claimed it, or -1.
    int32_t& ClaimSlot(const std::vector<CPreviewRow>& rows, int32_t row, std::size_t hash);
    /// Makes the steps (the rows of order one by one when steps is empty)
    /// and marks every move that fails.
    void Simulate(const std::vector<CPreviewRow>& rows, const std::vector<int32_t>& order,
                  const std::vector<CMoveStep>& steps);
    /// The new name of a moving row as its folder compares it.
    std::string_view NewName(const std::vector<CPreviewRow>& rows, std::size_t index) const;

    std::vector<Kind> kinds;
    /// Per row: the row it collides with, or -1 (a file not listed).
    std::vector<int32_t> others;
    /// Per row: the folder of its entry.
    std::vector<CFolder*> rowFolders;
    /// Per row, in folders that fold case: the folded new name.
    std::vector<std::string> foldedNames;
    platform::CFolderCaseRules caseRules;
    std::vector<int32_t> claims;
    /// Per slot of claims: the upper half of the new name's hash, so that a
    /// probe rarely has to look at another row's text.
    std::vector<uint32_t> claimTags;
    int count = 0;
    int uncheckedCount = 0;
    std::unordered_map<std::string, CFolder> folders;
    bool rowsKnown = false;
    // The folder of the last lookup: rows of one folder follow each other.
    const std::string* lastFolderName = nullptr;
    CFolder* lastFolder = nullptr;
};
