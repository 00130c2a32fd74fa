#pragma once
// The print resolution an output file carries. A caller asks for one by
// setting it on the capture (SetPrintDensity, or QImage::setDotsPerMeterX/Y);
// a capture left at the resolution Qt gives every new image asks for none,
// and its files stay as they always were.
#include <QImage>

#include <optional>

struct PrintDensity {
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
};

// The resolution `image` asks for: none when it has Qt's default for a new
// image, or a value that is not positive.
std::optional<PrintDensity> ChosenDensity(const QImage& image);

// Sets the same resolution across and down.
void SetPrintDensity(QImage& image, int dotsPerInch);

// Conversions, rounded to the nearest whole number: 350 dpi is 13780 dots
// per metre, and 13780 dots per metre give back 350 dpi.
int DotsPerMeter(int dotsPerInch);
int DotsPerInch(int dotsPerMeter);
