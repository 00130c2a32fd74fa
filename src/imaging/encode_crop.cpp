#include "imaging/encode_crop.h"

#include "imaging/bmp_file.h"
#include "imaging/gif_encoder.h"
#include "imaging/jpeg_encodings_ahead.h"
#include "imaging/jpeg_quality_tries.h"

#include <QBuffer>
#include <QImageWriter>

#include <cmath>

JpegSearch SearchJpegQuality(const std::function<qint64(int)>& boundAt, const std::function<QByteArray(int)>& encodeAt,
                             qint64 limitBytes)
{
    JpegSearch search;
    EncodedCrop& r = search.result;
    // Whether the file at q fits; its bytes in `bytes` when it was encoded.
    const auto fits = [&](int q, QByteArray& bytes) {
        search.tried.append(q);
        if (q != 0 && boundAt(q) > limitBytes)
            return false;
        bytes = encodeAt(q);
        r.lastSize = bytes.size();
        return r.lastSize <= limitBytes;
    };
    int best = -1;
    for (int q = 100; q >= 0; q -= 5) {
        QByteArray bytes;
        if (fits(q, bytes)) {
            r.bytes = std::move(bytes);
            r.quality = best = q;
            break;
        }
        if (q == 0) {
            r.bytes = std::move(bytes);
            r.quality = 0;
            r.success = false;
            return search;
        }
    }
    const int end = std::min(best + 4, 100);
    for (int q = best + 1; q <= end; ++q) {
        QByteArray bytes;
        if (!fits(q, bytes))
            break;
        r.bytes = std::move(bytes);
        r.quality = q;
    }
    r.success = true;
    return search;
}

JpegSearch SearchJpegQuality(const std::function<QByteArray(int)>& encodeAt, qint64 limitBytes)
{
    return SearchJpegQuality([](int) { return qint64(0); }, encodeAt, limitBytes);
}

qint64 JpegLimitBytes(double limitKB)
{
    const double product = limitKB * 1024.0;
    if (!(product > 0)) // also NaN
        return 0;
    if (product >= 9.0e15)
        return qint64(9'000'000'000'000'000LL);
    const double whole = std::ceil(product);
    if (whole - product <= 1e-12)
        return static_cast<qint64>(whole);
    return static_cast<qint64>(std::floor(product));
}

QString LowerCaseExtension(const QString& extension)
{
    QString lower = extension;
    for (QChar& c : lower) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return lower;
}

bool IsOutputExtension(const QString& extension)
{
    static const QStringList known = {QStringLiteral(".jpg"), QStringLiteral(".jpeg"), QStringLiteral(".bmp"),
                                      QStringLiteral(".gif"), QStringLiteral(".png")};
    return known.contains(LowerCaseExtension(extension));
}

static QByteArray encodePng(const QImage& image)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return {};
    return bytes;
}

// The kept quality's file under the limit. Where the limit may be near, the
// tries quantise the transforms made once and encode only the qualities that
// may fit. Without a limit, the first file fits: one plain encoding. A
// picture over 16 megapixels would have transforms larger than itself: its
// files are encoded whole, two at a time.
static EncodedCrop searchJpeg(const QImage& source, qint64 limitBytes)
{
    constexpr qint64 kMostPixelsForTries = 16 * 1024 * 1024;
    if (limitBytes >= JpegLimitBytes(kNoSizeLimitKB) || qint64(source.width()) * source.height() > kMostPixelsForTries) {
        JpegEncodingsAhead encodings(source);
        return SearchJpegQuality([&](int quality) { return encodings.encode(quality); }, limitBytes).result;
    }
    JpegQualityTries tries(source);
    return SearchJpegQuality([&](int quality) { return tries.sizeBeforeStuffing(quality); },
                             [&](int quality) { return tries.encode(quality); }, limitBytes)
        .result;
}

EncodedCrop EncodeCrop(const QImage& capture, const QString& extension, double limitKB)
{
    EncodedCrop crop;
    if (capture.isNull())
        return crop;
    // Every format is written from the same opaque pixels; for a capture,
    // which is already RGB32, this shares the pixels without a copy.
    const QImage source = capture.convertToFormat(QImage::Format_RGB32);
    const QString ext = LowerCaseExtension(extension);
    if (ext == QLatin1String(".bmp"))
        crop.bytes = encodeBmp24(source);
    else if (ext == QLatin1String(".gif"))
        crop.bytes = encodeGif(source);
    else if (ext == QLatin1String(".png"))
        crop.bytes = encodePng(source);
    else if (ext == QLatin1String(".jpg") || ext == QLatin1String(".jpeg"))
        crop = searchJpeg(source, JpegLimitBytes(limitKB));
    return crop;
}

QString SizeLimitMessage(qint64 lastSize)
{
    const double kb = lastSize / 1024.0;
    const double tenths = std::floor(kb * 10.0);
    // Half away from zero; a value within 10⁻¹² below the half counts as reaching it.
    const double boundary = (tenths + 0.5) / 10.0;
    const double rounded = (kb >= boundary - 1e-12 ? tenths + 1.0 : tenths) / 10.0;
    return QStringLiteral("当前截图区域输出图片所能达到的最小体积为") + QString::number(rounded, 'g', 13) +
           QStringLiteral("KB大小，\n请重新设置JPG输出体积。");
}
