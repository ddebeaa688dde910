// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MessageBoxes.h"

#include <QMessageBox>

/// The message boxes of the windows: real modal QMessageBoxes. owner is
/// the QWidget* the box belongs to, or nullptr. The style's icon bits pick
/// the icon (16 error, 32 question, 48 exclamation, 64 information) and its
/// low four bits the buttons (0 OK, 1 OK/Cancel, 3 Yes/No/Cancel, 4
/// Yes/No); the answer is a boxbutton value.
class CQtMessageBoxes : public CMessageBoxes {
public:
    int ShowWarning(void* owner, const std::string& text, const std::string& caption,
                    unsigned style) override;
    int AskQuestion(void* owner, const std::string& text, const std::string& caption,
                    unsigned style) override;
    int ShowInformation(void* owner, const std::string& text, const std::string& caption,
                        unsigned style) override;
    int ShowError(void* owner, const std::string& text, const std::string& caption,
                  unsigned style) override;

    /// The icon a style asks for; fallback when it names none.
    static QMessageBox::Icon IconOfStyle(unsigned style, QMessageBox::Icon fallback);
    /// The buttons a style asks for.
    static QMessageBox::StandardButtons ButtonsOfStyle(unsigned style);
    /// The boxbutton value of a pressed button.
    static int BoxButtonOf(QMessageBox::StandardButton button);

private:
    static int Show(void* owner, const std::string& text, const std::string& caption,
                    int defaultCaptionId, unsigned style, QMessageBox::Icon defaultIcon);
};
