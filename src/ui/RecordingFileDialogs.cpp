// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecordingFileDialogs.h"

#include <utility>

QString CRecordingFileDialogs::Record(CAsked question) {
    asked.push_back(std::move(question));
    if (answers.empty()) {
        return {};
    }
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

QString CRecordingFileDialogs::ChooseSaveFile(QWidget* parent, const QString& title,
                                              const QString& filter, const QString& suggestedName) {
    return Record(CAsked{Kind::SaveFile, parent, title, filter, suggestedName});
}

QString CRecordingFileDialogs::ChooseOpenFile(QWidget* parent, const QString& title,
                                              const QString& filter) {
    return Record(CAsked{Kind::OpenFile, parent, title, filter, {}});
}

QString CRecordingFileDialogs::ChooseFolder(QWidget* parent, const QString& title,
                                            const QString& initialFolder) {
    return Record(CAsked{Kind::Folder, parent, title, {}, initialFolder});
}
