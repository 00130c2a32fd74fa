#include "app/settings.h"

#include "naming/naming_schemes.h"
#include "platform/ini_file.h"
#include "platform/number_text.h"

#include <QDir>

static QString settingsFilePath(const QString& settingsFolder)
{
    return QDir(settingsFolder).filePath(kSettingsFileName);
}

QString ReadSetting(const QString& settingsFolder, const QString& section, const QString& key)
{
    return readIniValue(settingsFilePath(settingsFolder), section, key);
}

bool WriteSetting(const QString& settingsFolder, const QString& section, const QString& key,
                  const QString& value)
{
    return writeIniValue(settingsFilePath(settingsFolder), section, key, value);
}

bool WriteSettings(const QString& settingsFolder, const QString& section,
                   const QList<QPair<QString, QString>>& keyValues)
{
    QList<IniWrite> writes;
    for (const auto& [key, value] : keyValues)
        writes.append({section, key, value});
    return writeIniValues(settingsFilePath(settingsFolder), writes);
}

QString boolSettingText(bool value)
{
    return value ? kTrueText : QString();
}

void LoadSettings(const QString& folder, BatchCropSettings& batch, FastCaptureSettings& fast)
{
    const auto read = [&](const QString& section, const QString& key) {
        return ReadSetting(folder, section, key);
    };
    const auto extensionOrDefault = [](const QString& text) {
        return text.isEmpty() ? kDefaultExtension : text;
    };

    batch.namingIndex = readWholeNumber(read(kBatchSection, SettingKey::naming));
    if (batch.namingIndex < 0 || batch.namingIndex >= batchNamingSchemes().size())
        batch.namingIndex = 0;
    batch.namingText = schemeAt(batchNamingSchemes(), batch.namingIndex);
    batch.customPrefix = read(kBatchSection, SettingKey::customPrefix);
    batch.outputExtension = extensionOrDefault(read(kBatchSection, SettingKey::format));
    batch.saveFolder = read(kBatchSection, SettingKey::saveFolder);
    batch.sourceFolder = read(kBatchSection, SettingKey::sourceFolder);
    batch.cropSound = read(kBatchSection, SettingKey::cropSound) == kTrueText;
    batch.keepSettings = read(kBatchSection, SettingKey::keep) == kTrueText;

    fast.fastNamingMode =
        schemeAt(fastNamingSchemes(), readWholeNumber(read(kFastSection, SettingKey::naming)));
    fast.fastCustomPrefix = read(kFastSection, SettingKey::customPrefix);
    fast.fastExtension = extensionOrDefault(read(kFastSection, SettingKey::format));
    fast.fastSaveDir = read(kFastSection, SettingKey::saveFolder);
    fast.fastShutterSound = read(kFastSection, SettingKey::shutterSound) == kTrueText;
    fast.keepFastSettings = read(kFastSection, SettingKey::keep) == kTrueText;
}
