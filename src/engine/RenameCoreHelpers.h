// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FileEntry.h"
#include "platform/FileTime.h"
#include "resources/StringTable.h"

#include <cstddef>
#include <cstdint>
#include <string>

/// Small helpers that the parts of CRenameCore (RenameCore.cpp,
/// NameComputation.cpp, RenameExecution.cpp, ScriptCommands.cpp) share.
namespace corehelp {

inline std::string Text(int id) {
    return std::string(LookupString(id));
}

inline int64_t NowMilliseconds() {
    return platform::GetTickMilliseconds();
}

/// A long operation opens its progress bar only after this long.
constexpr int64_t kProgressDelayMilliseconds = 1500;

/// Until the progress bar is open, the name computation reads the clock once
/// every this many rows: at 100,000 rows, reading it for each row costs more
/// than a simple rule does.
constexpr int kClockRows = 64;

/// Sorted rows visit the entries out of the order they lie in memory (the
/// scan's), so that nearly every row would wait for its entry: the entry this
/// many rows ahead is asked for early.
constexpr int kPrefetchRows = 8;

inline void PrefetchEntry(const CFileEntry& entry) {
    const char* bytes = reinterpret_cast<const char*>(&entry);
    for (std::size_t offset = 0; offset < sizeof(CFileEntry); offset += 64) {
        __builtin_prefetch(bytes + offset);
    }
}

/// Counts an operation of the core for as long as it lives.
class COperationGuard {
public:
    explicit COperationGuard(int& counter) : depth(counter) { ++depth; }
    ~COperationGuard() { --depth; }
    COperationGuard(const COperationGuard&) = delete;
    COperationGuard& operator=(const COperationGuard&) = delete;

private:
    int& depth;
};

} // namespace corehelp
