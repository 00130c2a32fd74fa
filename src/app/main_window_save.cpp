// The main window's save and print sheet commands and the quarter turns of the picture.
#include "app/main_window.h"

#include "batch/batch_crop_mode.h"
#include "imaging/encode_crop.h"
#include "imaging/rotation.h"
#include "platform/desktop_folder.h"
#include "platform/dialogs.h"
#include "platform/picture_printer.h"
#include "workspace/crop_and_save.h"
#include "workspace/drawing_tools.h"
#include "workspace/print_sheet_window.h"
#include "workspace/whole_picture_loader.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

void MainWindow::cropAndSave()
{
    tools_->endTextToolForSave();
    if (state_.batch.batchActive) {
        batchMode_->cropAndSave(); // named by the batch scheme, without a dialog
        return;
    }

    if (!state_.view.imageLoaded) {
        dialogs_.showMessage(QStringLiteral("提示"), kNoPictureMessage, MessageIcon::Information,
                             MessageButtons::Ok);
        viewPanel_->setFocus();
        return;
    }
    const QString path = dialogs_.chooseSaveFile(kSaveDialogTitle, kSaveDialogFilter, DesktopFolder(),
                                                 QStringLiteral(".jpg"));
    if (path.isEmpty())
        return;
    const QString extension = ExtensionOfPath(path);
    if (!IsOutputExtension(extension)) {
        dialogs_.showMessage(QStringLiteral("提示"), kUnsupportedExtensionMessage, MessageIcon::None,
                             MessageButtons::Ok);
        viewPanel_->setFocus();
        return;
    }
    const SavedCrop saved = SaveCapture(FramedOutput(state_, ws_), path, extension, state_.frame.jpegLimitKB);
    if (!saved.written)
        dialogs_.showMessage(QStringLiteral("提示"), kWriteFailedMessage, MessageIcon::Warning, MessageButtons::Ok);
    else if (!saved.limitMet)
        dialogs_.showMessage(QStringLiteral("提示"), SizeLimitMessage(saved.lastSize), MessageIcon::None,
                             MessageButtons::Ok);
    viewPanel_->setFocus();
}

// The sheet holds what 保存 would write: the text being typed is stamped first.
void MainWindow::openPrintSheet()
{
    tools_->endTextToolForSave();
    if (!state_.view.imageLoaded) {
        dialogs_.showMessage(QStringLiteral("提示"), kNoPictureMessage, MessageIcon::Information,
                             MessageButtons::Ok);
        viewPanel_->setFocus();
        return;
    }
    auto* window = new PrintSheetWindow(FramedOutput(state_, ws_), dialogs_, *printer_, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
}

void MainWindow::rotateCurrentImage(int degrees)
{
    if (!state_.view.imageLoaded)
        return;
    wholePicture_->takeWholeNow(); // the turn keeps every pixel of the photo
    const QImage turned = RotateQuarter(state_.view.currentPicture, degrees);
    if (turned.isNull()) {
        dialogs_.showMessage(QStringLiteral("提示："), QStringLiteral("旋转失败！"), MessageIcon::None,
                             MessageButtons::Ok);
        return;
    }
    // The view scale, the scroll ratios and the frame stay as they were.
    state_.view.currentPicture = turned;
    RenderView(state_, ws_);
    showWorkspace();
}
