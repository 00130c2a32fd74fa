#include "support/test_images.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

QImage quarteredPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    const int hw = width / 2;
    const int hh = height / 2;
    QPainter p(&image);
    p.fillRect(0, 0, hw, hh, QColor(255, 0, 0));
    p.fillRect(hw, 0, width - hw, hh, QColor(0, 255, 0));
    p.fillRect(hw, hh, width - hw, height - hh, QColor(0, 0, 255));
    p.fillRect(0, hh, hw, height - hh, QColor(255, 255, 255));
    return image;
}

QImage photoLikePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = ((x * 7919 + y * 104729) ^ (x * y)) & 31;
            line[x] = qRgb((x * 255 / std::max(1, width - 1) + noise) & 255,
                           (y * 255 / std::max(1, height - 1) + noise) & 255, ((x + y) / 3 + noise) & 255);
        }
    }
    return image;
}

QByteArray encodeAs(const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

QByteArray jpegWithOrientation(const QImage& image, int orientation)
{
    return withExifOrientation(encodeAs(image, "jpeg", 95), orientation);
}

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation)
{
    // Exif header, then a big-endian TIFF block with one IFD entry: 0x0112 SHORT 1 = orientation.
    QByteArray tiff("MM\x00\x2A\x00\x00\x00\x08", 8);
    tiff += QByteArray("\x00\x01", 2);
    tiff += QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8);
    tiff += char(0);
    tiff += char(orientation);
    tiff += QByteArray("\x00\x00", 2);
    tiff += QByteArray("\x00\x00\x00\x00", 4);
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const int length = body.size() + 2;
    QByteArray app1("\xFF\xE1", 2);
    app1 += char(length >> 8);
    app1 += char(length & 0xFF);
    app1 += body;
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

QByteArray jpegDeclaringSize(QByteArray jpeg, int width, int height)
{
    qsizetype frame = -1;
    for (const char kind : {'\xC0', '\xC2'})
        if (frame < 0)
            frame = jpeg.indexOf(QByteArray("\xFF", 1) + kind);
    if (frame < 0)
        return {};
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xFF);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xFF);
    return jpeg;
}

static quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

static QByteArray bigEndian(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (24 - 8 * i)) & 0xFF);
    return b;
}

QByteArray pngHeaderClaiming(quint32 width, quint32 height)
{
    QByteArray ihdr = QByteArray("IHDR") + bigEndian(width) + bigEndian(height) +
                      QByteArray("\x08\x02\x00\x00\x00", 5);
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    png += bigEndian(13) + ihdr + bigEndian(crc32(ihdr));
    const QByteArray idat("IDAT\x78\x9C\x03\x00", 8);
    png += bigEndian(4) + idat + bigEndian(crc32(idat));
    const QByteArray iend("IEND");
    png += bigEndian(0) + iend + bigEndian(crc32(iend));
    return png;
}

QRgb coarse(QRgb c)
{
    const auto r = [](int v) { return std::min(255, (v + 16) / 32 * 32); };
    return qRgb(r(qRed(c)), r(qGreen(c)), r(qBlue(c)));
}
