// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"

#include <vector>

struct CRenameFailure;
class QTableWidget;

/// The list of the moves that failed in a rename or an undo: error code,
/// description, old name and new name, one row per failure, in order.
class CRenameErrorsDlg : public CBaseDialog {
    Q_OBJECT
public:
    CRenameErrorsDlg(const std::vector<CRenameFailure>& failures, QWidget* parent = nullptr);

    QTableWidget* GetTable() const { return table; }

private:
    QTableWidget* table;
};
