#include "batch/batch_rules.h"

#include "naming/output_naming.h"
#include "state/app_state.h"
#include "workspace/status_hints.h"

bool InBatchItemRegion(int x, int mainWidth, int ncW)
{
    const int right = mainWidth - ncW;
    return right - 160 <= x && x <= right - 45;
}

QString BatchStatusHint(bool inRegion, bool keysRegistered, bool imageLoaded)
{
    if (inRegion)
        return kBatchItemHint;
    if (keysRegistered)
        return Hint::navigationKeys;
    if (!imageLoaded)
        return kStartHint;
    return {};
}

std::optional<QString> BatchSaveFolderRefusal(const QString& saveFolder)
{
    if (saveFolder.isEmpty())
        return kSaveFolderUnsetMessage;
    if (!IsUsableSaveFolder(saveFolder))
        return kSaveFolderMissingMessage;
    return std::nullopt;
}
