#include "imaging/upright_rows.h"

#include "imaging/exif_orientation.h"

#include <algorithm>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define IDPHOTO_TURN_BLOCKS 1
#endif

namespace {

// Orientations 1 to 4: stored row y becomes line (height - 1 - y) ...
bool lastRowFirst(int orientation) { return orientation == 3 || orientation == 4; }
// ... read right to left.
bool mirrored(int orientation) { return orientation == 2 || orientation == 3; }
// Orientations 5 to 8: stored row y becomes column (height - 1 - y) ...
bool lastColumnFirst(int orientation) { return orientation == 6 || orientation == 7; }
// ... and stored column x becomes line (width - 1 - x).
bool lastLineFirst(int orientation) { return orientation == 7 || orientation == 8; }

} // namespace

UprightRows::UprightRows(QImage& upright, int orientation)
    : bits_(upright.bits()),
      stride_(upright.bytesPerLine()),
      stored_(uprightSize(upright.size(), orientation)), // a turn back is the same swap
      orientation_(orientation)
{
    if (orientationSwapsSides(orientation))
        band_.resize(std::size_t(kRowsAtOnce) * std::size_t(stored_.width()));
}

void UprightRows::rowsFor(int y, int count, uchar** rows)
{
    for (int i = 0; i < count; ++i) {
        QRgb* row = !band_.empty()                ? bandRow(i)
                    : lastRowFirst(orientation_) ? uprightLine(stored_.height() - 1 - (y + i))
                                                 : uprightLine(y + i);
        rows[i] = reinterpret_cast<uchar*>(row);
    }
}

void UprightRows::place(int y, int count)
{
    const int width = stored_.width();
    if (band_.empty()) {
        if (!mirrored(orientation_))
            return;
        uchar* rows[kRowsAtOnce];
        rowsFor(y, count, rows);
        for (int i = 0; i < count; ++i) {
            auto* row = reinterpret_cast<QRgb*>(rows[i]);
            std::reverse(row, row + width);
        }
        return;
    }
    placeTurned(y, count);
}

void UprightRows::placeTurned(int y, int count)
{
    const int width = stored_.width();
    const bool backwards = lastColumnFirst(orientation_);
    const auto lineOf = [&](int x) { return uprightLine(lastLineFirst(orientation_) ? width - 1 - x : x); };
    const auto columnOf = [&](int i) { return backwards ? stored_.height() - 1 - (y + i) : y + i; };
    int blockRows = 0;
    int blockColumns = 0;
#ifdef IDPHOTO_TURN_BLOCKS
    // Blocks of four rows by four columns turn in registers and go out as
    // one 16-byte store to each of four lines, bypassing the cache: the
    // picture is far larger than it, and nothing reads these lines again
    // during the decode. Each store must fall on a 16-byte boundary.
    if (quintptr(bits_) % 16 == 0 && stride_ % 16 == 0 && columnOf(backwards ? 3 : 0) % 4 == 0) {
        blockRows = count / 4 * 4;
        blockColumns = width / 4 * 4;
        for (int x = 0; x < blockColumns; x += 4) {
            for (int i = 0; i < blockRows; i += 4) {
                // The rows in the order their pixels go along an upright line.
                __m128i r[4];
                for (int k = 0; k < 4; ++k) {
                    const QRgb* row = bandRow(backwards ? i + 3 - k : i + k);
                    r[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
                }
                const __m128i low01 = _mm_unpacklo_epi32(r[0], r[1]);
                const __m128i low23 = _mm_unpacklo_epi32(r[2], r[3]);
                const __m128i high01 = _mm_unpackhi_epi32(r[0], r[1]);
                const __m128i high23 = _mm_unpackhi_epi32(r[2], r[3]);
                const __m128i columns[4] = {_mm_unpacklo_epi64(low01, low23), _mm_unpackhi_epi64(low01, low23),
                                            _mm_unpacklo_epi64(high01, high23), _mm_unpackhi_epi64(high01, high23)};
                const int column = columnOf(backwards ? i + 3 : i);
                for (int k = 0; k < 4; ++k)
                    _mm_stream_si128(reinterpret_cast<__m128i*>(lineOf(x + k) + column), columns[k]);
            }
        }
        _mm_sfence(); // the streamed pixels are in memory before anyone else reads the picture
    }
#endif
    // What the blocks left, pixel by pixel: the rows below the last whole
    // block, and the columns right of it.
    for (int x = 0; x < width; ++x) {
        QRgb* line = lineOf(x);
        for (int i = x < blockColumns ? blockRows : 0; i < count; ++i)
            line[columnOf(i)] = bandRow(i)[x];
    }
}
