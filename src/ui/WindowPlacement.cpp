// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include "app/ProgramSettings.h"

#include <algorithm>

namespace {

constexpr int kMinWidth = 740;
constexpr int kMinHeight = 420;

} // namespace

CWindowPlacement ComputeWindowPlacement(const CProgramSettings& settings, QSize desktop) {
    int width = settings.width;
    int height = settings.height;
    if (width <= 0 || height <= 0) {
        width = std::max(desktop.width() * 7 / 8, int(CProgramSettings::kMinDefaultWidth));
        height = std::max(desktop.height() * 7 / 8, int(CProgramSettings::kMinDefaultHeight));
    }
    width = std::max(width, kMinWidth);
    height = std::max(height, kMinHeight);
    const int x = settings.x < -1 ? 0 : settings.x;
    const int y = settings.y < -1 ? 0 : settings.y;

    CWindowPlacement placement;
    placement.rect = QRect(x == -1 ? desktop.width() / 2 - width / 2 : x,
                           y == -1 ? desktop.height() / 2 - height / 2 : y, width, height);
    if (settings.maximized || settings.startMaximized) {
        placement.maximized = true;
        placement.splitterPosition = CWindowPlacement::kSplitterAtRightEnd;
        if (settings.maximized && settings.splitterPos > 0) {
            placement.splitterPosition = settings.splitterPos;
        }
        return placement;
    }
    placement.splitterPosition = settings.splitterPos > 0 ? settings.splitterPos : 0;
    return placement;
}
