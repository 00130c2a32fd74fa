#pragma once
// JPEG decoding through libjpeg-turbo, shown upright by the file's EXIF
// orientation. The decoder hands its rows over a band at a time, so turning
// the photo costs no second picture of its size, and it can decode the photo
// reduced (1/2, 1/4, 1/8) in the DCT, which is far cheaper than decoding it
// whole and scaling it down.
#include "imaging/decoded_picture.h"

#include <QByteArray>

#include <optional>

// The photo in `jpeg`. With `atLeast`, reduced by the largest factor whose
// upright picture still covers `atLeast` in both directions (no reduction
// when none does); without it, whole. A file cut short gives the part that
// was there; a picture over the program's bounds, or one that cannot be
// decoded, gives a null picture.
DecodedPicture decodeJpeg(const QByteArray& jpeg, std::optional<QSize> atLeast);
