#include "support/main_window_fixture.h"
#include "support/test_images.h"
#include "imaging/bmp_file.h"
#include "workspace/colour_picker.h"
#include "workspace/spin_edit_box.h"
#include "workspace/view_panel.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

namespace {

class FrameTest : public MainWindowFixture {
protected:
    ViewPanel* view() { return unit<ViewPanel>("可视画板"); }
    SpinEditBox* widthBox() { return unit<SpinEditBox>("像素宽编辑框"); }
    SpinEditBox* heightBox() { return unit<SpinEditBox>("像素高编辑框"); }
    QLineEdit* jpegBox() { return unit<QLineEdit>("JPG体积编辑框"); }
    QComboBox* sizeTypes() { return unit<QComboBox>("尺寸类型组合框"); }

    void loadPicture(QSize size = QSize(400, 270))
    {
        clipboard.offered = encodeBmp24(photoLikePicture(size.width(), size.height()));
        QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(state.view.imageLoaded);
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), view()->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(view(), &event);
    }

    void drag(QPoint from, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    void typeInto(SpinEditBox* box, const QString& text)
    {
        box->editor()->selectAll();
        QTest::keyClicks(box->editor(), text);
    }

    QRect frame() const
    {
        return {state.frame.frameLeft, state.frame.frameTop, state.frame.frameWidth, state.frame.frameHeight};
    }

    void chooseSizeType(int index)
    {
        sizeTypes()->setCurrentIndex(index);
        emit sizeTypes()->activated(index);
    }
};

TEST_F(FrameTest, TypingAWidthBeyondTheViewWidensTheWindowAndRecentresTheFrame)
{
    typeInto(widthBox(), QStringLiteral("500"));
    EXPECT_EQ(sizeTypes()->currentText(), QStringLiteral("自定义"));
    EXPECT_EQ(state.frame.frameWidth, 500);
    EXPECT_EQ(window->workspaceForTest().image.width(), 530);
    EXPECT_EQ(geometryOf("可视画板").width(), 530);
    EXPECT_EQ(state.view.viewCentreX, 265);
    EXPECT_EQ(state.frame.frameLeft, 15);
}

TEST_F(FrameTest, TheScreenWarningStartsOneDesignPixelBeyondTheScreen)
{
    state.main.screenWidth = 1024;
    state.main.ncW = 0;
    widthBox()->setText(QStringLiteral("801"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    widthBox()->setText(QStringLiteral("802"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("此电脑屏幕像素分辩率不够高，不满足操作要求。"));
    // The width is applied anyway.
    EXPECT_EQ(state.frame.frameWidth, 802);
    EXPECT_EQ(window->workspaceForTest().image.width(), 832);

    state.main.screenHeight = 768;
    state.main.ncH = 0;
    heightBox()->setText(QStringLiteral("583")); // 583 + 165 + 20 = 768
    EXPECT_EQ(dialogs.messages.size(), 1);
    heightBox()->setText(QStringLiteral("584"));
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(window->workspaceForTest().image.height(), 614);
}

TEST_F(FrameTest, ASizeTypeWritesWidthThenHeight)
{
    QStringList written;
    QObject::connect(widthBox(), &SpinEditBox::contentChanged, [&] { written << widthBox()->text(); });
    QObject::connect(heightBox(), &SpinEditBox::contentChanged, [&] { written << heightBox()->text(); });
    chooseSizeType(7);
    EXPECT_EQ(written, (QStringList{"413", "626"}));
    EXPECT_EQ(frame().size(), QSize(413, 626));
    EXPECT_EQ(window->workspaceForTest().image.size(), QSize(443, 656));
    EXPECT_TRUE(view()->hasFocus());

    chooseSizeType(0);
    EXPECT_EQ(frame().size(), QSize(160, 210));
    // The window is not made smaller again.
    EXPECT_EQ(window->workspaceForTest().image.size(), QSize(443, 656));
}

TEST_F(FrameTest, SpinButtonsStepTheSizeAndMakeItCustom)
{
    chooseSizeType(4);
    widthBox()->stepBy(1);
    EXPECT_EQ(widthBox()->text(), QStringLiteral("296"));
    EXPECT_EQ(state.frame.frameWidth, 296);
    EXPECT_EQ(sizeTypes()->currentIndex(), 1);
    heightBox()->stepBy(-1);
    EXPECT_EQ(state.frame.frameHeight, 412);
}

TEST_F(FrameTest, BadSizeTextsNeverMakeTheFrameSmallerThanOnePixel)
{
    for (const char* text : {"", "0", "-5", "abc", "12ab"}) {
        widthBox()->setText(QString::fromUtf8(text));
        heightBox()->setText(QString::fromUtf8(text));
        EXPECT_GE(state.frame.frameWidth, 1) << text;
        EXPECT_GE(state.frame.frameHeight, 1) << text;
    }
    // Typing refuses letters and signs.
    widthBox()->setText(QStringLiteral("160"));
    widthBox()->editor()->setCursorPosition(3);
    QTest::keyClicks(widthBox()->editor(), QStringLiteral("a-"));
    EXPECT_EQ(widthBox()->text(), QStringLiteral("160"));
    // A huge number is held at the largest frame the program takes.
    widthBox()->setText(QStringLiteral("999999999"));
    EXPECT_EQ(state.frame.frameWidth, 8000);
    EXPECT_EQ(widthBox()->text(), QStringLiteral("8000"));
}

TEST_F(FrameTest, DraggingInsideMovesTheFrameAndAnEdgeResizesIt)
{
    loadPicture();
    drag(QPoint(200, 100), QPoint(230, 90));
    EXPECT_EQ(frame(), QRect(155, 24, 160, 210));
    EXPECT_EQ(state.frame.frameDrag, FrameDrag::None);

    // The right edge, 20 pixels out: the width box follows.
    drag(QPoint(155 + 160 + 1, 100), QPoint(155 + 160 + 21, 100));
    EXPECT_EQ(frame(), QRect(155, 24, 180, 210));
    EXPECT_EQ(widthBox()->text(), QStringLiteral("180"));
    // The bottom-left corner.
    drag(QPoint(154, 24 + 210 + 1), QPoint(164, 24 + 210 - 9));
    EXPECT_EQ(frame(), QRect(165, 24, 170, 200));
    EXPECT_EQ(heightBox()->text(), QStringLiteral("200"));
    // The outline follows the frame.
    EXPECT_EQ(window->workspaceForTest().view.pixel(164, 23), qRgb(255, 255, 0));
}

TEST_F(FrameTest, AResizeThatWouldPassTenPixelsEndsTheDrag)
{
    loadPicture();
    widthBox()->setText(QStringLiteral("15"));
    const int left = state.frame.frameLeft;
    mouse(QEvent::MouseButtonPress, QPoint(left, 100), Qt::LeftButton);
    EXPECT_EQ(state.frame.frameDrag, FrameDrag::Left);
    mouse(QEvent::MouseMove, QPoint(left + 6, 100), Qt::LeftButton);
    EXPECT_EQ(state.frame.frameDrag, FrameDrag::None);
    EXPECT_EQ(state.frame.frameWidth, 15);
    EXPECT_EQ(state.frame.frameLeft, left);
}

TEST_F(FrameTest, WithoutAPictureTheMouseAndTheMoveButtonsDoNotMoveTheFrame)
{
    drag(QPoint(200, 100), QPoint(230, 90));
    EXPECT_EQ(frame(), QRect(125, 34, 160, 210));
    QTest::mouseClick(unit("截图上移按钮"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。"));
    EXPECT_EQ(frame(), QRect(125, 34, 160, 210));
}

TEST_F(FrameTest, AMoveButtonMovesOnceAtOnceThenRepeatsUntilReleased)
{
    loadPicture();
    auto* down = unit<QPushButton>("截图下移按钮");
    QTest::mousePress(down, Qt::LeftButton);
    EXPECT_EQ(state.frame.frameTop, 35);
    QTest::qWait(300);
    QTest::mouseRelease(down, Qt::LeftButton);
    const int afterRelease = state.frame.frameTop;
    EXPECT_GT(afterRelease, 35);
    QTest::qWait(50);
    EXPECT_EQ(state.frame.frameTop, afterRelease);
    EXPECT_FALSE(state.frame.frameMove.down);
    EXPECT_EQ(state.frame.frameLeft, 125);
}

TEST_F(FrameTest, TheJpegSizeBoxHoldsAPositiveLimit)
{
    jpegBox()->setText(QStringLiteral(" 80 "));
    EXPECT_EQ(jpegBox()->text(), QStringLiteral("80"));
    EXPECT_DOUBLE_EQ(state.frame.jpegLimitKB, 80.0);
    jpegBox()->setText(QStringLiteral("0"));
    EXPECT_EQ(jpegBox()->text(), QStringLiteral("50"));
    EXPECT_DOUBLE_EQ(state.frame.jpegLimitKB, 50.0);
    jpegBox()->setText(QStringLiteral("1"));
    unit<SpinEditBox>("体积编辑框")->stepBy(-1);
    EXPECT_EQ(jpegBox()->text(), QStringLiteral("500"));
    EXPECT_DOUBLE_EQ(state.frame.jpegLimitKB, 500.0);
    jpegBox()->setText(QStringLiteral("中文"));
    EXPECT_EQ(jpegBox()->text(), QStringLiteral("50"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(FrameTest, FocusOnTheJpegFrameGoesToTheSizeBox)
{
    unit("小于编辑框")->setFocus();
    QTest::qWait(10);
    EXPECT_TRUE(jpegBox()->hasFocus());
}

TEST_F(FrameTest, AChosenColourRedrawsTheOutline)
{
    loadPicture();
    dialogs.colourAnswers = {QColor(255, 0, 0)};
    QTest::mouseClick(unit("采集框颜色选择器"), Qt::LeftButton);
    EXPECT_EQ(unit<ColourPicker>("采集框颜色选择器")->colour(), QColor(255, 0, 0));
    EXPECT_EQ(window->workspaceForTest().view.pixel(124, 33), qRgb(255, 0, 0));
    EXPECT_TRUE(view()->hasFocus());
}

TEST_F(FrameTest, TheHoverCursorShowsTheZone)
{
    loadPicture();
    mouse(QEvent::MouseMove, QPoint(200, 100), Qt::NoButton);
    EXPECT_EQ(view()->cursor().shape(), Qt::SizeAllCursor);
    mouse(QEvent::MouseMove, QPoint(125, 35), Qt::NoButton); // (L, T + 1)
    EXPECT_EQ(view()->cursor().shape(), Qt::ArrowCursor);
    mouse(QEvent::MouseMove, QPoint(125, 36), Qt::NoButton); // (L, T + 2)
    EXPECT_EQ(view()->cursor().shape(), Qt::SizeHorCursor);
    mouse(QEvent::MouseMove, QPoint(286, 245), Qt::NoButton);
    EXPECT_EQ(view()->cursor().shape(), Qt::SizeFDiagCursor);
    // A right click gives back the default cursor.
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(286, 245), view()->mapToGlobal(QPointF(286, 245)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view(), &right);
    EXPECT_EQ(view()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(state.frame.frameDrag, FrameDrag::None);
}

// ---- the boxes and buttons react only as a user means them ----

TEST_F(FrameTest, AHeldMoveButtonKeepsMovingWhenThePointerSlidesOffAndBack)
{
    loadPicture();
    auto* down = unit<QPushButton>("截图下移按钮");
    auto* timer = window->findChild<QTimer*>(QStringLiteral("截图时钟"));
    ASSERT_NE(timer, nullptr);
    const auto moveOver = [down](QPoint at) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), down->mapToGlobal(QPointF(at)), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(down, &event);
    };
    const auto ticks = [timer](int n) {
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(timer->isActive());
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        }
    };

    QTest::mousePress(down, Qt::LeftButton);
    EXPECT_EQ(state.frame.frameTop, 35);
    ticks(5);
    moveOver(QPoint(-40, -40)); // off the button
    ticks(4);
    moveOver(QPoint(5, 5)); // back onto it: no extra pixel, no new delay
    EXPECT_EQ(state.frame.frameTop, 35);
    ticks(3); // ticks 10, 11, 12 move
    EXPECT_EQ(state.frame.frameTop, 38);
    moveOver(QPoint(-40, -40));
    ticks(2);
    EXPECT_EQ(state.frame.frameTop, 40);
    QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(-40, -40));
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(state.frame.frameMove.down);
    EXPECT_EQ(state.frame.frameTop, 40);
    EXPECT_EQ(state.frame.frameLeft, 125);
}

TEST_F(FrameTest, TheWheelAndThePageKeysDoNotChangeTheBoxes)
{
    loadPicture();
    for (const char* name : {"像素宽编辑框", "像素高编辑框", "体积编辑框", "JPG体积编辑框"}) {
        QWidget* box = unit(name);
        ASSERT_NE(box, nullptr) << name;
        QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(box, &wheel);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_PageUp);
        QTest::keyClick(box, Qt::Key_PageDown);
        EXPECT_EQ(widthBox()->text(), QStringLiteral("160")) << name;
        EXPECT_EQ(heightBox()->text(), QStringLiteral("210")) << name;
        EXPECT_EQ(jpegBox()->text(), QStringLiteral("500")) << name;
        EXPECT_EQ(sizeTypes()->currentIndex(), 0) << name;
        EXPECT_EQ(frame(), QRect(125, 34, 160, 210)) << name;
    }
}

TEST_F(FrameTest, ASizeThatLeavesTheWindowAsItIsKeepsTheFrameWhereTheUserPutIt)
{
    state.main.screenWidth = state.main.screenHeight = 4000;
    loadPicture();
    chooseSizeType(7); // 2寸照: the window grows to a view of 443 × 656
    ASSERT_EQ(window->workspaceForTest().image.size(), QSize(443, 656));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(view(), Qt::Key_Right);
    QTest::keyClick(view(), Qt::Key_Down);
    const QPoint moved(state.frame.frameLeft, state.frame.frameTop);
    widthBox()->setFocus();
    widthBox()->stepBy(-1);
    widthBox()->stepBy(1);
    EXPECT_EQ(state.frame.frameWidth, 413);
    EXPECT_EQ(QPoint(state.frame.frameLeft, state.frame.frameTop), moved);
    EXPECT_TRUE(widthBox()->hasFocus());
}

TEST_F(FrameTest, WritingTheSameTextRunsTheSizeHandlingAgain)
{
    state.main.screenWidth = state.main.screenHeight = 4000;
    window->resizeClient(QSize(300, 200)); // a view of 125 × 89, too small for the frame
    chooseSizeType(0); // 默认 again: 160 and 210 are written over the same texts
    EXPECT_EQ(window->workspaceForTest().image.size(), QSize(190, 240));

    state.main.screenWidth = 600;
    dialogs.messages.clear();
    chooseSizeType(5); // 小2寸普通: 413 wide
    chooseSizeType(7); // 2寸照: 413 wide again
    int widthWarnings = 0;
    for (const ShownMessage& m : dialogs.messages)
        widthWarnings += m.text == QStringLiteral("此电脑屏幕像素分辩率不够高，不满足操作要求。") ? 1 : 0;
    EXPECT_EQ(widthWarnings, 2);
}

TEST_F(FrameTest, OnlyAnEditThatChangesASizeBoxMakesTheSizeTypeCustom)
{
    struct Case {
        const char* what;
        std::function<void(SpinEditBox*)> edit;
        bool custom;
    };
    const QList<Case> cases = {
        {"a typed digit", [](SpinEditBox* b) { QTest::keyClick(b->editor(), Qt::Key_5); }, true},
        {"a refused letter", [](SpinEditBox* b) { QTest::keyClick(b->editor(), Qt::Key_A); }, false},
        {"Delete", [](SpinEditBox* b) {
             b->editor()->setCursorPosition(0);
             QTest::keyClick(b->editor(), Qt::Key_Delete);
         }, true},
        {"cut", [](SpinEditBox* b) {
             b->editor()->selectAll();
             b->editor()->cut();
         }, true},
        {"a pasted number", [](SpinEditBox* b) {
             QGuiApplication::clipboard()->setText(QStringLiteral("7"));
             b->editor()->paste();
         }, true},
        {"pasted letters", [](SpinEditBox* b) {
             QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
             b->editor()->paste();
         }, false},
    };
    for (const Case& c : cases) {
        for (SpinEditBox* box : {widthBox(), heightBox()}) {
            chooseSizeType(0);
            box->setFocus();
            box->editor()->setCursorPosition(box->text().size());
            c.edit(box);
            EXPECT_EQ(sizeTypes()->currentIndex(), c.custom ? 1 : 0) << c.what << " " << box->objectName().toStdString();
        }
    }
}

TEST_F(FrameTest, AFileThatCannotBeReadLeavesTheFocusWhereItWas)
{
    TempFolder files;
    files.write(QStringLiteral("broken.jpg"), QByteArray("not a picture at all"));
    widthBox()->setFocus();
    ASSERT_TRUE(widthBox()->hasFocus());
    window->dropImageFiles({files.file(QStringLiteral("broken.jpg"))});
    EXPECT_TRUE(widthBox()->hasFocus());
}

} // namespace
