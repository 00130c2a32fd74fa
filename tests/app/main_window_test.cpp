#include "app/main_window.h"
#include "state/settings.h"
#include "support/main_window_fixture.h"
#include "workspace/colour_picker.h"
#include "workspace/tool_palette_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <memory>

namespace {

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, StartsWithTheDesignClientAreaAndACentredFrame)
{
    EXPECT_EQ(window->clientSize(), QSize(586, 360));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("栎澄证照工坊 V2.9"));
    EXPECT_EQ(geometryOf("可视画板"), QRect(4, 48, 411, 279));
    EXPECT_EQ(state.view.viewCentreX, 205);
    EXPECT_EQ(state.view.viewCentreY, 139);
    EXPECT_EQ(state.frame.frameWidth, 160);
    EXPECT_EQ(state.frame.frameHeight, 210);
    EXPECT_EQ(state.frame.frameLeft, 125);
    EXPECT_EQ(state.frame.frameTop, 34);
    EXPECT_DOUBLE_EQ(state.frame.jpegLimitKB, 500.0);
    EXPECT_EQ(state.tools.textCharWidth, 6);
    EXPECT_EQ(state.tools.textLineHeight, 12);
    EXPECT_DOUBLE_EQ(state.camera.deviceAspect, 0.75);
    EXPECT_FALSE(state.view.imageLoaded);
    EXPECT_EQ(state.view.statusHint, QStringLiteral("请打开或拖拽一图片文件或通过拍照来采集头像"));
    EXPECT_EQ(unit<QLabel>("状态条1提示")->text(), state.view.statusHint);
    EXPECT_FALSE(unit("横向滚动条")->isEnabled());
    EXPECT_FALSE(unit("纵向滚动条")->isEnabled());
    EXPECT_EQ(unit<QComboBox>("尺寸类型组合框")->currentText(), QStringLiteral("默认"));
    EXPECT_EQ(unit<ColourPicker>("采集框颜色选择器")->colour(), QColor(255, 255, 0));
}

TEST_F(MainWindowTest, EveryUnitHasItsDesignPlaceAndText)
{
    struct Expected {
        const char* name;
        QRect geometry;
    };
    const Expected units[] = {
        {"可视画板", {4, 48, 411, 279}},       {"横向滚动条", {4, 328, 411, 12}},
        {"纵向滚动条", {416, 48, 12, 279}},    {"面板分组框", {432, 48, 152, 292}},
        {"尺寸类型标签", {8, 23, 72, 20}},     {"尺寸类型组合框", {72, 22, 72, 20}},
        {"宽度标签", {8, 51, 72, 20}},         {"像素宽编辑框", {72, 51, 54, 20}},
        {"高度标签", {8, 80, 72, 20}},         {"像素高编辑框", {72, 80, 54, 20}},
        {"JPG体积标签", {8, 108, 76, 20}},     {"体积编辑框", {84, 108, 42, 20}},
        {"小于编辑框", {86, 110, 14, 16}},     {"JPG体积编辑框", {100, 110, 24, 16}},
        {"颜色选择标签", {8, 137, 76, 20}},    {"采集框颜色选择器", {84, 137, 60, 20}},
        {"截图上移按钮", {60, 169, 28, 32}},   {"截图左移按钮", {20, 209, 32, 28}},
        {"截图保存按钮", {53, 201, 44, 44}},   {"截图右移按钮", {98, 209, 32, 28}},
        {"截图下移按钮", {60, 245, 28, 32}},   {"文字输入编辑框", {307, 78, 12, 18}},
        {"焦点框", {364, 16, 216, 20}},        {"状态条1", {0, 340, 586, 20}},
        {"工具条1", {0, 0, 586, 49}},
    };
    for (const Expected& e : units) {
        ASSERT_NE(unit(e.name), nullptr) << e.name;
        EXPECT_EQ(geometryOf(e.name), e.geometry) << e.name;
    }
    EXPECT_EQ(unit<QLabel>("尺寸类型标签")->text(), QStringLiteral("尺寸类型"));
    EXPECT_EQ(unit<QLabel>("宽度标签")->text(), QStringLiteral("宽度(像素)"));
    EXPECT_EQ(unit<QLabel>("高度标签")->text(), QStringLiteral("高度(像素)"));
    EXPECT_EQ(unit<QLabel>("JPG体积标签")->text(), QStringLiteral("JPG体积(KB)"));
    EXPECT_EQ(unit<QLabel>("颜色选择标签")->text(), QStringLiteral("采集框颜色"));
    EXPECT_EQ(unit<QLineEdit>("小于编辑框")->text(), QStringLiteral("≤"));
    EXPECT_EQ(unit<QLineEdit>("JPG体积编辑框")->text(), QStringLiteral("500"));
    EXPECT_EQ(unit<QCheckBox>("批量截图选项")->text(), QStringLiteral("使用批量截图模式"));
    EXPECT_FALSE(unit("文字输入编辑框")->isVisible());
    EXPECT_FALSE(unit("焦点框")->isVisible());

    QStringList sizeTypes;
    auto* sizeTypeBox = unit<QComboBox>("尺寸类型组合框");
    for (int i = 0; i < sizeTypeBox->count(); ++i)
        sizeTypes << sizeTypeBox->itemText(i);
    EXPECT_EQ(sizeTypes, (QStringList{"默认", "自定义", "学籍/身份证", "小1寸", "1寸照", "小2寸普通",
                                      "小2寸护照", "2寸照"}));
}

TEST_F(MainWindowTest, ToolbarHasTheThirteenEntriesInOrder)
{
    const QList<QAction*> actions = unit<QToolBar>("工具条1")->actions();
    ASSERT_EQ(actions.size(), 13);
    const QStringList expected = {"|", "打开|打开一幅图片", "保存|保存采集框内图片", "|",
                                  "放大|放大显示", "缩小|缩小显示", "顺转|顺时针转90度", "逆转|逆时针转90度",
                                  "编辑|编辑图象", "|", "拍摄|启动摄像头", "帮助|使用帮助", "主页|软件主页"};
    for (int i = 0; i < 13; ++i) {
        const QString seen = actions[i]->isSeparator()
                                 ? QStringLiteral("|")
                                 : actions[i]->text() + QLatin1Char('|') + actions[i]->toolTip();
        EXPECT_EQ(seen, expected[i]) << i;
        EXPECT_EQ(actions[i]->isSeparator(), actions[i]->icon().isNull()) << i;
    }
    EXPECT_EQ(unit<QToolBar>("工具条1")->iconSize(), QSize(24, 24));
}

TEST_F(MainWindowTest, MenusHoldTheirItems)
{
    QStringList seen;
    for (QAction* menu : window->menuBar()->actions()) {
        seen << menu->text();
        for (QAction* item : menu->menu()->actions())
            seen << QStringLiteral("  ") + (item->isSeparator() ? QStringLiteral("—") : item->text());
    }
    // 工具 holds the additions beyond the program's first menus, between 文件 and 帮助.
    EXPECT_EQ(seen, (QStringList{"文件", "  打开", "  编辑", "  拍摄", "工具", "  自动取景", "  打开图片时自动取景",
                                 "  批量自动取景…", "  —",
                                 "  排版打印…", "帮助", "  关于", "  使用帮助"}));
}

TEST_F(MainWindowTest, EnlargingTheWindowGrowsTheViewAndMovesThePanel)
{
    const QRect groupBefore = geometryOf("面板分组框");
    const QRect hBefore = geometryOf("横向滚动条");
    const QRect vBefore = geometryOf("纵向滚动条");
    const QRect saveBefore = geometryOf("截图保存按钮");
    const QRect upBefore = geometryOf("截图上移按钮");

    window->resizeClient(QSize(686, 410));
    QTest::qWait(10);

    EXPECT_EQ(geometryOf("可视画板").size(), QSize(511, 329));
    EXPECT_EQ(geometryOf("面板分组框").topLeft(), groupBefore.topLeft() + QPoint(100, 0));
    EXPECT_EQ(geometryOf("横向滚动条"), QRect(hBefore.left(), hBefore.top() + 50, 511, 12));
    EXPECT_EQ(geometryOf("纵向滚动条"), QRect(vBefore.left() + 100, vBefore.top(), 12, 329));
    EXPECT_EQ(geometryOf("截图保存按钮").topLeft(), saveBefore.topLeft() + QPoint(0, 25));
    EXPECT_EQ(geometryOf("截图上移按钮").topLeft(), upBefore.topLeft() + QPoint(0, 25));
    EXPECT_EQ(geometryOf("状态条1提示").width(), 532);
    // The frame is re-centred in the larger view.
    EXPECT_EQ(state.view.viewCentreX, 255);
    EXPECT_EQ(state.view.viewCentreY, 164);
    EXPECT_EQ(state.frame.frameLeft, 255 - 80);
    EXPECT_EQ(state.frame.frameTop, 164 - 105);
}

TEST_F(MainWindowTest, TheViewNeverBecomesSmallerThanOnePixel)
{
    window->resizeClient(QSize(10, 10));
    QTest::qWait(10);
    const QRect view = geometryOf("可视画板");
    EXPECT_GE(view.width(), 1);
    EXPECT_GE(view.height(), 1);
}

TEST_F(MainWindowTest, TheSettingsFolderIsCreatedAndTheSettingsLoaded)
{
    EXPECT_EQ(state.main.settingsFolder, QDir(program.path()).filePath(QStringLiteral("头像采集设置")));
    EXPECT_TRUE(QFileInfo(state.main.settingsFolder).isDir());
    // Nothing is written at start-up besides the folder.
    EXPECT_TRUE(QDir(state.main.settingsFolder).isEmpty());
    EXPECT_EQ(state.batch.settings.outputExtension, QStringLiteral(".JPG"));

    WriteSetting(state.main.settingsFolder, kBatchSection, SettingKey::format, QStringLiteral(".GIF"));
    WriteSetting(state.main.settingsFolder, kFastSection, SettingKey::keep, QStringLiteral("真"));
    open();
    EXPECT_EQ(state.batch.settings.outputExtension, QStringLiteral(".GIF"));
    EXPECT_TRUE(state.camera.fast.keepFastSettings);
}

TEST_F(MainWindowTest, AGarbageSettingsFileStartsWithTheDefaultsAndNoMessage)
{
    QFile file(QDir(state.main.settingsFolder).filePath(QStringLiteral("set.dll")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\xff\xfe\x00[\x80\x81=\r\r\n\x00\x01", 12));
    file.close();
    open();
    EXPECT_EQ(state.batch.settings.outputExtension, QStringLiteral(".JPG"));
    EXPECT_EQ(state.batch.settings.namingIndex, 0);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, ASettingsFolderThatCannotBeCreatedLeavesTheProgramRunning)
{
    window.reset();
    program.write(QStringLiteral("not-a-folder"), "x");
    userData.write(QStringLiteral("not-a-folder"), "x");
    state = AppState{};
    window = std::make_unique<MainWindow>(
        state, services(),
        StartupEnvironment{program.file(QStringLiteral("not-a-folder")), userData.file(QStringLiteral("not-a-folder"))});
    window->show();
    EXPECT_EQ(state.batch.settings.outputExtension, QStringLiteral(".JPG"));
    EXPECT_FALSE(QFileInfo(state.main.settingsFolder).exists());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, TheToolPaletteIsHiddenAndFollowsTheWindow)
{
    ToolPaletteWindow* palette = window->toolPaletteForTest();
    ASSERT_NE(palette, nullptr);
    EXPECT_FALSE(palette->isVisible());
    window->move(300, 200);
    QTest::qWait(10);
    const QPoint main = window->frameGeometry().topLeft();
    EXPECT_EQ(palette->pos(), QPoint(std::max(0, main.x() - 75), main.y() + 75));
    EXPECT_EQ(ToolPaletteWindow::placeBeside(QPoint(40, 10)), QPoint(0, 85));
}

TEST_F(MainWindowTest, AboutBoxShowsTheVersionAndContacts)
{
    QAction* about = nullptr;
    for (QAction* menu : window->menuBar()->actions())
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == QStringLiteral("关于"))
                about = item;
        }
    ASSERT_NE(about, nullptr);
    about->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    const ShownMessage& m = dialogs.messages.first();
    EXPECT_EQ(m.title, QStringLiteral("关于本软件："));
    EXPECT_EQ(m.icon, MessageIcon::None);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    const QStringList lines = m.text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("当前版本：V2.9"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("软件作者：")) && lines[1].size() > 5);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("电子邮箱：")) && lines[2].contains(QLatin1Char('@')));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("软件主页：")) && lines[3].contains(QStringLiteral("://")));
}

TEST_F(MainWindowTest, EditWithoutAPictureTellsTheUserToOpenOne)
{
    unit<QToolBar>("工具条1")->actions()[8]->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
}

TEST_F(MainWindowTest, ClosingTheWindowReleasesThePicture)
{
    state.view.currentPicture = QImage(8, 8, QImage::Format_RGB32);
    QSignalSpy closed(window.get(), &MainWindow::closed);
    window->close();
    EXPECT_TRUE(state.view.currentPicture.isNull());
    EXPECT_EQ(closed.count(), 1); // the program ends on it
}

} // namespace

namespace {

// At start-up the program removes what an earlier run's cut-short writes
// left behind, and tells once, over its window, of a settings file it
// cannot read whole and so keeps as it is.
TEST_F(MainWindowFixture, StartUpClearsOldTemporariesAndTellsOfAKeptSettingsFile)
{
    const QDir folder(state.main.settingsFolder);
    const QString settings = folder.filePath(QStringLiteral("set.dll"));
    const QString stale = folder.filePath(QStringLiteral("set.dll.AbCdEf"));
    const QString recent = folder.filePath(QStringLiteral("set.dll.XyZwVu"));
    QFile big(settings);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(5 * 1024 * 1024));
    big.close();
    for (const QString& path : {stale, recent}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("half of a settings file");
    }
    {
        QFile file(stale);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    }

    open();
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(recent)); // perhaps another copy of the program at work
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, KeptSettingsFileMessage(settings));
    EXPECT_EQ(QFileInfo(settings).size(), 5 * 1024 * 1024);
}

} // namespace
