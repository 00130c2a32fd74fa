#pragma once
// The portrait photographs of tests/fixtures/portraits, with where their
// heads lie as measured by hand on the files (README.md there): the measure
// the face finder and the framing are checked against.
#include <QImage>
#include <QList>
#include <QString>

#include <ostream>

struct Portrait {
    const char* name;
    const char* file;
    double eyeLineY;   // the row through the eye centres
    double eyeMiddleX; // halfway between the eye centres
    double hairTopY;   // the top of the hair (or of a cap)
    double headWidth;  // at the cheeks: hair where it covers the ears, else the ears
    friend void PrintTo(const Portrait& p, std::ostream* os) { *os << p.name; }
};

inline const QList<Portrait>& Portraits()
{
    static const QList<Portrait> portraits = {
        {"astronaut", "astronaut.jpg", 101, 225, 15, 120},
        {"grace_hopper", "grace_hopper.jpg", 188, 262, 23, 220},
    };
    return portraits;
}

inline QImage LoadPortrait(const Portrait& p)
{
    return QImage(QStringLiteral(IDPHOTO_FIXTURES "/portraits/") + QLatin1String(p.file))
        .convertToFormat(QImage::Format_RGB32);
}
