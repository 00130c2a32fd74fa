#pragma once
// JPEG encoding through TurboJPEG. One encoder keeps its compressor and output
// buffer for all the encodings of a quality search.
#include <QByteArray>
#include <QImage>

class JpegEncoder {
public:
    JpegEncoder();
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // The JPEG file of `image` at quality 0..100 (clamped); no data on failure.
    QByteArray encode(const QImage& image, int quality);

private:
    void* handle_ = nullptr;
    unsigned char* buffer_ = nullptr;
    unsigned long capacity_ = 0;
};
