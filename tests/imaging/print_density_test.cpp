#include "imaging/encode_crop.h"
#include "imaging/jpeg_encoder.h"
#include "imaging/print_density.h"
#include "support/test_images.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

TEST(PrintDensity, DotsPerInchAndPerMetreConvertBothWays)
{
    struct Case {
        int dpi;
        int dpm;
    };
    for (const Case c : {Case{72, 2835}, Case{96, 3780}, Case{300, 11811}, Case{350, 13780}, Case{600, 23622}}) {
        EXPECT_EQ(DotsPerMeter(c.dpi), c.dpm) << c.dpi;
        EXPECT_EQ(DotsPerInch(c.dpm), c.dpi) << c.dpi;
    }
}

TEST(PrintDensity, OnlyAResolutionSetOnTheImageIsChosen)
{
    QImage image(4, 4, QImage::Format_RGB32);
    EXPECT_FALSE(ChosenDensity(image).has_value());
    SetPrintDensity(image, 350);
    const std::optional<PrintDensity> d = ChosenDensity(image);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->dotsPerMeterX, 13780);
    EXPECT_EQ(d->dotsPerMeterY, 13780);
    image.setDotsPerMeterY(11811);
    EXPECT_EQ(ChosenDensity(image)->dotsPerMeterY, 11811);
    image.setDotsPerMeterX(-5);
    EXPECT_FALSE(ChosenDensity(image).has_value());
}

// The JFIF header's density, read from the file's bytes.
struct Jfif {
    int unit = -1;
    int x = -1;
    int y = -1;
};

Jfif readJfif(const QByteArray& jpeg)
{
    const auto byte = [&](int i) { return i < jpeg.size() ? int(quint8(jpeg[i])) : -1; };
    // FF D8, then FF E0, its length, "JFIF\0", the version (2 bytes), the unit and the densities.
    if (byte(0) != 0xFF || byte(1) != 0xD8 || byte(2) != 0xFF || byte(3) != 0xE0 || jpeg.mid(6, 5) != QByteArray("JFIF\0", 5))
        return {};
    return {byte(13), byte(14) << 8 | byte(15), byte(16) << 8 | byte(17)};
}

QImage readBack(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.read();
}

struct DensityCase {
    const char* name;
    int dpiX;
    int dpiY;
    QImage::Format format; // the capture's format
    friend void PrintTo(const DensityCase& c, std::ostream* os) { *os << c.name; }
};

class OutputDensityTest : public ::testing::TestWithParam<DensityCase> {};

TEST_P(OutputDensityTest, EveryFormatWithAPlaceForItCarriesTheResolution)
{
    const DensityCase& c = GetParam();
    QImage capture = photoLikePicture(120, 150).convertToFormat(c.format);
    capture.setDotsPerMeterX(DotsPerMeter(c.dpiX));
    capture.setDotsPerMeterY(DotsPerMeter(c.dpiY));

    const EncodedCrop jpeg = EncodeCrop(capture, QStringLiteral(".jpg"), 500);
    const Jfif jfif = readJfif(jpeg.bytes);
    EXPECT_EQ(jfif.unit, 1); // dots per inch
    EXPECT_EQ(jfif.x, c.dpiX);
    EXPECT_EQ(jfif.y, c.dpiY);

    for (const char* ext : {".png", ".bmp"}) {
        SCOPED_TRACE(ext);
        const QImage back = readBack(EncodeCrop(capture, QString::fromLatin1(ext), 500).bytes);
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.dotsPerMeterX(), DotsPerMeter(c.dpiX));
        EXPECT_EQ(back.dotsPerMeterY(), DotsPerMeter(c.dpiY));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OutputDensityTest,
                         ::testing::Values(DensityCase{"350 dpi", 350, 350, QImage::Format_RGB32},
                                           DensityCase{"300 dpi", 300, 300, QImage::Format_RGB32},
                                           DensityCase{"across and down differ", 300, 350, QImage::Format_RGB32},
                                           DensityCase{"a capture with alpha", 350, 350, QImage::Format_ARGB32},
                                           DensityCase{"a capture in 24-bit colour", 300, 350, QImage::Format_RGB888}));

// A capture at Qt's default writes what it always did: JFIF without a unit
// at 1:1, BMP at 96 dpi.
TEST(OutputDensity, TheDefaultResolutionLeavesTheFilesAsTheyWere)
{
    const QImage capture = photoLikePicture(40, 30);
    const Jfif jfif = readJfif(EncodeCrop(capture, QStringLiteral(".jpg"), 500).bytes);
    EXPECT_EQ(jfif.unit, 0);
    EXPECT_EQ(jfif.x, 1);
    EXPECT_EQ(jfif.y, 1);
    const QByteArray bmp = EncodeCrop(capture, QStringLiteral(".bmp"), 500).bytes;
    ASSERT_GE(bmp.size(), 46);
    EXPECT_EQ(bmp.mid(38, 8), QByteArray::fromHex("c40e0000c40e0000")); // 3780, 3780
}

// The size search counts the header with the resolution: a limit of exactly
// the kept file's size keeps it, one byte less takes a lower quality.
TEST(OutputDensity, TheJpegLimitHoldsAtTheByteWithTheResolutionWritten)
{
    QImage capture = photoLikePicture(358, 441);
    SetPrintDensity(capture, 350);
    JpegEncoder encoder;
    const qint64 aimed = encoder.encode(capture, 90).size();
    const EncodedCrop first = EncodeCrop(capture, QStringLiteral(".jpg"), aimed / 1024.0);
    ASSERT_TRUE(first.success);
    ASSERT_GT(first.quality, 0);
    const qint64 kept = first.bytes.size();

    const EncodedCrop exact = EncodeCrop(capture, QStringLiteral(".jpg"), kept / 1024.0);
    EXPECT_TRUE(exact.success);
    EXPECT_EQ(exact.quality, first.quality);
    EXPECT_EQ(exact.bytes.size(), kept);
    EXPECT_EQ(exact.bytes, encoder.encode(capture, exact.quality));
    EXPECT_EQ(readJfif(exact.bytes).x, 350);

    const EncodedCrop under = EncodeCrop(capture, QStringLiteral(".jpg"), (kept - 1) / 1024.0);
    EXPECT_TRUE(under.success);
    EXPECT_LT(under.quality, first.quality);
    EXPECT_LE(under.bytes.size(), kept - 1);
    EXPECT_EQ(readJfif(under.bytes).x, 350);
}

} // namespace
