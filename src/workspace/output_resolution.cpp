#include "workspace/output_resolution.h"

#include "imaging/print_density.h"
#include "workspace/frame_boxes.h"

int OutputDotsPerInch(QSize output)
{
    return output == kResidentIdSize ? 350 : 300;
}

QImage WithOutputResolution(QImage capture)
{
    if (!capture.isNull())
        SetPrintDensity(capture, OutputDotsPerInch(capture.size()));
    return capture;
}

int PrintDpiOf(const QImage& output)
{
    const std::optional<PrintDensity> density = ChosenDensity(output);
    return density ? DotsPerInch(density->dotsPerMeterX) : OutputDotsPerInch(output.size());
}
