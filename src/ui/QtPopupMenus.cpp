#include "ui/QtPopupMenus.h"

#include "ui/IconMenu.h"

#include <QMenu>

int CQtPopupMenus::Choose(QMenu& menu, const QPoint& globalPosition) {
    return CIconMenu::CommandOf(menu.exec(globalPosition));
}
