#include "unattended/framing_record.h"

#include "platform/atomic_file.h"

namespace {
// Far above a school's record (a line a photo).
constexpr qint64 kMaxRecordBytes = 64 * 1024 * 1024;
} // namespace

QString FramingRecordText(const FramingRecordLine& line)
{
    return line.source + u'\t' + line.output + u'\t' + line.reason + u'\n';
}

QHash<QString, FramingRecordLine> ReadFramingRecord(const QString& path)
{
    QHash<QString, FramingRecordLine> lines;
    const QString text = QString::fromUtf8(readSmallFile(path, kMaxRecordBytes));
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const QList<QStringView> fields = line.split(u'\t');
        if (fields.size() != 3 || fields[0].isEmpty() || fields[1].isEmpty() == fields[2].isEmpty())
            continue;
        lines.insert(fields[0].toString(), {fields[0].toString(), fields[1].toString(), fields[2].toString()});
    }
    return lines;
}
