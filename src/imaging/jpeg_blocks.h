#pragma once
// A picture as the program's JPEG compressor sees it just before
// quantisation: its colours turned to YCbCr, the colour differences halved
// both ways (4:2:0), its edges repeated out to whole blocks, and each 8×8
// block transformed, all to the bit as libjpeg does it. The transforms do
// not depend on the quality, so a size search makes them once for all its
// tries and quantises them again for each.
#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

class JpegBlocks {
public:
    enum class Transform { Accurate, Fast };

    // `picture` in RGB32 (or ARGB32, its alpha ignored).
    explicit JpegBlocks(const QImage& picture);
    ~JpegBlocks();
    JpegBlocks(const JpegBlocks&) = delete;
    JpegBlocks& operator=(const JpegBlocks&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    // Blocks across and down of the brightness (Y) and of each colour
    // difference (Cb, Cr); 16×16-pixel units across and down.
    int lumaAcross() const { return lumaAcross_; }
    int lumaDown() const { return lumaDown_; }
    int chromaAcross() const { return chromaAcross_; }
    int chromaDown() const { return chromaDown_; }

    // The blocks in the order a file codes them: the Y blocks of each
    // 16×16 unit (left to right, top to bottom; units in rows), then all Cb
    // blocks and all Cr blocks in rows. Each block's 64 coefficients in the
    // order they are coded (zig-zag). Made when first asked for.
    const std::int16_t* coefficients(Transform transform);
    int lumaBlocks() const { return lumaAcross_ * lumaDown_; }
    int chromaBlocks() const { return chromaAcross_ * chromaDown_; }

    // The row and column of each Y block, in the order above.
    struct Place {
        int row;
        int column;
    };
    const std::vector<Place>& lumaPlaces() const { return lumaPlaces_; }

    // Y blocks a unit at the right or bottom edge adds beyond the picture:
    // libjpeg codes each as its previous block's DC with no AC.
    int paddingLumaBlocks() const;

private:
    void transform(Transform transform, std::int16_t* out) const;
    // The rows of the planes made from chroma rows [first, end) of the picture.
    void convertRows(const QImage& picture, int firstChromaRow, int endChromaRow);

    int width_;
    int height_;
    int lumaAcross_;
    int lumaDown_;
    int chromaAcross_;
    int chromaDown_;
    // The planes and the transforms. The buffers are each thread's, kept
    // from one picture to the next: a crop's are a few megabytes, and fresh
    // pages for each save would cost more than the work done in them.
    struct Buffers {
        std::vector<std::uint8_t> luma; // lumaAcross_*8 samples a row, lumaDown_*8 rows
        std::vector<std::uint8_t> chroma[2];
        std::vector<std::int16_t> accurate;
        std::vector<std::int16_t> fast;
    };
    static std::unique_ptr<Buffers>& spareBuffers();
    std::unique_ptr<Buffers> buffers_;
    std::uint8_t* luma_;
    std::uint8_t* chroma_[2];
    bool made_[2] = {false, false}; // accurate, fast
    std::vector<Place> lumaPlaces_;
};

// The position in a block of each coefficient, in the order they are coded.
extern const int kJpegZigzag[64];
