#include "imaging/jpeg_blocks.h"

#include "imaging/jpeg_forward_dct.h"
#include "platform/work_ahead.h"

#include <algorithm>
#include <utility>

const int kJpegZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

namespace {

// libjpeg's colour conversion: 16-bit fixed point, Y rounded to nearest, Cb
// and Cr a hair under half so that 255 never rounds up to 256.
constexpr int kScaleBits = 16;
constexpr std::int32_t fix(double x) { return std::int32_t(x * (1 << kScaleBits) + 0.5); }
constexpr std::int32_t kHalf = 1 << (kScaleBits - 1);
constexpr std::int32_t kChromaOffset = 128 << kScaleBits;

inline std::uint8_t lumaOf(int r, int g, int b)
{
    return std::uint8_t((fix(0.29900) * r + fix(0.58700) * g + fix(0.11400) * b + kHalf) >> kScaleBits);
}
inline std::uint8_t blueDifferenceOf(int r, int g, int b)
{
    return std::uint8_t((-fix(0.16874) * r - fix(0.33126) * g + fix(0.50000) * b + kChromaOffset + kHalf - 1) >>
                        kScaleBits);
}
inline std::uint8_t redDifferenceOf(int r, int g, int b)
{
    return std::uint8_t((fix(0.50000) * r - fix(0.41869) * g - fix(0.08131) * b + kChromaOffset + kHalf - 1) >>
                        kScaleBits);
}

int ceilDiv(int a, int b) { return (a + b - 1) / b; }

// At least `n` elements; larger buffers stay as they are (their contents are
// written before they are read).
template <typename T>
T* atLeast(std::vector<T>& buffer, std::size_t n)
{
    if (buffer.size() < n)
        buffer.resize(n);
    return buffer.data();
}

} // namespace

JpegBlocks::JpegBlocks(const QImage& picture)
    : width_(picture.width()), height_(picture.height()), lumaAcross_(ceilDiv(width_, 8)),
      lumaDown_(ceilDiv(height_, 8)), chromaAcross_(ceilDiv(width_, 16)), chromaDown_(ceilDiv(height_, 16)),
      buffers_(std::exchange(spareBuffers(), nullptr))
{
    if (!buffers_)
        buffers_ = std::make_unique<Buffers>();
    const int lumaStride = lumaAcross_ * 8;
    const int chromaStride = chromaAcross_ * 8;
    luma_ = atLeast(buffers_->luma, std::size_t(lumaStride) * std::size_t(lumaDown_) * 8);
    for (int k = 0; k < 2; ++k)
        chroma_[k] = atLeast(buffers_->chroma[k], std::size_t(chromaStride) * std::size_t(chromaDown_) * 8);
    if (width_ == 0 || height_ == 0)
        return;

    // Each row of colour differences from two picture rows (the last row
    // doubled when the height is odd), bias 1, 2, 1, 2… across as libjpeg's;
    // the rows in two halves, one on a second processor.
    const int chromaRows = ceilDiv(height_, 2);
    SplitInTwo(chromaRows, [&](int begin, int end) { convertRows(picture, begin, end); });
    // Rows below the picture repeat its last row, in each plane.
    for (int y = height_; y < lumaDown_ * 8; ++y)
        std::copy_n(luma_ + std::size_t(height_ - 1) * std::size_t(lumaStride), lumaStride,
                    luma_ + std::size_t(y) * std::size_t(lumaStride));
    for (std::uint8_t* plane : chroma_)
        for (int y = chromaRows; y < chromaDown_ * 8; ++y)
            std::copy_n(plane + std::size_t(chromaRows - 1) * std::size_t(chromaStride), chromaStride,
                        plane + std::size_t(y) * std::size_t(chromaStride));

    const int unitsAcross = ceilDiv(lumaAcross_, 2);
    const int unitsDown = ceilDiv(lumaDown_, 2);
    lumaPlaces_.reserve(std::size_t(lumaBlocks()));
    for (int uy = 0; uy < unitsDown; ++uy)
        for (int ux = 0; ux < unitsAcross; ++ux)
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int row = 2 * uy + dy, column = 2 * ux + dx;
                    if (row < lumaDown_ && column < lumaAcross_)
                        lumaPlaces_.push_back({row, column});
                }
}

void JpegBlocks::convertRows(const QImage& picture, int firstChromaRow, int endChromaRow)
{
    const int lumaStride = lumaAcross_ * 8;
    const int chromaStride = chromaAcross_ * 8;
    // Two picture rows of each colour difference at full size, repeated out
    // to the padded width, for the 2×2 averages.
    const std::size_t paddedWidth = std::size_t(std::max(lumaStride, chromaStride * 2));
    std::vector<std::uint8_t> full(4 * paddedWidth);
    std::uint8_t* cb[2] = {full.data(), full.data() + paddedWidth};
    std::uint8_t* cr[2] = {full.data() + 2 * paddedWidth, full.data() + 3 * paddedWidth};
    const auto convertRow = [&](int y, int slot) {
        const auto* px = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        std::uint8_t* out = luma_ + std::size_t(y) * std::size_t(lumaStride);
        std::uint8_t* b = cb[slot];
        std::uint8_t* r = cr[slot];
        for (int x = 0; x < width_; ++x) {
            const int red = qRed(px[x]), green = qGreen(px[x]), blue = qBlue(px[x]);
            out[x] = lumaOf(red, green, blue);
            b[x] = blueDifferenceOf(red, green, blue);
            r[x] = redDifferenceOf(red, green, blue);
        }
        std::fill(out + width_, out + lumaStride, out[width_ - 1]);
        std::fill(b + width_, b + paddedWidth, b[width_ - 1]);
        std::fill(r + width_, r + paddedWidth, r[width_ - 1]);
    };
    for (int cy = firstChromaRow; cy < endChromaRow; ++cy) {
        convertRow(2 * cy, 0);
        if (2 * cy + 1 < height_) {
            convertRow(2 * cy + 1, 1);
        } else {
            std::copy_n(cb[0], paddedWidth, cb[1]);
            std::copy_n(cr[0], paddedWidth, cr[1]);
        }
        for (int k = 0; k < 2; ++k) {
            const std::uint8_t* above = k == 0 ? cb[0] : cr[0];
            const std::uint8_t* below = k == 0 ? cb[1] : cr[1];
            std::uint8_t* out = chroma_[k] + std::size_t(cy) * std::size_t(chromaStride);
            for (int cx = 0; cx < chromaStride; ++cx) {
                const int bias = 1 + (cx & 1);
                out[cx] = std::uint8_t((above[2 * cx] + above[2 * cx + 1] + below[2 * cx] + below[2 * cx + 1] + bias) >> 2);
            }
        }
    }
}

int JpegBlocks::paddingLumaBlocks() const
{
    return ceilDiv(lumaAcross_, 2) * ceilDiv(lumaDown_, 2) * 4 - lumaBlocks();
}

JpegBlocks::~JpegBlocks()
{
    // Kept for the thread's next picture unless they are larger than a
    // crop's, or the thread already keeps others.
    constexpr std::size_t kMostKept = std::size_t(32) << 20;
    const std::size_t bytes = buffers_->luma.capacity() + buffers_->chroma[0].capacity() +
                              buffers_->chroma[1].capacity() +
                              2 * (buffers_->accurate.capacity() + buffers_->fast.capacity());
    if (bytes <= kMostKept && !spareBuffers())
        spareBuffers() = std::move(buffers_);
}

std::unique_ptr<JpegBlocks::Buffers>& JpegBlocks::spareBuffers()
{
    thread_local std::unique_ptr<Buffers> spare;
    return spare;
}

const std::int16_t* JpegBlocks::coefficients(Transform which)
{
    const int index = which == Transform::Accurate ? 0 : 1;
    std::vector<std::int16_t>& buffer = index == 0 ? buffers_->accurate : buffers_->fast;
    std::int16_t* out = atLeast(buffer, std::size_t(lumaBlocks() + 2 * chromaBlocks()) * 64);
    if (!made_[index] && lumaBlocks() > 0)
        transform(which, out);
    made_[index] = true;
    return out;
}

void JpegBlocks::transform(Transform which, std::int16_t* out) const
{
    const int luma = lumaBlocks();
    const int chroma = chromaBlocks();
    // Block i of the coding order, transformed into its place in `out`.
    const auto transformBlock = [&](int i) {
        const std::uint8_t* plane = luma_;
        int stride = lumaAcross_ * 8;
        int row = 0, column = 0;
        if (i < luma) {
            row = lumaPlaces_[std::size_t(i)].row;
            column = lumaPlaces_[std::size_t(i)].column;
        } else {
            const int c = i - luma;
            plane = chroma_[c / chroma];
            stride = chromaAcross_ * 8;
            row = (c % chroma) / chromaAcross_;
            column = (c % chroma) % chromaAcross_;
        }
        std::int16_t block[64];
        const std::uint8_t* samples =
            plane + std::size_t(row * 8) * std::size_t(stride) + std::size_t(column * 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                block[y * 8 + x] = std::int16_t(samples[std::size_t(y) * std::size_t(stride) + std::size_t(x)] - 128);
        if (which == Transform::Accurate)
            ForwardDctAccurate(block);
        else
            ForwardDctFast(block);
        std::int16_t* coded = out + std::size_t(i) * 64;
        for (int k = 0; k < 64; ++k)
            coded[k] = block[kJpegZigzag[k]];
    };
    SplitInTwo(luma + 2 * chroma, [&](int begin, int end) {
        for (int i = begin; i < end; ++i)
            transformBlock(i);
    });
}
