#pragma once
// Gathering the symbol counts from which libjpeg builds Huffman tables for
// one picture, in place of libjpeg's own gatherer: that one walks every
// coefficient of every block with a branch and a bit loop each, and takes
// most of the time of an encoding with tables optimised per picture. The
// counts here are exactly libjpeg's, so the tables and the file are too.
#include "imaging/block_symbols.h"

#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

// Built by libjpeg from a table's counts, as its own gatherer ends (one of
// its exported internals); `freq` is changed.
extern "C" void jpeg_gen_optimal_table(j_compress_ptr cinfo, JHUFF_TBL* htbl, long freq[]);

struct HuffmanStatistics {
    long dc[NUM_HUFF_TBLS][257];
    long ac[NUM_HUFF_TBLS][257];
    int lastDc[MAX_COMPS_IN_SCAN];
};

// Takes over the statistics pass of a compressor that jpeg_start_compress
// has just started with optimize_coding, for a sequential Huffman-coded file
// without restart markers (anything else is left to libjpeg). `statistics`
// must outlive the compression; the compressor's client_data points to it.
void gatherHuffmanStatistics(j_compress_ptr info, HuffmanStatistics& statistics);

// One block's symbols (block_symbols.h), counted into `dc` and `ac`.
template <typename ValueAt>
inline void CountBlockSymbols(int dcDifference, std::uint64_t nonZero, ValueAt valueAt, long* dc, long* ac)
{
    ForEachBlockSymbol(dcDifference, nonZero, valueAt, [dc, ac](bool isDc, int code, int) { ++(isDc ? dc : ac)[code]; });
}
