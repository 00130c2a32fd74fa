#include "bench_photo.h"

#include "imaging/image_decoder.h"
#include "workspace/image_import.h"
#include "workspace/view_render.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

QString benchPhotoSource()
{
    const QString path = qEnvironmentVariable("IDPHOTO_BENCH_PHOTO");
    return !path.isEmpty() && QFile::exists(path) ? path : QStringLiteral("generated");
}

QString benchPhotoSource(int n)
{
    const QString first = benchPhotoSource();
    if (n == 0 || first == QLatin1String("generated"))
        return first;
    const QFileInfo info(first);
    QStringList others = info.dir().entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    others.removeAll(info.fileName());
    return n - 1 < others.size() ? info.dir().filePath(others[n - 1]) : QStringLiteral("generated");
}

QImage benchPhoto(QSize size)
{
    return benchPhoto(0, size);
}

QImage benchPhoto(int number, QSize size)
{
    const QString source = benchPhotoSource(number);
    QImage photo;
    if (source != QLatin1String("generated"))
        photo = decodeImageFile(source);
    if (photo.isNull()) {
        photo = QImage(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < size.width(); ++x) {
                const int n = ((x * 7919 + y * 104729) ^ (x * y)) & 15;
                line[x] = qRgb((x / 23 + n) & 255, (y / 17 + n) & 255, ((x + y) / 41 + n) & 255);
            }
        }
        return photo;
    }
    return photo.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)
        .copy(QRect(QPoint(0, 0), size));
}

QString benchJpegFile(QSize size)
{
    const QString path = QDir::temp().filePath(
        QStringLiteral("idphoto-bench-%1x%2.jpg").arg(size.width()).arg(size.height()));
    QImageWriter writer(path, "jpeg");
    writer.setQuality(92);
    writer.write(benchPhoto(size));
    return path;
}

QString facePhotoFile(const char* portrait, QSize size)
{
    const QString path = QDir::temp().filePath(QStringLiteral("idphoto-bench-face-%1-%2x%3.jpg")
                                                   .arg(QLatin1String(portrait))
                                                   .arg(size.width())
                                                   .arg(size.height()));
    QImage photo = benchPhoto(size).convertToFormat(QImage::Format_RGB32);
    const QImage face = QImage(QStringLiteral(IDPHOTO_FIXTURES "/portraits/%1.jpg").arg(QLatin1String(portrait)))
                            .scaledToHeight(size.height(), Qt::SmoothTransformation);
    QPainter(&photo).drawImage((size.width() - face.width()) / 2, 0, face);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(92);
    writer.write(photo);
    return path;
}

QImage openAndShowFitted(const QString& path)
{
    AppState state;
    Workspace ws;
    ResizeViewPanels(ws, QSize(411, 279));
    MakeCurrentImageFromFile(state, ws, path);
    return ws.view;
}
