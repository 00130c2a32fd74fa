#include "imaging/bmp_file.h"
#include "imaging/encode_crop.h"
#include "imaging/image_decoder.h"
#include "imaging/jpeg_encoder.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

// An encoder whose file at each quality has a scripted size.
std::function<QByteArray(int)> scripted(std::function<int(int)> sizeAt)
{
    return [sizeAt](int q) { return QByteArray(sizeAt(q), char(q)); };
}

struct SearchCase {
    const char* name;
    std::function<int(int)> sizeAt;
    qint64 limit;
    QList<int> tried;
    bool success;
    int retainedQuality; // the quality whose bytes are returned
    qint64 lastSize;
    friend void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }
};

class JpegSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(JpegSearchTest, TriesTheQualitiesInOrderAndKeepsTheBestFit)
{
    const SearchCase& c = GetParam();
    const JpegSearch s = SearchJpegQuality(scripted(c.sizeAt), c.limit);
    EXPECT_EQ(s.tried, c.tried);
    EXPECT_EQ(s.result.success, c.success);
    EXPECT_EQ(s.result.bytes, QByteArray(c.sizeAt(c.retainedQuality), char(c.retainedQuality)));
    EXPECT_EQ(s.result.lastSize, c.lastSize);
    EXPECT_LE(s.tried.size(), 25);
}

const auto linear = [](int q) { return 100 * q + 100; };

INSTANTIATE_TEST_SUITE_P(
    Cases, JpegSearchTest,
    ::testing::Values(
        SearchCase{"fits at 100: one encoding", linear, 1'000'000, {100}, true, 100, 10100},
        SearchCase{"first fit at 85, stops at the first miss", linear, 8850, {100, 95, 90, 85, 86, 87, 88},
                   true, 87, 8900},
        SearchCase{"first fit at 85, all four above fit", linear, 9000, {100, 95, 90, 85, 86, 87, 88, 89},
                   true, 89, 9000},
        SearchCase{"first fit at 0 tries 1 to 4", [](int q) { return 50 + q; }, 54,
                   {100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0, 1, 2, 3, 4},
                   true, 4, 54},
        SearchCase{"below quality 0: 21 encodings and failure", [](int q) { return 50 + q; }, 10,
                   {100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0}, false,
                   0, 50},
        SearchCase{"a size equal to the limit fits", [](int) { return 51200; }, 51200, {100}, true, 100, 51200},
        SearchCase{"the fine pass stops even if a higher quality would fit",
                   [](int q) { return q == 91 ? 99999 : 100 * q; }, 9300, {100, 95, 90, 91}, true, 90, 99999}));

TEST(JpegLimit, KilobytesAreWholeBytes)
{
    EXPECT_EQ(JpegLimitBytes(50), 51200);
    EXPECT_EQ(JpegLimitBytes(0.001), 1);
    EXPECT_EQ(JpegLimitBytes(0.1), 102);
    EXPECT_EQ(JpegLimitBytes((1 - 5e-13) / 1024), 1); // within 10⁻¹² below 1
    EXPECT_EQ(JpegLimitBytes((1 - 5e-12) / 1024), 0);
    EXPECT_EQ(JpegLimitBytes(0), 0);
    EXPECT_EQ(JpegLimitBytes(-3), 0);
}

TEST(SizeLimitMessage, RoundsToOneDecimalWithoutTrailingZeros)
{
    const QString head = QStringLiteral("当前截图区域输出图片所能达到的最小体积为");
    const QString tail = QStringLiteral("KB大小，\n请重新设置JPG输出体积。");
    EXPECT_EQ(SizeLimitMessage(36045), head + QStringLiteral("35.2") + tail);
    EXPECT_EQ(SizeLimitMessage(35840), head + QStringLiteral("35") + tail);
    EXPECT_EQ(SizeLimitMessage(256), head + QStringLiteral("0.3") + tail); // 0.25 rounds up
    EXPECT_EQ(SizeLimitMessage(1075), head + QStringLiteral("1") + tail);  // 1.0498
    EXPECT_EQ(SizeLimitMessage(1127), head + QStringLiteral("1.1") + tail); // 1.1005
}

TEST(Extension, OnlyAsciiLettersAreLowered)
{
    EXPECT_EQ(LowerCaseExtension(QStringLiteral(".JPEG")), QStringLiteral(".jpeg"));
    EXPECT_EQ(LowerCaseExtension(QStringLiteral(".Ｊpg")), QStringLiteral(".Ｊpg"));
    EXPECT_TRUE(IsOutputExtension(QStringLiteral(".Jpg")));
    EXPECT_FALSE(IsOutputExtension(QStringLiteral(".tif")));
}

class EncodeCropTest : public ::testing::Test {
protected:
    QImage crop = photoLikePicture(160, 210);
    QByteArray bmp = encodeBmp24(crop);
};

TEST_F(EncodeCropTest, JpegInAnyLetterCase)
{
    for (const char* ext : {".jpg", ".JPEG", ".Jpg", ".jpeg"}) {
        const EncodedCrop e = EncodeCrop(bmp, QString::fromLatin1(ext), 500);
        EXPECT_TRUE(e.success) << ext;
        EXPECT_TRUE(e.bytes.startsWith("\xFF\xD8\xFF")) << ext;
        EXPECT_EQ(decodeImageBytes(e.bytes).size(), QSize(160, 210)) << ext;
        // Far under the limit: quality 100, one encoding.
        JpegEncoder encoder;
        EXPECT_EQ(e.bytes, encoder.encode(crop, 100)) << ext;
        EXPECT_EQ(e.lastSize, e.bytes.size());
    }
}

TEST_F(EncodeCropTest, TheLimitIsHeldAndAnUnreachableOneFailsWithTheSmallestFile)
{
    const EncodedCrop held = EncodeCrop(bmp, QStringLiteral(".jpg"), 8);
    EXPECT_TRUE(held.success);
    EXPECT_LE(held.bytes.size(), 8 * 1024);

    const EncodedCrop failed = EncodeCrop(bmp, QStringLiteral(".jpg"), 0.001);
    EXPECT_FALSE(failed.success);
    JpegEncoder encoder;
    EXPECT_EQ(failed.bytes, encoder.encode(crop, 0));
    EXPECT_EQ(failed.lastSize, failed.bytes.size());
    EXPECT_EQ(decodeImageBytes(failed.bytes).size(), QSize(160, 210));
}

TEST_F(EncodeCropTest, LosslessFormatsKeepEveryPixel)
{
    for (const char* ext : {".bmp", ".PNG"}) {
        const EncodedCrop e = EncodeCrop(bmp, QString::fromLatin1(ext), 500);
        EXPECT_TRUE(e.success);
        EXPECT_EQ(e.lastSize, -1);
        EXPECT_EQ(decodeImageBytes(e.bytes), crop) << ext;
    }
    EXPECT_EQ(EncodeCrop(bmp, QStringLiteral(".bmp"), 500).bytes, bmp);
}

TEST_F(EncodeCropTest, GifHasAPaletteThatKeepsThePictureClose)
{
    const QImage flat = quarteredPicture(160, 210);
    const EncodedCrop e = EncodeCrop(encodeBmp24(flat), QStringLiteral(".gif"), 500);
    ASSERT_TRUE(e.bytes.startsWith("GIF8"));
    const QImage decoded = decodeImageBytes(e.bytes);
    ASSERT_EQ(decoded.size(), QSize(160, 210));
    EXPECT_EQ(coarse(decoded.pixel(10, 10)), qRgb(255, 0, 0));
    EXPECT_EQ(coarse(decoded.pixel(150, 200)), qRgb(0, 0, 255));
}

TEST_F(EncodeCropTest, OtherExtensionsAndUnusableSourcesGiveNoData)
{
    const EncodedCrop tif = EncodeCrop(bmp, QStringLiteral(".tif"), 500);
    EXPECT_TRUE(tif.success);
    EXPECT_TRUE(tif.bytes.isEmpty());
    const EncodedCrop tiny = EncodeCrop(QByteArray("BM\0\0", 4), QStringLiteral(".jpg"), 500);
    EXPECT_TRUE(tiny.bytes.isEmpty());
}

} // namespace
