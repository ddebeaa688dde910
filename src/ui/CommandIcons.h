// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

#include <span>

/// Icons of the program's commands, by command id. Each comes from the
/// desktop's icon theme where a freedesktop name fits, and otherwise (or
/// when the theme lacks it) from the program's own SVG drawings, so the
/// windows look right without a theme. An id without a drawing gives the
/// null icon; so does every drawing when Qt cannot read SVG.
QIcon CommandIcon(int commandId);

/// The icon of a rule tab: 0 "Naam", 1 "Ext", 2 "Autonummering".
QIcon RuleTabIcon(int tabIndex);

/// The program's own icon (window icon, desktop entry).
QIcon ProgramIcon();

/// Every command id that has an icon: the toolbar commands, the folder
/// button and the tag submenus.
std::span<const int> IconCommandIds();

/// True when Qt can read the SVG drawings (the SVG image plugin is there).
bool CanDrawSvgIcons();
