// The main window's capture frame: mouse drags on the view, and what the
// view does when the frame panel changes the frame.
#include "app/main_window.h"

#include "platform/dialogs.h"
#include "workspace/drawing_tools.h"
#include "workspace/frame_drag.h"
#include "workspace/frame_panel.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

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
    connect(framePanel_, &FramePanel::sizeTypeChosen, viewPanel_, qOverload<>(&QWidget::setFocus));
    connect(framePanel_, &FramePanel::frameMoved, this, &MainWindow::refreshFrame);
    connect(framePanel_, &FramePanel::moveEnded, viewPanel_, qOverload<>(&QWidget::setFocus));
    connect(framePanel_, &FramePanel::saveClicked, this, &MainWindow::cropAndSave);
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
    framePanel_->showDraggedSize(ChangesWidth(mode), ChangesHeight(mode));
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
    framePanel_->settleDraggedSize(ChangesWidth(mode), ChangesHeight(mode));
}

// The frame took a new side from the panel: when the view is too small for
// it, the window grows so that the view is the side plus 30.
void MainWindow::makeRoomForFrame(bool across, int side)
{
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

void MainWindow::onFrameColourChanged(const QColor& colour)
{
    ws_.frameColour = colour;
    if (state_.view.imageLoaded) {
        refreshFrame();
        viewPanel_->setFocus();
    }
}
