#pragma once
// The check an xls file passes before FreeXL opens it. FreeXL parses the
// whole workbook inside freexl_open, trusting what the file says, so a
// damaged or hostile file could make it allocate gigabytes or run for hours.
// The file's bytes are read here first: the compound file around the
// workbook stream, and the stream's BIFF records, held to bounds.
#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

// Far above any class list (well under a megabyte); the sector tables and
// strings FreeXL keeps grow with the file.
inline constexpr qint64 kMaxXlsFileBytes = 32 * 1024 * 1024;

// The workbook stream of an xls file, when FreeXL can read the file within
// the bounds (the cells it allocates together with the formula texts the
// book keeps, the days it counts for dates). Nothing for bytes that are no
// compound file, a damaged or encrypted one, a workbook other than BIFF5 or
// BIFF8, or one beyond the bounds.
std::optional<QByteArray> CheckedXlsWorkbook(QByteArrayView fileBytes);

// One record of a BIFF workbook stream.
struct BiffRecord {
    qsizetype offset = 0; // of the record's header in the stream
    quint16 type = 0;
    QByteArrayView body;
};

namespace Biff {
constexpr quint16 kFormula = 0x0006;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kString = 0x0207;
constexpr quint16 kArray = 0x0221;
constexpr quint16 kTable = 0x0236;
constexpr quint16 kSharedFormula = 0x04BC;
constexpr quint16 kBof = 0x0809;
} // namespace Biff

// The record whose header starts at `offset`; nothing when there is no whole
// record there or it is longer than BIFF allows.
std::optional<BiffRecord> BiffRecordAt(QByteArrayView stream, qsizetype offset);

// A little-endian 16-bit number; the caller has checked that the bytes are there.
quint16 le16(QByteArrayView bytes, qsizetype at);

// Whether a FORMULA record caches a text result: the STRING record after it
// holds the text (an empty text is cached as a result of its own, no STRING).
bool CachesText(const BiffRecord& formula);
