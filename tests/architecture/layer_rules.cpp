#include "architecture/layer_rules.h"

#include <QRegularExpression>

QHash<QString, int> ReadLayerTable(const QString& readme)
{
    static const QRegularExpression row(QStringLiteral(R"(^\|\s*(\d+)\s*\|\s*`src/([a-z_]+)/`\s*\|)"),
                                        QRegularExpression::MultilineOption);
    QHash<QString, int> layers;
    for (auto match = row.globalMatch(readme); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        layers.insert(m.captured(2), m.captured(1).toInt());
    }
    return layers;
}

QStringList WrongIncludes(const QHash<QString, int>& layers, const QList<SourceFile>& files)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*"([a-z_]+)/[^"]*")"),
                                            QRegularExpression::MultilineOption);
    QStringList wrong;
    for (const SourceFile& file : files) {
        const qsizetype slash = file.path.indexOf(QLatin1Char('/'));
        if (slash < 0)
            continue; // the program's main file stands above every layer
        const QString folder = file.path.left(slash);
        if (!layers.contains(folder)) {
            wrong.append(file.path + QStringLiteral(": in a folder the layer table does not name"));
            continue;
        }
        const int own = layers.value(folder);
        for (auto match = include.globalMatch(file.text); match.hasNext();) {
            const QRegularExpressionMatch m = match.next();
            const QString target = m.captured(1);
            if (!layers.contains(target))
                continue;
            const int other = layers.value(target);
            if (other > own || (other == own && target != folder))
                wrong.append(file.path + QStringLiteral(": ") + m.captured(0).trimmed());
        }
    }
    return wrong;
}
