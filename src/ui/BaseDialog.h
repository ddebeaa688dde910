// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

/// The base of the program's dialogs: size limits and the tooltip texts by
/// id. -1 leaves a limit unset (the toolkit's own).
class CBaseDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kUnset = -1;
    static constexpr int kToolTipMaxLength = 79;

    explicit CBaseDialog(QWidget* parent = nullptr);

    void SetSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight);

    /// The tooltip of a control or command: the string-table text with its
    /// id; of a text holding a line break only the part after the first
    /// one; at most 79 characters. Empty when the id has no text.
    static QString ToolTipText(int id);
    /// The same rules applied to a text.
    static QString ToolTipFromText(const QString& text);
};
