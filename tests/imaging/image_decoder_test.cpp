#include "imaging/bmp_file.h"
#include "imaging/gif_encoder.h"
#include "imaging/image_decoder.h"
#include "imaging/image_limits.h"
#include "support/busy_thread_pool.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

#include <QFile>
#include <QTransform>

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <tuple>

namespace {

constexpr QImage::Format kRgb32 = QImage::Format_RGB32;

// Equal sizes and pixels; on a difference, where it is.
::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << ", expected "
                                             << expected.width() << "x" << expected.height();
    int differing = 0;
    QPoint first;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at (" << first.x() << ", "
                                         << first.y() << ")";
}

QSize reducedSize(QSize full, int reduction)
{
    return QSize((full.width() + reduction - 1) / reduction, (full.height() + reduction - 1) / reduction);
}

// JPEG files of chosen codings, and the reference decodes, come straight from
// TurboJPEG, apart from the decoder under test.
struct TjDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

const int kTjPixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;

struct Coding {
    const char* name;
    int subsampling;
    int flags;
    friend void PrintTo(const Coding& c, std::ostream* os) { *os << c.name; }
};

const Coding kBaseline420{"4:2:0", TJSAMP_420, 0};
const Coding kProgressive420{"4:2:0 progressive", TJSAMP_420, TJFLAG_PROGRESSIVE};
const Coding kProgressiveGrey{"grey progressive", TJSAMP_GRAY, TJFLAG_PROGRESSIVE};

QByteArray turboJpeg(const QImage& picture, const Coding& coding)
{
    const QImage rgb = picture.convertToFormat(kRgb32);
    TjHandle tj(tjInitCompress());
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(tj.get(), rgb.constBits(), rgb.width(), int(rgb.bytesPerLine()), rgb.height(),
                               kTjPixelFormat, &out, &size, coding.subsampling, 90, coding.flags);
    const QByteArray bytes = rc == 0 ? QByteArray(reinterpret_cast<const char*>(out), qsizetype(size)) : QByteArray();
    tjFree(out);
    return bytes;
}

// The stored picture of `jpeg`, reduced to 1/reduction, as TurboJPEG decodes it.
QImage turboDecode(const QByteArray& jpeg, int reduction)
{
    TjHandle tj(tjInitDecompress());
    const auto* data = reinterpret_cast<const unsigned char*>(jpeg.constData());
    const auto size = static_cast<unsigned long>(jpeg.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(tj.get(), data, size, &width, &height, &subsampling, &colourspace) != 0)
        return {};
    const tjscalingfactor factor{1, reduction};
    QImage image(TJSCALED(width, factor), TJSCALED(height, factor), kRgb32);
    if (tjDecompress2(tj.get(), data, size, image.bits(), image.width(), int(image.bytesPerLine()), image.height(),
                      kTjPixelFormat, 0) != 0)
        return {};
    return image;
}

// How each orientation shows the stored picture.
QTransform orientationTransform(int orientation)
{
    switch (orientation) {
    case 2: return QTransform(-1, 0, 0, 1, 0, 0);
    case 3: return QTransform().rotate(180);
    case 4: return QTransform(1, 0, 0, -1, 0, 0);
    case 5: return QTransform(0, 1, 1, 0, 0, 0);
    case 6: return QTransform().rotate(90);
    case 7: return QTransform(0, -1, -1, 0, 0, 0);
    case 8: return QTransform().rotate(270);
    default: return {};
    }
}

QImage turnedAfterDecoding(const QImage& stored, int orientation)
{
    return stored.transformed(orientationTransform(orientation), Qt::FastTransformation).convertToFormat(kRgb32);
}

struct FormatCase {
    const char* name;
    QByteArray bytes;
    int reductionToEighth; // what a decode for a view an eighth of the picture's size may reduce by
    friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<FormatCase> everyFormat()
{
    const QImage picture = quarteredPicture(64, 48);
    return {
        {"jpeg", encodeAs(picture, "jpeg", 95), 8},
        {"png", encodeAs(picture, "png"), 1},
        {"gif", encodeGif(picture), 1},
        {"bmp", encodeAs(picture, "bmp"), 1},
        {"bmp24", encodeBmp24(picture), 1},
    };
}

class DecodeFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DecodeFormatTest, DecodesThePicture)
{
    const QImage decoded = decodeImageBytes(GetParam().bytes);
    ASSERT_EQ(decoded.size(), QSize(64, 48));
    EXPECT_EQ(decoded.format(), kRgb32);
    EXPECT_EQ(coarse(decoded.pixel(5, 5)), qRgb(255, 0, 0));
    EXPECT_EQ(coarse(decoded.pixel(58, 5)), qRgb(0, 255, 0));
    EXPECT_EQ(coarse(decoded.pixel(58, 42)), qRgb(0, 0, 255));
    EXPECT_EQ(coarse(decoded.pixel(5, 42)), qRgb(255, 255, 255));
}

// Only a JPEG decodes reduced; every other format comes whole, as the full decode gives it.
TEST_P(DecodeFormatTest, ADecodeForASmallViewReducesOnlyAJpeg)
{
    const FormatCase& c = GetParam();
    const DecodedPicture reduced = decodeImageBytesReduced(c.bytes, QSize(8, 6));
    EXPECT_EQ(reduced.reduction, c.reductionToEighth);
    EXPECT_EQ(reduced.fullSize, QSize(64, 48));
    EXPECT_EQ(reduced.picture.format(), kRgb32);
    ASSERT_EQ(reduced.picture.size(), reducedSize(QSize(64, 48), c.reductionToEighth));
    if (c.reductionToEighth == 1) {
        EXPECT_TRUE(samePixels(reduced.picture, decodeImageBytes(c.bytes)));
    }
    EXPECT_EQ(coarse(reduced.picture.pixel(0, 0)), qRgb(255, 0, 0));
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
    EXPECT_EQ(decoded.format(), kRgb32);
    EXPECT_EQ(decoded.pixel(1, 1), qRgb(255, 255, 255));
}

// Qt converts and paints large pictures on its thread pool; a process that
// cannot start threads (a low process or memory limit) must still open a
// transparent picture. Here the pool's only thread is kept busy, so whatever
// is queued on it never runs while the picture is decoded.
TEST(ImageDecoder, TransparencyIsLaidOnWhiteWithoutTheThreadPool)
{
    QImage picture(1200, 900, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 0, 0, 128));
    for (int y = 0; y < 900; ++y)
        picture.setPixel(y, y, qRgba(0, 0, 255, 0));
    const QByteArray png = encodeAs(picture, "png");
    const QByteArray gif = encodeGif(picture.convertToFormat(QImage::Format_Indexed8));

    QImage fromPng, fromGif;
    std::atomic<bool> done{false};
    auto busy = std::make_optional<BusyThreadPool>();
    std::thread opener([&] {
        fromPng = decodeImageBytes(png);
        fromGif = decodeImageBytes(gif);
        done = true;
    });
    // A watchdog, not a measure of speed: without threads the decode either
    // finishes or never does.
    for (int waited = 0; !done && waited < 600; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const bool finishedWithoutThePool = done;
    busy.reset(); // frees the pool, so that a decode waiting for it ends
    opener.join();
    ASSERT_TRUE(finishedWithoutThePool);
    ASSERT_EQ(fromPng.size(), picture.size());
    EXPECT_EQ(fromPng.format(), kRgb32);
    EXPECT_EQ(fromPng.pixel(10, 0), qRgb(255, 127, 127));
    EXPECT_EQ(fromPng.pixel(500, 500), qRgb(255, 255, 255));
    ASSERT_EQ(fromGif.size(), picture.size());
    EXPECT_EQ(fromGif.format(), kRgb32);
}

// What a reader may leave undone never reaches the picture: the rows a BMP
// declares but does not hold, a colour a GIF names outside its table.
TEST(ImageDecoder, ABmpCutShortIsRefusedAndEveryPixelIsOpaque)
{
    const QByteArray bmp = encodeAs(photoLikePicture(40, 30), "bmp");
    EXPECT_FALSE(decodeImageBytes(bmp).isNull());
    EXPECT_TRUE(decodeImageBytes(bmp.left(bmp.size() - 1)).isNull());
    EXPECT_TRUE(decodeImageBytes(bmp.left(54 + 15)).isNull());
    QByteArray insideHeader = bmp;
    insideHeader[10] = char(20); // pixels said to start inside the header
    EXPECT_TRUE(decodeImageBytes(insideHeader).isNull());

    // Found by fuzzing: a GIF
    // whose frame names a colour beyond its table.
    const QByteArray found(
        "\x47\x49\x46\x38\x39\x61\x00\x01\xF9\x00\xF2\x00\x00\x50\x00\xC8"
        "\x00\x5A\xC8\x50\x5A\xC8\xA0\x00\xC8\x00\x00\x00\x00\x00\x00\x00"
        "\x00\x00\x00\x00\x00\x21\x25\x04\x01\x00\x00\x04\x00\x2C\x43\x00"
        "\x00\x00\x03\x00\x02\x00\x00\x03\x04\x4D\x30\x21\x94\x00\x3B",
        63);
    const QImage gif = decodeImageBytes(found);
    ASSERT_FALSE(gif.isNull());
    // The stored fourth byte: pixel() would report RGB32 as opaque regardless.
    for (int y = 0; y < gif.height(); ++y)
        for (int x = 0; x < gif.width(); ++x)
            ASSERT_EQ(qAlpha(reinterpret_cast<const QRgb*>(gif.constScanLine(y))[x]), 255) << x << "," << y;
}

// One bound on the picture for every format: a 35-megapixel PNG opens,
// though its pixels take more than Qt's own default limit of 128 MB.
TEST(ImageDecoder, APngOfThirtyFiveMegapixelsOpens)
{
    QImage picture(6000, 5900, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    picture.setPixel(5999, 5899, qRgb(1, 2, 3));
    const QImage decoded = decodeImageBytes(encodeAs(picture, "png"));
    ASSERT_EQ(decoded.size(), picture.size());
    EXPECT_EQ(decoded.pixel(5999, 5899), qRgb(1, 2, 3));
}

TEST(ImageDecoder, AFileOverTheProgramsBoundIsNotOpened)
{
    TempFolder folder;
    const QByteArray jpeg = encodeAs(quarteredPicture(16, 16), "jpeg", 90);
    folder.write(QStringLiteral("photo.jpg"), jpeg);
    folder.write(QStringLiteral("huge.jpg"), jpeg);
    QFile huge(folder.file(QStringLiteral("huge.jpg")));
    ASSERT_TRUE(huge.resize(kMaxImageFileBytes + 1)); // the photo, then zeros (a sparse file)
    for (const QString& name : {QStringLiteral("photo.jpg"), QStringLiteral("huge.jpg")}) {
        SCOPED_TRACE(name.toStdString());
        const bool opens = name == QStringLiteral("photo.jpg");
        EXPECT_EQ(!decodeImageFile(folder.file(name)).isNull(), opens);
        EXPECT_EQ(!decodeImageFileReduced(folder.file(name), QSize(2, 2)).picture.isNull(), opens);
    }
}

// The corners of each orientation's upright picture, which say what the
// orientations mean independently of how the reference below turns.
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
    const QByteArray file = jpegWithOrientation(quarteredPicture(64, 48), c.orientation);
    const QImage whole = decodeImageBytes(file);
    const QImage reduced = decodeImageBytesReduced(file, QSize(2, 2)).picture;
    for (const QImage& decoded : {whole, reduced}) {
        SCOPED_TRACE(decoded.width());
        ASSERT_EQ(decoded.size(), reducedSize(c.size, c.size.width() / decoded.width()));
        EXPECT_EQ(decoded.format(), kRgb32);
        const int r = decoded.width() - 2;
        const int b = decoded.height() - 2;
        EXPECT_EQ(coarse(decoded.pixel(1, 1)), c.corners[0]);
        EXPECT_EQ(coarse(decoded.pixel(r, 1)), c.corners[1]);
        EXPECT_EQ(coarse(decoded.pixel(r, b)), c.corners[2]);
        EXPECT_EQ(coarse(decoded.pixel(1, b)), c.corners[3]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orientations, ExifOrientationTest,
    ::testing::Values(OrientationCase{1, {64, 48}, {R, G, B, W}}, OrientationCase{2, {64, 48}, {G, R, W, B}},
                      OrientationCase{3, {64, 48}, {B, W, R, G}}, OrientationCase{4, {64, 48}, {W, B, G, R}},
                      OrientationCase{5, {48, 64}, {R, W, B, G}}, OrientationCase{6, {48, 64}, {W, R, G, B}},
                      OrientationCase{7, {48, 64}, {B, G, R, W}}, OrientationCase{8, {48, 64}, {G, B, W, R}}));

// Every orientation of every coding, whole and at each reduction, against
// TurboJPEG's decode of the stored picture turned by QTransform afterwards.
// Equal pixel for pixel: the decoder turns decoded pixels, moving them whole,
// so nothing but their places can change. (Turning the compressed data before
// decoding would not be equal: the inverse DCT then rounds its row and column
// passes in the other order, and some pixels differ by a few levels.)
void expectEqualToTurnedAfterDecoding(const QByteArray& plain, int orientation)
{
    ASSERT_FALSE(plain.isEmpty());
    const QByteArray file = withExifOrientation(plain, orientation);
    const QImage stored = turboDecode(plain, 1);
    const QSize full = orientation >= 5 ? stored.size().transposed() : stored.size();

    const QImage whole = decodeImageBytes(file);
    EXPECT_EQ(whole.format(), kRgb32);
    EXPECT_TRUE(samePixels(whole, turnedAfterDecoding(stored, orientation)));

    for (const int reduction : {1, 2, 4, 8}) {
        SCOPED_TRACE(reduction);
        const QImage expected = turnedAfterDecoding(turboDecode(plain, reduction), orientation);
        const DecodedPicture reduced = decodeImageBytesReduced(file, expected.size());
        EXPECT_EQ(reduced.reduction, reduction);
        EXPECT_EQ(reduced.fullSize, full);
        EXPECT_EQ(reduced.picture.format(), kRgb32);
        EXPECT_TRUE(samePixels(reduced.picture, expected));
    }
}

class JpegUprightTest : public ::testing::TestWithParam<std::tuple<Coding, int>> {};

TEST_P(JpegUprightTest, EqualsTheStoredPictureTurnedAfterDecoding)
{
    const auto& [coding, orientation] = GetParam();
    // JPEG blocks cut short on the right and at the bottom, and more rows
    // than the decoder hands over at once. A stored height that is a multiple
    // of 4 lets a quarter turn move blocks of 4 x 4 pixels; the odd one moves
    // pixel by pixel.
    for (const QSize stored : {QSize(203, 141), QSize(202, 140)}) {
        SCOPED_TRACE(stored.height());
        expectEqualToTurnedAfterDecoding(turboJpeg(photoLikePicture(stored.width(), stored.height()), coding),
                                         orientation);
    }
}

// Large enough for the memory of large pages the decoder takes for a photo.
TEST(JpegUpright, ALargePhotoEqualsItsStoredPictureTurnedAfterDecoding)
{
    const QByteArray plain = turboJpeg(photoLikePicture(1602, 1400), kBaseline420);
    for (const int orientation : {1, 2, 6, 7}) {
        SCOPED_TRACE(orientation);
        expectEqualToTurnedAfterDecoding(plain, orientation);
    }
}

INSTANTIATE_TEST_SUITE_P(CodingsAndOrientations, JpegUprightTest,
                         ::testing::Combine(::testing::Values(Coding{"4:4:4", TJSAMP_444, 0},
                                                              Coding{"4:2:2", TJSAMP_422, 0}, kBaseline420,
                                                              Coding{"4:4:0", TJSAMP_440, 0},
                                                              Coding{"grey", TJSAMP_GRAY, 0}, kProgressive420),
                                            ::testing::Range(1, 9)));

// The reduction chosen for a view: the smallest picture that still covers the
// asked size in both directions once upright.
struct ReductionCase {
    QSize stored;
    int orientation;
    QSize atLeast;
    int reduction;
    friend void PrintTo(const ReductionCase& c, std::ostream* os)
    {
        *os << c.stored.width() << "x" << c.stored.height() << " orientation " << c.orientation << " at least "
            << c.atLeast.width() << "x" << c.atLeast.height();
    }
};

class JpegReductionTest : public ::testing::TestWithParam<ReductionCase> {};

TEST_P(JpegReductionTest, ChoosesTheSmallestPictureThatCoversTheView)
{
    const ReductionCase& c = GetParam();
    const QByteArray file = jpegWithOrientation(photoLikePicture(c.stored.width(), c.stored.height()), c.orientation);
    const QSize full = c.orientation >= 5 ? c.stored.transposed() : c.stored;
    const DecodedPicture decoded = decodeImageBytesReduced(file, c.atLeast);
    EXPECT_EQ(decoded.reduction, c.reduction);
    EXPECT_EQ(decoded.fullSize, full);
    EXPECT_EQ(decoded.picture.size(), reducedSize(full, c.reduction));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, JpegReductionTest,
    ::testing::Values(
        // An eighth of 800x600 is 100x75: exactly that, then one pixel more either way.
        ReductionCase{{800, 600}, 1, {100, 75}, 8}, ReductionCase{{800, 600}, 1, {101, 75}, 4},
        ReductionCase{{800, 600}, 1, {100, 76}, 4}, ReductionCase{{800, 600}, 1, {200, 150}, 4},
        ReductionCase{{800, 600}, 1, {201, 150}, 2}, ReductionCase{{800, 600}, 1, {400, 300}, 2},
        ReductionCase{{800, 600}, 1, {400, 301}, 1}, ReductionCase{{800, 600}, 1, {800, 600}, 1},
        // Larger than the photo: the whole of it is all there is.
        ReductionCase{{800, 600}, 1, {1600, 1200}, 1},
        // No size asked for: the smallest.
        ReductionCase{{800, 600}, 1, {0, 0}, 8}, ReductionCase{{800, 600}, 1, {}, 8},
        // Sizes that do not divide: the reduced picture is rounded up.
        ReductionCase{{801, 601}, 1, {101, 76}, 8}, ReductionCase{{801, 601}, 1, {102, 76}, 4},
        // Turned: the view is compared with the upright picture (600x800).
        ReductionCase{{800, 600}, 6, {75, 100}, 8}, ReductionCase{{800, 600}, 6, {100, 75}, 4},
        ReductionCase{{800, 600}, 8, {150, 200}, 4}, ReductionCase{{800, 600}, 8, {151, 200}, 2},
        ReductionCase{{800, 600}, 5, {300, 400}, 2}, ReductionCase{{800, 600}, 7, {300, 401}, 1},
        // A camera photo in the program's view.
        ReductionCase{{4000, 3000}, 1, {411, 279}, 8}, ReductionCase{{4000, 3000}, 6, {411, 279}, 4}));

TEST(JpegDamage, WhatCannotBeDecodedGivesANullPicture)
{
    const QByteArray jpeg = jpegWithOrientation(photoLikePicture(64, 48), 6);
    const qsizetype imageData = jpeg.indexOf(QByteArray("\xFF\xDA", 2));
    ASSERT_GT(imageData, 0);
    QByteArray garbage("\xFF\xD8\xFF", 3);
    for (int i = 0; i < 4000; ++i)
        garbage += char((i * 37 + 11) & 0x7F); // never a marker
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"the start marker alone", jpeg.left(3)},
        {"cut inside the EXIF block", jpeg.left(20)},
        {"cut just before the image data", jpeg.left(imageData)},
        {"garbage after a start marker", garbage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(decodeImageBytes(c.bytes).isNull());
        const DecodedPicture reduced = decodeImageBytesReduced(c.bytes, QSize(8, 8));
        EXPECT_TRUE(reduced.picture.isNull());
        EXPECT_FALSE(reduced.fullSize.isValid());
    }
}

// A photo copied only in part still opens, as far as it goes: the program
// lets the user see what there is rather than nothing.
TEST(JpegDamage, AFileCutInItsImageDataGivesThePartThatWasThere)
{
    const QByteArray jpeg = turboJpeg(photoLikePicture(64, 160), kBaseline420);
    const QImage whole = decodeImageBytes(jpeg);
    const QImage part = decodeImageBytes(jpeg.left(jpeg.size() * 3 / 4));
    ASSERT_EQ(part.size(), whole.size());
    EXPECT_EQ(part.format(), kRgb32);
    EXPECT_TRUE(samePixels(part.copy(0, 0, 64, 32), whole.copy(0, 0, 64, 32)));
    EXPECT_FALSE(samePixels(part.copy(0, 128, 64, 32), whole.copy(0, 128, 64, 32)));
}

// More scans than any encoder writes make a file that takes forever to decode.
TEST(JpegDamage, AProgressiveFileOfEndlessScansIsRefused)
{
    const QByteArray jpeg = turboJpeg(photoLikePicture(32, 32), kProgressive420);
    const qsizetype lastScan = jpeg.lastIndexOf(QByteArray("\xFF\xDA", 2));
    ASSERT_GT(lastScan, 0);
    const QByteArray scan = jpeg.mid(lastScan, jpeg.size() - 2 - lastScan);
    const auto withScansAdded = [&](int times) {
        return jpeg.left(jpeg.size() - 2) + scan.repeated(times) + jpeg.right(2);
    };
    EXPECT_FALSE(decodeImageBytes(withScansAdded(10)).isNull());
    EXPECT_TRUE(decodeImageBytes(withScansAdded(500)).isNull());
    EXPECT_TRUE(decodeImageBytesReduced(withScansAdded(500), QSize(4, 4)).picture.isNull());
}

// A few hundred bytes that declare a picture of 150 megapixels would take
// the program 600 MB (1.2 GB with a turn) and seconds of decoding: refused
// from the header. Real files, down to the plainest photo a camera or a
// scanner writes, pass.
TEST(JpegDamage, ADeclaredSizeTheDataCannotFillIsRefused)
{
    const QByteArray small = turboJpeg(quarteredPicture(8, 8), Coding{"grey", TJSAMP_GRAY, 0});
    const QByteArray bomb = jpegDeclaringSize(small, 12247, 12247);
    ASSERT_LT(bomb.size(), 400);
    const QImage blank(6000, 4000, kRgb32);
    QImage grey = blank;
    grey.fill(qRgb(128, 128, 128));
    const QByteArray plainestPhoto = turboJpeg(grey, kProgressiveGrey);
    const struct {
        const char* what;
        QByteArray bytes;
        bool opens;
    } cases[] = {
        {"150 megapixels declared in a few hundred bytes", bomb, false},
        {"the same, turned by EXIF (6)", withExifOrientation(bomb, 6), false},
        {"the same, turned by EXIF (8)", withExifOrientation(bomb, 8), false},
        {"the same, progressive", jpegDeclaringSize(turboJpeg(quarteredPicture(8, 8), kProgressive420), 12247, 12247),
         false},
        {"24 megapixels declared in a small photo's data",
         jpegDeclaringSize(turboJpeg(photoLikePicture(64, 64), kBaseline420), 6000, 4000), false},
        {"a 24-megapixel even grey, progressive grey scale", plainestPhoto, true},
        {"the same, turned by EXIF (6)", withExifOrientation(plainestPhoto, 6), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(c.bytes.isEmpty());
        EXPECT_EQ(!decodeImageBytes(c.bytes).isNull(), c.opens);
        EXPECT_EQ(!decodeImageBytesReduced(c.bytes, QSize(400, 300)).picture.isNull(), c.opens);
    }
}

// A file whose data ends before half the picture is filled is refused; one
// that ends later opens with what was there (see above).
TEST(JpegDamage, DataEndingBeforeHalfThePictureIsRefused)
{
    const QImage photo = photoLikePicture(64, 320);
    for (const Coding& coding : {kBaseline420, kProgressive420}) {
        SCOPED_TRACE(coding.name);
        const QByteArray jpeg = turboJpeg(photo, coding);
        const qsizetype scan = jpeg.indexOf(QByteArray("\xFF\xDA", 2));
        const qsizetype nextScan = jpeg.indexOf(QByteArray("\xFF\xDA", 2), scan + 2);
        const qsizetype firstScanEnd = nextScan > 0 ? nextScan : jpeg.size();
        const qsizetype early = scan + (firstScanEnd - scan) / 4;
        EXPECT_TRUE(decodeImageBytes(jpeg.left(early)).isNull());
        EXPECT_TRUE(decodeImageBytes(jpeg.left(early) + QByteArray("\xFF\xD9", 2)).isNull());
        EXPECT_TRUE(decodeImageBytesReduced(jpeg.left(early), QSize(8, 40)).picture.isNull());
        EXPECT_FALSE(decodeImageBytes(jpeg.left(scan + (firstScanEnd - scan) * 3 / 4)).isNull());
    }
}

} // namespace
