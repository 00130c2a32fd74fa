#include "unattended/class_list_names.h"

#include "naming/sheet_extent.h"
#include "platform/spreadsheet_book.h"

#include <QDir>

namespace {

ClassListNames Refused(const QString& error)
{
    return {{}, error};
}

// "B2" → column 1, row 1 (0-based); checked by the caller's pattern.
std::pair<int, int> CellPlace(const QString& cell)
{
    int column = 0;
    int at = 0;
    for (; at < cell.size() && cell[at].isLetter(); ++at)
        column = column * 26 + (cell[at].toUpper().unicode() - u'A' + 1);
    const int row = at < cell.size() ? cell.mid(at).toInt() : 1;
    return {std::max(0, row - 1), std::max(0, column - 1)};
}

} // namespace

ClassListNames ReadClassListNames(const QString& book, const QString& sheet, const QString& cell)
{
    const QString shown = QDir::toNativeSeparators(book);
    const std::optional<SpreadsheetKind> kind = SpreadsheetKindOf(book);
    if (!kind)
        return Refused(QStringLiteral("名单须为 .xls 或 .xlsx 文件：%1").arg(shown));
    const std::unique_ptr<SpreadsheetBook> opened = OpenSpreadsheet(book, *kind);
    if (!opened)
        return Refused(QStringLiteral("无法读取名单文件：%1").arg(shown));
    int index = sheet.isEmpty() ? 0 : -1;
    for (int i = 0; index < 0 && i < opened->sheetCount(); ++i) {
        if (opened->sheetName(i) == sheet)
            index = i;
    }
    if (index < 0)
        return Refused(QStringLiteral("名单中没有名为“%1”的工作表。").arg(sheet));
    const SpreadsheetSheet* read = opened->sheet(index);
    if (!read)
        return Refused(QStringLiteral("无法读取名单文件：%1").arg(shown));
    const auto [firstRow, column] = CellPlace(cell.isEmpty() ? QStringLiteral("A1") : cell);
    const SheetExtent extent = MeasureSheetExtent([&](int row, int col) { return read->cellText(row, col); });
    ClassListNames result;
    for (int row = firstRow; row <= extent.maxRow; ++row)
        result.names.append(NameFromCell(read->cellText(row, column)));
    while (!result.names.isEmpty() && result.names.constLast().isEmpty())
        result.names.removeLast();
    if (result.names.isEmpty())
        result.error = QStringLiteral("名单的这一列没有姓名。");
    return result;
}
