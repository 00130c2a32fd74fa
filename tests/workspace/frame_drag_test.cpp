#include "workspace/frame_drag.h"

#include <gtest/gtest.h>

namespace {

FrameState startFrame()
{
    FrameState f;
    f.frameLeft = 125;
    f.frameTop = 34;
    f.frameWidth = 160;
    f.frameHeight = 210;
    return f;
}

struct ZoneCase {
    const char* name;
    int dx; // offsets from (L, T), or from (L + W, T + H) when fromFar
    int dy;
    bool fromFar;
    FrameDrag zone;
    friend void PrintTo(const ZoneCase& c, std::ostream* os) { *os << c.name; }
};

class FrameZoneTest : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(FrameZoneTest, FindsTheZoneUnderThePointer)
{
    const ZoneCase& c = GetParam();
    const FrameState f = startFrame();
    const QPoint origin = c.fromFar ? QPoint(f.frameLeft + f.frameWidth, f.frameTop + f.frameHeight)
                                    : QPoint(f.frameLeft, f.frameTop);
    EXPECT_EQ(FrameZoneAt(f, origin + QPoint(c.dx, c.dy)), c.zone);
}

INSTANTIATE_TEST_SUITE_P(
    StartFrame, FrameZoneTest,
    ::testing::Values(
        ZoneCase{"one below the inner corner is in no zone", 0, 1, false, FrameDrag::None},
        ZoneCase{"two below it is the left edge", 0, 2, false, FrameDrag::Left},
        ZoneCase{"left edge, outermost column", -2, 50, false, FrameDrag::Left},
        ZoneCase{"beyond the left edge", -3, 50, false, FrameDrag::None},
        ZoneCase{"inside, first pixel", 1, 1, false, FrameDrag::Move},
        ZoneCase{"inside, last pixel", -1, -1, true, FrameDrag::Move},
        ZoneCase{"the inner corner itself is a corner", 0, 0, false, FrameDrag::TopLeft},
        ZoneCase{"top-left corner, outermost", -2, -2, false, FrameDrag::TopLeft},
        ZoneCase{"top edge", 2, -2, false, FrameDrag::Top},
        ZoneCase{"top edge, first row inside", 80, 0, false, FrameDrag::Top},
        ZoneCase{"right edge", 0, -50, true, FrameDrag::Right},
        ZoneCase{"right edge, outermost", 2, -2, true, FrameDrag::Right},
        ZoneCase{"bottom edge", -2, 2, true, FrameDrag::Bottom},
        ZoneCase{"bottom-right corner", 2, 2, true, FrameDrag::BottomRight},
        ZoneCase{"beyond the bottom-right corner", 3, 2, true, FrameDrag::None},
        ZoneCase{"between the right edge and the corner", 0, -1, true, FrameDrag::None},
        ZoneCase{"top-right corner", 2, -212, true, FrameDrag::TopRight},
        ZoneCase{"bottom-left corner", -161, 1, true, FrameDrag::BottomLeft}));

struct StepCase {
    const char* name;
    FrameDrag mode;
    int width, height;
    int dx, dy;
    DragStep result;
    QRect after; // left, top, width, height, starting from (100, 100)
    friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }
};

class DragStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(DragStepTest, AppliesTheStepOrStopsAtTenPixels)
{
    const StepCase& c = GetParam();
    FrameState f;
    f.frameLeft = 100;
    f.frameTop = 100;
    f.frameWidth = c.width;
    f.frameHeight = c.height;
    EXPECT_EQ(ApplyDragStep(f, c.mode, c.dx, c.dy), c.result);
    EXPECT_EQ(QRect(f.frameLeft, f.frameTop, f.frameWidth, f.frameHeight), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DragStepTest,
    ::testing::Values(
        StepCase{"move is unbounded", FrameDrag::Move, 15, 15, -5000, 7000, DragStep::Applied, {-4900, 7100, 15, 15}},
        StepCase{"left edge 5 right of 15 gives 10", FrameDrag::Left, 15, 40, 5, 0, DragStep::Applied, {105, 100, 10, 40}},
        StepCase{"left edge 6 right of 15 stops", FrameDrag::Left, 15, 40, 6, 0, DragStep::Stopped, {100, 100, 15, 40}},
        StepCase{"left edge outwards", FrameDrag::Left, 15, 40, -20, 3, DragStep::Applied, {80, 100, 35, 40}},
        StepCase{"right edge 5 left of 15 gives 10", FrameDrag::Right, 15, 40, -5, 0, DragStep::Applied, {100, 100, 10, 40}},
        StepCase{"right edge 6 left of 15 stops", FrameDrag::Right, 15, 40, -6, 0, DragStep::Stopped, {100, 100, 15, 40}},
        StepCase{"top edge down to 10", FrameDrag::Top, 40, 15, 0, 5, DragStep::Applied, {100, 105, 40, 10}},
        StepCase{"top edge too far", FrameDrag::Top, 40, 15, 0, 6, DragStep::Stopped, {100, 100, 40, 15}},
        StepCase{"bottom edge up to 10", FrameDrag::Bottom, 40, 15, 0, -5, DragStep::Applied, {100, 100, 40, 10}},
        StepCase{"bottom edge too far", FrameDrag::Bottom, 40, 15, 0, -6, DragStep::Stopped, {100, 100, 40, 15}},
        StepCase{"top-left corner", FrameDrag::TopLeft, 40, 40, 3, -4, DragStep::Applied, {103, 96, 37, 44}},
        StepCase{"top-left stops on height alone", FrameDrag::TopLeft, 40, 15, 1, 6, DragStep::Stopped, {100, 100, 40, 15}},
        StepCase{"bottom-right corner", FrameDrag::BottomRight, 40, 40, 3, 4, DragStep::Applied, {100, 100, 43, 44}},
        StepCase{"bottom-right stops on width alone", FrameDrag::BottomRight, 15, 40, -6, 1, DragStep::Stopped, {100, 100, 15, 40}},
        StepCase{"top-right corner", FrameDrag::TopRight, 40, 40, 3, 4, DragStep::Applied, {100, 104, 43, 36}},
        StepCase{"top-right stops on width", FrameDrag::TopRight, 15, 40, -6, 0, DragStep::Stopped, {100, 100, 15, 40}},
        StepCase{"bottom-left corner", FrameDrag::BottomLeft, 40, 40, 3, 4, DragStep::Applied, {103, 100, 37, 44}},
        StepCase{"bottom-left stops on height", FrameDrag::BottomLeft, 40, 15, 0, -6, DragStep::Stopped, {100, 100, 40, 15}}));

TEST(MoveButton, TwelveTicksMoveFourPixels)
{
    int ticks = 0; // the press itself moved one pixel and reset the count
    int moved = 1;
    for (int i = 0; i < 12; ++i)
        moved += MoveTickMoves(ticks) ? 1 : 0;
    EXPECT_EQ(moved, 4);
    ticks = 0;
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(MoveTickMoves(ticks)) << i;
    EXPECT_TRUE(MoveTickMoves(ticks));
}

} // namespace
