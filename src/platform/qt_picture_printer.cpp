#include "platform/qt_picture_printer.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr double kMillimetresPerMetre = 1000.0;
constexpr double kMetresPerInch = 0.0254;

// The picture's side in metres at its dots per metre.
QSizeF PhysicalMetres(const QImage& picture)
{
    if (picture.isNull() || picture.dotsPerMeterX() <= 0 || picture.dotsPerMeterY() <= 0)
        return {};
    return {double(picture.width()) / picture.dotsPerMeterX(), double(picture.height()) / picture.dotsPerMeterY()};
}

} // namespace

QPageLayout PictureSizedPage(const QImage& picture)
{
    const QSizeF side = PhysicalMetres(picture) * kMillimetresPerMetre;
    const bool lying = side.width() > side.height();
    // A page size is given upright; the orientation lays it down.
    const QSizeF upright(std::min(side.width(), side.height()), std::max(side.width(), side.height()));
    return QPageLayout(QPageSize(upright, QPageSize::Millimeter), lying ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
}

QRectF PhysicalPlace(const QImage& picture, const QSizeF& paper, int deviceDpi)
{
    const QSizeF size = PhysicalMetres(picture) / kMetresPerInch * deviceDpi;
    return {QPointF((paper.width() - size.width()) / 2, (paper.height() - size.height()) / 2), size};
}

bool PaintAtPhysicalSize(QPrinter& printer, const QImage& picture)
{
    // Measured from the paper's edge, not from the printable area.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    painter.drawImage(PhysicalPlace(picture, paper.size(), printer.resolution()), picture);
    return painter.end();
}

PrintOutcome QtPicturePrinter::print(const QImage& picture, const QString& documentName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setPageLayout(PictureSizedPage(picture));
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return PaintAtPhysicalSize(printer, picture) ? PrintOutcome::Printed : PrintOutcome::Failed;
}
