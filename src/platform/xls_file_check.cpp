#include "platform/xls_file_check.h"

#include "platform/xls_shared_strings_check.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string_view>
#include <vector>

// FreeXL allocates every sheet's cell table from the area the sheet
// declares, follows the compound file's sector tables as they say, and counts
// a date's days one at a time. The checks follow how FreeXL 1.0.6 reads a
// file; FreeXL only sees files that pass.

namespace Biff {
constexpr quint16 kFilePass = 0x002F;
constexpr quint16 kMulRk = 0x00BD;
constexpr quint16 kMulBlank = 0x00BE;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kRString = 0x00D6;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kDimension = 0x0200;
constexpr quint16 kBlank = 0x0201;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kLabel = 0x0204;
constexpr quint16 kBoolErr = 0x0205;
constexpr quint16 kRk = 0x027E;
constexpr quint16 kFormat = 0x041E;
// The longest record body BIFF8 has; FreeXL's record buffer holds no more.
constexpr qsizetype kMaxBody = 8224;
} // namespace Biff

namespace {

// Cells FreeXL allocates over all sheets together, 16 bytes each; the
// formula texts the book keeps count among them.
constexpr double kMaxCells = 4'000'000;
// Days FreeXL steps through for all date cells together (about 1.5 ns each);
// a date of today is some 45,000 days.
constexpr double kMaxDateDays = 1e9;

// ---- The compound file around the workbook stream ----

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFreeSector = 0xFFFFFFFF;
constexpr qsizetype kHeaderBytes = 512;
constexpr qsizetype kDirectoryEntryBytes = 128;

// Little-endian numbers; the caller has checked that the bytes are there.
quint32 le32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

struct CompoundFile {
    QByteArrayView bytes;
    qsizetype sectorSize = 0;
    quint32 sectorCount = 0; // whole sectors after the header
    std::vector<quint32> sectorTable;

    QByteArrayView sector(quint32 index) const
    {
        return bytes.sliced((qsizetype(index) + 1) * sectorSize, sectorSize);
    }
    quint32 entriesPerSector() const { return quint32(sectorSize / 4); }
};

// The sector table as FreeXL gathers it: the table sectors named in the
// header, then those named along the chain of extra index sectors. Every one
// must lie in the file, and there may be no more than a table covering the
// whole file needs (FreeXL keeps a list node per entry of each).
bool ReadSectorTable(CompoundFile& file)
{
    const QByteArrayView header = file.bytes.first(kHeaderBytes);
    const quint32 perSector = file.entriesPerSector();
    const quint32 mostTableSectors = file.sectorCount / perSector + 1;
    std::vector<quint32> tableSectors;
    const auto add = [&](quint32 sector) {
        tableSectors.push_back(sector);
        return sector < file.sectorCount && tableSectors.size() <= mostTableSectors;
    };
    for (int i = 0; i < 109; ++i) {
        const quint32 sector = le32(header, 0x4C + 4 * i);
        if (sector != kFreeSector && !add(sector))
            return false;
    }
    const quint32 indexSectors = le32(header, 0x48);
    if (indexSectors > file.sectorCount)
        return false;
    quint32 next = le32(header, 0x44);
    bool ended = false;
    for (quint32 read = 1; read <= indexSectors && !ended; ++read) {
        if (next >= file.sectorCount)
            return false;
        const QByteArrayView index = file.sector(next);
        for (quint32 i = 0; i < perSector && !ended; ++i) {
            const quint32 sector = le32(index, 4 * i);
            if (sector == kEndOfChain) {
                if (read != indexSectors) // FreeXL insists on the count
                    return false;
                ended = true;
            } else if (i + 1 == perSector)
                next = sector;
            else if (sector != kFreeSector && !add(sector))
                return false;
        }
    }
    file.sectorTable.reserve(tableSectors.size() * perSector);
    for (const quint32 sector : tableSectors) {
        const QByteArrayView table = file.sector(sector);
        for (quint32 i = 0; i < perSector; ++i)
            file.sectorTable.push_back(le32(table, 4 * i));
    }
    return true;
}

// The bytes of a stream, or nothing unless its sector chain is exactly as
// long as the stream: one that loops, leaves the file or runs on is damage.
std::optional<QByteArray> ChainBytes(const CompoundFile& file, quint32 start, quint32 size)
{
    const quint64 count = (quint64(size) + quint64(file.sectorSize) - 1) / quint64(file.sectorSize);
    if (count > file.sectorCount)
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * file.sectorSize);
    quint32 sector = start;
    for (quint64 i = 0; i < count; ++i) {
        if (sector >= file.sectorCount || sector >= file.sectorTable.size())
            return std::nullopt;
        bytes.append(file.sector(sector));
        sector = file.sectorTable[sector];
    }
    if (sector != kEndOfChain)
        return std::nullopt;
    bytes.truncate(size);
    return bytes;
}

struct StreamEntry {
    quint32 start = 0;
    quint32 size = 0;
};

struct Directory {
    std::optional<StreamEntry> root;
    std::optional<StreamEntry> workbook;
};

// The root entry and the workbook stream. FreeXL takes the first entry named
// "Workbook" or "Book"; a file with two of them (in any letter case) is
// refused so that it cannot be checked on one and read on the other.
std::optional<Directory> ReadDirectory(const CompoundFile& file)
{
    Directory directory;
    int workbooks = 0;
    int entryIndex = 0;
    quint32 sector = le32(file.bytes, 0x30);
    for (quint32 visited = 0; sector != kEndOfChain; ++visited) {
        if (visited >= file.sectorCount || sector >= file.sectorCount || sector >= file.sectorTable.size())
            return std::nullopt;
        const QByteArrayView entries = file.sector(sector);
        for (qsizetype at = 0; at < file.sectorSize; at += kDirectoryEntryBytes, ++entryIndex) {
            const QByteArrayView entry = entries.sliced(at, kDirectoryEntryBytes);
            const quint16 nameBytes = le16(entry, 0x40);
            if (nameBytes > 64 || nameBytes % 2 != 0)
                return std::nullopt;
            QString name; // as FreeXL compares it: up to the first NUL
            for (qsizetype i = 0; i < nameBytes / 2 && le16(entry, 2 * i) != 0; ++i)
                name.append(QChar(le16(entry, 2 * i)));
            const StreamEntry stream{le32(entry, 0x74), le32(entry, 0x78)};
            if (entryIndex == 0 && name == QLatin1String("Root Entry"))
                directory.root = stream;
            if (name.compare(QLatin1String("Workbook"), Qt::CaseInsensitive) == 0
                || name.compare(QLatin1String("Book"), Qt::CaseInsensitive) == 0) {
                ++workbooks;
                directory.workbook = stream;
            }
        }
        sector = file.sectorTable[sector];
    }
    if (workbooks != 1 || !directory.root)
        return std::nullopt;
    return directory;
}

// The workbook stream as FreeXL parses it. A small stream lives in the root
// entry's mini stream; FreeXL parses it from the mini stream's start.
std::optional<QByteArray> WorkbookStream(QByteArrayView bytes)
{
    static constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (bytes.size() < kHeaderBytes || !bytes.startsWith(QByteArrayView(kSignature, 8)))
        return std::nullopt;
    const quint16 sectorShift = le16(bytes, 0x1E);
    if (sectorShift != 9 && sectorShift != 12)
        return std::nullopt;
    CompoundFile file;
    file.bytes = bytes;
    file.sectorSize = qsizetype(1) << sectorShift;
    if (bytes.size() < 2 * file.sectorSize)
        return std::nullopt;
    file.sectorCount = quint32(bytes.size() / file.sectorSize - 1);
    // FreeXL reads every mini table sector it is told of; they cannot
    // outnumber what a mini stream as large as the file needs.
    const quint32 miniTableSectors = le32(bytes, 0x40);
    if (miniTableSectors > file.sectorCount / 16 + 1)
        return std::nullopt;
    if (!ReadSectorTable(file))
        return std::nullopt;
    const std::optional<Directory> directory = ReadDirectory(file);
    if (!directory)
        return std::nullopt;
    const StreamEntry workbook = *directory->workbook;
    const bool inMiniStream = miniTableSectors > 0 && workbook.size <= le32(bytes, 0x38);
    if (!inMiniStream)
        return ChainBytes(file, workbook.start, workbook.size);
    std::optional<QByteArray> miniStream = ChainBytes(file, directory->root->start, directory->root->size);
    if (!miniStream || workbook.size > miniStream->size())
        return std::nullopt;
    miniStream->truncate(workbook.size);
    return miniStream;
}

// ---- The BIFF records of the workbook stream ----

// Calls `visit` on every record; false when a record runs past the stream's
// end, is longer than BIFF allows, or `visit` refuses it.
template <typename Visit>
bool ForEachRecord(QByteArrayView stream, Visit&& visit)
{
    qsizetype at = 0;
    while (stream.size() - at >= 4) {
        const std::optional<BiffRecord> record = BiffRecordAt(stream, at);
        if (!record || !visit(*record))
            return false;
        at += 4 + record->body.size();
    }
    return true;
}

// The bytes FreeXL reads from each record it uses: a shorter record would
// have it read the previous record's leftovers.
qsizetype ShortestBody(quint16 type, bool biff8)
{
    switch (type) {
    case Biff::kBof:
    case Biff::kXf:
        return 4;
    case Biff::kFormat:
        return 2;
    case Biff::kBoundSheet:
    case Biff::kSst:
        return 8;
    case Biff::kDimension:
        return biff8 ? 14 : 10;
    case Biff::kNumber:
        return 14;
    case Biff::kRk:
    case Biff::kLabelSst:
        return 10;
    case Biff::kMulRk:
    case Biff::kMulBlank:
        return 6;
    case Biff::kLabel:
    case Biff::kBoolErr:
        return 8;
    case Biff::kFormula:
    case Biff::kRString:
    case Biff::kBlank:
        return 4;
    default:
        return 0;
    }
}

bool IsCell(quint16 type)
{
    switch (type) {
    case Biff::kFormula:
    case Biff::kMulRk:
    case Biff::kMulBlank:
    case Biff::kLabelSst:
    case Biff::kRString:
    case Biff::kBlank:
    case Biff::kNumber:
    case Biff::kLabel:
    case Biff::kBoolErr:
    case Biff::kRk:
        return true;
    default:
        return false;
    }
}

// The formats FreeXL may show as a date: the built-in date and time formats,
// and any defined format with one of the letters FreeXL looks for (a few
// formats that are no date count too, which only makes the bound safer).
bool MayBeDateFormat(const BiffRecord& format)
{
    constexpr std::string_view kLetters = "yYmMdDhHsS";
    const QByteArrayView text = format.body.sliced(2);
    return std::any_of(text.begin(), text.end(), [&](char c) { return kLetters.find(c) != kLetters.npos; });
}

// Whether a BIFF8 text starting at `at` lies whole in its record: character
// count, flags (bit 0: two bytes a character; bit 3: a count of formatting
// runs follows; bit 2: the size of an extension follows), those counts, the
// characters.
bool Biff8TextFits(QByteArrayView body, qsizetype at)
{
    if (body.size() < at + 3)
        return false;
    const qsizetype characters = le16(body, at);
    const quint8 flags = quint8(body[at + 2]);
    const qsizetype header = 3 + ((flags & 0x08) ? 2 : 0) + ((flags & 0x04) ? 4 : 0);
    return body.size() - at >= header + characters * ((flags & 1) ? 2 : 1);
}

// Whether a FORMAT or LABEL record holds the whole text it declares. FreeXL
// copies the declared count of characters without looking at the record's
// length. BIFF5: a FORMAT's text has a length byte, a LABEL's a 16-bit
// length, and one byte a character.
bool TextFits(const BiffRecord& record, bool biff8)
{
    const QByteArrayView body = record.body;
    if (record.type == Biff::kFormat) {
        return biff8 ? Biff8TextFits(body, 2)
                     : body.size() >= 3 && body.size() >= 3 + qsizetype(quint8(body[2]));
    }
    return biff8 ? Biff8TextFits(body, 6) : body.size() >= 8 + qsizetype(le16(body, 6));
}

bool IsBuiltInDateFormat(quint16 format)
{
    return (format >= 14 && format <= 22) || (format >= 45 && format <= 47);
}

double RkNumber(quint32 rk)
{
    double number = 0;
    if (rk & 2) {
        number = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&number, &bits, sizeof number);
    }
    return (rk & 1) ? number / 100 : number;
}

// The days FreeXL counts for a date cell holding `number`.
double DateDays(double number)
{
    if (!std::isfinite(number))
        return kMaxDateDays + 1; // no date; FreeXL's conversion is undefined
    return number >= 1 ? std::floor(number) : 0;
}

struct WorkbookFacts {
    bool biff8 = false;
    std::vector<quint16> xfFormats;     // format of each cell style, in order
    std::set<quint16> dateFormats;
    std::vector<quint32> sheetOffsets;  // where each sheet's records start, as listed
    std::set<qsizetype> sheetStarts;    // where the parts after the globals start
    std::set<qsizetype> sheetsWithArea; // starts of the sheets that declare one
    double declaredCells = 0;
    double largestArea = 0;
    double formulaTexts = 0; // FORMULA records caching a text
    int lastRow = -1;
    int lastColumn = -1;
};

// The workbook's styles, sheets and areas; nothing for an encrypted,
// damaged or non-BIFF5/BIFF8 stream.
std::optional<WorkbookFacts> ReadFacts(QByteArrayView stream)
{
    WorkbookFacts facts;
    bool first = true;
    // The stream is a run of parts, the globals and then one per sheet, each
    // from a BOF to an EOF. FreeXL passes over a BOF inside a part (an
    // embedded chart) and ends the part at the first EOF.
    bool inPart = false;
    qsizetype partStart = 0;
    bool partHasArea = false;
    const bool complete = ForEachRecord(stream, [&](const BiffRecord& record) {
        if (first) {
            // FreeXL reads BIFF5 and BIFF8 only, starting with the globals.
            first = false;
            if (record.type != Biff::kBof || record.body.size() < 4)
                return false;
            const quint16 version = le16(record.body, 0);
            if (version != 0x0600 && version != 0x0500)
                return false;
            facts.biff8 = version == 0x0600;
            inPart = true;
            return true;
        }
        if (record.body.size() < ShortestBody(record.type, facts.biff8))
            return false;
        if (!inPart) {
            // Between parts only the next part's start, or the zeros that
            // pad the stream.
            if (record.type != Biff::kBof)
                return record.type == 0 && record.body.isEmpty();
            inPart = true;
            partStart = record.offset;
            partHasArea = false;
            facts.sheetStarts.insert(record.offset);
            return true;
        }
        switch (record.type) {
        case Biff::kFilePass:
            return false;
        case Biff::kEof:
            inPart = false;
            break;
        case Biff::kBoundSheet:
            facts.sheetOffsets.push_back(le32(record.body, 0));
            break;
        case Biff::kSst:
            if (le32(record.body, 4) > quint32(stream.size()))
                return false; // more strings than the stream has bytes
            break;
        case Biff::kXf:
            facts.xfFormats.push_back(le16(record.body, 2));
            break;
        case Biff::kLabel:
            if (!TextFits(record, facts.biff8))
                return false;
            break;
        case Biff::kFormat:
            if (!TextFits(record, facts.biff8))
                return false;
            if (MayBeDateFormat(record))
                facts.dateFormats.insert(le16(record.body, 0));
            break;
        case Biff::kDimension: {
            const double rows = facts.biff8 ? le32(record.body, 4) : le16(record.body, 2);
            const double columns = facts.biff8 ? le16(record.body, 10) : le16(record.body, 6);
            // A second area in a part has FreeXL allocate its table again,
            // losing the first.
            if (partHasArea)
                return false;
            partHasArea = true;
            facts.declaredCells += rows * columns;
            facts.largestArea = std::max(facts.largestArea, rows * columns);
            facts.sheetsWithArea.insert(partStart);
            break;
        }
        default:
            break;
        }
        if (record.type == Biff::kFormula && CachesText(record))
            ++facts.formulaTexts;
        if (IsCell(record.type)) {
            const bool run = record.type == Biff::kMulRk || record.type == Biff::kMulBlank;
            facts.lastRow = std::max<int>(facts.lastRow, le16(record.body, 0));
            facts.lastColumn = std::max<int>(facts.lastColumn,
                                             le16(record.body, run ? record.body.size() - 2 : 2));
        }
        return true;
    });
    if (!complete || first)
        return std::nullopt;
    // A sheet listed where no part starts is damage; FreeXL would take it
    // for a sheet without area (and lose memory on it).
    for (const quint32 offset : facts.sheetOffsets) {
        if (!facts.sheetStarts.count(qsizetype(offset)))
            return std::nullopt;
    }
    return facts;
}

// The cells FreeXL allocates: each declared area, and for every sheet
// without one (FreeXL sizes it from its cells, but allocates the table of
// whichever sheet it read last) at most the largest table there can be. The
// formula texts the book keeps beside FreeXL count as cells too.
double CellsAllocated(const WorkbookFacts& facts)
{
    const double undeclaredTable = double(facts.lastRow + 2) * double(facts.lastColumn + 2);
    double undeclaredSheets = 0;
    for (const quint32 offset : facts.sheetOffsets) {
        if (!facts.sheetsWithArea.count(qsizetype(offset)))
            ++undeclaredSheets;
    }
    return facts.declaredCells + undeclaredSheets * std::max(facts.largestArea, undeclaredTable)
           + facts.formulaTexts;
}

// The days FreeXL counts for every number cell whose style may be a date.
double DateDaysCounted(QByteArrayView stream, const WorkbookFacts& facts)
{
    const auto isDateStyle = [&](quint16 xf) {
        if (xf >= facts.xfFormats.size())
            return false;
        const quint16 format = facts.xfFormats[xf];
        return IsBuiltInDateFormat(format) || facts.dateFormats.count(format) > 0;
    };
    double days = 0;
    ForEachRecord(stream, [&](const BiffRecord& record) {
        if (record.type == Biff::kNumber && isDateStyle(le16(record.body, 4))) {
            const quint64 bits = le32(record.body, 6) | quint64(le32(record.body, 10)) << 32;
            double number = 0;
            std::memcpy(&number, &bits, sizeof number);
            days += DateDays(number);
        } else if (record.type == Biff::kRk && isDateStyle(le16(record.body, 4))) {
            days += DateDays(RkNumber(le32(record.body, 6)));
        } else if (record.type == Biff::kMulRk) {
            // FreeXL's own walk over the run of styled numbers.
            for (qsizetype at = 4; at + 6 < record.body.size(); at += 6) {
                if (isDateStyle(le16(record.body, at)))
                    days += DateDays(RkNumber(le32(record.body, at + 2)));
            }
        }
        return true;
    });
    return days;
}

} // namespace

std::optional<QByteArray> CheckedXlsWorkbook(QByteArrayView fileBytes)
{
    std::optional<QByteArray> stream = WorkbookStream(fileBytes);
    if (!stream)
        return std::nullopt;
    const std::optional<WorkbookFacts> facts = ReadFacts(*stream);
    if (!facts || CellsAllocated(*facts) > kMaxCells || DateDaysCounted(*stream, *facts) > kMaxDateDays
        || !SharedStringsReadWithinRecords(*stream))
        return std::nullopt;
    return stream;
}

std::optional<BiffRecord> BiffRecordAt(QByteArrayView stream, qsizetype offset)
{
    if (offset < 0 || stream.size() - offset < 4)
        return std::nullopt;
    const qsizetype length = le16(stream, offset + 2);
    if (length > Biff::kMaxBody || stream.size() - offset - 4 < length)
        return std::nullopt;
    return BiffRecord{offset, le16(stream, offset), stream.sliced(offset + 4, length)};
}

bool CachesText(const BiffRecord& formula)
{
    // The 8-byte result after row, column and style: a text is marked by a
    // first byte of 0 and 0xFFFF in its last two (no number has them).
    const QByteArrayView body = formula.body;
    return body.size() >= 14 && body[6] == 0 && le16(body, 12) == 0xFFFF;
}

quint16 le16(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}
