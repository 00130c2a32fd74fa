#pragma once
// Four move buttons and their repeat timer, as the capture frame and the
// camera window's preview frame have them. A press moves one pixel at once;
// from the tenth timer tick on it moves a pixel per tick until the left
// button goes up, wherever the pointer is by then: sliding off the button and
// back neither stops nor restarts the move.
#include "state/app_state.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>

class QPushButton;

// Moves a top-left corner one pixel in the direction.
void MoveByOne(int& left, int& top, FrameMove move);

class MoveButtons : public QObject {
    Q_OBJECT
public:
    // The buttons in the order up, down, left, right. moveTicks and held are
    // the program's state of the move; the timer is named timerName.
    MoveButtons(int& moveTicks, HeldMove& held, const std::array<QPushButton*, 4>& buttons,
                const QString& timerName, QObject* parent);

    // Whether a move may start or go on; a press that may not is refused
    // before the button goes down. Always, unless set.
    void setMoveAllowed(std::function<bool()> allowed) { allowed_ = std::move(allowed); }
    // Ends a move whose button will not come up (its window goes away).
    void stop() { release(); }

signals:
    void refused();              // a press that may not move: the owner tells the user
    void moved(FrameMove move);  // move one pixel and repaint
    void moveEnded();            // the left button went up

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool press(FrameMove move); // false when refused
    void release();
    void tick();

    int& moveTicks_;
    HeldMove& held_;
    std::array<QPushButton*, 4> buttons_;
    std::function<bool()> allowed_;
    QTimer timer_;
};
