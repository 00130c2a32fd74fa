#pragma once
// The parts of a baseline JPEG file as libjpeg writes them for the program's
// settings: the markers before the coded data (JFIF, two quantisation tables,
// a 4:2:0 YCbCr frame, the four Huffman tables, one scan), and the coded data
// itself with libjpeg's bit packing, zero byte after each 0xFF, and padding
// with one bits. A file put together from them is byte for byte the file
// libjpeg writes from the same quantised blocks and tables.
#include "imaging/block_symbols.h"
#include "imaging/print_density.h"

#include <QByteArray>
#include <QSize>

#include <cstdint>
#include <cstdio>
#include <optional>

#include <jpeglib.h>

struct JpegFileTables {
    std::uint16_t quantisation[2][64]; // brightness, colour; natural order
    JHUFF_TBL dc[2];
    JHUFF_TBL ac[2];
};

// The bytes from the start-of-image marker to the end of the scan header.
QByteArray JpegHeaderBytes(QSize size, const std::optional<PrintDensity>& density, const JpegFileTables& tables);

// A Huffman table's code and length for each symbol, as libjpeg derives them.
struct HuffmanCodes {
    std::uint16_t code[256];
    std::uint8_t length[256];
    explicit HuffmanCodes(const JHUFF_TBL& table);
};

// The coded data, appended to a file's bytes: at most `mostBytes` before
// stuffing (the file's bytes end where the data ends once finished).
class JpegBitWriter {
public:
    JpegBitWriter(QByteArray& out, qsizetype mostBytes) : out_(out)
    {
        const qsizetype start = out.size();
        // Every byte may take a stuffed zero after it.
        out.resize(start + 2 * mostBytes + 2);
        next_ = out.data() + start;
    }

    void put(std::uint32_t bits, int count)
    {
        buffer_ = (buffer_ << count) | (bits & ((std::uint64_t(1) << count) - 1));
        pending_ += count;
        if (pending_ >= 32)
            emitBytes();
    }
    // One block: its DC difference, then its AC coefficients (coding order,
    // `nonZero` bit k for each that is not zero, `valueAt(k)` its value).
    template <typename ValueAt>
    void putBlock(int dcDifference, std::uint64_t nonZero, ValueAt valueAt, const HuffmanCodes& dc,
                  const HuffmanCodes& ac)
    {
        ForEachBlockSymbol(dcDifference, nonZero, valueAt, [&](bool isDc, int code, int value) {
            const HuffmanCodes& codes = isDc ? dc : ac;
            put(codes.code[code], codes.length[code]);
            // The value's low bits, less one when it is negative.
            if (const int size = code & 15; size > 0)
                put(std::uint32_t(value < 0 ? value - 1 : value), size);
        });
    }

    // The last byte filled up with one bits; the bytes end here.
    void finish()
    {
        if (pending_ % 8 != 0)
            put(0x7F, 8 - pending_ % 8);
        emitBytes();
        out_.resize(next_ - out_.constData());
    }

private:
    // The whole bytes pending, each 0xFF followed by a zero byte.
    void emitBytes()
    {
        while (pending_ >= 8) {
            pending_ -= 8;
            const char byte = char((buffer_ >> pending_) & 0xFF);
            *next_++ = byte;
            if (byte == char(0xFF))
                *next_++ = '\0';
        }
    }

    QByteArray& out_;
    char* next_;
    std::uint64_t buffer_ = 0;
    int pending_ = 0;
};
