// Batch crop mode: stepping through the task's images.
#include "batch/batch_crop_mode.h"

#include "workspace/picture_host.h"
#include "batch/batch_rules.h"
#include "batch/task_file.h"
#include "platform/dialogs.h"
#include "workspace/auto_framing.h"

#include <QWidget>

// A navigation key. Without a task yet, any key scans the folder and starts
// at its first image.
void BatchCropMode::navigate(NavigationDirection direction)
{
    BatchTaskState& task = state_.batch.task;
    if (task.imageCount > 0) {
        showBatchImage(direction);
        return;
    }
    const QStringList names = ScanImageFolder(state_.batch.settings.sourceFolder);
    if (names.isEmpty())
        return;
    CreateTaskFile(taskPath(), names);
    task.imageCount = int(names.size());
    showBatchImage(NavigationDirection::Current);
}

void BatchCropMode::showBatchImage(NavigationDirection direction)
{
    BatchTaskState& task = state_.batch.task;
    const NavigationStep step =
        StepTask(taskPath(), state_.batch.settings.sourceFolder, direction, task.imageCount);
    const auto tell = [this](const QString& text) {
        services_.dialogs.showMessage(QStringLiteral("提示"), text, MessageIcon::None, MessageButtons::Ok);
    };
    switch (step.outcome) {
    case NavigationStep::Outcome::Nothing:
        return;
    case NavigationStep::Outcome::AtFirst:
        tell(kAtFirstImageMessage);
        return;
    case NavigationStep::Outcome::AtLast:
        tell(kAtLastImageMessage);
        return;
    case NavigationStep::Outcome::Lost:
        // Only a step that moves leaves the user's own file: a refused one
        // keeps it on screen, and its name for the next save.
        state_.import.imageOrigin = ImageOrigin::BatchTask;
        task.currentPosition = step.position;
        task.currentName = step.name;
        // Nothing of the previous image stays to be saved under the lost one's name.
        services_.host.showNoPicture();
        setTitle(TaskImageTitle(step.name, kLostRecord));
        return;
    case NavigationStep::Outcome::Show:
        state_.import.imageOrigin = ImageOrigin::BatchTask;
        task.currentPosition = step.position;
        task.currentName = step.name;
        setTitle(TaskImageTitle(step.name, step.record));
        if (!services_.host.showPictureFile(step.path, prefetch_.take(step.path, services_.host.viewSize())))
            tell(kUnreadableImageMessage);
        prefetchAround(step.position, step.path);
        return;
    }
}

// The images a step may show next are decoded while the user works on this
// one; the shown one is kept for the step back.
void BatchCropMode::prefetchAround(int position, const QString& shown)
{
    const QString& folder = state_.batch.settings.sourceFolder;
    const auto fileAt = [&](int p) {
        if (p < 1 || p > state_.batch.task.imageCount)
            return QString();
        return TaskImageFile(folder, TaskImageAt(taskPath(), p).name);
    };
    // With framing on arrival, the neighbours' heads are found ahead too.
    if (state_.framing.onArrival)
        prefetch_.setPreparation([](DecodedPicture& decoded) { decoded.face = FindHeadOnThisThread(decoded.picture); });
    else
        prefetch_.setPreparation(nullptr);
    prefetch_.keepOnly({shown, fileAt(position + 1), fileAt(position - 1)}, services_.host.viewSize());
}
