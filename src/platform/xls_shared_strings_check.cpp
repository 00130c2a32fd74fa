#include "platform/xls_shared_strings_check.h"

#include "platform/xls_file_check.h"

#include <QtEndian>

namespace {

constexpr quint16 kSst = 0x00FC;
// FreeXL refuses a table of more strings.
constexpr quint32 kMostStrings = 1024 * 1024;

// Where FreeXL stands in the shared strings between two records.
struct SharedStringsReading {
    bool started = false;
    quint32 count = 0;
    quint32 index = 0;        // the next string to read
    quint32 splitLength = 0;  // characters of a string begun in an earlier record
    quint32 splitDone = 0;    // of those, read already
    quint32 splitSkip = 0;    // bytes of formatting after the split string
    quint32 nextSkip = 0;     // bytes of the string before to pass at the next record's start
};

quint32 Le32(QByteArrayView bytes, quint64 at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

// One record of the shared strings, read as FreeXL reads it (its
// parse_SST): false when it would read past the record or gives up.
bool ReadRecord(SharedStringsReading& reading, QByteArrayView body)
{
    const quint64 size = quint64(body.size());
    quint64 at = 0;
    if (!reading.started) {
        if (size < 8)
            return false;
        reading.started = true;
        reading.count = Le32(body, 4);
        if (reading.count > kMostStrings)
            return false;
        at = 8;
    } else if (reading.splitLength > 0) {
        // The rest of the split string, after a flags byte of its own. FreeXL
        // stops at the record's end for one-byte characters, and copies on
        // regardless for two-byte ones.
        if (size < 1)
            return false;
        const bool wide = (quint8(body[0]) & 1) != 0;
        const quint64 rest = reading.splitLength - reading.splitDone;
        at = 1 + (wide ? rest * 2 : rest);
        if (at > size)
            return false;
        // The formatting after it is passed over, and what of it reaches
        // into the next record is forgotten.
        at += reading.splitSkip;
        reading.splitLength = reading.splitDone = reading.splitSkip = 0;
        reading.nextSkip = 0;
        ++reading.index;
    }
    for (; reading.index < reading.count; ++reading.index) {
        if (at >= size)
            return true;
        at += reading.nextSkip;
        // Character count, flags, then a count of formatting runs (flag 8)
        // and the size of an extension (flag 4) when the flags say so.
        if (at + 3 > size)
            return false;
        const quint32 length = le16(body, qsizetype(at));
        const quint8 flags = quint8(body[qsizetype(at + 2)]);
        at += 3;
        quint32 runs = 0;
        quint32 extension = 0;
        if (flags & 0x08) {
            if (at + 2 > size)
                return false;
            runs = le16(body, qsizetype(at));
            at += 2;
        }
        if (flags & 0x04) {
            if (at + 4 > size)
                return false;
            extension = Le32(body, at);
            at += 4;
        }
        const quint32 skip = extension + runs * 4; // FreeXL's unsigned sum
        const bool wide = (flags & 1) != 0;
        const quint64 bytes = wide ? quint64(length) * 2 : length;
        if (bytes > size - at) {
            // Goes on in the next record.
            reading.splitLength = length;
            reading.splitDone = quint32(wide ? (size - at) / 2 : size - at);
            reading.splitSkip = skip;
            reading.nextSkip = 0;
            return true;
        }
        if (length == 0)
            return false; // FreeXL takes an empty shared string for damage
        at += bytes + skip;
        reading.nextSkip = at >= size ? quint32(at - size) : 0;
    }
    return true;
}

} // namespace

bool SharedStringsReadWithinRecords(QByteArrayView stream)
{
    SharedStringsReading reading;
    quint16 previousType = 0;
    qsizetype at = 0;
    while (const std::optional<BiffRecord> record = BiffRecordAt(stream, at)) {
        at += 4 + record->body.size();
        if (record->type == Biff::kContinue) {
            // FreeXL hands a CONTINUE to the strings when the last record
            // that was not one was an SST.
            if (previousType == kSst && !ReadRecord(reading, record->body))
                return false;
            continue;
        }
        previousType = record->type;
        if (record->type == kSst && !ReadRecord(reading, record->body))
            return false;
    }
    return true;
}
