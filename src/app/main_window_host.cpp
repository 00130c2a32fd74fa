// What the main window does for the batch modes: the picture in the view, the
// frame's boxes and the capture.
#include "app/main_window.h"

#include "camera/camera.h"
#include "workspace/drawing_tools.h"
#include "workspace/image_import.h"
#include "workspace/crop_and_save.h"
#include "workspace/spin_edit_box.h"
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
    MakeCurrentImageFromShot(state_, ws_, picture);
    showWorkspace();
    tools_->reapplyActiveTool();
}

QColor MainWindow::frameColour() const
{
    return ws_.frameColour;
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

QString MainWindow::frameBoxText(FrameBox box) const
{
    switch (box) {
    case FrameBox::Width: return widthBox_->text();
    case FrameBox::Height: return heightBox_->text();
    case FrameBox::JpegSize: return jpegSizeBox_->text();
    }
    return {};
}

void MainWindow::writeFrameBoxText(FrameBox box, const QString& text)
{
    switch (box) {
    case FrameBox::Width: widthBox_->setText(text); break;
    case FrameBox::Height: heightBox_->setText(text); break;
    case FrameBox::JpegSize:
        // The same text counts as a change, as for the size boxes.
        if (jpegSizeBox_->text() == text)
            onJpegSizeChanged();
        else
            jpegSizeBox_->setText(text);
        break;
    }
}

void MainWindow::writeStatusHint(const QString& hint)
{
    statusBarHint(hint);
}

void MainWindow::focusView()
{
    viewPanel_->setFocus();
}

void MainWindow::untickDrawingTools()
{
    tools_->untickTools();
}

void MainWindow::closeCameraWindows()
{
    camera_->closeCameraWindows();
}
