#include "imaging/bmp_file.h"
#include "imaging/gif_encoder.h"
#include "imaging/image_decoder.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* name;
    QByteArray bytes;
    friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<FormatCase> everyFormat()
{
    const QImage picture = quarteredPicture(64, 48);
    return {
        {"jpeg", encodeAs(picture, "jpeg", 95)},
        {"png", encodeAs(picture, "png")},
        {"gif", encodeGif(picture)},
        {"bmp", encodeAs(picture, "bmp")},
        {"bmp24", encodeBmp24(picture)},
    };
}

class DecodeFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DecodeFormatTest, DecodesThePicture)
{
    const QImage decoded = decodeImageBytes(GetParam().bytes);
    ASSERT_EQ(decoded.size(), QSize(64, 48));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_EQ(coarse(decoded.pixel(5, 5)), qRgb(255, 0, 0));
    EXPECT_EQ(coarse(decoded.pixel(58, 5)), qRgb(0, 255, 0));
    EXPECT_EQ(coarse(decoded.pixel(58, 42)), qRgb(0, 0, 255));
    EXPECT_EQ(coarse(decoded.pixel(5, 42)), qRgb(255, 255, 255));
}

TEST_P(DecodeFormatTest, ACutOrCorruptFileNeverCrashes)
{
    const QByteArray whole = GetParam().bytes;
    for (const qsizetype cut : {qsizetype(2), qsizetype(8), qsizetype(30), whole.size() / 2, whole.size() - 1}) {
        const QImage decoded = decodeImageBytes(whole.left(cut));
        if (!decoded.isNull()) {
            EXPECT_EQ(decoded.size(), QSize(64, 48)) << "cut at " << cut;
        }
    }
    QByteArray corrupt = whole;
    for (qsizetype i = 20; i < corrupt.size(); i += 7)
        corrupt[i] = char(corrupt[i] ^ 0x5A);
    const QImage decoded = decodeImageBytes(corrupt);
    if (!decoded.isNull()) {
        EXPECT_TRUE(decoded.width() > 0 && decoded.height() > 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, DecodeFormatTest, ::testing::ValuesIn(everyFormat()));

TEST(ImageDecoder, TheContentDecidesNotTheName)
{
    TempFolder folder;
    folder.write(QStringLiteral("lying.jpg"), encodeAs(quarteredPicture(20, 10), "png"));
    EXPECT_EQ(decodeImageFile(folder.file(QStringLiteral("lying.jpg"))).size(), QSize(20, 10));
}

TEST(ImageDecoder, RefusesWhatItCannotOrMustNotDecode)
{
    TempFolder folder;
    folder.write(QStringLiteral("empty.jpg"), QByteArray());
    EXPECT_TRUE(decodeImageFile(folder.file(QStringLiteral("empty.jpg"))).isNull());
    EXPECT_TRUE(decodeImageFile(folder.file(QStringLiteral("missing.png"))).isNull());
    EXPECT_TRUE(decodeImageBytes(QByteArray("plain text, not a picture")).isNull());
    EXPECT_TRUE(decodeImageBytes(encodeAs(quarteredPicture(8, 8), "tiff")).isNull());
    // Headers that claim pictures too large to hold.
    EXPECT_TRUE(decodeImageBytes(pngHeaderClaiming(30000, 30000)).isNull());
    EXPECT_TRUE(decodeImageBytes(pngHeaderClaiming(0xFFFFFFFF, 1)).isNull());
    QByteArray bmp = encodeBmp24(quarteredPicture(4, 4));
    bmp[18] = char(0x30); // width 30000 (0x7530)
    bmp[19] = char(0x75);
    bmp[22] = char(0x30);
    bmp[23] = char(0x75);
    EXPECT_TRUE(decodeImageBytes(bmp).isNull());
}

TEST(ImageDecoder, TransparentPartsComeOutWhite)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QImage decoded = decodeImageBytes(encodeAs(image, "png"));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.pixel(1, 1), qRgb(255, 255, 255));
}

struct OrientationCase {
    int orientation;
    QSize size;
    // The colours of the shown corners: top-left, top-right, bottom-right, bottom-left.
    QRgb corners[4];
    friend void PrintTo(const OrientationCase& c, std::ostream* os) { *os << "orientation " << c.orientation; }
};

constexpr QRgb R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF;

class ExifOrientationTest : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(ExifOrientationTest, ShowsThePhotoUpright)
{
    const OrientationCase& c = GetParam();
    const QImage decoded = decodeImageBytes(jpegWithOrientation(quarteredPicture(64, 48), c.orientation));
    ASSERT_EQ(decoded.size(), c.size);
    const int r = decoded.width() - 4;
    const int b = decoded.height() - 4;
    EXPECT_EQ(coarse(decoded.pixel(3, 3)), c.corners[0]);
    EXPECT_EQ(coarse(decoded.pixel(r, 3)), c.corners[1]);
    EXPECT_EQ(coarse(decoded.pixel(r, b)), c.corners[2]);
    EXPECT_EQ(coarse(decoded.pixel(3, b)), c.corners[3]);
}

INSTANTIATE_TEST_SUITE_P(
    Orientations, ExifOrientationTest,
    ::testing::Values(OrientationCase{1, {64, 48}, {R, G, B, W}}, OrientationCase{2, {64, 48}, {G, R, W, B}},
                      OrientationCase{3, {64, 48}, {B, W, R, G}}, OrientationCase{4, {64, 48}, {W, B, G, R}},
                      OrientationCase{5, {48, 64}, {R, W, B, G}}, OrientationCase{6, {48, 64}, {W, R, G, B}},
                      OrientationCase{7, {48, 64}, {B, G, R, W}}, OrientationCase{8, {48, 64}, {G, B, W, R}}));

} // namespace
