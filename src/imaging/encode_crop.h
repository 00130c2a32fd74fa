#pragma once
// Turning the captured pixels into the bytes of an output file; for JPEG the
// highest quality whose file fits the size limit is searched.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <limits>

struct EncodedCrop {
    QByteArray bytes;
    bool success = true;   // false only when even the lowest JPEG quality is over the limit
    qint64 lastSize = -1;  // the size of the last JPEG file encoded in the search; -1 for other formats
    int quality = -1;      // the JPEG quality of bytes; -1 for other formats
};

// The quality search over an encoder that gives the file at a quality:
// coarse steps of 5 from 100 down to the first fit, then single steps up
// from there to at most 4 more, stopping at the first that does not fit.
// `lastSize` of the result is the size of the last file encoded (at quality
// 0 when even that is over the limit).
struct JpegSearch {
    EncodedCrop result;
    QList<int> tried;
};
JpegSearch SearchJpegQuality(const std::function<QByteArray(int)>& encodeAt, qint64 limitBytes);

// The same search, told for each quality a size its file cannot be under
// (`boundAt`): a quality whose bound is over the limit is over it without
// being encoded, except quality 0, whose file is the result when nothing
// fits. Every decision, and so the quality and the file kept, is the one the
// search over encodeAt alone makes.
JpegSearch SearchJpegQuality(const std::function<qint64(int)>& boundAt, const std::function<QByteArray(int)>& encodeAt,
                             qint64 limitBytes);

// The limit in whole bytes: KB × 1024 rounded down, a product within 10⁻¹²
// below a whole number counting as that number.
qint64 JpegLimitBytes(double limitKB);

// Lower-cases the ASCII letters of an extension.
QString LowerCaseExtension(const QString& extension);

// Whether EncodeCrop writes this extension (".jpg", ".jpeg", ".bmp", ".gif", ".png").
bool IsOutputExtension(const QString& extension);

// Encodes the captured pixels in the format of the extension (any letter
// case). An extension the program does not write, or a null capture, gives no
// data with success.
// The print resolution comes from the capture: set it with SetPrintDensity
// (imaging/print_density.h) or QImage::setDotsPerMeterX/Y before encoding,
// and JPEG (JFIF dots per inch), PNG (pHYs) and BMP (pixels per metre) carry
// it; GIF has no place for it. A capture left at Qt's default for a new
// image gives the files it always gave. For JPEG the resolution is in every
// file the size search tries, so the limit holds for the whole file.
EncodedCrop EncodeCrop(const QImage& capture, const QString& extension, double limitKB);

// A limit no file reaches: a JPEG at the best quality, whatever its size
// (print sheets).
inline constexpr double kNoSizeLimitKB = std::numeric_limits<double>::infinity();

// The message shown when the limit cannot be met.
QString SizeLimitMessage(qint64 lastSize);
