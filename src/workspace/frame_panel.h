#pragma once
// The capture frame's panel (面板分组框): the size type, the width and height
// boxes, the JPEG size box, the frame colour, the four move buttons and the
// save button. It turns what the user does with them into the frame's state
// and says what changed; whoever follows the frame (the view, the camera, the
// kept settings of the batch modes) listens to it. The window it sits in
// places it and makes room for a frame that outgrows the view.
#include "state/app_state.h"

#include <QColor>
#include <QGroupBox>
#include <QHash>

class ColourPicker;
class Dialogs;
class QComboBox;
class QLineEdit;
class QPushButton;
class SpinEditBox;

enum class FrameBox { Width, Height, JpegSize };

class FramePanel : public QGroupBox {
    Q_OBJECT
public:
    // The frame starts in `startColour`; the boxes at 160 × 210 and a JPEG
    // limit of 500 KB, the size type on the first item.
    FramePanel(AppState& state, Dialogs& dialogs, const QColor& startColour, QWidget* parent);

    QString boxText(FrameBox box) const;
    // Writes a box's text from the program; its change handling runs as for
    // typing (for the JPEG box, the same text counts as a change too).
    void writeBoxText(FrameBox box, const QString& text);

    // A drag of the frame's edges: the boxes show the frame's new width and
    // height while it lasts, and when it ends the frame's followers hear of
    // the sides it changed.
    void showDraggedSize(bool width, bool height);
    void settleDraggedSize(bool width, bool height);

    QColor colour() const;
    // The chosen size type's name, as the list shows it.
    QString sizeTypeName() const;

    // The buttons' places, in the panel's coordinates.
    void placeButtons(QRect up, QRect down, QRect left, QRect right, QRect save);
    QPushButton* saveButton() const { return saveButton_; }
    // The units whose status-bar hint never changes, with their hints.
    QHash<QWidget*, QString> fixedHints() const;

signals:
    // A box gave the frame a new width or height (typed, spun, a size type
    // chosen, or written by the program); the window makes room for it.
    void frameWidthChanged(int width);
    void frameHeightChanged(int height);
    // A drag of the frame's edges ended, having changed these sides.
    void frameResizedByDrag(bool width, bool height);
    // A size type was chosen from the list (after its sides were applied).
    void sizeTypeChosen();
    // The JPEG limit changed; `limitText` is the limit as the settings keep it.
    void jpegLimitChanged(const QString& limitText);
    void colourChanged(const QColor& colour);
    // A move button moved the frame by a pixel, and the button went up.
    void frameMoved();
    void moveEnded();
    void saveClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createUnits(const QColor& startColour);
    void bindEvents();
    void applyFrameSide(SpinEditBox* box, bool across);
    void onSizeBoxSpin(SpinEditBox* box, int step);
    void onSizeTypeChosen(int index);
    void onJpegSizeChanged();
    void onColourPickRequested();

    AppState& state_;
    Dialogs& dialogs_;
    QComboBox* sizeTypeBox_ = nullptr;       // 尺寸类型组合框
    SpinEditBox* widthBox_ = nullptr;        // 像素宽编辑框
    SpinEditBox* heightBox_ = nullptr;       // 像素高编辑框
    SpinEditBox* jpegSpinBox_ = nullptr;     // 体积编辑框
    QLineEdit* lessEqualBox_ = nullptr;      // 小于编辑框
    QLineEdit* jpegSizeBox_ = nullptr;       // JPG体积编辑框
    ColourPicker* colourPicker_ = nullptr;   // 采集框颜色选择器
    QPushButton* upButton_ = nullptr;        // 截图上移按钮
    QPushButton* leftButton_ = nullptr;      // 截图左移按钮
    QPushButton* saveButton_ = nullptr;      // 截图保存按钮
    QPushButton* rightButton_ = nullptr;     // 截图右移按钮
    QPushButton* downButton_ = nullptr;      // 截图下移按钮
    QHash<QWidget*, QString> fixedHints_;
};
