// The frame panel on its own: what each unit does to the frame, what the
// panel then says, and what its boxes show.
#include "workspace/frame_panel.h"

#include "state/app_state.h"
#include "support/fake_dialogs.h"
#include "workspace/colour_picker.h"
#include "workspace/spin_edit_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct PanelFixture {
    AppState state;
    FakeDialogs dialogs;
    FramePanel panel{state, dialogs, QColor(255, 255, 0), nullptr};
    QStringList heard;

    PanelFixture()
    {
        state.frame.frameWidth = 160;
        state.frame.frameHeight = 210;
        const auto hear = [this](const QString& what) { heard.append(what); };
        QObject::connect(&panel, &FramePanel::frameWidthChanged, [hear](int w) { hear(QStringLiteral("width %1").arg(w)); });
        QObject::connect(&panel, &FramePanel::frameHeightChanged, [hear](int h) { hear(QStringLiteral("height %1").arg(h)); });
        QObject::connect(&panel, &FramePanel::frameResizedByDrag, [hear](bool w, bool h) {
            hear(QStringLiteral("dragged %1 %2").arg(w).arg(h));
        });
        QObject::connect(&panel, &FramePanel::sizeTypeChosen, [hear] { hear(QStringLiteral("type chosen")); });
        QObject::connect(&panel, &FramePanel::jpegLimitChanged, [hear](const QString& t) { hear(QStringLiteral("jpeg ") + t); });
        QObject::connect(&panel, &FramePanel::colourChanged, [hear](const QColor& c) { hear(QStringLiteral("colour ") + c.name()); });
        QObject::connect(&panel, &FramePanel::frameMoved, [hear] { hear(QStringLiteral("moved")); });
        QObject::connect(&panel, &FramePanel::moveEnded, [hear] { hear(QStringLiteral("move ended")); });
        QObject::connect(&panel, &FramePanel::saveClicked, [hear] { hear(QStringLiteral("save")); });
        panel.show();
    }

    template <typename T>
    T* unit(const char* name)
    {
        return panel.findChild<T*>(QString::fromUtf8(name));
    }
    void typeInto(QLineEdit* editor, const QString& text)
    {
        editor->setFocus();
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
    void click(const char* name)
    {
        QTest::mouseClick(unit<QPushButton>(name), Qt::LeftButton);
    }
};

struct PanelCase {
    const char* name;
    std::function<void(PanelFixture&)> input;
    QStringList heard;
    QString width;
    QString height;
    QString jpeg;
    QString sizeType;
};

TEST(FramePanel, EachUnitsInputGivesItsSignalsAndBoxTexts)
{
    const PanelCase cases[] = {
        {"typing a width, each key applied", [](PanelFixture& f) { f.typeInto(f.unit<SpinEditBox>("像素宽编辑框")->editor(), QStringLiteral("300")); },
         {QStringLiteral("width 3"), QStringLiteral("width 30"), QStringLiteral("width 300")},
         QStringLiteral("300"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("自定义")},
        {"a width beyond the largest side", [](PanelFixture& f) { f.typeInto(f.unit<SpinEditBox>("像素宽编辑框")->editor(), QStringLiteral("9001")); },
         {QStringLiteral("width 9"), QStringLiteral("width 90"), QStringLiteral("width 900"), QStringLiteral("width 8000")},
         QStringLiteral("8000"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("自定义")},
        {"the height's spin button", [](PanelFixture& f) {
             SpinEditBox* box = f.unit<SpinEditBox>("像素高编辑框");
             box->setFocus();
             QTest::keyClick(box, Qt::Key_Up);
         },
         {QStringLiteral("height 211")}, QStringLiteral("160"), QStringLiteral("211"), QStringLiteral("500"), QStringLiteral("自定义")},
        {"the last size type chosen", [](PanelFixture& f) {
             QComboBox* box = f.unit<QComboBox>("尺寸类型组合框");
             box->setFocus();
             QTest::keyClick(box, Qt::Key_End);
         },
         {QStringLiteral("width 413"), QStringLiteral("height 626"), QStringLiteral("type chosen")},
         QStringLiteral("413"), QStringLiteral("626"), QStringLiteral("500"), QStringLiteral("2寸照")},
        {"typing a JPEG limit", [](PanelFixture& f) { f.typeInto(f.unit<QLineEdit>("JPG体积编辑框"), QStringLiteral("35")); },
         {QStringLiteral("jpeg 3"), QStringLiteral("jpeg 35")}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("35"), QStringLiteral("默认")},
        {"a JPEG limit that is no number", [](PanelFixture& f) { f.typeInto(f.unit<QLineEdit>("JPG体积编辑框"), QStringLiteral("x")); },
         {QStringLiteral("jpeg 50")}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("50"), QStringLiteral("默认")},
        {"the JPEG spin button below 1", [](PanelFixture& f) {
             f.panel.writeBoxText(FrameBox::JpegSize, QStringLiteral("1.5"));
             SpinEditBox* box = f.unit<SpinEditBox>("体积编辑框");
             box->stepBy(-1);
         },
         {QStringLiteral("jpeg 1.5"), QStringLiteral("jpeg 500")}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("默认")},
        {"the program writes the JPEG box's own text", [](PanelFixture& f) { f.panel.writeBoxText(FrameBox::JpegSize, QStringLiteral("500")); },
         {QStringLiteral("jpeg 500")}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("默认")},
        {"the program writes kept sizes", [](PanelFixture& f) {
             f.panel.writeBoxText(FrameBox::Width, QStringLiteral("295"));
             f.panel.writeBoxText(FrameBox::Height, QStringLiteral("413"));
         },
         {QStringLiteral("width 295"), QStringLiteral("height 413")}, QStringLiteral("295"), QStringLiteral("413"), QStringLiteral("500"), QStringLiteral("默认")},
        {"a colour picked", [](PanelFixture& f) {
             f.dialogs.colourAnswers = {QColor(255, 0, 0)};
             f.click("采集框颜色选择器");
         },
         {QStringLiteral("colour #ff0000")}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("默认")},
        {"the colour dialog cancelled", [](PanelFixture& f) { f.click("采集框颜色选择器"); },
         {}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("默认")},
        {"a move with a picture", [](PanelFixture& f) {
             f.state.view.imageLoaded = true;
             f.click("截图左移按钮");
         },
         {QStringLiteral("moved"), QStringLiteral("move ended")}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("默认")},
        {"a move without a picture", [](PanelFixture& f) { f.click("截图左移按钮"); },
         {QStringLiteral("move ended")}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("默认")},
        {"a drag shown, then settled", [](PanelFixture& f) {
             f.state.frame.frameDrag = FrameDrag::BottomRight;
             f.state.frame.frameWidth = 222;
             f.state.frame.frameHeight = 333;
             f.panel.showDraggedSize(true, true);
             f.state.frame.frameDrag = FrameDrag::None;
             f.panel.settleDraggedSize(true, true);
         },
         {QStringLiteral("dragged 1 1")}, QStringLiteral("222"), QStringLiteral("333"), QStringLiteral("500"), QStringLiteral("默认")},
        {"the save button", [](PanelFixture& f) { f.click("截图保存按钮"); },
         {QStringLiteral("save")}, QStringLiteral("160"), QStringLiteral("210"), QStringLiteral("500"), QStringLiteral("默认")},
    };
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(c.name);
        PanelFixture f;
        c.input(f);
        EXPECT_EQ(f.heard, c.heard);
        EXPECT_EQ(f.panel.boxText(FrameBox::Width), c.width);
        EXPECT_EQ(f.panel.boxText(FrameBox::Height), c.height);
        EXPECT_EQ(f.panel.boxText(FrameBox::JpegSize), c.jpeg);
        EXPECT_EQ(f.panel.sizeTypeName(), c.sizeType);
    }
}

TEST(FramePanel, TheFrameTakesWhatTheBoxesSayAndAMoveWithoutAPictureIsTold)
{
    PanelFixture f;
    f.typeInto(f.unit<SpinEditBox>("像素高编辑框")->editor(), QStringLiteral("0"));
    EXPECT_EQ(f.state.frame.frameHeight, 1) << "a side is at least one pixel";
    f.typeInto(f.unit<QLineEdit>("JPG体积编辑框"), QStringLiteral("35"));
    EXPECT_DOUBLE_EQ(f.state.frame.jpegLimitKB, 35.0);

    f.state.frame.frameLeft = 40;
    f.click("截图左移按钮");
    EXPECT_EQ(f.state.frame.frameLeft, 40);
    ASSERT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_EQ(f.dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(f.dialogs.messages[0].text, QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。"));
    f.state.view.imageLoaded = true;
    f.click("截图左移按钮");
    EXPECT_EQ(f.state.frame.frameLeft, 39);

    // While a drag resizes the frame, the boxes only show its size.
    f.state.frame.frameDrag = FrameDrag::Right;
    f.state.frame.frameWidth = 500;
    f.panel.showDraggedSize(true, false);
    EXPECT_EQ(f.state.frame.frameWidth, 500);
    EXPECT_EQ(f.panel.boxText(FrameBox::Width), QStringLiteral("500"));
}

} // namespace
