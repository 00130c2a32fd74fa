#include "imaging/print_sheet.h"

#include "imaging/print_density.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

// A photo, its paper, and where its copies go: the columns' left edges and
// the rows' top edges, the copies in rows from the top, each row from the left.
struct LayoutCase {
    const char* name;
    QSize photo;
    int photoDpi;
    SheetPaper paper;
    QSize sheet;
    QSize copy;
    QList<int> lefts;
    QList<int> tops;
    friend void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }
};

// The gap is 2 mm at 300 dpi: 2 / 25.4 × 300 = 23.6, 24 pixels. n copies of
// side s take n·s + (n − 1)·24 pixels, and the block starts at half of what
// is left, rounded down.
const LayoutCase kLayoutCases[] = {
    // 1寸照 on 6寸 (1800 × 1200): across, 5 · 295 + 4 · 24 = 1571 ≤ 1800 and
    // 6 copies take 1894; (1800 − 1571) / 2 = 114.5 → 114, then steps of
    // 295 + 24 = 319. Down, 2 · 413 + 24 = 850 ≤ 1200 and 3 take 1287;
    // (1200 − 850) / 2 = 175, then 175 + 437 = 612. Ten copies.
    {"1寸照 on 6寸", {295, 413}, 300, SheetPaper::SixInch, {1800, 1200}, {295, 413},
     {114, 433, 752, 1071, 1390}, {175, 612}},
    // 2寸照 on 6寸: across, 4 · 413 + 3 · 24 = 1724 and 5 take 2161;
    // (1800 − 1724) / 2 = 38, steps of 437. Down, one row of 626 (two take
    // 1276); (1200 − 626) / 2 = 287. Four copies.
    {"2寸照 on 6寸", {413, 626}, 300, SheetPaper::SixInch, {1800, 1200}, {413, 626},
     {38, 475, 912, 1349}, {287}},
    // 学籍/身份证 at 350 dpi is 358 · 300 / 350 = 306.86 → 307 by
    // 441 · 300 / 350 = 378 on the sheet. Across, 5 · 307 + 96 = 1631 and 6
    // take 1986; (1800 − 1631) / 2 = 84.5 → 84, steps of 331. Down,
    // 3 · 378 + 48 = 1182 and 4 take 1584; (1200 − 1182) / 2 = 9, steps of
    // 402. Fifteen copies.
    {"学籍/身份证 at 350 dpi on 6寸", {358, 441}, 350, SheetPaper::SixInch, {1800, 1200}, {307, 378},
     {84, 415, 746, 1077, 1408}, {9, 411, 813}},
    // 1寸照 on A4 (210 × 297 mm: 2480.3 → 2480 by 3507.9 → 3508): across,
    // 7 · 295 + 144 = 2209 and 8 take 2552; (2480 − 2209) / 2 = 135.5 → 135.
    // Down, 8 · 413 + 168 = 3472 and 9 take 3909; (3508 − 3472) / 2 = 18.
    {"1寸照 on A4", {295, 413}, 300, SheetPaper::A4, {2480, 3508}, {295, 413},
     {135, 454, 773, 1092, 1411, 1730, 2049}, {18, 455, 892, 1329, 1766, 2203, 2640, 3077}},
    // Two copies and one gap fill the width exactly: 2 · 888 + 24 = 1800.
    {"two copies fill the width", {888, 1200}, 300, SheetPaper::SixInch, {1800, 1200}, {888, 1200},
     {0, 912}, {0}},
    {"wider than the sheet", {1801, 100}, 300, SheetPaper::SixInch, {1800, 1200}, {1801, 100}, {}, {}},
    // Turned it would fit (1300 ≤ 1800, 1000 ≤ 1200), but copies stay upright.
    {"taller than the sheet", {1000, 1300}, 300, SheetPaper::SixInch, {1800, 1200}, {1000, 1300}, {}, {}},
    {"a resolution that is not positive", {295, 413}, 0, SheetPaper::SixInch, {1800, 1200}, {}, {}, {}},
};

class SheetLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(SheetLayoutTest, CopiesGoInRowsAndColumnsCentredOnTheSheet)
{
    const LayoutCase& c = GetParam();
    EXPECT_EQ(CopyPixels(c.photo, c.photoDpi), c.copy);
    const SheetLayout layout = LayOutSheet(c.photo, c.photoDpi, c.paper);
    EXPECT_EQ(layout.sheetPixels, c.sheet);
    QList<QRect> expected;
    for (const int top : c.tops) {
        for (const int left : c.lefts)
            expected.append(QRect(QPoint(left, top), c.copy));
    }
    EXPECT_EQ(layout.photos, expected);
}

// Every cut line lies on the sheet and off every copy, and each edge of a
// copy that is not the sheet's own edge has a line right beside it.
TEST_P(SheetLayoutTest, CutLinesBorderEveryCopyAndCrossNone)
{
    const LayoutCase& c = GetParam();
    const SheetLayout layout = LayOutSheet(c.photo, c.photoDpi, c.paper);
    const QRect sheet(QPoint(0, 0), layout.sheetPixels);
    const QList<QLine> lines = CutLines(layout);
    QList<int> columns;
    QList<int> rows;
    for (const QLine& line : lines) {
        const QRect pixels = QRect(line.p1(), line.p2()).normalized();
        EXPECT_TRUE(sheet.contains(pixels)) << line.x1() << "," << line.y1();
        if (pixels.width() == 1 && pixels.height() == sheet.height())
            columns.append(pixels.left());
        else if (pixels.height() == 1 && pixels.width() == sheet.width())
            rows.append(pixels.top());
        else
            ADD_FAILURE() << "a line neither across nor down the sheet: " << line.x1() << "," << line.y1();
        for (const QRect& photo : layout.photos)
            EXPECT_FALSE(photo.intersects(pixels)) << line.x1() << "," << line.y1();
    }
    // A neighbour of the sheet's own edge needs no line.
    const auto lined = [](const QList<int>& cuts, int at, int last) {
        return at < 0 || at > last || cuts.contains(at);
    };
    for (const QRect& photo : layout.photos) {
        EXPECT_TRUE(lined(columns, photo.left() - 1, sheet.right())) << photo.left();
        EXPECT_TRUE(lined(columns, photo.right() + 1, sheet.right())) << photo.right();
        EXPECT_TRUE(lined(rows, photo.top() - 1, sheet.bottom())) << photo.top();
        EXPECT_TRUE(lined(rows, photo.bottom() + 1, sheet.bottom())) << photo.bottom();
    }
    EXPECT_EQ(lines.isEmpty(), layout.photos.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, SheetLayoutTest, ::testing::ValuesIn(kLayoutCases));

// The pixels of the sheet that are not on a copy.
QList<QRgb> ColoursOffTheCopies(const QImage& sheet, const QList<QRect>& photos)
{
    QList<QRgb> colours;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            const QPoint p(x, y);
            if (std::none_of(photos.begin(), photos.end(), [p](const QRect& r) { return r.contains(p); }) &&
                !colours.contains(sheet.pixel(p)))
                colours.append(sheet.pixel(p));
        }
    }
    return colours;
}

TEST(RenderSheet, APhotoAtTheSheetsResolutionIsCopiedPixelForPixel)
{
    const QImage photo = photoLikePicture(295, 413);
    const QImage sheet = RenderSheet(photo, 300, SheetPaper::SixInch);
    ASSERT_EQ(sheet.size(), QSize(1800, 1200));
    EXPECT_EQ(sheet.dotsPerMeterX(), 11811);
    EXPECT_EQ(sheet.dotsPerMeterY(), 11811);
    const SheetLayout layout = LayOutSheet(photo.size(), 300, SheetPaper::SixInch);
    ASSERT_EQ(layout.photos.size(), 10);
    for (const QRect& place : layout.photos) {
        for (const QPoint p : {QPoint(0, 0), QPoint(294, 0), QPoint(0, 412), QPoint(294, 412), QPoint(147, 206)})
            EXPECT_EQ(sheet.pixel(place.topLeft() + p), photo.pixel(p)) << place.x() << "," << place.y();
        EXPECT_EQ(sheet.copy(place), photo) << place.x() << "," << place.y();
    }
    // Off the copies only white paper and the grey of the cut lines.
    const QList<QRgb> around = ColoursOffTheCopies(sheet, layout.photos);
    EXPECT_EQ(around.size(), 2);
    EXPECT_TRUE(around.contains(qRgb(255, 255, 255)));
    for (const QLine& line : CutLines(layout)) {
        const QRgb grey = sheet.pixel(line.p1());
        EXPECT_NE(grey, qRgb(255, 255, 255));
        EXPECT_EQ(qRed(grey), qGreen(grey));
        EXPECT_EQ(qGreen(grey), qBlue(grey));
        EXPECT_EQ(sheet.pixel(line.p2()), grey);
    }
    // The middle of the gap between the first two copies, between its two lines.
    EXPECT_EQ(sheet.pixel(114 + 295 + 12, 300), qRgb(255, 255, 255));
}

TEST(RenderSheet, APhotoAt350DpiIsScaledToItsPrintedSize)
{
    // The quarters (red, green / white, blue) show where the copy's pixels came from.
    const QImage photo = quarteredPicture(358, 441);
    const QImage sheet = RenderSheet(photo, 350, SheetPaper::SixInch);
    EXPECT_EQ(DotsPerInch(sheet.dotsPerMeterX()), 300);
    const SheetLayout layout = LayOutSheet(photo.size(), 350, SheetPaper::SixInch);
    ASSERT_EQ(layout.photos.size(), 15);
    for (const QRect& place : layout.photos) {
        ASSERT_EQ(place.size(), QSize(307, 378));
        const auto at = [&](int x, int y) { return coarse(sheet.pixel(place.topLeft() + QPoint(x, y))); };
        EXPECT_EQ(at(2, 2), qRgb(255, 0, 0));
        EXPECT_EQ(at(304, 2), qRgb(0, 255, 0));
        EXPECT_EQ(at(304, 375), qRgb(0, 0, 255));
        EXPECT_EQ(at(2, 375), qRgb(255, 255, 255));
        // The last column and row of the copy are still the photo's, the ones
        // beyond are the cut lines.
        EXPECT_EQ(at(306, 377), qRgb(0, 0, 255));
        EXPECT_NE(sheet.pixel(place.bottomRight() + QPoint(1, 0)), sheet.pixel(place.bottomRight()));
    }
}

TEST(RenderSheet, APhotoLargerThanThePaperLeavesItWhite)
{
    const QImage sheet = RenderSheet(photoLikePicture(1000, 1300), 300, SheetPaper::SixInch);
    QImage white(1800, 1200, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(sheet, white);
    EXPECT_EQ(sheet.dotsPerMeterY(), 11811);
}

TEST(RenderSheet, AnA4SheetStandsUpright)
{
    const QImage sheet = RenderSheet(photoLikePicture(295, 413), 300, SheetPaper::A4);
    EXPECT_EQ(sheet.size(), QSize(2480, 3508));
    EXPECT_EQ(sheet.dotsPerMeterX(), 11811);
    EXPECT_EQ(sheet.copy(135, 18, 295, 413), photoLikePicture(295, 413));
}

} // namespace
