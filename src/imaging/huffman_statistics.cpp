// The entropy coder's interface is among libjpeg's internals.
#define JPEG_INTERNALS
#include "imaging/huffman_statistics.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// Built by libjpeg from a table's counts, as its own gatherer ends.
extern "C" void jpeg_gen_optimal_table(j_compress_ptr cinfo, JHUFF_TBL* htbl, long freq[]);

namespace {

// The block position of each coefficient in the order they are coded.
constexpr int kZigzag[DCTSIZE2] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                   12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                   35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                   58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// How many bits the magnitude of v takes; 0 for 0.
int bitsOf(int v)
{
    const unsigned magnitude = unsigned(std::abs(v));
    return magnitude == 0 ? 0 : 32 - __builtin_clz(magnitude);
}

HuffmanStatistics& statisticsOf(j_compress_ptr info)
{
    return *static_cast<HuffmanStatistics*>(info->client_data);
}

// One block's symbols: the DC difference's size, then for each non-zero AC
// coefficient the run of zeros before it (16 at a time as ZRL) and its size,
// and an end of block when zeros close it.
void countBlock(const JCOEF* block, int lastDc, long* dc, long* ac)
{
    ++dc[bitsOf(block[0] - lastDc)];
    std::uint64_t nonZero = 0;
    for (int k = 1; k < DCTSIZE2; ++k)
        nonZero |= std::uint64_t(block[kZigzag[k]] != 0) << k;
    int last = 0;
    while (nonZero != 0) {
        const int k = __builtin_ctzll(nonZero);
        nonZero &= nonZero - 1;
        int run = k - last - 1;
        for (; run > 15; run -= 16)
            ++ac[0xF0];
        ++ac[(run << 4) + bitsOf(block[kZigzag[k]])];
        last = k;
    }
    if (last < DCTSIZE2 - 1)
        ++ac[0];
}

boolean gatherMcu(j_compress_ptr info, JBLOCKROW* mcu)
{
    HuffmanStatistics& s = statisticsOf(info);
    for (int b = 0; b < info->blocks_in_MCU; ++b) {
        const int ci = info->MCU_membership[b];
        const jpeg_component_info* component = info->cur_comp_info[ci];
        const JCOEF* block = mcu[b][0];
        countBlock(block, s.lastDc[ci], s.dc[component->dc_tbl_no], s.ac[component->ac_tbl_no]);
        s.lastDc[ci] = block[0];
    }
    return TRUE;
}

// The end of the statistics pass: each table the scan uses built once.
void buildTables(j_compress_ptr info)
{
    HuffmanStatistics& s = statisticsOf(info);
    bool built[2][NUM_HUFF_TBLS] = {};
    const auto build = [&](int kind, JHUFF_TBL*& table, long* counts, int number) {
        if (built[kind][number])
            return;
        if (table == nullptr)
            table = jpeg_alloc_huff_table(reinterpret_cast<j_common_ptr>(info));
        jpeg_gen_optimal_table(info, table, counts);
        built[kind][number] = true;
    };
    for (int ci = 0; ci < info->comps_in_scan; ++ci) {
        const jpeg_component_info* component = info->cur_comp_info[ci];
        const int dc = component->dc_tbl_no;
        const int ac = component->ac_tbl_no;
        build(0, info->dc_huff_tbl_ptrs[dc], s.dc[dc], dc);
        build(1, info->ac_huff_tbl_ptrs[ac], s.ac[ac], ac);
    }
}

} // namespace

void gatherHuffmanStatistics(j_compress_ptr info, HuffmanStatistics& statistics)
{
    if (!info->optimize_coding || info->progressive_mode || info->arith_code || info->restart_interval != 0 ||
        info->restart_in_rows != 0 || info->entropy == nullptr)
        return;
    std::memset(&statistics, 0, sizeof statistics);
    info->client_data = &statistics;
    info->entropy->encode_mcu = gatherMcu;
    info->entropy->finish_pass = buildTables;
}
