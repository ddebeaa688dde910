#pragma once

#include "engine/RenameCore.h"

#include <vector>

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
std::vector<CMoveStep> OrderMoves(const std::vector<CRenamePair>& pairs);
