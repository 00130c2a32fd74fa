#pragma once
// The outline of a head around a found face, told from the backdrop by
// colour: the top of the hair, and the head's edges at the cheeks. The
// backdrop is sampled beside the head, at the same rows, so a backdrop that
// changes from top to bottom or from side to side (a gradient, a flag, a
// shadow) is still told apart; only colours that also lie beside the head
// count as backdrop.
#include <QImage>
#include <QRectF>

#include <optional>

// The topmost row of the head above `face` (a face box, as a face detector
// gives it), searched from the forehead upwards: the head ends where a few
// rows in a row, across the middle of the head, look like the backdrop. 0 when
// the head reaches the picture's top; none when no backdrop could be told
// (the search reached a face height above the box, or nothing lies beside the head).
std::optional<double> HairTopY(const QImage& picture, const QRectF& face, double centreX);

// The head's left and right edges on the row `y`, each the first column,
// going outwards from the face, where a few columns in a row look like the
// backdrop. A side is none when no such column lies within reach of the face.
struct HeadEdges {
    std::optional<double> left;
    std::optional<double> right;
};
HeadEdges HeadEdgesAt(const QImage& picture, const QRectF& face, double centreX, double y);
