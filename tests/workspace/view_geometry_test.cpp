#include "workspace/view_geometry.h"

#include <gtest/gtest.h>

TEST(FitScale, FitsWithoutEnlarging)
{
    const QSize view(411, 279);
    // Proportionally taller than the view: the height decides.
    EXPECT_DOUBLE_EQ(FitScale(QSize(1200, 1600), view), 279.0 / 1600.0);
    EXPECT_EQ(ScaledSize(QSize(1200, 1600), 279.0 / 1600.0), QSize(209, 279));
    // Smaller than the view: never enlarged.
    EXPECT_DOUBLE_EQ(FitScale(QSize(300, 200), view), 1.0);
    // Wider than the view: the width decides.
    EXPECT_DOUBLE_EQ(FitScale(QSize(1644, 279), view), 0.25);
    // The view's own aspect: the width branch, and the picture fills the view exactly.
    EXPECT_DOUBLE_EQ(FitScale(QSize(822, 558), view), 0.5);
    EXPECT_EQ(ScaledSize(QSize(822, 558), 0.5), view);
}

TEST(ScaledSize, StaysAtLeastOnePixel)
{
    EXPECT_EQ(ScaledSize(QSize(100, 3), 0.01), QSize(1, 1));
    EXPECT_EQ(ScaledSize(QSize(0, 0), 1.0), QSize(1, 1));
    EXPECT_EQ(ScaledSize(QSize(100, 100), 0.0), QSize(1, 1));
    EXPECT_FALSE(ScaledSizeAllowed(ScaledSize(QSize(6000, 4000), 3.0)));
    EXPECT_TRUE(ScaledSizeAllowed(ScaledSize(QSize(6000, 4000), 1.0)));
}

struct AxisCase {
    const char* name;
    int scaled;
    int view;
    double ratio;
    AxisLayout expected;
    double ratioAfter;
    friend void PrintTo(const AxisCase& c, std::ostream* os) { *os << c.name; }
};

class LayoutAxisTest : public ::testing::TestWithParam<AxisCase> {};

TEST_P(LayoutAxisTest, CentresOrScrolls)
{
    const AxisCase& c = GetParam();
    double ratio = c.ratio;
    const AxisLayout a = LayoutAxis(c.scaled, c.view, ratio);
    EXPECT_EQ(a.scrolls, c.expected.scrolls);
    EXPECT_EQ(a.maximum, c.expected.maximum);
    EXPECT_EQ(a.position, c.expected.position);
    EXPECT_EQ(a.margin, c.expected.margin);
    EXPECT_EQ(a.shown, c.expected.shown);
    EXPECT_EQ(a.clearMargins, c.expected.clearMargins);
    EXPECT_DOUBLE_EQ(ratio, c.ratioAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutAxisTest,
    ::testing::Values(
        AxisCase{"smaller, centred", 209, 411, 0.5, {false, 0, 0, 101, 209, true}, 0.5},
        AxisCase{"one pixel smaller, no margin", 410, 411, 0.5, {false, 0, 0, 0, 410, false}, 0.5},
        AxisCase{"exactly as wide", 411, 411, 0.5, {false, 0, 0, 0, 411, false}, 0.5},
        AxisCase{"larger, centred scroll", 611, 411, 0.5, {true, 200, 100, 0, 411, false}, 0.5},
        AxisCase{"larger, scrolled right", 611, 411, 1.0, {true, 200, 200, 0, 411, false}, 1.0},
        AxisCase{"ratio 0 counts as unset", 611, 411, 0.0, {true, 200, 100, 0, 411, false}, 0.5},
        AxisCase{"ratio truncates", 612, 411, 0.3, {true, 201, 60, 0, 411, false}, 0.3}));

TEST(WheelZoom, TwoPercentPerNotch)
{
    EXPECT_DOUBLE_EQ(1.0 * WheelZoomFactor(-1), 1.02);
    EXPECT_DOUBLE_EQ(1.0 * WheelZoomFactor(-1) * WheelZoomFactor(1), 0.9996);
    EXPECT_DOUBLE_EQ(WheelZoomFactor(2), 0.96);
    EXPECT_EQ(WheelNotches(240), 2);
    EXPECT_EQ(WheelNotches(-120), -1);
    EXPECT_EQ(WheelNotches(119), 0);
    EXPECT_EQ(WheelNotches(-239), -1);
}
