// SPDX-License-Identifier: GPL-3.0-or-later
// A name computation a few rows at a time: the rows a window shows first,
// the others between its events, each row computed as ComputeNewNames would.
#include "engine/PiecewiseNames.h"

#include "catalogue/FileCatalogue.h"
#include "engine/ActiveRules.h"
#include "engine/CoreCatalogue.h"
#include "engine/RenameCore.h"
#include "engine/RenameCoreHelpers.h"
#include "engine/TagFunctions.h"

#include <algorithm>
#include <bit>
#include <chrono>

using corehelp::COperationGuard;
using corehelp::kClockRows;
using corehelp::NowMilliseconds;

namespace {

int64_t NowMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// Between two looks at the clock a slice computes this many rows.
constexpr int kDeadlineRows = 16;

/// True when text holds a tag whose command draws random text.
bool DrawsRandomText(std::string_view text) {
    for (std::size_t open = text.find('<'); open != std::string_view::npos;
         open = text.find('<', open + 1)) {
        const std::size_t end = text.find_first_of(":>", open + 1);
        if (end == std::string_view::npos) {
            return false;
        }
        const std::string command = tags::AsciiUpper(text.substr(open + 1, end - open - 1));
        if (command == "R" || command == "RANDOM") {
            return true;
        }
    }
    return false;
}

bool BlockDrawsRandomText(const CNameRuleBlock& block) {
    for (const std::string* text : {&block.replaceWithText, &block.replacementText,
                                    &block.insertBeforeText, &block.insertAfterText,
                                    &block.insertAtText}) {
        if (DrawsRandomText(*text)) {
            return true;
        }
    }
    return false;
}

} // namespace

void CPiecewiseNames::Learn(const CFileCatalogue& catalogue, const CKey& key) {
    rowCount = catalogue.GetRowCount();
    const std::size_t words = (static_cast<std::size_t>(rowCount) + 63) / 64;
    processed.assign(words, 0);
    wordRanks.assign(words, 0);
    runStarts.clear();
    active = false;
    learned = true;
    learnedKey = key;
    const bool processAll = key.processAll;
    const bool foldersAsFiles = key.foldersAsFiles;
    const bool runsPerFolder = key.runsPerFolder;

    int rank = 0;
    const std::string* lastFolder = nullptr;
    for (std::size_t word = 0; word < words; ++word) {
        wordRanks[word] = rank;
        const int first = static_cast<int>(word * 64);
        const int end = std::min(first + 64, rowCount);
        uint64_t bits = 0;
        for (int row = first; row < end; ++row) {
            const bool takesPart = processAll || catalogue.IsRowSelected(row);
            if (!takesPart || (!foldersAsFiles && catalogue.GetRowEntry(row).IsFolder())) {
                continue;
            }
            bits |= uint64_t{1} << static_cast<unsigned>(row - first);
            if (runsPerFolder) {
                const std::string& folder = catalogue.GetRowEntry(row).Folder();
                if (lastFolder == nullptr ||
                    (&folder != lastFolder && folder != *lastFolder)) {
                    runStarts.push_back(row);
                }
                lastFolder = &folder;
            }
        }
        processed[word] = bits;
        rank += std::popcount(bits);
    }
}

void CPiecewiseNames::Begin() {
    done.assign(processed.size(), 0);
    doneCount = 0;
    cursor = 0;
    active = true;
}

void CPiecewiseNames::Stop() {
    active = false;
}

int CPiecewiseNames::Ordinal(int row) const {
    const auto word = static_cast<std::size_t>(row) / 64;
    const unsigned bit = static_cast<unsigned>(row) % 64;
    const uint64_t before = bit == 0 ? 0 : processed[word] & ((uint64_t{1} << bit) - 1);
    return wordRanks[word] + std::popcount(before);
}

int CPiecewiseNames::RunStartOrdinal(int row) const {
    const auto after = std::upper_bound(runStarts.begin(), runStarts.end(), row);
    return after == runStarts.begin() ? 0 : Ordinal(*(after - 1));
}

void CPiecewiseNames::MarkDone(int row) {
    done[static_cast<std::size_t>(row) / 64] |= uint64_t{1} << (static_cast<unsigned>(row) % 64);
    ++doneCount;
}

void CPiecewiseNames::AdvanceCursor() {
    while (cursor < rowCount) {
        const auto word = static_cast<std::size_t>(cursor) / 64;
        if (cursor % 64 == 0 && done[word] == ~uint64_t{0}) {
            cursor += 64;
        } else if (IsDone(cursor)) {
            ++cursor;
        } else {
            break;
        }
    }
    cursor = std::min(cursor, rowCount);
}

bool CRenameCore::IsRowPending(int row) const {
    return piecewise.IsActive() && row >= 0 && row < piecewise.GetRowCount() &&
           !piecewise.IsDone(row);
}

bool CRenameCore::RulesDrawRandomText() const {
    return BlockDrawsRandomText(options.name) || BlockDrawsRandomText(options.extension);
}

void CRenameCore::RecomputeNewNames(bool force) {
    if (batchMode || piecewiseRows < 0 || catalogue->GetRowCount() < piecewiseRows) {
        ComputeNewNames(force);
        return;
    }
    int first = 0;
    int last = -1;
    if (!frontEnd->GetVisibleRows(first, last)) {
        first = 0;
        last = -1;
    }
    StartNewNames(force, first, last);
}

void CRenameCore::StartNewNames(bool force, int firstVisible, int lastVisible) {
    if (batchMode || RulesDrawRandomText()) {
        ComputeNewNames(force);
        return;
    }
    const COperationGuard operation(operationDepth);
    if (!BeginNewNames(force)) {
        return;
    }
    // Until every row is known, the header counts the rows only and no row
    // is marked: a collision count of the last computation would be stale.
    SetCountHeader();
    conflicts.Clear();
    // The processed rows are learnt once per change of rows or selection,
    // not for every keystroke in a rule.
    const CPiecewiseNames::CKey key{catalogue->GetRowCount(), catalogue->GetSelectedCount(),
                                    ProcessesAllRows(), catalogue->GetFoldersAsFiles(),
                                    options.autonumber.restartPerFolder};
    if (!piecewise.Knows(key)) {
        piecewise.Learn(*catalogue, key);
    }
    piecewise.Begin();
    if (!ComputePendingRows(firstVisible, lastVisible, -1, -1) || piecewise.IsComplete()) {
        EndPiecewise(false);
        return;
    }
    frontEnd->OnPreviewChanged();
    frontEnd->RequestComputationTime();
}

bool CRenameCore::ContinueNewNames(int64_t budgetMicroseconds, int rowLimit) {
    if (!piecewise.IsActive()) {
        return false;
    }
    if (operationDepth > 0) {
        return true;
    }
    if (catalogue->GetRowCount() != piecewise.GetRowCount()) {
        // The rows changed without a notice: the computation starts over.
        RecomputeNewNames(true);
        return piecewise.IsActive();
    }
    const COperationGuard operation(operationDepth);
    const int64_t deadline = NowMicroseconds() + std::max<int64_t>(budgetMicroseconds, 0);
    piecewise.AdvanceCursor();
    const bool finished =
        ComputePendingRows(piecewise.GetCursor(), piecewise.GetRowCount() - 1, deadline, rowLimit);
    piecewise.AdvanceCursor();
    if (!finished || piecewise.IsComplete()) {
        EndPiecewise(true);
        return false;
    }
    return true;
}

void CRenameCore::EnsureRowsComputed(int first, int last) {
    if (!piecewise.IsActive() || operationDepth > 0) {
        return;
    }
    if (catalogue->GetRowCount() != piecewise.GetRowCount()) {
        RecomputeNewNames(true);
        return;
    }
    const COperationGuard operation(operationDepth);
    if (!ComputePendingRows(first, last, -1, -1) || piecewise.IsComplete()) {
        EndPiecewise(true);
    }
}

void CRenameCore::FinishNewNames() {
    if (!piecewise.IsActive()) {
        return;
    }
    if (catalogue->GetRowCount() != piecewise.GetRowCount()) {
        piecewise.Stop();
        ComputeNewNames(true);
        return;
    }
    const COperationGuard operation(operationDepth);
    ComputePendingRows(piecewise.GetCursor(), piecewise.GetRowCount() - 1, -1, -1);
    EndPiecewise(true);
}

bool CRenameCore::ComputePendingRows(int first, int last, int64_t deadline, int rowLimit) {
    const int rowCount = piecewise.GetRowCount();
    first = std::max(first, 0);
    last = std::min(last, rowCount - 1);
    const CActiveRules nameRules(options.name);
    const CActiveRules extensionRules(options.extension);
    const bool restart = options.autonumber.restartPerFolder;
    const auto start = static_cast<uint32_t>(state.start);
    const auto increment = static_cast<uint32_t>(state.increment);
    // The progress bar opens when one piece, not the whole computation,
    // runs long.
    state.startTick = NowMilliseconds();
    state.progressShown = false;
    state.previewCancelled = false;
    int computed = 0;
    for (int row = first; row <= last; ++row) {
        if (piecewise.IsDone(row)) {
            continue;
        }
        if ((rowLimit >= 0 && computed >= rowLimit) ||
            (deadline >= 0 && computed > 0 && computed % kDeadlineRows == 0 &&
             NowMicroseconds() >= deadline)) {
            break;
        }
        const bool processed = piecewise.IsProcessed(row);
        if (processed) {
            // The counter as the rows before would have advanced it, with the
            // same wrapping at the 32-bit limit.
            const int ordinal = piecewise.Ordinal(row);
            const int steps = ordinal - (restart ? piecewise.RunStartOrdinal(row) : 0);
            state.counter = static_cast<int32_t>(start + increment * static_cast<uint32_t>(steps));
            state.computedCount = ordinal;
        }
        ComputeRow(row, processed, nameRules, extensionRules);
        piecewise.MarkDone(row);
        ++computed;
        if (!batchMode && (state.progressShown || computed % kClockRows == 0)) {
            ProgressStep(row, rowCount);
        }
        if (state.previewCancelled) {
            break;
        }
    }
    state.entry = nullptr;
    state.row = -1;
    if (state.progressShown) {
        frontEnd->CloseProgress();
        state.progressShown = false;
    }
    return !state.previewCancelled;
}

void CRenameCore::EndPiecewise(bool announce) {
    if (announce) {
        frontEnd->OnPreviewAboutToChange();
    }
    piecewise.Stop();
    EndNewNames();
}
