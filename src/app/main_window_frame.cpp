// The main window's capture frame: mouse drags on the view, the move buttons,
// the width, height and JPEG size boxes, the size types and the frame colour.
#include "app/main_window.h"

#include "camera/camera.h"
#include "workspace/drawing_tools.h"

#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "workspace/colour_picker.h"
#include "workspace/frame_boxes.h"
#include "workspace/frame_drag.h"
#include "workspace/move_buttons.h"
#include "workspace/spin_edit_box.h"
#include "workspace/status_hints.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

Qt::CursorShape cursorFor(FrameDrag zone)
{
    switch (zone) {
    case FrameDrag::Move: return Qt::SizeAllCursor;
    case FrameDrag::Left:
    case FrameDrag::Right: return Qt::SizeHorCursor;
    case FrameDrag::Top:
    case FrameDrag::Bottom: return Qt::SizeVerCursor;
    case FrameDrag::TopLeft:
    case FrameDrag::BottomRight: return Qt::SizeFDiagCursor;
    case FrameDrag::TopRight:
    case FrameDrag::BottomLeft: return Qt::SizeBDiagCursor;
    case FrameDrag::None: break;
    }
    return Qt::ArrowCursor;
}

} // namespace

void MainWindow::bindFrameEvents()
{
    connect(viewPanel_, &ViewPanel::leftPressed, this, &MainWindow::onViewLeftPressed);
    connect(viewPanel_, &ViewPanel::leftReleased, this, &MainWindow::onViewLeftReleased);

    connect(widthBox_, &SpinEditBox::contentChanged, this, &MainWindow::applyFrameWidth);
    connect(heightBox_, &SpinEditBox::contentChanged, this, &MainWindow::applyFrameHeight);
    for (SpinEditBox* box : {widthBox_, heightBox_}) {
        box->setDigitsOnly(true);
        connect(box, &SpinEditBox::spinned, this, [this, box](int step) { onSizeBoxSpin(box, step); });
        // Typing in a size box makes the size type "自定义".
        connect(box->editor(), &QLineEdit::textEdited, this, [this] { sizeTypeBox_->setCurrentIndex(1); });
    }
    connect(sizeTypeBox_, &QComboBox::activated, this, &MainWindow::onSizeTypeChosen);

    connect(jpegSizeBox_, &QLineEdit::textChanged, this, &MainWindow::onJpegSizeChanged);
    connect(jpegSpinBox_, &SpinEditBox::spinned, this, &MainWindow::onJpegSpin);
    for (QWidget* w : {static_cast<QWidget*>(lessEqualBox_), static_cast<QWidget*>(jpegSpinBox_),
                       static_cast<QWidget*>(jpegSpinBox_->editor())})
        w->installEventFilter(this); // their focus goes on to the JPEG size box

    connect(colourPicker_, &ColourPicker::pickRequested, this, &MainWindow::onColourPickRequested);
    connect(colourPicker_, &ColourPicker::colourChanged, this, &MainWindow::onFrameColourChanged);

    auto* moves = new MoveButtons(state_.moveTicks, state_.frame.frameMove,
                                  {upButton_, downButton_, leftButton_, rightButton_}, QStringLiteral("截图时钟"), this);
    moves->setMoveAllowed([this] { return state_.view.imageLoaded; });
    connect(moves, &MoveButtons::refused, this, [this] {
        dialogs_.showMessage(QStringLiteral("提示"), kNoPictureMessage, MessageIcon::None, MessageButtons::Ok);
    });
    connect(moves, &MoveButtons::moved, this, [this](FrameMove move) {
        MoveByOne(state_.frame.frameLeft, state_.frame.frameTop, move);
        refreshFrame();
    });
    connect(moves, &MoveButtons::moveEnded, this, [this] { viewPanel_->setFocus(); });
}

bool MainWindow::toolActive() const
{
    const ToolState& t = state_.tools;
    return t.brushOn || t.textOn || t.pipetteOn;
}

void MainWindow::refreshFrame()
{
    RefreshView(state_, ws_);
    viewPanel_->update();
}

// ---- mouse on the view ----

void MainWindow::onViewLeftPressed(QPoint position)
{
    if (!state_.view.imageLoaded || toolActive())
        return;
    const FrameDrag zone = FrameZoneAt(state_.frame, position);
    if (zone == FrameDrag::None)
        return;
    state_.frame.frameDrag = zone;
    state_.lastPointerX = position.x();
    state_.lastPointerY = position.y();
}

void MainWindow::onViewLeftReleased()
{
    endFrameDrag();
}

void MainWindow::dragOrHover(QPoint position)
{
    if (toolActive())
        return;
    FrameState& f = state_.frame;
    if (f.frameDrag == FrameDrag::None) {
        if (state_.view.imageLoaded)
            viewPanel_->setCursor(cursorFor(FrameZoneAt(f, position)));
        return;
    }
    const FrameDrag mode = f.frameDrag;
    const int dx = position.x() - state_.lastPointerX;
    const int dy = position.y() - state_.lastPointerY;
    if (ApplyDragStep(f, mode, dx, dy) == DragStep::Stopped) {
        endFrameDrag();
        return;
    }
    if (ChangesWidth(mode))
        widthBox_->setText(QString::number(f.frameWidth));
    if (ChangesHeight(mode))
        heightBox_->setText(QString::number(f.frameHeight));
    state_.lastPointerX = position.x();
    state_.lastPointerY = position.y();
    refreshFrame();
}

void MainWindow::endFrameDrag()
{
    if (tools_->commitStroke())
        return;
    const FrameDrag mode = state_.frame.frameDrag;
    if (mode == FrameDrag::None)
        return;
    state_.frame.frameDrag = FrameDrag::None;
    if (ChangesWidth(mode) && ChangesHeight(mode))
        camera_->followFrameType();
    else if (ChangesWidth(mode))
        camera_->followFrameWidth();
    else if (ChangesHeight(mode))
        camera_->followFrameHeight();
}

// ---- width and height boxes, size types ----

void MainWindow::applyFrameWidth()
{
    applyFrameSide(widthBox_, true);
}

void MainWindow::applyFrameHeight()
{
    applyFrameSide(heightBox_, false);
}

// A size box changed: the frame takes the new side; when the view is too
// small for it, the window grows so that the view is the side plus 30.
void MainWindow::applyFrameSide(SpinEditBox* box, bool across)
{
    if (IsResize(state_.frame.frameDrag))
        return;
    if (readWholeNumber(box->text()) > kMaxFrameSide) {
        box->setText(QString::number(kMaxFrameSide)); // runs this handling again
        return;
    }
    const int side = FrameSideFromText(box->text());
    FrameState& f = state_.frame;
    (across ? f.frameWidth : f.frameHeight) = side;
    // The window is still being made when the start-up size type is applied.
    if (camera_) {
        tools_->endTextEntry();
        across ? camera_->followFrameWidth() : camera_->followFrameHeight();
    }

    const int viewExtent = across ? ws_.image.width() : ws_.image.height();
    if (side + 30 < viewExtent) {
        if (state_.view.imageLoaded)
            refreshFrame();
        return;
    }
    const MainWindowState& m = state_.main;
    const QSize client = clientSize();
    const QSize grown = across ? QSize(side + 205, client.height()) : QSize(client.width(), side + 111);
    // A window that keeps its size has no size change to handle: the frame
    // stays where the user put it.
    if (grown != client)
        resizeClient(grown);
    const int outer = across ? side + m.ncW + 213 : side + m.ncH + 165;
    const int beyondScreen = across ? outer + 10 - m.screenWidth : outer + 20 - m.screenHeight;
    if (beyondScreen > 0) {
        dialogs_.showMessage(QStringLiteral("提示"), QStringLiteral("此电脑屏幕像素分辩率不够高，不满足操作要求。"),
                             MessageIcon::None, MessageButtons::Ok);
    }
}

void MainWindow::onSizeBoxSpin(SpinEditBox* box, int step)
{
    sizeTypeBox_->setCurrentIndex(1);
    box->setText(QString::number(qint64(readWholeNumber(box->text())) + step));
}

void MainWindow::onSizeTypeChosen(int index)
{
    if (index >= 0 && index < SizeTypes().size()) {
        const QSize size = SizeTypes()[index].size;
        if (!size.isEmpty()) {
            widthBox_->setText(QString::number(size.width()));
            heightBox_->setText(QString::number(size.height()));
        }
    }
    viewPanel_->setFocus();
}

// ---- JPEG size ----

void MainWindow::onJpegSizeChanged()
{
    const JpegLimitText limit = NormaliseJpegLimit(jpegSizeBox_->text());
    if (jpegSizeBox_->text() != limit.text) {
        jpegSizeBox_->setText(limit.text); // runs this handling again
        return;
    }
    state_.frame.jpegLimitKB = limit.limitKB;
    const QString value = numberText(limit.limitKB);
    const BatchCropSettings& batch = state_.batch.settings;
    if (state_.batch.batchActive && batch.keepSettings && batch.outputExtension == kDefaultExtension)
        WriteSetting(state_.main.settingsFolder, kBatchSection, SettingKey::jpegSize, value);
    const FastCaptureSettings& fast = state_.camera.fast;
    if (state_.camera.fastCaptureOn && fast.keepFastSettings && fast.fastExtension == kDefaultExtension)
        WriteSetting(state_.main.settingsFolder, kFastSection, SettingKey::jpegSize, value);
}

void MainWindow::onJpegSpin(int step)
{
    jpegSizeBox_->setText(SpinJpegLimit(jpegSizeBox_->text(), step));
}

// ---- colour ----

void MainWindow::onColourPickRequested()
{
    if (const auto colour = dialogs_.chooseColour(colourPicker_->colour()))
        colourPicker_->setColour(*colour);
}

void MainWindow::onFrameColourChanged()
{
    tools_->endTextEntry();
    ws_.frameColour = colourPicker_->colour();
    camera_->recolourPreviewFrame(ws_.frameColour);
    if (state_.view.imageLoaded) {
        refreshFrame();
        viewPanel_->setFocus();
    }
}
