#pragma once
#include <QByteArray>
#include <QString>

// Writes the whole of `bytes` to a temporary file beside `path` and renames it
// into place. Either the complete new file is there afterwards, or the old one
// is untouched: an interrupted or failed write never leaves a truncated file.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// A whole file of at most a given size, or why there is none.
struct SmallFileRead {
    enum class Outcome {
        Whole,    // `bytes` is the whole file
        Missing,  // there is no file at the path
        NotWhole, // the file is there but could not be read whole: unreadable,
                  // a read error, or larger than the bound (also by growing
                  // while it was read)
    };
    Outcome outcome = Outcome::Missing;
    QByteArray bytes;
};

// Reads a whole file of at most `maxBytes`. Memory is taken for the bytes the
// file holds, never for the bound.
SmallFileRead readWholeSmallFile(const QString& path, qint64 maxBytes);

// The same, where a missing, unreadable or larger file gives no data.
QByteArray readSmallFile(const QString& path, qint64 maxBytes);
