#include "workspace/status_hints.h"

QString ViewHint(const AppState& state, bool textEntryVisible)
{
    if (!state.view.imageLoaded)
        return kStartHint;
    if (textEntryVisible)
        return Hint::textEntry;
    if (state.batch.keysRegistered)
        return Hint::zoomWithKeys;
    if (state.tools.brushOn)
        return state.tools.strokeActive ? QString() : Hint::brush;
    if (state.tools.textOn)
        return Hint::textEntry;
    if (state.tools.pipetteOn)
        return Hint::pipette;
    return Hint::zoom;
}

QString ToolbarHint(const AppState& state)
{
    if (!state.view.imageLoaded)
        return kStartHint;
    if (state.view.statusHint == kStartHint)
        return QString();
    return state.view.statusHint;
}
