#include "workspace/frame_geometry.h"
#include "workspace/view_geometry.h"
#include "workspace/picture_scaling.h"
#include "workspace/view_render.h"
#include "workspace/image_import.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kYellow = 0xFFFFFF00;

// The state and panels of a 411 × 279 view with the start-up frame.
struct ViewFixture : ::testing::Test {
    void SetUp() override
    {
        state.view.viewCentreX = 205;
        state.view.viewCentreY = 139;
        PlaceStartFrame(state);
        ResizeViewPanels(ws, QSize(411, 279));
    }

    void show(const QImage& picture)
    {
        state.view.imageLoaded = true;
        state.view.currentPicture = picture;
        state.view.scrollRatioX = state.view.scrollRatioY = 0.5;
        state.view.viewScale = FitScale(picture.size(), ws.image.size());
        RenderView(state, ws);
    }

    AppState state;
    Workspace ws;
};

QImage solid(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST_F(ViewFixture, ATallPhotoIsFittedAndCentredWithWhiteMargins)
{
    show(solid(1200, 1600, 0xFF336699));
    const ViewState& v = state.view;
    EXPECT_EQ(v.scaledWidth, 209);
    EXPECT_EQ(v.scaledHeight, 279);
    EXPECT_EQ(v.marginX, 101);
    EXPECT_EQ(v.marginY, 0);
    EXPECT_EQ(v.shownWidth, 209);
    EXPECT_FALSE(ws.hBar.enabled);
    EXPECT_FALSE(ws.vBar.enabled);
    EXPECT_EQ(ws.image.pixel(100, 100), kWhite);
    EXPECT_EQ(ws.image.pixel(101, 100), 0xFF336699u);
    EXPECT_EQ(ws.image.pixel(309, 100), 0xFF336699u);
    EXPECT_EQ(ws.image.pixel(310, 100), kWhite);
}

TEST_F(ViewFixture, TheOutlineLiesOutsideTheFrame)
{
    show(solid(1200, 1600, 0xFF000000));
    // Inner rectangle (125, 34) to (284, 243).
    EXPECT_EQ(ws.view.pixel(124, 33), kYellow);  // top-left corner of the outline
    EXPECT_EQ(ws.view.pixel(200, 33), kYellow);  // top row
    EXPECT_EQ(ws.view.pixel(200, 245), kYellow); // bottom row, one row clear of the frame
    EXPECT_EQ(ws.view.pixel(124, 100), kYellow); // left column
    EXPECT_EQ(ws.view.pixel(286, 100), kYellow); // right column, one column clear
    EXPECT_EQ(ws.view.pixel(286, 33), kYellow);
    EXPECT_EQ(ws.view.pixel(124, 245), kYellow);
    EXPECT_NE(ws.view.pixel(286, 245), kYellow); // the far corner stays unpainted
    EXPECT_NE(ws.view.pixel(285, 100), kYellow);
    EXPECT_NE(ws.view.pixel(200, 244), kYellow);
    EXPECT_NE(ws.view.pixel(125, 34), kYellow);
    // The image panel never carries the outline.
    EXPECT_NE(ws.image.pixel(124, 33), kYellow);
}

TEST_F(ViewFixture, NothingIsDrawnWithoutAPicture)
{
    RenderView(state, ws);
    RefreshView(state, ws);
    EXPECT_EQ(ws.view.pixel(124, 33), kWhite);
    EXPECT_EQ(ws.view.pixel(0, 0), kWhite);
}

TEST_F(ViewFixture, ScrollingFollowsTheBarsAndARatioOfZeroRecentresAtTheNextZoom)
{
    show(photoLikePicture(2000, 1000));
    state.view.viewScale = 1.0;
    RenderView(state, ws);
    ASSERT_TRUE(ws.hBar.enabled);
    EXPECT_EQ(ws.hBar.maximum, 2000 - 411);
    EXPECT_EQ(ws.hBar.position, (2000 - 411) / 2);

    ScrollView(state, ws, 0, ws.vBar.position);
    EXPECT_EQ(state.view.scrollX, 0);
    EXPECT_DOUBLE_EQ(state.view.scrollRatioX, 0.0);
    EXPECT_EQ(ws.image.pixel(0, 0), state.view.currentPicture.pixel(0, ws.vBar.position));

    ZoomView(state, ws, 1.02);
    EXPECT_DOUBLE_EQ(state.view.scrollRatioX, 0.5);
    EXPECT_EQ(ws.hBar.position, (2040 - 411) / 2);
}

TEST_F(ViewFixture, AZoomThatWouldExhaustMemoryIsRefused)
{
    show(solid(6000, 4000, 0xFF808080));
    state.view.viewScale = 4.0;
    RenderView(state, ws);
    const double before = state.view.viewScale;
    EXPECT_FALSE(ZoomView(state, ws, 1.02));
    EXPECT_DOUBLE_EQ(state.view.viewScale, before);
}

TEST_F(ViewFixture, BakingTakesTheShownResolution)
{
    show(photoLikePicture(1000, 800));
    state.view.viewScale = 0.5;
    RenderView(state, ws);
    const QImage shown = ws.image.copy();
    BakeView(state, ws);
    EXPECT_EQ(state.view.currentPicture.size(), QSize(500, 400));
    EXPECT_DOUBLE_EQ(state.view.viewScale, 1.0);
    EXPECT_EQ(ws.image, shown);
}

TEST_F(ViewFixture, BakingKeepsWhatWasDrawnInTheView)
{
    show(solid(400, 200, 0xFF000000));
    ws.image.setPixel(state.view.marginX + 10, state.view.marginY + 20, 0xFFFF0000);
    BakeView(state, ws);
    EXPECT_EQ(state.view.currentPicture.pixel(10, 20), 0xFFFF0000u);
}

TEST_F(ViewFixture, TheCaptureIsWhatTheViewShowsInsideTheFrame)
{
    show(photoLikePicture(1200, 1600));
    state.view.viewScale = 0.5;
    RenderView(state, ws);
    const QImage capture = CaptureFrameImage(state, ws);
    ASSERT_EQ(capture.size(), QSize(160, 210));
    const FrameState& f = state.frame;
    EXPECT_EQ(capture, ws.image.copy(f.frameLeft, f.frameTop, f.frameWidth, f.frameHeight));
}

TEST_F(ViewFixture, FramePartsBeyondThePictureOrTheViewComeFromTheScaledPictureOrWhite)
{
    show(photoLikePicture(300, 200)); // shown at scale 1 with margins 55 and 39
    FrameState& f = state.frame;
    f.frameLeft = 0;
    f.frameTop = 0;
    QImage capture = CaptureFrameImage(state, ws);
    EXPECT_EQ(capture.pixel(10, 10), kWhite);
    EXPECT_EQ(capture.pixel(55, 39), state.view.currentPicture.pixel(0, 0));

    // A picture larger than the view: a frame reaching beyond the view's right
    // edge shows the scaled picture that lies there.
    show(photoLikePicture(2000, 1000));
    state.view.viewScale = 1.0;
    RenderView(state, ws);
    f.frameLeft = 400;
    f.frameTop = 10;
    capture = CaptureFrameImage(state, ws);
    const int x = 30; // view column 430, beyond the 411-wide view
    EXPECT_EQ(capture.pixel(x, 5), state.view.currentPicture.pixel(state.view.scrollX + 430,
                                                                    state.view.scrollY + 15));
    EXPECT_EQ(capture.pixel(5, 5), ws.image.pixel(405, 15));
}

// A file that cannot be read leaves the picture and what the frame takes,
// also where the frame reaches beyond the view.
TEST_F(ViewFixture, AFailedOpenLeavesTheCaptureBeyondTheView)
{
    TempFolder files;
    files.write(QStringLiteral("photo.png"), encodeAs(photoLikePicture(2000, 1000), "png"));
    files.write(QStringLiteral("broken.png"), QByteArray("\x89PNG\r\n\x1A\n broken", 15));
    ASSERT_TRUE(MakeCurrentImageFromFile(state, ws, files.file(QStringLiteral("photo.png"))));
    state.view.viewScale = 1.0;
    RenderView(state, ws);
    state.frame.frameLeft = 400;
    state.frame.frameTop = 10;
    const QImage before = CaptureFrameImage(state, ws);
    EXPECT_FALSE(MakeCurrentImageFromFile(state, ws, files.file(QStringLiteral("broken.png"))));
    EXPECT_EQ(CaptureFrameImage(state, ws), before);
}

// The view and the capture against the whole scaled picture (as a bake
// makes it), over scales, scroll positions and frames inside, across and
// beyond the view and the picture.
TEST_F(ViewFixture, TheViewAndTheCaptureArePartsOfTheWholeScaledPicture)
{
    const QImage picture = photoLikePicture(1600, 1200);
    const double scales[] = {0.07, 0.2571, 0.5, 0.98, 1.0, 1.7};
    const double ratios[] = {0.0001, 0.5, 1.0};
    const QPoint frames[] = {{125, 34}, {-50, -30}, {380, 200}, {600, 400}};
    for (const double scale : scales) {
        for (const double ratio : ratios) {
            show(picture);
            state.view.viewScale = scale;
            state.view.scrollRatioX = ratio;
            state.view.scrollRatioY = 1 - ratio;
            RenderView(state, ws);
            const ViewState& v = state.view;
            const QSize scaled(v.scaledWidth, v.scaledHeight);
            const QImage whole = ScaledRegion(ws.levels, scaled, QRect(QPoint(0, 0), scaled));
            // The view: the shown part of the whole, at the margins.
            EXPECT_EQ(ws.image.copy(v.marginX, v.marginY, v.shownWidth, v.shownHeight),
                      whole.copy(v.scrollX, v.scrollY, v.shownWidth, v.shownHeight))
                << scale << " " << ratio;
            for (const QPoint frame : frames) {
                state.frame.frameLeft = frame.x();
                state.frame.frameTop = frame.y();
                const QImage capture = CaptureFrameImage(state, ws);
                QImage expected(capture.size(), QImage::Format_RGB32);
                expected.fill(ws.background);
                QPainter painter(&expected);
                painter.drawImage(QPoint(v.marginX - v.scrollX - frame.x(), v.marginY - v.scrollY - frame.y()),
                                  whole);
                // Inside the view the margins are the view's background too.
                painter.end();
                EXPECT_EQ(capture, expected) << scale << " " << ratio << " frame " << frame.x() << "," << frame.y();
            }
        }
    }
}

} // namespace
