// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"

#include <utility>

/// Sets the move fault hook and removes it when a test ends, also when it
/// fails.
class CMoveHookGuard {
public:
    explicit CMoveHookGuard(platform::MoveFaultHook hook) {
        platform::SetMoveFaultHook(std::move(hook));
    }
    ~CMoveHookGuard() { platform::SetMoveFaultHook(nullptr); }
    CMoveHookGuard(const CMoveHookGuard&) = delete;
    CMoveHookGuard& operator=(const CMoveHookGuard&) = delete;
};
