// Automatic framing in the window: 工具 → 自动取景 (Ctrl+J) on the shown
// picture, the refusals, framing on arrival kept in set.dll, and the print
// resolution of what is saved.
#include "imaging/opencv_face_finder.h"
#include "state/settings.h"
#include "support/main_window_fixture.h"
#include "workspace/auto_framer.h"
#include "workspace/auto_framing.h"
#include "workspace/head_framing.h"
#include "workspace/view_render.h"

#include <QAction>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>

namespace {

QString portrait(const char* file)
{
    return QStringLiteral(IDPHOTO_FIXTURES "/portraits/") + QLatin1String(file);
}

class AutoFramingTest : public MainWindowFixture {
protected:
    void pressCtrlJ() { QTest::keyClick(unit("可视画板"), Qt::Key_J, Qt::ControlModifier); }
    QImage capture() const { return CaptureFrameImage(state, window->workspaceForTest()); }
    QString statusHint() { return unit<QLabel>("状态条1提示")->text(); }

    struct ViewPlace {
        double scale;
        int scrollX, scrollY, frameLeft, frameTop;
        bool operator==(const ViewPlace&) const = default;
    };
    ViewPlace place() const
    {
        return {state.view.viewScale, state.view.scrollX, state.view.scrollY, state.frame.frameLeft,
                state.frame.frameTop};
    }
};

struct FramingCase {
    const char* photo;
    const char* sizeType;
    QSize output;
};

// The saved crop is measured again by the finder: the face centred, the
// head as wide as the rule wants, the hair top near the frame's top.
TEST_F(AutoFramingTest, CtrlJPutsTheHeadWhereTheRuleWantsIt)
{
    const FramingCase cases[] = {
        // The fixtures are 512 pixels: the astronaut's head is wide enough
        // for the smaller sizes only.
        {"grace_hopper.jpg", "学籍/身份证", {358, 441}},
        {"grace_hopper.jpg", "2寸照", {413, 626}},
        {"astronaut.jpg", "1寸照", {295, 413}},
        {"astronaut.jpg", "默认", {160, 210}},
    };
    OpenCvFaceFinder finder;
    ASSERT_TRUE(finder.available());
    for (const FramingCase& c : cases) {
        SCOPED_TRACE(std::string(c.photo) + " " + c.sizeType);
        open();
        openFile(portrait(c.photo));
        chooseSizeType(QString::fromUtf8(c.sizeType));
        dialogs.messages.clear(); // the size type may have said the screen is small
        const double fitted = state.view.viewScale;
        pressCtrlJ();
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.value(0).text.toStdString();
        EXPECT_NE(state.view.viewScale, fitted);

        const QImage crop = capture();
        ASSERT_EQ(crop.size(), c.output);
        const FaceResult found = FindHead(finder, crop);
        ASSERT_EQ(found.finding, FaceFinding::Found);
        const double unit = c.output.width() / 358.0; // the standard's pixels in this output
        EXPECT_NEAR(found.head.faceCentreX, c.output.width() / 2.0, 8 * unit);
        EXPECT_NEAR(found.head.headWidth / c.output.width(), kHeadWidthShare, kHeadWidthTolerance + 0.02);
        EXPECT_LT(found.head.hairTopY, c.output.height() * 0.12);
        EXPECT_LT(found.head.eyeLineY, c.output.height() * (1 - kEyeLineLeastShareAboveBottom) + 4 * unit);
    }
}

TEST_F(AutoFramingTest, APictureThatCannotBeFramedIsToldAndKeepsItsView)
{
    struct Refusal {
        const char* photo;
        QString message;
    };
    const Refusal refusals[] = {
        {"storm_landscape.jpg", QStringLiteral("未能识别到人脸，请手动调整采集框。")},
        {"astronaut_small.jpg", QStringLiteral("图片分辨率不足，头像放大后会模糊。")},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.photo);
        open();
        openFile(portrait(r.photo));
        chooseSizeType(QStringLiteral("学籍/身份证"));
        dialogs.messages.clear(); // the size type may have said the screen is small
        const ViewPlace before = place();
        const QImage shown = capture();
        toolsItem(QStringLiteral("自动取景"))->trigger();
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(dialogs.messages[0].text, r.message);
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
        EXPECT_TRUE(place() == before);
        EXPECT_EQ(capture(), shown);
    }
    open();
    dialogs.messages.clear();
    toolsItem(QStringLiteral("自动取景"))->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。"));
}

TEST_F(AutoFramingTest, FramingOnArrivalIsKeptAndTellsInTheStatusBar)
{
    QAction* onArrival = toolsItem(QStringLiteral("打开图片时自动取景"));
    ASSERT_NE(onArrival, nullptr);
    EXPECT_TRUE(onArrival->isCheckable());
    EXPECT_FALSE(onArrival->isChecked());
    onArrival->trigger();
    EXPECT_EQ(ReadSetting(state.main.settingsFolder, kFramingSection, kFrameOnArrivalKey), kTrueText);

    // A new run reads it back, and frames what arrives.
    open();
    onArrival = toolsItem(QStringLiteral("打开图片时自动取景"));
    EXPECT_TRUE(onArrival->isChecked());
    chooseSizeType(QStringLiteral("学籍/身份证"));
    openFile(portrait("grace_hopper.jpg"));
    const ViewPlace framed = place();
    pressCtrlJ(); // framing again changes nothing: the picture was framed as it came
    EXPECT_TRUE(place() == framed);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // No face: the picture arrives as it always did, and the status bar says why.
    openFile(portrait("storm_landscape.jpg"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(statusHint(), QStringLiteral("未能识别到人脸，请手动调整采集框。"));

    onArrival->trigger();
    EXPECT_EQ(ReadSetting(state.main.settingsFolder, kFramingSection, kFrameOnArrivalKey), QString());
    openFile(portrait("grace_hopper.jpg"));
    const double fitted = state.view.viewScale;
    pressCtrlJ();
    EXPECT_NE(state.view.viewScale, fitted) << "unticked, the picture arrived fitted";
}

TEST_F(AutoFramingTest, EachSavedFileCarriesThePrintResolutionOfItsSizeType)
{
    struct Resolution {
        const char* sizeType;
        const char* file;
        int dotsPerInch;
    };
    const Resolution resolutions[] = {
        {"学籍/身份证", "id.jpg", 350}, {"1寸照", "one.png", 300}, {"2寸照", "two.bmp", 300},
    };
    // Readers round differently from dots per inch to dots per metre.
    const auto dpi = [](int dotsPerMeter) { return qRound(dotsPerMeter * 0.0254); };
    TempFolder out;
    openFile(portrait("astronaut.jpg"));
    for (const Resolution& r : resolutions) {
        SCOPED_TRACE(r.file);
        chooseSizeType(QString::fromUtf8(r.sizeType));
        dialogs.fileAnswers = {out.file(QString::fromUtf8(r.file))};
        QTest::mouseClick(unit("截图保存按钮"), Qt::LeftButton);
        QImageReader reader(out.file(QString::fromUtf8(r.file)));
        const QImage saved = reader.read();
        ASSERT_FALSE(saved.isNull());
        EXPECT_EQ(dpi(saved.dotsPerMeterX()), r.dotsPerInch);
        EXPECT_EQ(dpi(saved.dotsPerMeterY()), r.dotsPerInch);
    }
}

} // namespace
