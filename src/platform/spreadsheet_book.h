#pragma once
// A spreadsheet as the name list reads it: sheets in book order, each a grid
// of cells addressed by 0-based row and column, of which only text cells
// count. The xls reader (FreeXL) and the xlsx reader (libzip and
// QXmlStreamReader) stand behind it.
#include <QString>

#include <memory>
#include <optional>

class SpreadsheetSheet {
public:
    virtual ~SpreadsheetSheet() = default;
    // The text of a text cell; the empty text for a number, a boolean, a
    // date, an error, an empty cell or a cell outside the sheet.
    virtual QString cellText(int row, int column) const = 0;
};

class SpreadsheetBook {
public:
    virtual ~SpreadsheetBook() = default;
    virtual int sheetCount() const = 0;
    virtual QString sheetName(int index) const = 0;
    // The sheet at a 0-based index, owned by the book; null outside the book
    // or when the sheet itself cannot be read.
    virtual const SpreadsheetSheet* sheet(int index) = 0;
};

enum class SpreadsheetKind { Xls, Xlsx };

// The kind a file name's extension names ("xls" or "xlsx", any letter case);
// nothing for any other name.
std::optional<SpreadsheetKind> SpreadsheetKindOf(const QString& path);

// Opens the file as the given kind. Null when it cannot be read as one: a
// damaged, encrypted or hostile file, or one beyond the reader's bounds.
std::unique_ptr<SpreadsheetBook> OpenSpreadsheet(const QString& path, SpreadsheetKind kind);
