#pragma once
// The video capture devices the camera window works with: the cameras the
// system offers and, on request, a synthetic one for tests and for machines
// without a camera. Devices are numbered from 1 in list order; one device at
// a time is connected. Everything runs on the GUI thread, and no operation
// waits without bound on a camera that is busy or sends no pictures.
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QStringList>

#include <functional>
#include <memory>

// One picture size a device can deliver, with its frame-rate range.
struct CaptureFormat {
    QSize size;
    double minFrameRate = 0;
    double maxFrameRate = 0;

    bool operator==(const CaptureFormat&) const = default;
};

class CaptureDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Display names of the devices, in the order they are numbered.
    virtual QStringList deviceNames() const = 0;
    int deviceCount() const { return int(deviceNames().size()); }

    // Connects device n (from 1) in place of the one connected now. On
    // failure, or for n outside the list, the connection and currentDevice()
    // stay as they were. Asking for the device already connected keeps it.
    virtual bool connectDevice(int n) = 0;
    // The connected device's number; below 1 when none is connected: −1
    // before any connection, after release() and after the device was lost.
    virtual int currentDevice() const = 0;

    // While the preview is on, frameArrived() reports every new picture; off,
    // the pictures stop and currentFrame() keeps the last one. The setting
    // outlasts a change of device.
    virtual void setPreview(bool on) = 0;
    virtual bool previewOn() const = 0;

    // The formats the connected device offers (none when nothing is
    // connected), the index of the one in use (−1 when unknown), and a
    // choice among them. A choice takes effect with the next picture, which
    // chooseFormat() waits for within a bound.
    virtual QList<CaptureFormat> formats() const = 0;
    virtual int currentFormat() const = 0;
    virtual bool chooseFormat(int index) = 0;

    // The latest picture at the device's own resolution, as an opaque RGB32
    // image; null when nothing is connected, and after a failed
    // chooseFormat() until a picture of the new format comes.
    virtual QImage currentFrame() const = 0;

    // Disconnects the device; the preview setting is kept.
    virtual void release() = 0;

signals:
    void frameArrived(const QImage& frame);
    // The connected device went away or failed; it now reads as not connected.
    void deviceLost();
};

// Makes the capture devices of the run when the camera is first wanted.
using CaptureDeviceMaker = std::function<std::unique_ptr<CaptureDevice>()>;
