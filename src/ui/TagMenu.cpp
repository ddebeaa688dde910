// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TagMenu.h"

#include "engine/RenameCore.h"
#include "engine/TagExpander.h"
#include "ui/QtText.h"
#include "ui/TagMenuItems.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <string>
#include <vector>

namespace {

/// A label of the tag menu in the window's language.
QString TranslatedLabel(std::string_view dutch) {
    return Window::tr(std::string(dutch).c_str());
}

CTagMenu::IconProvider& SharedIconProvider() {
    static CTagMenu::IconProvider provider;
    return provider;
}

// A submenu whose tags read file contents says first which formats they
// read: a line that cannot be chosen, and the same text as the submenu's
// tooltip and status tip.
void AddFormatsNote(QMenu* submenu, int submenuId) {
    const std::string_view formats = TagSubmenuFormats(submenuId);
    if (formats.empty()) {
        return;
    }
    const QString text = TranslatedLabel(formats);
    QAction* note = submenu->addAction(text);
    note->setObjectName(QStringLiteral("tagFormats"));
    note->setEnabled(false);
    submenu->addSeparator();
    submenu->menuAction()->setToolTip(text);
    submenu->menuAction()->setStatusTip(text);
}

} // namespace

CTagMenu::CTagMenu(CRenameCore& core, QObject* parent) : QObject(parent), core(core) {}

CTagMenu::~CTagMenu() = default;

void CTagMenu::SetIconProvider(IconProvider provider) {
    SharedIconProvider() = std::move(provider);
}

void CTagMenu::SetPopupRunner(PopupRunner runner) {
    popupRunner = std::move(runner);
}

std::unique_ptr<QMenu> CTagMenu::BuildMenu(QWidget* parent) const {
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(QStringLiteral("tagMenu"));
    const IconProvider& icons = SharedIconProvider();
    // open[d] is the menu that takes the items of depth d.
    std::vector<QMenu*> open{menu.get()};
    for (const CTagMenuItem& item : TagMenuItems()) {
        open.resize(static_cast<std::size_t>(item.depth) + 1);
        QMenu* into = open.back();
        const QString text = TranslatedLabel(item.text);
        if (item.isSubmenu) {
            QMenu* submenu = into->addMenu(text);
            // The object name keeps the Dutch label in every language.
            submenu->setObjectName(QStringLiteral("tagSubmenu%1").arg(ToQt(item.text)));
            if (item.commandId != 0) {
                submenu->menuAction()->setData(item.commandId);
                if (icons) {
                    submenu->setIcon(icons(item.commandId));
                }
                AddFormatsNote(submenu, item.commandId);
            }
            open.push_back(submenu);
        } else {
            QAction* action = into->addAction(text);
            action->setData(item.commandId);
        }
    }
    return menu;
}

void CTagMenu::Attach(QLineEdit* edit) {
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this,
            [this, edit](const QPoint& pos) { Popup(edit, edit->mapToGlobal(pos)); });
}

bool CTagMenu::Popup(QLineEdit* edit, const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu = BuildMenu(edit);
    QAction* chosen = popupRunner ? popupRunner(*menu, globalPos) : menu->exec(globalPos);
    if (chosen == nullptr || chosen->menu() != nullptr) {
        return false;
    }
    return InsertTag(edit, chosen->data().toInt());
}

bool CTagMenu::InsertTag(QLineEdit* edit, int commandId) {
    const QString text = ToQt(core.GetTagExpander().TagTextForCommand(commandId));
    if (text.isEmpty()) {
        return false;
    }
    // insert() replaces the selection and leaves the caret after the text.
    edit->insert(text);
    emit TagInserted(edit);
    return true;
}
