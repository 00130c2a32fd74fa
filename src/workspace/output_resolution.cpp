#include "workspace/output_resolution.h"

#include "imaging/print_density.h"

int OutputDotsPerInch(const QString& sizeTypeName)
{
    return sizeTypeName == QStringLiteral("学籍/身份证") ? 350 : 300;
}

QImage WithOutputResolution(QImage capture, const QString& sizeTypeName)
{
    if (!capture.isNull())
        SetPrintDensity(capture, OutputDotsPerInch(sizeTypeName));
    return capture;
}
