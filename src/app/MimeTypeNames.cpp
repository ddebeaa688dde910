// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MimeTypeNames.h"

#include "platform/FindRecord.h"

#include <QMimeDatabase>
#include <QMimeType>

std::string CMimeTypeNames::TypeName(const std::string& longName, uint32_t attributes) {
    static const QMimeDatabase database;
    const QMimeType type =
        (attributes & platform::kAttrDirectory)
            ? database.mimeTypeForName(QStringLiteral("inode/directory"))
            : database.mimeTypeForFile(QString::fromUtf8(longName.data(),
                                                         static_cast<qsizetype>(longName.size())),
                                       QMimeDatabase::MatchExtension);
    return type.comment().toStdString();
}
