#pragma once
// Small pictures made by the tests, and their files in each format.
#include <QByteArray>
#include <QImage>

// A picture whose four quarters have clearly different colours (red, green,
// blue, white from the top-left, clockwise), so turns and mirrors show.
QImage quarteredPicture(int width, int height);

// A picture with a colour gradient and fine detail, as a photo has.
QImage photoLikePicture(int width, int height);

QByteArray encodeAs(const QImage& image, const char* format, int quality = -1);

// A JPEG with an EXIF block carrying the given orientation.
QByteArray jpegWithOrientation(const QImage& image, int orientation);
// The JPEG file with such a block put in after its start marker.
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation);

// The JPEG file with the picture size its frame header declares replaced
// (the data left as it is); no data when it has no baseline or progressive frame.
QByteArray jpegDeclaringSize(QByteArray jpeg, int width, int height);

// A PNG file whose header claims the given size, with no usable pixel data.
QByteArray pngHeaderClaiming(quint32 width, quint32 height);

// The colour at a pixel, as (r, g, b) rounded to the nearest 32 so that
// JPEG's small colour changes do not matter.
QRgb coarse(QRgb colour);
