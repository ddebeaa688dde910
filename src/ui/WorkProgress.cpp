// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WorkProgress.h"

#include "ui/ProgressBarDlg.h"
#include "ui/ProgressTextDlg.h"

#include <QApplication>
#include <QWidget>

CWorkProgress::CWorkProgress(QWidget& windowIn) : window(windowIn) {}

CWorkProgress::~CWorkProgress() = default;

void CWorkProgress::OpenText() {
    if (textDialog) {
        return;
    }
    textDialog = std::make_unique<CProgressTextDlg>(&window);
    Started(*textDialog);
}

void CWorkProgress::ShowText(const QString& text) {
    if (textDialog) {
        textDialog->SetText(text);
    }
}

void CWorkProgress::CloseText() {
    if (!textDialog) {
        return;
    }
    textDialog->Finish();
    textDialog.reset();
    Stopped();
}

bool CWorkProgress::IsTextCancelled() const {
    return textDialog && textDialog->IsCancelled();
}

void CWorkProgress::OpenBar(const QString& text, bool cancelAllowed, int range, int position) {
    if (barDialog) {
        return;
    }
    barDialog = std::make_unique<CProgressBarDlg>(text, cancelAllowed, &window);
    barDialog->SetRange(range);
    barDialog->SetPosition(position);
    Started(*barDialog);
}

void CWorkProgress::SetBarPosition(int position) {
    if (barDialog) {
        barDialog->SetPosition(position);
    }
}

void CWorkProgress::CloseBar() {
    if (!barDialog) {
        return;
    }
    barDialog->Finish();
    barDialog.reset();
    Stopped();
}

bool CWorkProgress::IsBarCancelled() const {
    return barDialog && barDialog->IsCancelled();
}

void CWorkProgress::Poll() {
    if (!IsRunning() || pumping) {
        return;
    }
    if (sincePump.isValid() && sincePump.elapsed() < kPumpInterval) {
        return;
    }
    // The window is disabled, so what the events run cannot start other work.
    pumping = true;
    QApplication::processEvents();
    pumping = false;
    sincePump.start();
}

void CWorkProgress::Started(CProgressDialog& dialog) {
    // Disabling the window disables its child windows too; the dialog is the
    // one part that must take clicks.
    if (window.isEnabled()) {
        window.setEnabled(false);
    }
    if (textDialog) {
        textDialog->setEnabled(true);
    }
    if (barDialog) {
        barDialog->setEnabled(true);
    }
    dialog.Start();
    // The first poll shows the dialog at once.
    sincePump.invalidate();
    if (shownHandler) {
        shownHandler(dialog);
    }
}

void CWorkProgress::Stopped() {
    if (IsRunning()) {
        return;
    }
    window.setEnabled(true);
    window.raise();
    window.activateWindow();
}
