// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FolderNames.h"
#include "platform/CaseRules.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class CFileCatalogue;
struct CMoveStep;
class CPreviewTexts;

/// Finds, before anything moves, the rows of a preview whose move would
/// fail: a row whose new path another row reaches first, and a row whose
/// new path a file holds that is not moved away before it. The moves are
/// taken in the order the rename makes them. Files that are not listed
/// (another mask, a filter) count too: each folder's names are read once
/// and kept until Forget (a listed file's name is read from its entry, not
/// copied). Where a folder's file system ignores case, names
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
    void Compute(const CFileCatalogue& catalogue, const CPreviewTexts& rows, bool movesMayChain);
    /// No row collides (an empty or placeholder preview).
    void Clear();
    /// The folders were listed again: their names are read anew.
    void Forget();
    /// The same files are rows in another order: which row holds which
    /// name is looked up anew.
    void ForgetRows() { rowsKnown = false; }
    /// The same files are rows in another order, and previousRows[row] is
    /// the row that row was: the names are kept, their rows renumbered.
    void RowsReordered(const std::vector<int32_t>& previousRows);

    /// The rows that collide (not those that could not be checked).
    int GetCount() const { return count; }
    /// The moving rows whose folder could not be read.
    int GetUncheckedCount() const { return uncheckedCount; }
    Kind GetKind(int row) const;
    /// The full path of what the row collides with: the other row's old
    /// path, or the file that holds the new path; for an unchecked row, its
    /// folder. Empty for no collision.
    std::string GetOtherPath(const CFileCatalogue& catalogue, const CPreviewTexts& rows,
                             int row) const;

private:
    /// One folder and the names it holds (folded where it ignores case).
    struct CFolder {
        std::string path;
        platform::NameCase rule = platform::NameCase::Exact;
        /// Its names were read (since Forget).
        bool read = false;
        /// Its listing failed: it holds only the names rows list.
        bool unread = false;
        CFolderNames names;
    };
    /// The claim of a new path: the row that reaches it, and the upper half
    /// of its hash, so that a probe rarely has to look at another row's text.
    struct CClaim {
        uint32_t tag = 0;
        int32_t row = -1;
    };

    uint32_t FolderIndexOf(const std::string& path);
    /// Each row's name as its folder compares it.
    CFolderNames::RowName RowNames(const CFileCatalogue& catalogue) const;
    const CFolder& FolderOf(std::size_t row) const {
        return *folders[rowFolders.empty() ? 0 : rowFolders[row]];
    }
    void LearnRows(const CFileCatalogue& catalogue, int rowCount);
    /// The new paths the moves claim: an open-addressing table of rows that
    /// keeps its memory from one computation to the next.
    void ClearClaims(std::size_t moveCount);
    /// The hash of the row's new path (its new name's hash, mixed with its
    /// folder): the low bits place its claim, the upper half is its tag.
    std::size_t ClaimHome(std::size_t row, std::size_t hash) const;
    /// The claim of the row's new path: its row is -1 when none claimed it.
    CClaim& ClaimSlot(const CPreviewTexts& rows, int32_t row, std::size_t hash);
    /// Makes the steps (the rows of order one by one when steps is empty)
    /// and marks every move that fails.
    void Simulate(const CFileCatalogue& catalogue, const CPreviewTexts& rows,
                  const std::vector<int32_t>& order, const std::vector<CMoveStep>& steps);
    /// The new name of a moving row as its folder compares it.
    std::string_view NewName(const CPreviewTexts& rows, std::size_t index) const;

    /// Per row, only while something moves.
    std::vector<Kind> kinds;
    /// The rows that collide with another row, and that row, by row.
    std::vector<std::pair<int32_t, int32_t>> others;
    std::vector<std::unique_ptr<CFolder>> folders;
    std::unordered_map<std::string, uint32_t> folderIndexes;
    /// Per row, when the rows come from more than one folder: the index of
    /// the folder of its entry.
    std::vector<uint32_t> rowFolders;
    /// Per row, in folders that fold case, during a computation: the folded
    /// new name.
    std::vector<std::string> foldedNames;
    platform::CFolderCaseRules caseRules;
    std::vector<CClaim> claims;
    int count = 0;
    int uncheckedCount = 0;
    bool rowsKnown = false;
    /// The number of rows learnt.
    std::size_t learntRows = 0;
};
