#pragma once
// The tries of a JPEG size search on one picture, each for less than a whole
// encoding and none changing a byte of any file. The transforms do not depend
// on the quality, so they are made once (jpeg_blocks.h); a try only
// quantises them again and counts the Huffman symbols. With tables optimised
// for the picture, those counts give the file's size but for the zero byte
// libjpeg stuffs after each 0xFF of the coded data: so the size found is a
// bound under the file's, exact but for those bytes, and a try above the
// limit by that bound needs no encoding at all. A try that may fit is coded
// for real from the quantised blocks (jpeg_file_parts.h), without libjpeg's
// whole pipeline: byte for byte the file JpegEncoder gives at that quality.
#include "imaging/jpeg_blocks.h"
#include "imaging/print_density.h"

#include <QByteArray>
#include <QImage>

#include <memory>
#include <optional>
#include <vector>

class JpegQualityTries {
public:
    // `picture` in RGB32 (or ARGB32, its alpha ignored); its print density as EncodeCrop takes it.
    explicit JpegQualityTries(const QImage& picture);
    ~JpegQualityTries();
    JpegQualityTries(const JpegQualityTries&) = delete;
    JpegQualityTries& operator=(const JpegQualityTries&) = delete;

    // The size of the file at `quality` (0..100) less the stuffed zero bytes
    // of its coded data; -1 when the picture cannot be a JPEG file.
    qint64 sizeBeforeStuffing(int quality);

    // The file at `quality`, exactly as JpegEncoder writes it; no data on failure.
    QByteArray encode(int quality);

private:
    struct Tables;
    const Tables& tablesAt(int quality);

    JpegBlocks blocks_;
    std::optional<PrintDensity> density_;
    std::unique_ptr<Tables> tables_;
    struct TableMaker;
    std::unique_ptr<TableMaker> tableMaker_;
};
