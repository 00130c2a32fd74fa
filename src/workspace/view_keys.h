#pragma once
// What a key pressed on the view asks for: Ctrl+V and Ctrl+C, the arrow keys
// that nudge the frame, and + and − (not on the keypad) that zoom.
#include <Qt>

enum class ViewKeyCommand { None, Paste, Copy, NudgeLeft, NudgeUp, NudgeRight, NudgeDown, ZoomIn, ZoomOut };

ViewKeyCommand ViewKeyCommandFor(int key, Qt::KeyboardModifiers modifiers);
