#pragma once
// 摄像预览: the live picture of the capture device with a copy of the
// capture frame on it (the preview frame), the device buttons and the shoot
// button. The window sizes itself for the frame and snaps back to the
// device's aspect when the user resizes it. What a shot does is its owner's:
// the window only tells that the shoot button was pressed. In fast capture
// with 打开图片时自动取景 ticked, the preview frame follows the face (FaceFollow).
#include "state/app_state.h"
#include "camera/camera_geometry.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <array>
#include <memory>

class CameraPreview;
class CaptureDevice;
class Dialogs;
class FaceFollow;
class MoveButtons;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

inline const QString kCameraWindowTitle = QStringLiteral("摄像预览");
inline const QString kShootCaption = QStringLiteral("拍 照");
inline const QString kRetryCaption = QStringLiteral("重 试");

class CameraWindow : public QWidget {
    Q_OBJECT
public:
    // `owner` is the main window: the camera window stays in front of it.
    CameraWindow(AppState& state, CaptureDevice& device, Dialogs& dialogs, const QColor& frameColour,
                 QWidget* owner);
    ~CameraWindow() override;

    // The creation steps: connects the chosen device (or the last one), fits
    // the window to the frame and places it 100 right of and 60 below `mainCorner`.
    void start(QPoint mainCorner);

    // A device is connected: the caption reads "拍 照".
    bool connected() const;

    // Sizes the window for the current frame and returns the preview size.
    PreviewSize fitCameraToFrame();
    // After the frame's width, its height, or both changed.
    void followFrameWidth();
    void followFrameHeight();
    void followFrameType();
    void recolourPreviewFrame(const QColor& colour);

    void centrePreviewFrame(PreviewSize preview);
    void placePreviewFrame();
    // Re-reads the device's aspect from its current picture.
    void measureDeviceAspect();
    // The resize rule, run also when the size did not change.
    void applyResizeRule();

    // Shows or hides what fast capture adds: the four bars, the settings
    // button and the move buttons; the check box is ticked to match.
    void showFastUnits(bool shown);

    // The preview's pixels under the preview frame, W × H; what lies outside
    // the live picture is the window's background colour.
    QImage framedPixels();
    // The device's latest picture at its own resolution.
    QImage deviceFrame() const;

    PreviewSize previewSize() const;

    // Fast capture was switched on: the preview frame follows the face
    // again, if the user had moved it.
    void followFaceAfresh();
    const FaceFollow& faceFollowForTest() const { return *follow_; }

signals:
    void shootRequested();                 // "拍 照" was pressed
    void fastCaptureClicked(bool ticked);  // the fast-capture check box
    void fastSettingsRequested();          // "速拍设置"
    void closing();                        // the window is about to go

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createUnits();
    void bindEvents();
    void layoutUnits(PreviewSize preview);
    void resizeToPreview(PreviewSize preview, bool storeSize);
    void followFrameSide(PreviewSize preview);
    void showConnected(bool connected);
    void connectChosenDevice();
    void retry();
    void onShootClicked();
    void onDeviceSettings();
    void onVideoFormat();
    void afterDeviceDialog();
    void onDeviceLost();
    bool dragBar(QEvent* event);
    void endDrag();
    void tearDown();
    void followFace(const QImage& picture);

    AppState& state_;
    CameraState& camera_;
    CaptureDevice& device_;
    Dialogs& dialogs_;
    QColor frameColour_;
    bool tornDown_ = false;

    QGroupBox* group_ = nullptr;            // 摄像分组框
    CameraPreview* preview_ = nullptr;      // 视频设备1
    QWidget* framePanel_ = nullptr;         // 拍图画板
    std::array<QLabel*, 4> bars_{};         // 拍图框上/下/左/右标签
    std::array<QPushButton*, 4> moveButtons_{}; // 拍图上/下/左/右移按钮
    MoveButtons* moves_ = nullptr;          // with 拍图时钟
    QPushButton* deviceButton_ = nullptr;   // 设备参数按钮
    QPushButton* formatButton_ = nullptr;   // 视频格式按钮
    QPushButton* fastSettingsButton_ = nullptr; // 速拍设置按钮
    QPushButton* shootButton_ = nullptr;    // 拍照按钮
    QCheckBox* fastBox_ = nullptr;          // 启用速拍选择框
    QLabel* heading_ = nullptr;             // 标签1
    QLabel* reasons_ = nullptr;             // 标签2
    std::unique_ptr<FaceFollow> follow_;
};
