#pragma once
// The print resolution of the output files, by their size: 350 dpi for the
// resident-ID photo (358 × 441, the size type "学籍/身份证"), 300 for every
// other size. Taken from the output's own size, so a frame sized by hand,
// dragged or restored from kept settings is printed as its size asks.
#include <QImage>
#include <QSize>

int OutputDotsPerInch(QSize output);

// The capture as it is written: carrying the print resolution of its size.
QImage WithOutputResolution(QImage capture);

// The resolution an output was made for: the one it carries, or for one that
// carries none, the one its size would be saved with (what a print sheet
// prints it at).
int PrintDpiOf(const QImage& output);
