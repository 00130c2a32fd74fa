#pragma once
// The camera: its window, the capture device behind it (made when the window
// first opens and kept for the run, so a chosen device stays chosen), the
// normal shot into the main window and fast capture. The main window creates
// it once and wires it to the frame panel, whose changes it follows.
#include "state/app_state.h"
#include "camera/fast_capture.h"
#include "platform/capture_device.h"

#include <QColor>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class CameraWindow;

class Camera : public QObject {
    Q_OBJECT
public:
    // `mainWindow` owns the camera window, which stays in front of it.
    Camera(AppState& state, const CropServices& services, CaptureDeviceMaker makeDevice,
           QWidget* mainWindow);
    ~Camera() override;

    // The toolbar's and the menu's 拍摄: opens the window, or brings it forward.
    void openCameraWindow();
    CameraWindow* windowForTest() const;
    FastCapture& fastCaptureForTest() { return fast_; }

    // The frame panel changed the frame's width or height, both by a drag, or its colour.
    void followFrameWidth();
    void followFrameHeight();
    void followFrameDrag(bool width, bool height);
    void recolourPreviewFrame(const QColor& colour);
    // The frame panel's JPEG limit changed: fast capture keeps it by its rule.
    void keepJpegLimit(const QString& limitText) { fast_.keepJpegLimit(limitText); }

    // Batch crop is starting: the camera window and the fast-capture settings
    // window close, and fast capture is off.
    void closeForBatchCrop();
    // The main window is closing: the preview stops and the windows go.
    void shutdown();

    // The shoot button, in either mode.
    void shoot();

private:
    void onFastCaptureClicked(bool on);
    void onWindowClosing();
    void normalShot();
    void followFrameSide(void (CameraWindow::*follow)(), KeptBoxes box);
    void followFrameType();
    void closeCameraWindows();

    AppState& state_;
    CropServices services_;
    CaptureDeviceMaker makeDevice_;
    QWidget* mainWindow_;
    std::unique_ptr<CaptureDevice> device_;
    QPointer<CameraWindow> window_;
    FastCapture fast_;
};
