#pragma once
// The crops named after their source (与原图片文件名同名) and the picture
// each was made from, kept in the settings folder: a re-crop finds its own
// file, and two sources whose names differ only in the extension (a.jpg and
// a.png) never share one.
//
//   [<n>]  截图=<the crop's path>  原图=<the source's path>
//
// The section of a crop that is gone is taken by the next new one, so the
// file holds no more records than there are recorded crops on disk.
#include <QHash>
#include <QString>

inline const QString kCropSourcesFileName = QStringLiteral("截图来源.ini");

// settingsFolder/截图来源.ini
QString CropSourcesPath(const QString& settingsFolder);

// A path as the record keeps it: absolute and cleaned; empty stays empty.
QString RecordedPath(const QString& path);

// The source of every recorded crop, both as RecordedPath gives them.
QHash<QString, QString> ReadCropSources(const QString& recordPath);

// Records that the crop at outputPath was made from sourcePath, in place of
// what was recorded for that crop before. False when the file was not written.
bool RecordCropSource(const QString& recordPath, const QString& outputPath, const QString& sourcePath);
