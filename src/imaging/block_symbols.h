#pragma once
// The Huffman symbols of one 8×8 block in the order a baseline JPEG file
// codes them, for the counts that build the tables and for the coder alike.
#include <cstdint>
#include <cstdlib>

// How many bits the magnitude of v takes; 0 for 0.
inline int BitsOf(int v)
{
    const unsigned magnitude = unsigned(std::abs(v));
    return magnitude == 0 ? 0 : 32 - __builtin_clz(magnitude);
}

// Calls `symbol(dc, code, value)` for each symbol of a block: first the DC
// difference (code: its size), then for each non-zero AC coefficient (bit k
// of `nonZero` for the k-th in coding order, k ≥ 1; `valueAt(k)` its value)
// the run of zeros before it, 16 at a time as ZRL (0xF0), and the run and
// size (run × 16 + size); last an end of block (0) when zeros close it.
// ZRL and end of block come with the value 0.
template <typename ValueAt, typename Symbol>
inline void ForEachBlockSymbol(int dcDifference, std::uint64_t nonZero, ValueAt valueAt, Symbol symbol)
{
    symbol(true, BitsOf(dcDifference), dcDifference);
    int last = 0;
    while (nonZero != 0) {
        const int k = __builtin_ctzll(nonZero);
        nonZero &= nonZero - 1;
        int run = k - last - 1;
        for (; run > 15; run -= 16)
            symbol(false, 0xF0, 0);
        const int value = valueAt(k);
        symbol(false, (run << 4) + BitsOf(value), value);
        last = k;
    }
    if (last < 63)
        symbol(false, 0, 0);
}
