// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecordingPopupMenus.h"

#include <QAction>
#include <QMenu>

int CRecordingPopupMenus::Choose(QMenu& menu, const QPoint& globalPosition) {
    CAsked question{{}, globalPosition};
    for (const QAction* action : menu.actions()) {
        question.items.push_back(
            CMenuItem{action->isSeparator() ? 0 : action->data().toInt(), action->text()});
    }
    asked.push_back(std::move(question));
    if (answers.empty()) {
        return 0;
    }
    const int answer = answers.front();
    answers.pop_front();
    const QAction* action = CIconMenu::FindAction(&menu, answer);
    return action != nullptr && action->isEnabled() ? answer : 0;
}
