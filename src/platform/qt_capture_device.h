#pragma once
// The system's cameras through Qt Multimedia, optionally followed in the list
// by one more device (the synthetic one), which it then stands in for.
#include "platform/capture_device.h"

#include <QCameraDevice>
#include <QMediaDevices>

#include <memory>

class QCamera;
class QEventLoop;
class QMediaCaptureSession;
class QVideoFrame;
class QVideoSink;

class QtCaptureDevice final : public CaptureDevice {
    Q_OBJECT
public:
    // extra's devices come after the cameras; it may be null.
    explicit QtCaptureDevice(std::unique_ptr<CaptureDevice> extra = nullptr, QObject* parent = nullptr);
    ~QtCaptureDevice() override;

    QStringList deviceNames() const override;
    bool connectDevice(int n) override;
    int currentDevice() const override;
    void setPreview(bool on) override;
    bool previewOn() const override;
    QList<CaptureFormat> formats() const override;
    int currentFormat() const override;
    bool chooseFormat(int index) override;
    QImage currentFrame() const override;
    void release() override;

private:
    struct Camera;

    std::unique_ptr<Camera> openCamera(const QCameraDevice& device);
    bool waitForFrame(Camera& camera);
    Camera* cameraWithSerial(quint64 serial) const;
    void takeFrame(quint64 serial, const QVideoFrame& frame);
    void cameraFailed(quint64 serial);
    void camerasChanged();
    void loseCamera();
    void releaseCamera();
    void releaseExtra();

    std::unique_ptr<CaptureDevice> extra_;
    bool extraConnected_ = false;
    std::unique_ptr<Camera> camera_;
    // The camera connectDevice() is opening, owned by that call.
    Camera* opening_ = nullptr;
    // Every opened camera gets a new serial; late pictures and errors of a
    // camera already let go carry a serial that no longer matches.
    quint64 lastSerial_ = 0;
    // While connectDevice() or chooseFormat() waits for a first picture:
    // the serial of the camera waited for, and the event loop that waits.
    quint64 waitingFor_ = 0;
    QEventLoop* waitLoop_ = nullptr;
    QMediaDevices mediaDevices_;
    bool preview_ = false;
};
