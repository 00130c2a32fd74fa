#pragma once
// The off-screen panels of the view and what the scroll bars should show.
// The back panel holds the whole scaled picture, the image panel the visible
// part of it (and what the drawing tools paint), the view panel the image
// panel plus the frame outline: the picture the view widget shows.
#include <QColor>
#include <QImage>

struct ScrollBarSetting {
    bool enabled = false;
    int maximum = 0;
    int position = 0;
};

struct Workspace {
    QImage back;
    QImage image;
    QImage view;
    QColor frameColour{255, 255, 0};
    QColor background{Qt::white};
    ScrollBarSetting hBar;
    ScrollBarSetting vBar;
};
