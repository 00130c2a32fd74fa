// The main window's view: import, the view panel's events, the scroll bars
// and the status-bar hints of every unit.
#include "app/main_window.h"

#include "workspace/image_import.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "workspace/drawing_tools.h"
#include "workspace/whole_picture_loader.h"
#include "workspace/frame_panel.h"
#include "workspace/move_buttons.h"
#include "workspace/status_hints.h"
#include "workspace/view_geometry.h"
#include "workspace/view_keys.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>

void MainWindow::bindViewEvents()
{
    connect(viewPanel_, &ViewPanel::keyPressed, this, &MainWindow::onViewKey);
    connect(viewPanel_, &ViewPanel::wheelTurned, this, &MainWindow::onViewWheel);
    connect(viewPanel_, &ViewPanel::rightPressed, this, &MainWindow::onViewRightPressed);
    connect(viewPanel_, &ViewPanel::mouseMoved, this, &MainWindow::onViewMouseMoved);
    connect(viewPanel_, &ViewPanel::filesDropped, this, &MainWindow::dropImageFiles);
    connect(hScrollBar_, &QScrollBar::valueChanged, this, &MainWindow::onScrollBarMoved);
    connect(vScrollBar_, &QScrollBar::valueChanged, this, &MainWindow::onScrollBarMoved);
}

// Shows the panels as rendered: the scroll bars take the renderer's
// settings (without that counting as the user scrolling) and the view repaints.
void MainWindow::showWorkspace()
{
    applyingScrollBars_ = true;
    const auto apply = [](QScrollBar* bar, const ScrollBarSetting& s, int page) {
        bar->setRange(0, s.enabled ? s.maximum : 0);
        bar->setPageStep(std::max(1, page));
        bar->setSingleStep(std::max(1, page / 20));
        bar->setValue(s.enabled ? s.position : 0);
        bar->setEnabled(s.enabled);
    };
    apply(hScrollBar_, ws_.hBar, ws_.image.width());
    apply(vScrollBar_, ws_.vBar, ws_.image.height());
    applyingScrollBars_ = false;
    viewPanel_->update();
}

void MainWindow::openImageFile()
{
    const QString path =
        dialogs_.chooseOpenFile(kOpenDialogTitle, kOpenDialogFilter, OpenDialogStartFolder(lastOpenFolder_));
    if (path.isEmpty())
        return;
    lastOpenFolder_ = QFileInfo(path).absolutePath();
    importFile(path);
}

void MainWindow::dropImageFiles(const QStringList& paths)
{
    const QString refusal = DropRefusal(paths);
    if (!refusal.isEmpty()) {
        dialogs_.showMessage(QStringLiteral("提示"), refusal, MessageIcon::None, MessageButtons::Ok);
        return;
    }
    importFile(paths.first());
}

// The file form of an import, for the open dialog and a drop. In batch crop
// mode a file that loaded is remembered as the user's own; one that did not
// leaves the current picture, and where it came from, as they were.
void MainWindow::importFile(const QString& path)
{
    if (!MakeCurrentImageFromFile(state_, ws_, path)) {
        tellUnreadable(kUnreadableFileMessage);
        return;
    }
    finishImport();
    if (state_.batch.batchActive) {
        state_.import.imageOrigin = ImageOrigin::UserFile;
        state_.import.userFilePath = QDir::toNativeSeparators(path);
    }
}

void MainWindow::tellUnreadable(const QString& message)
{
    dialogs_.showMessage(QStringLiteral("提示"), message, MessageIcon::Warning, MessageButtons::Ok);
}

// Shows a picture a file import brought in, and gives the view the focus.
void MainWindow::finishImport()
{
    textEntry_->hide();
    textEntry_->clear();
    showWorkspace();
    tools_->reapplyActiveTool();
    viewPanel_->setFocus();
    emit pictureArrived();
}

// An empty clipboard pastes nothing, silently.
void MainWindow::pasteImage()
{
    const QByteArray bmp = clipboard_.bitmapAsBmpFile();
    if (bmp.isEmpty())
        return;
    if (!MakeCurrentImageFromBytes(state_, ws_, bmp)) {
        tellUnreadable(kUnreadableClipboardMessage);
        return;
    }
    showWorkspace();
    tools_->reapplyActiveTool(DrawingTools::Reapply::BrushOrPipette);
    emit pictureArrived();
}

void MainWindow::copyCrop()
{
    clipboard_.setBitmap(CaptureFrameImage(state_, ws_));
}

void MainWindow::zoomFromUser(double factor)
{
    endFrameDrag();
    tools_->endTextEntry();
    ZoomView(state_, ws_, factor);
    wholePicture_->fetchIfNeeded();
    showWorkspace();
    viewPanel_->setFocus();
}

void MainWindow::onViewKey(QKeyEvent* event)
{
    const ViewKeyCommand command = ViewKeyCommandFor(event->key(), event->modifiers());
    switch (command) {
    case ViewKeyCommand::None: return;
    case ViewKeyCommand::Paste: pasteImage(); return;
    case ViewKeyCommand::Copy: copyCrop(); return;
    case ViewKeyCommand::ZoomIn: zoomFromUser(1.02); return;
    case ViewKeyCommand::ZoomOut: zoomFromUser(0.98); return;
    default: break;
    }
    if (!state_.view.imageLoaded)
        return;
    MoveByOne(state_.frame.frameLeft, state_.frame.frameTop,
              command == ViewKeyCommand::NudgeLeft   ? FrameMove::Left
              : command == ViewKeyCommand::NudgeUp   ? FrameMove::Up
              : command == ViewKeyCommand::NudgeRight ? FrameMove::Right
                                                      : FrameMove::Down);
    refreshFrame();
}

void MainWindow::onViewWheel(int notches)
{
    if (!state_.view.imageLoaded)
        return;
    zoomFromUser(WheelZoomFactor(notches));
}

void MainWindow::onViewRightPressed()
{
    viewPanel_->unsetCursor();
    if (state_.view.imageLoaded) {
        RefreshView(state_, ws_);
        viewPanel_->update();
    }
}

void MainWindow::onViewMouseMoved(QPoint position)
{
    dragOrHover(position);
    statusBarHint(ViewHint(state_, textEntry_->isVisible()));
}

void MainWindow::onScrollBarMoved()
{
    if (applyingScrollBars_)
        return;
    tools_->endTextEntry();
    ScrollView(state_, ws_, hScrollBar_->value(), vScrollBar_->value());
    viewPanel_->update();
}

// Every unit outside the view reports its mouse moves here, its inner
// widgets (a spin box's editor, a toolbar's buttons) included.
void MainWindow::watchUnitMouseMoves()
{
    // The units whose hint never changes.
    unitHints_ = framePanel_->fixedHints();
    unitHints_.insert(hScrollBar_, Hint::scrollAcross);
    unitHints_.insert(vScrollBar_, Hint::scrollDown);
    client_->installEventFilter(this);
    for (QWidget* w : client_->findChildren<QWidget*>()) {
        if (w == viewPanel_ || viewPanel_->isAncestorOf(w))
            continue;
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

QWidget* MainWindow::unitOf(QObject* object) const
{
    for (auto* w = qobject_cast<QWidget*>(object); w && w != this; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w;
    }
    return nullptr;
}

void MainWindow::onUnitMouseMoved(QWidget* unit)
{
    if (unit == framePanel_ || unit == viewPanel_)
        return;
    if (unit == textEntry_) {
        statusBarHint(Hint::textEntry);
        return;
    }
    endFrameDrag();
    const bool keys = state_.batch.keysRegistered;
    if (unit == client_)
        statusBarHint(keys ? Hint::navigationKeys : QString());
    else if (unit == toolbar_)
        statusBarHint(ToolbarHint(state_));
    else if (unit == framePanel_->saveButton())
        statusBarHint(keys ? Hint::saveWithKeys : Hint::save);
    else if (const auto fixed = unitHints_.constFind(unit); fixed != unitHints_.constEnd())
        statusBarHint(*fixed);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == client_)
            layoutMainWindow();
        break;
    case QEvent::MouseMove: {
        // A move that a widget leaves unhandled reaches its parents too; only
        // the innermost widget under the pointer counts.
        auto* widget = qobject_cast<QWidget*>(watched);
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (widget && !widget->childAt(at)) {
            if (QWidget* unit = unitOf(widget))
                onUnitMouseMoved(unit);
        }
        break;
    }
    case QEvent::MouseButtonPress:
        if ((watched == hScrollBar_ || watched == vScrollBar_) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            endFrameDrag();
        break;
    case QEvent::MouseButtonRelease:
        if ((watched == hScrollBar_ || watched == vScrollBar_) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            viewPanel_->setFocus();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
