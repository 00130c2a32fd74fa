#pragma once
// The small floating palette of the drawing tools. It belongs to the main
// window, stays hidden until the edit command shows it, and follows the main
// window when that moves.
#include <QWidget>

class ToolPaletteWindow : public QWidget {
    Q_OBJECT
public:
    explicit ToolPaletteWindow(QWidget* owner);

    // Places the palette beside a main window whose outer top-left is `mainTopLeft`.
    void followMainWindow(QPoint mainTopLeft);

    static QPoint placeBeside(QPoint mainTopLeft);
};
