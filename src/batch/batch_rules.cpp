#include "batch/batch_rules.h"

#include "app/app_state.h"
#include "workspace/status_hints.h"

bool InBatchItemRegion(int x, int mainWidth, int ncW)
{
    const int right = mainWidth - ncW;
    return right - 160 <= x && x <= right - 45;
}

QString BatchStatusHint(bool inRegion, bool keysRegistered, bool imageLoaded)
{
    if (inRegion)
        return kBatchItemHint;
    if (keysRegistered)
        return Hint::navigationKeys;
    if (!imageLoaded)
        return kStartHint;
    return {};
}

QList<QPair<QString, QString>> BatchSettingsToKeep(const BatchCropSettings& s, bool keep,
                                                   const FrameBoxTexts& boxes)
{
    QList<QPair<QString, QString>> values = {
        {SettingKey::naming, QString::number(s.namingIndex)},
        {SettingKey::customPrefix, s.customPrefix},
        {SettingKey::format, s.outputExtension},
        {SettingKey::saveFolder, s.saveFolder},
        {SettingKey::sourceFolder, s.sourceFolder},
        {SettingKey::cropSound, boolSettingText(s.cropSound)},
        {SettingKey::keep, kTrueText},
        {SettingKey::width, boxes.width},
        {SettingKey::height, boxes.height},
        {SettingKey::jpegSize, s.outputExtension == kDefaultExtension ? boxes.jpegSize : QString()},
    };
    if (!keep) {
        for (auto& value : values)
            value.second.clear();
    }
    return values;
}
