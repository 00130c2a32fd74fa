#pragma once
// Batch crop mode: a folder of photos cropped one after another. It owns the
// status bar's batch item, the settings window, the start, resume and end of
// a run, navigation over the task file, the navigation keys and the batch
// save. The main window creates it once and hands it what it needs.
#include "state/app_state.h"
#include "naming/crop_services.h"
#include "batch/batch_crop_settings_window.h"
#include "batch/picture_prefetch.h"
#include "batch/task_file.h"

#include <QObject>
#include <QPointer>

class NavigationKeys;
class QCheckBox;
class QWidget;

class BatchCropMode : public QObject {
    Q_OBJECT
public:
    // `window` is the main window (its title and focus); `statusBar` holds
    // the batch item `batchItem`, which this mode alone ticks and unticks.
    BatchCropMode(AppState& state, const CropServices& services, QWidget* window, QWidget* statusBar,
                  QCheckBox* batchItem);
    ~BatchCropMode() override;

    // The status bar's batch item: a left click starts or ends the mode, a
    // right click opens the settings window.
    void enterBatchCrop();
    void resumeBatchCrop();
    enum class Leave { Fully, ForCamera };
    void leaveBatchCrop(Leave how = Leave::Fully);
    // Window-modal from the batch item and a resume; not modal from a save.
    void openSettingsWindow(bool modal = true);

    // Photos another part of the program could not finish (the unattended
    // framing's exceptions), taken as a task of their own: batch crop starts
    // on them at once, from their folder into `saveFolder`, under the naming
    // scheme it has, with the frame at the size the others were saved at.
    void takeTask(const QString& sourceFolder, const QString& saveFolder, const QStringList& names, QSize output);

    // The save command while the mode is on: named by the scheme, no dialog.
    void cropAndSave();

    // One step over the task, as a navigation key does.
    void navigate(NavigationDirection direction);
    void showBatchImage(NavigationDirection direction);

    NavigationKeys& keys() { return *keys_; }
    BatchCropSettingsWindow* settingsWindowForTest() const { return settingsWindow_; }

    // Releases the keys at shutdown.
    void shutdown();

    // The frame panel's JPEG limit changed: a kept run keeps it, for JPEG output.
    void keepJpegLimit(const QString& limitText);

signals:
    // The user ticked the batch item: batch crop is starting, and the camera
    // window must not stay open beside it.
    void entering();
    // A kept run resumes where it stopped (its folders are there): the
    // drawing tools go off.
    void resuming();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onStatusBarMouse(QEvent* event, int x);
    void onSettingsConfirmed();
    void onSettingsWindowClosed();
    void persistSettings(bool keep);
    void startRun();
    bool namingPreconditionsMet();
    void markImageDone();
    QString taskPath() const;
    void setTitle(const QString& title);
    void prefetchAround(int position, const QString& shown);
    void tickItem(bool ticked);

    AppState& state_;
    CropServices services_;
    QWidget* window_;
    QWidget* statusBar_;
    QCheckBox* batchItem_;
    NavigationKeys* keys_;
    QPointer<BatchCropSettingsWindow> settingsWindow_;
    PicturePrefetch prefetch_;
};
