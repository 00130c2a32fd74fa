// The brush's marks, the text entry box's width and colours, and the width
// rule, on exact pixels.
#include "workspace/drawing_geometry.h"

#include <QFont>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

QImage blank(QSize size = QSize(40, 40))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The smallest rectangle holding every pixel that is not white.
QRect markedArea(const QImage& image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                area |= QRect(x, y, 1, 1);
    return area;
}

TEST(BrushDisc, CoversItsWidthFromHalfTheWidthUpAndLeft)
{
    const struct {
        int width;
        QRect area;
    } cases[] = {
        {1, {}},                  // a click with width 1 leaves no mark
        {2, {9, 9, 2, 2}},
        {4, {8, 8, 4, 4}},
        {5, {8, 8, 5, 5}},
        {9, {6, 6, 9, 9}},
    };
    for (const auto& c : cases) {
        QImage image = blank();
        PaintBrushDisc(image, QPoint(10, 10), c.width, Qt::red);
        EXPECT_EQ(markedArea(image), c.area) << "width " << c.width;
        EXPECT_EQ(BrushBox(QPoint(10, 10), c.width), c.area) << "width " << c.width;
    }
    // Wide enough to be round: the corners of its box stay unpainted.
    QImage image = blank();
    PaintBrushDisc(image, QPoint(20, 20), 9, Qt::red);
    EXPECT_EQ(image.pixel(16, 16), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
}

TEST(BrushRing, OutlinesTheDiscsBoxAndLeavesItsMiddle)
{
    QImage image = blank();
    DrawBrushRing(image, QPoint(20, 20), 9, Qt::blue);
    EXPECT_EQ(markedArea(image), QRect(16, 16, 9, 9));
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 255, 255));
    QImage one = blank();
    DrawBrushRing(one, QPoint(20, 20), 1, Qt::blue);
    EXPECT_TRUE(markedArea(one).isNull());
}

TEST(BrushLine, IsAsThickAsTheBrush)
{
    QImage image = blank();
    PaintBrushLine(image, QPoint(5, 20), QPoint(35, 20), 6, Qt::black);
    const QRect area = markedArea(image);
    EXPECT_EQ(area.height(), 6);
    EXPECT_LE(area.left(), 5 - 2);
    QImage thin = blank();
    PaintBrushLine(thin, QPoint(5, 20), QPoint(35, 20), 1, Qt::black);
    EXPECT_EQ(markedArea(thin), QRect(5, 20, 31, 1));
}

TEST(BrushWidth, TypedWidthsAreUsedWithinSaneBounds)
{
    const struct {
        double typed;
        int used;
    } cases[] = {{0, 1}, {-5, 1}, {1, 1}, {7.9, 7}, {20, 20}, {1000, 1000}, {999999999, 4096},
                 {std::numeric_limits<double>::quiet_NaN(), 1}};
    for (const auto& c : cases)
        EXPECT_EQ(UsableBrushWidth(c.typed), c.used) << c.typed;
}

TEST(TextEntry, WidthCountsChineseCharactersAsTwoBytes)
{
    EXPECT_EQ(TextEntryWidth(QStringLiteral("abcde"), 6), 42);
    EXPECT_EQ(TextEntryWidth(QStringLiteral("中文"), 6), 36);
    EXPECT_EQ(TextEntryWidth(QString(), 6), 12);
    EXPECT_EQ(TextEntryWidth(QStringLiteral("A班"), 7), 35);
}

TEST(TextEntry, BackgroundIsTheInverseColourButWhiteForMidGrey)
{
    const struct {
        QColor text;
        QColor background;
    } cases[] = {
        {QColor(0x80, 0x80, 0x80), Qt::white},
        {Qt::black, Qt::white},
        {Qt::white, Qt::black},
        {QColor(10, 20, 30), QColor(245, 235, 225)},
        {QColor(0x7F, 0x80, 0x80), QColor(0x80, 0x7F, 0x7F)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextEntryBackground(c.text), c.background) << c.text.name().toStdString();
}

TEST(TextStamp, DrawsBelowAndRightOfItsCorner)
{
    QImage image = blank(QSize(120, 40));
    QFont font;
    font.setPixelSize(12);
    PaintTextLine(image, QPoint(10, 8), QStringLiteral("Abc中"), font, Qt::black);
    const QRect area = markedArea(image);
    ASSERT_FALSE(area.isNull());
    EXPECT_GE(area.left(), 10);
    EXPECT_GE(area.top(), 8);
    EXPECT_LE(area.bottom(), 8 + 16);
}

} // namespace
