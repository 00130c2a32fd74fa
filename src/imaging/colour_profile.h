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

// Whether pixels in `space` need converting: not for an invalid space, nor
// for sRGB, nor for sRGB's primaries with a plain 2.2 gamma, which is how
// many tools label sRGB in a PNG (gAMA 1/2.2 with sRGB's chromaticities; PNG
// readers take that for sRGB, and converting would only move dark tones by a
// level or two).
bool NeedsConvertingToSrgb(const QColorSpace& space);

// Converts `picture` from `space` to sRGB, in place, where it needs it.
void ConvertToSrgb(QImage& picture, const QColorSpace& space);
