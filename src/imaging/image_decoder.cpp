#include "imaging/image_decoder.h"

#include "imaging/image_file_bytes.h"
#include "imaging/image_limits.h"
#include "imaging/jpeg_decoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

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
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
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
