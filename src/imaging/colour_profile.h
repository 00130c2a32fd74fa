#pragma once
// The program works in sRGB: a picture whose file says its colours are in
// another space (an embedded ICC profile, a PNG's colour chunks) is converted
// to sRGB once, when decoded, so that the view, the capture and every output
// show the colours the camera meant. A picture that says nothing is taken as
// sRGB; a profile that is damaged or that Qt cannot apply (not a matrix and
// curves RGB profile) leaves the pixels as they are: never an error.
#include <QByteArray>
#include <QColorSpace>
#include <QImage>

// The colour space an ICC profile describes; invalid when it cannot be used.
QColorSpace ColourSpaceOfProfile(const QByteArray& iccProfile);

// Converts `picture` from `space` to sRGB, in place; nothing happens for an
// invalid space or one that is sRGB already.
void ConvertToSrgb(QImage& picture, const QColorSpace& space);
