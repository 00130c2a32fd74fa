#pragma once
// Where the main window's units go for a given client-area size. The design
// client area is 586 × 360; the view panel takes what is left of the width
// beside the panel group and of the height between the toolbar and the
// horizontal scroll bar, so that growing the window grows the view.
#include <QRect>
#include <QSize>

inline constexpr QSize kDesignClientSize{586, 360};

struct MainLayout {
    QRect toolbar;
    QRect view;          // the view panel and the image panel
    QRect hScrollBar;
    QRect vScrollBar;
    QRect panelGroup;
    QRect statusBar;
    int statusHintWidth = 0; // width of the status bar's hint part
    int viewCentreX = 0;
    int viewCentreY = 0;
    // Buttons inside the panel group, in group coordinates.
    QRect upButton;
    QRect downButton;
    QRect leftButton;
    QRect rightButton;
    QRect saveButton;
};

MainLayout LayoutForClient(QSize client);

// The smallest client area that keeps the view panel at least 1 × 1.
QSize minimumClientSize();
