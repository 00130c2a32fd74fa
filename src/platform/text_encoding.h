#pragma once
// GB18030 at the file boundary: the settings files are shared with the Windows
// build of the program, which writes GBK. GB18030 reads GBK byte for byte and
// also carries every other character, so nothing a user types is lost.
#include <QByteArray>
#include <QString>

QString decodeGb18030(const QByteArray& bytes);
QByteArray encodeGb18030(const QString& text);

// Decodes a text file's bytes: a UTF-8 or UTF-16 byte-order mark is honoured,
// everything else is taken as GB18030.
QString decodeTextFile(const QByteArray& bytes);
