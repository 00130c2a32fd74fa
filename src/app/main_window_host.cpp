// What the main window does for batch crop and the camera: the picture in
// the view, the capture, the hint and the focus.
#include "app/main_window.h"

#include "workspace/drawing_tools.h"
#include "workspace/image_import.h"
#include "workspace/crop_and_save.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

#include <QLineEdit>

bool MainWindow::showPictureFile(const QString& path, const DecodedPicture& decoded)
{
    if (!MakeCurrentImageFromDecoded(state_, ws_, path, decoded)) {
        showNoPicture();
        return false;
    }
    finishImport();
    return true;
}

void MainWindow::showShot(const QImage& picture)
{
    // Text still being typed on the old picture is dropped.
    textEntry_->hide();
    textEntry_->clear();
    const bool shown = MakeCurrentImageFromShot(state_, ws_, picture);
    showWorkspace();
    tools_->reapplyActiveTool();
    if (shown)
        emit pictureArrived();
}

void MainWindow::showNoPicture()
{
    state_.view.imageLoaded = false;
    state_.view.currentPicture = QImage();
    ws_.levels = {};
    ws_.hBar = {};
    ws_.vBar = {};
    ClearViewPanels(ws_);
    showWorkspace();
}

QImage MainWindow::captureFrame()
{
    return CaptureFrameImage(state_, ws_);
}

void MainWindow::writeStatusHint(const QString& hint)
{
    statusBarHint(hint);
}

void MainWindow::focusView()
{
    viewPanel_->setFocus();
}
