#include "camera/camera_preview.h"

#include <QPainter>

CameraPreview::CameraPreview(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted here; nothing of the parent needs to show through.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CameraPreview::showFrame(const QImage& frame)
{
    frame_ = frame;
    stale_ = true;
    update();
}

void CameraPreview::clear()
{
    frame_ = QImage();
    shown_ = QImage();
    stale_ = false;
    update();
}

const QImage& CameraPreview::shownPicture()
{
    // Scaled when it is needed, so that pictures that come faster than the
    // screen is painted cost nothing.
    if (stale_) {
        stale_ = false;
        shown_ = frame_.isNull() || width() <= 0 || height() <= 0
                     ? QImage()
                     : frame_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB32);
    }
    return shown_;
}

QImage CameraPreview::pixelsIn(const QRect& area, const QColor& background)
{
    QImage pixels(area.size(), QImage::Format_RGB32);
    pixels.fill(background);
    const QImage& shown = shownPicture();
    const QRect inside = area & shown.rect();
    if (!inside.isEmpty()) {
        QPainter painter(&pixels);
        painter.drawImage(inside.topLeft() - area.topLeft(), shown, inside);
    }
    return pixels;
}

void CameraPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& shown = shownPicture();
    if (shown.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.drawImage(QPoint(0, 0), shown);
}

void CameraPreview::resizeEvent(QResizeEvent*)
{
    stale_ = !frame_.isNull();
}
