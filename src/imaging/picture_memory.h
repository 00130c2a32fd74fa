#pragma once
// The memory a decoder writes a large picture into. On Linux it is memory the
// kernel may back with 2 MB pages: a 24-megapixel photo then takes 48 page
// faults rather than 23,000, and writing it column by column (an EXIF quarter
// turn) no longer misses the address translation cache at every line.
// Elsewhere, and for small pictures, it is an ordinary QImage.
#include <QImage>
#include <QSize>

// A new RGB32 picture of `size`, its pixels not yet set; null when the
// memory cannot be had.
QImage newRgb32Picture(QSize size);
