#include "workspace/move_buttons.h"

#include "workspace/frame_drag.h"

#include <QMouseEvent>
#include <QPushButton>

namespace {
constexpr int kMoveTimerInterval = 5;
}

void MoveByOne(int& left, int& top, FrameMove move)
{
    switch (move) {
    case FrameMove::Up: --top; break;
    case FrameMove::Down: ++top; break;
    case FrameMove::Left: --left; break;
    case FrameMove::Right: ++left; break;
    }
}

MoveButtons::MoveButtons(int& moveTicks, HeldMove& held, const std::array<QPushButton*, 4>& buttons,
                         const QString& timerName, QObject* parent)
    : QObject(parent), moveTicks_(moveTicks), held_(held), buttons_(buttons), timer_(this)
{
    timer_.setObjectName(timerName);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &MoveButtons::tick);
    // The buttons' own pressed/released signals follow the pointer on and off
    // the button; the move follows the mouse button alone, so the raw events
    // are taken instead (the button keeps the mouse grab while it is held).
    for (QPushButton* b : buttons_)
        b->installEventFilter(this);
}

bool MoveButtons::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (!press && event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return QObject::eventFilter(watched, event);
    for (int i = 0; i < 4; ++i) {
        if (watched != buttons_[size_t(i)])
            continue;
        if (!press) {
            release();
            break;
        }
        if (!this->press(static_cast<FrameMove>(i)))
            return true;
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool MoveButtons::press(FrameMove move)
{
    if (allowed_ && !allowed_()) {
        emit refused();
        return false;
    }
    held_ = {move == FrameMove::Up, move == FrameMove::Down, move == FrameMove::Left, move == FrameMove::Right};
    moveTicks_ = 0;
    timer_.start(kMoveTimerInterval);
    emit moved(move);
    return true;
}

void MoveButtons::release()
{
    held_ = {};
    moveTicks_ = 0;
    timer_.stop();
    emit moveEnded();
}

void MoveButtons::tick()
{
    if (allowed_ && !allowed_()) {
        timer_.stop();
        return;
    }
    if (!MoveTickMoves(moveTicks_))
        return;
    if (held_.up)
        emit moved(FrameMove::Up);
    else if (held_.down)
        emit moved(FrameMove::Down);
    else if (held_.left)
        emit moved(FrameMove::Left);
    else if (held_.right)
        emit moved(FrameMove::Right);
}
