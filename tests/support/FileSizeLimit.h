// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>
#include <sys/resource.h>

/// While it lives, no file this process writes may grow past bytes: a
/// write beyond fails with EFBIG (SIGXFSZ, which would end the process, is
/// ignored), as a full disk fails with ENOSPC. The old limit and the old
/// SIGXFSZ action come back when it goes, also after a failed assertion.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        actionSaved = sigaction(SIGXFSZ, &ignore, &oldAction) == 0;
        if (!actionSaved || getrlimit(RLIMIT_FSIZE, &oldLimit) != 0) {
            return;
        }
        rlimit lowered = oldLimit;
        lowered.rlim_cur = bytes;
        limitSet = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~CFileSizeLimit() {
        if (limitSet) {
            (void)setrlimit(RLIMIT_FSIZE, &oldLimit);
        }
        if (actionSaved) {
            (void)sigaction(SIGXFSZ, &oldAction, nullptr);
        }
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

    bool IsSet() const { return actionSaved && limitSet; }

private:
    struct sigaction oldAction {};
    rlimit oldLimit{};
    bool actionSaved = false;
    bool limitSet = false;
};
