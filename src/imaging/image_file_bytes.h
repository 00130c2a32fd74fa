#pragma once
// Reading a picture file whole. The buffer is made the file's own size, as
// the file system reports it, so opening a photo reserves no more memory than
// the photo takes; a file over the bound is refused from its size alone,
// before anything is read.
#include "imaging/image_limits.h"

#include <QByteArray>
#include <QString>

// The bytes of the file at `path`; no data when it is missing, unreadable,
// empty or larger than `maxBytes`.
QByteArray readImageFileBytes(const QString& path, qint64 maxBytes = kMaxImageFileBytes);
