#include "naming/crop_sources.h"

#include "platform/ini_file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kCropKey = QStringLiteral("截图");
const QString kSourceKey = QStringLiteral("原图");

} // namespace

QString CropSourcesPath(const QString& settingsFolder)
{
    return QDir(settingsFolder).filePath(kCropSourcesFileName);
}

QString RecordedPath(const QString& path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QHash<QString, QString> ReadCropSources(const QString& recordPath)
{
    const QString content = readIniText(recordPath);
    QHash<QString, QString> sourceOfSection;
    for (const IniSectionValue& source : iniSectionValues(content, kSourceKey))
        sourceOfSection.insert(source.section, source.value);
    QHash<QString, QString> sources;
    for (const IniSectionValue& crop : iniSectionValues(content, kCropKey)) {
        const QString source = sourceOfSection.value(crop.section);
        if (!crop.value.isEmpty() && !source.isEmpty())
            sources.insert(RecordedPath(crop.value), RecordedPath(source));
    }
    return sources;
}

bool RecordCropSource(const QString& recordPath, const QString& outputPath, const QString& sourcePath)
{
    const QString crop = RecordedPath(outputPath);
    // The crop's own section, else the first whose crop is gone, else a new one.
    QString section;
    QString freed;
    qint64 highest = 0;
    for (const IniSectionValue& recorded : iniSectionValues(readIniText(recordPath), kCropKey)) {
        highest = std::max(highest, recorded.section.toLongLong());
        if (RecordedPath(recorded.value) == crop) {
            section = recorded.section;
            break;
        }
        if (freed.isEmpty() && (recorded.value.isEmpty() || !QFileInfo::exists(recorded.value)))
            freed = recorded.section;
    }
    if (section.isEmpty())
        section = freed.isEmpty() ? QString::number(highest + 1) : freed;
    return writeIniValues(recordPath, {{section, kCropKey, crop}, {section, kSourceKey, RecordedPath(sourcePath)}});
}
