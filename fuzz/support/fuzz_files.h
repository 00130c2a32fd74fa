#pragma once
// Readers that take only a path get each input through one file, made once
// per run in a folder of its own and overwritten for every input.
#include <QByteArray>
#include <QString>

// The run's own folder, removed when the run ends.
QString fuzzFolder();

// Writes `bytes` as the file `name` in that folder; its path.
QString writeFuzzFile(const QString& name, const QByteArray& bytes);

// The bytes of a file; empty when it is missing.
QByteArray fuzzFileBytes(const QString& path);
