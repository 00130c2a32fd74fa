#include "naming/named_crop_save.h"

#include "imaging/encode_crop.h"
#include "naming/crop_sources.h"
#include "naming/name_prompt_window.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "workspace/crop_and_save.h"
#include "workspace/output_resolution.h"

std::optional<QString> SaveNamedCrop(const CropServices& services, const AppState& state, const QImage& capture,
                                     const NamedCropSave& save)
{
    NamingInputs in;
    in.mode = save.mode;
    in.folder = save.folder;
    in.extension = save.extension;
    in.customPrefix = save.customPrefix;
    in.selectedName = state.nameList.selectedName;
    in.sourceName = save.sourceName;
    in.sourcePath = save.sourcePath;
    // Named after its source: the record says which crops other sources made.
    const QString cropSourcesPath = CropSourcesPath(state.main.settingsFolder);
    if (save.mode == NamingMode::SameAsSource)
        in.cropSources = ReadCropSources(cropSourcesPath);
    in.now = services.clock.now();
    in.temporaryFile = PromptTemporaryPath(state.main.settingsFolder, save.extension);
    const QString path = ComposeOutputPath(in);

    WaitCursor wait;
    if (save.sound)
        services.sound.play(*save.sound);
    const SavedCrop saved = SaveCapture(WithOutputResolution(capture), path, LowerCaseExtension(save.extension),
                                        state.frame.jpegLimitKB);
    wait.end();
    Dialogs& dialogs = services.dialogs;
    if (!saved.written) {
        // Nothing is marked or named: the picture is still to be saved, and
        // the name list stays on the name that was not used.
        dialogs.showMessage(QStringLiteral("提示"), kWriteFailedMessage, MessageIcon::Warning, MessageButtons::Ok);
        return std::nullopt;
    }
    if (save.mode == NamingMode::SameAsSource)
        RecordCropSource(cropSourcesPath, path, save.sourcePath);
    if (save.written)
        save.written();
    if (!saved.limitMet)
        dialogs.showMessage(QStringLiteral("提示"), SizeLimitMessage(saved.lastSize), MessageIcon::None,
                            MessageButtons::Ok);
    if (save.mode == NamingMode::PromptEachTime) {
        auto* prompt = new NamePromptWindow({save.promptTitle, save.folder, save.extension, path}, dialogs,
                                            save.promptParent);
        prompt->setAttribute(Qt::WA_DeleteOnClose);
        if (save.prompting)
            save.prompting(prompt);
        prompt->open();
    } else if (save.mode == NamingMode::SpreadsheetCell) {
        services.nameList.advanceRow(save.context);
    }
    return path;
}
