#pragma once
// One libjpeg compressor with its error jump and an output buffer kept for
// every file it writes, set up the one way the program writes JPEG files:
// baseline, 4:2:0 chroma, Huffman tables optimised for each picture, the
// transform the files have always had at each quality, and the JFIF density
// the caller asked for. Both the encoder from pixels and the writer of
// already quantised blocks go through it, so their files agree.
#include "imaging/libjpeg_errors.h"
#include "imaging/print_density.h"

#include <QByteArray>
#include <QSize>

#include <optional>

class JpegCompressor {
public:
    JpegCompressor();
    ~JpegCompressor();
    JpegCompressor(const JpegCompressor&) = delete;
    JpegCompressor& operator=(const JpegCompressor&) = delete;

    // The libjpeg calls from the start of a file to its end, on a compressor
    // already set up; `context` is the caller's. libjpeg's errors jump out of
    // it, so it must hold no object with a destructor.
    using Writing = void (*)(jpeg_compress_struct& info, void* context);

    // Sets the compressor up for a picture of `size` at `quality` (0..100),
    // points its output at the buffer and runs `body`; the file, or no data
    // when the buffer cannot be had or libjpeg stopped with an error (a side
    // longer than JPEG allows, for one).
    QByteArray write(QSize size, int quality, const std::optional<PrintDensity>& density, Writing body,
                     void* context);

    // The settings every file of the program has, applied to `info` whose
    // size and input colours are set: defaults, quality, transform,
    // optimised tables, 4:2:0, density. libjpeg may jump out of it.
    static void setUp(jpeg_compress_struct& info, int quality, const std::optional<PrintDensity>& density);

private:
    bool reserve(unsigned long bytes);
    // Nothing in this frame has a destructor, so the jump back into it skips none.
    bool run(QSize size, int quality, const std::optional<PrintDensity>& density, Writing body, void* context,
             unsigned long& size_out);

    jpeg_compress_struct info_{};
    LibjpegErrorJump error_{};
    bool created_ = false;
    unsigned char* buffer_ = nullptr; // from malloc, as jpeg_mem_dest expects
    unsigned long capacity_ = 0;
};
