#pragma once
// A decoded picture that may be a reduced copy of the photo, for showing it
// fitted without decoding every pixel of a large photo.
#include "imaging/face_finder.h"

#include <QImage>
#include <QSize>

#include <optional>

struct DecodedPicture {
    QImage picture;    // opaque RGB32, upright; null when the file could not be decoded
    QSize fullSize;    // the size of the whole upright picture
    int reduction = 1; // picture is fullSize divided by this (1, 2, 4 or 8), rounded up
    // The head in `picture`, when it was looked for while the file was decoded ahead.
    std::optional<FaceResult> face;
};

// A picture that is the whole of itself; nothing for a null one.
inline DecodedPicture wholePicture(const QImage& picture)
{
    if (picture.isNull())
        return {};
    return {picture, picture.size(), 1, std::nullopt};
}
