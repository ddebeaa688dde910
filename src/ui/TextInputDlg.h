// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"

class CRenameCore;
class CTagMenu;
class QLineEdit;

/// "Tekst": one wide edit for a rule text, without buttons. Enter accepts,
/// Escape cancels. With the core as owner link a right press opens the tag
/// menu, which inserts a tag without recomputing anything.
class CTextInputDlg : public CBaseDialog {
    Q_OBJECT
public:
    /// core: the owner link for the tag menu; null opens without it.
    CTextInputDlg(const QString& text, CRenameCore* core, QWidget* parent = nullptr);

    QString GetText() const;
    QLineEdit* GetEdit() const { return edit; }
    /// The tag menu of the edit; null without an owner link.
    CTagMenu* GetTagMenu() const { return tagMenu; }

private:
    QLineEdit* edit = nullptr;
    CTagMenu* tagMenu = nullptr;
};
