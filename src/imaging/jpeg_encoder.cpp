#include "imaging/jpeg_encoder.h"

#include <turbojpeg.h>

#include <algorithm>

JpegEncoder::JpegEncoder() : handle_(tjInitCompress()) {}

JpegEncoder::~JpegEncoder()
{
    if (buffer_)
        tjFree(buffer_);
    if (handle_)
        tjDestroy(handle_);
}

QByteArray JpegEncoder::encode(const QImage& source, int quality)
{
    if (!handle_ || source.isNull())
        return {};
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const unsigned long needed = tjBufSize(w, h, TJSAMP_420);
    if (needed == static_cast<unsigned long>(-1))
        return {};
    if (needed > capacity_) {
        if (buffer_)
            tjFree(buffer_);
        buffer_ = tjAlloc(static_cast<int>(needed));
        capacity_ = buffer_ ? needed : 0;
        if (!buffer_)
            return {};
    }
    unsigned long size = capacity_;
    const int pixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    if (tjCompress2(handle_, image.constBits(), w, static_cast<int>(image.bytesPerLine()), h, pixelFormat,
                    &buffer_, &size, TJSAMP_420, std::clamp(quality, 0, 100), TJFLAG_NOREALLOC) != 0)
        return {};
    return QByteArray(reinterpret_cast<const char*>(buffer_), static_cast<qsizetype>(size));
}
