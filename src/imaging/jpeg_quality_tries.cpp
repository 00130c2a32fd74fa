#include "imaging/jpeg_quality_tries.h"

#include "imaging/huffman_statistics.h"
#include "imaging/jpeg_compressor.h"
#include "imaging/jpeg_file_parts.h"
#include "imaging/libjpeg_errors.h"
#include "platform/work_ahead.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// libjpeg's quantisation by a reciprocal: (|x| + correction) × reciprocal
// shifted right, the sign put back; the same values for its plain and its
// vector code.
struct Divisor {
    std::uint32_t reciprocal = 1;
    std::uint32_t correction = 0;
    int shift = 0;
};

Divisor divisorFor(unsigned divisor)
{
    Divisor d;
    if (divisor <= 1)
        return d;
    const int b = 31 - __builtin_clz(divisor); // the highest set bit
    int r = 16 + b;
    std::uint64_t fq = (std::uint64_t(1) << r) / divisor;
    const std::uint64_t fr = (std::uint64_t(1) << r) % divisor;
    std::uint32_t c = divisor / 2;
    if (fr == 0) {
        fq >>= 1;
        --r;
    } else if (fr <= divisor / 2U) {
        ++c;
    } else {
        ++fq;
    }
    d.reciprocal = std::uint32_t(std::uint16_t(fq));
    d.correction = std::uint16_t(c);
    d.shift = r;
    return d;
}

inline int quantise(int magnitude, const Divisor& d)
{
    return int(std::int16_t((std::uint64_t(std::uint32_t(magnitude) + d.correction) * d.reciprocal) >> d.shift));
}

inline int quantiseSigned(int x, const Divisor& d)
{
    return x < 0 ? -quantise(-x, d) : quantise(x, d);
}

// The fast transform's scale of each coefficient, in 14-bit fixed point,
// which its divisors carry (natural order).
constexpr std::int32_t kFastScales[64] = {
    16384, 22725, 21407, 19266, 16384, 12873, 8867,  4520,  22725, 31521, 29692, 26722, 22725,
    17855, 12299, 6270,  21407, 29692, 27969, 25172, 21407, 16819, 11585, 5906,  19266, 26722,
    25172, 22654, 19266, 15137, 10426, 5315,  16384, 22725, 21407, 19266, 16384, 12873, 8867,
    4520,  12873, 17855, 16819, 15137, 12873, 10114, 6967,  3552,  8867,  12299, 11585, 10426,
    8867,  6967,  4799,  2446,  4520,  6270,  5906,  5315,  4520,  3552,  2446,  1247};

// One quantisation table as the tries use it, in coding (zig-zag) order: the
// divisor of each coefficient, and the largest magnitude that still
// quantises to zero (32767 when none reaches 1).
struct Quantiser {
    Divisor divisor[64];
    alignas(16) std::int16_t zeroUpTo[64];

    Quantiser(const JQUANT_TBL& table, bool fast)
    {
        for (int k = 0; k < 64; ++k) {
            const int n = kJpegZigzag[k];
            const unsigned q = table.quantval[n];
            divisor[k] = divisorFor(fast ? unsigned((std::int64_t(q) * kFastScales[n] + (1 << 10)) >> 11) : q << 3);
            int low = 0, high = 32767; // the answer lies in [low, high]
            if (quantise(high, divisor[k]) == 0) {
                zeroUpTo[k] = 32767;
                continue;
            }
            while (low < high) {
                const int mid = (low + high + 1) / 2;
                if (quantise(mid, divisor[k]) == 0)
                    low = mid;
                else
                    high = mid - 1;
            }
            zeroUpTo[k] = std::int16_t(low);
        }
    }

    // Bit k set for each AC coefficient k (coding order) that does not quantise to zero.
    std::uint64_t nonZeroAc(const std::int16_t* x) const
    {
#if defined(__SSE2__)
        std::uint64_t mask = 0;
        for (int i = 0; i < 64; i += 16) {
            __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i));
            __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i + 8));
            const __m128i sa = _mm_srai_epi16(a, 15);
            const __m128i sb = _mm_srai_epi16(b, 15);
            a = _mm_sub_epi16(_mm_xor_si128(a, sa), sa);
            b = _mm_sub_epi16(_mm_xor_si128(b, sb), sb);
            const __m128i ca = _mm_cmpgt_epi16(a, _mm_load_si128(reinterpret_cast<const __m128i*>(zeroUpTo + i)));
            const __m128i cb = _mm_cmpgt_epi16(b, _mm_load_si128(reinterpret_cast<const __m128i*>(zeroUpTo + i + 8)));
            mask |= std::uint64_t(std::uint16_t(_mm_movemask_epi8(_mm_packs_epi16(ca, cb)))) << i;
        }
        return mask & ~std::uint64_t(1);
#else
        std::uint64_t mask = 0;
        for (int k = 1; k < 64; ++k)
            mask |= std::uint64_t(std::abs(int(x[k])) > zeroUpTo[k]) << k;
        return mask;
#endif
    }
};

} // namespace

struct JpegQualityTries::Tables {
    int quality = -1;
    JpegBlocks::Transform transform = JpegBlocks::Transform::Accurate;
    std::vector<Quantiser> quantisers; // brightness, colour
    JpegFileTables file{};
    qint64 sizeBeforeStuffing = -1;
};

// A compressor of its own, for the quantisation and Huffman tables libjpeg
// would make.
struct JpegQualityTries::TableMaker {
    jpeg_compress_struct tables{};
    LibjpegErrorJump error{};
    bool created = false;

    TableMaker()
    {
        tables.err = installErrorJump(error);
        if (setjmp(error.jump))
            return;
        jpeg_create_compress(&tables);
        tables.image_width = 16;
        tables.image_height = 16;
        tables.input_components = 3;
        tables.in_color_space = JCS_RGB;
        created = true;
    }
    ~TableMaker() { jpeg_destroy_compress(&tables); }

    // The quantisation tables of `quality` as the files have them, and the
    // Huffman tables built from the counts; false on libjpeg's error.
    bool setUp(int quality)
    {
        if (!created || setjmp(error.jump))
            return false;
        JpegCompressor::setUp(tables, quality, std::nullopt);
        return true;
    }
    bool buildTable(JHUFF_TBL& table, const long* counts)
    {
        long frequencies[257];
        std::memcpy(frequencies, counts, sizeof frequencies);
        if (setjmp(error.jump))
            return false;
        jpeg_gen_optimal_table(&tables, &table, frequencies);
        return true;
    }
};

JpegQualityTries::JpegQualityTries(const QImage& picture)
    : blocks_(picture), density_(ChosenDensity(picture)), tableMaker_(std::make_unique<TableMaker>())
{
}

JpegQualityTries::~JpegQualityTries() = default;

namespace {

// The bits of the coded data for these counts under this table: each
// symbol's code, and the value bits that follow it (as many as the symbol's
// low four bits say; a DC symbol is all size).
qint64 codedBits(const long* counts, const JHUFF_TBL& table, bool dc)
{
    const HuffmanCodes codes(table);
    qint64 bits = 0;
    for (int s = 0; s < 256; ++s)
        if (counts[s] != 0)
            bits += qint64(counts[s]) * (codes.length[s] + (dc ? s : (s & 15)));
    return bits;
}

struct Counts {
    long dc[2][257];
    long ac[2][257];
};

// The symbols of blocks [begin, end) of the coding order, each component's
// DC differences running from the block before `begin` (from zero at a
// component's first block).
void countBlocks(const std::int16_t* coefficients, const JpegBlocks& blocks, const std::vector<Quantiser>& quantisers,
                 int begin, int end, Counts& counts)
{
    const int luma = blocks.lumaBlocks();
    const int chroma = blocks.chromaBlocks();
    int lastDc = 0;
    for (int i = begin; i < end; ++i) {
        const int first = i < luma ? 0 : i < luma + chroma ? luma : luma + chroma; // the component's first block
        const int table = i < luma ? 0 : 1;
        const Quantiser& q = quantisers[std::size_t(table)];
        const std::int16_t* x = coefficients + std::size_t(i) * 64;
        if (i == first)
            lastDc = 0;
        else if (i == begin)
            lastDc = quantiseSigned(x[-64], q.divisor[0]);
        const int dcValue = quantiseSigned(x[0], q.divisor[0]);
        CountBlockSymbols(dcValue - lastDc, q.nonZeroAc(x),
                          [&](int k) { return quantise(std::abs(int(x[k])), q.divisor[k]); },
                          counts.dc[table], counts.ac[table]);
        lastDc = dcValue;
    }
}

} // namespace

const JpegQualityTries::Tables& JpegQualityTries::tablesAt(int quality)
{
    quality = std::clamp(quality, 0, 100);
    if (tables_ && tables_->quality == quality)
        return *tables_;
    auto t = std::make_unique<Tables>();
    t->quality = quality;
    if (blocks_.lumaBlocks() == 0 || blocks_.width() > JPEG_MAX_DIMENSION || blocks_.height() > JPEG_MAX_DIMENSION ||
        !tableMaker_->setUp(quality)) {
        tables_ = std::move(t);
        return *tables_;
    }
    const bool fast = tableMaker_->tables.dct_method == JDCT_IFAST;
    t->transform = fast ? JpegBlocks::Transform::Fast : JpegBlocks::Transform::Accurate;
    for (int table = 0; table < 2; ++table) {
        const JQUANT_TBL& quantisation = *tableMaker_->tables.quant_tbl_ptrs[table];
        t->quantisers.emplace_back(quantisation, fast);
        std::copy_n(quantisation.quantval, 64, t->file.quantisation[table]);
    }

    // The counts over the blocks in two halves, one on a second processor.
    Counts halves[2]{};
    const std::int16_t* coefficients = blocks_.coefficients(t->transform);
    const int total = blocks_.lumaBlocks() + 2 * blocks_.chromaBlocks();
    SplitInTwo(total, [&](int begin, int end) {
        countBlocks(coefficients, blocks_, t->quantisers, begin, end, halves[begin == 0 ? 0 : 1]);
    });
    long dc[2][257];
    long ac[2][257];
    for (int table = 0; table < 2; ++table)
        for (int symbol = 0; symbol < 257; ++symbol) {
            dc[table][symbol] = halves[0].dc[table][symbol] + halves[1].dc[table][symbol];
            ac[table][symbol] = halves[0].ac[table][symbol] + halves[1].ac[table][symbol];
        }
    // The padding blocks: no change of DC, no AC.
    dc[0][0] += blocks_.paddingLumaBlocks();
    ac[0][0] += blocks_.paddingLumaBlocks();

    qint64 bits = 0;
    for (int table = 0; table < 2; ++table) {
        JHUFF_TBL& dcTable = t->file.dc[table];
        JHUFF_TBL& acTable = t->file.ac[table];
        if (!tableMaker_->buildTable(dcTable, dc[table]) || !tableMaker_->buildTable(acTable, ac[table])) {
            tables_ = std::move(t);
            return *tables_;
        }
        bits += codedBits(dc[table], dcTable, true) + codedBits(ac[table], acTable, false);
    }
    // The markers before the coded data as the file will have them, the data, the end marker.
    const qint64 header = JpegHeaderBytes(QSize(blocks_.width(), blocks_.height()), density_, t->file).size();
    t->sizeBeforeStuffing = header + (bits + 7) / 8 + 2;
    tables_ = std::move(t);
    return *tables_;
}

qint64 JpegQualityTries::sizeBeforeStuffing(int quality)
{
    return tablesAt(quality).sizeBeforeStuffing;
}

QByteArray JpegQualityTries::encode(int quality)
{
    const Tables& t = tablesAt(quality);
    if (t.sizeBeforeStuffing < 0)
        return {};
    QByteArray out = JpegHeaderBytes(QSize(blocks_.width(), blocks_.height()), density_, t.file);
    JpegBitWriter bits(out, qsizetype(t.sizeBeforeStuffing) - out.size() + 2);
    const HuffmanCodes codes[2][2] = {{HuffmanCodes(t.file.dc[0]), HuffmanCodes(t.file.ac[0])},
                                      {HuffmanCodes(t.file.dc[1]), HuffmanCodes(t.file.ac[1])}};
    const std::int16_t* coefficients = blocks_.coefficients(t.transform);
    int lastDc[3] = {0, 0, 0};
    const auto putBlock = [&](int component, int index) {
        const int table = component == 0 ? 0 : 1;
        const Quantiser& q = t.quantisers[std::size_t(table)];
        const std::int16_t* x = coefficients + std::size_t(index) * 64;
        const int dcValue = quantiseSigned(x[0], q.divisor[0]);
        bits.putBlock(dcValue - lastDc[component], q.nonZeroAc(x),
                      [&](int k) { return quantiseSigned(x[k], q.divisor[k]); }, codes[table][0], codes[table][1]);
        lastDc[component] = dcValue;
    };
    // Unit by unit: its four Y blocks (one beyond the picture coded as its
    // previous block's DC with no AC), then its Cb and Cr blocks.
    const int luma = blocks_.lumaBlocks();
    const int chroma = blocks_.chromaBlocks();
    int nextLuma = 0;
    for (int unitRow = 0; unitRow < blocks_.chromaDown(); ++unitRow)
        for (int unitColumn = 0; unitColumn < blocks_.chromaAcross(); ++unitColumn) {
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    if (2 * unitRow + dy < blocks_.lumaDown() && 2 * unitColumn + dx < blocks_.lumaAcross())
                        putBlock(0, nextLuma++);
                    else
                        bits.putBlock(0, 0, [](int) { return 0; }, codes[0][0], codes[0][1]);
                }
            const int unit = unitRow * blocks_.chromaAcross() + unitColumn;
            putBlock(1, luma + unit);
            putBlock(2, luma + chroma + unit);
        }
    bits.finish();
    out.append("\xFF\xD9", 2);
    return out;
}
