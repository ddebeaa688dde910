// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandIcons.h"

#include <QImageReader>
#include <QString>

#include <algorithm>
#include <array>

// A static library's resources must be registered by hand; outside any
// namespace, as Q_INIT_RESOURCE declares a global function.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace {

struct IconSource {
    int id;
    const char* themeName; ///< freedesktop name, or nullptr when none fits
    const char* drawing;   ///< our own SVG, under :/icons/
};

constexpr std::array kCommandIcons = {
    // Main toolbar, left to right.
    IconSource{32771, "go-up", "up.svg"},
    IconSource{32774, "document-open-recent", "history.svg"},
    IconSource{32772, "go-previous", "back.svg"},
    IconSource{32773, "go-next", "forward.svg"},
    IconSource{32780, "view-refresh", "refresh.svg"},
    IconSource{32948, "drive-harddisk", "drive.svg"},
    IconSource{32781, "folder", "show-folders.svg"},
    IconSource{32783, nullptr, "folders-as-files.svg"},
    IconSource{32782, "text-x-generic", "show-files.svg"},
    IconSource{32995, nullptr, "extended-filter.svg"},
    IconSource{32879, nullptr, "recursive.svg"},
    IconSource{32884, "accessories-text-editor", "text-editor.svg"},
    IconSource{33007, "preferences-system", "settings.svg"},
    IconSource{33004, nullptr, "colours.svg"},
    IconSource{32895, "document-print-preview", "preview.svg"},
    IconSource{32903, nullptr, "rename-script.svg"},
    IconSource{32891, nullptr, "rename.svg"},
    IconSource{32894, "edit-undo", "undo.svg"},
    IconSource{32929, nullptr, "undo-script.svg"},
    IconSource{33002, "help-about", "about.svg"},
    IconSource{57670, "help-contents", "help.svg"},
    // The folder button beside the path edit.
    IconSource{32779, "folder-open", "select-folder.svg"},
    // Submenus of the tag menu, in menu order.
    IconSource{32870, nullptr, "tag-number.svg"},
    IconSource{32877, "audio-x-generic", "tag-mp3.svg"},
    IconSource{32875, "image-x-generic", "tag-image.svg"},
    IconSource{32871, nullptr, "tag-column.svg"},
    IconSource{32873, "x-office-calendar", "tag-today.svg"},
    IconSource{32869, nullptr, "tag-random.svg"},
    IconSource{32872, nullptr, "tag-external-file.svg"},
    IconSource{32900, nullptr, "tag-comic.svg"},
    IconSource{32947, nullptr, "tag-crc.svg"},
    IconSource{32950, nullptr, "tag-exif.svg"},
    IconSource{32993, nullptr, "tag-dos.svg"},
};

constexpr auto kCommandIds = [] {
    std::array<int, kCommandIcons.size()> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i) {
        ids[i] = kCommandIcons[i].id;
    }
    return ids;
}();

constexpr std::array<const char*, 3> kTabDrawings = {"tab-name.svg", "tab-extension.svg",
                                                     "tab-autonumber.svg"};

QIcon Drawing(const char* fileName) {
    static const bool registered = (RegisterIconResources(), true);
    Q_UNUSED(registered);
    // Without the SVG plugin a QIcon of an .svg file would be null anyway;
    // asking first keeps the answer the same on every Qt build.
    if (!CanDrawSvgIcons()) {
        return {};
    }
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(fileName));
}

QIcon ThemedOrDrawn(const char* themeName, const char* fileName) {
    QIcon drawn = Drawing(fileName);
    if (themeName == nullptr) {
        return drawn;
    }
    return QIcon::fromTheme(QLatin1String(themeName), drawn);
}

} // namespace

QIcon CommandIcon(int commandId) {
    const auto found = std::find_if(kCommandIcons.begin(), kCommandIcons.end(),
                                    [commandId](const IconSource& s) { return s.id == commandId; });
    if (found == kCommandIcons.end()) {
        return {};
    }
    return ThemedOrDrawn(found->themeName, found->drawing);
}

QIcon RuleTabIcon(int tabIndex) {
    if (tabIndex < 0 || tabIndex >= static_cast<int>(kTabDrawings.size())) {
        return {};
    }
    return Drawing(kTabDrawings[static_cast<std::size_t>(tabIndex)]);
}

QIcon ProgramIcon() {
    return ThemedOrDrawn("norvikrename", "norvikrename.svg");
}

std::span<const int> IconCommandIds() {
    return kCommandIds;
}

bool CanDrawSvgIcons() {
    static const bool canRead = QImageReader::supportedImageFormats().contains("svg");
    return canRead;
}
