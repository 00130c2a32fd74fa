#include "workspace/kept_frame_boxes.h"

#include "state/settings.h"
#include "platform/number_text.h"

#include <utility>

namespace {
constexpr double kTolerance = 1e-7;
}

void RestoreKeptFrameBoxes(FramePanel& frame, const QString& settingsFolder, const QString& section, bool jpeg)
{
    for (const auto& [box, key] : {std::pair{FrameBox::Width, SettingKey::width},
                                   std::pair{FrameBox::Height, SettingKey::height}}) {
        const QString text = ReadSetting(settingsFolder, section, key);
        if (!text.isEmpty())
            frame.writeBoxText(box, text);
    }
    if (!jpeg)
        return;
    const QString stored = ReadSetting(settingsFolder, section, SettingKey::jpegSize);
    const double v = readNumber(stored);
    if (v > kTolerance)
        frame.writeBoxText(FrameBox::JpegSize, stored);
    else if (v >= -kTolerance)
        WriteSetting(settingsFolder, section, SettingKey::jpegSize, frame.boxText(FrameBox::JpegSize));
}

void WriteKeptFrameBoxes(const FramePanel& frame, const QString& settingsFolder, const QString& section,
                         KeptBoxes boxes)
{
    QList<QPair<QString, QString>> keys;
    if (boxes.width)
        keys.append({SettingKey::width, frame.boxText(FrameBox::Width)});
    if (boxes.height)
        keys.append({SettingKey::height, frame.boxText(FrameBox::Height)});
    if (boxes.jpegSize)
        keys.append({SettingKey::jpegSize, frame.boxText(FrameBox::JpegSize)});
    if (!keys.isEmpty())
        WriteSettings(settingsFolder, section, keys);
}
