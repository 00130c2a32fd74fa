#pragma once
// Reading a picture file whole, as every small file is read: memory for the
// bytes the file holds, never for the bound; a file over the bound, also by
// growing while it is read, is refused.
#include "imaging/image_limits.h"

#include <QByteArray>
#include <QString>

// The bytes of the file at `path`; no data when it is missing, unreadable,
// empty or larger than `maxBytes`.
QByteArray readImageFileBytes(const QString& path, qint64 maxBytes = kMaxImageFileBytes);
