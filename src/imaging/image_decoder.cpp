#include "imaging/image_decoder.h"

#include "imaging/exif_orientation.h"
#include "imaging/image_limits.h"
#include "platform/atomic_file.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <turbojpeg.h>

#include <memory>

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

struct TjDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

QImage decodeJpeg(const QByteArray& bytes)
{
    std::unique_ptr<void, TjDeleter> tj(tjInitDecompress());
    if (!tj)
        return {};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(tj.get(), data, size, &width, &height, &subsampling, &colourspace) != 0)
        return {};
    if (!pictureSizeAllowed(QSize(width, height)))
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const int pixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    // LIMITSCANS refuses progressive files built to take forever; a warning
    // (for example a file cut short) still gives the part that was there.
    const int result = tjDecompress2(tj.get(), data, size, image.bits(), width,
                                     static_cast<int>(image.bytesPerLine()), height, pixelFormat,
                                     TJFLAG_LIMITSCANS);
    if (result != 0 && tjGetErrorCode(tj.get()) != TJERR_WARNING)
        return {};
    return applyExifOrientation(image, exifOrientation(bytes));
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
    switch (containerOf(bytes)) {
    case Container::Jpeg: return decodeJpeg(bytes);
    case Container::Png: return decodeWithQt(bytes, "png");
    case Container::Gif: return decodeWithQt(bytes, "gif");
    case Container::Bmp: return decodeWithQt(bytes, "bmp");
    case Container::Unknown: break;
    }
    return {};
}

QImage decodeImageFile(const QString& path)
{
    return decodeImageBytes(readSmallFile(path, kMaxImageFileBytes));
}
