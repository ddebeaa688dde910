// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"

#include <QPixmap>

class QLabel;
class QPushButton;
class QTimer;

/// What both progress dialogs share: the caption "Voortgang...", the six
/// animation frames that turn every 250 ms, the "Annuleren" button that sets
/// the cancel flag, and that only the program closes them: Enter, Escape and
/// the window's close box do nothing; Finish ends the dialog.
class CProgressDialog : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kFrameCount = 6;
    static constexpr int kAnimationPeriod = 250;

    explicit CProgressDialog(QWidget* parent = nullptr);
    ~CProgressDialog() override;

    /// True once "Annuleren" was pressed.
    bool IsCancelled() const { return cancelled; }
    /// The animation frame shown (0 to 5).
    int GetFrame() const { return frame; }
    QPushButton* GetCancelButton() const { return cancelButton; }
    QLabel* GetIconLabel() const { return iconLabel; }

    /// Shows the dialog and starts the animation.
    void Start();
    /// Stops the animation and closes the dialog with result 1.
    void Finish();

    /// Frame index of the animation, drawn once.
    static QPixmap AnimationFrame(int index);

    void accept() override;
    void reject() override;

signals:
    /// "Annuleren" was pressed (once).
    void Cancelled();

protected:
    /// The dialog's own reaction to a cancel: the abort text.
    virtual void ShowCancelled() = 0;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QLabel* iconLabel;
    QPushButton* cancelButton;

private:
    void Cancel();
    void AdvanceFrame();

    QTimer* animation;
    int frame = 0;
    bool cancelled = false;
    bool finishing = false;
};
