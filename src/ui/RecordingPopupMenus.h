// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/IconMenu.h"
#include "ui/PopupMenus.h"

#include <QPoint>

#include <deque>
#include <vector>

/// Shows nothing: remembers each popup's items and answers from a queue of
/// next choices. A choice the menu does not offer as an enabled command,
/// and an empty queue, answer 0 (closed without a choice).
class CRecordingPopupMenus : public CPopupMenus {
public:
    struct CAsked {
        std::vector<CMenuItem> items; ///< top level, separators as id 0
        QPoint position;
    };

    int Choose(QMenu& menu, const QPoint& globalPosition) override;

    void PushAnswer(int commandId) { answers.push_back(commandId); }
    const std::vector<CAsked>& GetAsked() const { return asked; }
    void Clear() { asked.clear(), answers.clear(); }

private:
    std::vector<CAsked> asked;
    std::deque<int> answers;
};
