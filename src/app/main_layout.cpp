#include "app/main_layout.h"

namespace {
// What the client area has around the view panel at design size:
// 586 − 411 across and 360 − 279 down.
constexpr int kBesideView = 175;
constexpr int kAroundView = 81;
} // namespace

MainLayout LayoutForClient(QSize client)
{
    const int cw = client.width();
    const int ch = client.height();
    MainLayout l;
    const int vw = cw - kBesideView;
    const int vh = ch - kAroundView;
    l.viewCentreX = vw / 2;
    l.viewCentreY = vh / 2;
    l.toolbar = QRect(0, 0, cw, 49);
    l.view = QRect(4, 48, vw, vh);
    l.hScrollBar = QRect(4, ch - 32, vw, 12);
    l.vScrollBar = QRect(cw - 170, 48, 12, vh);
    const int gh = ch - 68;
    l.panelGroup = QRect(cw - 154, 48, 152, gh);
    l.statusBar = QRect(0, ch - 20, cw, 20);
    l.statusHintWidth = cw - 154;

    const int m = (gh - 157) / 2 + 156;
    l.upButton = QRect(60, m - 54, 28, 32);
    l.leftButton = QRect(20, m - 14, 32, 28);
    l.saveButton = QRect(53, m - 22, 44, 44);
    l.rightButton = QRect(98, m - 14, 32, 28);
    l.downButton = QRect(60, m + 22, 28, 32);
    return l;
}

QSize minimumClientSize()
{
    return {kBesideView + 1, kAroundView + 1};
}
