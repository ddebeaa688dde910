// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BaseDialog.h"

#include "ui/QtText.h"

CBaseDialog::CBaseDialog(QWidget* parent) : QDialog(parent) {
    // No "?" button in the title bar: the dialogs have no context help.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void CBaseDialog::SetSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight) {
    setMinimumSize(minWidth == kUnset ? 0 : minWidth, minHeight == kUnset ? 0 : minHeight);
    setMaximumSize(maxWidth == kUnset ? QWIDGETSIZE_MAX : maxWidth,
                   maxHeight == kUnset ? QWIDGETSIZE_MAX : maxHeight);
}

QString CBaseDialog::ToolTipFromText(const QString& text) {
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    QString tip = lineBreak < 0 ? text : text.mid(lineBreak + 1);
    tip.truncate(kToolTipMaxLength);
    return tip;
}

QString CBaseDialog::ToolTipText(int id) {
    return ToolTipFromText(UiText(id));
}
