// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

class CFileCatalogue;

/// The bookkeeping of a name computation that runs a few rows at a time:
/// which rows take part (are processed), the ordinal of each processed row
/// among them, where the autonumber restarts, and which rows are done.
///
/// A row's new name depends on the rows before it only through its ordinal
/// (the T tag's line, the autonumber) and the first processed row of its
/// folder run (the autonumber restarting per folder), so any row can be
/// computed on its own once these are known.
class CPiecewiseNames {
public:
    /// What the processed rows depend on besides the rows themselves.
    struct CKey {
        int rowCount = -1;
        int selectedCount = -1;
        bool processAll = false;
        bool foldersAsFiles = false;
        bool runsPerFolder = false;
        bool operator==(const CKey&) const = default;
    };
    /// Learns the processed rows of the catalogue: every row when
    /// key.processAll, else the selected ones; folders only with
    /// key.foldersAsFiles. key.runsPerFolder notes where a run of processed
    /// rows of one folder starts. Kept until Forget or another key.
    void Learn(const CFileCatalogue& catalogue, const CKey& key);
    /// True when the processed rows were learnt under key and not forgotten
    /// since.
    bool Knows(const CKey& key) const { return learned && learnedKey == key; }
    /// The rows or their selection changed: learnt anew at the next start.
    void Forget() { learned = false; }
    /// Every row is pending.
    void Begin();
    /// Nothing is pending any more.
    void Stop();

    bool IsActive() const { return active; }
    int GetRowCount() const { return rowCount; }
    bool IsProcessed(int row) const { return Bit(processed, row); }
    /// The number of processed rows before row.
    int Ordinal(int row) const;
    /// The ordinal of the first processed row of row's folder run (0 when
    /// the runs were not noted).
    int RunStartOrdinal(int row) const;

    bool IsDone(int row) const { return Bit(done, row); }
    void MarkDone(int row);
    int GetDoneCount() const { return doneCount; }
    bool IsComplete() const { return doneCount == rowCount; }
    /// Every row before the cursor is done.
    int GetCursor() const { return cursor; }
    /// Moves the cursor past the rows that are done.
    void AdvanceCursor();

private:
    static bool Bit(const std::vector<uint64_t>& bits, int row) {
        return ((bits[static_cast<std::size_t>(row) / 64] >> (static_cast<unsigned>(row) % 64)) &
                1U) != 0;
    }

    bool active = false;
    bool learned = false;
    CKey learnedKey;
    int rowCount = 0;
    std::vector<uint64_t> processed;
    /// Processed rows before each 64-row word.
    std::vector<int32_t> wordRanks;
    /// The rows that start a folder run, in row order.
    std::vector<int> runStarts;
    std::vector<uint64_t> done;
    int doneCount = 0;
    int cursor = 0;
};
