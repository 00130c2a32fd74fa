#pragma once
// The record an unattended run keeps in its save folder, one line a photo in
// the order they are finished (the folder's order): the source file's name,
// and either the output's file name or why it was not framed. A run that is
// stopped, or killed, leaves the lines of the photos it finished; the next run
// with --resume reads them and frames only the others.
#include <QHash>
#include <QString>
#include <QStringList>

inline const QString kFramingRecordName = QStringLiteral("批量取景记录.txt");
inline const QString kFramingExceptionsName = QStringLiteral("未能取景的照片.txt");

struct FramingRecordLine {
    QString source;
    QString output; // file name in the save folder; empty when not framed
    QString reason; // why not; empty when framed
};

QString FramingRecordText(const FramingRecordLine& line);

// The lines of a record file, by source name (a later line wins); lines that
// are not a record's are passed over.
QHash<QString, FramingRecordLine> ReadFramingRecord(const QString& path);
