#pragma once
// The settings file set.dll: what the two batch modes keep between runs.
#include <QList>
#include <QPair>
#include <QString>

inline const QString kSettingsFileName = QStringLiteral("set.dll");
inline const QString kBatchSection = QStringLiteral("批量截图");
inline const QString kFastSection = QStringLiteral("批量速拍");

namespace SettingKey {
inline const QString naming = QStringLiteral("命名方式");
inline const QString customPrefix = QStringLiteral("自定义命名");
inline const QString format = QStringLiteral("保存格式");
inline const QString saveFolder = QStringLiteral("保存目录");
inline const QString sourceFolder = QStringLiteral("待截图目录");
inline const QString cropSound = QStringLiteral("发裁切声");
inline const QString shutterSound = QStringLiteral("发快门声");
inline const QString keep = QStringLiteral("是否保存设置");
inline const QString width = QStringLiteral("像素宽");
inline const QString height = QStringLiteral("像素高");
inline const QString jpegSize = QStringLiteral("JPG体积");
} // namespace SettingKey

inline const QString kTrueText = QStringLiteral("真");
inline const QString kDefaultExtension = QStringLiteral(".JPG");

struct BatchCropSettings {
    int namingIndex = 0;
    QString namingText;
    QString customPrefix;
    QString outputExtension;
    QString saveFolder;
    QString sourceFolder;
    bool cropSound = false;
    bool keepSettings = false;
};

struct FastCaptureSettings {
    QString fastNamingMode;
    QString fastCustomPrefix;
    QString fastExtension;
    QString fastSaveDir;
    bool fastShutterSound = false;
    bool keepFastSettings = false;
};

// One key of set.dll in the given settings folder.
QString ReadSetting(const QString& settingsFolder, const QString& section, const QString& key);
bool WriteSetting(const QString& settingsFolder, const QString& section, const QString& key,
                  const QString& value);
// Several keys of one section in one write of the file, in the given order.
bool WriteSettings(const QString& settingsFolder, const QString& section,
                   const QList<QPair<QString, QString>>& keyValues);

// Reads the thirteen keys that the program takes at start-up, with their defaults.
void LoadSettings(const QString& settingsFolder, BatchCropSettings& batch, FastCaptureSettings& fast);

QString boolSettingText(bool value);
