// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class CProgressBarDlg;
class CProgressDialog;
class CProgressTextDlg;
class QWidget;

/// The progress of work that runs on the window's own thread: opens and
/// closes the two progress dialogs, keeps the window disabled while either
/// is open, and at the work's poll points lets Qt process events at most
/// every 30 ms, so that the dialog animates and its "Annuleren" is heard.
class CWorkProgress {
public:
    static constexpr int kPumpInterval = 30;

    explicit CWorkProgress(QWidget& window);
    ~CWorkProgress();
    CWorkProgress(const CWorkProgress&) = delete;
    CWorkProgress& operator=(const CWorkProgress&) = delete;

    /// The listing progress; nothing when it is open already.
    void OpenText();
    /// Shows the folder being listed (not after a cancel).
    void ShowText(const QString& text);
    void CloseText();
    bool IsTextOpen() const { return textDialog != nullptr; }
    bool IsTextCancelled() const;
    CProgressTextDlg* GetTextDialog() const { return textDialog.get(); }

    /// The bar progress; nothing when it is open already.
    void OpenBar(const QString& text, bool cancelAllowed, int range, int position);
    void SetBarPosition(int position);
    void CloseBar();
    bool IsBarOpen() const { return barDialog != nullptr; }
    bool IsBarCancelled() const;
    CProgressBarDlg* GetBarDialog() const { return barDialog.get(); }

    /// True while a progress dialog is open.
    bool IsRunning() const { return IsTextOpen() || IsBarOpen(); }

    /// A poll point of the work: processes the pending events when the last
    /// time lies 30 ms or more back.
    void Poll();

    /// Called right after a progress dialog was shown (tests and the
    /// benchmark press "Annuleren" from it).
    void SetShownHandler(std::function<void(CProgressDialog&)> handler) {
        shownHandler = std::move(handler);
    }

private:
    void Started(CProgressDialog& dialog);
    void Stopped();

    QWidget& window;
    std::unique_ptr<CProgressTextDlg> textDialog;
    std::unique_ptr<CProgressBarDlg> barDialog;
    QElapsedTimer sincePump;
    std::function<void(CProgressDialog&)> shownHandler;
    bool pumping = false;
};
