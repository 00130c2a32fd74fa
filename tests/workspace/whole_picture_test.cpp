// A large photo opened from a reduced decode: shown and saved from it at the
// fitted scale, made whole in the background when the view needs more
// pixels, and whole before a quarter turn. What the view shows and what the
// frame captures agree on both sides of the switch.
#include "support/main_window_fixture.h"
#include "support/test_images.h"

#include "workspace/view_geometry.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

#include <QSignalSpy>

namespace {

class WholePictureTest : public MainWindowFixture {
protected:
    void openLargePhoto()
    {
        files.write(QStringLiteral("large.jpg"), encodeAs(photoLikePicture(3200, 2400), "JPEG", 90));
        dialogs.fileAnswers = {files.file(QStringLiteral("large.jpg"))};
        window->openImageFile();
        ASSERT_TRUE(state.view.imageLoaded);
    }

    // The capture equals the view's pixels inside the frame.
    void expectCaptureIsTheView()
    {
        const FrameState& f = state.frame;
        EXPECT_EQ(CaptureFrameImage(state, window->workspaceForTest()),
                  window->workspaceForTest().image.copy(f.frameLeft, f.frameTop, f.frameWidth, f.frameHeight));
    }

    void zoomIn(int steps)
    {
        auto* view = unit<ViewPanel>("可视画板");
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(view, Qt::Key_Plus);
    }

    TempFolder files;
};

TEST_F(WholePictureTest, ALargePhotoIsShownFromAReducedDecodeUntilTheViewNeedsMore)
{
    openLargePhoto();
    const ViewState& v = state.view;
    EXPECT_EQ(v.reducedFrom, QSize(3200, 2400));
    EXPECT_EQ(v.currentPicture.size(), QSize(800, 600)); // a quarter covers the fitted view
    const double fitted = v.viewScale;
    EXPECT_DOUBLE_EQ(fitted, FitScale(QSize(3200, 2400), window->workspaceForTest().image.size()));
    expectCaptureIsTheView();

    // Zoomed past what the reduced copy holds, the whole picture comes in the background.
    zoomIn(80);
    ASSERT_TRUE(NeedsWholePicture(v) || !v.reducedFrom.isValid());
    const double scale = v.viewScale;
    expectCaptureIsTheView();
    ASSERT_TRUE(QTest::qWaitFor([&v] { return !v.reducedFrom.isValid(); }, 10000));
    EXPECT_EQ(v.currentPicture.size(), QSize(3200, 2400));
    EXPECT_DOUBLE_EQ(v.viewScale, scale);
    expectCaptureIsTheView();
}

TEST_F(WholePictureTest, AQuarterTurnTakesTheWholePictureFirst)
{
    openLargePhoto();
    ASSERT_TRUE(state.view.reducedFrom.isValid());
    window->rotateCurrentImage(90);
    EXPECT_FALSE(state.view.reducedFrom.isValid());
    EXPECT_EQ(state.view.currentPicture.size(), QSize(2400, 3200));
}

TEST_F(WholePictureTest, AWholeDecodeForAnEarlierPhotoIsNotTaken)
{
    openLargePhoto();
    zoomIn(80); // asks for the whole picture
    // Another photo before it comes: the late decode must not replace it.
    files.write(QStringLiteral("other.jpg"), encodeAs(photoLikePicture(3000, 2000), "JPEG", 90));
    dialogs.fileAnswers = {files.file(QStringLiteral("other.jpg"))};
    window->openImageFile();
    QTest::qWait(500);
    QCoreApplication::processEvents();
    EXPECT_NE(state.view.currentPicture.size(), QSize(3200, 2400));
    EXPECT_EQ(PictureSize(state.view), QSize(3000, 2000));
}

} // namespace
