#pragma once
// Where the names of a sheet are: the used area found by probing cells column
// by column, and the name a cell's text gives.
#include <QString>

#include <functional>

struct SheetExtent {
    int maxRow = -1;    // last used row, 0-based; -1 when none
    int maxColumn = -1; // last used column, 0-based; -1 when none
};

// A cell counts as used when its text with every ASCII and full-width space
// removed is not empty.
bool IsUsedCellText(const QString& text);

// Probes column by column, each from the top down. A column ends after six
// consecutive unused cells below the last used row found so far (the run of
// unused cells carries over from one column to the next); the probe ends
// after the fifth consecutive column without a used cell. `cellText` reads
// one cell; `beforeProbe` runs before every probe (the window lets pending
// events run there, so it stays responsive while a large sheet is read).
SheetExtent MeasureSheetExtent(const std::function<QString(int row, int column)>& cellText,
                               const std::function<void()>& beforeProbe = {});

// The name a cell's text gives: every TAB removed, then leading and trailing
// ASCII and full-width spaces trimmed.
QString NameFromCell(const QString& text);
