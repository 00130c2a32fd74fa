#include "workspace/frame_drag.h"

namespace {

bool within(int v, int low, int high)
{
    return v >= low && v <= high;
}

constexpr int kMinimumDragSide = 10;

} // namespace

FrameDrag FrameZoneAt(const FrameState& f, QPoint p)
{
    const int l = f.frameLeft, t = f.frameTop, w = f.frameWidth, h = f.frameHeight;
    const int x = p.x(), y = p.y();
    struct Zone {
        int x0, x1, y0, y1;
        FrameDrag mode;
    };
    const Zone zones[] = {
        {l + 1, l + w - 1, t + 1, t + h - 1, FrameDrag::Move},
        {l - 2, l, t + 2, t + h - 2, FrameDrag::Left},
        {l + w, l + w + 2, t + 2, t + h - 2, FrameDrag::Right},
        {l + 2, l + w - 2, t - 2, t, FrameDrag::Top},
        {l + 2, l + w - 2, t + h, t + h + 2, FrameDrag::Bottom},
        {l - 2, l, t - 2, t, FrameDrag::TopLeft},
        {l + w, l + w + 2, t + h, t + h + 2, FrameDrag::BottomRight},
        {l + w, l + w + 2, t - 2, t, FrameDrag::TopRight},
        {l - 2, l, t + h, t + h + 2, FrameDrag::BottomLeft},
    };
    for (const Zone& z : zones) {
        if (within(x, z.x0, z.x1) && within(y, z.y0, z.y1))
            return z.mode;
    }
    return FrameDrag::None;
}

DragStep ApplyDragStep(FrameState& f, FrameDrag mode, int dx, int dy)
{
    const int n = kMinimumDragSide;
    const bool leftTooFar = dx > f.frameWidth - n;     // the left edge passing the limit
    const bool rightTooFar = dx < n - f.frameWidth;    // the right edge passing the limit
    const bool topTooFar = dy > f.frameHeight - n;
    const bool bottomTooFar = dy < n - f.frameHeight;
    bool stops = false;
    switch (mode) {
    case FrameDrag::Left: stops = leftTooFar; break;
    case FrameDrag::Right: stops = rightTooFar; break;
    case FrameDrag::Top: stops = topTooFar; break;
    case FrameDrag::Bottom: stops = bottomTooFar; break;
    case FrameDrag::TopLeft: stops = leftTooFar || topTooFar; break;
    case FrameDrag::BottomRight: stops = rightTooFar || bottomTooFar; break;
    case FrameDrag::TopRight: stops = rightTooFar || topTooFar; break;
    case FrameDrag::BottomLeft: stops = leftTooFar || bottomTooFar; break;
    case FrameDrag::Move:
    case FrameDrag::None: break;
    }
    if (stops)
        return DragStep::Stopped;

    switch (mode) {
    case FrameDrag::Move:
        f.frameLeft += dx;
        f.frameTop += dy;
        break;
    case FrameDrag::Left:
    case FrameDrag::TopLeft:
    case FrameDrag::BottomLeft:
        f.frameWidth -= dx;
        f.frameLeft += dx;
        break;
    case FrameDrag::Right:
    case FrameDrag::BottomRight:
    case FrameDrag::TopRight:
        f.frameWidth += dx;
        break;
    default: break;
    }
    switch (mode) {
    case FrameDrag::Top:
    case FrameDrag::TopLeft:
    case FrameDrag::TopRight:
        f.frameHeight -= dy;
        f.frameTop += dy;
        break;
    case FrameDrag::Bottom:
    case FrameDrag::BottomRight:
    case FrameDrag::BottomLeft:
        f.frameHeight += dy;
        break;
    default: break;
    }
    return DragStep::Applied;
}

bool ChangesWidth(FrameDrag mode)
{
    return mode == FrameDrag::Left || mode == FrameDrag::Right || mode == FrameDrag::TopLeft ||
           mode == FrameDrag::BottomRight || mode == FrameDrag::TopRight || mode == FrameDrag::BottomLeft;
}

bool ChangesHeight(FrameDrag mode)
{
    return mode == FrameDrag::Top || mode == FrameDrag::Bottom || mode == FrameDrag::TopLeft ||
           mode == FrameDrag::BottomRight || mode == FrameDrag::TopRight || mode == FrameDrag::BottomLeft;
}

bool IsResize(FrameDrag mode)
{
    return mode != FrameDrag::None && mode != FrameDrag::Move;
}

bool MoveTickMoves(int& moveTicks)
{
    moveTicks += 1;
    return moveTicks >= 10;
}
