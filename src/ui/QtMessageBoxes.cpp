// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtMessageBoxes.h"

#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QPushButton>

namespace {

constexpr unsigned kIconBits = 0xF0;
constexpr unsigned kButtonBits = 0x0F;
constexpr unsigned kIconError = 0x10;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kIconInformation = 0x40;
constexpr unsigned kButtonsOkCancel = 1;
constexpr unsigned kButtonsYesNoCancel = 3;
constexpr unsigned kButtonsYesNo = 4;

} // namespace

QMessageBox::Icon CQtMessageBoxes::IconOfStyle(unsigned style, QMessageBox::Icon fallback) {
    switch (style & kIconBits) {
    case kIconError:
        return QMessageBox::Critical;
    case kIconQuestion:
        return QMessageBox::Question;
    case kIconExclamation:
        return QMessageBox::Warning;
    case kIconInformation:
        return QMessageBox::Information;
    default:
        return fallback;
    }
}

QMessageBox::StandardButtons CQtMessageBoxes::ButtonsOfStyle(unsigned style) {
    switch (style & kButtonBits) {
    case kButtonsOkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case kButtonsYesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case kButtonsYesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int CQtMessageBoxes::BoxButtonOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return boxbutton::kYes;
    case QMessageBox::No:
        return boxbutton::kNo;
    case QMessageBox::Cancel:
        return boxbutton::kCancel;
    default:
        return boxbutton::kOk;
    }
}

int CQtMessageBoxes::Show(void* owner, const std::string& text, const std::string& caption,
                          int defaultCaptionId, unsigned style, QMessageBox::Icon defaultIcon) {
    QMessageBox box(IconOfStyle(style, defaultIcon),
                    caption.empty() ? UiText(defaultCaptionId) : ToQt(caption), ToQt(text),
                    ButtonsOfStyle(style), static_cast<QWidget*>(owner));
    box.setObjectName(QStringLiteral("CQtMessageBox"));
    // The first button (Yes, else OK) is the default, so Enter answers it.
    box.setDefaultButton(box.button(QMessageBox::Yes) != nullptr ? QMessageBox::Yes
                                                                 : QMessageBox::Ok);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    const QMessageBox::StandardButton pressed =
        clicked != nullptr ? box.standardButton(clicked) : QMessageBox::NoButton;
    if (pressed == QMessageBox::NoButton) {
        // Closed without a button: what Escape would have answered.
        return box.button(QMessageBox::Cancel) != nullptr ? boxbutton::kCancel
               : box.button(QMessageBox::No) != nullptr   ? boxbutton::kNo
                                                          : boxbutton::kOk;
    }
    return BoxButtonOf(pressed);
}

int CQtMessageBoxes::ShowWarning(void* owner, const std::string& text, const std::string& caption,
                                 unsigned style) {
    return Show(owner, text, caption, strings::kCaptionWarning, style, QMessageBox::Warning);
}

int CQtMessageBoxes::AskQuestion(void* owner, const std::string& text, const std::string& caption,
                                 unsigned style) {
    return Show(owner, text, caption, strings::kCaptionQuestion, style, QMessageBox::Question);
}

int CQtMessageBoxes::ShowInformation(void* owner, const std::string& text,
                                     const std::string& caption, unsigned style) {
    return Show(owner, text, caption, strings::kCaptionInformation, style,
                QMessageBox::Information);
}

int CQtMessageBoxes::ShowError(void* owner, const std::string& text, const std::string& caption,
                               unsigned style) {
    return Show(owner, text, caption, strings::kCaptionError, style, QMessageBox::Critical);
}
