#pragma once
// Batch crop mode: a folder of photos cropped one after another. It owns the
// status bar's batch item, the settings window, the start, resume and end of
// a run, navigation over the task file, the navigation keys and the batch
// save. The main window creates it once and hands it what it needs.
#include "state/app_state.h"
#include "batch/batch_crop_settings_window.h"
#include "batch/picture_prefetch.h"
#include "batch/task_file.h"

#include <QObject>
#include <QPointer>

class PictureHost;
class Clock;
class Dialogs;
class NameListSeam;
class NavigationKeys;
class QCheckBox;
class QWidget;
class SoundPlayer;

struct BatchServices {
    Dialogs& dialogs;
    SoundPlayer& sound;
    Clock& clock;
    NameListSeam& nameList;
    PictureHost& host;
};

class BatchCropMode : public QObject {
    Q_OBJECT
public:
    // `window` is the main window (its title and focus); `statusBar` holds
    // the batch item `batchItem`, which this mode alone ticks and unticks.
    BatchCropMode(AppState& state, const BatchServices& services, QWidget* window, QWidget* statusBar,
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

    // The save command while the mode is on: named by the scheme, no dialog.
    void cropAndSave();

    // One step over the task, as a navigation key does.
    void navigate(NavigationDirection direction);
    void showBatchImage(NavigationDirection direction);

    NavigationKeys& keys() { return *keys_; }
    BatchCropSettingsWindow* settingsWindowForTest() const { return settingsWindow_; }

    // Releases the keys at shutdown.
    void shutdown();

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
    void openNamePrompt(const QString& temporaryFile);
    QString taskPath() const;
    void setTitle(const QString& title);
    void prefetchAround(int position, const QString& shown);
    void tickItem(bool ticked);

    AppState& state_;
    BatchServices services_;
    QWidget* window_;
    QWidget* statusBar_;
    QCheckBox* batchItem_;
    NavigationKeys* keys_;
    QPointer<BatchCropSettingsWindow> settingsWindow_;
    PicturePrefetch prefetch_;
};
