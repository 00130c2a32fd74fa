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
// output of `output` pixels. The photo is decoded once, reduced as far as
// keeps kFirstDecodeSide pixels on its short side: the head is looked for
// there, and a portrait's head is large enough there for the common output
// sizes. Only a photo whose crop needs finer pixels is decoded again, finer,
// and one where no face is seen, to look once more on a decode twice as fine.
FramedPhoto FramePhotoBytes(const QByteArray& fileBytes, QSize output, FaceFinder& finder);

inline constexpr int kFirstDecodeSide = 750;

// Why a photo was not framed, for the exception list (empty for Framed).
QString PhotoFramingReason(PhotoFraming outcome);
