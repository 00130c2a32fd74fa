#pragma once
// What the texts of the frame's boxes mean: the width and height boxes and
// the JPEG size box.
#include <QList>
#include <QSize>
#include <QString>

// The largest frame side the boxes take: far beyond any photo print, and
// small enough that the window and the output stay within memory.
inline constexpr int kMaxFrameSide = 8000;

// The frame side a width or height box text stands for: its number,
// truncated, kept within 1 .. kMaxFrameSide.
int FrameSideFromText(const QString& text);

// The resident-ID photo's size (the size type "学籍/身份证").
inline constexpr QSize kResidentIdSize{358, 441};

// The preset sizes of the size-type list; item 1 ("自定义") has none.
struct SizeType {
    QString name;
    QSize size; // empty for "自定义"
};
const QList<SizeType>& SizeTypes();

// The JPEG size box: the limit its text stands for and the text it should
// show. A text that is not a positive number stands for 50.
struct JpegLimitText {
    double limitKB;
    QString text;
};
JpegLimitText NormaliseJpegLimit(const QString& text);

// What the JPEG spin buttons make of the box text: its number plus the step,
// or 500 when that falls below 1.
QString SpinJpegLimit(const QString& text, int step);
