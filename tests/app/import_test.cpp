#include "support/main_window_fixture.h"
#include "support/test_images.h"
#include "imaging/bmp_file.h"
#include "workspace/view_panel.h"

#include <QDropEvent>
#include <functional>
#include <QMimeData>
#include <QScrollBar>
#include <QToolBar>
#include <QUrl>
#include <QWheelEvent>

namespace {

class ImportTest : public MainWindowFixture {
protected:
    QString writePicture(const QString& name, const QImage& picture, const char* format = "png")
    {
        files.write(name, encodeAs(picture, format, 90));
        return files.file(name);
    }

    ViewPanel* view() { return unit<ViewPanel>("可视画板"); }

    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(view(), Qt::Key(k), mods); }

    void dropOnView(const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls.append(QUrl::fromLocalFile(p));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view(), &enter);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view(), &drop);
    }

    void wheel(int angleDelta)
    {
        QWheelEvent event(QPointF(50, 50), view()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, angleDelta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view(), &event);
    }

    QAction* toolbarEntry(int index) { return unit<QToolBar>("工具条1")->actions()[index]; }

    TempFolder files;
};

TEST_F(ImportTest, OpenTheDialogAndFitThePhoto)
{
    const QString path = writePicture(QStringLiteral("头像.png"), quarteredPicture(1200, 1600));
    dialogs.fileAnswers = {path};
    toolbarEntry(1)->trigger();

    ASSERT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("打开图片文件"));
    EXPECT_EQ(dialogs.fileDialogs[0].filter, QStringLiteral("图片文件|*.bmp;*.jpg;*.jpeg;*.gif;*.png"));
    EXPECT_TRUE(state.view.imageLoaded);
    EXPECT_DOUBLE_EQ(state.view.viewScale, 279.0 / 1600.0);
    EXPECT_EQ(state.view.marginX, 101);
    EXPECT_FALSE(unit("横向滚动条")->isEnabled());
    EXPECT_TRUE(view()->hasFocus());
    // The frame keeps its place and size.
    EXPECT_EQ(QRect(state.frame.frameLeft, state.frame.frameTop, state.frame.frameWidth, state.frame.frameHeight),
              QRect(125, 34, 160, 210));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ImportTest, CancellingTheDialogChangesNothing)
{
    toolbarEntry(1)->trigger();
    EXPECT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_FALSE(state.view.imageLoaded);
}

TEST_F(ImportTest, DroppingTwoFilesAsksForOne)
{
    dropOnView({writePicture(QStringLiteral("a.png"), quarteredPicture(10, 10)),
                writePicture(QStringLiteral("b.png"), quarteredPicture(10, 10))});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("您同时拖放了2个文件，请每次只拖放一个文件。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_FALSE(state.view.imageLoaded);
}

TEST_F(ImportTest, DroppingAnotherKindOfFileIsRefused)
{
    for (const char* name : {"a.tif", "readme", "photo.jpg.txt"}) {
        dialogs.messages.clear();
        const QString path = writePicture(QString::fromUtf8(name), quarteredPicture(10, 10));
        dropOnView({path});
        ASSERT_EQ(dialogs.messages.size(), 1) << name;
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("本软件只接收bmp、jpg、jpeg、gif、png五类图片文件，您拖放的文件不属此范围。"));
        EXPECT_FALSE(state.view.imageLoaded) << name;
    }
}

TEST_F(ImportTest, DroppingAnUpperCaseJpegIsAccepted)
{
    dropOnView({writePicture(QStringLiteral("A.JPEG"), quarteredPicture(300, 200), "jpeg")});
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(state.view.imageLoaded);
    EXPECT_EQ(state.view.currentPicture.size(), QSize(300, 200));
    EXPECT_DOUBLE_EQ(state.view.viewScale, 1.0);
}

TEST_F(ImportTest, AFileThatCannotBeDecodedIsToldAndOpensNothing)
{
    files.write(QStringLiteral("broken.jpg"), QByteArray("\xFF\xD8\xFF\xE0 not really", 15));
    dropOnView({files.file(QStringLiteral("broken.jpg"))});
    EXPECT_FALSE(state.view.imageLoaded);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("无法读取此图片文件，当前图片保持不变。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
}

// The user's picture, perhaps retouched, is never lost to a file or a
// clipboard content that cannot be read: it stays, with its view, and is
// what a save or a turn then works on.
TEST_F(ImportTest, AFailedOpenOrPasteKeepsTheCurrentPictureAndView)
{
    const QImage photo = photoLikePicture(300, 200);
    dropOnView({writePicture(QStringLiteral("good.png"), photo)});
    ASSERT_TRUE(state.view.imageLoaded);
    wheel(-120);
    const ViewState before = state.view;
    const QImage viewBefore = window->workspaceForTest().image;

    files.write(QStringLiteral("empty.png"), QByteArray());
    files.write(QStringLiteral("cut.png"), encodeAs(photo, "png").left(40));
    const struct {
        const char* what;
        std::function<void()> import;
        QString message;
    } cases[] = {
        {"an empty file dropped", [&] { dropOnView({files.file(QStringLiteral("empty.png"))}); },
         QStringLiteral("无法读取此图片文件，当前图片保持不变。")},
        {"a cut file opened",
         [&] {
             dialogs.fileAnswers = {files.file(QStringLiteral("cut.png"))};
             toolbarEntry(1)->trigger();
         },
         QStringLiteral("无法读取此图片文件，当前图片保持不变。")},
        {"a missing file dropped", [&] { dropOnView({files.file(QStringLiteral("gone.jpg"))}); },
         QStringLiteral("无法读取此图片文件，当前图片保持不变。")},
        {"a damaged clipboard picture",
         [&] {
             clipboard.offered = QByteArray("BM not a bitmap at all");
             key(Qt::Key_V, Qt::ControlModifier);
         },
         QStringLiteral("无法读取剪贴板中的图片，当前图片保持不变。")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.messages.clear();
        c.import();
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_TRUE(state.view.imageLoaded);
        EXPECT_EQ(state.view.currentPicture, before.currentPicture);
        EXPECT_EQ(state.view.pictureFile, before.pictureFile);
        EXPECT_DOUBLE_EQ(state.view.viewScale, before.viewScale);
        EXPECT_EQ(window->workspaceForTest().image, viewBefore);
    }

    // Copying the frame and turning still work on the photo.
    dialogs.messages.clear();
    key(Qt::Key_C, Qt::ControlModifier);
    const FrameState& f = state.frame;
    EXPECT_EQ(clipboard.placed, viewBefore.copy(f.frameLeft, f.frameTop, f.frameWidth, f.frameHeight));
    toolbarEntry(6)->trigger();
    EXPECT_EQ(state.view.currentPicture.size(), QSize(200, 300));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ImportTest, CtrlVPastesAndOnlyExactlyCtrl)
{
    clipboard.offered = encodeBmp24(quarteredPicture(200, 100));
    key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    key(Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    key(Qt::Key_V);
    EXPECT_FALSE(state.view.imageLoaded);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(state.view.imageLoaded);
    EXPECT_EQ(state.view.currentPicture.size(), QSize(200, 100));
    EXPECT_EQ(state.view.currentPicture.pixel(10, 10), qRgb(255, 0, 0));
}

TEST_F(ImportTest, AnEmptyClipboardPastesNothing)
{
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(state.view.imageLoaded);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ImportTest, CtrlCCopiesTheFramedPixels)
{
    clipboard.offered = encodeBmp24(photoLikePicture(400, 270));
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(clipboard.placements, 0);
    key(Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(clipboard.placements, 1);
    const Workspace& ws = window->workspaceForTest();
    EXPECT_EQ(clipboard.placed, ws.image.copy(125, 34, 160, 210));
}

TEST_F(ImportTest, ZoomKeysWheelAndToolbar)
{
    clipboard.offered = encodeBmp24(photoLikePicture(300, 200));
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_DOUBLE_EQ(state.view.viewScale, 1.0);
    key(Qt::Key_Equal);
    EXPECT_DOUBLE_EQ(state.view.viewScale, 1.02);
    key(Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(state.view.viewScale, 1.02 * 0.98);
    wheel(-120); // toward the user: larger
    EXPECT_DOUBLE_EQ(state.view.viewScale, 1.02 * 0.98 * 1.02);
    toolbarEntry(5)->trigger();
    EXPECT_DOUBLE_EQ(state.view.viewScale, 1.02 * 0.98 * 1.02 * 0.98);
    EXPECT_EQ(state.view.scaledWidth, static_cast<int>(300 * state.view.viewScale));
}

TEST_F(ImportTest, ZoomButtonsWithoutAPictureDoNothing)
{
    const double before = state.view.viewScale;
    toolbarEntry(4)->trigger();
    wheel(-120);
    EXPECT_DOUBLE_EQ(state.view.viewScale, before);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ImportTest, ArrowKeysMoveTheFrameOnlyWithAPicture)
{
    key(Qt::Key_Left);
    EXPECT_EQ(state.frame.frameLeft, 125);
    clipboard.offered = encodeBmp24(quarteredPicture(300, 200));
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Left);
    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(state.frame.frameLeft, 124);
    EXPECT_EQ(state.frame.frameTop, 35);
    const Workspace& ws = window->workspaceForTest();
    EXPECT_EQ(ws.view.pixel(123, 34), qRgb(255, 255, 0));
}

TEST_F(ImportTest, ScrollBarsFollowAPictureLargerThanTheView)
{
    clipboard.offered = encodeBmp24(photoLikePicture(1000, 600));
    key(Qt::Key_V, Qt::ControlModifier);
    for (int i = 0; i < 40 && state.view.scaledWidth <= 411; ++i)
        key(Qt::Key_Equal);
    auto* bar = unit<QScrollBar>("横向滚动条");
    ASSERT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->maximum(), state.view.scaledWidth - 411);
    bar->setValue(0);
    EXPECT_EQ(state.view.scrollX, 0);
    EXPECT_DOUBLE_EQ(state.view.scrollRatioX, 0.0);
    bar->setValue(bar->maximum());
    EXPECT_DOUBLE_EQ(state.view.scrollRatioX, 1.0);
}

TEST_F(ImportTest, HintsFollowThePointer)
{
    QTest::mouseMove(unit("像素宽编辑框"), QPoint(5, 5));
    EXPECT_EQ(state.view.statusHint, QStringLiteral("设置输出图片宽度"));
    QTest::mouseMove(unit("截图保存按钮"), QPoint(5, 5));
    EXPECT_EQ(state.view.statusHint, QStringLiteral("保存采集框内图片"));
    QTest::mouseMove(unit("横向滚动条"), QPoint(50, 5));
    EXPECT_EQ(state.view.statusHint, QStringLiteral("左右移动图片"));
    QTest::mouseMove(view(), QPoint(20, 20));
    EXPECT_EQ(state.view.statusHint, QStringLiteral("请打开或拖拽一图片文件或通过拍照来采集头像"));

    clipboard.offered = encodeBmp24(quarteredPicture(300, 200));
    key(Qt::Key_V, Qt::ControlModifier);
    QTest::mouseMove(view(), QPoint(30, 30));
    EXPECT_EQ(state.view.statusHint, QStringLiteral("滚动鼠标滚轮可缩放图片"));
    QTest::mouseMove(unit("面板分组框"), QPoint(5, 5));
    EXPECT_EQ(state.view.statusHint, QStringLiteral("滚动鼠标滚轮可缩放图片"));
    // The toolbar keeps a hint other than the start text.
    QTest::mouseMove(unit("工具条1"), QPoint(300, 40));
    EXPECT_EQ(state.view.statusHint, QStringLiteral("滚动鼠标滚轮可缩放图片"));
    // The window's own background clears any hint outside batch mode.
    QTest::mouseMove(unit("主窗口客户区"), QPoint(430, 300));
    EXPECT_EQ(state.view.statusHint, QString());
}

TEST_F(ImportTest, TheToolbarClearsTheStartHintOnceThereIsAPicture)
{
    QTest::mouseMove(unit("工具条1"), QPoint(300, 40));
    EXPECT_EQ(state.view.statusHint, QStringLiteral("请打开或拖拽一图片文件或通过拍照来采集头像"));
    clipboard.offered = encodeBmp24(quarteredPicture(300, 200));
    key(Qt::Key_V, Qt::ControlModifier);
    QTest::mouseMove(unit("工具条1"), QPoint(310, 40));
    EXPECT_EQ(state.view.statusHint, QString());
}

TEST_F(ImportTest, EnlargingTheWindowRendersThePictureAgain)
{
    clipboard.offered = encodeBmp24(quarteredPicture(300, 200));
    key(Qt::Key_V, Qt::ControlModifier);
    window->resizeClient(QSize(686, 410));
    QTest::qWait(10);
    EXPECT_EQ(window->workspaceForTest().image.size(), QSize(511, 329));
    EXPECT_EQ(state.view.marginX, (511 - 300) / 2);
    EXPECT_EQ(state.view.marginY, (329 - 200) / 2);
}

} // namespace
