#include "platform/qt_capture_device.h"

#include <QCamera>
#include <QCameraFormat>
#include <QEventLoop>
#include <QMediaCaptureSession>
#include <QPointer>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>

namespace {

// How long connecting or changing the format waits for the first picture.
// A camera held by another program, or one that sends nothing, fails then.
constexpr int kFirstFrameWaitMs = 4000;

CaptureFormat captureFormatOf(const QCameraFormat& format)
{
    return {format.resolution(), double(format.minFrameRate()), double(format.maxFrameRate())};
}

} // namespace

// One opened camera. The session goes first when it is destroyed, so that it
// lets go of the camera and the sink before they go.
struct QtCaptureDevice::Camera {
    quint64 serial = 0;
    QCameraDevice device;
    // The device's formats without repeats (the same size and rates in
    // several pixel encodings count once), with the Qt format behind each.
    QList<CaptureFormat> formats;
    QList<QCameraFormat> qtFormats;
    std::unique_ptr<QVideoSink> sink;
    std::unique_ptr<QCamera> camera;
    std::unique_ptr<QMediaCaptureSession> session;
    QImage frame;
    // While waiting after a format change: the size the next picture must have.
    QSize awaitedSize;
    bool failed = false;
};

QtCaptureDevice::QtCaptureDevice(std::unique_ptr<CaptureDevice> extra, QObject* parent)
    : CaptureDevice(parent), extra_(std::move(extra))
{
    connect(&mediaDevices_, &QMediaDevices::videoInputsChanged, this, &QtCaptureDevice::camerasChanged);
    if (extra_) {
        connect(extra_.get(), &CaptureDevice::frameArrived, this, &CaptureDevice::frameArrived);
        connect(extra_.get(), &CaptureDevice::deviceLost, this, [this] {
            extraConnected_ = false;
            emit deviceLost();
        });
    }
}

QtCaptureDevice::~QtCaptureDevice()
{
    // Destroyed while connectDevice() or chooseFormat() waits further up the
    // stack: that wait must end, and it notices that this object is gone.
    if (waitLoop_)
        waitLoop_->quit();
}

QStringList QtCaptureDevice::deviceNames() const
{
    QStringList names;
    for (const QCameraDevice& device : QMediaDevices::videoInputs())
        names.append(device.description());
    if (extra_)
        names.append(extra_->deviceNames());
    return names;
}

bool QtCaptureDevice::connectDevice(int n)
{
    const QList<QCameraDevice> cameras = QMediaDevices::videoInputs();
    const int cameraCount = int(cameras.size());
    const int total = cameraCount + (extra_ ? extra_->deviceCount() : 0);
    if (n < 1 || n > total || waitLoop_)
        return false;
    if (n == currentDevice())
        return true;

    if (n > cameraCount) {
        if (!extra_->connectDevice(n - cameraCount))
            return false;
        releaseCamera();
        extraConnected_ = true;
        return true;
    }

    QPointer<QtCaptureDevice> self(this);
    std::unique_ptr<Camera> camera = openCamera(cameras[n - 1]);
    const bool started = waitForFrame(*camera);
    if (!self)
        return false;
    opening_ = nullptr;
    if (!started)
        return false;
    releaseExtra();
    releaseCamera();
    camera_ = std::move(camera);
    if (!preview_)
        camera_->camera->stop();
    return true;
}

int QtCaptureDevice::currentDevice() const
{
    if (extraConnected_) {
        const int extraDevice = extra_->currentDevice();
        return extraDevice < 1 ? -1 : int(QMediaDevices::videoInputs().size()) + extraDevice;
    }
    if (camera_) {
        const QList<QCameraDevice> cameras = QMediaDevices::videoInputs();
        for (int i = 0; i < cameras.size(); ++i) {
            if (cameras[i].id() == camera_->device.id())
                return i + 1;
        }
    }
    return -1;
}

void QtCaptureDevice::setPreview(bool on)
{
    preview_ = on;
    if (extra_)
        extra_->setPreview(on);
    if (camera_ && waitingFor_ != camera_->serial) {
        if (on)
            camera_->camera->start();
        else
            camera_->camera->stop();
    }
}

bool QtCaptureDevice::previewOn() const { return preview_; }

QList<CaptureFormat> QtCaptureDevice::formats() const
{
    if (extraConnected_)
        return extra_->formats();
    return camera_ ? camera_->formats : QList<CaptureFormat>();
}

int QtCaptureDevice::currentFormat() const
{
    if (extraConnected_)
        return extra_->currentFormat();
    if (!camera_)
        return -1;
    const QCameraFormat inUse = camera_->camera->cameraFormat();
    if (!inUse.isNull())
        return int(camera_->formats.indexOf(captureFormatOf(inUse)));
    // The backend chose the format itself: the picture size tells which.
    for (int i = 0; i < camera_->formats.size(); ++i) {
        if (camera_->formats[i].size == camera_->frame.size())
            return i;
    }
    return -1;
}

bool QtCaptureDevice::chooseFormat(int index)
{
    if (extraConnected_)
        return extra_->chooseFormat(index);
    if (!camera_ || index < 0 || index >= camera_->formats.size() || waitLoop_)
        return false;
    Camera& camera = *camera_;
    camera.camera->setCameraFormat(camera.qtFormats[index]);
    camera.frame = QImage();
    camera.awaitedSize = camera.formats[index].size;
    QPointer<QtCaptureDevice> self(this);
    const bool ok = waitForFrame(camera);
    if (!self)
        return false;
    camera.awaitedSize = QSize();
    if (camera.failed) {
        loseCamera();
        return false;
    }
    if (!preview_)
        camera.camera->stop();
    return ok;
}

QImage QtCaptureDevice::currentFrame() const
{
    if (extraConnected_)
        return extra_->currentFrame();
    return camera_ ? camera_->frame : QImage();
}

void QtCaptureDevice::release()
{
    releaseExtra();
    releaseCamera();
}

std::unique_ptr<QtCaptureDevice::Camera> QtCaptureDevice::openCamera(const QCameraDevice& device)
{
    auto camera = std::make_unique<Camera>();
    camera->serial = ++lastSerial_;
    camera->device = device;
    for (const QCameraFormat& format : device.videoFormats()) {
        const CaptureFormat plain = captureFormatOf(format);
        if (!camera->formats.contains(plain)) {
            camera->formats.append(plain);
            camera->qtFormats.append(format);
        }
    }
    camera->sink = std::make_unique<QVideoSink>();
    camera->camera = std::make_unique<QCamera>(device);
    camera->session = std::make_unique<QMediaCaptureSession>();
    camera->session->setCamera(camera->camera.get());
    camera->session->setVideoSink(camera->sink.get());

    // Queued, whichever thread the backend emits from: a picture or an error
    // is handled after the emitting call has returned, so handling it may
    // destroy the camera.
    const quint64 serial = camera->serial;
    connect(camera->sink.get(), &QVideoSink::videoFrameChanged, this,
            [this, serial](const QVideoFrame& frame) { takeFrame(serial, frame); }, Qt::QueuedConnection);
    connect(camera->camera.get(), &QCamera::errorOccurred, this, [this, serial] { cameraFailed(serial); },
            Qt::QueuedConnection);
    opening_ = camera.get();
    return camera;
}

bool QtCaptureDevice::waitForFrame(Camera& camera)
{
    QEventLoop loop;
    waitLoop_ = &loop;
    waitingFor_ = camera.serial;
    QTimer::singleShot(kFirstFrameWaitMs, &loop, &QEventLoop::quit);
    camera.camera->start();
    if (camera.camera->error() != QCamera::NoError)
        camera.failed = true;
    QPointer<QtCaptureDevice> self(this);
    if (camera.frame.isNull() && !camera.failed)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!self)
        return false;
    waitLoop_ = nullptr;
    waitingFor_ = 0;
    return !camera.frame.isNull() && !camera.failed;
}

QtCaptureDevice::Camera* QtCaptureDevice::cameraWithSerial(quint64 serial) const
{
    if (camera_ && camera_->serial == serial)
        return camera_.get();
    if (opening_ && opening_->serial == serial)
        return opening_;
    return nullptr;
}

void QtCaptureDevice::takeFrame(quint64 serial, const QVideoFrame& frame)
{
    Camera* camera = cameraWithSerial(serial);
    if (!camera || !frame.isValid())
        return;
    const QImage image = frame.toImage();
    if (image.isNull())
        return;
    camera->frame = image.convertToFormat(QImage::Format_RGB32);
    if (waitLoop_ && waitingFor_ == serial &&
        (camera->awaitedSize.isEmpty() || camera->awaitedSize == camera->frame.size()))
        waitLoop_->quit();
    if (camera == camera_.get() && preview_)
        emit frameArrived(camera->frame);
}

void QtCaptureDevice::cameraFailed(quint64 serial)
{
    Camera* camera = cameraWithSerial(serial);
    if (!camera)
        return;
    camera->failed = true;
    if (waitLoop_ && waitingFor_ == serial)
        waitLoop_->quit();
    else if (camera == camera_.get())
        loseCamera();
}

void QtCaptureDevice::camerasChanged()
{
    if (!camera_ || waitingFor_ == camera_->serial)
        return;
    for (const QCameraDevice& device : QMediaDevices::videoInputs()) {
        if (device.id() == camera_->device.id())
            return;
    }
    loseCamera();
}

void QtCaptureDevice::loseCamera()
{
    releaseCamera();
    emit deviceLost();
}

void QtCaptureDevice::releaseCamera()
{
    if (camera_)
        camera_->camera->stop();
    camera_.reset();
}

void QtCaptureDevice::releaseExtra()
{
    if (extraConnected_)
        extra_->release();
    extraConnected_ = false;
}
