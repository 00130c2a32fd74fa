#pragma once
// Copies of one ID photo laid out on a sheet of photo paper at their
// physical size, to print at home or hand to a print shop.
#include <QImage>
#include <QLine>
#include <QList>
#include <QRect>
#include <QSize>

enum class SheetPaper { SixInch, A4 };

struct SheetLayout {
    QSize sheetPixels;
    QList<QRect> photos; // photos in sheet pixels, 300 dpi
};

inline constexpr int kSheetDpi = 300;

// The paper in pixels at kSheetDpi: 6 × 4 inches lying (1800 × 1200), A4
// upright (2480 × 3508).
QSize SheetPixels(SheetPaper paper);

// The size in sheet pixels of photoPixels printed at photoDpi; empty for an
// empty photo or a resolution that is not positive.
QSize CopyPixels(QSize photoPixels, int photoDpi);

// photoPixels at photoDpi (300, or 350 for 358×441 outputs) drawn at their physical size on the sheet.
// As many upright copies as fit in rows and columns 2 mm apart, the block
// centred on the sheet; none when one copy is larger than the sheet.
SheetLayout LayOutSheet(QSize photoPixels, int photoDpi, SheetPaper paper);

// The cut lines of a layout: across the whole sheet, one pixel outside each
// edge of the copies, so that each lies in a gap or a margin and a cut along
// it gives the copy at its exact size. Lines that would fall off the sheet
// are left out.
QList<QLine> CutLines(const SheetLayout& layout);

// A white sheet with the copies and thin cut marks, its dots per metre set to 300 dpi.
QImage RenderSheet(const QImage& photo, int photoDpi, SheetPaper paper);
