// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/MoveOrder.h"

#include "catalogue/FileCatalogue.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

enum class Visit : unsigned char { Pending, Open, Done };

/// Where a pair stands in the walk: its folder's inner pairs are handled
/// first (next holds the place in bySource), then the pair its target
/// waits for.
struct CWalkState {
    Visit visit = Visit::Pending;
    bool innerDone = false;
    bool targetDone = false;
    bool broken = false; ///< moved to a temporary name first
    std::size_t next = 0;
};

} // namespace

std::vector<int32_t> RowsInMoveOrder(const CFileCatalogue& catalogue, const CPreviewTexts& rows) {
    const int rowCount = std::min(catalogue.GetRowCount(), static_cast<int>(rows.GetRowCount()));
    std::vector<int32_t> order;
    order.reserve(static_cast<std::size_t>(rowCount));
    // A row keeps its name when its text is empty, in angle brackets or its
    // name: the kind of its text says so without a look at the entry.
    for (int row = 0; row < rowCount; ++row) {
        if (rows.Moves(static_cast<std::size_t>(row))) {
            order.push_back(row);
        }
    }
    if (catalogue.GetRecursive() && catalogue.GetFoldersAsFiles()) {
        PutFoldersAfterTheirContents(
            order, [&](int32_t row) { return catalogue.GetRowEntry(row).IsFolder(); },
            [&](int32_t row) {
                const CFileEntry& entry = catalogue.GetRowEntry(row);
                return entry.Folder().size() + entry.LongName().size();
            });
    }
    return order;
}

std::vector<CMoveStep> OrderMoves(const std::vector<CRenamePair>& pairs, const PathKey& key) {
    const std::size_t count = pairs.size();
    // Where a file system takes two names for one, paths meet by their keys.
    std::vector<std::string> oldKeys;
    std::vector<std::string> newKeys;
    if (key) {
        oldKeys.reserve(count);
        newKeys.reserve(count);
        for (const CRenamePair& pair : pairs) {
            oldKeys.push_back(key(pair.oldPath));
            newKeys.push_back(key(pair.newPath));
        }
    }
    const auto oldKey = [&](std::size_t i) -> const std::string& {
        return key ? oldKeys[i] : pairs[i].oldPath;
    };
    const auto newKey = [&](std::size_t i) -> const std::string& {
        return key ? newKeys[i] : pairs[i].newPath;
    };
    std::unordered_map<std::string_view, int> sourceOf;
    sourceOf.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        sourceOf.emplace(oldKey(i), static_cast<int>(i));
    }
    // The pairs by old path, so that the pairs inside a folder form one run.
    std::vector<int> bySource;
    bool anyFolder = false;
    for (const CRenamePair& pair : pairs) {
        anyFolder = anyFolder || pair.isFolder;
    }
    if (anyFolder) {
        bySource.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            bySource[i] = static_cast<int>(i);
        }
        std::sort(bySource.begin(), bySource.end(), [&pairs](int a, int b) {
            return pairs[static_cast<std::size_t>(a)].oldPath <
                   pairs[static_cast<std::size_t>(b)].oldPath;
        });
    }

    std::vector<CWalkState> states(count);
    std::vector<CMoveStep> steps;
    steps.reserve(count);
    std::vector<int> stack;
    std::string prefix;
    for (std::size_t first = 0; first < count; ++first) {
        if (states[first].visit != Visit::Pending) {
            continue;
        }
        states[first].visit = Visit::Open;
        stack.push_back(static_cast<int>(first));
        // Depth first without recursion: a shift of 100,000 names is one
        // chain that deep.
        while (!stack.empty()) {
            const auto top = static_cast<std::size_t>(stack.back());
            CWalkState& state = states[top];
            const CRenamePair& pair = pairs[top];
            if (!state.innerDone) {
                // A folder moves after what is inside it, which is still
                // listed under its old path.
                if (pair.isFolder) {
                    if (state.next == 0) {
                        prefix.assign(pair.oldPath).append("/");
                        state.next = static_cast<std::size_t>(
                            std::lower_bound(
                                bySource.begin(), bySource.end(), prefix,
                                [&pairs](int index, const std::string& key) {
                                    return pairs[static_cast<std::size_t>(index)].oldPath < key;
                                }) -
                            bySource.begin());
                    }
                    prefix.assign(pair.oldPath).append("/");
                    bool pushed = false;
                    while (state.next < bySource.size()) {
                        const auto inner = static_cast<std::size_t>(bySource[state.next]);
                        if (pairs[inner].oldPath.compare(0, prefix.size(), prefix) != 0) {
                            break;
                        }
                        ++state.next;
                        if (states[inner].visit == Visit::Pending) {
                            states[inner].visit = Visit::Open;
                            stack.push_back(static_cast<int>(inner));
                            pushed = true;
                            break;
                        }
                    }
                    if (pushed) {
                        continue;
                    }
                }
                state.innerDone = true;
            }
            if (!state.targetDone) {
                state.targetDone = true;
                const auto blocker = sourceOf.find(newKey(top));
                // A change of case only meets the file itself: no wait.
                if (blocker != sourceOf.end() && static_cast<std::size_t>(blocker->second) != top) {
                    const auto other = static_cast<std::size_t>(blocker->second);
                    if (states[other].visit == Visit::Pending) {
                        states[other].visit = Visit::Open;
                        stack.push_back(blocker->second);
                        continue;
                    }
                    if (states[other].visit == Visit::Open && !states[other].broken) {
                        // A cycle: the pair that started it steps aside.
                        states[other].broken = true;
                        steps.push_back(CMoveStep{blocker->second, MoveStepKind::ToTemp});
                    }
                }
            }
            steps.push_back(CMoveStep{static_cast<int>(top), state.broken ? MoveStepKind::FromTemp
                                                                          : MoveStepKind::Direct});
            state.visit = Visit::Done;
            stack.pop_back();
        }
    }
    return steps;
}
