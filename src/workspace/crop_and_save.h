#pragma once
// Taking the framed pixels and writing them as an output file.
#include "state/app_state.h"
#include "workspace/workspace.h"

#include <QImage>
#include <QString>

inline const QString kSaveDialogTitle = QStringLiteral("采集框内图象另存为：");
inline const QString kSaveDialogFilter = QStringLiteral("图片文件 *.jpg *.bmp *.gif *.png |*.jpg;*.bmp;*.gif;*.png");
inline const QString kUnsupportedExtensionMessage =
    QStringLiteral("无法保存为这种类型的文件。\n请使用jpg、bmp、gif或png四种扩展名之一。");
inline const QString kWriteFailedMessage =
    QStringLiteral("图片未能保存，请检查保存位置是否可以写入、磁盘空间是否足够。");

// The output extension of a chosen path: "." and the text after its last
// ".", lower-cased.
QString ExtensionOfPath(const QString& path);

// The framed pixels as 保存 writes them: the capture (CaptureFrameImage)
// carrying the print resolution of its size.
QImage FramedOutput(const AppState& state, const Workspace& ws);

struct SavedCrop {
    bool written = false;       // the complete file is in place
    bool limitMet = true;       // the JPEG fits the size limit
    qint64 lastSize = -1;
};

// Encodes the capture (the framed pixels, CaptureFrameImage) for the path's
// extension and writes it atomically: an existing file is replaced only by a
// complete new one. Nothing is written when the encoding gives no data.
SavedCrop SaveCapture(const QImage& capture, const QString& path, const QString& extension, double limitKB);
