#pragma once
#include <QImage>

// Turns a picture a quarter turn: +90 clockwise, -90 counter-clockwise, as an
// exact transposition of pixels. Any other angle, or a picture that cannot be
// held, gives a null image.
QImage RotateQuarter(const QImage& image, int degrees);
