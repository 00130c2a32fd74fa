#pragma once
// A capture device the test drives: its devices, the picture each one gives,
// which of them refuse to connect, pictures on demand and an unplugging.
#include "platform/capture_device.h"

#include <QSet>

class FakeCaptureDevice final : public CaptureDevice {
public:
    QStringList deviceNames() const override { return names; }

    bool connectDevice(int n) override
    {
        ++connectCalls;
        if (n < 1 || n > names.size() || refusing.contains(n))
            return false;
        connected = n;
        frame = pictures.value(n - 1);
        return true;
    }
    int currentDevice() const override { return connected; }
    void setPreview(bool on) override { preview = on; }
    bool previewOn() const override { return preview; }
    QList<CaptureFormat> formats() const override { return connected >= 1 ? formatList : QList<CaptureFormat>{}; }
    int currentFormat() const override { return connected >= 1 ? format : -1; }
    bool chooseFormat(int index) override
    {
        if (connected < 1 || index < 0 || index >= formatList.size())
            return false;
        format = index;
        frame = formatPictures.value(index, frame);
        return true;
    }
    QImage currentFrame() const override { return frame; }
    void release() override
    {
        ++releaseCalls;
        connected = -1;
        frame = QImage();
    }

    // A new picture from the connected device.
    void deliver(const QImage& picture)
    {
        frame = picture;
        emit frameArrived(frame);
    }
    // The connected device is unplugged.
    void unplug()
    {
        connected = -1;
        frame = QImage();
        emit deviceLost();
    }

    QStringList names;
    QList<QImage> pictures;     // what each device shows when connected
    QSet<int> refusing;         // device numbers that fail to connect (in use elsewhere)
    QList<CaptureFormat> formatList;
    QList<QImage> formatPictures; // the picture after choosing each format
    int connected = -1;
    int format = 0;
    bool preview = false;
    QImage frame;
    int connectCalls = 0;
    int releaseCalls = 0;
};
