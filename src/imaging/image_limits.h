#pragma once
// Bounds on the pictures the program takes in, checked against a file's
// header before any pixel memory is allocated.
#include <QSize>
#include <QtGlobal>

inline constexpr int kMaxPictureSide = 32000;
inline constexpr qint64 kMaxPicturePixels = 150'000'000; // a 150-megapixel photo, 600 MB of pixels
inline constexpr qint64 kMaxImageFileBytes = 512LL * 1024 * 1024;

inline bool pictureSizeAllowed(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide &&
           size.height() <= kMaxPictureSide &&
           qint64(size.width()) * size.height() <= kMaxPicturePixels;
}
