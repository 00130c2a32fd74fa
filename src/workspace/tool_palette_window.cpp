#include "workspace/tool_palette_window.h"

#include <algorithm>

ToolPaletteWindow::ToolPaletteWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("ToolPaletteWindow"));
    setFixedSize(75, 318);
    hide();
}

QPoint ToolPaletteWindow::placeBeside(QPoint mainTopLeft)
{
    return {std::max(0, mainTopLeft.x() - 75), mainTopLeft.y() + 75};
}

void ToolPaletteWindow::followMainWindow(QPoint mainTopLeft)
{
    move(placeBeside(mainTopLeft));
}
