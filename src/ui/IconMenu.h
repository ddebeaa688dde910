// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class QAction;
class QMenu;
class QWidget;

/// One item of a popup menu: a command id and its text ("&" marks the
/// mnemonic, a tab starts the key text). Id 0 is a separator.
struct CMenuItem {
    int id = 0;
    QString text;
};

/// Native menus whose items carry the icons of the same command ids as the
/// toolbar buttons and tag submenus. Each action keeps its command id as
/// its data, which the popups (CPopupMenus) return.
class CIconMenu {
public:
    /// A menu of the items, owned by parent.
    static QMenu* Build(const std::vector<CMenuItem>& items, QWidget* parent);
    /// Appends one item with the command's icon.
    static QAction* AddItem(QMenu* menu, int id, const QString& text);
    /// Appends a submenu; its entry in menu carries the icon of id.
    static QMenu* AddSubmenu(QMenu* menu, int id, const QString& text);
    /// The command id an action of these menus stands for (0 for none).
    static int CommandOf(const QAction* action);
    /// The action with this id in the menu or its submenus, or nullptr.
    static QAction* FindAction(const QMenu* menu, int id);
};
