// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string_view>

class QWidget;

/// The file and folder choosers the windows use. The windows call them
/// through this interface so that tests answer them without a modal loop
/// (CRecordingFileDialogs). An empty answer means cancelled.
class CFileDialogs {
public:
    virtual ~CFileDialogs() = default;

    /// filter is in Qt's form ("Batch bestanden (*.bat);;Alle bestanden (*)").
    virtual QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& suggestedName) = 0;
    virtual QString ChooseOpenFile(QWidget* parent, const QString& title,
                                   const QString& filter) = 0;
    virtual QString ChooseFolder(QWidget* parent, const QString& title,
                                 const QString& initialFolder) = 0;

    /// A filter of the string table ("Tekstbestanden (*.txt)|*.txt|Alle
    /// bestanden (*.*)|*.*||") in Qt's form ("Tekstbestanden (*.txt);;Alle
    /// bestanden (*)"): "*.*" matches every name, with or without a dot.
    static QString QtFilter(std::string_view tableFilter);
};
