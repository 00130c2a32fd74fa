#include "state/settings.h"

#include "imaging/encode_crop.h"
#include "state/naming_schemes.h"
#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "platform/stale_temporaries.h"

#include <QDir>
#include <QFileInfo>

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

void LoadSettings(const QString& folder, BatchCropSettings& batch, FastCaptureSettings& fast,
                  CameraSettings& camera)
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

    camera.chosenDevice = read(kCameraSection, SettingKey::chosenCamera);
}

QString KeptSettingsFileMessage(const QString& path)
{
    return QStringLiteral("设置文件“") + QDir::toNativeSeparators(path) +
           QStringLiteral("”无法完整读取，为免丢失其中的设置，本次运行不会改写它。");
}

KeptSettingsFileNotice::KeptSettingsFileNotice(Dialogs& dialogs)
    : dialogs_(dialogs), listener_([this](const QString& path) { tell(path); })
{
}

void KeptSettingsFileNotice::checkSettingsFolder(const QString& settingsFolder, const QStringList& otherFiles)
{
    QStringList paths{settingsFilePath(settingsFolder)};
    for (const QString& name : otherFiles)
        paths.append(QDir(settingsFolder).filePath(name));
    for (const QString& path : paths) {
        if (iniFileIsKept(path))
            tell(path);
    }
}

void KeptSettingsFileNotice::tell(const QString& path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (told_.contains(file))
        return;
    told_.insert(file);
    dialogs_.showMessage(QStringLiteral("提示"), KeptSettingsFileMessage(file), MessageIcon::Warning,
                         MessageButtons::Ok);
}

namespace {

// A minute: a newer temporary may be the write of another copy of the program.
constexpr qint64 kStaleSeconds = 60;

bool isOutputPictureName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && IsOutputExtension(name.mid(dot));
}

} // namespace

void RemoveInterruptedWrites(const QString& settingsFolder, const QStringList& otherFiles, const QDateTime& now)
{
    const QDateTime staleBefore = now.addSecs(-kStaleSeconds);
    // Output pictures too: the crop waiting for its name is kept here.
    const auto isSettingsFolderName = [&otherFiles](const QString& name) {
        return name == kSettingsFileName || otherFiles.contains(name) || isOutputPictureName(name);
    };
    removeStaleTemporaries(settingsFolder, isSettingsFolderName, staleBefore);
    for (const QString& section : {kBatchSection, kFastSection}) {
        const QString folder = ReadSetting(settingsFolder, section, SettingKey::saveFolder);
        if (!folder.isEmpty())
            removeStaleTemporaries(folder, isOutputPictureName, staleBefore);
    }
}
