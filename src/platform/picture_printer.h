#pragma once
// Printing a picture at its physical size. The print dialog stands behind
// this interface so that tests never open it.
#include <QImage>
#include <QString>

enum class PrintOutcome { Printed, Cancelled, Failed };

class PicturePrinter {
public:
    virtual ~PicturePrinter() = default;
    // Asks the user for a printer, then prints `picture` on one page at the
    // size its dots per metre give.
    virtual PrintOutcome print(const QImage& picture, const QString& documentName) = 0;
};
