#include "workspace/frame_move_buttons.h"

#include "workspace/frame_drag.h"

#include <QMouseEvent>
#include <QPushButton>

namespace {
constexpr int kMoveTimerInterval = 5;
}

void MoveFrameByOne(FrameState& frame, FrameMove move)
{
    switch (move) {
    case FrameMove::Up: --frame.frameTop; break;
    case FrameMove::Down: ++frame.frameTop; break;
    case FrameMove::Left: --frame.frameLeft; break;
    case FrameMove::Right: ++frame.frameLeft; break;
    }
}

FrameMoveButtons::FrameMoveButtons(AppState& state, QPushButton* up, QPushButton* down, QPushButton* left,
                                   QPushButton* right, QObject* parent)
    : QObject(parent), state_(state), buttons_{up, down, left, right}, timer_(this)
{
    timer_.setObjectName(QStringLiteral("截图时钟"));
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FrameMoveButtons::tick);
    // The buttons' own pressed/released signals follow the pointer on and off
    // the button; the move follows the mouse button alone, so the raw events
    // are taken instead (the button keeps the mouse grab while it is held).
    for (QPushButton* b : buttons_)
        b->installEventFilter(this);
}

bool FrameMoveButtons::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (!press && event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return QObject::eventFilter(watched, event);
    for (int i = 0; i < 4; ++i) {
        if (watched != buttons_[i])
            continue;
        if (!press) {
            release();
            break;
        }
        // Without a picture the press is refused before the button goes down.
        if (!this->press(static_cast<FrameMove>(i)))
            return true;
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool FrameMoveButtons::press(FrameMove move)
{
    if (!state_.view.imageLoaded) {
        emit refusedWithoutPicture();
        return false;
    }
    FrameState& f = state_.frame;
    MoveFrameByOne(f, move);
    f.frameMoveUp = move == FrameMove::Up;
    f.frameMoveDown = move == FrameMove::Down;
    f.frameMoveLeft = move == FrameMove::Left;
    f.frameMoveRight = move == FrameMove::Right;
    state_.moveTicks = 0;
    timer_.start(kMoveTimerInterval);
    emit frameMoved();
    return true;
}

void FrameMoveButtons::release()
{
    FrameState& f = state_.frame;
    f.frameMoveUp = f.frameMoveDown = f.frameMoveLeft = f.frameMoveRight = false;
    state_.moveTicks = 0;
    timer_.stop();
    emit moveEnded();
}

void FrameMoveButtons::tick()
{
    if (!state_.view.imageLoaded) {
        timer_.stop();
        return;
    }
    if (!MoveTickMoves(state_.moveTicks))
        return;
    FrameState& f = state_.frame;
    if (f.frameMoveUp)
        MoveFrameByOne(f, FrameMove::Up);
    else if (f.frameMoveDown)
        MoveFrameByOne(f, FrameMove::Down);
    else if (f.frameMoveLeft)
        MoveFrameByOne(f, FrameMove::Left);
    else if (f.frameMoveRight)
        MoveFrameByOne(f, FrameMove::Right);
    else
        return;
    emit frameMoved();
}
