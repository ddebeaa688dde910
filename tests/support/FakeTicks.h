// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileTime.h"

#include <cstdint>

/// Stands in for the steady clock of platform::GetTickMilliseconds while it
/// lives: after Set(first, later) the next reading gives first and every
/// reading after it later. Counts the readings since Set.
class CFakeTicks {
public:
    CFakeTicks() {
        Set(0, 0);
        platform::SetTickSourceForTests(&Read);
    }
    ~CFakeTicks() { platform::SetTickSourceForTests(nullptr); }
    CFakeTicks(const CFakeTicks&) = delete;
    CFakeTicks& operator=(const CFakeTicks&) = delete;

    void Set(int64_t first, int64_t later) {
        firstValue = first;
        laterValue = later;
        reads = 0;
    }
    int Reads() const { return reads; }

private:
    static int64_t Read() { return reads++ == 0 ? firstValue : laterValue; }

    static inline int reads = 0;
    static inline int64_t firstValue = 0;
    static inline int64_t laterValue = 0;
};
