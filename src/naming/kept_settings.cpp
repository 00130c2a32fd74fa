#include "naming/kept_settings.h"

#include "state/naming_schemes.h"

#include <algorithm>

namespace {

using KeyValues = QList<QPair<QString, QString>>;

// What a batch mode keeps: the values both modes have, and the keys of its own
// that go between the save folder and the keep flag.
struct SectionValues {
    int namingIndex;
    QString customPrefix;
    QString extension;
    QString saveFolder;
    KeyValues ownKeys;
};

KeyValues sectionToKeep(const SectionValues& v, bool keep, const FrameBoxTexts& boxes)
{
    KeyValues values = {
        {SettingKey::naming, QString::number(v.namingIndex)},
        {SettingKey::customPrefix, v.customPrefix},
        {SettingKey::format, v.extension},
        {SettingKey::saveFolder, v.saveFolder},
    };
    values += v.ownKeys;
    values += KeyValues{
        {SettingKey::keep, kTrueText},
        {SettingKey::width, boxes.width},
        {SettingKey::height, boxes.height},
        {SettingKey::jpegSize, v.extension == kDefaultExtension ? boxes.jpegSize : QString()},
    };
    if (!keep) {
        for (auto& value : values)
            value.second.clear();
    }
    return values;
}

} // namespace
QList<QPair<QString, QString>> BatchSettingsToKeep(const BatchCropSettings& s, bool keep,
                                                   const FrameBoxTexts& boxes)
{
    return sectionToKeep({s.namingIndex, s.customPrefix, s.outputExtension, s.saveFolder,
                          {{SettingKey::sourceFolder, s.sourceFolder},
                           {SettingKey::cropSound, boolSettingText(s.cropSound)}}},
                         keep, boxes);
}

QList<QPair<QString, QString>> FastSettingsToKeep(const FastCaptureSettings& f, bool keep,
                                                  const FrameBoxTexts& boxes)
{
    const int scheme = static_cast<int>(fastNamingSchemes().indexOf(f.fastNamingMode));
    return sectionToKeep({std::max(scheme, 0), f.fastCustomPrefix, f.fastExtension, f.fastSaveDir,
                          {{SettingKey::shutterSound, boolSettingText(f.fastShutterSound)}}},
                         keep, boxes);
}

void KeepJpegLimit(const QString& settingsFolder, const QString& section, bool modeOn, bool keep,
                   const QString& extension, const QString& limitText)
{
    if (modeOn && keep && extension == kDefaultExtension)
        WriteSetting(settingsFolder, section, SettingKey::jpegSize, limitText);
}
