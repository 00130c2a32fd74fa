#pragma once
// The four move buttons of the capture frame and their repeat timer. A press
// moves the frame one pixel at once; from the tenth timer tick on it moves a
// pixel per tick until the left button goes up, wherever the pointer is by
// then: sliding off the button and back neither stops nor restarts the move.
#include "app/app_state.h"

#include <QObject>
#include <QTimer>

class QPushButton;

enum class FrameMove { Up, Down, Left, Right };

// Moves the frame one pixel in the direction.
void MoveFrameByOne(FrameState& frame, FrameMove move);

class FrameMoveButtons : public QObject {
    Q_OBJECT
public:
    // The buttons in the order up, down, left, right.
    FrameMoveButtons(AppState& state, QPushButton* up, QPushButton* down, QPushButton* left,
                     QPushButton* right, QObject* parent);

signals:
    void refusedWithoutPicture(); // a press without a picture: the caller tells the user
    void frameMoved();            // the frame moved one pixel: repaint
    void moveEnded();             // the left button went up

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool press(FrameMove move); // false when refused
    void release();
    void tick();

    AppState& state_;
    QPushButton* buttons_[4];
    QTimer timer_; // 截图时钟
};
