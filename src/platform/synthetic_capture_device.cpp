#include "platform/synthetic_capture_device.h"


#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr QSize kTestPictureSize(640, 480);
constexpr int kFrameIntervalMs = 33;
constexpr double kFrameRate = 30;
constexpr int kDiscRadius = 40;
constexpr int kDiscStep = 4; // pixels per frame

// Back and forth between 0 and span, step pixels per frame.
int bouncing(int frameNumber, int step, int span)
{
    const int travelled = int((qint64(frameNumber) * step) % (2 * span));
    return travelled <= span ? travelled : 2 * span - travelled;
}

} // namespace

SyntheticCameraRequest ParseSyntheticCameraSetting(const QString& value)
{
    if (value.isEmpty() || value == QLatin1String("0"))
        return {};
    if (value == QLatin1String("1"))
        return {SyntheticCameraRequest::Kind::Moving, {}};
    return {SyntheticCameraRequest::Kind::Still, value};
}

QImage SyntheticTestPicture(int frameNumber)
{
    QImage picture(kTestPictureSize, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, kTestPictureSize.width(), kTestPictureSize.height());
    gradient.setColorAt(0, QColor(30, 60, 150));
    gradient.setColorAt(1, QColor(220, 200, 120));
    painter.fillRect(picture.rect(), gradient);

    const int w = kTestPictureSize.width();
    const int h = kTestPictureSize.height();
    const int x = kDiscRadius + bouncing(frameNumber, kDiscStep, w - 2 * kDiscRadius);
    const int y = kDiscRadius + bouncing(frameNumber, kDiscStep / 2, h - 2 * kDiscRadius);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 40, 40));
    painter.drawEllipse(QPoint(x, y), kDiscRadius, kDiscRadius);

    QFont font = painter.font();
    font.setPixelSize(32);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(16, 16, w - 32, 48), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::number(frameNumber));
    return picture;
}

SyntheticCaptureDevice::SyntheticCaptureDevice(const QString& name, const QImage& still, QObject* parent)
    : CaptureDevice(parent), name_(name), still_(still.convertToFormat(QImage::Format_RGB32))
{
    timer_.setInterval(kFrameIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        showFrame(frameNumber_ + 1);
        emit frameArrived(frame_);
    });
}

QStringList SyntheticCaptureDevice::deviceNames() const { return {name_}; }

bool SyntheticCaptureDevice::connectDevice(int n)
{
    if (n != 1)
        return false;
    if (!connected_) {
        connected_ = true;
        // A picture is there at once, as a camera's first frame would be.
        showFrame(0);
        updateTimer();
    }
    return true;
}

int SyntheticCaptureDevice::currentDevice() const { return connected_ ? 1 : -1; }

void SyntheticCaptureDevice::setPreview(bool on)
{
    preview_ = on;
    updateTimer();
}

bool SyntheticCaptureDevice::previewOn() const { return preview_; }

QList<CaptureFormat> SyntheticCaptureDevice::formats() const
{
    if (!connected_)
        return {};
    const QSize size = still_.isNull() ? kTestPictureSize : still_.size();
    return {CaptureFormat{size, kFrameRate, kFrameRate}};
}

int SyntheticCaptureDevice::currentFormat() const { return connected_ ? 0 : -1; }

bool SyntheticCaptureDevice::chooseFormat(int index) { return connected_ && index == 0; }

QImage SyntheticCaptureDevice::currentFrame() const { return frame_; }

void SyntheticCaptureDevice::release()
{
    connected_ = false;
    frame_ = QImage();
    updateTimer();
}

void SyntheticCaptureDevice::showFrame(int frameNumber)
{
    frameNumber_ = frameNumber;
    frame_ = still_.isNull() ? SyntheticTestPicture(frameNumber) : still_;
}

void SyntheticCaptureDevice::updateTimer()
{
    if (connected_ && preview_)
        timer_.start();
    else
        timer_.stop();
}
