#include "imaging/image_decoder.h"

#include "imaging/image_file_bytes.h"
#include "imaging/image_limits.h"
#include "imaging/jpeg_decoder.h"
#include "imaging/picture_memory.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
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
    return opaqueOnWhite(image);
}

// Without `atLeast`, every format decodes whole.
DecodedPicture decode(const QByteArray& bytes, std::optional<QSize> atLeast)
{
    switch (containerOf(bytes)) {
    case Container::Jpeg: return decodeJpeg(bytes, atLeast);
    case Container::Png: return wholePicture(decodeWithQt(bytes, "png"));
    case Container::Gif: return wholePicture(decodeWithQt(bytes, "gif"));
    case Container::Bmp: return wholePicture(decodeWithQt(bytes, "bmp"));
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
                std::copy(from, from + image.width(), to);
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
