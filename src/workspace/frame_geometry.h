#pragma once
#include "state/app_state.h"

inline constexpr int kStartFrameWidth = 160;
inline constexpr int kStartFrameHeight = 210;

// The first frame of a run: 160 × 210, centred on the view's centre.
void PlaceStartFrame(AppState& state);

// Centres the frame on the view's centre, keeping its size.
void CentreFrame(AppState& state);
