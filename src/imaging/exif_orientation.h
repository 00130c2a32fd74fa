#pragma once
// The orientation a camera records in a JPEG's EXIF data, and turning the
// decoded pixels so that the photo shows the way it was taken.
#include <QByteArray>
#include <QImage>

// The EXIF orientation (1..8) of a JPEG file, or 1 when it has none or the
// data cannot be read.
int exifOrientation(const QByteArray& jpeg);

QImage applyExifOrientation(const QImage& image, int orientation);
