#include "platform/ini_file.h"

#include "platform/atomic_file.h"
#include "platform/text_encoding.h"

#include <QFile>
#include <QStringList>

#include <optional>

namespace {

// A settings file is a few hundred bytes; anything beyond this is not one and
// reads as empty rather than being loaded whole.
constexpr qint64 kMaxIniBytes = 4 * 1024 * 1024;

QStringList splitLines(const QString& content)
{
    QString normalised = content;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = normalised.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The section name of a header line "[name]", or nothing for other lines.
std::optional<QString> sectionOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

// The key of a "key=value" line, or nothing for other lines.
std::optional<QString> keyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return line.left(eq).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

struct KeyPlace {
    qsizetype sectionLine = -1; // header line of the section, -1 when absent
    qsizetype lastLine = -1;    // last non-blank line of the section
    qsizetype keyLine = -1;     // the key's line, -1 when absent
};

KeyPlace findKey(const QStringList& lines, const QString& section, const QString& key)
{
    KeyPlace place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionOf(lines[i])) {
            if (place.sectionLine >= 0)
                break; // the first section of that name is the one used
            inSection = sameName(*name, section);
            if (inSection)
                place.sectionLine = place.lastLine = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            place.lastLine = i;
        const auto name = keyOf(lines[i]);
        if (name && place.keyLine < 0 && sameName(*name, key))
            place.keyLine = i;
    }
    return place;
}

} // namespace

QString iniValue(const QString& content, const QString& section, const QString& key)
{
    const QStringList lines = splitLines(content);
    const KeyPlace place = findKey(lines, section, key);
    if (place.keyLine < 0)
        return {};
    const QString& line = lines[place.keyLine];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

QString iniWithValue(const QString& content, const QString& section, const QString& key,
                     const QString& value)
{
    QStringList lines = splitLines(content);
    const KeyPlace place = findKey(lines, section, key);
    const QString entry = key.trimmed() + QLatin1Char('=') + value;
    if (place.keyLine >= 0) {
        lines[place.keyLine] = entry;
    } else if (place.sectionLine >= 0) {
        lines.insert(place.lastLine + 1, entry);
    } else {
        lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        lines.append(entry);
    }
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

static QString readIniContent(const QString& path)
{
    return decodeTextFile(readSmallFile(path, kMaxIniBytes));
}

QString readIniValue(const QString& path, const QString& section, const QString& key)
{
    return iniValue(readIniContent(path), section, key);
}

bool writeIniValue(const QString& path, const QString& section, const QString& key,
                   const QString& value)
{
    const QString updated = iniWithValue(readIniContent(path), section, key, value);
    return writeFileAtomically(path, encodeGb18030(updated));
}
