#include "platform/xlsx_book.h"

#include "platform/bounded_xml.h"
#include "platform/zip_entries.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QUrl>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr qint64 kMaxRows = 1'048'576;
constexpr qint64 kMaxColumns = 16'384;

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The character of an "_xHHHH_" escape starting at `at`.
std::optional<char16_t> escapeAt(const QString& text, qsizetype at)
{
    if (at + 7 > text.size() || text[at] != u'_' || text[at + 1] != u'x' || text[at + 6] != u'_')
        return std::nullopt;
    int code = 0;
    for (qsizetype i = at + 2; i < at + 6; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            return std::nullopt;
        code = code * 16 + digit;
    }
    return char16_t(code);
}

// Excel writes the characters XML cannot carry as _xHHHH_ (a TAB is
// _x0009_), and an underscore that would start such a text as _x005F_.
QString decodeEscapes(const QString& text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (const std::optional<char16_t> escaped = escapeAt(text, i)) {
            decoded.append(QChar(*escaped));
            i += 7;
        } else {
            decoded.append(text[i++]);
        }
    }
    return decoded;
}

QString readTextElement(PartReader& xml)
{
    return decodeEscapes(xml.text());
}

// The text of a string item (<si> or <is>): its <t>, or its rich-text runs
// <r><t> joined. Phonetic runs (<rPh>) are not part of the text.
QString readStringItem(PartReader& xml)
{
    QString text;
    while (xml.nextChild()) {
        if (xml.name() == u"t") {
            text += readTextElement(xml);
        } else if (xml.name() == u"r") {
            while (xml.nextChild()) {
                if (xml.name() == u"t")
                    text += readTextElement(xml);
                else
                    xml.skip();
            }
        } else {
            xml.skip();
        }
    }
    return text;
}

// ASCII digits as a number, capped just past `limit` so that no length of
// digits overflows; nothing for an empty text or any other character.
std::optional<qint64> readDigits(QStringView text, qint64 limit)
{
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min(value * 10 + (c.unicode() - u'0'), limit + 1);
    }
    return value;
}

// ---- The book parts -----------------------------------------------------------

std::optional<QStringList> readSharedStrings(const QByteArray& bytes, int maxCount)
{
    PartReader xml(bytes);
    if (!xml.enterRoot())
        return std::nullopt;
    QStringList strings;
    while (xml.nextChild()) {
        if (xml.name() != u"si") {
            xml.skip();
        } else if (strings.size() == maxCount) {
            xml.refuse(QStringLiteral("too many shared strings"));
        } else {
            strings.append(readStringItem(xml));
        }
    }
    if (!xml.finish())
        return std::nullopt;
    return strings;
}

struct SheetListing {
    QString name;
    QString relationId;
};

// The sheets of workbook.xml in book order.
std::optional<std::vector<SheetListing>> readWorkbookSheets(const QByteArray& bytes)
{
    PartReader xml(bytes);
    if (!xml.enterRoot())
        return std::nullopt;
    std::vector<SheetListing> sheets;
    while (xml.nextChild()) {
        if (xml.name() != u"sheets") {
            xml.skip();
            continue;
        }
        while (xml.nextChild()) {
            if (xml.name() == u"sheet") {
                SheetListing sheet;
                for (const QXmlStreamAttribute& attribute : xml.attributes()) {
                    if (attribute.qualifiedName() == u"name")
                        sheet.name = attribute.value().toString();
                    // r:id, whatever prefix the file gives it.
                    else if (attribute.name() == u"id" && !attribute.prefix().isEmpty())
                        sheet.relationId = attribute.value().toString();
                }
                sheets.push_back(std::move(sheet));
            }
            xml.skip();
        }
    }
    if (!xml.finish())
        return std::nullopt;
    return sheets;
}

struct Relationship {
    QString type;
    QString target;
};

// The package-internal relationships of the workbook by id.
std::optional<QHash<QString, Relationship>> readRelationships(const QByteArray& bytes)
{
    PartReader xml(bytes);
    if (!xml.enterRoot())
        return std::nullopt;
    QHash<QString, Relationship> relationships;
    while (xml.nextChild()) {
        if (xml.name() == u"Relationship") {
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.value(QLatin1String("TargetMode")) != u"External")
                relationships.insert(attributes.value(QLatin1String("Id")).toString(),
                                     {attributes.value(QLatin1String("Type")).toString(),
                                      attributes.value(QLatin1String("Target")).toString()});
        }
        xml.skip();
    }
    if (!xml.finish())
        return std::nullopt;
    return relationships;
}

// The zip entry a workbook relationship points at: a target is relative to
// the workbook's folder xl/, or absolute from the package root with a "/".
QString partPath(const QString& target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    if (decoded.startsWith(u'/'))
        return QDir::cleanPath(decoded.mid(1));
    return QDir::cleanPath(QStringLiteral("xl/") + decoded);
}

// ---- A sheet ------------------------------------------------------------------

struct TextCell {
    quint64 key;
    QString text;
};

// Columns take 14 bits (16,384 of them).
quint64 cellKey(qint64 row, qint64 column)
{
    return quint64(row) << 14 | quint64(column);
}

bool withinExcel(qint64 row, qint64 column)
{
    return row >= 0 && row < kMaxRows && column >= 0 && column < kMaxColumns;
}

struct CellPlace {
    qint64 row = -1;
    qint64 column = -1;
};

// "B3" as row 2, column 1; nothing for a text that is not a reference.
std::optional<CellPlace> readCellReference(QStringView reference)
{
    qsizetype letters = 0;
    qint64 column = 0;
    for (; letters < reference.size(); ++letters) {
        const char16_t u = reference[letters].unicode();
        const char16_t upper = u >= u'a' && u <= u'z' ? char16_t(u - u'a' + u'A') : u;
        if (upper < u'A' || upper > u'Z')
            break;
        column = std::min(column * 26 + (upper - u'A' + 1), kMaxColumns + 1);
    }
    if (letters == 0)
        return std::nullopt;
    const std::optional<qint64> row = readDigits(reference.mid(letters), kMaxRows + 1);
    if (!row)
        return std::nullopt;
    return CellPlace{*row - 1, column - 1};
}

QString sharedString(const QStringList& shared, QStringView value)
{
    const std::optional<qint64> index = readDigits(value.trimmed(), shared.size());
    if (!index || *index >= shared.size())
        return {};
    return shared[qsizetype(*index)];
}

class SheetReader {
public:
    SheetReader(const QByteArray& bytes, const QStringList& shared, int maxTextCells)
        : xml_(bytes), shared_(shared), maxTextCells_(maxTextCells)
    {
    }

    // The text cells sorted by place, one per place (the first written
    // counts); nothing when the part is damaged or beyond the bounds.
    std::optional<std::vector<TextCell>> read()
    {
        if (!xml_.enterRoot())
            return std::nullopt;
        while (xml_.nextChild()) {
            if (xml_.name() != u"sheetData") {
                xml_.skip();
                continue;
            }
            while (xml_.nextChild()) {
                if (xml_.name() == u"row")
                    readRow();
                else
                    xml_.skip();
            }
        }
        if (!xml_.finish())
            return std::nullopt;
        const auto byKey = [](const TextCell& a, const TextCell& b) { return a.key < b.key; };
        const auto sameKey = [](const TextCell& a, const TextCell& b) { return a.key == b.key; };
        // Writers put cells in order; only a file that does not is sorted.
        if (!std::is_sorted(cells_.begin(), cells_.end(), byKey))
            std::stable_sort(cells_.begin(), cells_.end(), byKey);
        cells_.erase(std::unique(cells_.begin(), cells_.end(), sameKey), cells_.end());
        return std::move(cells_);
    }

private:
    // A row or cell without its r follows the one before it, as in Excel;
    // an r that cannot be read counts as absent.
    void readRow()
    {
        const QXmlStreamAttributes attributes = xml_.attributes();
        const std::optional<qint64> number = readDigits(attributes.value(QLatin1String("r")), kMaxRows + 1);
        row_ = number ? *number - 1 : row_ + 1;
        column_ = -1;
        while (xml_.nextChild()) {
            if (xml_.name() == u"c")
                readCell();
            else
                xml_.skip();
        }
    }

    void readCell()
    {
        const QXmlStreamAttributes attributes = xml_.attributes();
        const std::optional<CellPlace> place = readCellReference(attributes.value(QLatin1String("r")));
        const qint64 row = place ? place->row : row_;
        column_ = place ? place->column : column_ + 1;
        const QStringView type = attributes.value(QLatin1String("t"));
        QString text;
        while (xml_.nextChild()) {
            if (xml_.name() == u"v" && type == u"s")
                text = sharedString(shared_, xml_.text());
            else if (xml_.name() == u"v" && type == u"str")
                text = readTextElement(xml_);
            else if (xml_.name() == u"is" && type == u"inlineStr")
                text = readStringItem(xml_);
            else
                xml_.skip();
        }
        if (text.isEmpty() || !withinExcel(row, column_))
            return;
        if (cells_.size() >= size_t(maxTextCells_)) {
            xml_.refuse(QStringLiteral("too many text cells"));
            return;
        }
        cells_.push_back({cellKey(row, column_), std::move(text)});
    }

    PartReader xml_;
    const QStringList& shared_;
    const int maxTextCells_;
    std::vector<TextCell> cells_;
    qint64 row_ = -1;
    qint64 column_ = -1;
};

class XlsxSheet final : public SpreadsheetSheet {
public:
    explicit XlsxSheet(std::vector<TextCell> cells) : cells_(std::move(cells)) {}

    QString cellText(int row, int column) const override
    {
        if (!withinExcel(row, column))
            return {};
        const quint64 key = cellKey(row, column);
        const auto found = std::lower_bound(cells_.begin(), cells_.end(), key,
                                            [](const TextCell& cell, quint64 k) { return cell.key < k; });
        return found != cells_.end() && found->key == key ? found->text : QString();
    }

private:
    std::vector<TextCell> cells_;
};

// ---- The book -----------------------------------------------------------------

struct BookSheet {
    QString name;
    QString part; // empty when the workbook's relationships do not name one
    bool read = false;
    std::unique_ptr<XlsxSheet> cells; // null until read, or when it cannot be
};

class XlsxBook final : public SpreadsheetBook {
public:
    XlsxBook(ZipArchive zip, const XlsxBounds& bounds, QStringList shared, std::vector<BookSheet> sheets)
        : zip_(std::move(zip)), bounds_(bounds), shared_(std::move(shared)), sheets_(std::move(sheets))
    {
    }

    int sheetCount() const override { return int(sheets_.size()); }

    QString sheetName(int index) const override
    {
        return index >= 0 && index < sheetCount() ? sheets_[size_t(index)].name : QString();
    }

    const SpreadsheetSheet* sheet(int index) override
    {
        if (index < 0 || index >= sheetCount())
            return nullptr;
        BookSheet& entry = sheets_[size_t(index)];
        if (!entry.read) {
            entry.read = true;
            const std::optional<QByteArray> bytes =
                entry.part.isEmpty() ? std::nullopt : readEntry(zip_.get(), entry.part, bounds_.maxSheetBytes);
            if (bytes) {
                if (std::optional<std::vector<TextCell>> cells =
                        SheetReader(*bytes, shared_, bounds_.maxTextCellsPerSheet).read())
                    entry.cells = std::make_unique<XlsxSheet>(std::move(*cells));
            }
        }
        return entry.cells.get();
    }

private:
    ZipArchive zip_;
    XlsxBounds bounds_;
    QStringList shared_;
    std::vector<BookSheet> sheets_;
};

// The shared strings part the relationships name, or the usual one. A book
// without one (only numbers or inline strings) has no shared strings; one
// that is there must be readable.
std::optional<QStringList> readBookStrings(zip_t* zip, const QHash<QString, Relationship>& relationships,
                                           const XlsxBounds& bounds)
{
    QString part = QStringLiteral("xl/sharedStrings.xml");
    for (const Relationship& relationship : relationships) {
        if (relationship.type.endsWith(QLatin1String("/sharedStrings")))
            part = partPath(relationship.target);
    }
    const std::optional<zip_uint64_t> index = locateEntry(zip, part);
    if (!index)
        return QStringList();
    const std::optional<QByteArray> bytes = readEntry(zip, *index, bounds.maxSharedStringsBytes);
    if (!bytes)
        return std::nullopt;
    return readSharedStrings(*bytes, bounds.maxSharedStrings);
}

} // namespace

std::unique_ptr<SpreadsheetBook> OpenXlsxBook(const QString& path)
{
    return OpenXlsxBook(path, XlsxBounds{});
}

std::unique_ptr<SpreadsheetBook> OpenXlsxBook(const QString& path, const XlsxBounds& bounds)
{
    ZipArchive zip = openZip(path);
    if (!zip)
        return nullptr;
    const std::optional<QByteArray> workbook =
        readEntry(zip.get(), QStringLiteral("xl/workbook.xml"), bounds.maxBookPartBytes);
    const std::optional<QByteArray> links =
        readEntry(zip.get(), QStringLiteral("xl/_rels/workbook.xml.rels"), bounds.maxBookPartBytes);
    if (!workbook || !links)
        return nullptr;
    const std::optional<std::vector<SheetListing>> listings = readWorkbookSheets(*workbook);
    const std::optional<QHash<QString, Relationship>> relationships = readRelationships(*links);
    if (!listings || listings->empty() || !relationships)
        return nullptr;
    std::optional<QStringList> shared = readBookStrings(zip.get(), *relationships, bounds);
    if (!shared)
        return nullptr;

    std::vector<BookSheet> sheets;
    sheets.reserve(listings->size());
    for (const SheetListing& listing : *listings) {
        const auto relationship = relationships->constFind(listing.relationId);
        BookSheet sheet;
        sheet.name = listing.name;
        if (relationship != relationships->cend())
            sheet.part = partPath(relationship->target);
        sheets.push_back(std::move(sheet));
    }
    return std::make_unique<XlsxBook>(std::move(zip), bounds, std::move(*shared), std::move(sheets));
}
