#include "workspace/colour_picker.h"

#include <QPainter>

ColourPicker::ColourPicker(QWidget* parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &ColourPicker::pickRequested);
}

void ColourPicker::setColour(const QColor& colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();
    emit colourChanged();
}

void ColourPicker::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QRect swatch = rect().adjusted(4, 4, -16, -4);
    painter.fillRect(swatch, colour_);
    painter.setPen(Qt::black);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    // the drop-down arrow
    const int x = width() - 11;
    const int y = height() / 2 - 1;
    const QPoint arrow[3] = {{x, y}, {x + 6, y}, {x + 3, y + 3}};
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow, 3);
}
