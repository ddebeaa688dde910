// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RenameConflicts.h"

#include "catalogue/FileCatalogue.h"
#include "engine/MoveOrder.h"
#include "engine/PreviewTexts.h"
#include "engine/RenameCore.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>

void CRenameConflicts::Clear() {
    kinds = {};
    others = {};
    count = 0;
    uncheckedCount = 0;
}

void CRenameConflicts::Forget() {
    folders.clear();
    folderIndexes.clear();
    rowFolders.clear();
    rowsKnown = false;
    caseRules = platform::CFolderCaseRules();
}

void CRenameConflicts::RowsReordered(const std::vector<int32_t>& previousRows) {
    if (!rowsKnown) {
        return;
    }
    std::vector<int32_t> newRowOf(learntRows, -1);
    if (previousRows.size() == learntRows) {
        for (std::size_t row = 0; row < previousRows.size(); ++row) {
            const int32_t previous = previousRows[row];
            if (previous < 0 || static_cast<std::size_t>(previous) >= learntRows ||
                newRowOf[static_cast<std::size_t>(previous)] >= 0) {
                break;
            }
            newRowOf[static_cast<std::size_t>(previous)] = static_cast<int32_t>(row);
        }
    }
    if (std::find(newRowOf.begin(), newRowOf.end(), -1) != newRowOf.end()) {
        // Not a reordering of the rows learnt.
        rowsKnown = false;
        return;
    }
    for (const std::unique_ptr<CFolder>& folder : folders) {
        folder->names.RenumberRows(newRowOf);
    }
    if (!rowFolders.empty()) {
        std::vector<uint32_t> reordered(rowFolders.size());
        for (std::size_t row = 0; row < reordered.size(); ++row) {
            reordered[row] = rowFolders[static_cast<std::size_t>(previousRows[row])];
        }
        rowFolders.swap(reordered);
    }
}

CRenameConflicts::Kind CRenameConflicts::GetKind(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= kinds.size()) {
        return Kind::None;
    }
    return kinds[static_cast<std::size_t>(row)];
}

std::string CRenameConflicts::GetOtherPath(const CFileCatalogue& catalogue,
                                           const CPreviewTexts& rows, int row) const {
    if (GetKind(row) == Kind::None || row >= catalogue.GetRowCount() ||
        static_cast<std::size_t>(row) >= rows.GetRowCount()) {
        return {};
    }
    if (GetKind(row) == Kind::Unchecked) {
        return catalogue.GetRowEntry(row).Folder();
    }
    const auto found = std::lower_bound(others.begin(), others.end(),
                                        std::pair<int32_t, int32_t>(row, -1));
    if (found != others.end() && found->first == row && found->second >= 0 &&
        found->second < catalogue.GetRowCount()) {
        return catalogue.GetRowEntry(found->second).FullPath();
    }
    // A file that is not listed holds the new path itself.
    std::string scratch;
    const std::string_view text = rows.View(static_cast<std::size_t>(row), scratch);
    std::string path = catalogue.GetRowEntry(row).Folder();
    path.append(text);
    return path;
}

uint32_t CRenameConflicts::FolderIndexOf(const std::string& path) {
    const auto [found, inserted] =
        folderIndexes.try_emplace(path, static_cast<uint32_t>(folders.size()));
    if (inserted) {
        auto folder = std::make_unique<CFolder>();
        folder->path = path;
        folder->rule = caseRules.Of(path);
        folders.push_back(std::move(folder));
    }
    return found->second;
}

// Which row holds which name, looked up once per listing or sort; each
// folder's names are read the first time.
void CRenameConflicts::LearnRows(const CFileCatalogue& catalogue, int rowCount) {
    const std::size_t count = static_cast<std::size_t>(rowCount);
    rowFolders.assign(count, 0);
    std::vector<std::size_t> rowsPerFolder(folders.size(), 0);
    const std::string* lastPath = nullptr;
    uint32_t lastIndex = 0;
    for (std::size_t row = 0; row < count; ++row) {
        const std::string& path = catalogue.GetRowEntry(static_cast<int>(row)).Folder();
        // The rows of one folder follow each other and share its text.
        if (lastPath == nullptr || (&path != lastPath && path != *lastPath)) {
            lastIndex = FolderIndexOf(path);
            lastPath = &path;
        }
        rowFolders[row] = lastIndex;
        rowsPerFolder.resize(folders.size(), 0);
        ++rowsPerFolder[lastIndex];
    }
    for (std::size_t index = 0; index < folders.size(); ++index) {
        CFolderNames& names = folders[index]->names;
        names.ForgetRows();
        names.Reserve(names.GetCount() + rowsPerFolder[index]);
    }
    const CFolderNames::RowName rowName = RowNames(catalogue);
    std::string buffer;
    for (std::size_t row = 0; row < count; ++row) {
        CFolder& folder = *folders[rowFolders[row]];
        const std::string_view name = rowName(static_cast<int32_t>(row), buffer);
        folder.names.AddRow(static_cast<int32_t>(row), name,
                            CFolderNames::Tag(std::hash<std::string_view>()(name)), rowName);
    }
    for (const std::unique_ptr<CFolder>& folder : folders) {
        if (folder->read) {
            continue;
        }
        // A folder that cannot be read shows only its listed names, and its
        // moves are not known to succeed. Its listed names are there already:
        // the others are kept in the folder's own block of text.
        int error = 0;
        const platform::NameCase rule = folder->rule;
        CFolderNames& names = folder->names;
        folder->unread = !platform::ReadFolderNames(
            folder->path,
            [&](std::string_view name, platform::EntryType /*type*/) {
                if (rule != platform::NameCase::Exact) {
                    buffer = platform::FoldName(name, rule);
                    name = buffer;
                }
                names.AddUnlisted(name, CFolderNames::Tag(std::hash<std::string_view>()(name)),
                                  rowName);
            },
            error);
        folder->read = true;
    }
    if (folders.size() <= 1) {
        rowFolders = {};
    }
    learntRows = count;
    rowsKnown = true;
}

void CRenameConflicts::ClearClaims(std::size_t moveCount) {
    // At most half full, so that probes stay short.
    const std::size_t size = std::bit_ceil(std::max<std::size_t>(16, moveCount * 2));
    if (claims.capacity() > size * 4) {
        // Far fewer moves than before: give the memory back.
        claims = {};
    }
    claims.assign(size, CClaim{});
}

std::string_view CRenameConflicts::NewName(const CPreviewTexts& rows, std::size_t index) const {
    // A moving row's text is its own, kept where a view of it stays valid.
    return FolderOf(index).rule == platform::NameCase::Exact ? rows.StoredView(index)
                                                             : foldedNames[index];
}

std::size_t CRenameConflicts::ClaimHome(std::size_t row, std::size_t hash) const {
    const std::size_t folder = rowFolders.empty() ? 0 : rowFolders[row];
    return hash ^ (folder + 1) * 0x9E3779B97F4A7C15ull;
}

CRenameConflicts::CClaim& CRenameConflicts::ClaimSlot(const CPreviewTexts& rows, int32_t row,
                                                      std::size_t hash) {
    const std::size_t index = static_cast<std::size_t>(row);
    const std::string_view text = NewName(rows, index);
    const uint32_t folder = rowFolders.empty() ? 0 : rowFolders[index];
    const std::size_t mixed = ClaimHome(index, hash);
    const uint32_t tag = static_cast<uint32_t>(mixed >> 32);
    const std::size_t mask = claims.size() - 1;
    for (std::size_t slot = mixed & mask;; slot = (slot + 1) & mask) {
        CClaim& claim = claims[slot];
        if (claim.row < 0) {
            // The caller claims it; the tag goes with it.
            claim.tag = tag;
            return claim;
        }
        if (claim.tag != tag) {
            continue;
        }
        const std::size_t other = static_cast<std::size_t>(claim.row);
        if ((rowFolders.empty() || rowFolders[other] == folder) && NewName(rows, other) == text) {
            return claim;
        }
    }
}

// A row's name as its folder compares it: folded where the folder ignores
// case.
CFolderNames::RowName CRenameConflicts::RowNames(const CFileCatalogue& catalogue) const {
    return [this, &catalogue](int32_t row, std::string& buffer) {
        const std::string& name = catalogue.GetRowEntry(row).LongName();
        const platform::NameCase rule = FolderOf(static_cast<std::size_t>(row)).rule;
        if (rule == platform::NameCase::Exact) {
            return std::string_view(name);
        }
        buffer = platform::FoldName(name, rule);
        return std::string_view(buffer);
    };
}

// The moves one by one, as the rename makes them: a move succeeds when
// nothing holds its new path at that moment. A path is held by a file there
// from the start (listed or not) that has not moved away, or by an earlier
// move that succeeded. A step aside to a temporary name always succeeds (the
// name is new) and frees the old path.
void CRenameConflicts::Simulate(const CFileCatalogue& catalogue, const CPreviewTexts& rows,
                                const std::vector<int32_t>& order,
                                const std::vector<CMoveStep>& steps) {
    std::vector<uint8_t> movedAway(kinds.size(), 0);
    const CFolderNames::RowName rowName = RowNames(catalogue);
    const std::size_t stepCount = steps.empty() ? order.size() : steps.size();
    const auto rowOfStep = [&](std::size_t k) {
        return order[steps.empty() ? k : static_cast<std::size_t>(steps[k].pair)];
    };
    // The new names of the steps a few ahead are hashed early and their
    // claim and filter asked for, so that a step seldom waits for memory:
    // at a million moves both tables are far larger than the caches.
    constexpr std::size_t kAhead = 8;
    std::array<std::size_t, kAhead> hashes{};
    const auto hashAhead = [&](std::size_t k) {
        const std::size_t index = static_cast<std::size_t>(rowOfStep(k));
        const std::size_t hash = std::hash<std::string_view>()(NewName(rows, index));
        __builtin_prefetch(&claims[ClaimHome(index, hash) & (claims.size() - 1)]);
        FolderOf(index).names.Prefetch(CFolderNames::Tag(hash));
        hashes[k % kAhead] = hash;
    };
    for (std::size_t k = 0; k < std::min(kAhead, stepCount); ++k) {
        hashAhead(k);
    }
    for (std::size_t k = 0; k < stepCount; ++k) {
        const MoveStepKind kind = steps.empty() ? MoveStepKind::Direct : steps[k].kind;
        const int32_t row = rowOfStep(k);
        const std::size_t index = static_cast<std::size_t>(row);
        const std::size_t hash = hashes[k % kAhead];
        if (k + kAhead < stepCount) {
            hashAhead(k + kAhead);
        }
        if (kind == MoveStepKind::ToTemp) {
            movedAway[index] = 1;
            continue;
        }
        const std::string_view text = NewName(rows, index);
        CClaim& claim = ClaimSlot(rows, row, hash);
        const CFolder& folder = FolderOf(index);
        bool fails = false;
        int32_t held = CFolderNames::kNotListed;
        if (claim.row >= 0) {
            kinds[index] = Kind::SameNewName;
            others.emplace_back(row, claim.row);
            fails = true;
        } else if (folder.names.Find(text, CFolderNames::Tag(hash), rowName, held) &&
                   held != row &&
                   (held < 0 || movedAway[static_cast<std::size_t>(held)] == 0)) {
            // A row whose new name its folder takes for its own (a change
            // of case) is held by itself, and that is no collision.
            kinds[index] = Kind::ExistingFile;
            if (held >= 0) {
                others.emplace_back(row, held);
            }
            fails = true;
        }
        if (!fails) {
            if (folder.unread) {
                kinds[index] = Kind::Unchecked;
            }
            claim.row = row;
            movedAway[index] = 1;
        } else if (kind == MoveStepKind::FromTemp) {
            // The file that stepped aside goes back to its old name.
            movedAway[index] = 0;
        }
    }
}

void CRenameConflicts::Compute(const CFileCatalogue& catalogue, const CPreviewTexts& rows,
                               bool movesMayChain) {
    const int rowCount = std::min(catalogue.GetRowCount(), static_cast<int>(rows.GetRowCount()));
    others.clear();
    count = 0;
    uncheckedCount = 0;

    // The rows that move, in the order the rename moves them.
    const std::vector<int32_t> order = RowsInMoveOrder(catalogue, rows);
    if (order.empty()) {
        // No row collides: GetKind says None for every row.
        kinds = {};
        others = {};
        return;
    }
    kinds.assign(static_cast<std::size_t>(rowCount), Kind::None);

    if (!rowsKnown || learntRows != static_cast<std::size_t>(rowCount)) {
        LearnRows(catalogue, rowCount);
    }
    if (caseRules.AnyFolds()) {
        foldedNames.resize(static_cast<std::size_t>(rowCount));
        for (const int32_t row : order) {
            const auto index = static_cast<std::size_t>(row);
            const platform::NameCase rule = FolderOf(index).rule;
            if (rule != platform::NameCase::Exact) {
                foldedNames[index] = platform::FoldName(rows.StoredView(index), rule);
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
            std::string newPath = entry.Folder();
            newPath.append(rows.StoredView(static_cast<std::size_t>(row)));
            pairs.push_back(CRenamePair{entry.FullPath(), std::move(newPath), entry.IsFolder()});
        }
        PathKey key;
        if (caseRules.AnyFolds()) {
            key = [this](const std::string& path) { return caseRules.Key(path); };
        }
        steps = OrderMoves(pairs, key);
    }
    Simulate(catalogue, rows, order, steps);
    // Only the computation compares folded new names.
    foldedNames = {};
    // The steps take the rows in order unless folders or chains go later.
    if (!std::is_sorted(others.begin(), others.end())) {
        std::sort(others.begin(), others.end());
    }
    uncheckedCount = static_cast<int>(std::count(kinds.begin(), kinds.end(), Kind::Unchecked));
    count = static_cast<int>(std::count_if(kinds.begin(), kinds.end(), [](Kind kind) {
        return kind == Kind::SameNewName || kind == Kind::ExistingFile;
    }));
}
