// Batch crop mode: the save command. The crop is named by the batch scheme
// and written without a dialog; the task image is marked cropped.
#include "batch/batch_crop_mode.h"

#include "state/program_texts.h"
#include "workspace/picture_host.h"
#include "batch/batch_rules.h"
#include "batch/navigation_keys.h"
#include "imaging/encode_crop.h"
#include "naming/crop_sources.h"
#include "naming/name_list_checks.h"
#include "naming/name_list_seam.h"
#include "naming/name_prompt_window.h"
#include "naming/output_naming.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/sound_player.h"
#include "platform/wait_cursor.h"
#include "workspace/crop_and_save.h"

#include <QDir>
#include <QFileInfo>

void BatchCropMode::CropAndSave()
{
    // A run can go on without its save folder (a hand-edited settings file, a
    // resume whose settings window was closed): the crop would land in the
    // working folder. Refused as the resume refuses it.
    if (const std::optional<QString> refused = BatchSaveFolderRefusal(state_.batch.settings.saveFolder)) {
        services_.dialogs.showMessage(QStringLiteral("提示："), *refused, MessageIcon::None, MessageButtons::Ok);
        openSettingsWindow();
        return;
    }
    keys_->RestoreNavigationKeys();
    Dialogs& dialogs = services_.dialogs;
    // A lost image or none yet: there is nothing to save, and a blank frame
    // must not be written or marked as the image's crop.
    if (!state_.view.imageLoaded) {
        dialogs.showMessage(QStringLiteral("提示"), kNoPictureMessage, MessageIcon::Information, MessageButtons::Ok);
        services_.host.focusView();
        return;
    }
    const BatchCropSettings& s = state_.batch.settings;
    const NamingMode mode = BatchNamingModeOf(s.namingText);
    if (mode == NamingMode::SpreadsheetCell && !namingPreconditionsMet())
        return;

    NamingInputs in;
    in.mode = mode;
    in.folder = s.saveFolder;
    in.extension = s.outputExtension;
    in.customPrefix = s.customPrefix;
    in.selectedName = state_.nameList.selectedName;
    in.sourceName = state_.import.imageOrigin == ImageOrigin::UserFile
                        ? QFileInfo(state_.import.userFilePath).fileName()
                        : state_.batch.task.currentName;
    in.sourcePath = state_.import.imageOrigin == ImageOrigin::UserFile
                        ? state_.import.userFilePath
                        : QDir(s.sourceFolder).filePath(state_.batch.task.currentName);
    const QString cropSourcesPath = CropSourcesPath(state_.main.settingsFolder);
    if (mode == NamingMode::SameAsSource)
        in.cropSources = ReadCropSources(cropSourcesPath);
    in.now = services_.clock.now();
    in.temporaryFile = PromptTemporaryPath(state_.main.settingsFolder, s.outputExtension);
    const QString path = ComposeOutputPath(in);

    WaitCursor wait;
    if (s.cropSound)
        services_.sound.play(SoundClip::Crop);
    const SavedCrop saved = SaveCapture(services_.host.captureFrame(), path, LowerCaseExtension(s.outputExtension),
                                        state_.frame.jpegLimitKB);
    wait.end();
    if (!saved.written) {
        // Nothing is marked or named: the image is still to be cropped.
        dialogs.showMessage(QStringLiteral("提示"), kWriteFailedMessage, MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    // Which source made the file, so that no other source named alike replaces it.
    if (mode == NamingMode::SameAsSource)
        RecordCropSource(cropSourcesPath, path, in.sourcePath);
    if (state_.batch.task.imageCount > 0)
        MarkImageDone();
    if (!saved.limitMet)
        dialogs.showMessage(QStringLiteral("提示"), SizeLimitMessage(saved.lastSize), MessageIcon::None,
                            MessageButtons::Ok);
    if (mode == NamingMode::PromptEachTime)
        openNamePrompt(path);
    else if (mode == NamingMode::SpreadsheetCell)
        services_.nameList.advanceRow(NameListContext::Crop);
}

// The spreadsheet scheme needs an open name list with a selected name.
bool BatchCropMode::namingPreconditionsMet()
{
    return SpreadsheetNamingReady(state_.nameList, services_.dialogs, services_.nameList, NameListContext::Crop,
                                  [this] { openSettingsWindow(false); });
}

void BatchCropMode::MarkImageDone()
{
    const BatchTaskState& task = state_.batch.task;
    if (state_.import.imageOrigin == ImageOrigin::BatchTask) {
        MarkTaskImageDone(taskPath(), task.currentPosition);
        setTitle(TaskImageTitle(task.currentName, kCroppedRecord));
    } else {
        // The user's own file: the task is not touched.
        setTitle(TaskImageTitle(QFileInfo(state_.import.userFilePath).fileName(), kCroppedRecord));
    }
}

void BatchCropMode::openNamePrompt(const QString& temporaryFile)
{
    keys_->ReleaseNavigationKeys();
    const BatchCropSettings& s = state_.batch.settings;
    auto* prompt = new NamePromptWindow({kBatchPromptTitle, s.saveFolder, s.outputExtension, temporaryFile},
                                        services_.dialogs, window_);
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    connect(prompt, &QDialog::finished, this, [this] { keys_->RestoreNavigationKeys(); });
    prompt->open();
}
