#include "workspace/view_keys.h"

ViewKeyCommand ViewKeyCommandFor(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool keypad = modifiers & Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_V: return mods == Qt::ControlModifier ? ViewKeyCommand::Paste : ViewKeyCommand::None;
    case Qt::Key_C: return mods == Qt::ControlModifier ? ViewKeyCommand::Copy : ViewKeyCommand::None;
    case Qt::Key_Left: return ViewKeyCommand::NudgeLeft;
    case Qt::Key_Up: return ViewKeyCommand::NudgeUp;
    case Qt::Key_Right: return ViewKeyCommand::NudgeRight;
    case Qt::Key_Down: return ViewKeyCommand::NudgeDown;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return keypad ? ViewKeyCommand::None : ViewKeyCommand::ZoomIn;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return keypad ? ViewKeyCommand::None : ViewKeyCommand::ZoomOut;
    default: return ViewKeyCommand::None;
    }
}
