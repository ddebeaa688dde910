// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/FileDialogs.h"

/// The real choosers: QFileDialog.
class CQtFileDialogs : public CFileDialogs {
public:
    QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                           const QString& suggestedName) override;
    QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString ChooseFolder(QWidget* parent, const QString& title,
                         const QString& initialFolder) override;
};
