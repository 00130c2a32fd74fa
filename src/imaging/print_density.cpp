#include "imaging/print_density.h"

#include <cmath>

namespace {
constexpr double kMetresPerInch = 0.0254;
}

std::optional<PrintDensity> ChosenDensity(const QImage& image)
{
    const int x = image.dotsPerMeterX();
    const int y = image.dotsPerMeterY();
    if (x <= 0 || y <= 0)
        return std::nullopt;
    // What Qt gives a new image follows the screen; a fresh one tells it.
    const QImage fresh(1, 1, QImage::Format_RGB32);
    if (x == fresh.dotsPerMeterX() && y == fresh.dotsPerMeterY())
        return std::nullopt;
    return PrintDensity{x, y};
}

void SetPrintDensity(QImage& image, int dotsPerInch)
{
    image.setDotsPerMeterX(DotsPerMeter(dotsPerInch));
    image.setDotsPerMeterY(DotsPerMeter(dotsPerInch));
}

int DotsPerMeter(int dotsPerInch)
{
    return int(std::lround(dotsPerInch / kMetresPerInch));
}

int DotsPerInch(int dotsPerMeter)
{
    return int(std::lround(dotsPerMeter * kMetresPerInch));
}
