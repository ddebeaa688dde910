// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/FileDialogs.h"

#include <deque>
#include <vector>

/// Shows nothing: remembers what was asked and answers from a queue of
/// next answers (empty, that is cancelled, when the queue is empty).
class CRecordingFileDialogs : public CFileDialogs {
public:
    enum class Kind { SaveFile, OpenFile, Folder };
    struct CAsked {
        Kind kind;
        QWidget* parent;
        QString title;
        QString filter;     ///< empty for a folder
        QString suggestion; ///< the suggested name, or the initial folder
    };

    QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                           const QString& suggestedName) override;
    QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString ChooseFolder(QWidget* parent, const QString& title,
                         const QString& initialFolder) override;

    void PushAnswer(const QString& answer) { answers.push_back(answer); }
    const std::vector<CAsked>& GetAsked() const { return asked; }
    void Clear() { asked.clear(), answers.clear(); }

private:
    QString Record(CAsked question);

    std::vector<CAsked> asked;
    std::deque<QString> answers;
};
