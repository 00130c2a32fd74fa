#pragma once
// The program's own icons, kept in its resources as ":/icons/NAME.svg".
#include <QIcon>
#include <QString>

inline QIcon ProgramIcon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}
