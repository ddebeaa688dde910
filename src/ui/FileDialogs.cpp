// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileDialogs.h"

#include "ui/QtText.h"

#include <QStringList>

QString CFileDialogs::QtFilter(std::string_view tableFilter) {
    const QStringList parts = ToQt(tableFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        if (description.isEmpty() && patterns.isEmpty()) {
            break; // the "||" that ends the list
        }
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        // Qt reads the patterns from the last parentheses of the text.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) {
            description = description.left(open).trimmed();
        }
        filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}
