#pragma once
// Puts the rows of a stored picture, as a decoder hands them out from the top,
// straight into their place in the upright picture of an EXIF orientation, so
// that turning a photo takes no second picture of its size. Rows that stay
// rows (orientations 1 to 4) are decoded into the upright picture's own lines
// and mirrored there; rows that become columns (5 to 8) are decoded into a
// band of a few rows and written out from it column by column, in blocks of
// 4 x 4 pixels where the processor has SSE2.
#include <QImage>

#include <vector>

class UprightRows {
public:
    // `upright` is an RGB32 picture of the upright size for `orientation`
    // (1..8); the rows of the stored picture fill it.
    UprightRows(QImage& upright, int orientation);

    // How many rows the decoder may hand over at once. Rows that become
    // columns are gathered this many at a time, so each upright line takes a
    // run of whole cache lines per band rather than one pixel.
    static constexpr int kRowsAtOnce = 32;

    // Where the decoder writes the stored rows y .. y + count - 1
    // (count <= kRowsAtOnce): one pointer to each in `rows`.
    void rowsFor(int y, int count, uchar** rows);

    // Moves those rows, now written, to their upright place.
    void place(int y, int count);

private:
    void placeTurned(int y, int count);
    QRgb* uprightLine(int line) const { return reinterpret_cast<QRgb*>(bits_ + line * stride_); }
    QRgb* bandRow(int i) { return band_.data() + std::size_t(i) * std::size_t(stored_.width()); }

    uchar* bits_;
    qsizetype stride_;
    QSize stored_;
    int orientation_;
    std::vector<QRgb> band_; // rows that become columns, orientations 5 to 8 only
};
