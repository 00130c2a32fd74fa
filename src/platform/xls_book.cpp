#include "platform/xls_book.h"

#include "platform/atomic_file.h"
#include "platform/xls_file_check.h"

#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QtEndian>

#include <freexl.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

// ---- The texts formulas gave ----

// FreeXL passes over FORMULA records, so a formula's text (the result the
// spreadsheet program last computed and saved, e.g. a surname joined to a
// given name) is read here from the BIFF8 records of each sheet.

using FormulaTexts = QHash<quint64, QString>; // by CellKey

quint64 CellKey(int row, int column)
{
    return quint64(quint32(row)) << 32 | quint32(column);
}

// Appends up to `count` characters of one byte (the low byte of each) or two
// (little-endian), as many as `chars` holds whole.
void AppendChars(QString& text, QByteArrayView chars, qsizetype count, bool wide)
{
    const qsizetype whole = std::min(count, wide ? chars.size() / 2 : chars.size());
    for (qsizetype i = 0; i < whole; ++i)
        text.append(QChar(wide ? char16_t(le16(chars, 2 * i)) : char16_t(quint8(chars[i]))));
}

// The text of a STRING record: a 16-bit character count, a flags byte whose
// lowest bit says the characters take two bytes, then the characters. A text
// longer than the record goes on in the CONTINUE records after it, each
// starting with the flags byte again for its own characters. Nothing when
// the records end before the text does.
std::optional<QString> StringRecordText(QByteArrayView stream, const BiffRecord& string)
{
    if (string.body.size() < 2)
        return std::nullopt;
    const qsizetype count = le16(string.body, 0);
    QString text;
    QByteArrayView part = string.body.sliced(2);
    qsizetype next = string.offset + 4 + string.body.size();
    for (;;) {
        if (part.isEmpty())
            return std::nullopt; // no flags byte
        AppendChars(text, part.sliced(1), count - text.size(), (part[0] & 1) != 0);
        if (text.size() == count)
            return text;
        const std::optional<BiffRecord> more = BiffRecordAt(stream, next);
        if (!more || more->type != Biff::kContinue)
            return std::nullopt;
        part = more->body;
        next += 4 + part.size();
    }
}

// The formula texts of the sheet whose records start at `offset` (its BOF),
// up to its EOF. Between a FORMULA and its STRING may come the records of a
// shared, array or table formula; anything else ends the wait.
FormulaTexts SheetFormulaTexts(QByteArrayView stream, qsizetype offset)
{
    FormulaTexts texts;
    std::optional<BiffRecord> record = BiffRecordAt(stream, offset);
    if (!record || record->type != Biff::kBof)
        return texts;
    bool waiting = false; // for the STRING of a FORMULA caching a text
    quint64 cell = 0;     // that FORMULA's
    while ((record = BiffRecordAt(stream, record->offset + 4 + record->body.size())) && record->type != Biff::kEof) {
        switch (record->type) {
        case Biff::kFormula:
            waiting = CachesText(*record);
            if (waiting)
                cell = CellKey(le16(record->body, 0), le16(record->body, 2));
            break;
        case Biff::kString:
            if (waiting) {
                const std::optional<QString> text = StringRecordText(stream, *record);
                if (text && !text->isEmpty())
                    texts.insert(cell, *text);
            }
            waiting = false;
            break;
        case Biff::kSharedFormula:
        case Biff::kArray:
        case Biff::kTable:
            break;
        default:
            waiting = false;
            break;
        }
    }
    return texts;
}

struct ListedSheet {
    QString name;
    qsizetype offset = 0; // of its BOF in the stream
};

// The sheets the globals of a BIFF8 stream list, in book order; none for
// BIFF5, whose formula texts are not read.
std::vector<ListedSheet> ListedSheets(QByteArrayView stream)
{
    std::vector<ListedSheet> sheets;
    std::optional<BiffRecord> record = BiffRecordAt(stream, 0);
    if (!record || record->type != Biff::kBof || record->body.size() < 2 || le16(record->body, 0) != 0x0600)
        return sheets;
    while ((record = BiffRecordAt(stream, record->offset + 4 + record->body.size())) && record->type != Biff::kEof) {
        // Position, state and kind, then the name: a character count, a
        // flags byte and the characters (one byte or two each).
        const QByteArrayView body = record->body;
        if (record->type != Biff::kBoundSheet || body.size() < 8)
            continue;
        ListedSheet sheet{QString(), qsizetype(qFromLittleEndian<quint32>(body.data()))};
        AppendChars(sheet.name, body.sliced(8), quint8(body[6]), (body[7] & 1) != 0);
        sheets.push_back(sheet);
    }
    return sheets;
}

// The formula texts of each of the book's sheets, found by the offset the
// globals list for it. A sheet listed under another name than FreeXL gives
// at its place keeps none: its records might be another sheet's.
std::vector<FormulaTexts> BookFormulaTexts(QByteArrayView stream, const QStringList& names)
{
    const std::vector<ListedSheet> listed = ListedSheets(stream);
    std::vector<FormulaTexts> texts(std::size_t(names.size()));
    for (std::size_t i = 0; i < texts.size() && i < listed.size(); ++i) {
        if (listed[i].name == names[qsizetype(i)])
            texts[i] = SheetFormulaTexts(stream, listed[i].offset);
    }
    return texts;
}

// ---- The book over FreeXL ----

// The FreeXL handle and its one active worksheet.
class XlsHandle {
public:
    explicit XlsHandle(const void* handle) : handle_(handle) {}
    ~XlsHandle()
    {
        if (handle_)
            freexl_close(handle_);
    }
    XlsHandle(const XlsHandle&) = delete;
    XlsHandle& operator=(const XlsHandle&) = delete;

    const void* get() const { return handle_; }

    bool select(unsigned short sheet)
    {
        if (active_ == sheet)
            return true;
        active_.reset();
        if (freexl_select_active_worksheet(handle_, sheet) != FREEXL_OK)
            return false;
        active_ = sheet;
        return true;
    }

private:
    const void* handle_;
    std::optional<unsigned short> active_;
};

class XlsSheet final : public SpreadsheetSheet {
public:
    XlsSheet(XlsHandle& handle, unsigned short index, unsigned int rows, unsigned short columns,
             FormulaTexts formulaTexts)
        : handle_(handle), index_(index), rows_(rows), columns_(columns), formulaTexts_(std::move(formulaTexts))
    {
    }

    QString cellText(int row, int column) const override
    {
        if (row < 0 || column < 0)
            return {};
        const QString text = freeXlText(row, column);
        return text.isEmpty() ? formulaTexts_.value(CellKey(row, column)) : text;
    }

private:
    QString freeXlText(int row, int column) const
    {
        if (unsigned(row) >= rows_ || unsigned(column) >= columns_)
            return {};
        // Reading selects this sheet on the shared handle: the handle is not
        // part of the sheet's value, so it changes under a const read.
        if (!handle_.select(index_))
            return {};
        FreeXL_CellValue value;
        if (freexl_get_cell_value(handle_.get(), unsigned(row), static_cast<unsigned short>(column), &value)
            != FREEXL_OK)
            return {};
        const bool text = value.type == FREEXL_CELL_TEXT || value.type == FREEXL_CELL_SST_TEXT;
        return text && value.value.text_value ? QString::fromUtf8(value.value.text_value) : QString();
    }

    XlsHandle& handle_;
    unsigned short index_;
    unsigned int rows_;
    unsigned short columns_;
    FormulaTexts formulaTexts_;
};

class XlsBook final : public SpreadsheetBook {
public:
    XlsBook(std::unique_ptr<XlsHandle> handle, QStringList names, std::vector<FormulaTexts> formulaTexts)
        : handle_(std::move(handle)),
          names_(std::move(names)),
          formulaTexts_(std::move(formulaTexts)),
          sheets_(names_.size())
    {
    }

    int sheetCount() const override { return int(names_.size()); }

    QString sheetName(int index) const override
    {
        return index >= 0 && index < names_.size() ? names_[index] : QString();
    }

    const SpreadsheetSheet* sheet(int index) override
    {
        if (index < 0 || index >= sheetCount())
            return nullptr;
        std::unique_ptr<XlsSheet>& slot = sheets_[std::size_t(index)];
        if (!slot) {
            const auto number = static_cast<unsigned short>(index);
            unsigned int rows = 0;
            unsigned short columns = 0;
            if (!handle_->select(number) || freexl_worksheet_dimensions(handle_->get(), &rows, &columns) != FREEXL_OK)
                return nullptr;
            slot = std::make_unique<XlsSheet>(*handle_, number, rows, columns,
                                              std::move(formulaTexts_[std::size_t(index)]));
        }
        return slot.get();
    }

private:
    std::unique_ptr<XlsHandle> handle_; // outlives the sheets that use it
    QStringList names_;
    std::vector<FormulaTexts> formulaTexts_; // each moved into its sheet when made
    std::vector<std::unique_ptr<XlsSheet>> sheets_;
};

} // namespace

std::unique_ptr<SpreadsheetBook> OpenXlsBook(const QString& path)
{
    const std::optional<QByteArray> workbook = CheckedXlsWorkbook(readSmallFile(path, kMaxXlsFileBytes));
    if (!workbook)
        return nullptr;
    const void* raw = nullptr;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &raw);
    auto handle = std::make_unique<XlsHandle>(raw); // closed even after a failed open
    if (opened != FREEXL_OK || !raw)
        return nullptr;
    unsigned int password = 0;
    unsigned int count = 0;
    if (freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &password) != FREEXL_OK || password == FREEXL_BIFF_OBFUSCATED)
        return nullptr;
    if (freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0 || count > 0xFFFF)
        return nullptr;
    QStringList names;
    for (unsigned int i = 0; i < count; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(raw, static_cast<unsigned short>(i), &name) != FREEXL_OK || !name)
            return nullptr;
        names.append(QString::fromUtf8(name));
    }
    std::vector<FormulaTexts> formulaTexts = BookFormulaTexts(*workbook, names);
    return std::make_unique<XlsBook>(std::move(handle), std::move(names), std::move(formulaTexts));
}
