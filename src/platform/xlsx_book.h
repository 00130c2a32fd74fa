#pragma once
// The xlsx reader: the zip through libzip, its XML parts through
// QXmlStreamReader. The file may be hostile, so every part and every count
// is bounded, and whatever lies beyond a bound cannot be read. A part cannot
// be read when it is missing where required, damaged, larger than its bound
// once inflated (whatever size the zip declares), declares a DOCTYPE, is not
// in an ASCII-compatible encoding (UTF-16 and UTF-32 parts are not read),
// nests elements deeper than any book does or has a tag with more
// attributes than any book has. Then:
// - the book is null (OpenXlsxBook) for the workbook, its relationships and
//   the shared strings, and when the workbook lists no sheet;
// - a sheet is null (sheet(i); the other sheets still work) for its own
//   part, which includes a sheet whose part is missing from the zip. Such a
//   sheet is still listed by name.
// A sheet is read once, on first access, into a sparse table of its text
// cells; rows and columns beyond Excel's (1,048,576 rows, 16,384 columns)
// are ignored.
#include "platform/spreadsheet_book.h"

#include <QString>

#include <memory>

struct XlsxBounds {
    // Inflated size of one sheet part, counted as it is read, whatever the
    // zip declares.
    qint64 maxSheetBytes = qint64{64} * 1024 * 1024;
    qint64 maxSharedStringsBytes = qint64{64} * 1024 * 1024;
    // The workbook part and its relationships.
    qint64 maxBookPartBytes = qint64{4} * 1024 * 1024;
    // Counts beyond which a sheet, or the book, is refused.
    int maxTextCellsPerSheet = 2'000'000;
    int maxSharedStrings = 2'000'000;
};

// Null when the file cannot be read as an xlsx book within the bounds.
std::unique_ptr<SpreadsheetBook> OpenXlsxBook(const QString& path);
std::unique_ptr<SpreadsheetBook> OpenXlsxBook(const QString& path, const XlsxBounds& bounds);
