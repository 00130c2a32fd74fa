#include "imaging/jpeg_compressor.h"

#include <QSysInfo>

#include <algorithm>
#include <cstdlib>

namespace {

// The largest file the compressor can write for a picture of this size: each
// 8×8 block at its worst (a 16-bit code and 11 extra bits for each of its 64
// values, every byte doubled by stuffing), six blocks to a 16×16 unit at
// 4:2:0, and room for the headers. The output then never outgrows the buffer.
unsigned long worstCaseBytes(QSize size)
{
    const unsigned long across = static_cast<unsigned long>((size.width() + 15) / 16);
    const unsigned long down = static_cast<unsigned long>((size.height() + 15) / 16);
    const unsigned long units = across * down;
    return units * 6 * (64 * 27 / 8 + 1) * 2 + 4096;
}

} // namespace

JpegCompressor::JpegCompressor()
{
    info_.err = installErrorJump(error_);
    if (setjmp(error_.jump))
        return; // out of memory: the compressor gives no data
    jpeg_create_compress(&info_);
    created_ = true;
}

JpegCompressor::~JpegCompressor()
{
    jpeg_destroy_compress(&info_); // also safe after a failed creation
    std::free(buffer_);
}

bool JpegCompressor::reserve(unsigned long bytes)
{
    if (bytes <= capacity_)
        return true;
    std::free(buffer_);
    buffer_ = static_cast<unsigned char*>(std::malloc(bytes));
    capacity_ = buffer_ ? bytes : 0;
    return buffer_ != nullptr;
}

void JpegCompressor::setUp(jpeg_compress_struct& info, int quality, const std::optional<PrintDensity>& density)
{
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
}

bool JpegCompressor::run(QSize size, int quality, const std::optional<PrintDensity>& density, Writing body,
                         void* context, unsigned long& size_out)
{
    if (setjmp(error_.jump)) {
        jpeg_abort_compress(&info_);
        return false;
    }
    info_.image_width = static_cast<JDIMENSION>(size.width());
    info_.image_height = static_cast<JDIMENSION>(size.height());
    info_.input_components = 4;
    info_.in_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    setUp(info_, quality, density);
    jpeg_mem_dest(&info_, &buffer_, &size_out);
    body(info_, context);
    return true;
}

QByteArray JpegCompressor::write(QSize size, int quality, const std::optional<PrintDensity>& density,
                                 Writing body, void* context)
{
    if (!created_ || size.isEmpty() || !reserve(worstCaseBytes(size)))
        return {};
    unsigned char* const reserved = buffer_;
    unsigned long written = capacity_;
    if (!run(size, std::clamp(quality, 0, 100), density, body, context, written))
        return {};
    if (buffer_ != reserved) {
        // libjpeg moved the output to a larger buffer of its own; it is kept in place of ours.
        std::free(reserved);
        capacity_ = written;
    }
    return QByteArray(reinterpret_cast<const char*>(buffer_), static_cast<qsizetype>(written));
}
