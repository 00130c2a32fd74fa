#include "workspace/head_framing.h"

#include "workspace/view_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHairTopMiddleShare = (kHairTopLeastShare + kHairTopMostShare) / 2.0;

// The frame's corner is rounded to a whole pixel, which moves the hair and
// the eyes by up to half a pixel: the limits are aimed inside by that much.
constexpr double kRoundingSlack = 0.5;

bool finite(double v)
{
    return std::isfinite(v);
}

bool isHead(const HeadMeasure& h)
{
    return finite(h.headWidth) && finite(h.eyeLineY) && finite(h.hairTopY) && finite(h.faceCentreX) &&
           h.headWidth > 0.0 && h.eyeLineY >= h.hairTopY;
}

// Keeps the frame's start within the scaled picture when the picture is at
// least as large, else keeps it covering the picture.
int keepInPicture(int start, int frame, int scaled)
{
    const int room = scaled - frame;
    return std::clamp(start, std::min(0, room), std::max(0, room));
}

} // namespace

std::optional<HeadFraming> FrameHead(const HeadMeasure& head, QSize frame, QSize picture)
{
    if (!isHead(head) || frame.isEmpty() || picture.isEmpty())
        return std::nullopt;
    const double w = frame.width();
    const double h = frame.height();
    const double eyeBelowHair = head.eyeLineY - head.hairTopY;
    // The lowest the eye line may be, and the highest the hair top may be, in the frame.
    const double eyeLimit = (1.0 - kEyeLineLeastShareAboveBottom) * h - kRoundingSlack;
    const double hairLeast = kHairTopLeastShare * h + kRoundingSlack;

    HeadFraming framing;
    double scale = kHeadWidthShare * w / head.headWidth;
    double hairAt = kHairTopMiddleShare * h;
    if (hairAt + eyeBelowHair * scale > eyeLimit) {
        hairAt = std::max(hairLeast, eyeLimit - eyeBelowHair * scale);
        if (hairAt + eyeBelowHair * scale > eyeLimit && eyeLimit > hairAt) {
            scale = (eyeLimit - hairAt) / eyeBelowHair;
            // The scaled picture's size is truncated, so the head may come out
            // up to a pixel narrower than the scale says.
            const double narrowest = ((kHeadWidthShare - kHeadWidthTolerance) * w + 1.0) / head.headWidth;
            framing.headWidthHeld = scale >= narrowest;
        }
    }
    framing.scale = scale;
    framing.tooEnlarged = scale > kMostHeadEnlargement;

    // The scaled picture's own proportions place the pixels, as the view shows them.
    const QSize scaled = ScaledSize(picture, scale);
    const double sx = double(scaled.width()) / picture.width();
    const double sy = double(scaled.height()) / picture.height();
    const int left = static_cast<int>(std::lround(head.faceCentreX * sx - w / 2.0));
    const int top = static_cast<int>(std::lround(head.hairTopY * sy - hairAt));
    framing.frameTopLeft = QPoint(keepInPicture(left, frame.width(), scaled.width()),
                                  keepInPicture(top, frame.height(), scaled.height()));
    return framing;
}

FramedAxis PlaceFrameOnAxis(int scaled, int view, int frameInPicture, int frameInView)
{
    FramedAxis axis;
    double ratio = axis.scrollRatio;
    const AxisLayout layout = LayoutAxis(scaled, view, ratio);
    if (!layout.scrolls) {
        axis.frameInView = frameInPicture + layout.margin;
        return axis;
    }
    const int position = std::clamp(frameInPicture - frameInView, 0, layout.maximum);
    // The middle of the position's span: LayoutAxis truncates maximum × ratio
    // back to exactly this position, and position 0 is not read as unset.
    axis.scrollRatio = (position + 0.5) / layout.maximum;
    axis.frameInView = frameInPicture - position;
    return axis;
}

QString HeadTooSmallMessage()
{
    return QStringLiteral("图片分辨率不足，头像放大后会模糊。");
}
