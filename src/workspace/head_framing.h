#pragma once
// Automatic framing: the view scale and the frame's place that put a measured
// head where an ID photo needs it. The shares come from the resident-ID photo
// (358 × 441 pixels) and apply to every frame size in proportion.
#include "imaging/head_measure.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

// Head width ear to ear: 207 ± 14 pixels of 358.
inline constexpr double kHeadWidthShare = 207.0 / 358.0;
inline constexpr double kHeadWidthTolerance = 14.0 / 358.0;
// Top of the hair 7 to 21 pixels of 441 below the frame's top; aimed at the middle.
inline constexpr double kHairTopLeastShare = 7.0 / 441.0;
inline constexpr double kHairTopMostShare = 21.0 / 441.0;
// The eye line at least this share of the height above the bottom edge.
inline constexpr double kEyeLineLeastShareAboveBottom = 0.47;
// A head enlarged more than this comes out blurred: the framing is refused.
inline constexpr double kMostHeadEnlargement = 1.5;

struct HeadFraming {
    double scale = 1.0;   // the view scale, relative to the whole picture
    QPoint frameTopLeft;  // the frame's inner top-left corner in the scaled picture's pixels;
                          // outside the picture where the picture does not reach
    bool tooEnlarged = false;  // the scale is above kMostHeadEnlargement: refuse (HeadTooSmallMessage)
    bool headWidthHeld = true; // false when the hair and eye places needed a head narrower
                               // than the tolerance (a very long head, or hair piled high)
};

// Frames `head`, measured in the whole upright picture of size `picture`,
// for an output of `frame` pixels. A head measured on a reduced copy (the
// view's currentPicture while reducedFrom is set, or a copy made for the
// finder) is first carried over with ScaledHeadMeasure.
//
// The scale makes the head kHeadWidthShare of the frame's width, the face is
// centred across, and the top of the hair goes to the middle of its band.
// When the eye line would then fall too low (a long head), the hair first
// rises towards the top of its band, then the scale shrinks until the eye
// line holds; if that takes the head below the width tolerance, the hair and
// eye places win (the whole head stays in, the eyes where a checker looks)
// and headWidthHeld is false. Positions allow for rounding to whole pixels.
//
// The frame is then kept inside the scaled picture on each axis where the
// picture is at least as large as the frame, moved no further than to the
// picture's edge; on an axis where the picture is smaller, the frame is kept
// covering it. Either way no more blank enters the crop than must.
//
// No framing for a measure that is not a head (no width, eyes above the hair
// top, values not finite) or an empty frame or picture. The caller also checks
// ScaledSizeAllowed(ScaledSize(picture, scale)) before zooming, as for any zoom.
std::optional<HeadFraming> FrameHead(const HeadMeasure& head, QSize frame, QSize picture);

// One axis of the view once the framing is applied: the scroll ratio to give
// the view, and where the frame's inner edge then stands in the view.
struct FramedAxis {
    double scrollRatio = 0.5;
    int frameInView = 0;
};

// `scaled` and `view` are the scaled picture's and the view's extents,
// `frameInPicture` the framing's corner on this axis, `frameInView` where the
// frame stands now. Where the picture scrolls, it is scrolled under the
// frame, which stays (or, at the end of the scroll range, moves the least);
// where it does not, the picture is centred and the frame moves onto the
// framed place. With LayoutAxis(scaled, view, scrollRatio), the scaled
// pixel under the frame's edge, frameInView − margin + position, is
// frameInPicture.
//
// The caller sets viewScale, scrollRatioX/Y and frameLeft/frameTop from the
// two axes and renders the view.
FramedAxis PlaceFrameOnAxis(int scaled, int view, int frameInPicture, int frameInView);

// The refusal when the head would have to be enlarged too much.
QString HeadTooSmallMessage();
