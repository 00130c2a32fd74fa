#pragma once
#include "platform/picture_printer.h"

#include <QPageLayout>
#include <QRectF>

class QPrinter;

// The real printer: Qt's print dialog over the active window, the page
// preset to the picture's size.
class QtPicturePrinter final : public PicturePrinter {
public:
    PrintOutcome print(const QImage& picture, const QString& documentName) override;
};

// A page of the picture's physical size without margins, lying when the
// picture is wider than tall, so that a sheet of photo paper is offered as it is.
QPageLayout PictureSizedPage(const QImage& picture);

// Where the picture goes, in device pixels of `deviceDpi`, to have its
// physical size centred on paper of `paper` device pixels.
QRectF PhysicalPlace(const QImage& picture, const QSizeF& paper, int deviceDpi);

// Paints the picture at its physical size centred on the printer's paper;
// false when the printer could not be started or finished.
bool PaintAtPhysicalSize(QPrinter& printer, const QImage& picture);
