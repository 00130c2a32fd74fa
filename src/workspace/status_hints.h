#pragma once
// The status-bar hints of the main window and the choice of the view's hint.
#include "state/app_state.h"

#include <QString>

namespace Hint {
inline const QString navigationKeys = QStringLiteral("A键或S键：下一图片   D键或F键：上一图片");
inline const QString width = QStringLiteral("设置输出图片宽度");
inline const QString height = QStringLiteral("设置输出图片高度");
inline const QString jpegSize = QStringLiteral("预设JPG图片输出体积");
inline const QString frameColour = QStringLiteral("采集框颜色不会影响输出图片颜色");
inline const QString moveUp = QStringLiteral("上移采集框");
inline const QString moveDown = QStringLiteral("下移采集框");
inline const QString moveLeft = QStringLiteral("左移采集框");
inline const QString moveRight = QStringLiteral("右移采集框");
inline const QString scrollAcross = QStringLiteral("左右移动图片");
inline const QString scrollDown = QStringLiteral("上下移动图片");
inline const QString textEntry = QStringLiteral("右击显示区可结束文字输入并关闭文字工具");
inline const QString save = QStringLiteral("保存采集框内图片");
inline const QString saveWithKeys = QStringLiteral("保存采集框内图片        A键或S键：下一图片   D键或F键：上一图片");
inline const QString zoomWithKeys =
    QStringLiteral("A键或S键：下一图片   D键或F键：上一图片        滚动鼠标滚轮可缩放图片");
inline const QString brush = QStringLiteral("右击显示区可关闭画笔工具");
inline const QString pipette = QStringLiteral("右击显示区可关闭吸管工具");
inline const QString zoom = QStringLiteral("滚动鼠标滚轮可缩放图片");
} // namespace Hint

// The hint for the pointer over the view panel.
QString ViewHint(const AppState& state, bool textEntryVisible);

// The hint for the pointer over the toolbar, given the current hint.
QString ToolbarHint(const AppState& state);
