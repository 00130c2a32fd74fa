#include "platform/file_filter.h"

#include <QStringList>

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries.append(parts[i] + QLatin1String(" (") + patterns.trimmed() + QLatin1Char(')'));
    }
    return entries.join(QLatin1String(";;"));
}
