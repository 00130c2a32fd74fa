// Batch crop mode: the status bar's batch item, the settings window, and the
// start, resume and end of a run.
#include "batch/batch_crop_mode.h"

#include "state/program_texts.h"
#include "batch/batch_crop_settings_window.h"
#include "workspace/picture_host.h"
#include "workspace/kept_frame_boxes.h"
#include "batch/batch_rules.h"
#include "naming/kept_settings.h"
#include "batch/navigation_keys.h"
#include "naming/name_list_seam.h"
#include "naming/output_naming.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>

BatchCropMode::BatchCropMode(AppState& state, const CropServices& services, QWidget* window,
                             QWidget* statusBar, QCheckBox* batchItem)
    : QObject(window), state_(state), services_(services), window_(window), statusBar_(statusBar),
      batchItem_(batchItem), keys_(new NavigationKeys(state.batch, this))
{
    connect(keys_, &NavigationKeys::navigate, this, &BatchCropMode::navigate);
    // The item answers the mouse through this mode only: it never ticks itself.
    statusBar_->installEventFilter(this);
    for (QWidget* part : statusBar_->findChildren<QWidget*>()) {
        part->setMouseTracking(true);
        part->installEventFilter(this);
    }
}

BatchCropMode::~BatchCropMode()
{
    shutdown();
}

void BatchCropMode::shutdown()
{
    keys_->releaseNavigationKeys();
}

bool BatchCropMode::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        auto* part = static_cast<QWidget*>(watched);
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int x = part->mapTo(statusBar_, mouse->position().toPoint()).x();
        onStatusBarMouse(event, x);
        // The check item must not toggle itself on a click.
        return event->type() != QEvent::MouseMove;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void BatchCropMode::onStatusBarMouse(QEvent* event, int x)
{
    const MainWindowState& m = state_.main;
    const bool inRegion = InBatchItemRegion(x, m.mainWidth, m.ncW);
    if (event->type() == QEvent::MouseMove) {
        services_.host.writeStatusHint(
            BatchStatusHint(inRegion, state_.batch.keysRegistered, state_.view.imageLoaded));
        return;
    }
    if (event->type() != QEvent::MouseButtonPress || !inRegion)
        return;
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (button == Qt::LeftButton) {
        if (batchItem_->isChecked())
            leaveBatchCrop();
        else
            enterBatchCrop();
    } else if (button == Qt::RightButton) {
        openSettingsWindow();
    }
}

void BatchCropMode::keepJpegLimit(const QString& limitText)
{
    const BatchCropSettings& s = state_.batch.settings;
    KeepJpegLimit(state_.main.settingsFolder, kBatchSection, state_.batch.batchActive, s.keepSettings,
                  s.outputExtension, limitText);
}

void BatchCropMode::setTitle(const QString& title)
{
    window_->setWindowTitle(title);
}

void BatchCropMode::tickItem(bool ticked)
{
    batchItem_->setChecked(ticked);
}

QString BatchCropMode::taskPath() const
{
    return TaskFilePath(state_.main.settingsFolder);
}

void BatchCropMode::enterBatchCrop()
{
    emit entering();
    tickItem(true);
    if (state_.batch.settings.keepSettings) {
        const MessageAnswer answer = services_.dialogs.showMessage(
            QStringLiteral("询问："), kResumeQuestion, MessageIcon::Question, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes) {
            resumeBatchCrop();
            return;
        }
    }
    openSettingsWindow();
}

void BatchCropMode::resumeBatchCrop()
{
    BatchState& batch = state_.batch;
    const QString folder = state_.main.settingsFolder;
    batch.batchActive = true;
    // A kept run brings back its frame size and JPEG limit.
    RestoreKeptFrameBoxes(services_.frame, folder, kBatchSection,
                          batch.settings.outputExtension == kDefaultExtension);

    const BatchCropSettings& s = batch.settings;
    const auto tell = [this](const QString& text) {
        services_.dialogs.showMessage(QStringLiteral("提示："), text, MessageIcon::None, MessageButtons::Ok);
    };
    if (!QFileInfo(s.sourceFolder).isDir()) {
        tell(kSourceFolderMissingMessage);
        openSettingsWindow();
        return;
    }
    if (const std::optional<QString> refused = BatchSaveFolderRefusal(s.saveFolder)) {
        tell(*refused);
        openSettingsWindow();
        return;
    }
    keys_->registerNavigationKeys();
    emit resuming();
    // The stored list and position are used as they are; the folder is not scanned.
    batch.task.imageCount = StoredImageCount(taskPath());
    showBatchImage(NavigationDirection::Current);
    if (BatchNamingModeOf(s.namingText) == NamingMode::SpreadsheetCell && !state_.nameList.windowOpen)
        services_.nameList.open(NameListContext::Crop);
}

void BatchCropMode::leaveBatchCrop(Leave how)
{
    BatchState& batch = state_.batch;
    batch.batchActive = false;
    tickItem(false);
    setTitle(kMainTitle);
    // The task file stays as it is, for a later resume; the camera keeps the
    // position too.
    if (how == Leave::Fully) {
        batch.task.currentPosition = 0;
        batch.task.imageCount = 0;
    }
    prefetch_.clear();
    keys_->releaseNavigationKeys();
}

void BatchCropMode::openSettingsWindow(bool modal)
{
    if (settingsWindow_) {
        settingsWindow_->raise();
        settingsWindow_->activateWindow();
        return;
    }
    // Typing in the window's boxes must reach the boxes.
    keys_->releaseNavigationKeys();
    auto* w = new BatchCropSettingsWindow(state_.batch, services_.dialogs, services_.nameList, state_.nameList,
                                          window_);
    w->setAttribute(Qt::WA_DeleteOnClose);
    connect(w, &BatchCropSettingsWindow::confirmed, this, &BatchCropMode::onSettingsConfirmed);
    connect(w, &QDialog::finished, this, &BatchCropMode::onSettingsWindowClosed);
    settingsWindow_ = w;
    if (modal)
        w->open();
    else
        w->show();
}

void BatchCropMode::persistSettings(bool keep)
{
    BatchCropSettings& s = state_.batch.settings;
    s.keepSettings = keep;
    const FrameBoxTexts boxes{services_.frame.boxText(FrameBox::Width), services_.frame.boxText(FrameBox::Height),
                              services_.frame.boxText(FrameBox::JpegSize)};
    WriteSettings(state_.main.settingsFolder, kBatchSection, BatchSettingsToKeep(s, keep, boxes));
}

void BatchCropMode::startRun()
{
    BatchTaskState& task = state_.batch.task;
    // A new run may walk another folder.
    prefetch_.clear();
    QFile::remove(taskPath());
    const QStringList names = ScanImageFolder(state_.batch.settings.sourceFolder);
    if (names.isEmpty()) {
        task.imageCount = 0;
        services_.dialogs.showMessage(QStringLiteral("提示"), kNoImagesMessage, MessageIcon::None,
                                      MessageButtons::Ok);
        return;
    }
    CreateTaskFile(taskPath(), names);
    task.imageCount = int(names.size());
    showBatchImage(NavigationDirection::Current);
}

void BatchCropMode::takeTask(const QString& sourceFolder, const QString& saveFolder, const QStringList& names,
                             QSize output)
{
    if (names.isEmpty())
        return;
    emit entering();
    services_.frame.writeBoxText(FrameBox::Width, QString::number(output.width()));
    services_.frame.writeBoxText(FrameBox::Height, QString::number(output.height()));
    BatchState& batch = state_.batch;
    batch.settings.sourceFolder = sourceFolder;
    batch.settings.saveFolder = saveFolder;
    persistSettings(batch.settings.keepSettings);
    prefetch_.clear();
    QFile::remove(taskPath());
    CreateTaskFile(taskPath(), names);
    batch.task.imageCount = int(names.size());
    batch.batchActive = true;
    tickItem(true);
    keys_->registerNavigationKeys();
    showBatchImage(NavigationDirection::Current);
}

void BatchCropMode::onSettingsConfirmed()
{
    BatchState& batch = state_.batch;
    persistSettings(settingsWindow_ && settingsWindow_->keepSettingsTicked());
    startRun();
    if (BatchNamingModeOf(batch.settings.namingText) == NamingMode::SpreadsheetCell) {
        if (state_.nameList.windowOpen)
            services_.nameList.wordFor(NameListContext::Crop);
        else
            services_.nameList.open(NameListContext::Crop);
    }
    batch.batchActive = true;
    tickItem(true);
    keys_->registerNavigationKeys();
    batch.settingsConfirmed = true;
    if (settingsWindow_)
        settingsWindow_->accept();
}

// Every close of the settings window: after OK, by the close box, or otherwise.
void BatchCropMode::onSettingsWindowClosed()
{
    BatchState& batch = state_.batch;
    if (!batch.settingsConfirmed && !batch.batchActive) {
        tickItem(false);
        setTitle(kMainTitle);
        keys_->releaseNavigationKeys();
    }
    if (batch.batchActive)
        keys_->registerNavigationKeys();
    window_->activateWindow();
}
