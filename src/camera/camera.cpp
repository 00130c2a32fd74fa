#include "camera/camera.h"

#include "workspace/frame_panel.h"
#include "workspace/picture_host.h"
#include "camera/camera_window.h"
#include "naming/name_list_seam.h"
#include "platform/capture_device.h"

Camera::Camera(AppState& state, const CropServices& services, CaptureDeviceMaker makeDevice,
               QWidget* mainWindow)
    : QObject(mainWindow), state_(state), services_(services), makeDevice_(std::move(makeDevice)),
      mainWindow_(mainWindow), fast_(state, services)
{
}

Camera::~Camera()
{
    shutdown();
}

CameraWindow* Camera::windowForTest() const
{
    return window_;
}

void Camera::openCameraWindow()
{
    if (window_) {
        window_->showNormal();
        window_->raise();
        window_->activateWindow();
        return;
    }
    if (!device_)
        device_ = makeDevice_();
    auto* w = new CameraWindow(state_, *device_, services_.dialogs, services_.frame.colour(), mainWindow_);
    window_ = w;
    connect(w, &CameraWindow::shootRequested, this, &Camera::shoot);
    connect(w, &CameraWindow::fastCaptureClicked, this, &Camera::onFastCaptureClicked);
    connect(w, &CameraWindow::fastSettingsRequested, this, [this] { fast_.openFastSettings(window_); });
    connect(w, &CameraWindow::closing, this, &Camera::onWindowClosing);
    w->start(mainWindow_->frameGeometry().topLeft());
    if (state_.camera.fastCaptureOn && w->connected())
        fast_.keepFrameBoxes({true, true, true});
    w->show();
}

void Camera::followFrameWidth()
{
    followFrameSide(&CameraWindow::followFrameWidth, {true, false, false});
}

void Camera::followFrameHeight()
{
    followFrameSide(&CameraWindow::followFrameHeight, {false, true, false});
}

// One side of the frame changed: the window follows, and while fast capture
// is on the kept settings take the side's box.
void Camera::followFrameSide(void (CameraWindow::*follow)(), KeptBoxes box)
{
    if (!state_.camera.cameraOpen || !window_)
        return;
    (window_->*follow)();
    if (state_.camera.fastCaptureOn)
        fast_.keepFrameBoxes(box);
}

void Camera::followFrameDrag(bool width, bool height)
{
    if (width && height)
        followFrameType();
    else if (width)
        followFrameWidth();
    else if (height)
        followFrameHeight();
}

void Camera::followFrameType()
{
    if (!state_.camera.cameraOpen || !window_)
        return;
    window_->followFrameType();
    fast_.keepFrameBoxes({true, true, false});
}

void Camera::recolourPreviewFrame(const QColor& colour)
{
    if (state_.camera.cameraOpen && window_)
        window_->recolourPreviewFrame(colour);
}

void Camera::closeForBatchCrop()
{
    if (state_.camera.cameraOpen)
        closeCameraWindows();
}

void Camera::closeCameraWindows()
{
    if (window_)
        window_->close();
    state_.camera.fastCaptureOn = false;
    fast_.closeSettingsWindow();
}

void Camera::shutdown()
{
    fast_.closeSettingsWindow();
    if (window_)
        delete window_.data();
}

void Camera::onFastCaptureClicked(bool on)
{
    CameraWindow* w = window_;
    fast_.setFastCapture(on, w);
    if (!window_)
        return;
    if (on) {
        window_->centrePreviewFrame(window_->previewSize());
        window_->placePreviewFrame();
        window_->followFaceAfresh();
    }
    window_->showFastUnits(on && window_->connected());
}

void Camera::shoot()
{
    if (!window_ || !window_->connected())
        return;
    if (state_.camera.fastCaptureOn)
        fast_.fastShot([this] { return window_ ? window_->framedPixels() : QImage(); }, window_);
    else
        normalShot();
}

// The device's own full picture becomes the main window's picture; the
// camera window stays open for the next shot.
void Camera::normalShot()
{
    const QImage frame = window_->deviceFrame();
    if (frame.isNull())
        return;
    state_.camera.lastShotImage = frame;
    services_.host.showShot(frame);
}

void Camera::onWindowClosing()
{
    if (state_.nameList.windowOpen)
        services_.nameList.closeAndReset();
}
