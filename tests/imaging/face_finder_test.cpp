#include "imaging/opencv_face_finder.h"
#include "support/portraits.h"
#include "support/temp_folder.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class PortraitTest : public ::testing::TestWithParam<Portrait> {};

// Each portrait's head is found where it was measured by hand.
TEST_P(PortraitTest, TheHeadIsFoundWhereItIs)
{
    const Portrait& p = GetParam();
    const QImage picture = LoadPortrait(p);
    ASSERT_FALSE(picture.isNull()) << p.file;
    OpenCvFaceFinder finder;
    ASSERT_TRUE(finder.available());
    const FaceResult found = finder.find(picture);
    ASSERT_EQ(found.finding, FaceFinding::Found);
    const HeadMeasure& h = found.head;

    // The face box covers the eyes in its upper half and is about a head wide.
    EXPECT_TRUE(h.face.contains(QPointF(p.eyeMiddleX, p.eyeLineY)));
    EXPECT_LT(p.eyeLineY, h.face.center().y());
    EXPECT_GT(h.face.width(), 0.6 * p.headWidth);
    EXPECT_LT(h.face.width(), 1.2 * p.headWidth);

    // Tolerances in shares of the head's width.
    const double w = p.headWidth;
    EXPECT_NEAR(h.eyeLineY, p.eyeLineY, 0.05 * w);
    EXPECT_NEAR(h.faceCentreX, p.eyeMiddleX, 0.05 * w);
    EXPECT_NEAR(h.hairTopY, p.hairTopY, 0.06 * w);
    EXPECT_NEAR(h.headWidth, w, 0.08 * w);
    EXPECT_LT(std::abs(h.rollDegrees), 8.0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PortraitTest, ::testing::ValuesIn(Portraits()));

TEST(FaceFinder, AShrunkPortraitsFaceIsStillFound)
{
    const QImage small(QStringLiteral(IDPHOTO_FIXTURES "/portraits/astronaut_small.jpg"));
    ASSERT_FALSE(small.isNull());
    OpenCvFaceFinder finder;
    const FaceResult found = finder.find(small);
    ASSERT_EQ(found.finding, FaceFinding::Found);
    // The astronaut at 200 / 512 of the size measured.
    const Portrait& astronaut = Portraits().front();
    const double k = 200.0 / 512.0;
    EXPECT_TRUE(found.head.face.contains(QPointF(astronaut.eyeMiddleX * k, astronaut.eyeLineY * k)));
    EXPECT_NEAR(found.head.faceCentreX, astronaut.eyeMiddleX * k, 0.1 * astronaut.headWidth * k);
}

TEST(FaceFinder, NoFaceInALandscapeOrAPlainColour)
{
    OpenCvFaceFinder finder;
    const QImage landscape(QStringLiteral(IDPHOTO_FIXTURES "/portraits/storm_landscape.jpg"));
    ASSERT_FALSE(landscape.isNull());
    EXPECT_EQ(finder.find(landscape).finding, FaceFinding::NoFace);
    QImage plain(800, 600, QImage::Format_RGB32);
    plain.fill(QColor(67, 142, 219));
    EXPECT_EQ(finder.find(plain).finding, FaceFinding::NoFace);
    EXPECT_EQ(finder.find(QImage()).finding, FaceFinding::NoFace);
}

// The same portrait twice, mirrored about the middle: neither face is the subject.
TEST(FaceFinder, TwoEqualFacesAreLeftToTheUser)
{
    const QImage one = LoadPortrait(Portraits().front());
    QImage both(2 * one.width(), one.height(), QImage::Format_RGB32);
    QPainter painter(&both);
    painter.drawImage(0, 0, one);
    painter.drawImage(one.width(), 0, one.mirrored(true, false));
    painter.end();
    OpenCvFaceFinder finder;
    EXPECT_EQ(finder.find(both).finding, FaceFinding::SeveralFaces);
    // Either half alone has its one face.
    EXPECT_EQ(finder.find(both.copy(0, 0, one.width(), one.height())).finding, FaceFinding::Found);
}

TEST(FaceFinder, WithoutItsCascadesItSaysSoAndFindsNothing)
{
    TempFolder damaged;
    damaged.write(QStringLiteral("haarcascade_frontalface_alt2.xml"), "<?xml version=\"1.0\"?><opencv_storage>");
    damaged.write(QStringLiteral("haarcascade_eye.xml"), "not a cascade");
    TempFolder empty;
    for (const QStringList& folders : {QStringList(), QStringList{empty.path()}, QStringList{damaged.path()}}) {
        OpenCvFaceFinder finder(folders);
        EXPECT_FALSE(finder.available());
        EXPECT_EQ(finder.find(LoadPortrait(Portraits().front())).finding, FaceFinding::Unavailable);
    }
    // A good folder after a damaged one is used.
    OpenCvFaceFinder finder(QStringList{damaged.path()} + CascadeFolders());
    EXPECT_TRUE(finder.available());
}

} // namespace
