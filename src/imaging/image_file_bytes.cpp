#include "imaging/image_file_bytes.h"

#include <QFile>

QByteArray readImageFileBytes(const QString& path, qint64 maxBytes)
{
    // Unbuffered: the bytes go straight into the buffer below, not through
    // QFile's own.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const qint64 size = file.size();
    if (size <= 0 || size > maxBytes)
        return {};
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < size) {
        const qint64 got = file.read(bytes.data() + filled, size - filled);
        if (got < 0)
            return {};
        if (got == 0)
            break; // the file became shorter since its size was taken
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}
