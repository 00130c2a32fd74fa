#include "workspace/view_geometry.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr qint64 kMaxScaledPixels = 120'000'000; // 480 MB of pixels
constexpr int kMaxScaledSide = 32000;
} // namespace

double FitScale(QSize picture, QSize view)
{
    const double w = picture.width();
    const double h = picture.height();
    const double vw = view.width();
    const double vh = view.height();
    if (w <= 0 || h <= 0 || vw <= 0 || vh <= 0)
        return 1.0;
    if (w / h - vw / vh >= -kTolerance)
        return w > vw ? vw / w : 1.0;
    return h > vh ? vh / h : 1.0;
}

static int scaledExtent(int extent, double scale)
{
    const double v = std::trunc(extent * scale);
    if (!(v >= 1.0)) // also catches NaN
        return 1;
    return v > kMaxScaledSide * 4.0 ? kMaxScaledSide * 4 : static_cast<int>(v);
}

QSize ScaledSize(QSize picture, double scale)
{
    return {scaledExtent(picture.width(), scale), scaledExtent(picture.height(), scale)};
}

bool ScaledSizeAllowed(QSize scaled)
{
    return scaled.width() <= kMaxScaledSide && scaled.height() <= kMaxScaledSide &&
           qint64(scaled.width()) * scaled.height() <= kMaxScaledPixels;
}

AxisLayout LayoutAxis(int scaled, int view, double& ratio)
{
    AxisLayout a;
    if (scaled < view) {
        a.margin = (view - scaled) / 2;
        if (a.margin < 1)
            a.margin = 0;
        a.clearMargins = a.margin >= 1;
        a.shown = scaled;
    } else if (scaled == view) {
        a.shown = scaled;
    } else {
        a.scrolls = true;
        a.maximum = scaled - view;
        if (std::abs(ratio) <= kTolerance)
            ratio = 0.5;
        a.position = static_cast<int>(a.maximum * ratio);
        a.position = std::clamp(a.position, 0, a.maximum);
        a.shown = view;
    }
    return a;
}

double WheelZoomFactor(int notches)
{
    return 1.0 - 0.02 * notches;
}

int WheelNotches(int angleDelta)
{
    return angleDelta / 120;
}
