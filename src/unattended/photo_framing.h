#pragma once
// One photo framed without a person: the head found on a small decode, the
// framing rule of 自动取景 applied for the output's size, and the crop taken
// from a decode only as fine as the output needs (a 12-MP photo framed to
// 358 × 441 is never decoded whole). No widgets and no shared state: the
// unattended batch runs it on several threads at once, one finder each.
#include "imaging/face_finder.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

enum class PhotoFraming { Framed, Unreadable, NoFace, SeveralFaces, TooSmall, Unavailable };

struct FramedPhoto {
    PhotoFraming outcome = PhotoFraming::Unreadable;
    QImage crop; // the output's pixels with its print resolution; null unless Framed
};

// Frames the photo in `fileBytes` (any format the program opens) for an
// output of `output` pixels. The head is looked for on the smallest decode
// whose short side has kLeastFinderSide pixels, and once more on a decode
// twice as fine when none is seen there.
FramedPhoto FramePhotoBytes(const QByteArray& fileBytes, QSize output, FaceFinder& finder);

inline constexpr int kLeastFinderSide = 300;

// Why a photo was not framed, for the exception list (empty for Framed).
QString PhotoFramingReason(PhotoFraming outcome);
