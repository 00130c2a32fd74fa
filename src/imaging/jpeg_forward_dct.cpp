#include "imaging/jpeg_forward_dct.h"

// Both transforms run their row pass and their column pass as the same
// column pass over a transposed block, eight columns side by side, so the
// compiler can work on several columns at once; the arithmetic of each value
// is libjpeg's own, in the same order with the same rounding.

namespace {

using Block = std::int32_t[64];

void transpose(const std::int32_t in[64], std::int32_t out[64])
{
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            out[c * 8 + r] = in[r * 8 + c];
}

// Accurate transform (Loeffler, Ligtenberg and Moschytz; 13-bit constants).
constexpr int kConstBits = 13;
constexpr int kPass1Bits = 2;
constexpr std::int32_t k0_298631336 = 2446;
constexpr std::int32_t k0_390180644 = 3196;
constexpr std::int32_t k0_541196100 = 4433;
constexpr std::int32_t k0_765366865 = 6270;
constexpr std::int32_t k0_899976223 = 7373;
constexpr std::int32_t k1_175875602 = 9633;
constexpr std::int32_t k1_501321110 = 12299;
constexpr std::int32_t k1_847759065 = 15137;
constexpr std::int32_t k1_961570560 = 16069;
constexpr std::int32_t k2_053119869 = 16819;
constexpr std::int32_t k2_562915447 = 20995;
constexpr std::int32_t k3_072711026 = 25172;

inline std::int32_t descale(std::int32_t x, int n) { return (x + (1 << (n - 1))) >> n; }

// One pass over the eight columns of `d` (element [k*8 + column]); the first
// pass scales its results up by 2^kPass1Bits, the second takes that off again.
template <bool kFirst>
void accuratePass(std::int32_t* d)
{
    for (int c = 0; c < 8; ++c) {
        const std::int32_t tmp0 = d[0 * 8 + c] + d[7 * 8 + c];
        const std::int32_t tmp7 = d[0 * 8 + c] - d[7 * 8 + c];
        const std::int32_t tmp1 = d[1 * 8 + c] + d[6 * 8 + c];
        const std::int32_t tmp6 = d[1 * 8 + c] - d[6 * 8 + c];
        const std::int32_t tmp2 = d[2 * 8 + c] + d[5 * 8 + c];
        const std::int32_t tmp5 = d[2 * 8 + c] - d[5 * 8 + c];
        const std::int32_t tmp3 = d[3 * 8 + c] + d[4 * 8 + c];
        const std::int32_t tmp4 = d[3 * 8 + c] - d[4 * 8 + c];

        const std::int32_t tmp10 = tmp0 + tmp3;
        const std::int32_t tmp13 = tmp0 - tmp3;
        const std::int32_t tmp11 = tmp1 + tmp2;
        const std::int32_t tmp12 = tmp1 - tmp2;
        constexpr int shift = kFirst ? kConstBits - kPass1Bits : kConstBits + kPass1Bits;

        if constexpr (kFirst) {
            d[0 * 8 + c] = std::int16_t((tmp10 + tmp11) * (1 << kPass1Bits));
            d[4 * 8 + c] = std::int16_t((tmp10 - tmp11) * (1 << kPass1Bits));
        } else {
            d[0 * 8 + c] = std::int16_t(descale(tmp10 + tmp11, kPass1Bits));
            d[4 * 8 + c] = std::int16_t(descale(tmp10 - tmp11, kPass1Bits));
        }
        const std::int32_t z1e = (tmp12 + tmp13) * k0_541196100;
        d[2 * 8 + c] = std::int16_t(descale(z1e + tmp13 * k0_765366865, shift));
        d[6 * 8 + c] = std::int16_t(descale(z1e + tmp12 * -k1_847759065, shift));

        std::int32_t z1 = tmp4 + tmp7;
        std::int32_t z2 = tmp5 + tmp6;
        std::int32_t z3 = tmp4 + tmp6;
        std::int32_t z4 = tmp5 + tmp7;
        const std::int32_t z5 = (z3 + z4) * k1_175875602;
        const std::int32_t t4 = tmp4 * k0_298631336;
        const std::int32_t t5 = tmp5 * k2_053119869;
        const std::int32_t t6 = tmp6 * k3_072711026;
        const std::int32_t t7 = tmp7 * k1_501321110;
        z1 *= -k0_899976223;
        z2 *= -k2_562915447;
        z3 = z3 * -k1_961570560 + z5;
        z4 = z4 * -k0_390180644 + z5;
        d[7 * 8 + c] = std::int16_t(descale(t4 + z1 + z3, shift));
        d[5 * 8 + c] = std::int16_t(descale(t5 + z2 + z4, shift));
        d[3 * 8 + c] = std::int16_t(descale(t6 + z2 + z3, shift));
        d[1 * 8 + c] = std::int16_t(descale(t7 + z1 + z4, shift));
    }
}

// Fast transform (Arai, Agui and Nakajima; 8-bit constants, values kept to 16 bits).
constexpr std::int32_t k0_382683433 = 98;
constexpr std::int32_t k0_541196100f = 139;
constexpr std::int32_t k0_707106781 = 181;
constexpr std::int32_t k1_306562965 = 334;

inline std::int32_t fastMultiply(std::int32_t v, std::int32_t k) { return std::int16_t((v * k) >> 8); }

void fastPass(std::int32_t* d)
{
    for (int c = 0; c < 8; ++c) {
        const std::int32_t tmp0 = std::int16_t(d[0 * 8 + c] + d[7 * 8 + c]);
        const std::int32_t tmp7 = std::int16_t(d[0 * 8 + c] - d[7 * 8 + c]);
        const std::int32_t tmp1 = std::int16_t(d[1 * 8 + c] + d[6 * 8 + c]);
        const std::int32_t tmp6 = std::int16_t(d[1 * 8 + c] - d[6 * 8 + c]);
        const std::int32_t tmp2 = std::int16_t(d[2 * 8 + c] + d[5 * 8 + c]);
        const std::int32_t tmp5 = std::int16_t(d[2 * 8 + c] - d[5 * 8 + c]);
        const std::int32_t tmp3 = std::int16_t(d[3 * 8 + c] + d[4 * 8 + c]);
        const std::int32_t tmp4 = std::int16_t(d[3 * 8 + c] - d[4 * 8 + c]);

        std::int32_t tmp10 = std::int16_t(tmp0 + tmp3);
        const std::int32_t tmp13 = std::int16_t(tmp0 - tmp3);
        std::int32_t tmp11 = std::int16_t(tmp1 + tmp2);
        std::int32_t tmp12 = std::int16_t(tmp1 - tmp2);
        d[0 * 8 + c] = std::int16_t(tmp10 + tmp11);
        d[4 * 8 + c] = std::int16_t(tmp10 - tmp11);
        const std::int32_t z1 = fastMultiply(std::int16_t(tmp12 + tmp13), k0_707106781);
        d[2 * 8 + c] = std::int16_t(tmp13 + z1);
        d[6 * 8 + c] = std::int16_t(tmp13 - z1);

        tmp10 = std::int16_t(tmp4 + tmp5);
        tmp11 = std::int16_t(tmp5 + tmp6);
        tmp12 = std::int16_t(tmp6 + tmp7);
        const std::int32_t z5 = fastMultiply(std::int16_t(tmp10 - tmp12), k0_382683433);
        const std::int32_t z2 = std::int16_t(fastMultiply(tmp10, k0_541196100f) + z5);
        const std::int32_t z4 = std::int16_t(fastMultiply(tmp12, k1_306562965) + z5);
        const std::int32_t z3 = fastMultiply(tmp11, k0_707106781);
        const std::int32_t z11 = std::int16_t(tmp7 + z3);
        const std::int32_t z13 = std::int16_t(tmp7 - z3);
        d[5 * 8 + c] = std::int16_t(z13 + z2);
        d[3 * 8 + c] = std::int16_t(z13 - z2);
        d[1 * 8 + c] = std::int16_t(z11 + z4);
        d[7 * 8 + c] = std::int16_t(z11 - z4);
    }
}

template <typename Pass>
void transformBlock(std::int16_t block[64], Pass pass)
{
    Block rows;
    Block columns;
    // Transposed in: the first pass over "columns" works on the block's rows.
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            rows[c * 8 + r] = block[r * 8 + c];
    pass(rows, true);
    transpose(rows, columns);
    pass(columns, false);
    for (int i = 0; i < 64; ++i)
        block[i] = std::int16_t(columns[i]);
}

} // namespace

void ForwardDctAccurate(std::int16_t block[64])
{
    transformBlock(block, [](std::int32_t* d, bool first) {
        if (first)
            accuratePass<true>(d);
        else
            accuratePass<false>(d);
    });
}

void ForwardDctFast(std::int16_t block[64])
{
    transformBlock(block, [](std::int32_t* d, bool) { fastPass(d); });
}
