// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BaseDialog.h"

class QLabel;
class QPushButton;

/// "Over NorvikRename": the program's name, version and licence, and OK.
class CAboutDlg : public CBaseDialog {
    Q_OBJECT
public:
    /// The version the box shows (the project's version).
    static constexpr const char* kVersion = "0.1";

    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* GetNameLabel() const { return nameLabel; }
    QLabel* GetVersionLabel() const { return versionLabel; }
    QLabel* GetLicenceLabel() const { return licenceLabel; }
    QPushButton* GetOkButton() const { return okButton; }

private:
    QLabel* nameLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* licenceLabel = nullptr;
    QPushButton* okButton = nullptr;
};
