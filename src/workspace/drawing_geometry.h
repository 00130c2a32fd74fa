#pragma once
// The drawing tools' marks on a picture, as plain functions: the brush's
// disc, line and preview ring, a line of stamped text, and the rules for the
// text entry box's width and colours.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

// The brush width as used: a typed width is taken as typed, except that
// below 1 it is 1 and above 4096, wider than any view, it is 4096.
int UsableBrushWidth(double typedWidth);

// The box of the brush's disc and preview ring for width w around `at`:
// w × w pixels from (x − w/2, y − w/2), w/2 rounded down. Width 1 has none.
QRect BrushBox(QPoint at, int width);

// A filled disc of the width's box in `colour`; nothing for width 1.
void PaintBrushDisc(QImage& image, QPoint at, int width, const QColor& colour);
// A line `width` pixels thick with round ends, from `from` to `to`.
void PaintBrushLine(QImage& image, QPoint from, QPoint to, int width, const QColor& colour);
// The one-pixel ring that shows where the brush would paint; none for width 1.
void DrawBrushRing(QImage& image, QPoint at, int width, const QColor& colour);

// One line of stamped text with its top-left at `at`, on a clear background.
void PaintTextLine(QImage& image, QPoint at, const QString& text, const QFont& font, const QColor& colour);

// The entry box's width for its text: (n + 2) × charWidth, n being the
// text's length in bytes as Chinese Windows stores it (GBK: a Chinese
// character counts 2).
int TextEntryWidth(const QString& text, int charWidth);

// The entry box's background for a text colour: white for mid grey
// (0x808080), otherwise the inverse colour.
QColor TextEntryBackground(const QColor& textColour);
