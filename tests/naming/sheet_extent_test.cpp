#include "naming/sheet_extent.h"
#include "support/fake_spreadsheet.h"

#include <gtest/gtest.h>

namespace {

QStringList column(const QString& prefix, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << prefix + QString::number(i);
    return names;
}

// A sheet from the texts of column A, top down.
FakeSheet sheetWithColumnA(const QStringList& texts)
{
    QList<QStringList> rows;
    for (const QString& text : texts)
        rows << QStringList{text};
    return FakeSheet(rows);
}

SheetExtent measure(const FakeSheet& sheet)
{
    return MeasureSheetExtent([&](int row, int col) { return sheet.cellText(row, col); });
}

// The cells of `columns`, each from row 0 down to its last row, in probe order.
QList<CellAddress> cellsDownTo(const QList<QPair<int, int>>& columns)
{
    QList<CellAddress> cells;
    for (const auto& [col, lastRow] : columns)
        for (int row = 0; row <= lastRow; ++row)
            cells.append({row, col});
    return cells;
}

TEST(SheetExtentTest, AColumnOfFortyNamesIsProbedColumnByColumnFromTheTop)
{
    const FakeSheet sheet = sheetWithColumnA(column(QStringLiteral("学生"), 40));
    QStringList order;
    const SheetExtent extent = MeasureSheetExtent(
        [&](int row, int col) {
            order << QStringLiteral("probe");
            return sheet.cellText(row, col);
        },
        [&] { order << QStringLiteral("before"); });

    EXPECT_EQ(extent.maxRow, 39);
    EXPECT_EQ(extent.maxColumn, 0);
    // Column A down to six empty cells below the names, then columns B…F
    // down to the row below the last name.
    EXPECT_EQ(sheet.reads, cellsDownTo({{0, 45}, {1, 40}, {2, 40}, {3, 40}, {4, 40}, {5, 40}}));
    // The pending events run before every probe.
    ASSERT_EQ(order.size(), 2 * sheet.reads.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        ASSERT_EQ(order[i], i % 2 == 0 ? QStringLiteral("before") : QStringLiteral("probe")) << i;
}

TEST(SheetExtentTest, AnEmptySheetIsProbedDownToRowFiveAndAcrossToColumnF)
{
    const FakeSheet sheet;
    const SheetExtent extent = measure(sheet);
    EXPECT_EQ(extent.maxRow, -1);
    EXPECT_EQ(extent.maxColumn, -1);
    EXPECT_EQ(sheet.reads, cellsDownTo({{0, 5}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}));
}

TEST(SheetExtentTest, GapsOfSixEmptyCellsEndAColumnOrTheProbe)
{
    const QString n = QStringLiteral("张三");
    struct Case {
        const char* what;
        QList<QStringList> rows;
        int maxRow;
        int maxColumn;
    };
    const Case cases[] = {
        {"A1 and A8: six empty cells between", {{n}, {}, {}, {}, {}, {}, {}, {n}}, 0, 0},
        {"A1 and A7: five empty cells between", {{n}, {}, {}, {}, {}, {}, {n}}, 6, 0},
        {"F1 after four empty columns", {{n, {}, {}, {}, {}, n}}, 0, 5},
        {"G1 after five empty columns", {{n, {}, {}, {}, {}, {}, n}}, 0, 0},
        {"only G1 beyond the first six columns", {{{}, {}, {}, {}, {}, {}, n}}, -1, -1},
        // The empty run carries over into the next column: B is probed to
        // the row below the last name, and further only while it finds text.
        {"B longer than A", {{n, n}, {{}, n}, {{}, n}, {{}, n}, {{}, n}, {{}, n}, {{}, n}, {{}, n}}, 7, 1},
        {"B below a gap", {{n}, {n}, {{}, {}}, {{}, {}}, {{}, n}}, 1, 0},
    };
    for (const Case& c : cases) {
        const SheetExtent extent = measure(FakeSheet(c.rows));
        EXPECT_EQ(extent.maxRow, c.maxRow) << c.what;
        EXPECT_EQ(extent.maxColumn, c.maxColumn) << c.what;
    }
}

TEST(SheetExtentTest, OnlySpacesDoNotMakeACellUsed)
{
    struct Case {
        QString text;
        bool used;
    };
    const Case cases[] = {
        {QString(), false},
        {QStringLiteral("   "), false},
        {QStringLiteral("　　"), false},
        {QStringLiteral(" 　 "), false},
        {QStringLiteral("\t"), true},
        {QStringLiteral(" 李 "), true},
        {QStringLiteral("0"), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsUsedCellText(c.text), c.used) << c.text.toStdString();
        const FakeSheet sheet = sheetWithColumnA({QStringLiteral("王五"), c.text});
        EXPECT_EQ(measure(sheet).maxRow, c.used ? 1 : 0) << c.text.toStdString();
    }
}

TEST(SheetExtentTest, ACellGivesItsTextWithoutTabsAndOuterSpaces)
{
    const QPair<QString, QString> cases[] = {
        {QStringLiteral("张三"), QStringLiteral("张三")},
        {QStringLiteral("张\t三"), QStringLiteral("张三")},
        {QStringLiteral("张三\t  "), QStringLiteral("张三")},
        {QStringLiteral(" \t 张三 \t"), QStringLiteral("张三")},
        {QStringLiteral("　张三　"), QStringLiteral("张三")},
        {QStringLiteral("张 三"), QStringLiteral("张 三")},
        {QStringLiteral("张　三"), QStringLiteral("张　三")},
        {QStringLiteral("\t \t　"), QString()},
        {QString(), QString()},
    };
    for (const auto& [text, name] : cases)
        EXPECT_EQ(NameFromCell(text), name) << text.toStdString();
}

} // namespace
