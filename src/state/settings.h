#pragma once
// The settings file set.dll: what the batch modes, the camera and automatic
// framing keep between runs.
#include "platform/ini_file.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

class Dialogs;

inline const QString kSettingsFileName = QStringLiteral("set.dll");
inline const QString kBatchSection = QStringLiteral("批量截图");
inline const QString kFastSection = QStringLiteral("批量速拍");
inline const QString kCameraSection = QStringLiteral("摄像头");

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
inline const QString chosenCamera = QStringLiteral("所选设备"); // [摄像头]: the name of the camera chosen in 设备参数
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

// The camera the user chose in 设备参数, by its name; empty while none was
// chosen. A name the system no longer offers stands for the last camera.
struct CameraSettings {
    QString chosenDevice;
};

// One key of set.dll in the given settings folder.
QString ReadSetting(const QString& settingsFolder, const QString& section, const QString& key);
bool WriteSetting(const QString& settingsFolder, const QString& section, const QString& key,
                  const QString& value);
// Several keys of one section in one write of the file, in the given order.
bool WriteSettings(const QString& settingsFolder, const QString& section,
                   const QList<QPair<QString, QString>>& keyValues);

// Reads the fourteen keys that the program takes at start-up, with their defaults.
void LoadSettings(const QString& settingsFolder, BatchCropSettings& batch, FastCaptureSettings& fast,
                  CameraSettings& camera);

QString boolSettingText(bool value);

// What the user is told about a file of the settings folder that is there but
// could not be read whole, and that the program therefore keeps as it is.
QString KeptSettingsFileMessage(const QString& path);

// Tells the user once a run for each kept file: at start-up for set.dll and
// the task file, and at the first write left undone for any ini file while
// it exists. Make one for the run, where messages can be shown.
class KeptSettingsFileNotice {
public:
    explicit KeptSettingsFileNotice(Dialogs& dialogs);
    KeptSettingsFileNotice(const KeptSettingsFileNotice&) = delete;
    KeptSettingsFileNotice& operator=(const KeptSettingsFileNotice&) = delete;

    // At start-up, once the settings folder is known: set.dll and the other
    // ini files the program keeps there (named in `otherFiles`).
    void checkSettingsFolder(const QString& settingsFolder, const QStringList& otherFiles);

private:
    void tell(const QString& path);

    Dialogs& dialogs_;
    QSet<QString> told_;
    KeptIniFileListener listener_;
};

// At start-up: removes what writes cut short by an earlier run left behind,
// the temporaries older than a minute (at `now`) of set.dll, the other files
// the program keeps in the settings folder (named in `otherFiles`, such as
// the task file) and output pictures there, and of output pictures in the
// save folders of batch crop and fast capture that set.dll names.
void RemoveInterruptedWrites(const QString& settingsFolder, const QStringList& otherFiles, const QDateTime& now);
