#pragma once
// Making a file or an in-memory BMP the current picture, fitted to the view.
#include "app/app_state.h"
#include "workspace/workspace.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

inline const QString kOpenDialogTitle = QStringLiteral("打开图片文件");
inline const QString kOpenDialogFilter = QStringLiteral("图片文件|*.bmp;*.jpg;*.jpeg;*.gif;*.png");
inline const QString kWrongExtensionMessage =
    QStringLiteral("本软件只接收bmp、jpg、jpeg、gif、png五类图片文件，您拖放的文件不属此范围。");

// What to tell the user about a drop, if anything: an empty message means
// the single dropped file may be opened.
QString DropRefusal(const QStringList& paths);

// The file form: clears the view, decodes the file and fits it. Returns false
// when the file could not be decoded; there is then no current picture.
bool MakeCurrentImageFromFile(AppState& state, Workspace& ws, const QString& path);

// A camera shot: fitted as a file is; the view's scroll ratios are kept.
bool MakeCurrentImageFromShot(AppState& state, Workspace& ws, const QImage& picture);

// The in-memory form (paste): as above, without clearing the view first.
bool MakeCurrentImageFromBytes(AppState& state, Workspace& ws, const QByteArray& bmp);
