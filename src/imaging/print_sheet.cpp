#include "imaging/print_sheet.h"

#include "imaging/print_density.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kGapMillimetres = 2.0;
// Light enough to vanish in a trimmer's cut, dark enough to be found.
constexpr QRgb kCutLineColour = qRgb(160, 160, 160);

int SheetPixelsOfMillimetres(double millimetres)
{
    return int(std::lround(millimetres / kMillimetresPerInch * kSheetDpi));
}

// Where `count` copies of `side` pixels with `gap` between them start when
// the block is centred in `length`.
QList<int> Starts(int length, int side, int gap)
{
    const int count = (length + gap) / (side + gap);
    const int block = count * side + (count - 1) * gap;
    QList<int> starts;
    for (int i = 0; i < count; ++i)
        starts.append((length - block) / 2 + i * (side + gap));
    return starts;
}

} // namespace

QSize SheetPixels(SheetPaper paper)
{
    switch (paper) {
    case SheetPaper::SixInch: return {6 * kSheetDpi, 4 * kSheetDpi};
    case SheetPaper::A4: return {SheetPixelsOfMillimetres(210), SheetPixelsOfMillimetres(297)};
    }
    return {};
}

QSize CopyPixels(QSize photoPixels, int photoDpi)
{
    if (photoPixels.isEmpty() || photoDpi <= 0)
        return {};
    const auto side = [photoDpi](int pixels) {
        return int(std::lround(double(pixels) * kSheetDpi / photoDpi));
    };
    return {side(photoPixels.width()), side(photoPixels.height())};
}

SheetLayout LayOutSheet(QSize photoPixels, int photoDpi, SheetPaper paper)
{
    SheetLayout layout{SheetPixels(paper), {}};
    const QSize copy = CopyPixels(photoPixels, photoDpi);
    if (copy.isEmpty())
        return layout;
    const int gap = SheetPixelsOfMillimetres(kGapMillimetres);
    const QList<int> lefts = Starts(layout.sheetPixels.width(), copy.width(), gap);
    const QList<int> tops = Starts(layout.sheetPixels.height(), copy.height(), gap);
    for (const int top : tops) {
        for (const int left : lefts)
            layout.photos.append(QRect(QPoint(left, top), copy));
    }
    return layout;
}

QList<QLine> CutLines(const SheetLayout& layout)
{
    const QRect sheet(QPoint(0, 0), layout.sheetPixels);
    QList<int> columns;
    QList<int> rows;
    for (const QRect& photo : layout.photos) {
        for (const int x : {photo.left() - 1, photo.right() + 1}) {
            if (x >= sheet.left() && x <= sheet.right() && !columns.contains(x))
                columns.append(x);
        }
        for (const int y : {photo.top() - 1, photo.bottom() + 1}) {
            if (y >= sheet.top() && y <= sheet.bottom() && !rows.contains(y))
                rows.append(y);
        }
    }
    QList<QLine> lines;
    for (const int x : columns)
        lines.append(QLine(x, sheet.top(), x, sheet.bottom()));
    for (const int y : rows)
        lines.append(QLine(sheet.left(), y, sheet.right(), y));
    return lines;
}

QImage RenderSheet(const QImage& photo, int photoDpi, SheetPaper paper)
{
    const SheetLayout layout = LayOutSheet(photo.size(), photoDpi, paper);
    QImage sheet(layout.sheetPixels, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    SetPrintDensity(sheet, kSheetDpi);
    if (layout.photos.isEmpty())
        return sheet;

    // Scaled once for all copies; a photo at the sheet's resolution keeps its own pixels.
    QImage copy = photo.convertToFormat(QImage::Format_RGB32);
    const QSize copySize = layout.photos.constFirst().size();
    if (copy.size() != copySize)
        copy = copy.scaled(copySize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QPainter painter(&sheet);
    for (const QLine& line : CutLines(layout))
        painter.fillRect(QRect(line.p1(), line.p2()), kCutLineColour);
    for (const QRect& place : layout.photos)
        painter.drawImage(place.topLeft(), copy);
    return sheet;
}
