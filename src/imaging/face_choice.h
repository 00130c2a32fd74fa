#pragma once
// Which of the faces a detector found is the portrait's subject: the largest
// near the picture's centre. Two that are nearly as large and as central
// as each other leave the choice to the user.
#include <QList>
#include <QRectF>
#include <QSizeF>

struct FaceChoice {
    int index = -1;       // the chosen face; -1 when none was given or several are equal
    bool several = false; // two or more faces are equally likely
};

FaceChoice ChooseFace(const QList<QRectF>& faces, QSizeF picture);

// The narrowest a face must be to change the choice among `faces`: to
// outweigh the chosen one or to be nearly equal to it. A search that saw
// every face at least this wide makes the same choice as one that saw them
// all. 0 when there is no choice to keep (no face, or several equal ones).
double NarrowestFaceThatCounts(const QList<QRectF>& faces, QSizeF picture);
