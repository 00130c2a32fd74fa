#pragma once
#include <QString>
#include <QStringView>

// Reads the number at the start of a text the way the program reads every
// number typed into a box or stored in a settings file: leading blanks are
// skipped, then an optional sign, digits and an optional fraction are taken;
// whatever follows is ignored. A text that does not start with a number
// (the empty text included) reads as 0.
double readNumber(QStringView text);

// The same, truncated toward zero and clamped to the 32-bit range.
int readWholeNumber(QStringView text);

// Writes a number as decimal text without trailing zeros or an exponent
// (500, 12.5, -3, 0.00001), in the fewest digits that readNumber reads back as
// the same number.
QString numberText(double value);
