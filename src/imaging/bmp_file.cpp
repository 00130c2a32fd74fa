#include "imaging/bmp_file.h"

#include "imaging/print_density.h"

namespace {

void putU16(char* p, quint16 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

void putU32(char* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

} // namespace

QByteArray encodeBmp24(const QImage& source)
{
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const qsizetype rowBytes = (qsizetype(w) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixelBytes = rowBytes * h;
    QByteArray bmp(54 + pixelBytes, '\0');
    char* d = bmp.data();
    d[0] = 'B';
    d[1] = 'M';
    putU32(d + 2, quint32(bmp.size()));
    putU32(d + 10, 54);
    putU32(d + 14, 40);
    putU32(d + 18, quint32(w));
    putU32(d + 22, quint32(h));
    putU16(d + 26, 1);
    putU16(d + 28, 24);
    putU32(d + 34, quint32(pixelBytes));
    // The resolution the caller asked for, else 96 dpi as always.
    const std::optional<PrintDensity> density = ChosenDensity(source);
    putU32(d + 38, density ? quint32(density->dotsPerMeterX) : 3780);
    putU32(d + 42, density ? quint32(density->dotsPerMeterY) : 3780);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        char* row = d + 54 + rowBytes * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(qBlue(line[x]));
            row[3 * x + 1] = char(qGreen(line[x]));
            row[3 * x + 2] = char(qRed(line[x]));
        }
    }
    return bmp;
}
