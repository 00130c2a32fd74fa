#include "workspace/frame_geometry.h"

void PlaceStartFrame(AppState& state)
{
    FrameState& f = state.frame;
    f.frameWidth = kStartFrameWidth;
    f.frameHeight = kStartFrameHeight;
    f.frameLeft = static_cast<int>(state.view.viewCentreX - kStartFrameWidth * 0.5);
    f.frameTop = static_cast<int>(state.view.viewCentreY - kStartFrameHeight * 0.5);
}

void CentreFrame(AppState& state)
{
    FrameState& f = state.frame;
    f.frameLeft = state.view.viewCentreX - f.frameWidth / 2;
    f.frameTop = state.view.viewCentreY - f.frameHeight / 2;
}
