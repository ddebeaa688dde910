// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

class CProgramSettings;

/// Where the main window opens, from the Position values of the settings
/// and the size of the desktop.
struct CWindowPlacement {
    /// The splitter 120 pixels from its right end (a start maximized).
    static constexpr int kSplitterAtRightEnd = -2;

    QRect rect;
    bool maximized = false;
    /// The splitter position to take at the first layout; 0 for the
    /// default (three quarters), or kSplitterAtRightEnd.
    int splitterPosition = 0;
};

/// X or Y below -1 become 0, -1 centres on the desktop; the size is at
/// least 740 × 420 (none stored: seven eighths of the desktop). Maximized
/// or StartMaximized maximize; a window stored maximized keeps its
/// splitter position, a start maximized puts the splitter at the right end.
CWindowPlacement ComputeWindowPlacement(const CProgramSettings& settings, QSize desktop);
