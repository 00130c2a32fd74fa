#include "platform/xls_book.h"

#include "support/temp_folder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

QString FixturePath(const QString& name)
{
    return QStringLiteral(IDPHOTO_FIXTURES "/spreadsheets/") + name;
}

QByteArray ReadFixture(const QString& name)
{
    QFile file(FixturePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Column A of the sheet "初一(2)班", top down.
const QStringList kClassNames = QStringLiteral("王芳 李娜 张子轩 刘洋 陈静 杨磊 赵敏 黄婷 周杰 吴雨桐 "
                                               "徐丽 孙浩 胡军 朱琳 高峰 林欣 何勇 郭佳 马超 罗思远 "
                                               "梁晨 宋雨 郑凯 谢颖 韩冰 唐宁 冯涛 于洁 董亮 欧阳晨 "
                                               "程刚 曹阳 袁媛 邓雯 许诺 傅强 沈悦 曾鹏 彭丹 吕薇")
                                    .split(u' ');

enum Sheet { kClass, kGap, kNear, kMixed, kEmpty, kAlpha };

TEST(XlsBook, ListsTheSheetsInBookOrder)
{
    const auto book = OpenXlsBook(FixturePath(QStringLiteral("class_lists.xls")));
    ASSERT_TRUE(book);
    QStringList names;
    for (int i = 0; i < book->sheetCount(); ++i)
        names.append(book->sheetName(i));
    EXPECT_EQ(names, QStringList({QStringLiteral("初一(2)班"), QStringLiteral("Gap"), QStringLiteral("Near"),
                                  QStringLiteral("Mixed"), QStringLiteral("空表"), QStringLiteral("Alpha")}));
}

TEST(XlsBook, ReadsTheWholeClassList)
{
    const auto book = OpenXlsBook(FixturePath(QStringLiteral("class_lists.xls")));
    ASSERT_TRUE(book);
    const SpreadsheetSheet* sheet = book->sheet(kClass);
    ASSERT_TRUE(sheet);
    ASSERT_EQ(kClassNames.size(), 40);
    for (int row = 0; row < kClassNames.size(); ++row) {
        EXPECT_EQ(sheet->cellText(row, 0), kClassNames[row]) << "row " << row;
        EXPECT_EQ(sheet->cellText(row, 1), QString()) << "row " << row;
    }
    EXPECT_EQ(sheet->cellText(40, 0), QString());
}

struct CellCase {
    const char* what;
    int sheet;
    int row;
    int column;
    const char* text;
    friend void PrintTo(const CellCase& c, std::ostream* os) { *os << c.what; }
};

class XlsCellTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(XlsCellTest, GivesTheTextOfTextCellsOnly)
{
    const CellCase& c = GetParam();
    const auto book = OpenXlsBook(FixturePath(QStringLiteral("class_lists.xls")));
    ASSERT_TRUE(book);
    const SpreadsheetSheet* sheet = book->sheet(c.sheet);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->cellText(c.row, c.column), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsCellTest,
    ::testing::Values(CellCase{"first name above a gap", kGap, 0, 0, "张三"},
                      CellCase{"empty row inside the gap", kGap, 1, 0, ""},
                      CellCase{"last empty row of the gap", kGap, 6, 0, ""},
                      CellCase{"name after six empty rows", kGap, 7, 0, "李四"},
                      CellCase{"name after five empty rows", kNear, 6, 0, "赵六"},
                      CellCase{"empty row between two names", kNear, 3, 0, ""},
                      CellCase{"TAB inside the text kept", kMixed, 0, 0, "张\t三"},
                      CellCase{"trailing TAB and spaces kept", kMixed, 1, 0, "李四\t  "},
                      CellCase{"text in a second column", kMixed, 0, 1, "备注"},
                      CellCase{"whole number", kMixed, 2, 0, ""},
                      CellCase{"fraction", kMixed, 2, 2, ""},
                      CellCase{"date", kMixed, 3, 0, ""},
                      CellCase{"boolean", kMixed, 4, 0, ""},
                      // LibreOffice saves this formula's text as the number 0,
                      // with no text to read (XlsFormulaTextTest has it saved
                      // with its text).
                      CellCase{"formula giving text, saved as a number", kMixed, 5, 0, ""},
                      CellCase{"formula giving a number", kMixed, 6, 0, ""},
                      CellCase{"empty cell inside the used area", kMixed, 1, 1, ""},
                      CellCase{"empty sheet", kEmpty, 0, 0, ""},
                      CellCase{"last sheet", kAlpha, 0, 0, "孙七"},
                      CellCase{"row below the sheet", kClass, 40, 0, ""},
                      CellCase{"column right of the sheet", kClass, 0, 1, ""},
                      CellCase{"negative row", kClass, -1, 0, ""},
                      CellCase{"negative column", kClass, 0, -1, ""},
                      CellCase{"most negative row", kClass, INT_MIN, 0, ""},
                      CellCase{"largest row and column", kClass, INT_MAX, INT_MAX, ""}));

TEST(XlsBook, HasNoSheetOutsideTheBook)
{
    const auto book = OpenXlsBook(FixturePath(QStringLiteral("class_lists.xls")));
    ASSERT_TRUE(book);
    for (const int index : {-1, 6, INT_MIN, INT_MAX}) {
        EXPECT_EQ(book->sheet(index), nullptr) << index;
        EXPECT_EQ(book->sheetName(index), QString()) << index;
    }
}

// FreeXL reads one active sheet at a time; every sheet must still give its
// own cells when reads go back and forth between them.
TEST(XlsBook, SheetsReadInTurnKeepTheirOwnCells)
{
    const auto book = OpenXlsBook(FixturePath(QStringLiteral("class_lists.xls")));
    ASSERT_TRUE(book);
    const SpreadsheetSheet* names = book->sheet(kClass);
    const SpreadsheetSheet* mixed = book->sheet(kMixed);
    const SpreadsheetSheet* alpha = book->sheet(kAlpha);
    ASSERT_TRUE(names && mixed && alpha);
    for (int row = 0; row < kClassNames.size(); ++row) {
        EXPECT_EQ(names->cellText(row, 0), kClassNames[row]) << row;
        EXPECT_EQ(mixed->cellText(0, 1), QStringLiteral("备注")) << row;
        EXPECT_EQ(alpha->cellText(0, 0), QStringLiteral("孙七")) << row;
    }
    // A sheet first opened after the others were read.
    const SpreadsheetSheet* gap = book->sheet(kGap);
    ASSERT_TRUE(gap);
    EXPECT_EQ(gap->cellText(7, 0), QStringLiteral("李四"));
    EXPECT_EQ(names->cellText(39, 0), QStringLiteral("吕薇"));
}

struct BadFileCase {
    const char* what;
    std::function<QByteArray()> bytes;
    friend void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.what; }
};

class XlsBadFileTest : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(XlsBadFileTest, OpensAsNoBook)
{
    TempFolder folder;
    folder.write(QStringLiteral("list.xls"), GetParam().bytes());
    EXPECT_EQ(OpenXlsBook(folder.file(QStringLiteral("list.xls"))), nullptr);
}

QByteArray RandomBytes()
{
    QRandomGenerator random(20240901);
    QByteArray bytes(8192, '\0');
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsBadFileTest,
    ::testing::Values(
        BadFileCase{"zero bytes", [] { return QByteArray(); }},
        BadFileCase{"random bytes", RandomBytes},
        BadFileCase{"text", [] { return QStringLiteral("姓名\n张三\n李四\n").toUtf8(); }},
        BadFileCase{"xlsx workbook", [] { return ReadFixture(QStringLiteral("class_lists.xlsx")); }},
        BadFileCase{"encrypted", [] { return ReadFixture(QStringLiteral("class_lists_encrypted.xls")); }}));

TEST(XlsBook, MissingFileOpensAsNoBook)
{
    TempFolder folder;
    EXPECT_EQ(OpenXlsBook(folder.file(QStringLiteral("missing.xls"))), nullptr);
}

TEST(XlsBook, TruncatedCopiesOpenAsNoBook)
{
    const QByteArray whole = ReadFixture(QStringLiteral("class_lists.xls"));
    ASSERT_GT(whole.size(), 4096);
    TempFolder folder;
    for (const qsizetype size : {qsizetype(8), qsizetype(511), qsizetype(512), qsizetype(1024), qsizetype(4096),
                                 whole.size() / 2, whole.size() - 512, whole.size() - 1}) {
        folder.write(QStringLiteral("cut.xls"), whole.first(size));
        EXPECT_EQ(OpenXlsBook(folder.file(QStringLiteral("cut.xls"))), nullptr) << size;
    }
}

// ---- Crafted files: the fixture with a few bytes changed ----

quint32 Le32(const QByteArray& bytes, qsizetype at)
{
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 | quint32(quint8(bytes[at + 2])) << 16
           | quint32(quint8(bytes[at + 3])) << 24;
}

void PutLe16(QByteArray& bytes, qsizetype at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void PutLe32(QByteArray& bytes, qsizetype at, quint32 value)
{
    PutLe16(bytes, at, quint16(value & 0xFFFF));
    PutLe16(bytes, at + 2, quint16(value >> 16));
}

QList<qsizetype> FindAll(const QByteArray& bytes, QByteArrayView pattern)
{
    QList<qsizetype> found;
    for (qsizetype at = bytes.indexOf(pattern); at >= 0; at = bytes.indexOf(pattern, at + 1))
        found.append(at);
    return found;
}

// The header of each sheet's area record (type 0x0200, 14 bytes), one per
// sheet, in book order. The fixture's workbook stream lies in consecutive
// sectors, so each record is whole in the file.
QList<qsizetype> AreaRecords(const QByteArray& bytes)
{
    return FindAll(bytes, QByteArrayView("\x00\x02\x0E\x00", 4));
}

void SetArea(QByteArray& bytes, qsizetype record, quint32 rows, quint16 columns)
{
    PutLe32(bytes, record + 8, rows);
    PutLe16(bytes, record + 14, columns);
}

// ---- Formula texts: Mixed!A6 (="王"&"五") saved with its text ----

QByteArray BiffRecordBytes(quint16 type, const QByteArray& body)
{
    QByteArray record(4, '\0');
    PutLe16(record, 0, type);
    PutLe16(record, 2, quint16(body.size()));
    return record + body;
}

// Characters of two bytes each, little-endian.
QByteArray Wide(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// A STRING record: the character count, the flags byte (1: two bytes a
// character) and the characters, or as much of them as the record holds.
QByteArray StringRecord(quint16 count, bool wide, const QByteArray& chars)
{
    QByteArray body(3, '\0');
    PutLe16(body, 0, count);
    body[2] = char(wide ? 1 : 0);
    return BiffRecordBytes(0x0207, body + chars);
}

// A CONTINUE record going on with a text, with its own flags byte.
QByteArray ContinueRecord(bool wide, const QByteArray& chars)
{
    return BiffRecordBytes(0x003C, QByteArray(1, char(wide ? 1 : 0)) + chars);
}

// A FORMULA's 8-byte result: a number, or a first byte giving the kind
// (0 text, 1 boolean, 2 error, 3 empty text) and 0xFFFF in the last two.
QByteArray FormulaResult(int kind)
{
    QByteArray result(8, '\0');
    result[0] = char(kind);
    PutLe16(result, 6, 0xFFFF);
    return result;
}

const QByteArray kNumberZero(8, '\0');

// Gives Mixed!A6 the `result` and puts `following` right after its FORMULA
// record. They take the room of A7's FORMULA (=1+1) and of the drawing
// record after it, which nothing reads; A7 is moved after them and a record
// of a type nothing reads fills the rest.
void SaveA6With(QByteArray& bytes, const QByteArray& result, const QByteArray& following)
{
    const QList<qsizetype> found = FindAll(bytes, QByteArrayView("\x06\x00\x21\x00\x05\x00\x00\x00", 8));
    ASSERT_EQ(found.size(), 1);
    const qsizetype a6 = found[0];
    const qsizetype a7 = a6 + 4 + 0x21;
    const qsizetype drawing = a7 + 4 + 0x1D;
    ASSERT_EQ(bytes.mid(a7, 6), QByteArray("\x06\x00\x1D\x00\x06\x00", 6));
    ASSERT_EQ(bytes.mid(drawing, 4), QByteArray("\xEC\x00\x50\x00", 4));
    const qsizetype room = drawing + 4 + 0x50 - a7;
    QByteArray records = following + bytes.mid(a7, 4 + 0x1D);
    ASSERT_LE(records.size() + 4, room);
    records += BiffRecordBytes(0x01FF, QByteArray(room - records.size() - 4, '\0'));
    bytes.replace(a7, room, records);
    bytes.replace(a6 + 4 + 6, 8, result);
}

struct FormulaCase {
    const char* what;
    QByteArray result;
    QByteArray following;
    const char* text;
    friend void PrintTo(const FormulaCase& c, std::ostream* os) { *os << c.what; }
};

class XlsFormulaTextTest : public ::testing::TestWithParam<FormulaCase> {};

TEST_P(XlsFormulaTextTest, GivesTheSavedTextOfTextFormulasOnly)
{
    const FormulaCase& c = GetParam();
    QByteArray bytes = ReadFixture(QStringLiteral("class_lists.xls"));
    ASSERT_NO_FATAL_FAILURE(SaveA6With(bytes, c.result, c.following));
    TempFolder folder;
    folder.write(QStringLiteral("formula.xls"), bytes);
    const auto book = OpenXlsBook(folder.file(QStringLiteral("formula.xls")));
    ASSERT_TRUE(book);
    const SpreadsheetSheet* mixed = book->sheet(kMixed);
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->cellText(5, 0), QString::fromUtf8(c.text));
    EXPECT_EQ(mixed->cellText(6, 0), QString()) << "the number formula after it";
    EXPECT_EQ(mixed->cellText(0, 0), QStringLiteral("张\t三"));
    // The same cell of every other sheet reads as before.
    for (const int other : {kClass, kGap, kNear, kEmpty, kAlpha}) {
        const SpreadsheetSheet* sheet = book->sheet(other);
        ASSERT_TRUE(sheet) << other;
        EXPECT_EQ(sheet->cellText(5, 0), other == kClass ? kClassNames[5] : QString()) << other;
    }
}

const QByteArray kWang = Wide(QStringLiteral("王"));
const QByteArray kWu = Wide(QStringLiteral("五"));

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsFormulaTextTest,
    ::testing::Values(
        FormulaCase{"text in two-byte characters", FormulaResult(0), StringRecord(2, true, kWang + kWu), "王五"},
        FormulaCase{"text in one-byte characters", FormulaResult(0), StringRecord(6, false, "Li Si\xE9"),
                    "Li Si\u00E9"},
        FormulaCase{"text going on in a CONTINUE",
                    FormulaResult(0),
                    StringRecord(2, true, kWang) + ContinueRecord(true, kWu),
                    "王五"},
        FormulaCase{"one-byte characters going on in two-byte ones",
                    FormulaResult(0),
                    StringRecord(3, false, "ab") + ContinueRecord(true, kWu),
                    "ab五"},
        FormulaCase{"two-byte characters going on in one-byte ones",
                    FormulaResult(0),
                    StringRecord(3, true, kWang) + ContinueRecord(false, "ab"),
                    "王ab"},
        FormulaCase{"text over three records",
                    FormulaResult(0),
                    StringRecord(3, true, kWang) + ContinueRecord(false, "a") + ContinueRecord(true, kWu),
                    "王a五"},
        FormulaCase{"shared formula record before the STRING",
                    FormulaResult(0),
                    BiffRecordBytes(0x04BC, QByteArray(10, '\0')) + StringRecord(2, true, kWang + kWu),
                    "王五"},
        FormulaCase{"STRING cut short", FormulaResult(0), StringRecord(2, true, kWang), ""},
        FormulaCase{"STRING cut inside a character", FormulaResult(0), StringRecord(2, true, kWang + kWu.left(1)),
                    ""},
        FormulaCase{"STRING far longer than its records",
                    FormulaResult(0),
                    StringRecord(0xFFFF, true, kWang) + ContinueRecord(true, kWu),
                    ""},
        FormulaCase{"CONTINUE without its flags byte", FormulaResult(0),
                    StringRecord(2, true, kWang) + BiffRecordBytes(0x003C, {}), ""},
        FormulaCase{"STRING of its count only", FormulaResult(0), BiffRecordBytes(0x0207, QByteArray("\x02\x00", 2)),
                    ""},
        FormulaCase{"empty STRING record", FormulaResult(0), BiffRecordBytes(0x0207, {}), ""},
        FormulaCase{"empty text", FormulaResult(0), StringRecord(0, true, {}), ""},
        FormulaCase{"no STRING after the FORMULA", FormulaResult(0), {}, ""},
        FormulaCase{"another record before the STRING",
                    FormulaResult(0),
                    BiffRecordBytes(0x01FF, {}) + StringRecord(2, true, kWang + kWu),
                    ""},
        // A STRING after any other result is none of the cell's.
        FormulaCase{"number result", kNumberZero, StringRecord(2, true, kWang + kWu), ""},
        FormulaCase{"boolean result", FormulaResult(1), StringRecord(2, true, kWang + kWu), ""},
        FormulaCase{"error result", FormulaResult(2), StringRecord(2, true, kWang + kWu), ""},
        FormulaCase{"empty text result", FormulaResult(3), StringRecord(2, true, kWang + kWu), ""}));

struct CraftCase {
    const char* what;
    std::function<void(QByteArray&)> change;
    bool opens;
    friend void PrintTo(const CraftCase& c, std::ostream* os) { *os << c.what; }
};

class XlsCraftedTest : public ::testing::TestWithParam<CraftCase> {};

TEST_P(XlsCraftedTest, OpensOnlyWithinTheBounds)
{
    QByteArray bytes = ReadFixture(QStringLiteral("class_lists.xls"));
    ASSERT_EQ(AreaRecords(bytes).size(), 6);
    GetParam().change(bytes);
    TempFolder folder;
    folder.write(QStringLiteral("crafted.xls"), bytes);
    const auto book = OpenXlsBook(folder.file(QStringLiteral("crafted.xls")));
    if (!GetParam().opens) {
        EXPECT_EQ(book, nullptr);
        return;
    }
    ASSERT_TRUE(book);
    const SpreadsheetSheet* sheet = book->sheet(kClass);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->cellText(0, 0), kClassNames[0]);
    EXPECT_EQ(sheet->cellText(999'999, 0), QString());
}

void LargestBiff8Area(QByteArray& bytes)
{
    SetArea(bytes, AreaRecords(bytes)[0], 65536, 256);
}

// Each sheet within the bound, together far beyond it.
void ThreeMillionCellsEach(QByteArray& bytes)
{
    for (const qsizetype record : AreaRecords(bytes))
        SetArea(bytes, record, 1'000'000, 3);
}

void MillionRowsInFirst(QByteArray& bytes)
{
    SetArea(bytes, AreaRecords(bytes)[0], 1'000'000, 1);
}

// FreeXL sizes a sheet without an area record from its cells, but allocates
// the table of the sheet it read last once more for it: the empty sheet
// costs as much as the large last one.
void EmptySheetWithoutAreaBeforeLargeOne(QByteArray& bytes)
{
    const QList<qsizetype> records = AreaRecords(bytes);
    PutLe16(bytes, records[kEmpty], 0x01FF); // a record type nothing reads
    SetArea(bytes, records[kAlpha], 2'500'000, 1);
}

// The fixture's sheets declare 77 cells (40, 8, 7, 21, 0 and 1); the first
// is made to fill the cell bound of four million exactly.
void CellBoundFilled(QByteArray& bytes)
{
    SetArea(bytes, AreaRecords(bytes)[0], 4'000'000 - 37, 1);
}

// A formula text the book keeps counts as a cell beyond the filled bound.
void CellBoundFilledAndFormulaText(QByteArray& bytes)
{
    CellBoundFilled(bytes);
    SaveA6With(bytes, FormulaResult(0), StringRecord(2, true, Wide(QStringLiteral("王五"))));
}

// The date in Mixed!A4 (an RK record at row 3, column 0) made a float of
// about two billion days.
void FarDate(QByteArray& bytes)
{
    const QList<qsizetype> found = FindAll(bytes, QByteArrayView("\x7E\x02\x0A\x00\x03\x00\x00\x00", 8));
    ASSERT_EQ(found.size(), 1);
    PutLe32(bytes, found[0] + 10, 0x41DFFFFC);
}

// A chain of sector-table index sectors that names itself as the next one,
// two hundred times over, each time naming 127 table sectors.
void LoopingIndexSectors(QByteArray& bytes)
{
    const quint32 added = quint32(bytes.size() / 512 - 1);
    const quint32 tableSector = Le32(bytes, 0x4C);
    QByteArray sector(512, '\0');
    for (int i = 0; i < 127; ++i)
        PutLe32(sector, 4 * i, tableSector);
    PutLe32(sector, 4 * 127, added);
    bytes.append(sector);
    PutLe32(bytes, 0x44, added);
    PutLe32(bytes, 0x48, 200);
}

// The workbook stream's first sector names itself as the next.
void LoopingWorkbookChain(QByteArray& bytes)
{
    const QList<qsizetype> entries = FindAll(bytes, QByteArrayView("W\0o\0r\0k\0b\0o\0o\0k\0", 16));
    ASSERT_EQ(entries.size(), 1);
    const quint32 start = Le32(bytes, entries[0] + 0x74);
    const qsizetype table = (qsizetype(Le32(bytes, 0x4C)) + 1) * 512;
    PutLe32(bytes, table + 4 * qsizetype(start), start);
}

// The number format "General" declared with 0xFF07 two-byte characters in
// its 12 bytes: FreeXL would copy 130 KB from beyond its buffer.
void FormatTextPastItsRecord(QByteArray& bytes)
{
    const QList<qsizetype> found =
        FindAll(bytes, QByteArrayView("\x1E\x04\x0C\x00\xA4\x00\x07\x00\x00General", 16));
    ASSERT_EQ(found.size(), 1);
    bytes[found[0] + 7] = char(0xFF);
    bytes[found[0] + 8] = char(0x01);
}

// A text cell of its own record (LABEL) in Mixed, after A6, declaring
// `characters` two-byte characters and holding `chars`.
void LabelAfterA6(QByteArray& bytes, quint16 characters, const QByteArray& chars)
{
    QByteArray body(9, '\0');
    PutLe16(body, 0, 6);    // row 7
    PutLe16(body, 2, 1);    // column B
    PutLe16(body, 4, 0x0F); // the default cell style
    PutLe16(body, 6, characters);
    body[8] = char(1);
    SaveA6With(bytes, kNumberZero, BiffRecordBytes(0x0204, body + chars));
}

void LabelWhole(QByteArray& bytes)
{
    LabelAfterA6(bytes, 2, Wide(QStringLiteral("王五")));
}

// FreeXL would copy 64 KB from beyond its record buffer.
void LabelTextPastItsRecord(QByteArray& bytes)
{
    LabelAfterA6(bytes, 0x7FFF, Wide(QStringLiteral("王五")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsCraftedTest,
    ::testing::Values(CraftCase{"a million rows declared, within the bound", MillionRowsInFirst, true},
                      CraftCase{"a number format's text running past its record", FormatTextPastItsRecord, false},
                      CraftCase{"a text cell of its own record, whole", LabelWhole, true},
                      CraftCase{"a text cell's text running past its record", LabelTextPastItsRecord, false},
                      CraftCase{"cell bound filled", CellBoundFilled, true},
                      CraftCase{"cell bound filled, and a formula text", CellBoundFilledAndFormulaText, false},
                      CraftCase{"largest BIFF8 area declared", LargestBiff8Area, false},
                      CraftCase{"three million cells declared on every sheet", ThreeMillionCellsEach, false},
                      CraftCase{"empty sheet without area before a large one", EmptySheetWithoutAreaBeforeLargeOne,
                                false},
                      CraftCase{"date two billion days on", FarDate, false},
                      CraftCase{"looping sector index chain", LoopingIndexSectors, false},
                      CraftCase{"looping workbook chain", LoopingWorkbookChain, false}));

} // namespace
