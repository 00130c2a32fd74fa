#include "naming/sheet_extent.h"

#include "platform/blank_text.h"

#include <algorithm>

namespace {

constexpr QChar kFullWidthSpace(0x3000);

// Six unused cells in a row below the last used row end a column; five
// columns without a used cell end the probe.
constexpr int kEmptyCellsEndingAColumn = 6;
constexpr int kEmptyColumnsEndingTheProbe = 5;

} // namespace

bool IsUsedCellText(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c != QLatin1Char(' ') && c != kFullWidthSpace; });
}

SheetExtent MeasureSheetExtent(const std::function<QString(int row, int column)>& cellText,
                               const std::function<void()>& beforeProbe)
{
    SheetExtent extent;
    int emptyRun = 0;
    int emptyColumns = 0;
    int column = -1;
    do {
        ++column;
        int row = -1;
        do {
            if (beforeProbe)
                beforeProbe();
            ++row;
            if (IsUsedCellText(cellText(row, column))) {
                emptyRun = 0;
                emptyColumns = 0;
                extent.maxRow = std::max(extent.maxRow, row);
                extent.maxColumn = std::max(extent.maxColumn, column);
            } else {
                ++emptyRun;
            }
        } while (emptyRun < kEmptyCellsEndingAColumn || row <= extent.maxRow);
        ++emptyColumns;
    } while (emptyColumns <= kEmptyColumnsEndingTheProbe);
    return extent;
}

QString NameFromCell(const QString& text)
{
    QString name = text;
    name.remove(QLatin1Char('\t'));
    return TrimBlanks(name);
}
