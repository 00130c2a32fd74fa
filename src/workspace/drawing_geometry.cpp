#include "workspace/drawing_geometry.h"

#include "platform/text_encoding.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kWidestBrush = 4096;
} // namespace

int UsableBrushWidth(double typedWidth)
{
    if (!(typedWidth >= 1)) // NaN too
        return 1;
    return static_cast<int>(std::min(typedWidth, double(kWidestBrush)));
}

QRect BrushBox(QPoint at, int width)
{
    if (width <= 1)
        return {};
    const int r = width / 2;
    return QRect(at.x() - r, at.y() - r, width, width);
}

void PaintBrushDisc(QImage& image, QPoint at, int width, const QColor& colour)
{
    const QRect box = BrushBox(at, width);
    if (box.isNull())
        return;
    // Every pixel whose centre lies within the circle inscribed in the box,
    // row by row: the disc touches all four sides of its box.
    QPainter painter(&image);
    const double radius = width / 2.0;
    for (int row = 0; row < width; ++row) {
        const double dy = row + 0.5 - radius;
        const double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
        const int first = static_cast<int>(std::ceil(radius - half - 0.5));
        const int last = static_cast<int>(std::floor(radius + half - 0.5));
        if (last >= first)
            painter.fillRect(QRect(box.left() + first, box.top() + row, last - first + 1, 1), colour);
    }
}

void PaintBrushLine(QImage& image, QPoint from, QPoint to, int width, const QColor& colour)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Width 1 is a cosmetic one-pixel line, as a zero-width pen is.
    painter.setPen(QPen(colour, width <= 1 ? 0 : width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from, to);
}

void DrawBrushRing(QImage& image, QPoint at, int width, const QColor& colour)
{
    const QRect box = BrushBox(at, width);
    if (box.isNull())
        return;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, 0));
    painter.setBrush(Qt::NoBrush);
    // The outline runs along the box's outer pixels.
    painter.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
}

void PaintTextLine(QImage& image, QPoint at, const QString& text, const QFont& font, const QColor& colour)
{
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(colour);
    // A rectangle from the top-left corner, wide and high enough for any line.
    painter.drawText(QRect(at, QSize(1 << 20, 1 << 12)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

int TextEntryWidth(const QString& text, int charWidth)
{
    return int(encodeGb18030(text).size() + 2) * charWidth;
}

QColor TextEntryBackground(const QColor& textColour)
{
    const QRgb rgb = textColour.rgb() & 0xFFFFFF;
    if (rgb == 0x808080)
        return Qt::white;
    return QColor(255 - textColour.red(), 255 - textColour.green(), 255 - textColour.blue());
}
