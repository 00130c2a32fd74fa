#include "imaging/gif_encoder.h"

#include <gif_lib.h>

#include <vector>

namespace {

int appendToByteArray(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

} // namespace

QByteArray encodeGif(const QImage& source)
{
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const size_t count = size_t(w) * size_t(h);
    std::vector<GifByteType> red(count), green(count), blue(count), indices(count);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            red[i] = GifByteType(qRed(line[x]));
            green[i] = GifByteType(qGreen(line[x]));
            blue[i] = GifByteType(qBlue(line[x]));
        }
    }
    int paletteSize = 256;
    std::vector<GifColorType> palette(256);
    if (GifQuantizeBuffer(unsigned(w), unsigned(h), &paletteSize, red.data(), green.data(), blue.data(),
                          indices.data(), palette.data()) != GIF_OK)
        return {};

    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendToByteArray, &error);
    if (!gif)
        return {};
    ColorMapObject* map = GifMakeMapObject(256, palette.data());
    bool ok = map && EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, indices.data() + size_t(y) * size_t(w), w) == GIF_OK;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok)
        return {};
    return out;
}
