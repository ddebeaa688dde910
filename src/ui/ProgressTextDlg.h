// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ProgressDialog.h"

/// The progress of a recursive listing: the animation, a one-line text (the
/// pattern being listed) and a two-line text (the folder being listed), and
/// "Annuleren". After a cancel the first line is empty and the second shows
/// "Afgebroken... Een ogenblik geduld aub.".
class CProgressTextDlg : public CProgressDialog {
    Q_OBJECT
public:
    explicit CProgressTextDlg(QWidget* parent = nullptr);

    /// The pattern line; ignored once cancelled.
    void SetPatternText(const QString& text);
    /// The folder lines; ignored once cancelled.
    void SetText(const QString& text);

    QLabel* GetPatternLabel() const { return patternLabel; }
    QLabel* GetTextLabel() const { return textLabel; }

protected:
    void ShowCancelled() override;

private:
    QLabel* patternLabel;
    QLabel* textLabel;
};
