// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

/// One line of the tag menu (popup "2-Tags" of menu 134), in menu order.
/// depth 0 is one of the eleven submenus of the tag menu, depth 1 an item
/// inside such a submenu, and so on; a submenu holds the items of greater
/// depth that follow it. commandId is the command an entry inserts the tag
/// text of, or the id whose icon a top submenu shows; 0 for the nested
/// submenus, which have neither. text is the Dutch label, marked for
/// translation in the context "Window".
struct CTagMenuItem {
    int depth;
    bool isSubmenu;
    int commandId;
    std::string_view text;
};

/// The whole tag menu, in menu order.
std::span<const CTagMenuItem> TagMenuItems();

/// The file formats whose contents the tags of a top submenu read (MP3,
/// Afbeeldingen, EXIF), as the note at the top of that submenu says them;
/// empty for a submenu whose tags read no file contents. Dutch, marked for
/// translation like the labels.
std::string_view TagSubmenuFormats(int submenuId);
