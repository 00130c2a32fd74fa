#include "imaging/jpeg_encoder.h"

#include "imaging/huffman_statistics.h"
#include "imaging/jpeg_compressor.h"

struct JpegEncoder::Compressor {
    JpegCompressor compressor;
    HuffmanStatistics statistics{};
};

namespace {

struct Scanlines {
    const QImage* image;
    HuffmanStatistics* statistics;
};

void writeScanlines(jpeg_compress_struct& info, void* context)
{
    const Scanlines& s = *static_cast<const Scanlines*>(context);
    jpeg_start_compress(&info, TRUE);
    gatherHuffmanStatistics(&info, *s.statistics);
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads the rows it is given.
        JSAMPROW row = const_cast<JSAMPROW>(s.image->constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
}

} // namespace

JpegEncoder::JpegEncoder() : compressor_(std::make_unique<Compressor>()) {}

JpegEncoder::~JpegEncoder() = default;

QByteArray JpegEncoder::encode(const QImage& source, int quality)
{
    // A side longer than JPEG allows is refused by libjpeg itself, through the error jump.
    if (source.isNull())
        return {};
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    Scanlines scanlines{&image, &compressor_->statistics};
    return compressor_->compressor.write(image.size(), quality, ChosenDensity(source), writeScanlines, &scanlines);
}
