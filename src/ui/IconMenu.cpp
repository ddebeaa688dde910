// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/IconMenu.h"

#include "ui/CommandIcons.h"

#include <QMenu>

QMenu* CIconMenu::Build(const std::vector<CMenuItem>& items, QWidget* parent) {
    auto* menu = new QMenu(parent);
    for (const CMenuItem& item : items) {
        if (item.id == 0) {
            menu->addSeparator();
        } else {
            AddItem(menu, item.id, item.text);
        }
    }
    return menu;
}

QAction* CIconMenu::AddItem(QMenu* menu, int id, const QString& text) {
    QAction* action = menu->addAction(CommandIcon(id), text);
    action->setData(id);
    action->setObjectName(QStringLiteral("Command%1").arg(id));
    return action;
}

QMenu* CIconMenu::AddSubmenu(QMenu* menu, int id, const QString& text) {
    QMenu* submenu = menu->addMenu(CommandIcon(id), text);
    submenu->setObjectName(QStringLiteral("Menu%1").arg(id));
    submenu->menuAction()->setData(id);
    return submenu;
}

int CIconMenu::CommandOf(const QAction* action) {
    if (action == nullptr || action->menu() != nullptr) {
        return 0; // a submenu's entry is not a command
    }
    return action->data().toInt();
}

QAction* CIconMenu::FindAction(const QMenu* menu, int id) {
    for (QAction* action : menu->actions()) {
        if (const QMenu* submenu = action->menu()) {
            if (QAction* found = FindAction(submenu, id)) {
                return found;
            }
        } else if (!action->isSeparator() && action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}
