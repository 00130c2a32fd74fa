#include "imaging/rotation.h"

QImage RotateQuarter(const QImage& source, int degrees)
{
    if (source.isNull() || (degrees != 90 && degrees != -90))
        return {};
    const QImage in = source.convertToFormat(QImage::Format_RGB32);
    const int w = in.width();
    const int h = in.height();
    QImage out(h, w, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    auto* dst = reinterpret_cast<QRgb*>(out.bits());
    const qsizetype stride = out.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        if (degrees == 90) {
            const int column = h - 1 - y; // row y becomes column h-1-y, top to bottom
            for (int x = 0; x < w; ++x)
                dst[x * stride + column] = line[x];
        } else {
            for (int x = 0; x < w; ++x) // row y becomes column y, bottom to top
                dst[(w - 1 - x) * stride + y] = line[x];
        }
    }
    return out;
}
