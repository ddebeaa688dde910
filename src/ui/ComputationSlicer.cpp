// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ComputationSlicer.h"

#include "engine/RenameCore.h"

#include <algorithm>

namespace {

/// A view asks for the rows it paints; more than this many wanted rows are
/// left to the slices.
constexpr int kMaxWantedRows = 2000;

} // namespace

CComputationSlicer::CComputationSlicer(CRenameCore& owner, std::function<bool()> mayRunIn,
                                       QObject* parent)
    : QObject(parent), core(owner), mayRun(std::move(mayRunIn)) {
    timer.setInterval(0);
    connect(&timer, &QTimer::timeout, this, [this] { RunSlice(); });
}

void CComputationSlicer::Request() {
    timer.setInterval(0);
    timer.start();
}

void CComputationSlicer::RequestRow(int row) {
    if (wantedFirst < 0) {
        wantedFirst = row;
        wantedLast = row;
    } else {
        wantedFirst = std::min(wantedFirst, row);
        wantedLast = std::max(wantedLast, row);
    }
    Request();
}

bool CComputationSlicer::RunSlice() {
    if (!core.IsComputingNewNames()) {
        wantedFirst = -1;
        wantedLast = -1;
        timer.stop();
        return false;
    }
    if (mayRun && !mayRun()) {
        // Looked at again a little later, not in a busy loop.
        timer.setInterval(kBlockedWaitMilliseconds);
        return false;
    }
    timer.setInterval(0);
    if (wantedFirst >= 0) {
        const int first = wantedFirst;
        const int last = std::min(wantedLast, first + kMaxWantedRows - 1);
        wantedFirst = -1;
        wantedLast = -1;
        core.EnsureRowsComputed(first, last);
        emit RowsComputed(first, last);
    }
    ++sliceCount;
    if (!core.ContinueNewNames(kSliceMicroseconds)) {
        timer.stop();
    }
    return true;
}
