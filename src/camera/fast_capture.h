#pragma once
// Fast capture: the camera window as a photo booth. Each shot is cropped to
// the preview frame, encoded, named by the fast-capture scheme and written
// into the fast-capture folder at once; the main window's picture is not
// touched. This object holds the mode's settings window, switching the mode
// on and off, and the shot itself.
#include "state/app_state.h"
#include "naming/crop_services.h"
#include "camera/fast_capture_settings_window.h"
#include "workspace/kept_frame_boxes.h"

#include <QImage>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

inline const QString kKeepFastSettingsQuestion = QStringLiteral("是否沿用之前的速拍设置？");
inline const QString kFastFolderUnsetMessage = QStringLiteral("批量速拍图片保存目录尚未设置，请先设置。");
inline const QString kFastFolderMissingMessage = QStringLiteral("批量速拍图片保存目录不存在，请重新设置。");

class FastCapture : public QObject {
    Q_OBJECT
public:
    FastCapture(AppState& state, const CropServices& services, QObject* parent = nullptr);
    ~FastCapture() override;

    // Opens 批量速拍设置, modal, over `parent`; an open one comes to the front.
    void openFastSettings(QWidget* parent);
    void closeSettingsWindow();
    FastCaptureSettingsWindow* settingsWindowForTest() const { return settingsWindow_; }

    // The camera window's check box: the mode's own steps (the question
    // about kept settings, the kept sizes, the name list). Placing the
    // preview frame is the camera window's.
    void setFastCapture(bool on, QWidget* cameraWindow);

    // One shot; `grab` gives the pixels under the preview frame. Returns the
    // file written, or the empty text when nothing was written.
    QString fastShot(const std::function<QImage()>& grab, QWidget* cameraWindow);

    // The frame panel's box texts go into the kept settings, when they are
    // kept; JPG体积 only for JPEG output.
    void keepFrameBoxes(KeptBoxes boxes);
    // The frame panel's JPEG limit changed: kept while fast capture is on.
    void keepJpegLimit(const QString& limitText);

private:
    void onSettingsConfirmed();
    void restoreKeptSizes();

    AppState& state_;
    CropServices services_;
    QPointer<FastCaptureSettingsWindow> settingsWindow_;
};
