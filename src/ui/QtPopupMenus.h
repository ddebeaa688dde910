// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/PopupMenus.h"

/// The real popups: QMenu::exec at the position.
class CQtPopupMenus : public CPopupMenus {
public:
    int Choose(QMenu& menu, const QPoint& globalPosition) override;
};
