// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMenu;
class QPoint;

/// Opens popup menus and returns the command chosen, without carrying it
/// out (0 when the menu was closed without a choice). The windows go
/// through this interface so that tests answer popups without a modal
/// loop (CRecordingPopupMenus).
class CPopupMenus {
public:
    virtual ~CPopupMenus() = default;
    /// menu's actions are CIconMenu's: their data is the command id.
    virtual int Choose(QMenu& menu, const QPoint& globalPosition) = 0;
};
