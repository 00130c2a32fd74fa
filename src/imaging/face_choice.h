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
