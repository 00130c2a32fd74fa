#pragma once
// What the two batch modes (batch crop and fast capture) keep in their
// sections of set.dll when the user asks to keep their settings.
#include "state/settings.h"

#include <QList>
#include <QPair>
#include <QString>

// A batch mode keeps the frame panel's JPEG limit (JPG体积) in its section
// while it is on, its settings are kept and it writes JPEG.
void KeepJpegLimit(const QString& settingsFolder, const QString& section, bool modeOn, bool keep,
                   const QString& extension, const QString& limitText);

// The values the frame panel's box texts give the kept settings.
struct FrameBoxTexts {
    QString width;
    QString height;
    QString jpegSize;
};

// The ten keys of section 批量截图 written at OK: the settings when they are
// kept, every key empty when they are not. JPG体积 is kept only for ".JPG".
QList<QPair<QString, QString>> BatchSettingsToKeep(const BatchCropSettings& settings, bool keep,
                                                   const FrameBoxTexts& boxes);

// The nine keys of section 批量速拍 written at OK, in the same way. 命名方式
// is the position of the scheme text among the fast schemes (the first one
// for a text that is no scheme).
QList<QPair<QString, QString>> FastSettingsToKeep(const FastCaptureSettings& fast, bool keep,
                                                  const FrameBoxTexts& boxes);
