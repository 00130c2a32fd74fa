#include "imaging/jpeg_file_parts.h"

#include "imaging/jpeg_blocks.h"

#include <algorithm>

namespace {

void putWord(QByteArray& out, int value)
{
    out.append(char((value >> 8) & 0xFF));
    out.append(char(value & 0xFF));
}

void putMarker(QByteArray& out, int marker, int length)
{
    out.append(char(0xFF));
    out.append(char(marker));
    putWord(out, length);
}

void putHuffmanTable(QByteArray& out, int index, const JHUFF_TBL& table)
{
    int symbols = 0;
    for (int l = 1; l <= 16; ++l)
        symbols += table.bits[l];
    putMarker(out, 0xC4, 2 + 1 + 16 + symbols);
    out.append(char(index));
    for (int l = 1; l <= 16; ++l)
        out.append(char(table.bits[l]));
    for (int i = 0; i < symbols; ++i)
        out.append(char(table.huffval[i]));
}

} // namespace

QByteArray JpegHeaderBytes(QSize size, const std::optional<PrintDensity>& density, const JpegFileTables& tables)
{
    QByteArray out;
    out.append("\xFF\xD8", 2);
    // JFIF 1.01; the density in dots per inch when asked for, else 1:1 without a unit.
    putMarker(out, 0xE0, 16);
    out.append("JFIF\0\x01\x01", 7);
    out.append(char(density ? 1 : 0));
    putWord(out, density ? std::clamp(DotsPerInch(density->dotsPerMeterX), 1, 65535) : 1);
    putWord(out, density ? std::clamp(DotsPerInch(density->dotsPerMeterY), 1, 65535) : 1);
    out.append("\0\0", 2);
    for (int t = 0; t < 2; ++t) {
        putMarker(out, 0xDB, 2 + 1 + 64);
        out.append(char(t));
        for (int k = 0; k < 64; ++k)
            out.append(char(tables.quantisation[t][kJpegZigzag[k]]));
    }
    // Baseline frame: 8 bits, Y sampled 2×2 with table 0, Cb and Cr 1×1 with table 1.
    putMarker(out, 0xC0, 8 + 3 * 3);
    out.append(char(8));
    putWord(out, size.height());
    putWord(out, size.width());
    out.append("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    putHuffmanTable(out, 0x00, tables.dc[0]);
    putHuffmanTable(out, 0x10, tables.ac[0]);
    putHuffmanTable(out, 0x01, tables.dc[1]);
    putHuffmanTable(out, 0x11, tables.ac[1]);
    // One scan of the three components, all 64 coefficients.
    putMarker(out, 0xDA, 6 + 2 * 3);
    out.append("\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 10);
    return out;
}

HuffmanCodes::HuffmanCodes(const JHUFF_TBL& table) : code{}, length{}
{
    // Codes in order of length, counting up; one bit longer each new length.
    unsigned next = 0;
    int p = 0;
    for (int l = 1; l <= 16; ++l) {
        for (int j = 0; j < table.bits[l]; ++j) {
            const int symbol = table.huffval[p++];
            code[symbol] = std::uint16_t(next++);
            length[symbol] = std::uint8_t(l);
        }
        next <<= 1;
    }
}
