// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ProgressDialog.h"

class QProgressBar;

/// The progress of a computation, a rename or an undo: the animation, a
/// text, a bar from 0 to the item count, and "Annuleren" only when the work
/// may be cancelled. After a cancel the text is "Afgebroken... Een ogenblik
/// geduld aub.".
class CProgressBarDlg : public CProgressDialog {
    Q_OBJECT
public:
    CProgressBarDlg(const QString& text, bool cancelAllowed, QWidget* parent = nullptr);

    void SetRange(int count);
    void SetPosition(int position);

    bool IsCancelAllowed() const { return cancelAllowed; }
    QLabel* GetTextLabel() const { return textLabel; }
    QProgressBar* GetBar() const { return bar; }

protected:
    void ShowCancelled() override;

private:
    bool cancelAllowed;
    QLabel* textLabel;
    QProgressBar* bar;
};
