// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RenameConflicts.h"

#include "catalogue/FileCatalogue.h"
#include "engine/MoveOrder.h"
#include "engine/RenameCore.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>

void CRenameConflicts::Clear() {
    kinds.clear();
    others.clear();
    count = 0;
    uncheckedCount = 0;
}

void CRenameConflicts::Forget() {
    folders.clear();
    rowFolders.clear();
    rowsKnown = false;
    lastFolderName = nullptr;
    lastFolder = nullptr;
    caseRules = platform::CFolderCaseRules();
}

CRenameConflicts::Kind CRenameConflicts::GetKind(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= kinds.size()) {
        return Kind::None;
    }
    return kinds[static_cast<std::size_t>(row)];
}

std::string CRenameConflicts::GetOtherPath(const CFileCatalogue& catalogue,
                                           const std::vector<CPreviewRow>& rows, int row) const {
    if (GetKind(row) == Kind::None || row >= catalogue.GetRowCount() ||
        static_cast<std::size_t>(row) >= rows.size()) {
        return {};
    }
    if (GetKind(row) == Kind::Unchecked) {
        return catalogue.GetRowEntry(row).Folder();
    }
    const int other = others[static_cast<std::size_t>(row)];
    if (other >= 0 && other < catalogue.GetRowCount()) {
        return catalogue.GetRowEntry(other).FullPath();
    }
    // A file that is not listed holds the new path itself.
    return catalogue.GetRowEntry(row).Folder() + rows[static_cast<std::size_t>(row)].text;
}

CRenameConflicts::CFolder& CRenameConflicts::FolderOf(const std::string& folder) {
    if (lastFolderName != nullptr && *lastFolderName == folder) {
        return *lastFolder;
    }
    auto [found, inserted] = folders.try_emplace(folder);
    CFolder& slot = found->second;
    if (inserted) {
        std::vector<platform::CFolderItem> items;
        int error = 0;
        // A folder that cannot be read shows only its listed names, and its
        // moves are not known to succeed.
        slot.unread = !platform::ReadFolderNames(folder, items, error);
        slot.rule = caseRules.Of(folder);
        if (slot.rule != platform::NameCase::Exact) {
            for (platform::CFolderItem& item : items) {
                item.name = platform::FoldName(item.name, slot.rule);
            }
        }
        slot.holders.reserve(items.size());
        // Room for the names listed later as well (made since the read).
        slot.filter.assign(std::bit_ceil(std::max<std::size_t>(items.size(), 64)) / 8, 0);
        for (platform::CFolderItem& item : items) {
            slot.AddToFilter(std::hash<std::string_view>()(item.name));
            slot.holders.emplace(std::move(item.name), -1);
        }
    }
    lastFolderName = &found->first;
    lastFolder = &slot;
    return slot;
}

// Which row holds which name, looked up once per listing, sort or move.
void CRenameConflicts::LearnRows(const CFileCatalogue& catalogue, int rowCount) {
    for (auto& [name, folder] : folders) {
        for (auto& holder : folder.holders) {
            holder.second = -1;
        }
    }
    rowFolders.assign(static_cast<std::size_t>(rowCount), nullptr);
    for (int row = 0; row < rowCount; ++row) {
        const CFileEntry& entry = catalogue.GetRowEntry(row);
        CFolder& folder = FolderOf(entry.Folder());
        rowFolders[static_cast<std::size_t>(row)] = &folder;
        const std::string folded = folder.rule == platform::NameCase::Exact
                                       ? std::string()
                                       : platform::FoldName(entry.LongName(), folder.rule);
        const std::string_view name =
            folder.rule == platform::NameCase::Exact ? std::string_view(entry.LongName()) : folded;
        const auto found = folder.holders.find(name);
        if (found != folder.holders.end()) {
            found->second = row;
        } else {
            // Made since the folder was read.
            folder.AddToFilter(std::hash<std::string_view>()(name));
            folder.holders.emplace(name, row);
        }
    }
    rowsKnown = true;
}

void CRenameConflicts::CFolder::AddToFilter(std::size_t hash) {
    const std::size_t mask = filter.size() * 64 - 1;
    const std::size_t first = hash & mask;
    const std::size_t second = (hash >> 32) & mask;
    filter[first / 64] |= uint64_t{1} << (first % 64);
    filter[second / 64] |= uint64_t{1} << (second % 64);
}

bool CRenameConflicts::CFolder::MayHold(std::size_t hash) const {
    const std::size_t mask = filter.size() * 64 - 1;
    const std::size_t first = hash & mask;
    const std::size_t second = (hash >> 32) & mask;
    return (filter[first / 64] >> (first % 64) & 1) != 0 &&
           (filter[second / 64] >> (second % 64) & 1) != 0;
}

void CRenameConflicts::ClearClaims(std::size_t moveCount) {
    // At most half full, so that probes stay short.
    const std::size_t size = std::bit_ceil(std::max<std::size_t>(16, moveCount * 2));
    claims.assign(size, -1);
    claimTags.resize(size);
}

std::string_view CRenameConflicts::NewName(const std::vector<CPreviewRow>& rows,
                                           std::size_t index) const {
    return rowFolders[index]->rule == platform::NameCase::Exact ? std::string_view(rows[index].text)
                                                                : foldedNames[index];
}

int32_t& CRenameConflicts::ClaimSlot(const std::vector<CPreviewRow>& rows, int32_t row,
                                     std::size_t hash) {
    const std::size_t index = static_cast<std::size_t>(row);
    const std::string_view text = NewName(rows, index);
    const CFolder* folder = rowFolders[index];
    const std::size_t mixed =
        hash ^ reinterpret_cast<std::uintptr_t>(folder) * 0x9E3779B97F4A7C15ull;
    const uint32_t tag = static_cast<uint32_t>(mixed >> 32);
    const std::size_t mask = claims.size() - 1;
    for (std::size_t slot = mixed & mask;; slot = (slot + 1) & mask) {
        const int32_t other = claims[slot];
        if (other < 0) {
            // The caller claims it; the tag goes with it.
            claimTags[slot] = tag;
            return claims[slot];
        }
        if (claimTags[slot] != tag) {
            continue;
        }
        const std::size_t otherIndex = static_cast<std::size_t>(other);
        if (rowFolders[otherIndex] == folder && NewName(rows, otherIndex) == text) {
            return claims[slot];
        }
    }
}

// The moves one by one, as the rename makes them: a move succeeds when
// nothing holds its new path at that moment. A path is held by a file there
// from the start (listed or not) that has not moved away, or by an earlier
// move that succeeded. A step aside to a temporary name always succeeds (the
// name is new) and frees the old path.
void CRenameConflicts::Simulate(const std::vector<CPreviewRow>& rows,
                                const std::vector<int32_t>& order,
                                const std::vector<CMoveStep>& steps) {
    std::vector<uint8_t> movedAway(kinds.size(), 0);
    const std::size_t stepCount = steps.empty() ? order.size() : steps.size();
    for (std::size_t k = 0; k < stepCount; ++k) {
        const MoveStepKind kind = steps.empty() ? MoveStepKind::Direct : steps[k].kind;
        const int32_t row = order[steps.empty() ? k : static_cast<std::size_t>(steps[k].pair)];
        const std::size_t index = static_cast<std::size_t>(row);
        if (kind == MoveStepKind::ToTemp) {
            movedAway[index] = 1;
            continue;
        }
        const std::string_view text = NewName(rows, index);
        const std::size_t hash = std::hash<std::string_view>()(text);
        int32_t& claim = ClaimSlot(rows, row, hash);
        const CFolder& folder = *rowFolders[index];
        bool fails = false;
        if (claim >= 0) {
            kinds[index] = Kind::SameNewName;
            others[index] = claim;
            fails = true;
        } else if (folder.MayHold(hash)) {
            const auto held = folder.holders.find(text);
            // A row whose new name its folder takes for its own (a change
            // of case) is held by itself, and that is no collision.
            if (held != folder.holders.end() && held->second != row &&
                (held->second < 0 || movedAway[static_cast<std::size_t>(held->second)] == 0)) {
                kinds[index] = Kind::ExistingFile;
                others[index] = held->second;
                fails = true;
            }
        }
        if (!fails) {
            if (folder.unread) {
                kinds[index] = Kind::Unchecked;
            }
            claim = row;
            movedAway[index] = 1;
        } else if (kind == MoveStepKind::FromTemp) {
            // The file that stepped aside goes back to its old name.
            movedAway[index] = 0;
        }
    }
}

void CRenameConflicts::Compute(const CFileCatalogue& catalogue,
                               const std::vector<CPreviewRow>& rows, bool movesMayChain) {
    const int rowCount = std::min(catalogue.GetRowCount(), static_cast<int>(rows.size()));
    kinds.assign(static_cast<std::size_t>(rowCount), Kind::None);
    others.assign(static_cast<std::size_t>(rowCount), -1);
    count = 0;
    uncheckedCount = 0;

    // The rows that move, in the order the rename moves them.
    const std::vector<int32_t> order = RowsInMoveOrder(catalogue, rows);
    if (order.empty()) {
        return;
    }

    if (!rowsKnown || rowFolders.size() != static_cast<std::size_t>(rowCount)) {
        LearnRows(catalogue, rowCount);
    }
    if (caseRules.AnyFolds()) {
        foldedNames.resize(static_cast<std::size_t>(rowCount));
        for (const int32_t row : order) {
            const auto index = static_cast<std::size_t>(row);
            const platform::NameCase rule = rowFolders[index]->rule;
            if (rule != platform::NameCase::Exact) {
                foldedNames[index] = platform::FoldName(rows[index].text, rule);
            }
        }
    }
    ClearClaims(order.size());
    std::vector<CMoveStep> steps;
    if (movesMayChain) {
        // The rename orders its moves, and its order decides which of two
        // moves to one path wins.
        std::vector<CRenamePair> pairs;
        pairs.reserve(order.size());
        for (const int32_t row : order) {
            const CFileEntry& entry = catalogue.GetRowEntry(row);
            pairs.push_back(CRenamePair{entry.FullPath(),
                                        entry.Folder() + rows[static_cast<std::size_t>(row)].text,
                                        entry.IsFolder()});
        }
        PathKey key;
        if (caseRules.AnyFolds()) {
            key = [this](const std::string& path) { return caseRules.Key(path); };
        }
        steps = OrderMoves(pairs, key);
    }
    Simulate(rows, order, steps);
    uncheckedCount = static_cast<int>(std::count(kinds.begin(), kinds.end(), Kind::Unchecked));
    count = static_cast<int>(std::count_if(kinds.begin(), kinds.end(), [](Kind kind) {
        return kind == Kind::SameNewName || kind == Kind::ExistingFile;
    }));
}
