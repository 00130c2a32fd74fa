#include "unattended/photo_framing.h"

#include "imaging/opencv_face_finder.h"
#include "workspace/auto_framing.h"
#include "workspace/head_framing.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {

QByteArray PortraitBytes(const char* file)
{
    QFile f(QStringLiteral(IDPHOTO_FIXTURES "/portraits/") + QLatin1String(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A portrait enlarged into a photo of a camera's size, as a JPEG.
QByteArray LargePortraitBytes(const char* file, int height)
{
    const QImage small = QImage::fromData(PortraitBytes(file));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.write(small.scaledToHeight(height, Qt::SmoothTransformation));
    return bytes;
}

struct PhotoCase {
    const char* what;
    std::function<QByteArray()> bytes;
    QSize output;
    PhotoFraming outcome;
    friend void PrintTo(const PhotoCase& c, std::ostream* os) { *os << c.what; }
};

class PhotoFramingTest : public ::testing::TestWithParam<PhotoCase> {};

// A framed crop has the output's size and print resolution, and the finder
// run again on it sees the face centred and the head as wide as the rule asks.
TEST_P(PhotoFramingTest, FramesByTheRuleOrSaysWhyNot)
{
    OpenCvFaceFinder finder;
    ASSERT_TRUE(finder.available());
    const FramedPhoto framed = FramePhotoBytes(GetParam().bytes(), GetParam().output, finder);
    ASSERT_EQ(framed.outcome, GetParam().outcome);
    if (framed.outcome != PhotoFraming::Framed) {
        EXPECT_TRUE(framed.crop.isNull());
        EXPECT_FALSE(PhotoFramingReason(framed.outcome).isEmpty());
        return;
    }
    const QSize output = GetParam().output;
    ASSERT_EQ(framed.crop.size(), output);
    const int dpi = output == QSize(358, 441) ? 350 : 300;
    EXPECT_EQ(framed.crop.dotsPerMeterX(), int(std::lround(dpi / 0.0254)));
    OpenCvFaceFinder again;
    const FaceResult found = FindHead(again, framed.crop);
    ASSERT_EQ(found.finding, FaceFinding::Found);
    EXPECT_NEAR(found.head.faceCentreX, output.width() / 2.0, 8.0);
    EXPECT_NEAR(found.head.headWidth / output.width(), kHeadWidthShare, kHeadWidthTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhotoFramingTest,
    ::testing::Values(
        PhotoCase{"portrait to 学籍/身份证", [] { return PortraitBytes("grace_hopper.jpg"); }, {358, 441},
                  PhotoFraming::Framed},
        PhotoCase{"small head to 默认", [] { return PortraitBytes("astronaut.jpg"); }, {160, 210}, PhotoFraming::Framed},
        PhotoCase{"camera-sized photo, framed from a reduced decode",
                  [] { return LargePortraitBytes("grace_hopper.jpg", 3600); }, {358, 441}, PhotoFraming::Framed},
        PhotoCase{"small head to 学籍/身份证", [] { return PortraitBytes("astronaut.jpg"); }, {358, 441},
                  PhotoFraming::TooSmall},
        PhotoCase{"landscape", [] { return PortraitBytes("storm_landscape.jpg"); }, {358, 441}, PhotoFraming::NoFace},
        PhotoCase{"not a picture", [] { return QByteArray("\xFF\xD8 broken, no picture here"); }, {358, 441},
                  PhotoFraming::Unreadable},
        PhotoCase{"no file", [] { return QByteArray(); }, {358, 441}, PhotoFraming::Unreadable}));

} // namespace
