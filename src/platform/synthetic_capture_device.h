#pragma once
// A capture device that needs no camera: a moving test picture or a still
// picture from a file, delivered at about 30 frames a second by a timer on
// the GUI thread. It serves the tests and machines without a camera.
#include "platform/capture_device.h"

#include <QTimer>

#include <memory>

// What the environment variable IDPHOTO_SYNTHETIC_CAMERA asks for: nothing
// when it is unset, empty or "0"; the moving test picture for "1"; any other
// value is the path of a picture to show.
struct SyntheticCameraRequest {
    enum class Kind { None, Moving, Still };
    Kind kind = Kind::None;
    QString path;

    bool operator==(const SyntheticCameraRequest&) const = default;
};

SyntheticCameraRequest ParseSyntheticCameraSetting(const QString& value);

// The moving test picture, 640 × 480: a colour gradient, a disc that travels
// across it and the frame number. The same number always gives the same
// picture.
QImage SyntheticTestPicture(int frameNumber);

class SyntheticCaptureDevice final : public CaptureDevice {
    Q_OBJECT
public:
    // The one device, named name, shows still when it is a picture and the
    // moving test picture when still is null.
    SyntheticCaptureDevice(const QString& name, const QImage& still, QObject* parent = nullptr);

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
    void showFrame(int frameNumber);
    void updateTimer();

    QString name_;
    QImage still_;
    QTimer timer_;
    bool connected_ = false;
    bool preview_ = false;
    int frameNumber_ = 0;
    QImage frame_;
};
