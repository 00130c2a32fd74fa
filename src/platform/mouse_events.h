#pragma once
// Event filters see every kind of event; only press, move and release carry
// a mouse position and button.
#include <QMouseEvent>

// The event as a mouse press, move or release; null for any other event.
inline const QMouseEvent* AsMouseEvent(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return static_cast<const QMouseEvent*>(event);
    default:
        return nullptr;
    }
}
