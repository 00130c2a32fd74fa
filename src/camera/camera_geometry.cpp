#include "camera/camera_geometry.h"

#include "workspace/head_framing.h"
#include "workspace/view_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Margin kept around the frame on each side of the dominant direction.
constexpr int kFrameMargin = 15;
// The group reaches this far beyond the preview (capture control at 10, 16
// inside it, with the group's own borders).
constexpr int kGroupBeyondPreviewWidth = 22;
constexpr int kGroupBeyondPreviewHeight = 27;
constexpr QPoint kGroupCorner{4, 4};
constexpr QPoint kCaptureCorner{10, 16};
constexpr int kButtonWidth = 116;
constexpr int kBarThickness = 9;

int toInt(double v)
{
    return static_cast<int>(v);
}

PreviewSize previewFromWidth(int width, double aspect)
{
    return {width, toInt(width * aspect)};
}

PreviewSize previewFromHeight(int height, double aspect)
{
    return {toInt(height / aspect), height};
}
} // namespace

QSize CameraClientForPreview(PreviewSize preview)
{
    return QSize(preview.width, preview.height) + kCameraClientBeyondPreview;
}

PreviewSize PreviewForCameraClient(QSize client)
{
    const QSize p = client - kCameraClientBeyondPreview;
    return {p.width(), p.height()};
}

PreviewSize FitPreview(int frameWidth, int frameHeight, double aspect)
{
    const int wm = frameWidth + 2 * kFrameMargin;
    const int hm = frameHeight + 2 * kFrameMargin;
    if (static_cast<double>(hm) / wm - aspect <= kTolerance)
        return previewFromWidth(wm - kDesignPreviewSize.width > kTolerance ? wm : kDesignPreviewSize.width, aspect);
    return previewFromHeight(hm - kDesignPreviewSize.height > kTolerance ? hm : kDesignPreviewSize.height, aspect);
}

PreviewSize FollowFrameWidth(int frameWidth, int frameHeight, double aspect, PreviewSize current)
{
    const int wm = frameWidth + 2 * kFrameMargin;
    if (wm - current.width > kTolerance)
        return previewFromWidth(wm, aspect);
    return FitPreview(frameWidth, frameHeight, aspect);
}

PreviewSize FollowFrameHeight(int frameWidth, int frameHeight, double aspect, PreviewSize current)
{
    const int hm = frameHeight + 2 * kFrameMargin;
    if (hm - current.height > kTolerance)
        return previewFromHeight(hm, aspect);
    return FitPreview(frameWidth, frameHeight, aspect);
}

PreviewResize ResizePreview(QSize client, QSize lastClient, double aspect)
{
    // Client and outer sizes differ by a constant, so the changes are the same.
    const int dw = std::abs(client.width() - lastClient.width());
    const int dh = std::abs(client.height() - lastClient.height());
    const PreviewSize offered = PreviewForCameraClient(client);
    if (dw < dh)
        return {ResizeDriver::Height, previewFromHeight(offered.height, aspect)};
    return {ResizeDriver::Width, previewFromWidth(offered.width, aspect)};
}

CameraLayout LayoutCameraWindow(PreviewSize preview)
{
    CameraLayout l;
    l.captureControl = QRect(kCaptureCorner, QSize(preview.width, preview.height));
    const int gw = preview.width + kGroupBeyondPreviewWidth;
    const int gh = preview.height + kGroupBeyondPreviewHeight;
    l.group = QRect(kGroupCorner, QSize(gw, gh));
    l.checkBox = QRect(7, gh + 7, 137, 20);

    const int left = gw + 11;
    l.deviceSettingsButton = QRect(left, 11, kButtonWidth, 24);
    l.videoFormatButton = QRect(left, 39, kButtonWidth, 24);
    l.fastSettingsButton = QRect(left, 67, kButtonWidth, 24);
    const int shootHeight = 78;
    const int shootTop = gh + 22 - shootHeight;
    l.shootButton = QRect(left, shootTop, kButtonWidth, shootHeight);

    // The move buttons sit as a cross, centred on the button column and
    // halfway down between the fast-capture settings button and the shoot button.
    const int cx = left + 58;
    const int cy = (shootTop + 91) / 2;
    l.leftButton = QRect(cx - 46, cy - 14, 32, 28);
    l.rightButton = QRect(cx + 14, cy - 14, 32, 28);
    l.upButton = QRect(cx - 14, cy - 46, 28, 32);
    l.downButton = QRect(cx - 14, cy + 14, 28, 32);
    return l;
}

QPoint CentredPreviewFrame(PreviewSize preview, QPoint captureCorner, int frameWidth, int frameHeight)
{
    // Halves in double precision: an odd difference and a frame larger than
    // the preview both truncate toward zero, not down.
    return {toInt(preview.width / 2.0 - frameWidth / 2.0 + captureCorner.x()),
            toInt(preview.height / 2.0 - frameHeight / 2.0 + captureCorner.y())};
}

PreviewFrameUnits PreviewFrameUnitsAt(QPoint frame, int frameWidth, int frameHeight)
{
    const int x = frame.x();
    const int y = frame.y();
    PreviewFrameUnits u;
    u.panel = QRect(x, y, frameWidth, frameHeight);
    u.leftBar = QRect(x - 10, y - 10, kBarThickness, frameHeight + 20);
    u.topBar = QRect(x - 10, y - 10, frameWidth + 20, kBarThickness);
    u.bottomBar = QRect(x - 10, y + frameHeight + 1, frameWidth + 20, kBarThickness);
    u.rightBar = QRect(x + frameWidth + 5, y - 10, kBarThickness, frameHeight + 20);
    return u;
}

QPoint LimitPreviewFrameDrag(QPoint wanted, QSize group, int frameWidth, int frameHeight)
{
    // Lower limit first, then the upper one, so the upper one wins.
    int x = wanted.x();
    if (x < 11)
        x = 11;
    if (x > group.width() - 10 - frameWidth - 6)
        x = group.width() - 10 - frameWidth - 6;
    int y = wanted.y();
    if (y < 17)
        y = 17;
    if (y > group.height() - 10 - frameHeight - 2)
        y = group.height() - 10 - frameHeight - 2;
    return {x, y};
}

std::optional<QPoint> PreviewFrameOnHead(const HeadMeasure& head, QSize picture, PreviewSize preview, int frameWidth,
                                         int frameHeight)
{
    const bool finite = std::isfinite(head.headWidth) && std::isfinite(head.eyeLineY) &&
                        std::isfinite(head.hairTopY) && std::isfinite(head.faceCentreX);
    if (!finite || head.headWidth <= 0.0 || head.eyeLineY < head.hairTopY || picture.isEmpty() ||
        preview.width <= 0 || preview.height <= 0 || frameWidth <= 0 || frameHeight <= 0)
        return std::nullopt;
    // The preview stretches the picture to its own size on each axis.
    const double fx = double(preview.width) / picture.width();
    const double fy = double(preview.height) / picture.height();
    const double w = frameWidth;
    const double h = frameHeight;
    const double headWidth = head.headWidth * fx;
    const double hairTop = head.hairTopY * fy;
    const double eyeLine = head.eyeLineY * fy;
    const double eyeBelowHair = eyeLine - hairTop;
    // As in FrameHead, the limits are aimed half a pixel inside for the rounding.
    const double hairMiddle = (kHairTopLeastShare + kHairTopMostShare) / 2.0 * h;
    const double hairLeast = kHairTopLeastShare * h + 0.5;
    const double eyeLimit = (1.0 - kEyeLineLeastShareAboveBottom) * h - 0.5;

    double top = 0.0;
    if (std::abs(headWidth - kHeadWidthShare * w) <= kHeadWidthTolerance * w) {
        double hairAt = hairMiddle;
        if (hairAt + eyeBelowHair > eyeLimit)
            hairAt = std::max(hairLeast, eyeLimit - eyeBelowHair);
        top = hairTop - hairAt;
    } else {
        // Where the eyes of this head would be, scaled to the right width.
        const double sized = kHeadWidthShare * w / headWidth;
        top = eyeLine - std::min(hairMiddle + eyeBelowHair * sized, eyeLimit);
    }
    const CameraLayout layout = LayoutCameraWindow(preview);
    const QPoint wanted(static_cast<int>(std::lround(head.faceCentreX * fx - w / 2.0)),
                        static_cast<int>(std::lround(top)));
    return LimitPreviewFrameDrag(wanted + layout.captureControl.topLeft(), layout.group.size(), frameWidth,
                                 frameHeight);
}
