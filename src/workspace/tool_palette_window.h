#pragma once
// The small floating palette of the drawing tools: the brush, text and
// pipette boxes, the brush width, the colour picker and a picture of colour
// swatches. It belongs to the main window, stays hidden until the edit
// command shows it, follows the main window when that moves, and can be
// dragged by its body. It only reports what the user does; the drawing tools
// decide what follows.
#include <QColor>
#include <QImage>
#include <QWidget>

class ColourPicker;
class QCheckBox;
class QGroupBox;
class QLabel;
class SpinEditBox;

enum class DrawingTool { Brush, Text, Pipette };

class ToolPaletteWindow : public QWidget {
    Q_OBJECT
public:
    explicit ToolPaletteWindow(QWidget* owner);

    // Places the palette beside a main window whose outer top-left is `mainTopLeft`.
    void followMainWindow(QPoint mainTopLeft);
    static QPoint placeBeside(QPoint mainTopLeft);

    QCheckBox* toolBox(DrawingTool tool) const;
    // Ticks one box, or none, and unticks the others.
    void tickOnly(const QCheckBox* box);
    ColourPicker* colourPicker() const { return colourPicker_; }
    SpinEditBox* widthBox() const { return widthBox_; }
    QLabel* widthBar() const { return widthBar_; }
    // The brush width box's number; a text that is no number reads as 0.
    double typedWidth() const;
    // The width bar shows the width as its height, in the current colour.
    void showWidth(int height);
    void showColour(const QColor& colour);

    // The swatch picture as built into the program (98 × 194, 8-bit).
    static QImage swatchPicture();
    // The swatch picture as shown in the 60 × 100 box.
    const QImage& shownSwatches() const { return shownSwatches_; }

signals:
    void toolClicked(DrawingTool tool, bool ticked);
    void textToolRightClicked();
    void widthChanged();
    void swatchPicked(const QColor& colour);
    // The pointer moved over a unit: `hint` is its hint when `setsHint`.
    void hovered(const QString& hint, bool setsHint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createUnits();
    void placeWidthUnits();
    bool dragByBody(QObject* watched, QEvent* event);
    void reportHover(QObject* watched);

    QCheckBox* brushBox_ = nullptr;   // 画笔选择框
    QCheckBox* textBox_ = nullptr;    // 文字选择框
    QCheckBox* pipetteBox_ = nullptr; // 吸管选择框
    QGroupBox* widthGroup_ = nullptr; // 分组框2
    QLabel* widthBar_ = nullptr;      // 画笔粗细标签
    SpinEditBox* widthBox_ = nullptr; // 画笔粗细编辑框
    ColourPicker* colourPicker_ = nullptr; // 颜色选择器1
    QLabel* swatches_ = nullptr;      // 色板图片框
    QImage shownSwatches_;
    bool dragging_ = false;
    QPoint dragOffset_; // pointer position minus the window's corner, on screen
};
