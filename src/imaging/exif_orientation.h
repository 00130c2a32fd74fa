#pragma once
// The orientation a camera records in a JPEG's EXIF data: how the stored
// pixels are turned or mirrored to show the photo the way it was taken.
#include <QByteArray>
#include <QSize>

// The EXIF orientation (1..8) of a JPEG file, or 1 when it has none or the
// data cannot be read.
int exifOrientation(const QByteArray& jpeg);

// Whether the orientation shows stored rows as columns (5..8), so that the
// upright picture's width is the stored height.
bool orientationSwapsSides(int orientation);

// The size of the upright picture of a stored picture of `stored` size.
QSize uprightSize(QSize stored, int orientation);
