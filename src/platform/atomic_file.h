#pragma once
#include <QByteArray>
#include <QString>

// Writes the whole of `bytes` to a temporary file beside `path` and renames it
// into place. Either the complete new file is there afterwards, or the old one
// is untouched: an interrupted or failed write never leaves a truncated file.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// Reads a whole file of at most `maxBytes`; a missing, unreadable or larger
// file gives no data.
QByteArray readSmallFile(const QString& path, qint64 maxBytes);
