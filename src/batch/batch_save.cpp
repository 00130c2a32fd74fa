// Batch crop mode: the save command. The crop is named by the batch scheme
// and written without a dialog; the task image is marked cropped.
#include "batch/batch_crop_mode.h"

#include "state/program_texts.h"
#include "batch/batch_rules.h"
#include "batch/navigation_keys.h"
#include "naming/name_list_checks.h"
#include "naming/name_prompt.h"
#include "naming/name_prompt_window.h"
#include "naming/named_crop_save.h"
#include "platform/dialogs.h"
#include "workspace/picture_host.h"

#include <QDir>
#include <QFileInfo>

void BatchCropMode::cropAndSave()
{
    // A run can go on without its save folder (a hand-edited settings file, a
    // resume whose settings window was closed): nothing is written, and the
    // user is told with the resume's texts.
    if (const std::optional<QString> refused = BatchSaveFolderRefusal(state_.batch.settings.saveFolder)) {
        services_.dialogs.showMessage(QStringLiteral("提示："), *refused, MessageIcon::None, MessageButtons::Ok);
        openSettingsWindow(false);
        return;
    }
    keys_->restoreNavigationKeys();
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

    NamedCropSave save;
    save.mode = mode;
    save.folder = s.saveFolder;
    save.extension = s.outputExtension;
    save.customPrefix = s.customPrefix;
    save.sourceName = state_.import.imageOrigin == ImageOrigin::UserFile
                          ? QFileInfo(state_.import.userFilePath).fileName()
                          : state_.batch.task.currentName;
    save.sourcePath = state_.import.imageOrigin == ImageOrigin::UserFile
                          ? state_.import.userFilePath
                          : QDir(s.sourceFolder).filePath(state_.batch.task.currentName);
    if (s.cropSound)
        save.sound = SoundClip::Crop;
    save.context = NameListContext::Crop;
    save.promptTitle = kBatchPromptTitle;
    save.promptParent = window_;
    save.written = [this] {
        if (state_.batch.task.imageCount > 0)
            markImageDone();
    };
    // Typing the name must reach the prompt, not the navigation keys.
    save.prompting = [this](NamePromptWindow* prompt) {
        keys_->releaseNavigationKeys();
        connect(prompt, &QDialog::finished, this, [this] { keys_->restoreNavigationKeys(); });
    };
    SaveNamedCrop(services_, state_, services_.host.captureFrame(), save);
}

// The spreadsheet scheme needs an open name list with a selected name.
bool BatchCropMode::namingPreconditionsMet()
{
    return SpreadsheetNamingReady(state_.nameList, services_.dialogs, services_.nameList, NameListContext::Crop,
                                  [this] { openSettingsWindow(false); });
}

void BatchCropMode::markImageDone()
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
