#pragma once
// Gathering the symbol counts from which libjpeg builds Huffman tables for
// one picture, in place of libjpeg's own gatherer: that one walks every
// coefficient of every block with a branch and a bit loop each, and takes
// most of the time of an encoding with tables optimised per picture. The
// counts here are exactly libjpeg's, so the tables and the file are too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

// How many bits the magnitude of v takes; 0 for 0.
inline int BitsOf(int v)
{
    const unsigned magnitude = unsigned(std::abs(v));
    return magnitude == 0 ? 0 : 32 - __builtin_clz(magnitude);
}

// One block's symbols, counted into `dc` and `ac`: the size of its DC
// difference, then for each non-zero AC coefficient (bit k of `nonZero`
// for the k-th in coding order, k ≥ 1; `sizeAt(k)` its size) the run of
// zeros before it, 16 at a time as ZRL, with its size; and an end of block
// when zeros close it.
template <typename SizeAt>
inline void CountBlockSymbols(int dcDifference, std::uint64_t nonZero, SizeAt sizeAt, long* dc, long* ac)
{
    ++dc[BitsOf(dcDifference)];
    int last = 0;
    while (nonZero != 0) {
        const int k = __builtin_ctzll(nonZero);
        nonZero &= nonZero - 1;
        int run = k - last - 1;
        for (; run > 15; run -= 16)
            ++ac[0xF0];
        ++ac[(run << 4) + sizeAt(k)];
        last = k;
    }
    if (last < DCTSIZE2 - 1)
        ++ac[0];
}
