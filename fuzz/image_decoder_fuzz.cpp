// Pictures of every format the program opens, decoded whole and reduced.
//
// The input's first four bytes are the size the reduced picture must cover
// (width and height, 16-bit little-endian); the rest is the file. A JPEG is
// also decoded apart, through libjpeg without any turning, and must match
// pixel for pixel once turned by its EXIF orientation here; the other
// formats are read apart through Qt, and must match where the picture is
// opaque or fully transparent (laid on white).
#include "support/fuzz_check.h"

#include "imaging/colour_profile.h"
#include "imaging/exif_orientation.h"
#include "imaging/image_decoder.h"
#include "imaging/image_limits.h"
#include "imaging/libjpeg_errors.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

// Pictures past this many pixels are only checked for their sizes, so that
// each input stays quick.
constexpr qint64 kMaxComparedPixels = 512 * 512;

qint64 pixels(QSize size)
{
    return qint64(size.width()) * size.height();
}

int divideUp(int value, int divisor)
{
    return (value + divisor - 1) / divisor;
}

QSize reducedSize(QSize full, int reduction)
{
    return {divideUp(full.width(), reduction), divideUp(full.height(), reduction)};
}

// A line of a 32-bit picture.
const QRgb* rgbLine(const QImage& picture, int y)
{
    return reinterpret_cast<const QRgb*>(picture.constScanLine(y));
}

bool isJpeg(const QByteArray& file)
{
    return file.startsWith("\xFF\xD8\xFF");
}

bool allOpaque(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* line = rgbLine(picture, y);
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

// Every decoded picture is opaque RGB32, down to the fourth byte of each
// pixel. Qt's readers can give RGB32 pictures whose fourth bytes are not
// (a GIF pixel outside its colour table); the decoder must not pass them on.
void checkOpaque(const QImage& picture)
{
    FUZZ_CHECK(picture.format() == QImage::Format_RGB32);
    FUZZ_CHECK(pixels(picture.size()) > kMaxComparedPixels || allOpaque(picture));
}

// The stored picture's pixel that shows at (x, y) of the upright one.
QPoint storedPoint(int x, int y, QSize stored, int orientation)
{
    const int w = stored.width();
    const int h = stored.height();
    switch (orientation) {
    case 2: return {w - 1 - x, y};
    case 3: return {w - 1 - x, h - 1 - y};
    case 4: return {x, h - 1 - y};
    case 5: return {y, x};
    case 6: return {y, h - 1 - x};
    case 7: return {w - 1 - y, h - 1 - x};
    case 8: return {w - 1 - y, x};
    default: return {x, y};
    }
}

// Reads the stored rows one at a time into `picture` (libjpeg's own loop,
// no turning); false when libjpeg stops with an error. Holds no object with
// a destructor, as libjpeg's error jump lands here.
bool readStoredRows(jpeg_decompress_struct& info, LibjpegErrorJump& error, QImage& picture)
{
    if (setjmp(error.jump))
        return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.scanLine(int(info.output_scanline));
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            return false;
    }
    return true;
}

bool startStored(jpeg_decompress_struct& info, LibjpegErrorJump& error, const QByteArray& file, int reduction)
{
    if (setjmp(error.jump))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.constData()),
                 static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned int>(reduction);
    info.out_color_space = JCS_EXT_BGRX; // RGB32 on a little-endian machine
    jpeg_calc_output_dimensions(&info);
    if (qint64(info.output_width) * info.output_height > kMaxComparedPixels)
        return false;
    return jpeg_start_decompress(&info) == TRUE;
}

// The stored pixels reduced by `reduction`, decoded apart from the program's
// decoder; nothing when libjpeg cannot decode them.
std::optional<QImage> storedJpeg(const QByteArray& file, int reduction)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    jpeg_decompress_struct info{};
    LibjpegErrorJump error{};
    info.err = installErrorJump(error);
    std::optional<QImage> stored;
    if (startStored(info, error, file, reduction)) {
        QImage picture(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
        if (!picture.isNull() && readStoredRows(info, error, picture))
            stored = std::move(picture);
    }
    jpeg_destroy_decompress(&info); // also after a failed creation
    return stored;
}

void checkJpegPixels(const QByteArray& file, const QImage& picture, int reduction)
{
    if (picture.isNull() || pixels(picture.size()) > kMaxComparedPixels)
        return;
    const std::optional<QImage> stored = storedJpeg(file, reduction);
    if (!stored)
        return;
    const int orientation = exifOrientation(file);
    FUZZ_CHECK(orientation >= 1 && orientation <= 8);
    FUZZ_CHECK(picture.size() == uprightSize(stored->size(), orientation));
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* line = rgbLine(picture, y);
        for (int x = 0; x < picture.width(); ++x) {
            const QPoint from = storedPoint(x, y, stored->size(), orientation);
            FUZZ_CHECK(line[x] == rgbLine(*stored, from.y())[from.x()]);
        }
    }
}

// The reduction is the largest of 2, 4 and 8 whose picture still covers
// `atLeast`, or 1 when none does.
int expectedReduction(QSize full, QSize atLeast)
{
    int reduction = 1;
    for (const int r : {2, 4, 8}) {
        const QSize reduced = reducedSize(full, r);
        if (reduced.width() >= atLeast.width() && reduced.height() >= atLeast.height())
            reduction = r;
    }
    return reduction;
}

// The file read apart through Qt, its format told by its first bytes as the
// decoder tells it.
QImage readWithQt(const QByteArray& file)
{
    const char* format = file.startsWith("\x89PNG\r\n\x1A\n")                      ? "png"
                         : file.startsWith("GIF87a") || file.startsWith("GIF89a") ? "gif"
                         : file.startsWith("BM")                                  ? "bmp"
                                                                                  : nullptr;
    if (!format)
        return {};
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    QImage read = reader.read();
    // In sRGB, as the program takes every picture.
    if (NeedsConvertingToSrgb(read.colorSpace())) {
        const QColorSpace space = read.colorSpace();
        read = read.convertToFormat(QImage::Format_ARGB32);
        ConvertToSrgb(read, space);
    }
    return read;
}

void checkQtPixels(const QByteArray& file, const QImage& picture)
{
    if (picture.isNull() || pixels(picture.size()) > kMaxComparedPixels)
        return;
    const QImage read = readWithQt(file);
    if (read.size() != picture.size())
        return;
    const QImage source = read.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* sourceLine = rgbLine(source, y);
        const QRgb* shownLine = rgbLine(picture, y);
        for (int x = 0; x < source.width(); ++x) {
            const QRgb from = sourceLine[x];
            const QRgb shown = shownLine[x] | 0xFF000000; // the colour: checkOpaque looks at the rest
            if (qAlpha(from) == 255) {
                FUZZ_CHECK(shown == from);
            } else if (qAlpha(from) == 0) {
                FUZZ_CHECK(shown == qRgb(255, 255, 255));
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt's readers say why each damaged file fails; thousands of times a second.
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio*=false");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv); // for the whole run, as in the program
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QSize atLeast(0, 0);
    if (input.size() >= 4) {
        const auto u16 = [&input](int at) { return int(quint8(input[at])) | int(quint8(input[at + 1])) << 8; };
        atLeast = QSize(u16(0), u16(2));
    }
    const QByteArray file = input.size() >= 4 ? input.mid(4) : input;

    const QImage whole = decodeImageBytes(file);
    const DecodedPicture reduced = decodeImageBytesReduced(file, atLeast);

    if (!whole.isNull()) {
        FUZZ_CHECK(pictureSizeAllowed(whole.size()));
        checkOpaque(whole);
    }
    if (!reduced.picture.isNull()) {
        FUZZ_CHECK(pictureSizeAllowed(reduced.fullSize));
        FUZZ_CHECK(reduced.picture.size() == reducedSize(reduced.fullSize, reduced.reduction));
        checkOpaque(reduced.picture);
    }
    if (!whole.isNull() && !reduced.picture.isNull())
        FUZZ_CHECK(reduced.fullSize == whole.size());

    if (isJpeg(file)) {
        if (!reduced.picture.isNull())
            FUZZ_CHECK(reduced.reduction == expectedReduction(reduced.fullSize, atLeast));
        checkJpegPixels(file, whole, 1);
        checkJpegPixels(file, reduced.picture, reduced.reduction);
    } else {
        // Only a JPEG is decoded reduced.
        FUZZ_CHECK(reduced.picture.isNull() == whole.isNull());
        if (!whole.isNull())
            FUZZ_CHECK(reduced.reduction == 1 && reduced.picture.size() == whole.size());
        if (!whole.isNull()) {
            FUZZ_CHECK(reduced.picture == whole);
            checkQtPixels(file, whole);
        }
    }
    return 0;
}
