// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtFileDialogs.h"

#include <QFileDialog>

QString CQtFileDialogs::ChooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& suggestedName) {
    return QFileDialog::getSaveFileName(parent, title, suggestedName, filter);
}

QString CQtFileDialogs::ChooseOpenFile(QWidget* parent, const QString& title,
                                       const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString CQtFileDialogs::ChooseFolder(QWidget* parent, const QString& title,
                                     const QString& initialFolder) {
    return QFileDialog::getExistingDirectory(parent, title, initialFolder,
                                             QFileDialog::ShowDirsOnly);
}
