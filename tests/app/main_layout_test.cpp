#include "app/main_layout.h"

#include <gtest/gtest.h>

TEST(MainLayout, DesignSizeGivesTheDesignPlaces)
{
    const MainLayout l = LayoutForClient(QSize(586, 360));
    EXPECT_EQ(l.view, QRect(4, 48, 411, 279));
    EXPECT_EQ(l.hScrollBar, QRect(4, 328, 411, 12));
    EXPECT_EQ(l.vScrollBar, QRect(416, 48, 12, 279));
    EXPECT_EQ(l.panelGroup, QRect(432, 48, 152, 292));
    EXPECT_EQ(l.statusHintWidth, 432);
    EXPECT_EQ(l.viewCentreX, 205);
    EXPECT_EQ(l.viewCentreY, 139);
    // m = (292 − 157) ÷ 2 + 156 = 223
    EXPECT_EQ(l.saveButton, QRect(53, 201, 44, 44));
    EXPECT_EQ(l.upButton, QRect(60, 169, 28, 32));
    EXPECT_EQ(l.downButton, QRect(60, 245, 28, 32));
    EXPECT_EQ(l.leftButton, QRect(20, 209, 32, 28));
    EXPECT_EQ(l.rightButton, QRect(98, 209, 32, 28));
}

TEST(MainLayout, GrowingTheWindowGrowsTheViewAndMovesThePanel)
{
    const MainLayout a = LayoutForClient(QSize(586, 360));
    const MainLayout b = LayoutForClient(QSize(686, 410));
    EXPECT_EQ(b.view.size(), QSize(511, 329));
    EXPECT_EQ(b.hScrollBar.left(), a.hScrollBar.left());
    EXPECT_EQ(b.hScrollBar.top(), a.hScrollBar.top() + 50);
    EXPECT_EQ(b.hScrollBar.width(), 511);
    EXPECT_EQ(b.vScrollBar.left(), a.vScrollBar.left() + 100);
    EXPECT_EQ(b.vScrollBar.height(), 329);
    EXPECT_EQ(b.panelGroup.left(), a.panelGroup.left() + 100);
    EXPECT_EQ(b.panelGroup.height(), a.panelGroup.height() + 50);
    for (auto button : {&MainLayout::saveButton, &MainLayout::upButton, &MainLayout::downButton,
                        &MainLayout::leftButton, &MainLayout::rightButton})
        EXPECT_EQ((b.*button).topLeft(), (a.*button).topLeft() + QPoint(0, 25));
    EXPECT_EQ(b.viewCentreX, 255);
    EXPECT_EQ(b.viewCentreY, 164);
}

TEST(MainLayout, TheSmallestClientKeepsAOnePixelView)
{
    const MainLayout l = LayoutForClient(minimumClientSize());
    EXPECT_EQ(l.view.size(), QSize(1, 1));
}
