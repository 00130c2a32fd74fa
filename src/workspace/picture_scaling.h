#pragma once
// The picture at the view's scale, computed only for the part that is
// needed: the view, the capture frame, or (when a drawing is baked) the
// whole. Every pixel of the scaled picture depends only on its own position,
// so a part computed alone equals the same part of the whole: what the view
// shows, what the frame captures and what a bake keeps always agree.
//
// Reducing averages the source pixels each scaled pixel covers (weighted by
// how much of them it covers); enlarging interpolates between the two
// nearest source pixels. Small scales read halved copies of the picture,
// made once per picture, so their cost does not grow with the photo's size.
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>

struct PictureLevels {
    qint64 key = 0;        // QImage::cacheKey of the picture they were made from
    QList<QImage> levels;  // [0] the picture itself, then each half the size of the one before
};

// Makes the halved copies of `picture`, unless `levels` already hold them.
void PrepareLevels(PictureLevels& levels, const QImage& picture);

// Only the halved copies ScaledRegion reads for the one size `scaled`, for
// a single scaling (the same pixels as with every copy made); not kept for
// the picture (no key).
PictureLevels LevelsFor(const QImage& picture, QSize scaled);

// The pixels of the picture scaled to `scaled` inside `region` (which is
// clipped to the scaled picture), as an opaque RGB32 image of the clipped
// region's size; null when nothing of the region lies on the picture.
QImage ScaledRegion(const PictureLevels& levels, QSize scaled, const QRect& region);
