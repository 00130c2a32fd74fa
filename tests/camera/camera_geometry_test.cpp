#include "camera/camera_geometry.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages (found by argument-dependent lookup).
static void PrintTo(const PreviewSize& p, std::ostream* os)
{
    *os << p.width << " × " << p.height;
}

static void PrintTo(const QPoint& p, std::ostream* os)
{
    *os << '(' << p.x() << ", " << p.y() << ')';
}

static void PrintTo(const QRect& r, std::ostream* os)
{
    *os << '(' << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ')';
}

namespace {

struct FitCase {
    const char* what;
    double aspect;
    int frameWidth, frameHeight;
    PreviewSize preview;
};

TEST(CameraPreviewFit, KeepsTheMarginAndTheMinimumInTheDominantDirection)
{
    const FitCase cases[] = {
        {"tall frame: 471 ÷ 388 > 0.75, the height leads", 0.75, 358, 441, {628, 471}},
        {"small wide frame: the minimum width", 0.75, 100, 60, {412, 309}},
        {"small tall frame: the minimum height", 0.75, 100, 200, {412, 309}},
        {"frame wider than the minimum: 530 × trunc(397.5)", 0.75, 500, 300, {530, 397}},
        {"frame taller than the minimum: trunc(573.3) × 430", 0.75, 200, 400, {573, 430}},
        {"one pixel past the minimum width", 0.75, 383, 60, {413, 309}},
        // 300 ÷ 500 − 0.6 is exactly 0: the width leads (the height would give 515 × 309).
        {"equal ratios take the width branch", 0.6, 470, 270, {500, 300}},
        // 300 ÷ 400 = 0.75; the difference from the aspect decides the branch.
        {"ratio above the aspect within the tolerance counts as wide", 0.75 - 5e-8, 370, 270, {412, 308}},
        {"ratio above the aspect beyond the tolerance counts as tall", 0.75 - 2e-7, 370, 270, {412, 309}},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(FitPreview(c.frameWidth, c.frameHeight, c.aspect), c.preview) << c.what;
}

struct FollowCase {
    const char* what;
    int frameWidth, frameHeight;
    PreviewSize current;
    PreviewSize preview;
};

TEST(CameraPreviewFollow, AWiderFrameWidensThePreviewElseItIsFittedAfresh)
{
    const FollowCase cases[] = {
        // A fresh fit of 400 × 441 would give 628 × 471.
        {"the frame outgrows the width: 430 × trunc(322.5)", 400, 441, {412, 309}, {430, 322}},
        {"one pixel past the current width", 471, 400, {500, 375}, {501, 375}},
        // A width-led follow would keep 500 × 375.
        {"exactly the current width refits, here by the height", 470, 400, {500, 375}, {573, 430}},
        {"a narrower frame shrinks back to the fit", 100, 60, {628, 471}, {412, 309}},
    };
    for (const FollowCase& c : cases)
        EXPECT_EQ(FollowFrameWidth(c.frameWidth, c.frameHeight, 0.75, c.current), c.preview) << c.what;
}

TEST(CameraPreviewFollow, ATallerFrameHeightensThePreviewElseItIsFittedAfresh)
{
    const FollowCase cases[] = {
        // A fresh fit of 500 × 300 would give 530 × 397.
        {"the frame outgrows the height", 500, 300, {412, 309}, {440, 330}},
        {"the width follows truncated: trunc(441.3)", 100, 301, {412, 309}, {441, 331}},
        // A height-led follow would keep 412 × 309.
        {"exactly the current height refits, here by the width", 500, 279, {412, 309}, {530, 397}},
        {"a shorter frame shrinks back to the fit", 100, 60, {628, 471}, {412, 309}},
    };
    for (const FollowCase& c : cases)
        EXPECT_EQ(FollowFrameHeight(c.frameWidth, c.frameHeight, 0.75, c.current), c.preview) << c.what;
}

TEST(CameraClientSize, DesignPreviewGivesTheDesignClientAndBack)
{
    EXPECT_EQ(CameraClientForPreview(kDesignPreviewSize), QSize(567, 365));
    EXPECT_EQ(PreviewForCameraClient(QSize(567, 365)), kDesignPreviewSize);
    EXPECT_EQ(PreviewForCameraClient(CameraClientForPreview({628, 471})), PreviewSize({628, 471}));
}

struct ResizeCase {
    const char* what;
    double aspect;
    QSize client;
    PreviewResize result;
};

TEST(CameraResize, TheSideThatChangedMoreDrivesAndTheOtherSnapsToTheAspect)
{
    const QSize last(567, 365); // preview 412 × 309
    const ResizeCase cases[] = {
        {"wider", 0.75, {667, 365}, {ResizeDriver::Width, {512, 384}}},
        {"narrower", 0.75, {467, 355}, {ResizeDriver::Width, {312, 234}}},
        {"a tie goes to the width: trunc(346.5)", 0.75, {617, 415}, {ResizeDriver::Width, {462, 346}}},
        {"taller more than wider: trunc(478.7)", 0.75, {587, 415}, {ResizeDriver::Height, {478, 359}}},
        {"shorter more than narrower", 0.75, {560, 300}, {ResizeDriver::Height, {325, 244}}},
        // After a device dialog: no change, the width stays and the new aspect gives the height.
        {"unchanged size with a new aspect", 0.5625, {567, 365}, {ResizeDriver::Width, {412, 231}}},
        {"no minimum; truncation toward zero", 0.75, {150, 100}, {ResizeDriver::Width, {-5, -3}}},
    };
    for (const ResizeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const PreviewResize r = ResizePreview(c.client, last, c.aspect);
        EXPECT_EQ(r.driver, c.result.driver);
        EXPECT_EQ(r.preview, c.result.preview);
        // The driving side keeps the size the user gave it.
        const QSize snapped = CameraClientForPreview(r.preview);
        if (r.driver == ResizeDriver::Width)
            EXPECT_EQ(snapped.width(), c.client.width());
        else
            EXPECT_EQ(snapped.height(), c.client.height());
    }
}

TEST(CameraWindowLayout, DesignPreviewGivesTheDesignPlaces)
{
    const CameraLayout l = LayoutCameraWindow(kDesignPreviewSize);
    EXPECT_EQ(l.group, QRect(4, 4, 434, 336));
    EXPECT_EQ(l.captureControl, QRect(10, 16, 412, 309));
    EXPECT_EQ(l.deviceSettingsButton, QRect(445, 11, 116, 24));
    EXPECT_EQ(l.videoFormatButton, QRect(445, 39, 116, 24));
    EXPECT_EQ(l.fastSettingsButton, QRect(445, 67, 116, 24));
    EXPECT_EQ(l.shootButton, QRect(445, 280, 116, 78));
    EXPECT_EQ(l.checkBox, QRect(7, 343, 137, 20));
    // cx = 445 + 58 = 503, cy = trunc(371 ÷ 2) = 185
    EXPECT_EQ(l.leftButton, QRect(457, 171, 32, 28));
    EXPECT_EQ(l.rightButton, QRect(517, 171, 32, 28));
    EXPECT_EQ(l.upButton, QRect(489, 139, 28, 32));
    EXPECT_EQ(l.downButton, QRect(489, 199, 28, 32));
}

TEST(CameraWindowLayout, ALargerPreviewMovesTheColumnAndTheBottomRow)
{
    const CameraLayout l = LayoutCameraWindow({462, 346});
    EXPECT_EQ(l.group, QRect(4, 4, 484, 373));
    EXPECT_EQ(l.captureControl, QRect(10, 16, 462, 346));
    for (const QRect& r : {l.deviceSettingsButton, l.videoFormatButton, l.fastSettingsButton, l.shootButton})
        EXPECT_EQ(r.left(), 495);
    EXPECT_EQ(l.deviceSettingsButton.top(), 11);
    EXPECT_EQ(l.fastSettingsButton.top(), 67);
    EXPECT_EQ(l.shootButton.top(), 317);
    EXPECT_EQ(l.checkBox, QRect(7, 380, 137, 20));
    // cx = 553, cy = trunc(408 ÷ 2) = 204
    EXPECT_EQ(l.leftButton.topLeft(), QPoint(507, 190));
    EXPECT_EQ(l.rightButton.topLeft(), QPoint(567, 190));
    EXPECT_EQ(l.upButton.topLeft(), QPoint(539, 158));
    EXPECT_EQ(l.downButton.topLeft(), QPoint(539, 218));
}

TEST(CameraWindowLayout, EveryUnitFitsTheClientOfItsPreview)
{
    for (const PreviewSize p : {kDesignPreviewSize, PreviewSize{462, 346}, PreviewSize{628, 471}, PreviewSize{530, 397}}) {
        SCOPED_TRACE(testing::PrintToString(p));
        const CameraLayout l = LayoutCameraWindow(p);
        const QRect client(QPoint(0, 0), CameraClientForPreview(p));
        for (const QRect& r : {l.group, l.checkBox, l.deviceSettingsButton, l.videoFormatButton,
                               l.fastSettingsButton, l.shootButton, l.upButton, l.downButton, l.leftButton,
                               l.rightButton})
            EXPECT_TRUE(client.contains(r)) << testing::PrintToString(r);
        EXPECT_TRUE(QRect(QPoint(0, 0), l.group.size()).contains(l.captureControl));
        // The cross of move buttons stays between the settings button and the shoot button.
        EXPECT_GT(l.upButton.top(), l.fastSettingsButton.bottom());
        EXPECT_LT(l.downButton.bottom(), l.shootButton.top());
    }
}

struct CentreCase {
    const char* what;
    PreviewSize preview;
    QPoint corner;
    int frameWidth, frameHeight;
    QPoint frame;
};

TEST(PreviewFrameCentring, HalvesInDoublePrecisionTruncatedTowardZero)
{
    const CentreCase cases[] = {
        {"even differences", {412, 309}, {10, 16}, 120, 144, {156, 98}},
        {"odd differences: 155.5 and 98", {412, 309}, {10, 16}, 121, 145, {155, 98}},
        {"another corner: 156.5 and 105", {413, 310}, {0, 0}, 100, 100, {156, 105}},
        {"frame larger than the preview by an odd amount: 9.5 and 15.5", {100, 80}, {10, 16}, 101, 81, {9, 15}},
        {"frame larger than the preview: −0.5 gives 0", {100, 80}, {10, 16}, 121, 113, {0, 0}},
        {"frame larger than the preview: −10.5 gives −10", {100, 80}, {10, 16}, 141, 133, {-10, -10}},
    };
    for (const CentreCase& c : cases)
        EXPECT_EQ(CentredPreviewFrame(c.preview, c.corner, c.frameWidth, c.frameHeight), c.frame) << c.what;
}

struct BarsCase {
    QPoint frame;
    int frameWidth, frameHeight;
    PreviewFrameUnits units;
};

TEST(PreviewFrameBars, BarsSurroundTheFramePanel)
{
    const BarsCase cases[] = {
        {{156, 98}, 120, 144,
         {{156, 98, 120, 144}, {146, 88, 9, 164}, {146, 88, 140, 9}, {146, 243, 140, 9}, {281, 88, 9, 164}}},
        {{11, 17}, 295, 413,
         {{11, 17, 295, 413}, {1, 7, 9, 433}, {1, 7, 315, 9}, {1, 431, 315, 9}, {311, 7, 9, 433}}},
    };
    for (const BarsCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.frame));
        const PreviewFrameUnits u = PreviewFrameUnitsAt(c.frame, c.frameWidth, c.frameHeight);
        EXPECT_EQ(u.panel, c.units.panel);
        EXPECT_EQ(u.leftBar, c.units.leftBar);
        EXPECT_EQ(u.topBar, c.units.topBar);
        EXPECT_EQ(u.bottomBar, c.units.bottomBar);
        EXPECT_EQ(u.rightBar, c.units.rightBar);
    }
}

struct DragCase {
    const char* what;
    QPoint wanted;
    int frameWidth, frameHeight;
    QPoint frame;
};

TEST(PreviewFrameDrag, StopsInsideTheGroupAndTheUpperLimitWins)
{
    const QSize group(434, 336);
    // Upper limits for a 120 × 144 frame: 434 − 120 − 16 = 298 and 336 − 144 − 12 = 180.
    const DragCase cases[] = {
        {"far to the upper left", {-500, -500}, 120, 144, {11, 17}},
        {"far to the lower right", {5000, 5000}, 120, 144, {298, 180}},
        {"inside", {100, 60}, 120, 144, {100, 60}},
        {"on the lower limits", {11, 17}, 120, 144, {11, 17}},
        {"one past the lower limits", {10, 16}, 120, 144, {11, 17}},
        {"on the upper limits", {298, 180}, 120, 144, {298, 180}},
        {"one past the upper limits", {299, 181}, 120, 144, {298, 180}},
        // Upper limits 434 − 420 − 16 = −2 and 336 − 330 − 12 = −6, below 11 and 17.
        {"frame larger than the group, dragged up left", {-500, -500}, 420, 330, {-2, -6}},
        {"frame larger than the group, dragged inside", {50, 50}, 420, 330, {-2, -6}},
    };
    for (const DragCase& c : cases)
        EXPECT_EQ(LimitPreviewFrameDrag(c.wanted, group, c.frameWidth, c.frameHeight), c.frame) << c.what;
}

struct HeadPlaceCase {
    const char* what;
    HeadMeasure head; // only faceCentreX, headWidth, hairTopY and eyeLineY count
    QSize picture;
    std::optional<QPoint> frame;
};

HeadMeasure Head(double faceCentreX, double headWidth, double hairTopY, double eyeLineY)
{
    HeadMeasure h;
    h.faceCentreX = faceCentreX;
    h.headWidth = headWidth;
    h.hairTopY = hairTopY;
    h.eyeLineY = eyeLineY;
    return h;
}

TEST(PreviewFrameOnHead, CentresTheFaceAndPutsTheHairInItsBandOrTheEyesWhereTheyBelong)
{
    // The design preview, 412 × 309 (capture control at 10, 16; group 434 × 336),
    // and the 160 × 210 frame: a head of the right width is 92.51 ± 6.26 wide,
    // the hair's band middle 6.67 below the frame's top, its top 3.83 with the
    // half-pixel slack, and the eye line at most 110.8 below the top. The drag
    // limits hold the corner within x 11–258 and y 17–114.
    const QSize same(412, 309);
    const HeadPlaceCase cases[] = {
        {"right width: x 200 − 80 + 10, y round(60 − 6.67) + 16", Head(200, 92, 60, 120), same, QPoint(130, 69)},
        {"right width, long head: the hair rises to 110.8 − 106 = 4.8", Head(200, 92, 40, 146), same,
         QPoint(130, 51)},
        {"right width, longer still: the hair stops at the band's top", Head(200, 92, 40, 156), same,
         QPoint(130, 52)},
        {"on the tolerance's edge still counts as the right width", Head(200, 98.7, 60, 120), same, QPoint(130, 69)},
        // 92.51 ÷ 46 = 2.011: the eyes 6.67 + 30 × 2.011 = 67.0 below the top.
        {"too narrow: placed by the eye line", Head(200, 46, 60, 90), same, QPoint(130, 39)},
        // 92.51 ÷ 150 = 0.617: the eyes 6.67 + 100 × 0.617 = 68.3 below the top.
        {"too wide: placed by the eye line", Head(200, 150, 20, 120), same, QPoint(130, 68)},
        // 92.51 ÷ 100 × 120 + 6.67 = 117.7, past 110.8.
        {"too wide and long: the eye line at its lowest", Head(200, 100, 80, 200), same, QPoint(130, 105)},
        {"a head at the upper left: held at the drag limits", Head(30, 92, 0, 60), same, QPoint(11, 17)},
        {"a head at the lower right: held at the drag limits", Head(400, 92, 300, 360), same, QPoint(258, 114)},
        {"a picture twice the preview's size is measured in its own pixels", Head(400, 184, 120, 240),
         QSize(824, 618), QPoint(130, 69)},
        {"a picture stretched down by the preview", Head(200, 92, 120, 240), QSize(412, 618), QPoint(130, 69)},
        {"no width: not a head", Head(200, 0, 60, 120), same, std::nullopt},
        {"eyes above the hair: not a head", Head(200, 92, 120, 60), same, std::nullopt},
        {"no picture", Head(200, 92, 60, 120), QSize(), std::nullopt},
    };
    for (const HeadPlaceCase& c : cases)
        EXPECT_EQ(PreviewFrameOnHead(c.head, c.picture, kDesignPreviewSize, 160, 210), c.frame) << c.what;
}

} // namespace
