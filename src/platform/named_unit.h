#pragma once
// The program's windows name their units (objectName) in the program's own
// terms, and place most of them at fixed places of their design.
#include <QRect>
#include <QString>

template <typename Unit>
Unit* Named(Unit* unit, const char* name)
{
    unit->setObjectName(QString::fromUtf8(name));
    return unit;
}

template <typename Unit>
Unit* Named(Unit* unit, const char* name, QRect geometry)
{
    Named(unit, name);
    unit->setGeometry(geometry);
    return unit;
}
