#pragma once
// The batch navigation keys: A or S shows the next image, D or F the previous
// one, whatever control of the program has the focus. While registered they
// are taken before any control sees them, so they are released whenever the
// user has to type text (a settings window, the name prompt, the text tool)
// and restored afterwards.
#include "state/app_state.h"
#include "batch/task_file.h"

#include <QObject>

class NavigationKeys : public QObject {
    Q_OBJECT
public:
    NavigationKeys(BatchState& batch, QObject* parent);
    ~NavigationKeys() override;

    void registerNavigationKeys();  // nothing when already registered
    void releaseNavigationKeys();   // nothing when not registered
    void restoreNavigationKeys();   // registers again while batch crop mode is on

signals:
    void navigate(NavigationDirection direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    BatchState& batch_;
    // Repeat guards: a held key, or a run of presses of one direction with no
    // other input between them, moves one image only.
    bool lastWasNext_ = false;
    bool lastWasPrevious_ = false;
};
