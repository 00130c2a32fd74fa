#pragma once
// The print resolution of the output files, by size type.
#include <QImage>
#include <QString>

// 350 dpi for the resident-ID size ("学籍/身份证"), 300 for every other size
// type, "自定义" included.
int OutputDotsPerInch(const QString& sizeTypeName);

// The capture as it is written: carrying the print resolution of the size type.
QImage WithOutputResolution(QImage capture, const QString& sizeTypeName);
