#include "support/book_walk.h"

#include "support/fuzz_check.h"

#include "naming/sheet_extent.h"
#include "platform/spreadsheet_book.h"

#include <QList>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Enough to reach every reader path; the window itself shows one sheet at a time.
constexpr int kMaxSheetsWalked = 16;
constexpr qsizetype kMaxCellsKept = 200'000;

constexpr QChar kFullWidthSpace(0x3000);

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == kFullWidthSpace;
}

void checkName(const QString& text)
{
    const QString name = NameFromCell(text);
    FUZZ_CHECK(!name.contains(QLatin1Char('\t')));
    FUZZ_CHECK(name.isEmpty() || (!isBlank(name.front()) && !isBlank(name.back())));
}

struct SheetGrid {
    const SpreadsheetSheet* sheet = nullptr;
    SheetExtent extent;
    QStringList texts; // row by row, as far as kMaxCellsKept
};

SheetGrid readGrid(const SpreadsheetSheet& sheet)
{
    SheetGrid grid{&sheet, MeasureSheetExtent([&sheet](int row, int column) { return sheet.cellText(row, column); }),
                   {}};
    const SheetExtent& extent = grid.extent;
    FUZZ_CHECK((extent.maxRow < 0) == (extent.maxColumn < 0));
    if (extent.maxRow < 0)
        return grid;
    bool usedInLastRow = false;
    bool usedInLastColumn = false;
    for (int row = 0; row <= extent.maxRow; ++row) {
        for (int column = 0; column <= extent.maxColumn; ++column) {
            const QString text = sheet.cellText(row, column);
            const bool used = IsUsedCellText(text);
            usedInLastRow = usedInLastRow || (used && row == extent.maxRow);
            usedInLastColumn = usedInLastColumn || (used && column == extent.maxColumn);
            checkName(text);
            if (grid.texts.size() < kMaxCellsKept)
                grid.texts.append(text);
        }
    }
    FUZZ_CHECK(usedInLastRow && usedInLastColumn);
    return grid;
}

// The same cells read again, after the other sheets were read.
void checkRereads(const SheetGrid& grid)
{
    const int columns = grid.extent.maxColumn + 1;
    for (qsizetype i = 0; i < grid.texts.size(); ++i) {
        const int row = int(i / columns);
        const int column = int(i % columns);
        FUZZ_CHECK(grid.sheet->cellText(row, column) == grid.texts[i]);
    }
}

} // namespace

void walkBook(SpreadsheetBook& book)
{
    const int count = book.sheetCount();
    // Both readers refuse a book that lists no sheet.
    FUZZ_CHECK(count >= 1);
    FUZZ_CHECK(book.sheet(-1) == nullptr && book.sheet(count) == nullptr && book.sheet(INT_MAX) == nullptr);
    FUZZ_CHECK(book.sheetName(-1).isEmpty() && book.sheetName(count).isEmpty());

    std::vector<SheetGrid> grids;
    for (int i = 0; i < std::min(count, kMaxSheetsWalked); ++i) {
        (void)book.sheetName(i);
        const SpreadsheetSheet* sheet = book.sheet(i);
        FUZZ_CHECK(book.sheet(i) == sheet);
        if (!sheet)
            continue;
        FUZZ_CHECK(sheet->cellText(-1, 0).isEmpty() && sheet->cellText(0, -1).isEmpty() &&
                   sheet->cellText(INT_MIN, INT_MIN).isEmpty());
        grids.push_back(readGrid(*sheet));
    }
    for (const SheetGrid& grid : grids)
        checkRereads(grid);
}
