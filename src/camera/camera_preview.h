#pragma once
// The live picture of the camera window (视频设备1). It paints the device's
// latest picture scaled to its own size, and the pixels it paints are the
// ones a fast shot takes: the program holds exactly the picture the user
// sees, never a grab of the screen.
#include <QColor>
#include <QImage>
#include <QWidget>

class CameraPreview : public QWidget {
    Q_OBJECT
public:
    explicit CameraPreview(QWidget* parent = nullptr);

    // A new picture from the device, at the device's resolution.
    void showFrame(const QImage& frame);
    // No picture: the preview shows the background.
    void clear();

    // The latest picture as the device gave it (null when there is none).
    const QImage& frame() const { return frame_; }
    // The latest picture scaled to the preview's size, as painted (null when
    // there is none).
    const QImage& shownPicture();
    // The painted pixels of `area` (preview coordinates) as an opaque picture
    // of the area's size; what lies outside the picture is `background`.
    QImage pixelsIn(const QRect& area, const QColor& background);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage frame_;
    QImage shown_;
    bool stale_ = false; // shown_ is to be scaled again from frame_
};
