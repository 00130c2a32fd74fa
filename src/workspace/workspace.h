#pragma once
// The off-screen panels of the view and what the scroll bars should show.
// The image panel holds the visible part of the scaled picture (and what the
// drawing tools paint), the view panel the image panel plus the frame
// outline: the picture the view widget shows. The scaled picture itself is
// never made whole except when a drawing is baked; its parts come from the
// picture's levels.
#include "workspace/picture_scaling.h"

#include <QColor>
#include <QImage>

struct ScrollBarSetting {
    bool enabled = false;
    int maximum = 0;
    int position = 0;
};

struct Workspace {
    PictureLevels levels;
    QImage image;
    QImage view;
    QColor frameColour{255, 255, 0};
    QColor background{Qt::white};
    ScrollBarSetting hBar;
    ScrollBarSetting vBar;
};
