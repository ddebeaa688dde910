#pragma once

#include "ui/PopupMenus.h"

/// The real popups: QMenu::exec at the position.
class CQtPopupMenus : public CPopupMenus {
public:
    int Choose(QMenu& menu, const QPoint& globalPosition) override;
};
