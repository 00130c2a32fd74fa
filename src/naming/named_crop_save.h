#pragma once
// Naming a crop by a batch mode's scheme and writing it: the one sequence
// that batch crop's save and fast capture's shot share. Each mode makes its
// own checks before it, and says what follows a written file.
#include "naming/crop_services.h"
#include "naming/name_list_seam.h"
#include "naming/output_naming.h"
#include "platform/sound_player.h"
#include "state/app_state.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class NamePromptWindow;
class QWidget;

struct NamedCropSave {
    NamingMode mode = NamingMode::TimeStamp;
    QString folder;       // the mode's save folder
    QString extension;    // the mode's output extension, as kept (".JPG")
    QString customPrefix;
    QString sourceName;   // the shown picture's file name; empty for a shot
    QString sourcePath;   // the shown picture's file, for the record of which source made which crop
    std::optional<SoundClip> sound; // played as the file is written
    NameListContext context = NameListContext::Crop;
    QString promptTitle;  // the name prompt's title
    QWidget* promptParent = nullptr;
    // Right after the file is written, before anything is told.
    std::function<void()> written;
    // The name prompt is about to open over promptParent.
    std::function<void(NamePromptWindow*)> prompting;
};

// Names the capture by the scheme, plays the sound, writes the file with the
// frame's JPEG limit, and tells the user of a failed write or a limit that
// could not be met. Then, for a written file, the name prompt opens (the
// prompt scheme) or the name list moves to its next row (the spreadsheet
// scheme). Returns the file written, or nothing.
std::optional<QString> SaveNamedCrop(const CropServices& services, const AppState& state, const QImage& capture,
                                     const NamedCropSave& save);
