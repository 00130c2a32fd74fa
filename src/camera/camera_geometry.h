#pragma once
// The camera window's geometry: how large its preview is for a given capture
// frame, how the window snaps back to the device's aspect when resized, where
// its units go, and where the copy of the capture frame drawn on the preview
// (the preview frame) sits. Plain functions over plain numbers; "aspect" is
// the device picture's height divided by its width, and every conversion to
// an integer truncates toward zero.
//
// Client sizes. The window works in client sizes, as the main window does, so
// the border allowances ncW and ncH drop out. The design window is 575 × 399
// outside for the 412 × 309 design preview. Its border on the system it was
// designed on is 8 across, the same sizing border as the main window's, and
// 34 down: the main window's 54 less its 20-pixel menu bar, which this window
// does not have. So the client is the preview plus 155 × 56, 567 × 365 at
// design size. That holds every unit: the buttons end at pw + 149 (left edge
// gw + 11, 116 wide, gw = pw + 22) and the check box at ph + 54 (top gh + 7,
// 20 high, gh = ph + 27).
//
// The repeat rule of the move buttons is MoveTickMoves (workspace/frame_drag.h),
// shared with the main window's move buttons.
#include "imaging/head_measure.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

struct PreviewSize {
    int width = 0;
    int height = 0;
    bool operator==(const PreviewSize&) const = default;
};

inline constexpr PreviewSize kDesignPreviewSize{412, 309};
inline constexpr QSize kCameraClientBeyondPreview{155, 56};

QSize CameraClientForPreview(PreviewSize preview);
PreviewSize PreviewForCameraClient(QSize client);

// The preview for a frame of frameWidth × frameHeight: at least 15 pixels
// around the frame in its dominant direction and never smaller than 412 × 309
// in that direction; the other side follows the aspect. A frame whose ratio
// with its margin equals the aspect (within the tolerance) counts as wide.
PreviewSize FitPreview(int frameWidth, int frameHeight, double aspect);

// After the frame width changed: a frame that no longer fits the current
// preview width widens the preview to it (the height follows the aspect);
// otherwise the preview is fitted afresh as by FitPreview.
PreviewSize FollowFrameWidth(int frameWidth, int frameHeight, double aspect, PreviewSize current);
// The mirror image for a changed frame height.
PreviewSize FollowFrameHeight(int frameWidth, int frameHeight, double aspect, PreviewSize current);

enum class ResizeDriver { Width, Height };

struct PreviewResize {
    ResizeDriver driver = ResizeDriver::Width;
    PreviewSize preview;
    bool operator==(const PreviewResize&) const = default;
};

// The user resized the window's client to `client` from `lastClient`, the size
// the program last set. The side that changed more drives (the width on a tie)
// and the other follows the aspect; the window then snaps to
// CameraClientForPreview(result.preview). There is no minimum size.
PreviewResize ResizePreview(QSize client, QSize lastClient, double aspect);

// Window units in client coordinates; the capture control in group coordinates.
struct CameraLayout {
    QRect group;
    QRect captureControl;
    QRect checkBox;
    QRect deviceSettingsButton;
    QRect videoFormatButton;
    QRect fastSettingsButton;
    QRect shootButton;
    QRect upButton;
    QRect downButton;
    QRect leftButton;
    QRect rightButton;
};

CameraLayout LayoutCameraWindow(PreviewSize preview);

// The preview frame's top-left corner, in group coordinates, that centres a
// frame of frameWidth × frameHeight in a preview whose capture control has its
// top-left corner at `captureCorner`.
QPoint CentredPreviewFrame(PreviewSize preview, QPoint captureCorner, int frameWidth, int frameHeight);

// The frame panel and the four bars (9 thick) around a preview frame at
// `frame`, all in group coordinates. The left, top and bottom bars leave a
// 1-pixel gap to the frame, the right bar a 5-pixel gap.
struct PreviewFrameUnits {
    QRect panel;
    QRect leftBar;
    QRect topBar;
    QRect bottomBar;
    QRect rightBar;
};

PreviewFrameUnits PreviewFrameUnitsAt(QPoint frame, int frameWidth, int frameHeight);

// Where a dragged preview frame stops: x within [11, gw − 16 − frameWidth] and
// y within [17, gh − 12 − frameHeight] for a group of gw × gh. When the upper
// limit is below the lower one, the upper limit wins.
QPoint LimitPreviewFrameDrag(QPoint wanted, QSize group, int frameWidth, int frameHeight);

// Where the preview frame goes to frame a head found in the device's picture
// of size `picture`, which the preview shows stretched to its own size; the
// corner is in group coordinates. The camera cannot zoom, so the frame is
// only placed: the face centred across and, for a head whose width is within
// the framing rule's tolerance of the frame, the top of the hair at the
// middle of its band (risen towards the band's top when the eye line would be
// too low). A head too wide or too narrow for the frame is placed by its eye
// line instead, at the height the rule gives the eye line of a head of the
// right width. The corner is then held within LimitPreviewFrameDrag's limits.
// Nothing for a measure that is not a head or an empty picture or frame.
std::optional<QPoint> PreviewFrameOnHead(const HeadMeasure& head, QSize picture, PreviewSize preview, int frameWidth,
                                         int frameHeight);
