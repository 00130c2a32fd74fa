#pragma once
// Decoding pictures for the view: JPEG through libjpeg-turbo, turned upright
// by its EXIF orientation, BMP, GIF and PNG through Qt's readers. The format
// is taken from the content, not the name. Every result is an opaque RGB32
// picture; transparent parts are laid on white. A picture that cannot be
// decoded, or is larger than the program takes, gives a null image.
#include "imaging/decoded_picture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

QImage decodeImageBytes(const QByteArray& bytes);
QImage decodeImageFile(const QString& path);

// For showing a photo fitted: a JPEG is decoded reduced by the largest of
// 1/2, 1/4 and 1/8 that still covers `atLeast` in both directions once upright
// (whole when none does); other formats are decoded whole. decodeImageFile
// gives the whole picture of the same file.
DecodedPicture decodeImageBytesReduced(const QByteArray& bytes, QSize atLeast);
DecodedPicture decodeImageFileReduced(const QString& path, QSize atLeast);

// The picture as an opaque 32-bit image, transparent parts laid on white.
QImage opaqueOnWhite(const QImage& image);
