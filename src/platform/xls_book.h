#pragma once
// The xls reader: Excel 97–2003 workbooks (BIFF5 and BIFF8 inside a compound
// file), read with FreeXL. FreeXL passes over formulas; the text a formula
// gave, as saved in a BIFF8 workbook, is read beside it.
#include "platform/spreadsheet_book.h"

#include <QString>

#include <memory>

// Opens an xls workbook. Null when the file cannot be read as one: missing,
// empty, damaged, encrypted, not a BIFF5/BIFF8 compound file, or beyond the
// reader's bounds (the file's size, the cells its sheets declare, the work
// its dates take).
std::unique_ptr<SpreadsheetBook> OpenXlsBook(const QString& path);
