// The real printer's page and placing, without its dialog: a PDF printer
// stands in for the one the user would choose.
#include "platform/qt_picture_printer.h"

#include "support/temp_folder.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <ostream>

namespace {

QImage SheetOf(QSize pixels, int dotsPerMeter)
{
    QImage sheet(pixels, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    sheet.setDotsPerMeterX(dotsPerMeter);
    sheet.setDotsPerMeterY(dotsPerMeter);
    return sheet;
}

struct PageCase {
    const char* name;
    QSize pixels;
    QPageLayout::Orientation orientation;
    QSizeF millimetres; // as the page lies
    QSizeF points;      // the PDF's media box
    friend void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }
};

class PicturePageTest : public ::testing::TestWithParam<PageCase> {};

// 11811 dots per metre are 300 dpi: 1800 × 1200 pixels are 6 × 4 inches,
// 152.4 × 101.6 mm, and 2480 × 3508 are 209.97 × 297.01 mm, which is A4.
TEST_P(PicturePageTest, ThePageIsThePicturesPaperWithoutMargins)
{
    const PageCase& c = GetParam();
    const QPageLayout page = PictureSizedPage(SheetOf(c.pixels, 11811));
    EXPECT_EQ(page.orientation(), c.orientation);
    const QRectF full = page.fullRect(QPageLayout::Millimeter);
    EXPECT_NEAR(full.width(), c.millimetres.width(), 0.1);
    EXPECT_NEAR(full.height(), c.millimetres.height(), 0.1);
    EXPECT_EQ(page.margins(), QMarginsF());
}

// Printed to a PDF the page has that size, and the picture is drawn.
TEST_P(PicturePageTest, APdfPrinterMakesOnePageOfThatSize)
{
    const PageCase& c = GetParam();
    TempFolder folder;
    const QImage sheet = SheetOf(c.pixels, 11811);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.file(QStringLiteral("sheet.pdf")));
    printer.setPageLayout(PictureSizedPage(sheet));
    ASSERT_TRUE(PaintAtPhysicalSize(printer, sheet));
    const QByteArray pdf = folder.read(QStringLiteral("sheet.pdf"));
    const QRegularExpression box(QStringLiteral("/MediaBox \\[([^\\]]*)\\]"));
    QList<QStringList> boxes;
    for (auto it = box.globalMatch(QString::fromLatin1(pdf)); it.hasNext();)
        boxes << it.next().captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(boxes.size(), 1);
    ASSERT_EQ(boxes[0].size(), 4);
    EXPECT_NEAR(boxes[0][2].toDouble() - boxes[0][0].toDouble(), c.points.width(), 1.0);
    EXPECT_NEAR(boxes[0][3].toDouble() - boxes[0][1].toDouble(), c.points.height(), 1.0);
    EXPECT_TRUE(pdf.contains("/Subtype /Image"));
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, PicturePageTest,
    ::testing::Values(PageCase{"6寸", {1800, 1200}, QPageLayout::Landscape, {152.4, 101.6}, {432, 288}},
                      PageCase{"A4", {2480, 3508}, QPageLayout::Portrait, {209.97, 297.01}, {595.3, 841.9}}));

TEST(PhysicalPlace, ThePictureKeepsItsSizeCentredOnAnyPaper)
{
    const QImage sheet = SheetOf({1800, 1200}, 11811); // 6 × 4 inches
    struct Case {
        QSizeF paper;
        int dpi;
        QRectF place;
    };
    // At 1200 dpi the sheet is 7200 × 4800 device pixels; on A4 at 600 dpi
    // (4961 × 7016) it is 3600 × 2400 with (4961 − 3600) / 2 = 680.5 on each side.
    for (const Case& c : {Case{{7200, 4800}, 1200, {0, 0, 7200, 4800}},
                          Case{{4961, 7016}, 600, {680.5, 2308, 3600, 2400}},
                          Case{{2000, 1000}, 300, {100, -100, 1800, 1200}}}) {
        const QRectF place = PhysicalPlace(sheet, c.paper, c.dpi);
        EXPECT_NEAR(place.x(), c.place.x(), 0.1) << c.dpi;
        EXPECT_NEAR(place.y(), c.place.y(), 0.1) << c.dpi;
        EXPECT_NEAR(place.width(), c.place.width(), 0.1) << c.dpi;
        EXPECT_NEAR(place.height(), c.place.height(), 0.1) << c.dpi;
    }
}

} // namespace
