#pragma once
// Where a head lies in a picture, in that picture's pixel coordinates (y
// downwards): what the face finder measures and the automatic framing places.
#include <QRectF>

struct HeadMeasure {
    QRectF face;             // the detected face box
    double eyeLineY = 0.0;   // the line through the eye centres, at the face's centre
    double hairTopY = 0.0;   // the top of the head: hair, or whatever covers it
    double headWidth = 0.0;  // ear to ear, at the cheeks
    double faceCentreX = 0.0;
    double rollDegrees = 0.0; // tilt of the eye line, clockwise positive; 0 when no eye pair was seen
};

// The same head in a copy of the picture resized by fx across and fy down
// (a reduced copy measured, the whole picture framed). The roll is kept: the
// copies the program makes keep the picture's proportions.
inline HeadMeasure ScaledHeadMeasure(const HeadMeasure& head, double fx, double fy)
{
    HeadMeasure m = head;
    m.face = QRectF(head.face.x() * fx, head.face.y() * fy, head.face.width() * fx, head.face.height() * fy);
    m.eyeLineY = head.eyeLineY * fy;
    m.hairTopY = head.hairTopY * fy;
    m.headWidth = head.headWidth * fx;
    m.faceCentreX = head.faceCentreX * fx;
    return m;
}
