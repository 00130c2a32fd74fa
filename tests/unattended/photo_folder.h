#pragma once
// A folder of photos for the unattended batch: two portraits, a landscape,
// a file that is no picture, the first portrait again, and a text file:
// 01.jpg … 05.jpg and notes.txt. Framed to 160 × 210, 01, 02 and 05 are
// saved; 03 has no face and 04 cannot be read.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

inline QByteArray PortraitFixture(const char* file)
{
    QFile f(QStringLiteral(IDPHOTO_FIXTURES "/portraits/") + QLatin1String(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void FillPhotoFolder(const QString& folder, bool withExceptions = true)
{
    QDir().mkpath(folder);
    const auto put = [&](const QString& name, const QByteArray& bytes) {
        QFile f(QDir(folder).filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    };
    put(QStringLiteral("01.jpg"), PortraitFixture("grace_hopper.jpg"));
    put(QStringLiteral("02.jpg"), PortraitFixture("astronaut.jpg"));
    if (withExceptions) {
        put(QStringLiteral("03.jpg"), PortraitFixture("storm_landscape.jpg"));
        put(QStringLiteral("04.jpg"), QByteArray("no picture"));
    }
    put(QStringLiteral("05.jpg"), PortraitFixture("grace_hopper.jpg"));
    put(QStringLiteral("notes.txt"), QByteArray("not a photo"));
}
