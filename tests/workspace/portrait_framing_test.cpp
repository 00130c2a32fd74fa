// The face finder and the framing rule together, on the portrait photographs:
// the crop the framing gives holds the head as the rule wants it, measured
// both by hand (the fixtures' known heads) and by the finder again on the crop.
#include "imaging/opencv_face_finder.h"
#include "support/portraits.h"
#include "workspace/frame_boxes.h"
#include "workspace/head_framing.h"
#include "workspace/view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The output the framing gives: the picture scaled at the framing's scale,
// the frame's rectangle copied out of it.
QImage CropOf(const QImage& picture, const HeadFraming& framing, QSize frame)
{
    const QImage scaled =
        picture.scaled(ScaledSize(picture.size(), framing.scale), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled.copy(QRect(framing.frameTopLeft, frame));
}

struct FramingCase {
    const char* portrait;
    QSize frame;
    bool refused; // the head would be enlarged more than 1.5×
    friend void PrintTo(const FramingCase& c, std::ostream* os)
    {
        *os << c.portrait << " " << c.frame.width() << "x" << c.frame.height();
    }
};

class PortraitFramingTest : public ::testing::TestWithParam<FramingCase> {};

TEST_P(PortraitFramingTest, TheCropHoldsTheHeadAsTheRuleWants)
{
    const FramingCase& c = GetParam();
    const Portrait* portrait = nullptr;
    for (const Portrait& p : Portraits())
        if (QLatin1String(p.name) == QLatin1String(c.portrait))
            portrait = &p;
    ASSERT_NE(portrait, nullptr);
    const QImage picture = LoadPortrait(*portrait);
    OpenCvFaceFinder finder;
    const FaceResult found = finder.find(picture);
    ASSERT_EQ(found.finding, FaceFinding::Found);
    const std::optional<HeadFraming> framing = FrameHead(found.head, c.frame, picture.size());
    ASSERT_TRUE(framing.has_value());
    EXPECT_EQ(framing->tooEnlarged, c.refused) << framing->scale;

    const double w = c.frame.width();
    const double least = (kHeadWidthShare - kHeadWidthTolerance) * w;
    const double most = (kHeadWidthShare + kHeadWidthTolerance) * w;
    // The head measured by hand, carried into the crop.
    const QSize scaled = ScaledSize(picture.size(), framing->scale);
    const double sx = double(scaled.width()) / picture.width();
    EXPECT_NEAR(portrait->eyeMiddleX * sx - framing->frameTopLeft.x(), w / 2.0, 8.0);
    EXPECT_GE(portrait->headWidth * sx, least);
    EXPECT_LE(portrait->headWidth * sx, most);
    const double h = c.frame.height();
    const double sy = double(scaled.height()) / picture.height();
    const double hairRow = portrait->hairTopY * sy - framing->frameTopLeft.y();
    EXPECT_GE(hairRow, kHairTopLeastShare * h);
    EXPECT_LE(hairRow, kHairTopMostShare * h);
    EXPECT_GE(h - (portrait->eyeLineY * sy - framing->frameTopLeft.y()), kEyeLineLeastShareAboveBottom * h);

    // The finder on the crop finds the head centred and as wide as the rule wants.
    const QImage crop = CropOf(picture, *framing, c.frame);
    ASSERT_EQ(crop.size(), c.frame);
    const FaceResult again = finder.find(crop);
    ASSERT_EQ(again.finding, FaceFinding::Found);
    EXPECT_NEAR(again.head.faceCentreX, w / 2.0, 8.0);
    EXPECT_GE(again.head.headWidth, least);
    EXPECT_LE(again.head.headWidth, most);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PortraitFramingTest,
                         ::testing::Values(FramingCase{"astronaut", {358, 441}, true},
                                           FramingCase{"astronaut", {160, 210}, false},
                                           FramingCase{"grace_hopper", {358, 441}, false},
                                           FramingCase{"grace_hopper", {160, 210}, false},
                                           FramingCase{"grace_hopper", {413, 626}, false}));

// A portrait shrunk until its face is small: every preset size would blow the
// head up more than 1.5 times, and the framing says so.
TEST(PortraitFraming, ASmallFaceIsRefusedForEveryPresetSize)
{
    const QImage small(QStringLiteral(IDPHOTO_FIXTURES "/portraits/astronaut_small.jpg"));
    OpenCvFaceFinder finder;
    const FaceResult found = finder.find(small);
    ASSERT_EQ(found.finding, FaceFinding::Found);
    for (const SizeType& t : SizeTypes()) {
        if (t.size.isEmpty())
            continue;
        const std::optional<HeadFraming> framing = FrameHead(found.head, t.size, small.size());
        ASSERT_TRUE(framing.has_value());
        EXPECT_TRUE(framing->tooEnlarged) << t.name.toStdString() << " at " << framing->scale;
    }
}

} // namespace
