// The same class list saved as xls and as xlsx by one spreadsheet program
// reads the same through either reader.
#include "platform/spreadsheet_book.h"

#include <gtest/gtest.h>

namespace {

QString FixturePath(const QString& name)
{
    return QStringLiteral(IDPHOTO_FIXTURES "/spreadsheets/") + name;
}

// Beyond every sheet's used area (at most 40 rows and 3 columns) by a margin.
constexpr int kRows = 60;
constexpr int kColumns = 10;

TEST(SpreadsheetReaders, XlsAndXlsxGiveTheSameSheetsAndCells)
{
    const auto xls = OpenSpreadsheet(FixturePath(QStringLiteral("class_lists.xls")), SpreadsheetKind::Xls);
    const auto xlsx = OpenSpreadsheet(FixturePath(QStringLiteral("class_lists.xlsx")), SpreadsheetKind::Xlsx);
    ASSERT_TRUE(xls);
    ASSERT_TRUE(xlsx);
    ASSERT_EQ(xls->sheetCount(), 6);
    ASSERT_EQ(xlsx->sheetCount(), xls->sheetCount());
    int textCells = 0;
    for (int index = 0; index < xls->sheetCount(); ++index) {
        EXPECT_EQ(xlsx->sheetName(index), xls->sheetName(index)) << index;
        const SpreadsheetSheet* fromXls = xls->sheet(index);
        const SpreadsheetSheet* fromXlsx = xlsx->sheet(index);
        ASSERT_TRUE(fromXls) << index;
        ASSERT_TRUE(fromXlsx) << index;
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                const QString text = fromXls->cellText(row, column);
                // Mixed!A6 holds ="王"&"五". The xlsx keeps the formula's text
                // result; the xls written by the same program keeps only the
                // number 0 as its result (a file saved by Excel or WPS keeps
                // the text, which the xls reader then reads: see its tests).
                if (xls->sheetName(index) == QStringLiteral("Mixed") && row == 5 && column == 0) {
                    EXPECT_EQ(fromXlsx->cellText(row, column), QStringLiteral("王五"));
                    EXPECT_EQ(text, QString());
                    continue;
                }
                EXPECT_EQ(fromXlsx->cellText(row, column), text)
                    << xls->sheetName(index).toStdString() << " row " << row << " column " << column;
                textCells += text.isEmpty() ? 0 : 1;
            }
        }
    }
    // The fixture's text cells: 40 names, 2 + 2 around the gaps, 3 in
    // "Mixed", 1 in "Alpha". Fewer would mean the comparison saw empty sheets.
    EXPECT_EQ(textCells, 48);
}

} // namespace
