#include "imaging/encode_crop.h"
#include "imaging/image_decoder.h"
#include "imaging/jpeg_encoder.h"
#include "imaging/jpeg_encodings_ahead.h"
#include "imaging/jpeg_quality_tries.h"
#include "imaging/print_density.h"
#include "support/busy_thread_pool.h"
#include "support/test_images.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>

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
    EXPECT_EQ(s.result.quality, c.retainedQuality);
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

// A crop as a photo gives it: the photo-like picture at twice the size,
// smoothed down, so that detail and noise are at photo levels.
QImage photoCrop(int width, int height)
{
    return photoLikePicture(2 * width, 2 * height)
        .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// The JPEG encoding the program used before its tables were optimised:
// TurboJPEG at 4:2:0 with the standard Huffman tables.
QByteArray standardTablesJpeg(const QImage& image, int quality)
{
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int pixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    const int rc = tjCompress2(tj, image.constBits(), image.width(), int(image.bytesPerLine()), image.height(),
                               pixelFormat, &out, &size, TJSAMP_420, quality, 0);
    const QByteArray bytes = rc == 0 ? QByteArray(reinterpret_cast<const char*>(out), qsizetype(size)) : QByteArray();
    tjFree(out);
    tjDestroy(tj);
    return bytes;
}

// The file libjpeg writes with tables optimised for the picture from its own
// statistics, at the encoder's settings: what the encoder, which gathers the
// statistics itself, must write byte for byte.
QByteArray libjpegOptimised(const QImage& image, int quality)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 4;
    info.in_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = quality >= 96 ? JDCT_ISLOW : JDCT_IFAST;
    info.optimize_coding = TRUE;
    info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c)
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

// Pictures whose blocks code every kind of symbol: smooth detail, flat
// colour (end of block at once), stripes (a long run of zeros, coded in
// steps of 16) and a checkerboard (the last coefficient set, no end of block).
QList<QPair<const char*, QImage>> symbolPictures(int width, int height)
{
    QImage flat(width, height, QImage::Format_RGB32);
    flat.fill(qRgb(90, 140, 200));
    QImage stripes = flat;
    QImage checks = flat;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            checks.setPixel(x, y, (x + y) % 2 ? qRgb(250, 20, 20) : qRgb(5, 230, 5));
        }
    return {{"photo", photoCrop(width, height)}, {"flat", flat}, {"stripes", stripes}, {"checks", checks}};
}

TEST(JpegEncoder, WritesExactlyTheFileOfLibjpegsOwnOptimisedTables)
{
    JpegEncoder encoder;
    for (const QSize size : {QSize(1, 1), QSize(17, 9), QSize(33, 47), QSize(160, 210), QSize(413, 626)})
        for (const auto& [what, picture] : symbolPictures(size.width(), size.height()))
            for (const int quality : {0, 1, 37, 75, 95, 96, 100}) {
                SCOPED_TRACE(testing::Message() << what << " " << size.width() << "x" << size.height() << " at "
                                                << quality);
                EXPECT_EQ(encoder.encode(picture, quality), libjpegOptimised(picture, quality));
            }
}

// The markers of a JPEG file from its start to the start of the scan, and
// the sampling factors (horizontal × 16 + vertical) its frame header gives
// each component.
// Start-of-frame markers; 0xC4, 0xC8 and 0xCC in their range are other segments.
bool isFrameMarker(int m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

struct JpegHeader {
    QList<int> markers;
    QList<int> sampling;
};

JpegHeader readHeader(const QByteArray& jpeg)
{
    JpegHeader header;
    const auto byte = [&](qsizetype i) { return i < jpeg.size() ? int(quint8(jpeg[i])) : -1; };
    qsizetype i = 2; // after the start-of-image marker
    while (byte(i) == 0xFF && byte(i + 3) >= 0) {
        const int marker = byte(i + 1);
        header.markers.append(marker);
        if (marker == 0xDA)
            break;
        if (isFrameMarker(marker)) {
            for (int c = 0; c < byte(i + 9); ++c)
                header.sampling.append(byte(i + 11 + 3 * c));
        }
        i += 2 + (byte(i + 2) << 8 | byte(i + 3));
    }
    return header;
}

class JpegEncoderTest : public ::testing::TestWithParam<QSize> {};

TEST_P(JpegEncoderTest, BaselineAt420WithTablesThatOnlyShrinkTheFile)
{
    const QImage crop = photoCrop(GetParam().width(), GetParam().height());
    JpegEncoder encoder;
    for (int quality : {0, 30, 75, 90, 100}) {
        SCOPED_TRACE(quality);
        const QByteArray jpeg = encoder.encode(crop, quality);
        ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));
        const JpegHeader header = readHeader(jpeg);
        QList<int> frames;
        std::copy_if(header.markers.begin(), header.markers.end(), std::back_inserter(frames), isFrameMarker);
        EXPECT_EQ(frames, QList<int>{0xC0}); // baseline only: no progressive (0xC2) or other frame
        EXPECT_EQ(header.sampling, (QList<int>{0x22, 0x11, 0x11}));
        ASSERT_EQ(header.markers.last(), 0xDA);

        const QByteArray standard = standardTablesJpeg(crop, quality);
        // Only the Huffman tables differ: the decoded pixels are those of the
        // standard-table file, and the file is smaller.
        const QImage decoded = decodeImageBytes(jpeg);
        ASSERT_EQ(decoded.size(), crop.size());
        EXPECT_EQ(decoded, decodeImageBytes(standard));
        EXPECT_LT(jpeg.size(), standard.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, JpegEncoderTest,
                         ::testing::Values(QSize(1, 1), QSize(17, 9), QSize(160, 210), QSize(358, 441)));

TEST(JpegEncoder, OneEncoderGivesTheSameFilesAsFreshOnesWhateverCameBefore)
{
    const QImage large = photoCrop(413, 626);
    const QImage small = photoCrop(40, 30);
    JpegEncoder reused;
    const QList<std::pair<const QImage*, int>> runs = {{&large, 100}, {&small, 10}, {&large, 55}, {&small, 100}};
    for (const auto& [image, quality] : runs) {
        JpegEncoder fresh;
        EXPECT_EQ(reused.encode(*image, quality), fresh.encode(*image, quality)) << quality;
    }
}

// libjpeg's refusal comes back through the error jump, and the compressor
// is usable again afterwards.
TEST(JpegEncoder, APictureJpegCannotHoldGivesNoDataAndTheEncoderGoesOn)
{
    JpegEncoder encoder;
    QImage tooWide(65501, 8, QImage::Format_RGB32);
    tooWide.fill(Qt::gray);
    EXPECT_TRUE(encoder.encode(tooWide, 80).isEmpty());
    EXPECT_TRUE(encoder.encode(QImage(), 80).isEmpty());
    const QImage crop = photoCrop(60, 80);
    const QByteArray after = encoder.encode(crop, 80);
    EXPECT_EQ(decodeImageBytes(after).size(), QSize(60, 80));
    EXPECT_EQ(after, JpegEncoder().encode(crop, 80));
}

// The zero bytes stuffed after each 0xFF of a file's coded data (from the
// end of its scan header to its end-of-image marker).
qint64 stuffedBytes(const QByteArray& jpeg)
{
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    if (scan < 0)
        return -1;
    const qsizetype start = scan + 2 + (quint8(jpeg[scan + 2]) << 8 | quint8(jpeg[scan + 3]));
    qint64 stuffed = 0;
    for (qsizetype i = start; i + 1 < jpeg.size(); ++i)
        if (quint8(jpeg[i]) == 0xFF && jpeg[i + 1] == '\0')
            ++stuffed;
    return stuffed;
}

// A crop of a real photo (a test portrait), at the size asked for.
QImage portraitCrop(const char* name, QSize size)
{
    const QImage photo(QStringLiteral(IDPHOTO_FIXTURES "/portraits/") + QLatin1String(name));
    return photo.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)
        .copy(QRect(QPoint(0, 0), size))
        .convertToFormat(QImage::Format_RGB32);
}

// Every try gives the encoder's file size less its stuffed bytes, and the file
// it writes is the encoder's byte for byte: over pictures that code every
// kind of symbol and real photos, sizes with and without padding blocks, both
// transforms (the fast one below 96), the edges of the quality range, and a
// print resolution in the header.
TEST(JpegQualityTries, EachTryIsTheEncodersFileLessItsStuffedBytesAndWritesThatFile)
{
    JpegEncoder encoder;
    QList<QPair<QString, QImage>> pictures;
    for (const QSize size : {QSize(1, 1), QSize(17, 9), QSize(33, 47), QSize(160, 210)})
        for (const auto& [what, picture] : symbolPictures(size.width(), size.height()))
            pictures.append({QStringLiteral("%1 %2x%3").arg(QLatin1String(what)).arg(size.width()).arg(size.height()),
                             picture});
    for (const char* name : {"grace_hopper.jpg", "astronaut.jpg", "storm_landscape.jpg"})
        for (const QSize size : {QSize(295, 413), QSize(413, 626)})
            pictures.append({QStringLiteral("%1 %2x%3").arg(QLatin1String(name)).arg(size.width()).arg(size.height()),
                             portraitCrop(name, size)});
    QImage printed = photoCrop(358, 441);
    SetPrintDensity(printed, 350);
    pictures.append({QStringLiteral("350 dpi"), printed});
    for (const auto& [what, picture] : pictures) {
        JpegQualityTries tries(picture);
        for (int quality = 100; quality >= 0; quality -= (quality > 90 ? 1 : 7)) {
            SCOPED_TRACE(testing::Message() << what.toStdString() << " at " << quality);
            const QByteArray file = encoder.encode(picture, quality);
            ASSERT_FALSE(file.isEmpty());
            EXPECT_EQ(tries.sizeBeforeStuffing(quality), file.size() - stuffedBytes(file));
            EXPECT_EQ(tries.encode(quality), file);
        }
    }
}

// The search over the tries decides as the search over whole encodings: the
// same qualities tried, the same quality and file kept, the same failure;
// also at limits a byte either side of a file's size and at its size less
// its stuffed bytes, where only the written file can tell.
TEST(JpegQualityTries, TheSearchOverTriesKeepsWhatTheSearchOverEncodingsKeeps)
{
    JpegEncoder encoder;
    for (const auto& [what, crop] : {QPair<const char*, QImage>{"photo", photoCrop(295, 413)},
                                     QPair<const char*, QImage>{"portrait", portraitCrop("grace_hopper.jpg", QSize(413, 626))}}) {
        QList<qint64> limits = {1, 6 * 1024, 15 * 1024, 20 * 1024, 50 * 1024, 100 * 1024};
        for (const int quality : {0, 37, 85, 88, 95, 97, 100}) {
            const QByteArray file = encoder.encode(crop, quality);
            limits += {file.size(), file.size() - 1, file.size() + 1, file.size() - stuffedBytes(file)};
        }
        for (const qint64 limit : limits) {
            SCOPED_TRACE(testing::Message() << what << " under " << limit);
            JpegQualityTries tries(crop);
            const JpegSearch fast = SearchJpegQuality([&](int q) { return tries.sizeBeforeStuffing(q); },
                                                      [&](int q) { return tries.encode(q); }, limit);
            const JpegSearch whole = SearchJpegQuality([&](int q) { return encoder.encode(crop, q); }, limit);
            EXPECT_EQ(fast.tried, whole.tried);
            EXPECT_EQ(fast.result.quality, whole.result.quality);
            EXPECT_EQ(fast.result.success, whole.result.success);
            EXPECT_EQ(fast.result.bytes, whole.result.bytes);
            if (!whole.result.success) {
                EXPECT_EQ(fast.result.lastSize, whole.result.lastSize);
            }
            const EncodedCrop saved = EncodeCrop(crop, QStringLiteral(".jpg"), double(limit) / 1024.0);
            EXPECT_EQ(saved.bytes, whole.result.bytes);
            EXPECT_EQ(saved.quality, whole.result.quality);
        }
    }
}

TEST(JpegQualityTries, APictureJpegCannotHoldHasNoSizeAndNoFile)
{
    JpegQualityTries none{QImage()};
    EXPECT_EQ(none.sizeBeforeStuffing(90), -1);
    EXPECT_TRUE(none.encode(90).isEmpty());
    QImage tooWide(65501, 1, QImage::Format_RGB32);
    tooWide.fill(Qt::gray);
    JpegQualityTries wide(tooWide);
    EXPECT_EQ(wide.sizeBeforeStuffing(90), -1);
    EXPECT_TRUE(wide.encode(90).isEmpty());
}

// Over crops and limits, including limits equal to a file's size, the
// search keeps at least the quality the standard tables reached.
class LimitOverCropsTest : public ::testing::TestWithParam<QSize> {};

TEST_P(LimitOverCropsTest, TheKeptQualityIsNeverLowerThanWithStandardTablesAndTheLimitHolds)
{
    const QImage crop = photoCrop(GetParam().width(), GetParam().height());
    JpegEncoder encoder;
    QList<qint64> limits = {1024, 5 * 1024, 12 * 1024, 20 * 1024, 50 * 1024, 100 * 1024};
    for (int quality : {37, 73, 86, 96}) {
        const qint64 ours = encoder.encode(crop, quality).size();
        const qint64 standard = standardTablesJpeg(crop, quality).size();
        limits += {ours, ours - 1, standard, standard - 1};
    }
    for (qint64 limit : limits) {
        SCOPED_TRACE(limit);
        const EncodedCrop e = EncodeCrop(crop, QStringLiteral(".jpg"), limit / 1024.0);
        const EncodedCrop before = SearchJpegQuality([&](int q) { return standardTablesJpeg(crop, q); }, limit).result;
        if (before.success) {
            EXPECT_TRUE(e.success);
            EXPECT_GE(e.quality, before.quality);
        }
        if (e.success) {
            EXPECT_LE(e.bytes.size(), limit);
        } else {
            EXPECT_EQ(e.quality, 0);
            EXPECT_GT(e.bytes.size(), limit);
        }
        EXPECT_EQ(e.bytes, encoder.encode(crop, e.quality));
    }
}

INSTANTIATE_TEST_SUITE_P(Crops, LimitOverCropsTest, ::testing::Values(QSize(160, 210), QSize(295, 413), QSize(358, 441)));

// Encoding ahead on a second thread changes no file and no decision: the
// search over it tries, keeps and returns what it does over one encoder,
// also when no second thread can be had.
TEST(JpegEncodingsAhead, TheSearchGivesWhatOneEncoderGives)
{
    const QImage crop = photoCrop(295, 413);
    JpegEncoder encoder;
    const auto search = [&](qint64 limit) {
        JpegEncodingsAhead ahead(crop);
        return SearchJpegQuality([&](int q) { return ahead.encode(q); }, limit);
    };
    for (const bool threads : {true, false}) {
        std::optional<BusyThreadPool> busy;
        if (!threads)
            busy.emplace();
        for (const qint64 limit : {qint64(1), qint64(6 * 1024), qint64(15 * 1024), qint64(30 * 1024), qint64(1) << 30}) {
            SCOPED_TRACE(limit);
            const JpegSearch ahead = search(limit);
            const JpegSearch one = SearchJpegQuality([&](int q) { return encoder.encode(crop, q); }, limit);
            EXPECT_EQ(ahead.tried, one.tried);
            EXPECT_EQ(ahead.result.bytes, one.result.bytes);
            EXPECT_EQ(ahead.result.quality, one.result.quality);
            EXPECT_EQ(ahead.result.success, one.result.success);
            EXPECT_EQ(ahead.result.lastSize, one.result.lastSize);
        }
    }
}

TEST(JpegEncodingsAhead, QualitiesAskedInAnyOrderGiveEachQualitysFile)
{
    const QImage crop = photoCrop(160, 210);
    JpegEncoder encoder;
    JpegEncodingsAhead ahead(crop);
    for (const int q : {100, 95, 90, 91, 92, 50, 45, 46, 0, 100, 5, 4})
        EXPECT_EQ(ahead.encode(q), encoder.encode(crop, q)) << q;
}

class EncodeCropTest : public ::testing::Test {
protected:
    QImage crop = photoLikePicture(160, 210);
};

TEST_F(EncodeCropTest, JpegInAnyLetterCase)
{
    for (const char* ext : {".jpg", ".JPEG", ".Jpg", ".jpeg"}) {
        const EncodedCrop e = EncodeCrop(crop, QString::fromLatin1(ext), 500);
        EXPECT_TRUE(e.success) << ext;
        EXPECT_TRUE(e.bytes.startsWith("\xFF\xD8\xFF")) << ext;
        EXPECT_EQ(decodeImageBytes(e.bytes).size(), QSize(160, 210)) << ext;
        // Far under the limit: quality 100, one encoding.
        JpegEncoder encoder;
        EXPECT_EQ(e.bytes, encoder.encode(crop, 100)) << ext;
        EXPECT_EQ(e.quality, 100);
        EXPECT_EQ(e.lastSize, e.bytes.size());
    }
}

TEST_F(EncodeCropTest, TheLimitIsHeldAndAnUnreachableOneFailsWithTheSmallestFile)
{
    const EncodedCrop held = EncodeCrop(crop, QStringLiteral(".jpg"), 8);
    EXPECT_TRUE(held.success);
    EXPECT_LE(held.bytes.size(), 8 * 1024);

    const EncodedCrop failed = EncodeCrop(crop, QStringLiteral(".jpg"), 0.001);
    EXPECT_FALSE(failed.success);
    JpegEncoder encoder;
    EXPECT_EQ(failed.bytes, encoder.encode(crop, 0));
    EXPECT_EQ(failed.lastSize, failed.bytes.size());
    EXPECT_EQ(decodeImageBytes(failed.bytes).size(), QSize(160, 210));
}

TEST_F(EncodeCropTest, LosslessFormatsKeepEveryPixel)
{
    for (const char* ext : {".bmp", ".PNG"}) {
        const EncodedCrop e = EncodeCrop(crop, QString::fromLatin1(ext), 500);
        EXPECT_TRUE(e.success);
        EXPECT_EQ(e.lastSize, -1);
        EXPECT_EQ(e.quality, -1);
        EXPECT_EQ(decodeImageBytes(e.bytes), crop) << ext;
    }
    EXPECT_TRUE(EncodeCrop(crop, QStringLiteral(".bmp"), 500).bytes.startsWith("BM"));
}

TEST_F(EncodeCropTest, GifHasAPaletteThatKeepsThePictureClose)
{
    const QImage flat = quarteredPicture(160, 210);
    const EncodedCrop e = EncodeCrop(flat, QStringLiteral(".gif"), 500);
    ASSERT_TRUE(e.bytes.startsWith("GIF8"));
    const QImage decoded = decodeImageBytes(e.bytes);
    ASSERT_EQ(decoded.size(), QSize(160, 210));
    for (int y = 0; y < flat.height(); ++y) {
        for (int x = 0; x < flat.width(); ++x)
            ASSERT_EQ(coarse(decoded.pixel(x, y)), coarse(flat.pixel(x, y))) << x << ',' << y;
    }
}

TEST_F(EncodeCropTest, OtherExtensionsAndANullCaptureGiveNoData)
{
    const EncodedCrop tif = EncodeCrop(crop, QStringLiteral(".tif"), 500);
    EXPECT_TRUE(tif.success);
    EXPECT_TRUE(tif.bytes.isEmpty());
    for (const char* ext : {".jpg", ".bmp", ".gif", ".png"}) {
        const EncodedCrop none = EncodeCrop(QImage(), QString::fromLatin1(ext), 500);
        EXPECT_TRUE(none.bytes.isEmpty()) << ext;
    }
}

} // namespace
