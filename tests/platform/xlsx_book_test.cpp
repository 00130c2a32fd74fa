#include "platform/spreadsheet_book.h"
#include "platform/xlsx_book.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// ---- Building xlsx files with libzip ------------------------------------------

struct ZipEntry {
    QByteArray name;
    QByteArray bytes;
    bool deflate = true;
};

bool writeZip(const QString& path, const std::vector<ZipEntry>& entries)
{
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return false;
    for (const ZipEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(zip, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
        const zip_int64_t index = source ? zip_file_add(zip, entry.name.constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 ||
            zip_set_file_compression(zip, zip_uint64_t(index), entry.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) != 0) {
            zip_source_free(source);
            zip_discard(zip);
            return false;
        }
    }
    return zip_close(zip) == 0;
}

QByteArray zipBytes(const std::vector<ZipEntry>& entries)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("built.zip"));
    return writeZip(path, entries) ? folder.read(QStringLiteral("built.zip")) : QByteArray();
}

const QByteArray kSpreadsheetNamespaces =
    R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")";
const QByteArray kDeclaration = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                                "\n";

QByteArray workbookXml(const QByteArray& sheets)
{
    return kDeclaration + "<workbook " + kSpreadsheetNamespaces + "><bookViews><workbookView/></bookViews><sheets>" +
           sheets + "</sheets><calcPr calcId=\"191029\"/></workbook>";
}

QByteArray sheetListing(const QByteArray& name, const QByteArray& relationId)
{
    return "<sheet name=\"" + name + "\" sheetId=\"1\" r:id=\"" + relationId + "\"/>";
}

QByteArray relationshipsXml(const QByteArray& relationships)
{
    return kDeclaration + R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
           relationships + "</Relationships>";
}

QByteArray relationship(const QByteArray& id, const QByteArray& kind, const QByteArray& target)
{
    return "<Relationship Id=\"" + id +
           "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + kind +
           "\" Target=\"" + target + "\"/>";
}

QByteArray sheetXml(const QByteArray& rows)
{
    return kDeclaration + "<worksheet " + kSpreadsheetNamespaces +
           R"(><dimension ref="A1"/><sheetViews><sheetView workbookViewId="0"/></sheetViews><sheetData>)" + rows +
           R"(</sheetData><pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>)"
           "</worksheet>";
}

QByteArray sharedStringsXml(const QByteArray& items)
{
    return kDeclaration + R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)" + items +
           "</sst>";
}

QByteArray inlineCell(const QByteArray& reference, const QByteArray& text)
{
    const QByteArray r = reference.isEmpty() ? QByteArray() : " r=\"" + reference + "\"";
    return "<c" + r + R"( t="inlineStr"><is><t>)" + text + "</t></is></c>";
}

// A book of one sheet "Sheet1" at the usual part names; shared strings when
// items are given.
std::vector<ZipEntry> oneSheetBook(const QByteArray& rows, const QByteArray& sharedItems = QByteArray())
{
    QByteArray links = relationship("rId1", "worksheet", "worksheets/sheet1.xml");
    std::vector<ZipEntry> entries{{"xl/workbook.xml", workbookXml(sheetListing("Sheet1", "rId1"))},
                                  {"xl/_rels/workbook.xml.rels", {}},
                                  {"xl/worksheets/sheet1.xml", sheetXml(rows)}};
    if (!sharedItems.isNull()) {
        links += relationship("rId2", "sharedStrings", "sharedStrings.xml");
        entries.push_back({"xl/sharedStrings.xml", sharedStringsXml(sharedItems)});
    }
    entries[1].bytes = relationshipsXml(links);
    return entries;
}

QByteArray& entryBytes(std::vector<ZipEntry>& entries, const QByteArray& name)
{
    for (ZipEntry& entry : entries) {
        if (entry.name == name)
            return entry.bytes;
    }
    ADD_FAILURE() << "no entry " << name.constData();
    static QByteArray none;
    return none;
}

std::vector<ZipEntry> without(std::vector<ZipEntry> entries, const QByteArray& name)
{
    std::erase_if(entries, [&](const ZipEntry& entry) { return entry.name == name; });
    return entries;
}

std::unique_ptr<SpreadsheetBook> openBuilt(const TempFolder& folder, const std::vector<ZipEntry>& entries,
                                           const XlsxBounds& bounds = {})
{
    const QString path = folder.file(QStringLiteral("book.xlsx"));
    EXPECT_TRUE(writeZip(path, entries));
    return OpenXlsxBook(path, bounds);
}

// ---- Cells --------------------------------------------------------------------

const QByteArray kSharedItems =
    "<si><t>张三</t></si>"
    R"(<si><r><t>Li</t></r><r><rPr><b/></rPr><t xml:space="preserve"> Si</t></r>)"
    R"(<rPh sb="0" eb="2"><t>リ</t></rPh><phoneticPr fontId="1"/></si>)"
    "<si><t>a_x0009_b</t></si>"
    "<si><t>_x005F_x0041_</t></si>"
    R"(<si><t xml:space="preserve">  padded  </t></si>)"
    R"(<si><t>王五</t><rPh sb="0" eb="2"><t>おう</t></rPh></si>)"
    "<si><t>_x12_ and _x00G1_ and _x004</t></si>";

const QByteArray kCellRows =
    // Shared strings.
    R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>)"
    R"(<c r="D1" t="s"><v>3</v></c><c r="E1" t="s"><v>4</v></c><c r="F1" t="s"><v>5</v></c>)"
    R"(<c r="G1" s="1" t="s"><v>6</v></c></row>)"
    // Inline strings and formula results.
    R"(<row r="2">)" +
    inlineCell("A2", "inline") +
    R"(<c r="B2" t="inlineStr"><is><r><t>in</t></r><r><t>_x0009_runs</t></r></is></c>)"
    R"(<c r="C2" t="str"><f>A1&amp;"x"</f><v>张三x</v></c><c r="D2" t="str"><v>tab_x0009_</v></c></row>)"
    // Not text, and shared string indexes that name no string.
    R"(<row r="3"><c r="A3"><v>0</v></c><c r="B3" t="n"><v>1</v></c><c r="C3" t="b"><v>1</v></c>)"
    R"(<c r="D3" t="d"><v>2024-09-01T00:00:00</v></c><c r="E3" t="e"><v>#DIV/0!</v></c>)"
    R"(<c r="F3" t="s"><v>7</v></c><c r="G3" t="s"><v>-1</v></c><c r="H3" t="s"><v>x</v></c>)"
    R"(<c r="I3" t="s"/><c r="J3" t="s"><v>99999999999999999999999</v></c></row>)"
    // Cells without r follow the cell before them; rows without r the row before.
    R"(<row r="4"><c r="B4" t="s"><v>0</v></c><c t="s"><v>5</v></c><c s="2"/>)" +
    inlineCell("", "E4") + "</row><row>" + inlineCell("", "A5") + "</row>" +
    // Columns XFD and beyond: nothing past XFD may land on the next row.
    R"(<row r="6">)" + inlineCell("XFD6", "XFD6") + inlineCell("", "past XFD") + "</row>" +
    R"(<row r="7">)" + inlineCell("XFE7", "XFE7") + inlineCell("AAAAAAAAAAAAAAAAAAAAAAAAAAAA7", "huge") + "</row>" +
    R"(<row r="8">)" + inlineCell("A8", "A8") + "</row><row>" + inlineCell("", "A9") + "</row>" +
    // Equals signs in text, in attribute values and in a comment are no
    // attributes.
    R"(<row r="10"><!-- <c a=" --><c r="A10" t="inlineStr" x=")" + QByteArray("a=b ").repeated(100) + R"("><is><t>)" +
    QByteArray("=").repeated(100) + "</t></is></c></row>" +
    // The last row and column of a sheet, and rows beyond it.
    R"(<row r="1048576">)" + inlineCell("XFD1048576", "last") + "</row>" +
    R"(<row r="1048577">)" + inlineCell("A1048577", "beyond") + inlineCell("", "beyond") + "</row>" +
    R"(<row r="99999999999999999999">)" + inlineCell("", "beyond") + "</row>";

struct CellCase {
    const char* name;
    int row;
    int column;
    QString expected;
    friend void PrintTo(const CellCase& c, std::ostream* os) { *os << c.name; }
};

class XlsxCellTest : public ::testing::TestWithParam<CellCase> {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new TempFolder;
        book_ = openBuilt(*folder_, oneSheetBook(kCellRows, kSharedItems)).release();
    }
    static void TearDownTestSuite()
    {
        delete book_;
        delete folder_;
    }
    static TempFolder* folder_;
    static SpreadsheetBook* book_;
};

TempFolder* XlsxCellTest::folder_ = nullptr;
SpreadsheetBook* XlsxCellTest::book_ = nullptr;

TEST_P(XlsxCellTest, GivesTheTextOfTextCellsOnly)
{
    ASSERT_NE(book_, nullptr);
    const SpreadsheetSheet* sheet = book_->sheet(0);
    ASSERT_NE(sheet, nullptr);
    const CellCase& c = GetParam();
    EXPECT_EQ(sheet->cellText(c.row, c.column), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsxCellTest,
    ::testing::Values(
        CellCase{"shared string", 0, 0, QStringLiteral("张三")},
        CellCase{"rich text runs joined, phonetic run left out", 0, 1, QStringLiteral("Li Si")},
        CellCase{"_x0009_ is a TAB", 0, 2, QStringLiteral("a\tb")},
        CellCase{"_x005F_ keeps a literal _x0041_", 0, 3, QStringLiteral("_x0041_")},
        CellCase{"spaces kept", 0, 4, QStringLiteral("  padded  ")},
        CellCase{"text with a phonetic run", 0, 5, QStringLiteral("王五")},
        CellCase{"near-escapes left as written", 0, 6, QStringLiteral("_x12_ and _x00G1_ and _x004")},
        CellCase{"inline string", 1, 0, QStringLiteral("inline")},
        CellCase{"inline rich text runs", 1, 1, QStringLiteral("in\truns")},
        CellCase{"formula result text", 1, 2, QStringLiteral("张三x")},
        CellCase{"formula result text with an escape", 1, 3, QStringLiteral("tab\t")},
        CellCase{"number 0 is not shared string 0", 2, 0, QString()},
        CellCase{"number", 2, 1, QString()},
        CellCase{"boolean", 2, 2, QString()},
        CellCase{"date", 2, 3, QString()},
        CellCase{"error", 2, 4, QString()},
        CellCase{"shared string index past the end", 2, 5, QString()},
        CellCase{"negative shared string index", 2, 6, QString()},
        CellCase{"shared string index not a number", 2, 7, QString()},
        CellCase{"shared string cell without a value", 2, 8, QString()},
        CellCase{"shared string index beyond any integer", 2, 9, QString()},
        CellCase{"cell with r", 3, 1, QStringLiteral("张三")},
        CellCase{"cell without r after B4", 3, 2, QStringLiteral("王五")},
        CellCase{"empty cell without r", 3, 3, QString()},
        CellCase{"cell without r after an empty one", 3, 4, QStringLiteral("E4")},
        CellCase{"row without r", 4, 0, QStringLiteral("A5")},
        CellCase{"column XFD", 5, 16383, QStringLiteral("XFD6")},
        CellCase{"a cell past XFD is not the next row's A", 6, 0, QString()},
        CellCase{"a cell at XFE is not the next row's A", 7, 0, QStringLiteral("A8")},
        CellCase{"row without r after a numbered one", 8, 0, QStringLiteral("A9")},
        CellCase{"equals signs", 9, 0, QString(100, u'=')},
        CellCase{"last row and column", 1048575, 16383, QStringLiteral("last")},
        CellCase{"empty cell", 0, 7, QString()},
        CellCase{"negative row", -1, 0, QString()},
        CellCase{"negative column", 0, -1, QString()},
        CellCase{"row past the sheet", 1048576, 0, QString()},
        CellCase{"column past the sheet", 0, 16384, QString()}));

// ---- The workbook -------------------------------------------------------------

TEST(XlsxBook, ListsSheetsInWorkbookOrderAndFindsTheirPartsThroughTheRelationships)
{
    // Book order differs from sheet ids, relationship ids and part numbers;
    // targets are relative, absolute, climbing, percent-encoded or of another
    // letter case; one sheet's part is written with prefixed elements.
    const QByteArray workbook = workbookXml(
        sheetListing("Zeta", "rId7") + sheetListing("初一(2)班", "rId2") + sheetListing("A &amp; B", "rId1") +
        sheetListing("No part", "rId4") + sheetListing("No link", "rId99") + sheetListing("Prefixed", "rId5"));
    const QByteArray links = relationshipsXml(
        relationship("rId1", "worksheet", "../xl/worksheets/sheet1.xml") +
        relationship("rId2", "worksheet", "/xl/worksheets/sheet3.xml") +
        relationship("rId7", "worksheet", "worksheets/Sheet%202.XML") +
        relationship("rId4", "worksheet", "worksheets/sheet9.xml") +
        relationship("rId5", "worksheet", "worksheets/sheet4.xml") +
        relationship("rId6", "sharedStrings", "/xl/strings.xml") +
        R"(<Relationship Id="rId99" )"
        R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" )"
        R"(Target="worksheets/sheet1.xml" TargetMode="External"/>)");
    const QByteArray prefixed =
        kDeclaration +
        R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:sheetData>)"
        R"(<x:row r="1"><x:c r="A1" t="inlineStr"><x:is><x:t>prefixed</x:t></x:is></x:c></x:row>)"
        R"(</x:sheetData></x:worksheet>)";
    const TempFolder folder;
    const auto book = openBuilt(
        folder, {{"xl/workbook.xml", workbook},
                 {"xl/_rels/workbook.xml.rels", links},
                 {"xl/strings.xml", sharedStringsXml("<si><t>one</t></si><si><t>two</t></si><si><t>three</t></si>")},
                 {"xl/worksheets/sheet1.xml", sheetXml(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)")},
                 {"xl/worksheets/sheet 2.xml", sheetXml(R"(<row r="1"><c r="A1" t="s"><v>1</v></c></row>)")},
                 {"xl/worksheets/sheet3.xml", sheetXml(R"(<row r="1"><c r="A1" t="s"><v>2</v></c></row>)")},
                 {"xl/worksheets/sheet4.xml", prefixed}});
    ASSERT_NE(book, nullptr);

    const QStringList names{QStringLiteral("Zeta"),    QStringLiteral("初一(2)班"), QStringLiteral("A & B"),
                            QStringLiteral("No part"), QStringLiteral("No link"),   QStringLiteral("Prefixed")};
    ASSERT_EQ(book->sheetCount(), names.size());
    for (int i = 0; i < book->sheetCount(); ++i)
        EXPECT_EQ(book->sheetName(i), names[i]) << i;
    EXPECT_EQ(book->sheetName(-1), QString());
    EXPECT_EQ(book->sheetName(6), QString());

    // The sheets without a part first: they fail alone.
    EXPECT_EQ(book->sheet(3), nullptr);
    EXPECT_EQ(book->sheet(4), nullptr);
    EXPECT_EQ(book->sheet(-1), nullptr);
    EXPECT_EQ(book->sheet(6), nullptr);
    const QStringList firstCells{QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("one"), QString(),
                                 QString(), QStringLiteral("prefixed")};
    for (int i : {0, 1, 2, 5}) {
        const SpreadsheetSheet* sheet = book->sheet(i);
        ASSERT_NE(sheet, nullptr) << i;
        EXPECT_EQ(sheet->cellText(0, 0), firstCells[i]) << i;
        EXPECT_EQ(book->sheet(i), sheet) << "read once, then kept";
    }
}

// ---- Damaged, hostile and oversized books --------------------------------------

enum class Outcome { BookRefused, SheetRefused, Reads };

struct Built {
    std::vector<ZipEntry> entries;
    XlsxBounds bounds;
};

// The base of the cases: A1 is "ok".
std::vector<ZipEntry> okBook()
{
    return oneSheetBook(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)", "<si><t>ok</t></si>");
}

Built withEntry(const QByteArray& name, const QByteArray& bytes)
{
    std::vector<ZipEntry> entries = okBook();
    entryBytes(entries, name) = bytes;
    return {entries, {}};
}

// An ok book whose bound is set to the size of one of its parts, plus `over`.
Built boundedBook(qint64 XlsxBounds::*bound, const QByteArray& part, qint64 over)
{
    Built built{okBook(), {}};
    built.bounds.*bound = entryBytes(built.entries, part).size() + over;
    return built;
}

// Three text cells among a number and an empty text.
Built textCellsBook(int maxTextCells)
{
    Built built{oneSheetBook(R"(<row r="1"><c r="A1" t="s"><v>0</v></c>)" + inlineCell("B1", "b") +
                                 R"(<c r="C1"><v>3</v></c><c r="D1" t="str"><v>d</v></c>)" + inlineCell("E1", "") +
                                 "</row>",
                             "<si><t>ok</t></si>"),
                {}};
    built.bounds.maxTextCellsPerSheet = maxTextCells;
    return built;
}

Built sharedStringsBook(int maxSharedStrings)
{
    Built built{oneSheetBook(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)", "<si><t>ok</t></si><si/>"), {}};
    built.bounds.maxSharedStrings = maxSharedStrings;
    return built;
}

const QByteArray kLaughs = R"(<!DOCTYPE sst [<!ENTITY a "hahahahahahahahahahahahahahaha">)"
                           R"(<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">)"
                           R"(<!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;"><!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;">)"
                           R"(<!ENTITY f "&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;"><!ENTITY g "&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;">)"
                           R"(<!ENTITY h "&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;">)"
                           R"(<!ENTITY i "&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;">]>)";

struct HostileCase {
    const char* name;
    Built (*make)();
    Outcome outcome;
    friend void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }
};

class XlsxHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(XlsxHostileTest, RefusesWhatCannotBeReadSafely)
{
    const HostileCase& c = GetParam();
    const Built built = c.make();
    const TempFolder folder;
    const auto book = openBuilt(folder, built.entries, built.bounds);
    if (c.outcome == Outcome::BookRefused) {
        EXPECT_EQ(book, nullptr);
        return;
    }
    ASSERT_NE(book, nullptr);
    ASSERT_EQ(book->sheetCount(), 1);
    EXPECT_EQ(book->sheetName(0), QStringLiteral("Sheet1"));
    const SpreadsheetSheet* sheet = book->sheet(0);
    if (c.outcome == Outcome::SheetRefused) {
        EXPECT_EQ(sheet, nullptr);
        return;
    }
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->cellText(0, 0), QStringLiteral("ok"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsxHostileTest,
    ::testing::Values(
        HostileCase{"the ok book itself", [] { return Built{okBook(), {}}; }, Outcome::Reads},
        HostileCase{"an entity in the workbook",
                    [] {
                        return withEntry("xl/workbook.xml",
                                         kDeclaration + R"(<!DOCTYPE workbook [<!ENTITY n "Sheet1">]><workbook )" +
                                             kSpreadsheetNamespaces + "><sheets>" + sheetListing("&n;", "rId1") +
                                             "</sheets></workbook>");
                    },
                    Outcome::BookRefused},
        HostileCase{"an entity in the sheet",
                    [] {
                        return withEntry("xl/worksheets/sheet1.xml",
                                         kDeclaration + R"(<!DOCTYPE worksheet [<!ENTITY k "ok">]><worksheet )" +
                                             kSpreadsheetNamespaces + "><sheetData><row>" + inlineCell("A1", "&k;") +
                                             "</row></sheetData></worksheet>");
                    },
                    Outcome::SheetRefused},
        HostileCase{"nested entities in the shared strings",
                    [] {
                        return withEntry("xl/sharedStrings.xml", kDeclaration + kLaughs +
                                                                     R"(<sst><si><t>&i;</t></si></sst>)");
                    },
                    Outcome::BookRefused},
        HostileCase{"a DOCTYPE in the relationships",
                    [] {
                        return withEntry("xl/_rels/workbook.xml.rels",
                                         "<!DOCTYPE Relationships>" +
                                             relationshipsXml(relationship("rId1", "worksheet",
                                                                           "worksheets/sheet1.xml"))
                                                 .mid(kDeclaration.size()));
                    },
                    Outcome::BookRefused},
        HostileCase{"a tag of two thousand attributes, the first holding a \">\"",
                    [] {
                        QByteArray attributes = R"( x=">")";
                        for (int i = 0; i < 2000; ++i)
                            attributes += " a" + QByteArray::number(i) + "=\"\"";
                        return withEntry("xl/worksheets/sheet1.xml",
                                         sheetXml("<row" + attributes + R"(><c r="A1" t="s"><v>0</v></c></row>)"));
                    },
                    Outcome::SheetRefused},
        HostileCase{"elements nested a hundred deep",
                    [] {
                        return withEntry("xl/worksheets/sheet1.xml",
                                         sheetXml(R"(<row r="1"><c r="A1" t="s"><v>0</v></c>)" +
                                                  QByteArray("<x>").repeated(100) + QByteArray("</x>").repeated(100) +
                                                  "</row>"));
                    },
                    Outcome::SheetRefused},
        HostileCase{"a sheet in UTF-16",
                    [] {
                        QString sheet = QString::fromUtf8(sheetXml(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)"));
                        sheet.replace(QStringLiteral("UTF-8"), QStringLiteral("UTF-16"));
                        const QByteArray utf16(reinterpret_cast<const char*>(sheet.utf16()), sheet.size() * 2);
                        return withEntry("xl/worksheets/sheet1.xml", QByteArray("\xff\xfe", 2) + utf16);
                    },
                    Outcome::SheetRefused},
        HostileCase{"no workbook", [] { return Built{without(okBook(), "xl/workbook.xml"), {}}; },
                    Outcome::BookRefused},
        HostileCase{"no relationships", [] { return Built{without(okBook(), "xl/_rels/workbook.xml.rels"), {}}; },
                    Outcome::BookRefused},
        HostileCase{"a workbook cut short", [] { return withEntry("xl/workbook.xml", workbookXml("").chopped(20)); },
                    Outcome::BookRefused},
        HostileCase{"a workbook without sheets", [] { return withEntry("xl/workbook.xml", workbookXml("")); },
                    Outcome::BookRefused},
        HostileCase{"shared strings cut short",
                    [] { return withEntry("xl/sharedStrings.xml", sharedStringsXml("<si><t>ok</t></si>").chopped(8)); },
                    Outcome::BookRefused},
        HostileCase{"a sheet cut short",
                    [] {
                        return withEntry("xl/worksheets/sheet1.xml",
                                         sheetXml(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)").chopped(30));
                    },
                    Outcome::SheetRefused},
        HostileCase{"a sheet that is not XML",
                    [] { return withEntry("xl/worksheets/sheet1.xml", QByteArray("\x00\xff\x13PK", 5).repeated(40)); },
                    Outcome::SheetRefused},
        HostileCase{"a sheet part at its bound",
                    [] { return boundedBook(&XlsxBounds::maxSheetBytes, "xl/worksheets/sheet1.xml", 0); },
                    Outcome::Reads},
        HostileCase{"a sheet part past its bound",
                    [] { return boundedBook(&XlsxBounds::maxSheetBytes, "xl/worksheets/sheet1.xml", -1); },
                    Outcome::SheetRefused},
        HostileCase{"shared strings at their bound",
                    [] { return boundedBook(&XlsxBounds::maxSharedStringsBytes, "xl/sharedStrings.xml", 0); },
                    Outcome::Reads},
        HostileCase{"shared strings past their bound",
                    [] { return boundedBook(&XlsxBounds::maxSharedStringsBytes, "xl/sharedStrings.xml", -1); },
                    Outcome::BookRefused},
        HostileCase{"the workbook and relationships at their bound",
                    [] {
                        Built built{okBook(), {}};
                        const qsizetype workbook = entryBytes(built.entries, "xl/workbook.xml").size();
                        const qsizetype links = entryBytes(built.entries, "xl/_rels/workbook.xml.rels").size();
                        built.bounds.maxBookPartBytes = std::max(workbook, links);
                        return built;
                    },
                    Outcome::Reads},
        HostileCase{"a workbook past its bound",
                    [] { return boundedBook(&XlsxBounds::maxBookPartBytes, "xl/workbook.xml", -1); },
                    Outcome::BookRefused},
        HostileCase{"relationships past their bound",
                    [] { return boundedBook(&XlsxBounds::maxBookPartBytes, "xl/_rels/workbook.xml.rels", -1); },
                    Outcome::BookRefused},
        HostileCase{"text cells at their cap", [] { return textCellsBook(3); }, Outcome::Reads},
        HostileCase{"text cells past their cap", [] { return textCellsBook(2); }, Outcome::SheetRefused},
        HostileCase{"shared strings at their cap", [] { return sharedStringsBook(2); }, Outcome::Reads},
        HostileCase{"shared strings past their cap", [] { return sharedStringsBook(1); }, Outcome::BookRefused}));

// ---- Files that are no xlsx -----------------------------------------------------

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 12345;
    for (char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = char(state >> 24);
    }
    return bytes;
}

struct FileCase {
    const char* name;
    QByteArray (*bytes)();
    friend void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }
};

class XlsxFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(XlsxFileTest, IsNoBook)
{
    const TempFolder folder;
    folder.write(QStringLiteral("book.xlsx"), GetParam().bytes());
    EXPECT_EQ(OpenXlsxBook(folder.file(QStringLiteral("book.xlsx"))), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsxFileTest,
    ::testing::Values(
        FileCase{"empty", [] { return QByteArray(); }}, FileCase{"random bytes", [] { return randomBytes(4096); }},
        FileCase{"random bytes after a zip signature", [] { return "PK\x03\x04" + randomBytes(4096); }},
        // An xls, or an xlsx encrypted by Excel: both are OLE compound files.
        FileCase{"an OLE compound file",
                 [] { return QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + randomBytes(4088); }},
        FileCase{"a zip cut in half",
                 [] {
                     const QByteArray zip = zipBytes(okBook());
                     return zip.left(zip.size() / 2);
                 }},
        FileCase{"a zip without its last bytes", [] { return zipBytes(okBook()).chopped(10); }}));

TEST(XlsxFile, AMissingFileOrAFolderIsNoBook)
{
    const TempFolder folder;
    EXPECT_EQ(OpenXlsxBook(folder.file(QStringLiteral("none.xlsx"))), nullptr);
    EXPECT_EQ(OpenXlsxBook(folder.path()), nullptr);
    EXPECT_EQ(OpenXlsxBook(QString()), nullptr);
}

TEST(XlsxFile, ASheetWhoseDataIsDamagedIsRefusedAlone)
{
    std::vector<ZipEntry> entries = oneSheetBook("<row>" + inlineCell("A1", "damaged here") + "</row>");
    entries.push_back({"xl/worksheets/sheet2.xml", sheetXml("<row>" + inlineCell("A1", "fine") + "</row>"), true});
    entryBytes(entries, "xl/workbook.xml") = workbookXml(sheetListing("One", "rId1") + sheetListing("Two", "rId9"));
    entryBytes(entries, "xl/_rels/workbook.xml.rels") =
        relationshipsXml(relationship("rId1", "worksheet", "worksheets/sheet1.xml") +
                         relationship("rId9", "worksheet", "worksheets/sheet2.xml"));
    entries[2].deflate = false; // stored, so its bytes can be found and changed
    QByteArray zip = zipBytes(entries);
    const qsizetype at = zip.indexOf("damaged here");
    ASSERT_GE(at, 0);
    zip[at] = 'D';

    const TempFolder folder;
    folder.write(QStringLiteral("book.xlsx"), zip);
    const auto book = OpenXlsxBook(folder.file(QStringLiteral("book.xlsx")));
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->sheet(0), nullptr);
    ASSERT_NE(book->sheet(1), nullptr);
    EXPECT_EQ(book->sheet(1)->cellText(0, 0), QStringLiteral("fine"));
}

// ---- A zip bomb, at the default bounds --------------------------------------------

// Sets the inflated size the zip declares for an entry, in its local header
// and in the central directory.
bool declareSize(QByteArray& zip, const QByteArray& name, quint32 size)
{
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 1)) {
        if (at + 46 > zip.size())
            return false;
        const uchar* central = reinterpret_cast<const uchar*>(zip.constData()) + at;
        const quint16 nameLength = qFromLittleEndian<quint16>(central + 28);
        if (zip.mid(at + 46, nameLength) != name)
            continue;
        const quint32 local = qFromLittleEndian<quint32>(central + 42);
        if (qsizetype(local) + 30 > zip.size() || zip.mid(local, 4) != "PK\x03\x04")
            return false;
        qToLittleEndian(size, zip.data() + at + 24);
        qToLittleEndian(size, zip.data() + local + 22);
        return true;
    }
    return false;
}

// A well-formed sheet of 72 MiB (twelve million empty rows) that deflates to
// a few hundred KiB.
class XlsxBombTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::vector<ZipEntry> entries = oneSheetBook(QByteArray("<row/>").repeated(12 * 1024 * 1024));
        entries.push_back({"xl/worksheets/sheet2.xml", sheetXml("<row>" + inlineCell("A1", "small") + "</row>"), true});
        entryBytes(entries, "xl/workbook.xml") =
            workbookXml(sheetListing("Bomb", "rId1") + sheetListing("Small", "rId9"));
        entryBytes(entries, "xl/_rels/workbook.xml.rels") =
            relationshipsXml(relationship("rId1", "worksheet", "worksheets/sheet1.xml") +
                             relationship("rId9", "worksheet", "worksheets/sheet2.xml"));
        bombSheetSize_ = zip_uint64_t(entryBytes(entries, "xl/worksheets/sheet1.xml").size());
        bomb_ = new QByteArray(zipBytes(entries));
    }
    static void TearDownTestSuite() { delete bomb_; }

    static void expectBombRefused(const QByteArray& zip, zip_uint64_t declaredSize)
    {
        const TempFolder folder;
        folder.write(QStringLiteral("bomb.xlsx"), zip);
        const QString path = folder.file(QStringLiteral("bomb.xlsx"));

        zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
        ASSERT_NE(archive, nullptr);
        zip_stat_t stat;
        ASSERT_EQ(zip_stat(archive, "xl/worksheets/sheet1.xml", 0, &stat), 0);
        zip_discard(archive);
        EXPECT_EQ(stat.size, declaredSize);
        EXPECT_LT(zip.size(), 1024 * 1024);

        const auto book = OpenXlsxBook(path);
        ASSERT_NE(book, nullptr);
        EXPECT_EQ(book->sheet(0), nullptr);
        ASSERT_NE(book->sheet(1), nullptr);
        EXPECT_EQ(book->sheet(1)->cellText(0, 0), QStringLiteral("small"));
    }

    static QByteArray* bomb_;
    static zip_uint64_t bombSheetSize_;
};

QByteArray* XlsxBombTest::bomb_ = nullptr;
zip_uint64_t XlsxBombTest::bombSheetSize_ = 0;

TEST_F(XlsxBombTest, ASheetThatDeclaresItsSizeIsRefused)
{
    expectBombRefused(*bomb_, bombSheetSize_);
}

TEST_F(XlsxBombTest, ASheetThatLiesAboutItsSizeIsRefused)
{
    QByteArray lying = *bomb_;
    ASSERT_TRUE(declareSize(lying, "xl/worksheets/sheet1.xml", 1000));
    expectBombRefused(lying, 1000);
}

// ---- A million rows -------------------------------------------------------------

TEST(XlsxBook, ReadsASheetOfAMillionRows)
{
    // A thousand blocks of 999 empty rows and a row with a name.
    const QByteArray block = QByteArray("<row/>").repeated(999) + R"(<row><c t="s"><v>0</v></c><c><v>1</v></c></row>)";
    const QByteArray rows = block.repeated(1000) + "<row>" + inlineCell("", "after") + "</row>";
    const TempFolder folder;
    const auto book = openBuilt(folder, oneSheetBook(rows, "<si><t>name</t></si><si><t>not this</t></si>"));
    ASSERT_NE(book, nullptr);
    const SpreadsheetSheet* sheet = book->sheet(0);
    ASSERT_NE(sheet, nullptr);
    for (int row : {999, 500'999, 999'999}) {
        EXPECT_EQ(sheet->cellText(row - 1, 0), QString()) << row;
        EXPECT_EQ(sheet->cellText(row, 0), QStringLiteral("name")) << row;
        EXPECT_EQ(sheet->cellText(row, 1), QString()) << row;
    }
    EXPECT_EQ(sheet->cellText(1'000'000, 0), QStringLiteral("after"));
    EXPECT_EQ(sheet->cellText(1'000'001, 0), QString());
}

// ---- A book saved by a spreadsheet program ------------------------------------------

TEST(XlsxFixture, ReadsTheClassListsSavedByLibreOffice)
{
    const QString folder = QString::fromUtf8(IDPHOTO_FIXTURES "/spreadsheets/");
    const auto book = OpenXlsxBook(folder + QStringLiteral("class_lists.xlsx"));
    ASSERT_NE(book, nullptr);
    const QStringList names{QStringLiteral("初一(2)班"), QStringLiteral("Gap"),  QStringLiteral("Near"),
                            QStringLiteral("Mixed"),     QStringLiteral("空表"), QStringLiteral("Alpha")};
    ASSERT_EQ(book->sheetCount(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(book->sheetName(i), names[i]) << i;
        EXPECT_NE(book->sheet(i), nullptr) << i;
    }

    struct Cell {
        int sheet, row, column;
        QString text;
    };
    const Cell cells[] = {
        {0, 0, 0, QStringLiteral("王芳")},      {0, 39, 0, QStringLiteral("吕薇")},
        {0, 40, 0, QString()},                  {1, 7, 0, QStringLiteral("李四")},
        {1, 6, 0, QString()},                   {3, 0, 0, QStringLiteral("张\t三")},
        {3, 0, 1, QStringLiteral("备注")},      {3, 1, 0, QStringLiteral("李四\t  ")},
        {3, 2, 0, QString()} /* 42 */,          {3, 2, 2, QString()} /* 3.5 */,
        {3, 3, 0, QString()} /* a date */,      {3, 4, 0, QString()} /* true */,
        {3, 5, 0, QStringLiteral("王五")} /* a formula's text */,
        {3, 6, 0, QString()} /* a formula's number */,
        {4, 0, 0, QString()},                   {5, 0, 0, QStringLiteral("孙七")},
    };
    for (const Cell& cell : cells) {
        const SpreadsheetSheet* sheet = book->sheet(cell.sheet);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->cellText(cell.row, cell.column), cell.text)
            << cell.sheet << " " << cell.row << " " << cell.column;
    }

    // An xls, plain or encrypted, is no xlsx.
    EXPECT_EQ(OpenXlsxBook(folder + QStringLiteral("class_lists.xls")), nullptr);
    EXPECT_EQ(OpenXlsxBook(folder + QStringLiteral("class_lists_encrypted.xls")), nullptr);
}

// ---- Choosing the reader ------------------------------------------------------------

struct KindCase {
    const char* path;
    std::optional<SpreadsheetKind> kind;
    friend void PrintTo(const KindCase& c, std::ostream* os) { *os << c.path; }
};

class SpreadsheetKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(SpreadsheetKindTest, ComesFromTheExtension)
{
    EXPECT_EQ(SpreadsheetKindOf(QString::fromUtf8(GetParam().path)), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpreadsheetKindTest,
                         ::testing::Values(KindCase{"名单.xls", SpreadsheetKind::Xls},
                                           KindCase{"C:/班级/名单.XLSX", SpreadsheetKind::Xlsx},
                                           KindCase{"/a/b.XlS", SpreadsheetKind::Xls},
                                           KindCase{"/a/b.tar.xlsx", SpreadsheetKind::Xlsx},
                                           KindCase{".xls", SpreadsheetKind::Xls},
                                           KindCase{"/a/b.xlsm", std::nullopt},
                                           KindCase{"/a/b.xls.bak", std::nullopt},
                                           KindCase{"/a.xls/b", std::nullopt},
                                           KindCase{"/a/xlsx", std::nullopt},
                                           KindCase{"/a/b.", std::nullopt},
                                           // Only ASCII letters change case: "ſ" folds to "s" in Unicode.
                                           KindCase{"/a/b.xlſ", std::nullopt},
                                           KindCase{"/a/b.xlsx ", std::nullopt}));

TEST(OpenSpreadsheet, OpensWithTheReaderOfTheKind)
{
    const TempFolder folder;
    const QString path = folder.file(QStringLiteral("book.xlsx"));
    ASSERT_TRUE(writeZip(path, okBook()));
    const auto book = OpenSpreadsheet(path, SpreadsheetKind::Xlsx);
    ASSERT_NE(book, nullptr);
    ASSERT_NE(book->sheet(0), nullptr);
    EXPECT_EQ(book->sheet(0)->cellText(0, 0), QStringLiteral("ok"));
    EXPECT_EQ(OpenSpreadsheet(path, SpreadsheetKind::Xls), nullptr);
}

} // namespace
