#include "imaging/exif_orientation.h"

namespace {

class Reader {
public:
    Reader(const QByteArray& data, qsizetype begin, qsizetype end, bool littleEndian)
        : d_(data), begin_(begin), end_(end), little_(littleEndian) {}

    bool has(qsizetype offset, qsizetype length) const
    {
        return offset >= 0 && length >= 0 && begin_ + offset + length <= end_;
    }
    quint16 u16(qsizetype offset) const
    {
        const auto b = [&](qsizetype i) { return quint16(quint8(d_[begin_ + offset + i])); };
        return little_ ? quint16(b(0) | (b(1) << 8)) : quint16((b(0) << 8) | b(1));
    }
    quint32 u32(qsizetype offset) const
    {
        const auto b = [&](qsizetype i) { return quint32(quint8(d_[begin_ + offset + i])); };
        return little_ ? (b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24))
                       : ((b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3));
    }

private:
    const QByteArray& d_;
    qsizetype begin_;
    qsizetype end_;
    bool little_;
};

// Orientation tag in IFD0 of a TIFF structure at [begin, end).
int orientationInTiff(const QByteArray& data, qsizetype begin, qsizetype end)
{
    if (end - begin < 8)
        return 1;
    const bool little = data[begin] == 'I' && data[begin + 1] == 'I';
    const bool big = data[begin] == 'M' && data[begin + 1] == 'M';
    if (!little && !big)
        return 1;
    const Reader r(data, begin, end, little);
    if (r.u16(2) != 42)
        return 1;
    const qsizetype ifd = r.u32(4);
    if (!r.has(ifd, 2))
        return 1;
    const int count = r.u16(ifd);
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = ifd + 2 + qsizetype(i) * 12;
        if (!r.has(entry, 12))
            return 1;
        if (r.u16(entry) == 0x0112) {
            const int value = r.u16(entry + 8);
            return value >= 1 && value <= 8 ? value : 1;
        }
    }
    return 1;
}

} // namespace

int exifOrientation(const QByteArray& jpeg)
{
    if (jpeg.size() < 4 || quint8(jpeg[0]) != 0xFF || quint8(jpeg[1]) != 0xD8)
        return 1;
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size()) {
        if (quint8(jpeg[pos]) != 0xFF)
            return 1;
        const quint8 marker = quint8(jpeg[pos + 1]);
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) // image data starts: no EXIF before it
            return 1;
        const qsizetype length = (qsizetype(quint8(jpeg[pos + 2])) << 8) | quint8(jpeg[pos + 3]);
        if (length < 2 || pos + 2 + length > jpeg.size())
            return 1;
        const qsizetype body = pos + 4;
        if (marker == 0xE1 && length >= 8 && jpeg.mid(body, 6) == QByteArray("Exif\0\0", 6))
            return orientationInTiff(jpeg, body + 6, pos + 2 + length);
        pos += 2 + length;
    }
    return 1;
}

bool orientationSwapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

QSize uprightSize(QSize stored, int orientation)
{
    return orientationSwapsSides(orientation) ? stored.transposed() : stored;
}
