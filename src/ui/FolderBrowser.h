// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class CFileDialogs;
class QWidget;

/// Asks for a folder with the title "Selecteer map", starting at the
/// initial folder.
class CFolderBrowser {
public:
    CFolderBrowser(CFileDialogs& dialogs, QWidget* owner, const QString& initialFolder)
        : dialogs(dialogs), owner(owner), initialFolder(initialFolder) {}

    /// True and the path after OK; false and an empty path after Cancel.
    bool Run();
    const QString& GetPath() const { return path; }

private:
    CFileDialogs& dialogs;
    QWidget* owner;
    QString initialFolder;
    QString path;
};
