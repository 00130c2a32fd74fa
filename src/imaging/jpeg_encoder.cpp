#include "imaging/jpeg_encoder.h"

#include "imaging/huffman_statistics.h"
#include "imaging/libjpeg_errors.h"
#include "imaging/print_density.h"

#include <QSysInfo>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

// The largest file the compressor can write for a picture of this size: each
// 8×8 block at its worst (a 16-bit code and 11 extra bits for each of its 64
// values, every byte doubled by stuffing), six blocks to a 16×16 unit at
// 4:2:0, and room for the headers. The output then never outgrows the buffer.
unsigned long worstCaseBytes(int width, int height)
{
    const unsigned long across = static_cast<unsigned long>((width + 15) / 16);
    const unsigned long down = static_cast<unsigned long>((height + 15) / 16);
    const unsigned long units = across * down;
    return units * 6 * (64 * 27 / 8 + 1) * 2 + 4096;
}

} // namespace

struct JpegEncoder::Compressor {
    jpeg_compress_struct info{};
    LibjpegErrorJump error{};
    HuffmanStatistics statistics{};
    bool created = false;
    unsigned char* buffer = nullptr; // from malloc, as jpeg_mem_dest expects
    unsigned long capacity = 0;
    std::optional<PrintDensity> density; // of the picture being written

    Compressor();
    ~Compressor();
    bool reserve(unsigned long bytes);
    // Writes the file into the buffer and its length into `size`; false when
    // libjpeg stopped with an error. Nothing in this frame has a destructor, so
    // the jump back into it skips none.
    bool run(const QImage& image, int quality, unsigned long& size);
    void write(const QImage& image, int quality, unsigned long& size);
};

JpegEncoder::Compressor::Compressor()
{
    info.err = installErrorJump(error);
    if (setjmp(error.jump))
        return; // out of memory: the encoder gives no data
    jpeg_create_compress(&info);
    created = true;
}

JpegEncoder::Compressor::~Compressor()
{
    jpeg_destroy_compress(&info); // also safe after a failed creation
    std::free(buffer);
}

bool JpegEncoder::Compressor::reserve(unsigned long bytes)
{
    if (bytes <= capacity)
        return true;
    std::free(buffer);
    buffer = static_cast<unsigned char*>(std::malloc(bytes));
    capacity = buffer ? bytes : 0;
    return buffer != nullptr;
}

bool JpegEncoder::Compressor::run(const QImage& image, int quality, unsigned long& size)
{
    if (setjmp(error.jump)) {
        jpeg_abort_compress(&info);
        return false;
    }
    write(image, quality, size);
    return true;
}

void JpegEncoder::Compressor::write(const QImage& image, int quality, unsigned long& size)
{
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 4;
    info.in_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // The resolution the caller asked for, in dots per inch in the JFIF
    // header; otherwise libjpeg's default (no unit, 1:1) as always.
    if (density) {
        info.density_unit = 1;
        info.X_density = UINT16(std::clamp(DotsPerInch(density->dotsPerMeterX), 1, 65535));
        info.Y_density = UINT16(std::clamp(DotsPerInch(density->dotsPerMeterY), 1, 65535));
    }
    // The transform the program's JPEG files have always had (TurboJPEG's
    // choice: the fast one below quality 96), so the pixels of a file at a
    // quality stay as they were and only the tables below shrink it.
    info.dct_method = quality >= 96 ? JDCT_ISLOW : JDCT_IFAST;
    // Tables built for this picture make the file smaller at the same
    // quality, so the search can keep a higher quality under a limit.
    info.optimize_coding = TRUE;
    // 4:2:0: one sample of each colour difference for every 2×2 brightness samples.
    info.comp_info[0].h_samp_factor = 2;
    info.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_mem_dest(&info, &buffer, &size);
    jpeg_start_compress(&info, TRUE);
    gatherHuffmanStatistics(&info, statistics);
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads the rows it is given.
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
}

JpegEncoder::JpegEncoder() : compressor_(std::make_unique<Compressor>()) {}

JpegEncoder::~JpegEncoder() = default;

QByteArray JpegEncoder::encode(const QImage& source, int quality)
{
    Compressor& c = *compressor_;
    // A side longer than JPEG allows is refused by libjpeg itself, through the error jump.
    if (!c.created || source.isNull())
        return {};
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    if (!c.reserve(worstCaseBytes(image.width(), image.height())))
        return {};
    c.density = ChosenDensity(source);
    unsigned char* const reserved = c.buffer;
    unsigned long size = c.capacity;
    if (!c.run(image, std::clamp(quality, 0, 100), size))
        return {};
    if (c.buffer != reserved) {
        // libjpeg moved the output to a larger buffer of its own; it is kept in place of ours.
        std::free(reserved);
        c.capacity = size;
    }
    return QByteArray(reinterpret_cast<const char*>(c.buffer), static_cast<qsizetype>(size));
}
