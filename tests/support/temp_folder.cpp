#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TempFolder::read(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
