#include "imaging/image_decoder.h"

#include "imaging/colour_profile.h"

#include "imaging/image_file_bytes.h"
#include "imaging/image_limits.h"
#include "imaging/jpeg_decoder.h"
#include "imaging/picture_memory.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

enum class Container { Unknown, Jpeg, Png, Gif, Bmp };

Container containerOf(const QByteArray& b)
{
    if (b.startsWith("\xFF\xD8\xFF"))
        return Container::Jpeg;
    if (b.startsWith("\x89PNG\r\n\x1A\n"))
        return Container::Png;
    if (b.startsWith("GIF87a") || b.startsWith("GIF89a"))
        return Container::Gif;
    if (b.startsWith("BM"))
        return Container::Bmp;
    return Container::Unknown;
}

quint32 le32At(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16At(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Whether an uncompressed BMP holds all the rows its header declares. Qt's
// reader leaves missing rows as whatever the memory held and reports
// success, so such a file would show stray memory. Compressed (run-length)
// files are left to the reader.
bool bmpRowsPresent(const QByteArray& b)
{
    if (b.size() < 26)
        return false;
    const qint64 dataStart = le32At(b, 10);
    const quint32 headerSize = le32At(b, 14);
    qint64 width = 0, height = 0, bits = 0, compression = 0;
    if (headerSize == 12) { // the OS/2 header
        width = le16At(b, 18);
        height = le16At(b, 20);
        bits = le16At(b, 24);
    } else if (headerSize >= 40 && b.size() >= 34) {
        width = std::abs(qint64(qint32(le32At(b, 18))));
        height = std::abs(qint64(qint32(le32At(b, 22))));
        bits = le16At(b, 28);
        compression = le32At(b, 30);
    } else {
        return false;
    }
    constexpr qint64 kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    // Sizes beyond the program's bound are refused by the size check.
    if ((compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) ||
        width > kMaxPictureSide || height > kMaxPictureSide)
        return true;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return dataStart >= 14 + qint64(headerSize) && b.size() >= dataStart + rowBytes * height;
}

QImage decodeWithQt(const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    // The program's own bound on pictures holds for every format, not Qt's
    // default allocation limit (128 MB, a 33-megapixel picture).
    reader.setAllocationLimit(kReaderAllocationLimitMB);
    if (!pictureSizeAllowed(reader.size()))
        return {};
    QImage image;
    if (!reader.read(&image) || image.isNull() || !pictureSizeAllowed(image.size()))
        return {};
    // The file's colours to sRGB before the transparent parts go white: the
    // white is the program's own.
    if (NeedsConvertingToSrgb(image.colorSpace())) {
        const QColorSpace space = image.colorSpace();
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        ConvertToSrgb(image, space);
    }
    return opaqueOnWhite(image);
}

// Without `atLeast`, every format decodes whole.
DecodedPicture decode(const QByteArray& bytes, std::optional<QSize> atLeast)
{
    switch (containerOf(bytes)) {
    case Container::Jpeg: return decodeJpeg(bytes, atLeast);
    case Container::Png: return wholePicture(decodeWithQt(bytes, "png"));
    case Container::Gif: return wholePicture(decodeWithQt(bytes, "gif"));
    case Container::Bmp:
        if (!bmpRowsPresent(bytes))
            return {};
        return wholePicture(decodeWithQt(bytes, "bmp"));
    case Container::Unknown: break;
    }
    return {};
}

} // namespace

QImage opaqueOnWhite(const QImage& image)
{
    if (image.isNull())
        return {};
    // Qt converts large pictures on its thread pool and paints them with
    // threads; a process that cannot start threads would wait for ever. The
    // picture is converted here in bands small enough that Qt does each on
    // the calling thread, and laid on white by hand.
    constexpr qint64 kBandPixels = 65536;
    const int bandRows = int(std::clamp<qint64>(kBandPixels / std::max(image.width(), 1), 1, image.height()));
    const bool transparent = image.hasAlphaChannel();
    const QImage::Format bandFormat = transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage opaque = newRgb32Picture(image.size());
    if (opaque.isNull())
        return {};
    for (int top = 0; top < image.height(); top += bandRows) {
        const int rows = std::min(bandRows, image.height() - top);
        // A view of the band's rows, not a copy; the colour table travels with it.
        QImage band(image.constScanLine(top), image.width(), rows, image.bytesPerLine(), image.format());
        band.setColorTable(image.colorTable());
        const QImage converted = band.convertToFormat(bandFormat);
        for (int y = 0; y < rows; ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(converted.constScanLine(y));
            auto* to = reinterpret_cast<QRgb*>(opaque.scanLine(top + y));
            if (!transparent) {
                // Opaque whatever a reader left in the fourth byte.
                for (int x = 0; x < image.width(); ++x)
                    to[x] = from[x] | 0xFF000000u;
                continue;
            }
            // Premultiplied colour over white: c + (255 - alpha).
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = from[x];
                const int white = 255 - qAlpha(p);
                to[x] = qRgb(qRed(p) + white, qGreen(p) + white, qBlue(p) + white);
            }
        }
    }
    return opaque;
}

QImage decodeImageBytes(const QByteArray& bytes)
{
    return decode(bytes, std::nullopt).picture;
}

QImage decodeImageFile(const QString& path)
{
    return decodeImageBytes(readImageFileBytes(path));
}

DecodedPicture decodeImageBytesReduced(const QByteArray& bytes, QSize atLeast)
{
    return decode(bytes, atLeast);
}

DecodedPicture decodeImageFileReduced(const QString& path, QSize atLeast)
{
    return decodeImageBytesReduced(readImageFileBytes(path), atLeast);
}
