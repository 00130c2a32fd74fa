#pragma once
// The arithmetic of the view: fitting a picture, laying out one direction of
// the scaled picture in the view (centred with margins, or scrolled), and
// the zoom factors. Plain functions over plain numbers.
#include <QSize>
#include <QtGlobal>

inline constexpr double kTolerance = 1e-7;

// The scale at which a picture of `picture` size fits a view of `view` size
// without being enlarged.
double FitScale(QSize picture, QSize view);

// The scaled picture's size: trunc(size × scale), kept at least 1 × 1.
QSize ScaledSize(QSize picture, double scale);

// Whether a scaled picture of that size may be made (memory bound).
bool ScaledSizeAllowed(QSize scaled);

// One direction (across or down) of the shown picture.
struct AxisLayout {
    bool scrolls = false; // the scroll bar is enabled
    int maximum = 0;      // scroll range 0 .. maximum
    int position = 0;     // scroll position, the first shown back-panel column/row
    int margin = 0;       // offset of the shown picture in the view
    int shown = 0;        // shown extent
    bool clearMargins = false; // margin strips to be cleared (margin ≥ 1)
};

// Lays out a scaled extent in a view extent. `ratio` is the scroll ratio; a
// ratio within the tolerance of 0 counts as unset and becomes 0.5.
AxisLayout LayoutAxis(int scaled, int view, double& ratio);

// The zoom factor of a wheel event: 2 % per notch, smaller away from the user.
double WheelZoomFactor(int notches);

// Wheel notches of a Qt angle delta (eighths of a degree): delta / 120, truncated.
int WheelNotches(int angleDelta);
