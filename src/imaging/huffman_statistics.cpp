// The entropy coder's interface is among libjpeg's internals.
#define JPEG_INTERNALS
#include "imaging/huffman_statistics.h"

#include "imaging/jpeg_blocks.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

HuffmanStatistics& statisticsOf(j_compress_ptr info)
{
    return *static_cast<HuffmanStatistics*>(info->client_data);
}

// One block's symbols, from its coefficients in natural order.
void countBlock(const JCOEF* block, int lastDc, long* dc, long* ac)
{
    std::uint64_t nonZero = 0;
    for (int k = 1; k < DCTSIZE2; ++k)
        nonZero |= std::uint64_t(block[kJpegZigzag[k]] != 0) << k;
    CountBlockSymbols(block[0] - lastDc, nonZero, [&](int k) { return int(block[kJpegZigzag[k]]); }, dc, ac);
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
