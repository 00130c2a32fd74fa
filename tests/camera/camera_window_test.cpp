// The camera window as the user meets it: with and without a camera, its
// units, sizing for the frame, the preview frame's drag and move buttons,
// the device dialogs, an unplugged camera and the normal shot.
#include "support/camera_fixture.h"

#include "app/main_window.h"
#include "batch/batch_crop_mode.h"
#include "naming/name_list.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>

namespace {

const char* const kFastUnits[] = {"拍图框上标签", "拍图框下标签", "拍图框左标签", "拍图框右标签", "速拍设置按钮",
                                  "拍图上移按钮", "拍图下移按钮", "拍图左移按钮", "拍图右移按钮"};

class CameraWindowTest : public CameraFixture {
protected:
    bool shown(const char* name) { return !cameraUnit(name)->isHidden(); }

    QPoint previewFrame() const { return {state.camera.previewFrameX, state.camera.previewFrameY}; }

    // Left-button drag of a bar by (dx, dy) screen pixels, in two steps. The
    // bar moves under the pointer, so the screen positions are what count.
    void dragBar(const char* bar, QPoint by)
    {
        QWidget* w = cameraUnit(bar);
        const QPoint startOnScreen = w->mapToGlobal(QPoint(2, 2));
        const auto send = [w](QEvent::Type type, QPoint onScreen, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(w->mapFromGlobal(onScreen)), QPointF(onScreen), Qt::LeftButton,
                              buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &event);
        };
        send(QEvent::MouseButtonPress, startOnScreen, Qt::LeftButton);
        send(QEvent::MouseMove, startOnScreen + by / 2, Qt::LeftButton);
        send(QEvent::MouseMove, startOnScreen + by, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, startOnScreen + by, Qt::NoButton);
    }
};

TEST_F(CameraWindowTest, WithoutACameraTheWindowSaysWhyAndOffersARetry)
{
    CameraWindow* w = openCamera();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("摄像预览"));
    EXPECT_TRUE(state.camera.cameraOpen);
    EXPECT_EQ(cameraUnit<QPushButton>("拍照按钮")->text(), QStringLiteral("重 试"));
    EXPECT_EQ(cameraUnit<QLabel>("标签1")->text(), QStringLiteral("    无法连接摄像头哦"));
    EXPECT_EQ(cameraUnit<QLabel>("标签2")->text(),
              QStringLiteral("\r\n  1、您的摄像头没有安装驱动程序？\r\n\r\n  2、您的摄像头没有连接到电脑？\r\n\r\n"
                             "  3、您打开了别的摄像头软件？请关闭qq视频等软件。\r\n\r\n  4、你还没有摄像头？"));
    EXPECT_EQ(cameraUnit("标签1")->geometry(), QRect(1, 15, 427, 33));
    EXPECT_EQ(cameraUnit("标签2")->geometry(), QRect(1, 48, 427, 282));
    EXPECT_TRUE(shown("标签1"));
    EXPECT_TRUE(shown("标签2"));
    for (const char* hidden : {"视频设备1", "设备参数按钮", "视频格式按钮", "启用速拍选择框"})
        EXPECT_FALSE(shown(hidden)) << hidden;
    for (const char* hidden : kFastUnits)
        EXPECT_FALSE(shown(hidden)) << hidden;
    // Fitted for the 160 × 210 frame at the 0.75 the program starts with.
    EXPECT_EQ(w->size(), QSize(567, 365));
    EXPECT_EQ(w->pos(), window->frameGeometry().topLeft() + QPoint(100, 60));

    // A camera in use elsewhere refuses; then it is free and the retry connects it.
    plugCamera(patternPicture({640, 480}));
    camera->refusing = {1};
    shoot();
    EXPECT_EQ(cameraUnit<QPushButton>("拍照按钮")->text(), QStringLiteral("重 试"));
    camera->refusing.clear();
    shoot();
    EXPECT_EQ(cameraUnit<QPushButton>("拍照按钮")->text(), QStringLiteral("拍 照"));
    EXPECT_FALSE(shown("标签1"));
    EXPECT_FALSE(shown("标签2"));
    for (const char* now : {"视频设备1", "设备参数按钮", "视频格式按钮", "启用速拍选择框"})
        EXPECT_TRUE(shown(now)) << now;
    EXPECT_TRUE(camera->preview);
    EXPECT_FALSE(state.view.imageLoaded); // a retry is not a shot
}

TEST_F(CameraWindowTest, TheLastDeviceIsConnectedAndTheUnitsSitWhereTheyShould)
{
    plugCamera(patternPicture({320, 240}), QStringLiteral("前置"));
    plugCamera(patternPicture({640, 480}), QStringLiteral("后置"));
    CameraWindow* w = openCamera();
    EXPECT_EQ(camera->connected, 2);
    EXPECT_TRUE(camera->preview);
    EXPECT_EQ(w->size(), QSize(567, 365));
    const struct {
        const char* name;
        QRect geometry;
        const char* text;
    } units[] = {
        {"摄像分组框", {4, 4, 434, 336}, nullptr},
        {"视频设备1", {10, 16, 412, 309}, nullptr},
        {"设备参数按钮", {445, 11, 116, 24}, "设备参数"},
        {"视频格式按钮", {445, 39, 116, 24}, "视频格式"},
        {"速拍设置按钮", {445, 67, 116, 24}, "速拍设置"},
        {"拍照按钮", {445, 280, 116, 78}, "拍 照"},
        {"启用速拍选择框", {7, 343, 137, 20}, "使用批量速拍模式"},
        {"拍图左移按钮", {457, 171, 32, 28}, nullptr},
        {"拍图右移按钮", {517, 171, 32, 28}, nullptr},
        {"拍图上移按钮", {489, 139, 28, 32}, nullptr},
        {"拍图下移按钮", {489, 199, 28, 32}, nullptr},
    };
    for (const auto& u : units) {
        QWidget* unit = cameraUnit(u.name);
        ASSERT_NE(unit, nullptr) << u.name;
        EXPECT_EQ(unit->geometry(), u.geometry) << u.name;
        if (u.text) {
            EXPECT_EQ(unit->property("text").toString(), QString::fromUtf8(u.text)) << u.name;
        }
    }
    EXPECT_EQ(cameraUnit<QGroupBox>("摄像分组框")->title(), QStringLiteral("摄像"));
    for (const char* hidden : kFastUnits)
        EXPECT_FALSE(shown(hidden)) << hidden;
    EXPECT_FALSE(cameraUnit<QCheckBox>("启用速拍选择框")->isChecked());
}

TEST_F(CameraWindowTest, ThePreviewGrowsForALargeFrameInTheDevicesAspect)
{
    setFrameSize(358, 441);
    plugCamera(patternPicture({640, 480}));
    CameraWindow* w = openCamera();
    EXPECT_EQ(w->previewSize(), (PreviewSize{628, 471}));
    EXPECT_EQ(w->size(), QSize(628 + 155, 471 + 56));

    // A wide device picture is measured at opening: 1280 × 720 gives 0.5625.
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    camera->pictures = {patternPicture({1280, 720})};
    setFrameSize(100, 60);
    w = openCamera();
    EXPECT_DOUBLE_EQ(state.camera.deviceAspect, 0.5625);
    EXPECT_EQ(w->previewSize(), (PreviewSize{549, 309}));
}

TEST_F(CameraWindowTest, TheWindowFollowsTheFrameWhileItIsOpen)
{
    plugCamera(patternPicture({640, 480}));
    CameraWindow* w = openCamera();
    unit<SpinEditBox>("像素宽编辑框")->setText(QStringLiteral("500")); // 530 no longer fits 412
    EXPECT_EQ(w->previewSize(), (PreviewSize{530, 397}));
    unit<SpinEditBox>("像素宽编辑框")->setText(QStringLiteral("160")); // fits again: fitted afresh
    EXPECT_EQ(w->previewSize(), (PreviewSize{412, 309}));
    unit<SpinEditBox>("像素高编辑框")->setText(QStringLiteral("400")); // 430 > 309
    EXPECT_EQ(w->previewSize(), (PreviewSize{573, 430}));

    // The frame colour reaches the bars.
    const QColor before = cameraUnit("拍图框上标签")->palette().color(QPalette::Window);
    EXPECT_EQ(before, window->workspaceForTest().frameColour);
}

TEST_F(CameraWindowTest, ResizingSnapsBackToTheDevicesAspect)
{
    plugCamera(patternPicture({640, 480}));
    CameraWindow* w = openCamera();
    w->resize(w->width() + 100, w->height() + 10); // the width changed more: it drives
    EXPECT_EQ(w->previewSize(), (PreviewSize{512, 384}));
    EXPECT_EQ(w->size(), QSize(512 + 155, 384 + 56));
    EXPECT_EQ(cameraUnit("摄像分组框")->geometry(), QRect(4, 4, 534, 411));
    EXPECT_EQ(cameraUnit("拍照按钮")->geometry(), QRect(545, 355, 116, 78));
    EXPECT_EQ(cameraUnit("启用速拍选择框")->geometry(), QRect(7, 418, 137, 20));
    w->resize(w->width() + 5, w->height() + 60); // the height drives
    EXPECT_EQ(w->previewSize(), (PreviewSize{592, 444}));
    // The preview frame is centred again after every resize.
    EXPECT_EQ(previewFrame(), QPoint(296 - 80 + 10, 222 - 105 + 16));
}

TEST_F(CameraWindowTest, ABarDragStopsAtTheGroupsEdges)
{
    plugCamera(patternPicture({640, 480}));
    openCamera();
    QTest::mouseClick(cameraUnit<QCheckBox>("启用速拍选择框"), Qt::LeftButton);
    ASSERT_TRUE(state.camera.fastCaptureOn);
    for (const char* unit : kFastUnits)
        EXPECT_TRUE(shown(unit)) << unit;
    // Centred: (412/2 − 80 + 10, 309/2 − 105 + 16).
    EXPECT_EQ(previewFrame(), QPoint(136, 65));
    EXPECT_EQ(cameraUnit("拍图画板")->geometry(), QRect(136, 65, 160, 210));
    EXPECT_EQ(cameraUnit("拍图框左标签")->geometry(), QRect(126, 55, 9, 230));
    EXPECT_EQ(cameraUnit("拍图框上标签")->geometry(), QRect(126, 55, 180, 9));
    EXPECT_EQ(cameraUnit("拍图框下标签")->geometry(), QRect(126, 276, 180, 9));
    EXPECT_EQ(cameraUnit("拍图框右标签")->geometry(), QRect(301, 55, 9, 230));

    dragBar("拍图框上标签", QPoint(-20, 30));
    EXPECT_EQ(previewFrame(), QPoint(116, 95));
    dragBar("拍图框左标签", QPoint(-1000, -1000));
    EXPECT_EQ(previewFrame(), QPoint(11, 17));
    dragBar("拍图框右标签", QPoint(2000, 2000));
    const QSize group = cameraUnit("摄像分组框")->size();
    EXPECT_EQ(previewFrame(), QPoint(group.width() - 160 - 16, group.height() - 210 - 12));
    EXPECT_FALSE(state.camera.frameDragActive);
}

TEST_F(CameraWindowTest, AMoveButtonMovesAtOnceThenFromTheTenthTickAndMayLeaveThePreview)
{
    plugCamera(patternPicture({640, 480}));
    openCamera();
    QTest::mouseClick(cameraUnit<QCheckBox>("启用速拍选择框"), Qt::LeftButton);
    const QPoint start = previewFrame();
    auto* left = cameraUnit<QPushButton>("拍图左移按钮");
    QTest::mousePress(left, Qt::LeftButton);
    EXPECT_EQ(previewFrame(), start - QPoint(1, 0));
    moveTicks(9);
    EXPECT_EQ(previewFrame(), start - QPoint(1, 0));
    moveTicks(200);
    EXPECT_EQ(previewFrame(), start - QPoint(201, 0)); // beyond the preview's left edge
    QTest::mouseRelease(left, Qt::LeftButton);
    EXPECT_FALSE(state.camera.previewMove.left);
    EXPECT_EQ(cameraUnit("拍图画板")->geometry().topLeft(), previewFrame());
}

TEST_F(CameraWindowTest, TheDeviceDialogsChooseTheCameraAndItsFormatAndTheWindowFollows)
{
    plugCamera(patternPicture({1280, 720}), QStringLiteral("前置"));
    plugCamera(patternPicture({640, 480}), QStringLiteral("后置"));
    camera->formatList = {{QSize(640, 480), 30, 30}, {QSize(800, 600), 5, 30}};
    camera->formatPictures = {patternPicture({640, 480}), patternPicture({800, 600})};
    CameraWindow* w = openCamera();
    ASSERT_EQ(camera->connected, 2);

    dialogs.itemAnswers = {0};
    QTest::mouseClick(cameraUnit<QPushButton>("设备参数按钮"), Qt::LeftButton);
    ASSERT_EQ(dialogs.itemChoices.size(), 1);
    EXPECT_EQ(dialogs.itemChoices[0].title, QStringLiteral("设备参数"));
    EXPECT_EQ(dialogs.itemChoices[0].items, (QStringList{QStringLiteral("1. 前置"), QStringLiteral("2. 后置")}));
    EXPECT_EQ(dialogs.itemChoices[0].current, 1);
    EXPECT_EQ(camera->connected, 1);
    // The wide camera's aspect: the window keeps its width and takes the height.
    EXPECT_DOUBLE_EQ(state.camera.deviceAspect, 0.5625);
    EXPECT_EQ(w->previewSize(), (PreviewSize{412, 231}));

    dialogs.itemAnswers = {1};
    QTest::mouseClick(cameraUnit<QPushButton>("视频格式按钮"), Qt::LeftButton);
    ASSERT_EQ(dialogs.itemChoices.size(), 2);
    EXPECT_EQ(dialogs.itemChoices[1].title, QStringLiteral("视频格式"));
    EXPECT_EQ(dialogs.itemChoices[1].items,
              (QStringList{QStringLiteral("640 × 480，30 帧/秒"), QStringLiteral("800 × 600，5–30 帧/秒")}));
    EXPECT_EQ(camera->format, 1);
    EXPECT_DOUBLE_EQ(state.camera.deviceAspect, 0.75);
    EXPECT_EQ(w->previewSize(), (PreviewSize{412, 309}));

    // A cancelled dialog changes no device, but the aspect is read again all the same.
    QTest::mouseClick(cameraUnit<QPushButton>("设备参数按钮"), Qt::LeftButton);
    EXPECT_EQ(camera->connected, 1);
}

// A built-in and a USB camera: the one chosen in 设备参数 is connected again
// by a reopened window, by a retry and by the next start of the program.
TEST_F(CameraWindowTest, TheChosenCameraStaysChosen)
{
    const auto plugBoth = [this] {
        plugCamera(patternPicture({1280, 720}), QStringLiteral("内置摄像头"));
        plugCamera(patternPicture({640, 480}), QStringLiteral("USB 摄像头"));
    };
    const auto reopen = [this] {
        cameraWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        openCamera();
    };
    plugBoth();
    openCamera();
    ASSERT_EQ(camera->connected, 2); // none chosen yet: the last one
    dialogs.itemAnswers = {0};
    QTest::mouseClick(cameraUnit<QPushButton>("设备参数按钮"), Qt::LeftButton);
    ASSERT_EQ(camera->connected, 1);

    reopen();
    EXPECT_EQ(camera->connected, 1);
    camera->unplug();
    shoot(); // the retry
    EXPECT_EQ(camera->connected, 1);
    EXPECT_EQ(cameraUnit<QPushButton>("拍照按钮")->text(), QStringLiteral("拍 照"));

    // The next start of the program remembers the choice.
    open();
    plugBoth();
    openCamera();
    EXPECT_EQ(camera->connected, 1);
    EXPECT_DOUBLE_EQ(state.camera.deviceAspect, 0.5625);

    // Gone, or busy elsewhere: the last one, as when none was chosen; back
    // again, the chosen one.
    const struct {
        const char* what;
        bool builtInThere;
        bool builtInBusy;
        const char* connected;
    } absences[] = {
        {"unplugged", false, false, "USB 摄像头"},
        {"in use elsewhere", true, true, "USB 摄像头"},
        {"back", true, false, "内置摄像头"},
    };
    for (const auto& a : absences) {
        SCOPED_TRACE(a.what);
        camera->names.clear();
        camera->pictures.clear();
        plugBoth();
        if (!a.builtInThere) {
            camera->names.removeFirst();
            camera->pictures.removeFirst();
        }
        camera->refusing.clear();
        if (a.builtInBusy)
            camera->refusing = {1};
        reopen();
        ASSERT_GE(camera->connected, 1);
        EXPECT_EQ(camera->names[camera->connected - 1], QString::fromUtf8(a.connected));
    }
}

TEST_F(CameraWindowTest, AnUnpluggedCameraLeavesTheRetryStateAndNothingToShoot)
{
    plugCamera(patternPicture({640, 480}));
    openCamera();
    QTest::mouseClick(cameraUnit<QCheckBox>("启用速拍选择框"), Qt::LeftButton);
    camera->deliver(patternPicture({640, 480}));
    camera->unplug();
    EXPECT_EQ(cameraUnit<QPushButton>("拍照按钮")->text(), QStringLiteral("重 试"));
    EXPECT_TRUE(shown("标签1"));
    EXPECT_FALSE(shown("视频设备1"));
    for (const char* hidden : kFastUnits)
        EXPECT_FALSE(shown(hidden)) << hidden;
    // The press retries; with the camera still gone nothing is shot or written.
    camera->names.clear();
    shoot();
    EXPECT_EQ(cameraUnit<QPushButton>("拍照按钮")->text(), QStringLiteral("重 试"));
    EXPECT_FALSE(state.view.imageLoaded);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CameraWindowTest, ANormalShotGivesTheMainWindowTheDevicesFullPicture)
{
    const QImage picture = patternPicture({1280, 960});
    plugCamera(picture);
    CameraWindow* w = openCamera();
    state.view.scrollRatioX = 0.25; // kept by a shot
    shoot();
    ASSERT_TRUE(state.view.imageLoaded);
    EXPECT_EQ(state.view.currentPicture.size(), QSize(1280, 960));
    EXPECT_EQ(state.view.currentPicture.pixel(17, 33), picture.pixel(17, 33));
    EXPECT_DOUBLE_EQ(state.view.scrollRatioX, 0.25);
    // Fitted to the view as an opened file is.
    EXPECT_LT(state.view.viewScale, 1.0);
    EXPECT_EQ(cameraWindow(), w); // still open for the next shot
    EXPECT_TRUE(w->isVisible());
}

TEST_F(CameraWindowTest, ClosingTheWindowLetsTheDeviceGoAndBatchCropClosesIt)
{
    plugCamera(patternPicture({640, 480}));
    CameraWindow* w = openCamera();
    w->close();
    EXPECT_FALSE(state.camera.cameraOpen);
    EXPECT_FALSE(camera->preview);
    EXPECT_EQ(camera->connected, -1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(cameraWindow(), nullptr);

    // The same device object serves the next window; fast capture survives a close.
    openCamera();
    QTest::mouseClick(cameraUnit<QCheckBox>("启用速拍选择框"), Qt::LeftButton);
    cameraWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    openCamera();
    EXPECT_TRUE(cameraUnit<QCheckBox>("启用速拍选择框")->isChecked());
    EXPECT_TRUE(shown("拍图框上标签"));

    // Batch crop closes the window and switches fast capture off.
    window->batchModeForTest()->enterBatchCrop();
    EXPECT_FALSE(state.camera.cameraOpen);
    EXPECT_FALSE(state.camera.fastCaptureOn);
}

TEST_F(CameraWindowTest, TheMainWindowClosingStopsThePreview)
{
    plugCamera(patternPicture({640, 480}));
    openCamera();
    FakeCaptureDevice* device = camera;
    ASSERT_TRUE(device->preview);
    int releasesBefore = device->releaseCalls;
    window->close();
    EXPECT_FALSE(state.camera.cameraOpen);
    EXPECT_GT(device->releaseCalls, releasesBefore);
}

} // namespace
