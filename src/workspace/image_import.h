#pragma once
// Making a file or an in-memory BMP the current picture, fitted to the view.
#include "state/app_state.h"
#include "imaging/decoded_picture.h"
#include "workspace/workspace.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

inline const QString kOpenDialogTitle = QStringLiteral("打开图片文件");
inline const QString kOpenDialogFilter = QStringLiteral("图片文件|*.bmp;*.jpg;*.jpeg;*.gif;*.png");
inline const QString kWrongExtensionMessage =
    QStringLiteral("本软件只接收bmp、jpg、jpeg、gif、png五类图片文件，您拖放的文件不属此范围。");

// Where the open dialog starts: the folder of the last file opened, else the
// user's pictures folder, else the home folder.
QString OpenDialogStartFolder(const QString& lastOpenFolder);

// What to tell the user about a drop, if anything: an empty message means
// the single dropped file may be opened.
QString DropRefusal(const QStringList& paths);

// Messages for a picture that could not be read; the current picture stays.
inline const QString kUnreadableFileMessage = QStringLiteral("无法读取此图片文件，当前图片保持不变。");
inline const QString kUnreadableClipboardMessage = QStringLiteral("无法读取剪贴板中的图片，当前图片保持不变。");

// The file form: decodes the file, clears the view and fits the picture.
// Returns false when the file could not be decoded; the current picture and
// the view are then left exactly as they were.
bool MakeCurrentImageFromFile(AppState& state, Workspace& ws, const QString& path);

// The same, with the file already decoded (for the view's size, as
// decodeImageFileReduced does).
bool MakeCurrentImageFromDecoded(AppState& state, Workspace& ws, const QString& path, const DecodedPicture& decoded);

// A camera shot: fitted as a file is; the view's scroll ratios are kept.
bool MakeCurrentImageFromShot(AppState& state, Workspace& ws, const QImage& picture);

// The in-memory form (paste): as above, without clearing the view first.
// These two also leave everything as it was when they return false.
bool MakeCurrentImageFromBytes(AppState& state, Workspace& ws, const QByteArray& bmp);
