// SPDX-License-Identifier: GPL-3.0-or-later
// The order of the moves when swaps and chains are allowed: chains move
// their last link first, cycles step aside through one temporary name, a
// folder moves after the pairs inside it, and pairs that do not wait for
// each other keep their order.
#include "engine/MoveOrder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Steps = std::vector<CMoveStep>;
constexpr MoveStepKind kDirect = MoveStepKind::Direct;
constexpr MoveStepKind kToTemp = MoveStepKind::ToTemp;
constexpr MoveStepKind kFromTemp = MoveStepKind::FromTemp;

CRenamePair Pair(const std::string& from, const std::string& to, bool isFolder = false) {
    return CRenamePair{"/d/" + from, "/d/" + to, isFolder};
}

TEST(MoveOrderTest, IndependentPairsKeepTheirOrder) {
    EXPECT_EQ(OrderMoves({Pair("a", "x"), Pair("b", "y"), Pair("c", "z")}),
              (Steps{{0, kDirect}, {1, kDirect}, {2, kDirect}}));
    EXPECT_TRUE(OrderMoves({}).empty());
}

TEST(MoveOrderTest, ChainMovesItsLastLinkFirst) {
    // a -> b while b -> c -> d: d is free, so c moves first, then b, then a.
    EXPECT_EQ(OrderMoves({Pair("a", "b"), Pair("b", "c"), Pair("c", "d")}),
              (Steps{{2, kDirect}, {1, kDirect}, {0, kDirect}}));
}

TEST(MoveOrderTest, SwapStepsAsideThroughATemporaryName) {
    EXPECT_EQ(OrderMoves({Pair("a", "b"), Pair("b", "a")}),
              (Steps{{0, kToTemp}, {1, kDirect}, {0, kFromTemp}}));
}

TEST(MoveOrderTest, ThreeCycleNeedsOneTemporaryName) {
    EXPECT_EQ(OrderMoves({Pair("a", "b"), Pair("b", "c"), Pair("c", "a")}),
              (Steps{{0, kToTemp}, {2, kDirect}, {1, kDirect}, {0, kFromTemp}}));
}

TEST(MoveOrderTest, ChainIntoACycle) {
    // x -> a, and a <-> b: the cycle is broken first, x waits for a.
    const Steps steps = OrderMoves({Pair("x", "a"), Pair("a", "b"), Pair("b", "a")});
    EXPECT_EQ(steps, (Steps{{1, kToTemp}, {2, kDirect}, {1, kFromTemp}, {0, kDirect}}));
}

TEST(MoveOrderTest, TwoPairsWithOneTargetKeepTheirOrder) {
    // Both want c; c moves away first, and then the earlier row wins.
    EXPECT_EQ(OrderMoves({Pair("a", "c"), Pair("b", "c"), Pair("c", "z")}),
              (Steps{{2, kDirect}, {0, kDirect}, {1, kDirect}}));
}

TEST(MoveOrderTest, LongShiftNeedsNoRecursion) {
    // f0 -> f1 -> ... -> f200000: one chain as deep as the list.
    std::vector<CRenamePair> pairs;
    constexpr int kCount = 200000;
    for (int i = 0; i < kCount; ++i) {
        pairs.push_back(Pair("f" + std::to_string(i), "f" + std::to_string(i + 1)));
    }
    const Steps steps = OrderMoves(pairs);
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(kCount));
    for (int k = 0; k < kCount; ++k) {
        ASSERT_EQ(steps[static_cast<std::size_t>(k)], (CMoveStep{kCount - 1 - k, kDirect}));
    }
}

TEST(MoveOrderTest, FolderMovesAfterThePairsInsideIt) {
    // The file x takes the name of folder b, which moves to c: b's inner
    // pair still names b's old path and must move before b.
    const std::vector<CRenamePair> pairs = {
        Pair("x", "b"),
        CRenamePair{"/d/b/in", "/d/b/out", false},
        Pair("b", "c", true),
    };
    EXPECT_EQ(OrderMoves(pairs), (Steps{{1, kDirect}, {2, kDirect}, {0, kDirect}}));
}

TEST(MoveOrderTest, SwappedFoldersMoveTheirContentFirst) {
    const std::vector<CRenamePair> pairs = {
        CRenamePair{"/d/a/1", "/d/a/2", false},
        CRenamePair{"/d/b/1", "/d/b/2", false},
        Pair("a", "b", true),
        Pair("b", "a", true),
        // A sibling whose name only begins like the folder's is not inside it.
        Pair("ab", "abc", true),
    };
    EXPECT_EQ(
        OrderMoves(pairs),
        (Steps{
            {0, kDirect}, {1, kDirect}, {2, kToTemp}, {3, kDirect}, {2, kFromTemp}, {4, kDirect}}));
}

TEST(MoveOrderTest, EveryPairMovesExactlyOnce) {
    // Random maps of 30 names onto 40, with collisions: each pair has one
    // Direct step, or a ToTemp before its FromTemp.
    std::vector<int> seen;
    unsigned state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % 40;
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<CRenamePair> pairs;
        for (int i = 0; i < 30; ++i) {
            const unsigned target = next();
            if (target != static_cast<unsigned>(i)) {
                pairs.push_back(Pair("n" + std::to_string(i), "n" + std::to_string(target)));
            }
        }
        const Steps steps = OrderMoves(pairs);
        std::vector<int> direct(pairs.size(), 0);
        std::vector<int> toTemp(pairs.size(), -1);
        std::vector<int> fromTemp(pairs.size(), -1);
        for (std::size_t k = 0; k < steps.size(); ++k) {
            const auto pair = static_cast<std::size_t>(steps[k].pair);
            ASSERT_LT(pair, pairs.size());
            if (steps[k].kind == kDirect) {
                ++direct[pair];
            } else if (steps[k].kind == kToTemp) {
                toTemp[pair] = static_cast<int>(k);
            } else {
                fromTemp[pair] = static_cast<int>(k);
            }
        }
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            if (toTemp[i] >= 0) {
                EXPECT_EQ(direct[i], 0);
                EXPECT_GT(fromTemp[i], toTemp[i]);
            } else {
                EXPECT_EQ(direct[i], 1);
                EXPECT_EQ(fromTemp[i], -1);
            }
        }
    }
}

} // namespace
