// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"

#include <optional>

class CMessageBoxes;
class QLineEdit;

/// Renames one entry by hand: the current name read-only above, the new
/// name below, prefilled with the current one and selected up to its
/// extension. OK refuses a name with a character no file name may hold.
class CManualRenameDlg : public CBaseDialog {
    Q_OBJECT
public:
    /// boxes shows the warning about a bad character; owned by the caller.
    /// For a folder the whole name is selected (its dot is no extension).
    CManualRenameDlg(const QString& currentName, bool isFolder, CMessageBoxes& boxes,
                     QWidget* parent = nullptr);

    QString GetNewName() const;
    QLineEdit* GetOriginalEdit() const { return originalEdit; }
    QLineEdit* GetNewNameEdit() const { return newNameEdit; }

    /// Runs the dialog; the new name after OK, nothing after Cancel.
    std::optional<QString> Run();

    /// True when name holds one of \ / : * ? " < > |.
    static bool HasInvalidCharacter(const QString& name);

    void accept() override;

private:
    CMessageBoxes& boxes;
    QLineEdit* originalEdit;
    QLineEdit* newNameEdit;
};
