#pragma once
// Bounds on the pictures the program takes in, checked against a file's
// header before any pixel memory is allocated.
#include <QSize>
#include <QtGlobal>

inline constexpr int kMaxPictureSide = 32000;
inline constexpr qint64 kMaxPicturePixels = 150'000'000; // a 150-megapixel photo, 600 MB of pixels
inline constexpr qint64 kMaxImageFileBytes = 512LL * 1024 * 1024;

// The deepest pixels a reader makes on the way (16 bits a channel, with
// alpha), so the memory it may take for a picture within the bounds.
inline constexpr qint64 kMaxReaderBytesPerPixel = 8;
inline constexpr int kReaderAllocationLimitMB =
    int((kMaxPicturePixels * kMaxReaderBytesPerPixel + 1024 * 1024 - 1) / (1024 * 1024));

// Huffman coding spends at least one bit on every 8 x 8 block of a JPEG
// (per component and scan), so a real file, however plain the photo, holds
// at least a byte per 512 pixels. A file with under an eighth of that,
// a byte per 4096 pixels, declares a picture its data cannot fill: it is
// built to make the decoder take memory, and refused before any is taken.
inline constexpr qint64 kMinJpegPixelsPerByte = 4096;

inline bool jpegDataCanFill(QSize declared, qint64 fileBytes)
{
    return qint64(declared.width()) * declared.height() <= fileBytes * kMinJpegPixelsPerByte;
}
inline bool pictureSizeAllowed(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide &&
           size.height() <= kMaxPictureSide &&
           qint64(size.width()) * size.height() <= kMaxPicturePixels;
}
