// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FileEntry.h"
#include "engine/RenameCore.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// The order of the moves of a recursive list that renames folders too: a
/// folder moves after everything inside it, so the files go first, then the
/// folders, the longest (deepest) old path first; otherwise the moves keep
/// their order. isFolder(move) and oldPathLength(move) tell of each move.
template <class Move, class IsFolder, class OldPathLength>
void PutFoldersAfterTheirContents(std::vector<Move>& moves, IsFolder isFolder,
                                  OldPathLength oldPathLength) {
    const auto firstFolder = std::stable_partition(
        moves.begin(), moves.end(), [&](const Move& move) { return !isFolder(move); });
    std::stable_sort(firstFolder, moves.end(), [&](const Move& a, const Move& b) {
        return oldPathLength(a) > oldPathLength(b);
    });
}

/// The rows of catalogue that rows (its preview, row i belonging to file row
/// i) gives a move, in the order the rename takes their pairs (before
/// OrderMoves orders chains and cycles): row order, but in a recursive list
/// that renames folders, the files first and then the folders, deepest
/// path first. The rename's pairs and the collision check both come from
/// here, so the check sees the moves the rename makes.
std::vector<int32_t> RowsInMoveOrder(const CFileCatalogue& catalogue, const CPreviewTexts& rows);

/// How one step of an ordered rename moves its pair.
enum class MoveStepKind {
    /// The old path straight to the new one.
    Direct,
    /// The old path to a free temporary name in the same folder: the pair is
    /// part of a cycle, and its old name must be free before the others can
    /// move.
    ToTemp,
    /// The temporary name of an earlier ToTemp step to the new path.
    FromTemp,
};

/// One move of an ordered rename: pair is the index into the pairs given.
struct CMoveStep {
    int pair = 0;
    MoveStepKind kind = MoveStepKind::Direct;

    bool operator==(const CMoveStep&) const = default;
};

/// The steps that make the moves of pairs succeed wherever only the order
/// stands in the way: a pair whose target is the old path of another pair
/// moves after that one (chains: a→b while b→c moves b first), a cycle
/// (a↔b, a→b→c→a) is broken by moving one of its files to a temporary name
/// first and to its new name last, and a folder moves after every pair
/// inside it. Otherwise the pairs keep their order, so that of two pairs
/// with the same target the earlier one wins as before. Every pair appears
/// in exactly one Direct step or in one ToTemp and one later FromTemp step.
/// With key, two paths are one where their keys are (a folder whose file
/// system ignores case: see platform::CFolderCaseRules::Key).
using PathKey = std::function<std::string(const std::string& path)>;
std::vector<CMoveStep> OrderMoves(const std::vector<CRenamePair>& pairs, const PathKey& key = {});
