#include "batch/navigation_keys.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

enum class KeyDirection { None, Next, Previous };

KeyDirection directionOf(const QKeyEvent* event)
{
    // The keys act alone, as unmodified letters (the keypad flag does not count).
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return KeyDirection::None;
    switch (event->key()) {
    case Qt::Key_A:
    case Qt::Key_S: return KeyDirection::Next;
    case Qt::Key_D:
    case Qt::Key_F: return KeyDirection::Previous;
    default: return KeyDirection::None;
    }
}

bool isOtherInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

NavigationKeys::NavigationKeys(BatchState& batch, QObject* parent) : QObject(parent), batch_(batch) {}

NavigationKeys::~NavigationKeys()
{
    releaseNavigationKeys();
}

void NavigationKeys::registerNavigationKeys()
{
    if (batch_.keysRegistered)
        return;
    qApp->installEventFilter(this);
    batch_.keysRegistered = true;
}

void NavigationKeys::releaseNavigationKeys()
{
    if (!batch_.keysRegistered)
        return;
    qApp->removeEventFilter(this);
    batch_.keysRegistered = false;
    lastWasNext_ = lastWasPrevious_ = false;
}

void NavigationKeys::restoreNavigationKeys()
{
    if (batch_.batchActive && !batch_.keysRegistered)
        registerNavigationKeys();
}

bool NavigationKeys::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (!isOtherInput(type) || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    // A message box or dialog in front answers its own keys.
    if (QApplication::activeModalWidget())
        return QObject::eventFilter(watched, event);

    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    const KeyDirection direction = key ? directionOf(static_cast<QKeyEvent*>(event)) : KeyDirection::None;
    if (direction == KeyDirection::None) {
        lastWasNext_ = lastWasPrevious_ = false;
        return QObject::eventFilter(watched, event);
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyRelease) {
        // Letting go of the key ends the run; the auto-repeat's releases do not.
        if (!keyEvent->isAutoRepeat())
            lastWasNext_ = lastWasPrevious_ = false;
        return true;
    }
    const bool goNext = direction == KeyDirection::Next;
    const bool goPrevious = direction == KeyDirection::Previous;
    const bool act = (goNext && !lastWasNext_) || (goPrevious && !lastWasPrevious_);
    lastWasNext_ = goNext;
    lastWasPrevious_ = goPrevious;
    if (act)
        emit navigate(goNext ? NavigationDirection::Next : NavigationDirection::Previous);
    return true;
}
