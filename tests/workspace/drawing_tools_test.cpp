// The drawing tools in the main window: the palette, the brush, the text
// stamp, the pipette and the colours, as the user uses them with the mouse
// and the keyboard.
#include "support/main_window_fixture.h"
#include "support/test_images.h"

#include "batch/batch_crop_mode.h"
#include "batch/navigation_keys.h"
#include "state/naming_schemes.h"
#include "imaging/bmp_file.h"
#include "imaging/image_decoder.h"
#include "workspace/colour_picker.h"
#include "workspace/drawing_geometry.h"
#include "workspace/drawing_tools.h"
#include "workspace/spin_edit_box.h"
#include "workspace/tool_palette_window.h"
#include "workspace/view_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QToolBar>

#include <functional>

namespace {

class DrawingToolsTest : public MainWindowFixture {
protected:
    ViewPanel* view() { return unit<ViewPanel>("可视画板"); }
    QLineEdit* entry() { return unit<QLineEdit>("文字输入编辑框"); }
    ToolPaletteWindow* palette() { return window->toolPaletteForTest(); }

    template <typename T = QWidget>
    T* paletteUnit(const char* name)
    {
        return palette()->findChild<T*>(QString::fromUtf8(name));
    }

    void loadPicture(QSize size = QSize(400, 270))
    {
        clipboard.offered = encodeBmp24(photoLikePicture(size.width(), size.height()));
        QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(state.view.imageLoaded);
    }

    // The toolbar's 编辑.
    void showPalette()
    {
        for (QAction* action : unit<QToolBar>("工具条1")->actions())
            if (action->text() == QStringLiteral("编辑"))
                action->trigger();
    }

    void tick(const char* box) { QTest::mouseClick(paletteUnit<QCheckBox>(box), Qt::LeftButton); }

    void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &event);
    }
    void press(QPoint at) { mouse(view(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    void moveTo(QPoint at) { mouse(view(), QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void release(QPoint at) { mouse(view(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
    void click(QPoint at)
    {
        press(at);
        release(at);
    }
    void rightClick(QWidget* w, QPoint at) { mouse(w, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton); }

    void setBrushWidth(int width) { paletteUnit<SpinEditBox>("画笔粗细编辑框")->setText(QString::number(width)); }
    void setColour(const QColor& colour)
    {
        dialogs.colourAnswers = {colour};
        QTest::mouseClick(paletteUnit<ColourPicker>("颜色选择器1"), Qt::LeftButton);
    }

    // The picture's pixel under a view point, at scale 1 after a bake.
    QRgb pictureAt(QPoint viewPoint)
    {
        const ViewState& v = state.view;
        return state.view.currentPicture.pixel(viewPoint.x() - v.marginX + v.scrollX,
                                               viewPoint.y() - v.marginY + v.scrollY);
    }

    void startBatchKeys()
    {
        state.batch.batchActive = true;
        window->batchModeForTest()->keys().registerNavigationKeys();
        ASSERT_TRUE(state.batch.keysRegistered);
    }
};

TEST_F(DrawingToolsTest, ThePaletteHasItsUnitsAndNeedsAPicture)
{
    showPalette();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。"));
    EXPECT_FALSE(palette()->isVisible());

    loadPicture();
    showPalette();
    EXPECT_TRUE(palette()->isVisible());
    EXPECT_TRUE(state.tools.paletteShown);
    EXPECT_EQ(palette()->size(), QSize(75, 318));
    // The width group's units stand in its contents area, below its title:
    // their tops count from the area's top.
    const int widthContentsTop = paletteUnit("分组框2")->contentsRect().top();
    const struct {
        const char* name;
        QRect geometry;
        const char* text;
        bool inWidthContents;
    } units[] = {
        {"分组框1", {2, 0, 66, 90}, "编辑工具", false},      {"画笔选择框", {7, 16, 52, 22}, "画笔", false},
        {"文字选择框", {7, 38, 52, 22}, "文字", false},      {"吸管选择框", {7, 60, 52, 22}, "吸管", false},
        {"分组框2", {2, 94, 66, 68}, "画笔粗细", false},     {"画笔粗细标签", {6, 0, 50, 1}, nullptr, true},
        {"画笔粗细编辑框", {6, 24, 36, 20}, nullptr, true},  {"分组框3", {2, 166, 66, 144}, "选择颜色", false},
        {"颜色选择器1", {6, 16, 56, 20}, nullptr, false},    {"色板图片框", {2, 40, 60, 100}, nullptr, false},
    };
    for (const auto& u : units) {
        QWidget* w = paletteUnit(u.name);
        ASSERT_NE(w, nullptr) << u.name;
        EXPECT_EQ(w->geometry(), u.geometry.translated(0, u.inWidthContents ? widthContentsTop : 0)) << u.name;
        if (!u.text)
            continue;
        const QString text = qobject_cast<QGroupBox*>(w) ? static_cast<QGroupBox*>(w)->title()
                                                         : w->property("text").toString();
        EXPECT_EQ(text, QString::fromUtf8(u.text)) << u.name;
    }
    EXPECT_EQ(paletteUnit<SpinEditBox>("画笔粗细编辑框")->text(), QStringLiteral("1"));
    EXPECT_EQ(ToolPaletteWindow::swatchPicture().size(), QSize(98, 194));
    EXPECT_EQ(ToolPaletteWindow::swatchPicture().format(), QImage::Format_Indexed8);

    // Dragged by its body, not by the swatches.
    const QPoint start = palette()->pos();
    QWidget* body = paletteUnit("分组框2");
    const QPoint grab = body->mapToGlobal(QPoint(40, 30));
    const auto drag = [this](QWidget* w, QPoint from, QPoint by) {
        const auto send = [w](QEvent::Type type, QPoint onScreen, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(w->mapFromGlobal(onScreen)), QPointF(onScreen), Qt::LeftButton,
                              buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, from + by, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, from + by, Qt::NoButton);
    };
    drag(body, grab, QPoint(30, 20));
    EXPECT_EQ(palette()->pos(), start + QPoint(30, 20));
    QWidget* swatches = paletteUnit("色板图片框");
    drag(swatches, swatches->mapToGlobal(QPoint(10, 10)), QPoint(30, 20));
    EXPECT_EQ(palette()->pos(), start + QPoint(30, 20));

    // Hiding the palette ends every tool.
    tick("画笔选择框");
    ASSERT_TRUE(state.tools.brushOn);
    showPalette();
    EXPECT_FALSE(palette()->isVisible());
    EXPECT_FALSE(state.tools.brushOn);
    EXPECT_FALSE(paletteUnit<QCheckBox>("画笔选择框")->isChecked());
}

// At every width the spinner gives, the bar stands below the group's title
// and inside its frame, clear of the width box.
TEST_F(DrawingToolsTest, TheWidthBarStaysInsideItsGroupAtEveryWidth)
{
    loadPicture();
    showPalette();
    auto* group = paletteUnit<QGroupBox>("分组框2");
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    const QRect contents = group->contentsRect();
    ASSERT_FALSE(title.isEmpty());
    QWidget* bar = paletteUnit("画笔粗细标签");
    QWidget* box = paletteUnit("画笔粗细编辑框");
    for (int width = 1; width <= 20; ++width) {
        SCOPED_TRACE(width);
        setBrushWidth(width);
        ASSERT_EQ(bar->height(), width);
        EXPECT_GT(bar->geometry().top(), title.bottom());
        EXPECT_TRUE(contents.contains(bar->geometry())) << contents.top() << " " << contents.bottom();
        EXPECT_LT(bar->geometry().bottom(), box->geometry().top());
    }
    EXPECT_TRUE(contents.contains(box->geometry()));

    // A larger title moves the contents area down, and the units with it.
    QFont larger = group->font();
    larger.setPixelSize(20);
    group->setFont(larger);
    ASSERT_GT(group->contentsRect().top(), contents.top());
    EXPECT_EQ(bar->y(), group->contentsRect().top());
    EXPECT_EQ(box->y(), group->contentsRect().top() + 24);
}

TEST_F(DrawingToolsTest, OneToolAtATime)
{
    loadPicture();
    showPalette();
    const struct {
        const char* box;
        bool brush, text, pipette;
    } steps[] = {
        {"画笔选择框", true, false, false},
        {"文字选择框", false, true, false},
        {"吸管选择框", false, false, true},
        {"吸管选择框", false, false, false}, // unticked again
    };
    for (const auto& s : steps) {
        tick(s.box);
        EXPECT_EQ(state.tools.brushOn, s.brush) << s.box;
        EXPECT_EQ(state.tools.textOn, s.text) << s.box;
        EXPECT_EQ(state.tools.pipetteOn, s.pipette) << s.box;
        EXPECT_EQ(paletteUnit<QCheckBox>("画笔选择框")->isChecked(), s.brush);
        EXPECT_EQ(paletteUnit<QCheckBox>("文字选择框")->isChecked(), s.text);
        EXPECT_EQ(paletteUnit<QCheckBox>("吸管选择框")->isChecked(), s.pipette);
    }
    // A right click on the view ends whatever tool is on.
    tick("画笔选择框");
    rightClick(view(), QPoint(50, 50));
    EXPECT_FALSE(state.tools.brushOn);
    EXPECT_FALSE(paletteUnit<QCheckBox>("画笔选择框")->isChecked());
}

TEST_F(DrawingToolsTest, AStrokeIsBakedIntoThePictureAtItsShownSize)
{
    loadPicture(QSize(2000, 1500)); // shown reduced
    ASSERT_LT(state.view.viewScale, 1.0);
    const QSize shown(state.view.scaledWidth, state.view.scaledHeight);
    showPalette();
    tick("画笔选择框");
    setBrushWidth(5);
    setColour(QColor(255, 0, 0));
    press(QPoint(100, 100));
    moveTo(QPoint(160, 100));
    EXPECT_TRUE(state.tools.strokeActive);
    release(QPoint(160, 100));
    EXPECT_FALSE(state.tools.strokeActive);
    EXPECT_DOUBLE_EQ(state.view.viewScale, 1.0);
    EXPECT_EQ(state.view.currentPicture.size(), shown);
    EXPECT_EQ(pictureAt(QPoint(100, 100)), qRgb(255, 0, 0));
    EXPECT_EQ(pictureAt(QPoint(130, 101)), qRgb(255, 0, 0));
    EXPECT_NE(pictureAt(QPoint(130, 110)), qRgb(255, 0, 0));
}

TEST_F(DrawingToolsTest, WidthOneClickLeavesNoMarkButStillBakes)
{
    loadPicture(QSize(800, 600));
    const QImage before = state.view.currentPicture;
    showPalette();
    tick("画笔选择框");
    setColour(QColor(0, 0, 255));
    click(QPoint(100, 100));
    EXPECT_DOUBLE_EQ(state.view.viewScale, 1.0);
    EXPECT_NE(pictureAt(QPoint(100, 100)), qRgb(0, 0, 255));
    EXPECT_NE(state.view.currentPicture.size(), before.size());
}

TEST_F(DrawingToolsTest, TheSavedCropContainsTheStroke)
{
    loadPicture();
    showPalette();
    tick("画笔选择框");
    setBrushWidth(9);
    setColour(QColor(0, 255, 0));
    const QPoint inFrame(state.frame.frameLeft + 20, state.frame.frameTop + 30);
    press(inFrame);
    moveTo(inFrame + QPoint(40, 0));
    release(inFrame + QPoint(40, 0));
    TempFolder out;
    dialogs.fileAnswers = {out.file(QStringLiteral("crop.png"))};
    window->cropAndSave();
    const QImage saved = decodeImageFile(out.file(QStringLiteral("crop.png")));
    ASSERT_EQ(saved.size(), QSize(160, 210));
    EXPECT_EQ(saved.pixel(20, 30), qRgb(0, 255, 0));
    EXPECT_EQ(saved.pixel(50, 30), qRgb(0, 255, 0));
    EXPECT_NE(saved.pixel(20, 60), qRgb(0, 255, 0));
}

TEST_F(DrawingToolsTest, TheTextStampPlacesTheBoxGrowsItAndStampsEachLine)
{
    loadPicture();
    showPalette();
    tick("文字选择框");
    setColour(QColor(0, 0, 0));
    click(QPoint(60, 80));
    ASSERT_TRUE(entry()->isVisible());
    EXPECT_EQ(entry()->pos(), QPoint(60, 80 - 12 + 4));
    EXPECT_EQ(entry()->palette().color(QPalette::Base), QColor(Qt::white));
    QTest::keyClicks(entry(), QStringLiteral("abcde"));
    EXPECT_EQ(entry()->width(), 42);
    entry()->setText(QStringLiteral("中文"));
    EXPECT_EQ(entry()->width(), 36);

    const QImage before = state.view.currentPicture;
    const int height = entry()->height();
    QTest::keyClick(entry(), Qt::Key_Return);
    EXPECT_NE(state.view.currentPicture, before); // the line is in the picture
    EXPECT_TRUE(entry()->text().isEmpty());
    EXPECT_TRUE(entry()->isVisible());
    EXPECT_EQ(entry()->pos(), QPoint(60, 72 + height));

    // A second line, ended by a right click on the box.
    const QImage afterFirst = state.view.currentPicture;
    QTest::keyClicks(entry(), QStringLiteral("2026"));
    rightClick(entry(), QPoint(2, 2));
    EXPECT_NE(state.view.currentPicture, afterFirst);
    EXPECT_FALSE(entry()->isVisible());
    EXPECT_FALSE(state.tools.textOn);
    EXPECT_FALSE(paletteUnit<QCheckBox>("文字选择框")->isChecked());

    // Ten thousand characters are stamped without trouble.
    tick("文字选择框");
    click(QPoint(10, 40));
    entry()->setText(QString(10000, QLatin1Char('x')));
    EXPECT_EQ(entry()->width(), 10002 * 6);
    QTest::keyClick(entry(), Qt::Key_Return);
    EXPECT_TRUE(entry()->text().isEmpty());
}

TEST_F(DrawingToolsTest, TheTextToolHoldsTheBatchKeysOnlyWhileItIsOn)
{
    loadPicture();
    showPalette();
    startBatchKeys();
    tick("文字选择框");
    EXPECT_FALSE(state.batch.keysRegistered); // letters go to the entry box
    tick("文字选择框");
    EXPECT_TRUE(state.batch.keysRegistered);

    tick("文字选择框");
    tick("画笔选择框"); // another tool ends the text tool
    EXPECT_TRUE(state.batch.keysRegistered);

    // Ended by a right click on the entry box, the keys come back too.
    tick("文字选择框");
    click(QPoint(60, 80));
    QTest::keyClicks(entry(), QStringLiteral("ab"));
    rightClick(entry(), QPoint(2, 2));
    EXPECT_TRUE(state.batch.keysRegistered);

    // And when the palette is hidden.
    tick("文字选择框");
    showPalette();
    EXPECT_TRUE(state.batch.keysRegistered);
}

// Every way the text tool can end while batch crop is on gives the keys back,
// each tried after typing into a placed entry box.
TEST_F(DrawingToolsTest, EveryEndOfTheTextToolGivesTheBatchKeysBack)
{
    const struct {
        const char* what;
        std::function<void()> end;
    } ends[] = {
        {"untick 文字", [this] { tick("文字选择框"); }},
        {"tick 画笔", [this] { tick("画笔选择框"); }},
        {"tick 吸管", [this] { tick("吸管选择框"); }},
        {"right click on the entry box", [this] { rightClick(entry(), QPoint(2, 2)); }},
        {"right click on the view", [this] { rightClick(view(), QPoint(200, 150)); }},
        {"save", [this] { window->cropAndSave(); }},
        {"hide the palette", [this] { showPalette(); }},
    };
    // The save writes a numbered crop into a folder of its own.
    TempFolder out;
    state.batch.settings.saveFolder = out.path();
    state.batch.settings.namingText = batchNamingSchemes()[2];
    loadPicture();
    startBatchKeys();
    for (const auto& e : ends) {
        SCOPED_TRACE(e.what);
        if (!palette()->isVisible())
            showPalette();
        tick("文字选择框");
        ASSERT_TRUE(state.tools.textOn);
        click(QPoint(60, 80));
        QTest::keyClicks(entry(), QStringLiteral("ab"));
        ASSERT_FALSE(state.batch.keysRegistered);

        e.end();
        QCoreApplication::processEvents();
        EXPECT_FALSE(state.tools.textOn);
        EXPECT_FALSE(entry()->isVisible());
        EXPECT_TRUE(state.batch.keysRegistered);
        dialogs.messages.clear();
    }
}

TEST_F(DrawingToolsTest, ColoursComeFromThePickerTheSwatchesAndThePipette)
{
    loadPicture();
    showPalette();
    const auto applied = [this](const QColor& colour) {
        EXPECT_EQ(paletteUnit<ColourPicker>("颜色选择器1")->colour(), colour);
        EXPECT_EQ(paletteUnit<QLabel>("画笔粗细标签")->palette().color(QPalette::Window), colour);
        EXPECT_EQ(entry()->palette().color(QPalette::Text), colour);
        EXPECT_EQ(entry()->palette().color(QPalette::Base), TextEntryBackground(colour));
    };
    setColour(QColor(0x80, 0x80, 0x80));
    applied(QColor(0x80, 0x80, 0x80));

    // The swatch picture: the colour shown under the click.
    QWidget* swatches = paletteUnit("色板图片框");
    mouse(swatches, QEvent::MouseButtonPress, QPoint(30, 20), Qt::LeftButton, Qt::LeftButton);
    applied(QColor(palette()->shownSwatches().pixel(30, 20)));

    // The pipette reads what the view shows, the frame outline included.
    tick("吸管选择框");
    const QPoint onOutline(state.frame.frameLeft - 1, state.frame.frameTop + 20);
    click(onOutline);
    applied(window->workspaceForTest().frameColour);
    EXPECT_TRUE(state.tools.pipetteOn); // it stays on
}

TEST_F(DrawingToolsTest, TheFontDialogStartsAtSongNinePointAndACancelChangesNothing)
{
    loadPicture();
    showPalette();
    rightClick(paletteUnit("文字选择框"), QPoint(5, 5));
    ASSERT_EQ(dialogs.fontsOffered.size(), 1);
    EXPECT_EQ(dialogs.fontsOffered[0].pointSize(), 9);
    EXPECT_FALSE(state.tools.textOn);
    EXPECT_EQ(state.tools.textCharWidth, 6);

    QFont big(window->font());
    big.setPixelSize(30);
    dialogs.fontAnswers = {big};
    rightClick(paletteUnit("文字选择框"), QPoint(5, 5));
    EXPECT_TRUE(state.tools.textOn);
    EXPECT_TRUE(paletteUnit<QCheckBox>("文字选择框")->isChecked());
    const QFontMetrics metrics(big);
    EXPECT_EQ(state.tools.textCharWidth, metrics.horizontalAdvance(QLatin1Char('a')));
    EXPECT_EQ(state.tools.textLineHeight, metrics.height());
    EXPECT_EQ(entry()->size(), QSize(state.tools.textCharWidth, state.tools.textLineHeight + 6));
}

} // namespace
