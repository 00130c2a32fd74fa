#pragma once
// JPEG encoding through libjpeg: baseline, 4:2:0 chroma, Huffman tables
// optimised for each picture. One encoder keeps its compressor and output
// buffer for all the encodings of a quality search.
#include <QByteArray>
#include <QImage>

#include <memory>

class JpegEncoder {
public:
    JpegEncoder();
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // The JPEG file of `image` at quality 0..100 (clamped); no data on failure.
    QByteArray encode(const QImage& image, int quality);

private:
    struct Compressor;
    std::unique_ptr<Compressor> compressor_;
};
