#include "workspace/view_panel.h"

#include <QPainter>

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
