// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPopupMenus.h"

#include "ui/IconMenu.h"

#include <QMenu>

int CQtPopupMenus::Choose(QMenu& menu, const QPoint& globalPosition) {
    return CIconMenu::CommandOf(menu.exec(globalPosition));
}
