// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>

/// Small icons of files and folders, found by name only (the file is never
/// opened) and made once per MIME type.
class CIconCache {
public:
    /// The icon of a file called name, or the folder icon when isFolder is set.
    /// A null icon when neither the theme nor the style has one.
    QIcon IconFor(const QString& name, bool isFolder);

private:
    QMimeDatabase mimeDatabase;
    QHash<QString, QIcon> iconsByMimeType;
    QIcon folderIcon;
    bool folderIconMade = false;
};
