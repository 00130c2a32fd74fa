#pragma once
// The capture frame under the mouse: which zone of the frame a pointer is
// in, and what one step of a drag does to the frame.
#include "state/app_state.h"

#include <QPoint>

// The drag mode a press at `point` starts (FrameDrag::None outside every zone).
FrameDrag FrameZoneAt(const FrameState& frame, QPoint point);

enum class DragStep { Applied, Stopped };

// Applies one drag step of (dx, dy) in the given mode. A step that would make
// a side shorter than 10 pixels is not applied and stops the drag.
DragStep ApplyDragStep(FrameState& frame, FrameDrag mode, int dx, int dy);

bool ChangesWidth(FrameDrag mode);
bool ChangesHeight(FrameDrag mode);
bool IsResize(FrameDrag mode);

// One tick of a held move button: counts the tick and tells whether the frame
// moves on it (from the tenth tick on).
bool MoveTickMoves(int& moveTicks);
