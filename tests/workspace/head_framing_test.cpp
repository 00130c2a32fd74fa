#include "workspace/head_framing.h"

#include "workspace/frame_boxes.h"
#include "workspace/view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A head by its width, the eye line's depth below the hair top, and where it stands.
HeadMeasure head(double width, double eyeBelowHair, double centreX, double hairTopY)
{
    HeadMeasure m;
    m.headWidth = width;
    m.faceCentreX = centreX;
    m.hairTopY = hairTopY;
    m.eyeLineY = hairTopY + eyeBelowHair;
    m.face = QRectF(centreX - 0.4 * width, m.eyeLineY - 0.4 * width, 0.8 * width, width);
    return m;
}

// The head in the crop: positions in output pixels, with the frame's corner
// at its whole pixel and the scaled picture at its whole size.
struct InFrame {
    double headWidth;
    double hairRow;
    double eyeRow;
    double faceCentre;
};

InFrame inFrame(const HeadMeasure& h, const HeadFraming& f, QSize picture)
{
    const QSize scaled = ScaledSize(picture, f.scale);
    const double sx = double(scaled.width()) / picture.width();
    const double sy = double(scaled.height()) / picture.height();
    return {h.headWidth * sx, h.hairTopY * sy - f.frameTopLeft.y(), h.eyeLineY * sy - f.frameTopLeft.y(),
            h.faceCentreX * sx - f.frameTopLeft.x()};
}

void expectHeadRules(const HeadMeasure& h, const HeadFraming& f, QSize frame, QSize picture, bool width)
{
    const InFrame in = inFrame(h, f, picture);
    const double w = frame.width();
    const double ht = frame.height();
    if (width) {
        EXPECT_GE(in.headWidth, (kHeadWidthShare - kHeadWidthTolerance) * w);
        EXPECT_LE(in.headWidth, (kHeadWidthShare + kHeadWidthTolerance) * w);
    }
    EXPECT_GE(in.hairRow, kHairTopLeastShare * ht);
    EXPECT_LE(in.hairRow, kHairTopMostShare * ht);
    EXPECT_GE(ht - in.eyeRow, kEyeLineLeastShareAboveBottom * ht);
    EXPECT_LE(std::abs(in.faceCentre - w / 2.0), 0.5);
}

QList<QSize> presetFrames()
{
    QList<QSize> frames;
    for (const SizeType& t : SizeTypes()) {
        if (!t.size.isEmpty())
            frames.append(t.size);
    }
    return frames;
}

struct HeadCase {
    const char* name;
    QSize picture;
    HeadMeasure head;
    friend void PrintTo(const HeadCase& c, std::ostream* os) { *os << c.name; }
};

class HeadRulesTest : public ::testing::TestWithParam<HeadCase> {};

// Heads well inside their pictures: every preset frame gets the head width,
// the hair top, the eye line and the centring, counted in whole pixels.
TEST_P(HeadRulesTest, EveryPresetSizeHoldsTheRules)
{
    const HeadCase& c = GetParam();
    for (const QSize frame : presetFrames()) {
        SCOPED_TRACE(testing::Message() << frame.width() << "x" << frame.height());
        const std::optional<HeadFraming> f = FrameHead(c.head, frame, c.picture);
        ASSERT_TRUE(f.has_value());
        EXPECT_TRUE(f->headWidthHeld);
        EXPECT_FALSE(f->tooEnlarged);
        expectHeadRules(c.head, *f, frame, c.picture, true);
        // Nothing blank: the frame lies inside the scaled picture.
        const QSize scaled = ScaledSize(c.picture, f->scale);
        EXPECT_GE(f->frameTopLeft.x(), 0);
        EXPECT_GE(f->frameTopLeft.y(), 0);
        EXPECT_LE(f->frameTopLeft.x() + frame.width(), scaled.width());
        EXPECT_LE(f->frameTopLeft.y() + frame.height(), scaled.height());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Heads, HeadRulesTest,
    ::testing::Values(HeadCase{"large photo, reduced", {3000, 4000}, head(700, 480, 1500, 1200)},
                      HeadCase{"small photo, enlarged", {600, 800}, head(190, 130, 300, 150)},
                      HeadCase{"off-centre face, odd sizes", {2999, 3001}, head(611.3, 402.7, 1203.6, 977.2)},
                      HeadCase{"short head", {3000, 4000}, head(700, 250, 1500, 1200)},
                      HeadCase{"long head, within what the tolerances absorb", {3000, 4000},
                               head(700, 760, 1500, 1200)}));

// The resident-ID size, 358 × 441: how a long head is fitted, step by step.
struct LongHeadCase {
    const char* name;
    double eyeBelowHair; // for a head 700 wide
    bool scaleKept;      // the head keeps its aimed width
    bool hairAtMiddle;   // the hair top stays in the middle of its band
    bool widthHeld;
    friend void PrintTo(const LongHeadCase& c, std::ostream* os) { *os << c.name; }
};

class LongHeadTest : public ::testing::TestWithParam<LongHeadCase> {};

TEST_P(LongHeadTest, TheHairRisesThenTheScaleShrinks)
{
    const LongHeadCase& c = GetParam();
    const QSize frame(358, 441);
    const QSize picture(3000, 4000);
    const HeadMeasure h = head(700, c.eyeBelowHair, 1500, 1200);
    const std::optional<HeadFraming> f = FrameHead(h, frame, picture);
    ASSERT_TRUE(f.has_value());
    const double aimed = kHeadWidthShare * frame.width() / h.headWidth;
    EXPECT_EQ(std::abs(f->scale - aimed) < 1e-12, c.scaleKept) << f->scale << " " << aimed;
    if (!c.scaleKept) {
        EXPECT_LT(f->scale, aimed);
    }
    const InFrame in = inFrame(h, *f, picture);
    EXPECT_EQ(std::abs(in.hairRow - 14.0) <= 0.5, c.hairAtMiddle) << in.hairRow;
    EXPECT_EQ(f->headWidthHeld, c.widthHeld);
    expectHeadRules(h, *f, frame, picture, c.widthHeld);
    if (!c.widthHeld) {
        EXPECT_LT(in.headWidth, 193);
    }
}

// At 207 pixels for a head 700 wide, the eye line may lie 219 pixels below a
// hair top at 14, 225 below one at 7.5 (half a pixel kept for rounding).
INSTANTIATE_TEST_SUITE_P(
    Cases, LongHeadTest,
    ::testing::Values(LongHeadCase{"room to spare", 600, true, true, true},
                      LongHeadCase{"the hair rises in its band", 222.0 * 700 / 207, true, false, true},
                      LongHeadCase{"the scale shrinks within the tolerance", 235.0 * 700 / 207, false, false, true},
                      LongHeadCase{"beyond the tolerance", 1400, false, false, false}));

struct EdgeCase {
    const char* name;
    QSize picture;
    HeadMeasure head;
    int pinnedLeft;  // -1 free, 0 at the left edge, 1 at the right edge
    int pinnedTop;   // -1 free, 0 at the top, 1 at the bottom
    friend void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }
};

class EdgeTest : public ::testing::TestWithParam<EdgeCase> {};

// Near an edge the frame stops at the picture's edge; on the other axis the
// head keeps its place.
TEST_P(EdgeTest, TheFrameStopsAtThePicturesEdge)
{
    const EdgeCase& c = GetParam();
    for (const QSize frame : presetFrames()) {
        SCOPED_TRACE(testing::Message() << frame.width() << "x" << frame.height());
        const std::optional<HeadFraming> f = FrameHead(c.head, frame, c.picture);
        ASSERT_TRUE(f.has_value());
        const QSize scaled = ScaledSize(c.picture, f->scale);
        const QPoint at = f->frameTopLeft;
        const int lastLeft = scaled.width() - frame.width();
        const int lastTop = scaled.height() - frame.height();
        ASSERT_GE(lastLeft, 0);
        ASSERT_GE(lastTop, 0);
        EXPECT_GE(at.x(), 0);
        EXPECT_LE(at.x(), lastLeft);
        EXPECT_GE(at.y(), 0);
        EXPECT_LE(at.y(), lastTop);
        const InFrame in = inFrame(c.head, *f, c.picture);
        if (c.pinnedLeft < 0) {
            EXPECT_LE(std::abs(in.faceCentre - frame.width() / 2.0), 0.5);
        } else {
            EXPECT_EQ(at.x(), c.pinnedLeft == 0 ? 0 : lastLeft);
        }
        if (c.pinnedTop < 0) {
            EXPECT_GE(in.hairRow, kHairTopLeastShare * frame.height());
            EXPECT_LE(in.hairRow, kHairTopMostShare * frame.height());
        } else {
            EXPECT_EQ(at.y(), c.pinnedTop == 0 ? 0 : lastTop);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, EdgeTest,
    ::testing::Values(EdgeCase{"face at the left edge", {3000, 4000}, head(700, 480, 200, 1200), 0, -1},
                      EdgeCase{"face at the right edge", {3000, 4000}, head(700, 480, 2850, 1200), 1, -1},
                      EdgeCase{"hair at the top edge", {3000, 4000}, head(700, 480, 1500, 10), -1, 0},
                      EdgeCase{"head low in the picture", {3000, 4000}, head(700, 480, 1500, 3500), -1, 1},
                      EdgeCase{"top-left corner", {3000, 4000}, head(700, 480, 100, 0), 0, 0}));

// A picture smaller than the frame at the framing's scale: the frame covers
// it whole, keeping the head as close to its place as that allows.
TEST(HeadFraming, APictureSmallerThanTheFrameIsCoveredWhole)
{
    const QSize picture(500, 560);
    const HeadMeasure h = head(330, 220, 260, 40);
    for (const QSize frame : presetFrames()) {
        SCOPED_TRACE(testing::Message() << frame.width() << "x" << frame.height());
        const std::optional<HeadFraming> f = FrameHead(h, frame, picture);
        ASSERT_TRUE(f.has_value());
        const QSize scaled = ScaledSize(picture, f->scale);
        ASSERT_LT(scaled.width(), frame.width());
        ASSERT_LT(scaled.height(), frame.height());
        EXPECT_LE(f->frameTopLeft.x(), 0);
        EXPECT_GE(f->frameTopLeft.x() + frame.width(), scaled.width());
        EXPECT_LE(f->frameTopLeft.y(), 0);
        EXPECT_GE(f->frameTopLeft.y() + frame.height(), scaled.height());
    }
}

struct EnlargementCase {
    double scale; // the scale the head width asks for
    bool refused;
};

TEST(HeadFraming, AHeadEnlargedMoreThanOneAndAHalfTimesIsRefused)
{
    for (const QSize frame : presetFrames()) {
        for (const EnlargementCase c : {EnlargementCase{0.3, false}, EnlargementCase{1.0, false},
                                        EnlargementCase{1.49, false}, EnlargementCase{1.51, true},
                                        EnlargementCase{4.0, true}}) {
            SCOPED_TRACE(testing::Message() << frame.width() << "x" << frame.height() << " at " << c.scale);
            const double width = kHeadWidthShare * frame.width() / c.scale;
            const std::optional<HeadFraming> f = FrameHead(head(width, 0.6 * width, 1000, 400), frame, {2000, 2000});
            ASSERT_TRUE(f.has_value());
            EXPECT_NEAR(f->scale, c.scale, 1e-9);
            EXPECT_EQ(f->tooEnlarged, c.refused);
        }
    }
    EXPECT_EQ(HeadTooSmallMessage(), QStringLiteral("图片分辨率不足，头像放大后会模糊。"));
}

// The finder measures a reduced copy; carried over to the whole picture the
// head frames as if measured there.
TEST(HeadFraming, AHeadMeasuredOnAReducedCopyFramesAsOnTheWhole)
{
    const QSize whole(3000, 4000);
    const HeadMeasure onWhole = head(700, 480, 1500, 1200);
    for (const double reduced : {0.25, 0.2, 1.0 / 3.0}) {
        SCOPED_TRACE(reduced);
        HeadMeasure onCopy = head(700 * reduced, 480 * reduced, 1500 * reduced, 1200 * reduced);
        onCopy.face = QRectF(onWhole.face.topLeft() * reduced, onWhole.face.size() * reduced);
        const HeadMeasure carried = ScaledHeadMeasure(onCopy, 1.0 / reduced, 1.0 / reduced);
        EXPECT_NEAR(carried.face.left(), onWhole.face.left(), 1e-9);
        EXPECT_NEAR(carried.face.bottom(), onWhole.face.bottom(), 1e-9);
        for (const QSize frame : presetFrames()) {
            const std::optional<HeadFraming> a = FrameHead(carried, frame, whole);
            const std::optional<HeadFraming> b = FrameHead(onWhole, frame, whole);
            ASSERT_TRUE(a.has_value() && b.has_value());
            EXPECT_NEAR(a->scale, b->scale, 1e-12);
            EXPECT_EQ(a->frameTopLeft, b->frameTopLeft);
        }
    }
    // Across with the first factor, down with the second.
    const HeadMeasure stretched = ScaledHeadMeasure(onWhole, 2.0, 3.0);
    EXPECT_DOUBLE_EQ(stretched.headWidth, 2.0 * onWhole.headWidth);
    EXPECT_DOUBLE_EQ(stretched.faceCentreX, 2.0 * onWhole.faceCentreX);
    EXPECT_DOUBLE_EQ(stretched.eyeLineY, 3.0 * onWhole.eyeLineY);
    EXPECT_DOUBLE_EQ(stretched.hairTopY, 3.0 * onWhole.hairTopY);
    EXPECT_EQ(stretched.face, QRectF(2.0 * onWhole.face.left(), 3.0 * onWhole.face.top(), 2.0 * onWhole.face.width(),
                                     3.0 * onWhole.face.height()));
}

TEST(HeadFraming, WhatIsNotAHeadGetsNoFraming)
{
    const QSize frame(358, 441);
    const QSize picture(1000, 1000);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    HeadMeasure noWidth = head(300, 200, 500, 300);
    noWidth.headWidth = 0;
    HeadMeasure eyesAboveHair = head(300, 200, 500, 300);
    eyesAboveHair.eyeLineY = 250;
    HeadMeasure notANumber = head(300, 200, 500, 300);
    notANumber.faceCentreX = nan;
    for (const HeadMeasure& m : {noWidth, eyesAboveHair, notANumber})
        EXPECT_FALSE(FrameHead(m, frame, picture).has_value());
    EXPECT_FALSE(FrameHead(head(300, 200, 500, 300), QSize(0, 441), picture).has_value());
    EXPECT_FALSE(FrameHead(head(300, 200, 500, 300), frame, QSize()).has_value());
}

struct AxisCase {
    const char* name;
    int scaled;
    int view;
    int frameInPicture;
    int frameInView;
    int expectedInView;
    friend void PrintTo(const AxisCase& c, std::ostream* os) { *os << c.name; }
};

class PlaceFrameTest : public ::testing::TestWithParam<AxisCase> {};

// The view laid out with the ratio shows the framed pixel at the frame's edge.
TEST_P(PlaceFrameTest, TheFramedPixelIsUnderTheFrame)
{
    const AxisCase& c = GetParam();
    const FramedAxis placed = PlaceFrameOnAxis(c.scaled, c.view, c.frameInPicture, c.frameInView);
    EXPECT_EQ(placed.frameInView, c.expectedInView);
    double ratio = placed.scrollRatio;
    const AxisLayout layout = LayoutAxis(c.scaled, c.view, ratio);
    EXPECT_EQ(placed.frameInView - layout.margin + layout.position, c.frameInPicture);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceFrameTest,
    ::testing::Values(AxisCase{"scrolls, the frame stays", 3000, 900, 1200, 300, 300},
                      AxisCase{"scrolled to the start", 3000, 900, 100, 300, 100},
                      AxisCase{"exactly at the start", 3000, 900, 300, 300, 300},
                      AxisCase{"scrolled to the end", 3000, 900, 2700, 300, 600},
                      AxisCase{"exactly at the end", 3000, 900, 2400, 300, 300},
                      AxisCase{"one pixel of scrolling", 901, 900, 1, 0, 0},
                      AxisCase{"centred, the frame moves", 600, 900, 40, 300, 190},
                      AxisCase{"as large as the view", 900, 900, 40, 300, 40},
                      AxisCase{"frame beyond a small picture", 300, 900, -29, 100, 271},
                      AxisCase{"frame larger than the view", 5000, 400, 2000, 10, 10}));

} // namespace
