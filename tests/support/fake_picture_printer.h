#pragma once
// Stands in for the print dialog and the printer: keeps what was sent and
// answers as a test says.
#include "platform/picture_printer.h"

#include <QList>

struct PrintedPicture {
    QImage picture;
    QString documentName;
};

class FakePicturePrinter final : public PicturePrinter {
public:
    PrintOutcome print(const QImage& picture, const QString& documentName) override
    {
        if (outcome == PrintOutcome::Printed)
            printed.append({picture, documentName});
        ++dialogsShown;
        return outcome;
    }

    PrintOutcome outcome = PrintOutcome::Printed;
    int dialogsShown = 0;
    QList<PrintedPicture> printed; // only what reached the printer
};
