#include "workspace/view_panel.h"

#include "workspace/view_geometry.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWheelEvent>

ViewPanel::ViewPanel(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ViewPanel::setViewBuffer(const QImage* buffer)
{
    buffer_ = buffer;
    update();
}

void ViewPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (buffer_ && !buffer_->isNull())
        painter.drawImage(0, 0, *buffer_);
}

void ViewPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit leftPressed(event->position().toPoint());
    else if (event->button() == Qt::RightButton)
        emit rightPressed(event->position().toPoint());
}

void ViewPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit leftReleased(event->position().toPoint());
}

void ViewPanel::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint());
}

void ViewPanel::wheelEvent(QWheelEvent* event)
{
    const int notches = WheelNotches(event->angleDelta().y());
    if (notches != 0)
        emit wheelTurned(notches);
    event->accept();
}

void ViewPanel::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event);
}

void ViewPanel::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void ViewPanel::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths.append(url.isLocalFile() ? url.toLocalFile() : url.toString());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}
