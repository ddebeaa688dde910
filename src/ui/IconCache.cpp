// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/IconCache.h"

#include <QFileIconProvider>
#include <QMimeType>

QIcon CIconCache::IconFor(const QString& name, bool isFolder) {
    if (isFolder) {
        if (!folderIconMade) {
            folderIcon = QIcon::fromTheme(QStringLiteral("folder"));
            if (folderIcon.isNull()) {
                folderIcon = QFileIconProvider().icon(QAbstractFileIconProvider::Folder);
            }
            folderIconMade = true;
        }
        return folderIcon;
    }
    // By the name alone: the extension decides, the content is never read.
    const QMimeType mime = mimeDatabase.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    const QString key = mime.name();
    const auto found = iconsByMimeType.constFind(key);
    if (found != iconsByMimeType.constEnd()) {
        return *found;
    }
    QIcon icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
    if (icon.isNull()) {
        icon = QFileIconProvider().icon(QAbstractFileIconProvider::File);
    }
    iconsByMimeType.insert(key, icon);
    return icon;
}
