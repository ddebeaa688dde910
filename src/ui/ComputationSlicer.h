// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

class CRenameCore;

/// Runs a piecewise name computation of the core between the window's
/// events: a zero-interval timer computes one slice of about
/// kSliceMicroseconds at a time while rows are pending.
///
/// Everything stays on the GUI thread. The timer also fires inside nested
/// event loops (a question box, a progress bar's events, a modal dialog): a
/// slice runs only when mayRun says the window is in no such operation, and
/// the core itself refuses one inside its own operations.
class CComputationSlicer : public QObject {
    Q_OBJECT

public:
    static constexpr int64_t kSliceMicroseconds = 8000;
    /// How long a slice that may not run waits before it looks again.
    static constexpr int kBlockedWaitMilliseconds = 50;

    /// The core must outlive the slicer.
    CComputationSlicer(CRenameCore& core, std::function<bool()> mayRun,
                       QObject* parent = nullptr);

    /// The core has pending rows: slices run until none are left.
    void Request();
    /// A view wants row, which is still pending: it is computed (with the
    /// rows around it the view shows) before the next slice, never while the
    /// view paints.
    void RequestRow(int row);
    /// Runs what one timer shot runs; true when a slice ran.
    bool RunSlice();
    int GetSliceCount() const { return sliceCount; }
    bool IsRunning() const { return timer.isActive(); }

signals:
    /// Rows first..last were computed ahead of the other pending rows.
    void RowsComputed(int first, int last);

private:
    CRenameCore& core;
    std::function<bool()> mayRun;
    QTimer timer;
    int wantedFirst = -1;
    int wantedLast = -1;
    int sliceCount = 0;
};
