#include "imaging/image_file_bytes.h"

#include "platform/atomic_file.h"

QByteArray readImageFileBytes(const QString& path, qint64 maxBytes)
{
    return readSmallFile(path, maxBytes);
}
