#include "camera/fast_capture.h"

#include "naming/kept_settings.h"
#include "naming/name_list_checks.h"
#include "naming/name_prompt.h"
#include "naming/named_crop_save.h"
#include "platform/dialogs.h"
#include "state/settings.h"
#include "workspace/kept_frame_boxes.h"

#include <QFileInfo>
#include <QWidget>

FastCapture::FastCapture(AppState& state, const CropServices& services, QObject* parent)
    : QObject(parent), state_(state), services_(services)
{
}

FastCapture::~FastCapture()
{
    closeSettingsWindow();
}

void FastCapture::openFastSettings(QWidget* parent)
{
    if (settingsWindow_) {
        settingsWindow_->raise();
        settingsWindow_->activateWindow();
        return;
    }
    CameraState& camera = state_.camera;
    auto* w = new FastCaptureSettingsWindow(camera.fast, services_.dialogs, services_.nameList, state_.nameList,
                                            parent);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::ApplicationModal);
    connect(w, &FastCaptureSettingsWindow::confirmed, this, &FastCapture::onSettingsConfirmed);
    connect(w, &QObject::destroyed, this, [this] { state_.camera.fastSettingsOpen = false; });
    camera.fastSettingsOpen = true;
    settingsWindow_ = w;
    w->show();
}

void FastCapture::closeSettingsWindow()
{
    if (settingsWindow_)
        delete settingsWindow_.data();
    state_.camera.fastSettingsOpen = false;
}

void FastCapture::onSettingsConfirmed()
{
    CameraState& camera = state_.camera;
    FastCaptureSettings& fast = camera.fast;
    camera.fastCaptureOn = true;
    fast.keepFastSettings = settingsWindow_ && settingsWindow_->keepSettingsTicked();
    const FrameBoxTexts boxes{services_.frame.boxText(FrameBox::Width), services_.frame.boxText(FrameBox::Height),
                              services_.frame.boxText(FrameBox::JpegSize)};
    WriteSettings(state_.main.settingsFolder, kFastSection, FastSettingsToKeep(fast, fast.keepFastSettings, boxes));
    if (FastNamingModeOf(fast.fastNamingMode) == NamingMode::SpreadsheetCell) {
        if (state_.nameList.windowOpen)
            services_.nameList.wordFor(NameListContext::Shot);
        else
            services_.nameList.open(NameListContext::Shot);
    }
    if (settingsWindow_)
        settingsWindow_->accept();
}

void FastCapture::setFastCapture(bool on, QWidget* cameraWindow)
{
    CameraState& camera = state_.camera;
    if (!on) {
        camera.fastCaptureOn = false;
        if (state_.nameList.windowOpen)
            services_.nameList.closeAndReset();
        return;
    }
    camera.fastCaptureOn = true;
    if (camera.fast.keepFastSettings && !camera.fastSettingsAsked) {
        const MessageAnswer answer = services_.dialogs.showMessage(
            QStringLiteral("询问："), kKeepFastSettingsQuestion, MessageIcon::Question, MessageButtons::YesNo);
        // Asked once per run, whatever the answer.
        camera.fastSettingsAsked = true;
        if (answer == MessageAnswer::Yes)
            restoreKeptSizes();
        else
            openFastSettings(cameraWindow);
    } else {
        keepFrameBoxes({true, true, true});
    }
    camera.fastSettingsAsked = true;
}

void FastCapture::restoreKeptSizes()
{
    const FastCaptureSettings& fast = state_.camera.fast;
    RestoreKeptFrameBoxes(services_.frame, state_.main.settingsFolder, kFastSection,
                          fast.fastExtension == kDefaultExtension);
    if (FastNamingModeOf(fast.fastNamingMode) == NamingMode::SpreadsheetCell && !state_.nameList.windowOpen)
        services_.nameList.open(NameListContext::Shot);
}

void FastCapture::keepFrameBoxes(KeptBoxes boxes)
{
    const FastCaptureSettings& fast = state_.camera.fast;
    if (!fast.keepFastSettings)
        return;
    boxes.jpegSize = boxes.jpegSize && fast.fastExtension == kDefaultExtension;
    WriteKeptFrameBoxes(services_.frame, state_.main.settingsFolder, kFastSection, boxes);
}

void FastCapture::keepJpegLimit(const QString& limitText)
{
    const FastCaptureSettings& fast = state_.camera.fast;
    KeepJpegLimit(state_.main.settingsFolder, kFastSection, state_.camera.fastCaptureOn, fast.keepFastSettings,
                  fast.fastExtension, limitText);
}

QString FastCapture::fastShot(const std::function<QImage()>& grab, QWidget* cameraWindow)
{
    const FastCaptureSettings& fast = state_.camera.fast;
    Dialogs& dialogs = services_.dialogs;
    if (!IsUsableSaveFolder(fast.fastSaveDir)) {
        dialogs.showMessage(QStringLiteral("提示："),
                            fast.fastSaveDir.isEmpty() ? kFastFolderUnsetMessage : kFastFolderMissingMessage,
                            MessageIcon::None, MessageButtons::Ok);
        openFastSettings(cameraWindow);
        return {};
    }
    const NamingMode mode = FastNamingModeOf(fast.fastNamingMode);
    if (mode == NamingMode::SpreadsheetCell &&
        !SpreadsheetNamingReady(state_.nameList, dialogs, services_.nameList, NameListContext::Shot,
                                [this, cameraWindow] { openFastSettings(cameraWindow); }))
        return {};

    NamedCropSave save;
    save.mode = mode;
    save.folder = fast.fastSaveDir;
    save.extension = fast.fastExtension;
    save.customPrefix = fast.fastCustomPrefix;
    if (fast.fastShutterSound)
        save.sound = SoundClip::Shutter;
    save.context = NameListContext::Shot;
    save.promptTitle = kFastPromptTitle;
    save.promptParent = cameraWindow;
    return SaveNamedCrop(services_, state_, grab(), save).value_or(QString());
}
