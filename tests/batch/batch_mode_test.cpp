// Batch crop as a user drives it: the status-bar item, the settings window,
// saves named by the scheme, the navigation keys and a resumed run.
#include "support/main_window_fixture.h"
#include "support/read_only_folder.h"
#include "support/test_images.h"

#include "state/settings.h"
#include "batch/batch_crop_mode.h"
#include "batch/batch_crop_settings_window.h"
#include "batch/task_file.h"
#include "imaging/image_decoder.h"
#include "naming/name_list.h"
#include "naming/name_list_window.h"
#include "naming/name_prompt_window.h"
#include "platform/ini_file.h"
#include "platform/text_encoding.h"
#include "workspace/spin_edit_box.h"
#include "workspace/view_geometry.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>

namespace {

class BatchModeTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        for (int i = 1; i <= 3; ++i)
            addPhoto(QStringLiteral("学生%1.jpg").arg(i));
    }

    void addPhoto(const QString& name, QSize size = QSize(600, 800))
    {
        source.write(name, encodeAs(photoLikePicture(size.width(), size.height()), "jpeg", 90));
    }

    // A mouse button on the status bar at a status-bar x.
    void statusBarClick(int x, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* bar = unit("状态条1");
        QWidget* part = bar->childAt(x, 10);
        if (!part)
            part = bar;
        const QPoint at = part->mapFrom(bar, QPoint(x, 10));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), part->mapToGlobal(QPointF(at)), button, button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(part, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), part->mapToGlobal(QPointF(at)), button,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(part, &release);
    }
    int regionLeft() const { return state.main.mainWidth - state.main.ncW - 160; }
    int regionRight() const { return state.main.mainWidth - state.main.ncW - 45; }
    void clickBatchItem(Qt::MouseButton button = Qt::LeftButton) { statusBarClick(regionLeft() + 20, button); }

    BatchCropSettingsWindow* settingsWindowForTest() { return window->batchModeForTest()->settingsWindowForTest(); }
    template <typename T = QWidget>
    T* settingsUnit(const char* name)
    {
        return settingsWindowForTest()->findChild<T*>(QString::fromUtf8(name));
    }

    // Fills the settings window and presses OK.
    void confirmSettings(int naming, bool keep, int format = 0, const QString& prefix = QString())
    {
        ASSERT_NE(settingsWindowForTest(), nullptr);
        settingsUnit<QLineEdit>("批截目标目录编辑框")->setText(source.path());
        settingsUnit<QLineEdit>("批截保存目录编辑框")->setText(output.path());
        settingsUnit<QComboBox>("批截格式组合框")->setCurrentIndex(format);
        auto* namingBox = settingsUnit<QComboBox>("批截命名方式组合框");
        namingBox->setCurrentIndex(naming);
        emit namingBox->activated(naming);
        if (!prefix.isEmpty())
            namingBox->setEditText(prefix);
        auto* keepBox = settingsUnit<QCheckBox>("保存批截设置选择框");
        keepBox->setChecked(keep);
        QTest::mouseClick(settingsUnit("确定批截设置按钮"), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    void startBatch(int naming = 2, bool keep = true, int format = 0)
    {
        clickBatchItem();
        confirmSettings(naming, keep, format);
        ASSERT_TRUE(state.batch.batchActive);
    }

    void key(Qt::Key k) { QTest::keyClick(unit("可视画板"), k); }
    void save() { QTest::mouseClick(unit("截图保存按钮"), Qt::LeftButton); }
    QString setting(const QString& key) { return ReadSetting(state.main.settingsFolder, kBatchSection, key); }
    QString taskPath() const { return TaskFilePath(state.main.settingsFolder); }
    QStringList savedFiles() const
    {
        QStringList files = QDir(output.path()).entryList(QDir::Files);
        files.sort();
        return files;
    }
    QStringList scanned() const { return ScanImageFolder(source.path()); }

    TempFolder source;
    TempFolder output;
};

TEST_F(BatchModeTest, TheItemOpensTheSettingsWindowAndOkStartsTheRun)
{
    clickBatchItem();
    auto* item = unit<QCheckBox>("批量截图选项");
    ASSERT_NE(settingsWindowForTest(), nullptr);
    EXPECT_TRUE(item->isChecked());
    EXPECT_FALSE(state.batch.batchActive);
    EXPECT_TRUE(settingsWindowForTest()->isModal());

    confirmSettings(2, true);
    EXPECT_TRUE(state.batch.batchActive);
    EXPECT_TRUE(state.batch.keysRegistered);
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(settingsWindowForTest(), nullptr);
    EXPECT_TRUE(state.view.imageLoaded);
    EXPECT_EQ(state.batch.task.imageCount, 3);
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" 当前文件：") + scanned()[0] + QStringLiteral("  未截图"));

    // Kept for the next start, with the main window's box texts.
    EXPECT_EQ(setting(QStringLiteral("命名方式")), QStringLiteral("2"));
    EXPECT_EQ(setting(QStringLiteral("保存目录")), output.path());
    EXPECT_EQ(setting(QStringLiteral("待截图目录")), source.path());
    EXPECT_EQ(setting(QStringLiteral("保存格式")), QStringLiteral(".JPG"));
    EXPECT_EQ(setting(QStringLiteral("是否保存设置")), QStringLiteral("真"));
    EXPECT_EQ(setting(QStringLiteral("像素宽")), QStringLiteral("160"));
    EXPECT_EQ(setting(QStringLiteral("像素高")), QStringLiteral("210"));
    EXPECT_EQ(setting(QStringLiteral("JPG体积")), QStringLiteral("500"));
}

TEST_F(BatchModeTest, SavesAreNumberedAndMarkedAndTheKeysStepThroughTheFolder)
{
    startBatch();
    const QStringList names = scanned();
    save();
    key(Qt::Key_S);
    save();
    key(Qt::Key_S);
    key(Qt::Key_D);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(savedFiles(), (QStringList{QStringLiteral("0001.jpg"), QStringLiteral("0002.jpg")}));
    for (const QString& file : savedFiles())
        EXPECT_EQ(decodeImageFile(output.file(file)).size(), QSize(160, 210)) << file.toStdString();
    EXPECT_EQ(state.batch.task.currentPosition, 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" 当前文件：") + names[1] + QStringLiteral("  已截图"));
    EXPECT_EQ(TaskImageAt(taskPath(), 1).record, QStringLiteral("已截图"));
    EXPECT_EQ(TaskImageAt(taskPath(), 2).record, QStringLiteral("已截图"));
    EXPECT_EQ(TaskImageAt(taskPath(), 3).record, QStringLiteral("未截图"));
}

TEST_F(BatchModeTest, AHeldKeyMovesOneImageAndTheEndsAreTold)
{
    startBatch();
    QWidget* view = unit("可视画板");
    QKeyEvent first(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &first);
    for (int i = 0; i < 4; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(view, &repeat);
    }
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_S, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &up);
    EXPECT_EQ(state.batch.task.currentPosition, 2);

    key(Qt::Key_F);
    key(Qt::Key_D);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("当前已是最初图片"));
    EXPECT_EQ(StoredTaskPosition(taskPath()), 1);
    key(Qt::Key_A);
    key(Qt::Key_A);
    key(Qt::Key_A);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("当前已是末位图片"));
    // A photo copied into the folder meanwhile is appended and shown.
    addPhoto(QStringLiteral("插班生.jpg"));
    key(Qt::Key_A);
    EXPECT_EQ(state.batch.task.imageCount, 4);
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" 当前文件：插班生.jpg  未截图"));
}

TEST_F(BatchModeTest, ALaterRunResumesAtTheSameImage)
{
    startBatch();
    unit<SpinEditBox>("像素宽编辑框")->setText(QStringLiteral("200"));
    save();
    key(Qt::Key_S);
    const QString title = window->windowTitle();
    const QString settingsFolder = state.main.settingsFolder;

    open(); // the program starts again
    EXPECT_EQ(state.batch.settings.saveFolder, output.path());
    dialogs.messageAnswers = {MessageAnswer::Yes};
    clickBatchItem();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("询问："));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("是否沿用上次批量截图设置，并继续上次操作？"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(settingsWindowForTest(), nullptr);
    EXPECT_TRUE(state.batch.batchActive);
    EXPECT_TRUE(state.batch.keysRegistered);
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(state.batch.task.currentPosition, 2);
    EXPECT_TRUE(state.view.imageLoaded);
    // The kept frame width was written when OK was pressed: 160.
    EXPECT_EQ(state.frame.frameWidth, 160);
    EXPECT_EQ(state.main.settingsFolder, settingsFolder);
}

TEST_F(BatchModeTest, AResumeWithoutItsSaveFolderAsksForTheSettings)
{
    startBatch();
    const QString savePath = output.path();
    ASSERT_TRUE(QDir(savePath).removeRecursively());
    open();
    dialogs.messageAnswers = {MessageAnswer::Yes};
    clickBatchItem();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("提示："));
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("批量截图保存目录不存在，请重新设置。"));
    ASSERT_NE(settingsWindowForTest(), nullptr);
    EXPECT_TRUE(state.batch.batchActive);
    settingsWindowForTest()->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(state.batch.keysRegistered); // the mode is on, so the keys come back
}

// A kept run whose save folder was emptied or made relative by hand, resumed
// and its settings window closed: a save is refused as the resume refuses,
// the settings window opens, and nothing is written into the working folder.
TEST_F(BatchModeTest, ASaveWithoutAFolderGivenFromTheRootIsRefused)
{
    const struct {
        const char* what;
        QString saveFolder;
        const char* message;
    } cases[] = {
        {"empty", QString(), "批量截图保存目录尚未设置，请先设置。"},
        {"missing", output.file(QStringLiteral("gone")), "批量截图保存目录不存在，请重新设置。"},
        {"relative, missing", QStringLiteral("照片输出"), "批量截图保存目录不存在，请重新设置。"},
        {"relative, the working folder", QStringLiteral("."), "批量截图保存目录不存在，请重新设置。"},
    };
    const QStringList workingBefore = QDir::current().entryList(QDir::Files);
    startBatch(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteSetting(state.main.settingsFolder, kBatchSection, SettingKey::saveFolder, c.saveFolder);
        open(); // the program starts again
        dialogs.messageAnswers = {MessageAnswer::Yes};
        clickBatchItem();
        ASSERT_TRUE(state.batch.batchActive);
        if (settingsWindowForTest()) {
            settingsWindowForTest()->close();
            QCoreApplication::processEvents();
        }
        ASSERT_EQ(settingsWindowForTest(), nullptr);
        if (!state.view.imageLoaded)
            key(Qt::Key_S); // the run goes on with the keys
        ASSERT_TRUE(state.view.imageLoaded);
        const QString title = window->windowTitle();
        dialogs.messages.clear();

        save();
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示："));
        EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
        EXPECT_NE(settingsWindowForTest(), nullptr);
        EXPECT_EQ(window->windowTitle(), title); // nothing marked
        EXPECT_EQ(QDir::current().entryList(QDir::Files), workingBefore);
        EXPECT_TRUE(savedFiles().isEmpty());
    }
}

TEST_F(BatchModeTest, SettingsNotKeptAreAllWrittenEmpty)
{
    startBatch(2, false);
    for (const char* k : {"命名方式", "自定义命名", "保存格式", "保存目录", "待截图目录", "发裁切声", "是否保存设置",
                          "像素宽", "像素高", "JPG体积"}) {
        const QString stored = readIniValue(state.main.settingsFolder + QStringLiteral("/set.dll"), kBatchSection,
                                            QString::fromUtf8(k));
        EXPECT_TRUE(stored.isEmpty()) << k;
    }
    // The keys are there, empty, so that the next start finds the defaults.
    QFile file(state.main.settingsFolder + QStringLiteral("/set.dll"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(encodeGb18030(QStringLiteral("\r\nJPG体积=\r\n"))));
    open();
    clickBatchItem(); // no question: the window opens at once
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_NE(settingsWindowForTest(), nullptr);
}

TEST_F(BatchModeTest, ClosingTheWindowWithoutOkLeavesTheModeAsItWas)
{
    clickBatchItem();
    settingsWindowForTest()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(unit<QCheckBox>("批量截图选项")->isChecked());
    EXPECT_FALSE(state.batch.batchActive);
    EXPECT_FALSE(state.batch.keysRegistered);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("栎澄证照工坊 V2.9"));

    // A right click while the mode is on, closed again: the mode stays on.
    startBatch();
    clickBatchItem(Qt::RightButton);
    ASSERT_NE(settingsWindowForTest(), nullptr);
    EXPECT_FALSE(state.batch.keysRegistered);
    settingsWindowForTest()->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(state.batch.batchActive);
    EXPECT_TRUE(state.batch.keysRegistered);
    EXPECT_TRUE(unit<QCheckBox>("批量截图选项")->isChecked());
}

// A refused OK while the mode runs, then the window closed: the run keeps its
// folders, the next crop goes where the crops went, and the task is untouched.
TEST_F(BatchModeTest, ARefusedOkThenACloseKeepsTheRunsFolders)
{
    TempFolder elsewhere;
    const struct {
        const char* what;
        QString sourceBox;
        QString saveBox;
    } refusals[] = {
        {"the source folder as save folder", source.path(), source.path()},
        {"another folder as both", elsewhere.path(), elsewhere.path()},
    };
    startBatch(); // numbered crops
    const QStringList names = scanned();
    int position = 1;
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.what);
        dialogs.messages.clear();
        clickBatchItem(Qt::RightButton);
        ASSERT_NE(settingsWindowForTest(), nullptr);
        settingsUnit<QLineEdit>("批截目标目录编辑框")->setText(r.sourceBox);
        settingsUnit<QLineEdit>("批截保存目录编辑框")->setText(r.saveBox);
        QTest::mouseClick(settingsUnit("确定批截设置按钮"), Qt::LeftButton);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("待截图文件夹不可再用于保存截图，请换一个文件夹保存截图。"));
        settingsWindowForTest()->close();
        QCoreApplication::processEvents();

        EXPECT_TRUE(state.batch.batchActive);
        EXPECT_EQ(state.batch.settings.sourceFolder, source.path());
        EXPECT_EQ(state.batch.settings.saveFolder, output.path());
        save();
        EXPECT_EQ(savedFiles().size(), position);
        EXPECT_EQ(scanned(), names); // nothing written among the sources
        EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
        key(Qt::Key_S);
        ++position;
        EXPECT_EQ(state.batch.task.imageCount, 3);
        EXPECT_EQ(window->windowTitle(), QStringLiteral(" 当前文件：") + names[position - 1] + QStringLiteral("  未截图"));
    }
}

TEST_F(BatchModeTest, OnlyTheItemRegionAnswersTheMouse)
{
    statusBarClick(regionLeft() - 1);
    statusBarClick(regionRight() + 1);
    EXPECT_EQ(settingsWindowForTest(), nullptr);
    EXPECT_FALSE(unit<QCheckBox>("批量截图选项")->isChecked());
    statusBarClick(regionRight());
    EXPECT_NE(settingsWindowForTest(), nullptr);
}

TEST_F(BatchModeTest, ALeftClickOnTheTickedItemEndsTheMode)
{
    startBatch();
    key(Qt::Key_S);
    clickBatchItem();
    EXPECT_FALSE(state.batch.batchActive);
    EXPECT_FALSE(state.batch.keysRegistered);
    EXPECT_FALSE(unit<QCheckBox>("批量截图选项")->isChecked());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("栎澄证照工坊 V2.9"));
    EXPECT_EQ(state.batch.task.imageCount, 0);
    EXPECT_EQ(StoredImageCount(taskPath()), 3); // the task is kept for a resume
    EXPECT_TRUE(state.view.imageLoaded);        // the picture stays shown
}

TEST_F(BatchModeTest, TheCameraButtonEndsTheModeButKeepsThePlace)
{
    startBatch();
    key(Qt::Key_S);
    unit<QToolBar>("工具条1")->actions()[10]->trigger();
    EXPECT_FALSE(state.batch.batchActive);
    EXPECT_FALSE(state.batch.keysRegistered);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("栎澄证照工坊 V2.9"));
    EXPECT_EQ(state.batch.task.imageCount, 3);
    EXPECT_EQ(state.batch.task.currentPosition, 2);
}

TEST_F(BatchModeTest, ALostImageIsShownLostAndCannotBeSaved)
{
    startBatch();
    const QString second = scanned()[1];
    ASSERT_TRUE(QFile::remove(source.file(second)));
    key(Qt::Key_S);
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" 当前文件：") + second + QStringLiteral("  已丢失"));
    EXPECT_FALSE(state.view.imageLoaded);
    save();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。"));
    EXPECT_TRUE(savedFiles().isEmpty());
    EXPECT_EQ(TaskImageAt(taskPath(), 2).record, QStringLiteral("未截图"));
    key(Qt::Key_S); // navigation goes on past it
    EXPECT_TRUE(state.view.imageLoaded);
}

TEST_F(BatchModeTest, AFailedWriteIsToldAndMarksNothing)
{
    startBatch();
    const QString title = window->windowTitle();
    const ReadOnlyFolder readOnly(output.path());
    ASSERT_FALSE(readOnly.writable());
    save();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("图片未能保存，请检查保存位置是否可以写入、磁盘空间是否足够。"));
    EXPECT_EQ(TaskImageAt(taskPath(), 1).record, QStringLiteral("未截图"));
    EXPECT_EQ(window->windowTitle(), title);
}

TEST_F(BatchModeTest, AnEmptyFolderStartsTheModeAndTheFirstKeyScansAgain)
{
    for (const QString& name : scanned())
        QFile::remove(source.file(name));
    startBatch();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("待截图文件夹中没有可截图的图片。"));
    key(Qt::Key_D); // still nothing there
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_FALSE(state.view.imageLoaded);
    addPhoto(QStringLiteral("a.jpg"));
    addPhoto(QStringLiteral("b.jpg"));
    key(Qt::Key_D); // any key starts at the first image
    EXPECT_EQ(state.batch.task.imageCount, 2);
    EXPECT_EQ(state.batch.task.currentPosition, 1);
    EXPECT_TRUE(state.view.imageLoaded);
}

TEST_F(BatchModeTest, TheUsersOwnFileIsNamedAfterItAndTheTaskIsUntouched)
{
    startBatch(0); // named as the source
    TempFolder other;
    other.write(QStringLiteral("张三.2023.jpg"), encodeAs(photoLikePicture(400, 500), "jpeg", 90));
    dialogs.fileAnswers = {other.file(QStringLiteral("张三.2023.jpg"))};
    unit<QToolBar>("工具条1")->actions()[1]->trigger();
    QFile taskFile(taskPath());
    ASSERT_TRUE(taskFile.open(QIODevice::ReadOnly));
    const QByteArray before = taskFile.readAll();
    taskFile.close();
    save();
    EXPECT_EQ(savedFiles(), QStringList{QStringLiteral("张三.2023.jpg")});
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" 当前文件：张三.2023.jpg  已截图"));
    ASSERT_TRUE(taskFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(taskFile.readAll(), before);
    key(Qt::Key_S); // back to the task's images
    EXPECT_EQ(state.import.imageOrigin, ImageOrigin::BatchTask);
    EXPECT_EQ(state.batch.task.currentPosition, 2);
}

// A step refused at either end leaves the user's own file as the picture to
// save: it is named after that file, and no task image is marked.
TEST_F(BatchModeTest, ARefusedStepKeepsTheUsersOwnFile)
{
    TempFolder other;
    other.write(QStringLiteral("自带.jpg"), encodeAs(photoLikePicture(400, 500), "jpeg", 90));
    const struct {
        const char* what;
        int position;
        Qt::Key key;
        const char* message;
    } cases[] = {
        {"D at the first image", 1, Qt::Key_D, "当前已是最初图片"},
        {"A at the last image", 3, Qt::Key_A, "当前已是末位图片"},
        {"S at the last image", 3, Qt::Key_S, "当前已是末位图片"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        startBatch(0, false); // named as the source
        while (state.batch.task.currentPosition < c.position)
            key(Qt::Key_S);
        dialogs.fileAnswers = {other.file(QStringLiteral("自带.jpg"))};
        unit<QToolBar>("工具条1")->actions()[1]->trigger();
        ASSERT_EQ(state.import.imageOrigin, ImageOrigin::UserFile);
        dialogs.messages.clear();

        key(c.key);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(state.import.imageOrigin, ImageOrigin::UserFile);
        save();
        EXPECT_EQ(savedFiles(), QStringList{QStringLiteral("自带.jpg")});
        EXPECT_EQ(window->windowTitle(), QStringLiteral(" 当前文件：自带.jpg  已截图"));
        for (int p = 1; p <= 3; ++p)
            EXPECT_EQ(TaskImageAt(taskPath(), p).record, QStringLiteral("未截图")) << p;
        QFile::remove(output.file(QStringLiteral("自带.jpg")));
    }
}

// Sources whose names differ only in the extension, named as their source:
// the second takes the next free suffixed name, and each re-crop, also after
// a restart, replaces only its own file.
TEST_F(BatchModeTest, TwoSourcesOfOneBaseNameKeepTwoCrops)
{
    const struct {
        const char* first;
        const char* second;
        const char* format;
    } pairs[] = {
        {"a.jpg", "a.png", "png"},
        {"a.JPG", "a.jpeg", "jpeg"},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.first);
        for (const QString& name : scanned())
            QFile::remove(source.file(name));
        for (const QString& name : QDir(output.path()).entryList(QDir::Files))
            QFile::remove(output.file(name));
        // Two pictures that no crop of the other can match.
        source.write(QString::fromUtf8(pair.first), encodeAs(photoLikePicture(600, 800), "jpeg", 90));
        QImage blue(600, 800, QImage::Format_RGB32);
        blue.fill(qRgb(0, 0, 255));
        source.write(QString::fromUtf8(pair.second), encodeAs(blue, pair.format, 90));
        open();
        startBatch(0, true); // named as the source
        // The task lists the sources in the folder's order.
        const auto showSource = [&](const char* name) {
            const int position = int(scanned().indexOf(QString::fromUtf8(name))) + 1;
            while (state.batch.task.currentPosition < position)
                key(Qt::Key_S);
            while (state.batch.task.currentPosition > position)
                key(Qt::Key_D);
            ASSERT_EQ(state.batch.task.currentName, QString::fromUtf8(name));
        };
        const auto blueCrop = [&](const QString& file) {
            const QRgb c = decodeImageFile(output.file(file)).pixel(80, 100);
            return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60;
        };

        showSource(pair.first);
        save();
        showSource(pair.second);
        save();
        const QStringList both{QStringLiteral("a.jpg"), QStringLiteral("a—1.jpg")};
        ASSERT_EQ(savedFiles(), both);
        EXPECT_FALSE(blueCrop(QStringLiteral("a.jpg")));
        EXPECT_TRUE(blueCrop(QStringLiteral("a—1.jpg")));

        // Re-cropped, each source replaces its own crop; also after a restart.
        const QByteArray firstCrop = output.read(QStringLiteral("a.jpg"));
        save();
        EXPECT_EQ(savedFiles(), both);
        EXPECT_EQ(output.read(QStringLiteral("a.jpg")), firstCrop);
        dialogs.messageAnswers = {MessageAnswer::Yes};
        open();
        clickBatchItem(); // resumed at the second source
        ASSERT_TRUE(state.batch.batchActive);
        ASSERT_EQ(state.batch.task.currentName, QString::fromUtf8(pair.second));
        unit<SpinEditBox>("像素宽编辑框")->setText(QStringLiteral("150"));
        save();
        showSource(pair.first);
        save();
        EXPECT_EQ(savedFiles(), both);
        EXPECT_EQ(decodeImageFile(output.file(QStringLiteral("a—1.jpg"))).width(), 150);
        EXPECT_TRUE(blueCrop(QStringLiteral("a—1.jpg")));
        EXPECT_FALSE(blueCrop(QStringLiteral("a.jpg")));
        EXPECT_EQ(decodeImageFile(output.file(QStringLiteral("a.jpg"))).width(), 150);
        clickBatchItem(); // the mode ends before the next pair
    }
}

TEST_F(BatchModeTest, TheCropSoundPlaysOnlyWhenChosen)
{
    startBatch();
    save();
    EXPECT_TRUE(sound.played.isEmpty());
    clickBatchItem(Qt::RightButton);
    settingsUnit<QCheckBox>("裁切声选择框")->click();
    confirmSettings(2, true);
    save();
    EXPECT_EQ(sound.played, QList<SoundClip>{SoundClip::Crop});
}

TEST_F(BatchModeTest, TheNamePromptNamesTheCropAndHoldsTheKeys)
{
    startBatch(4);
    save();
    auto* prompt = window->findChild<NamePromptWindow*>();
    ASSERT_NE(prompt, nullptr);
    EXPECT_TRUE(prompt->isVisible());
    EXPECT_EQ(prompt->windowTitle(), QStringLiteral("请为刚才截图命名（不需填写扩展名）"));
    EXPECT_FALSE(state.batch.keysRegistered);
    EXPECT_EQ(TaskImageAt(taskPath(), 1).record, QStringLiteral("已截图")); // marked before it is named
    auto* box = prompt->findChild<QLineEdit*>(QStringLiteral("编辑框1"));
    QTest::keyClicks(box, QStringLiteral("asdf"));
    EXPECT_EQ(state.batch.task.currentPosition, 1); // typed, not navigated
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(savedFiles(), QStringList{QStringLiteral("asdf.jpg")});
    EXPECT_TRUE(state.batch.keysRegistered);
    key(Qt::Key_A);
    EXPECT_EQ(state.batch.task.currentPosition, 2);
}

TEST_F(BatchModeTest, TheSpreadsheetSchemeNamesEachCropAfterTheNextPupil)
{
    startBatch(5); // the name list opens with the mode
    NameListWindow* list = window->nameListForTest()->windowForTest();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("导入EXCEL，按所选单元格文字命名即将截取的图片"));
    dialogs.messages.clear();
    save();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请先导入EXCEL文件。"));

    dialogs.fileAnswers = {QStringLiteral(IDPHOTO_FIXTURES "/spreadsheets/class_lists.xlsx")};
    QTest::mouseClick(list->findChild<QWidget*>(QStringLiteral("导入EXCEL按钮")), Qt::LeftButton);
    ASSERT_TRUE(state.nameList.imported);
    save();
    EXPECT_EQ(dialogs.messages.last().text, QStringLiteral("请先点击有文字的单元格作为图片命名，再截图。"));
    EXPECT_TRUE(savedFiles().isEmpty());

    auto* grid = list->findChild<QTableWidget*>(QStringLiteral("导入高表"));
    const int lastRow = grid->rowCount() - 1;
    ASSERT_GT(lastRow, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(lastRow - 1, 0)).center());
    const QString secondLast = state.nameList.selectedName;
    const QString last = grid->item(lastRow, 0)->text();
    ASSERT_FALSE(secondLast.isEmpty());
    list->findChild<QCheckBox*>(QStringLiteral("自动下一行选择框"))->setChecked(true);
    const int before = dialogs.messages.size();
    save();
    EXPECT_EQ(state.nameList.selectedName, last);
    save();
    ASSERT_EQ(dialogs.messages.size(), before + 1);
    EXPECT_EQ(dialogs.messages.last().text, QStringLiteral("EXCEL光标已处于最后一行"));
    save(); // the same name again gets the next free suffix
    QStringList expected{secondLast + QStringLiteral(".jpg"), last + QStringLiteral(".jpg"),
                         last + QStringLiteral("—1.jpg")};
    expected.sort();
    EXPECT_EQ(savedFiles(), expected);

    // Without the list window the save asks; No opens the settings, not modal.
    window->nameListForTest()->closeAndReset();
    save();
    EXPECT_EQ(dialogs.messages.last().title, QStringLiteral("询问"));
    EXPECT_EQ(dialogs.messages.last().text, QStringLiteral("当前批量命名方式需导入EXCEL文件，是否沿用此命名方式？"));
    EXPECT_EQ(dialogs.messages.last().buttons, MessageButtons::YesNo);
    ASSERT_NE(settingsWindowForTest(), nullptr);
    EXPECT_FALSE(settingsWindowForTest()->isModal());
    settingsWindowForTest()->close();
    QCoreApplication::processEvents();
    dialogs.messageAnswers = {MessageAnswer::Yes};
    save(); // Yes opens the list again
    EXPECT_NE(window->nameListForTest()->windowForTest(), nullptr);
    EXPECT_TRUE(state.nameList.windowOpen);
    EXPECT_EQ(savedFiles().size(), 3);
}

} // namespace

namespace {

// With 打开图片时自动取景 ticked, a batch run turns hand framing into a check
// and a save: every image arrives framed, a picture without a face arrives
// as it always did with the reason in the status bar, and no message stops
// the walk.
TEST_F(BatchModeTest, WithFramingOnArrivalEachImageArrivesFramed)
{
    QFile::remove(source.file(QStringLiteral("学生2.jpg")));
    QFile::remove(source.file(QStringLiteral("学生3.jpg")));
    QFile::copy(QStringLiteral(IDPHOTO_FIXTURES "/portraits/grace_hopper.jpg"), source.file(QStringLiteral("学生2.jpg")));
    QFile::copy(QStringLiteral(IDPHOTO_FIXTURES "/portraits/astronaut.jpg"), source.file(QStringLiteral("学生3.jpg")));
    state.framing.onArrival = true;
    startBatch();
    QStringList seen;
    for (int step = 0; step < 3; ++step) {
        const QString name = state.batch.task.currentName;
        const double fitted = FitScale(PictureSize(state.view), window->workspaceForTest().image.size());
        const bool framed = std::abs(state.view.viewScale - fitted) > 1e-9;
        seen << name + (framed ? QStringLiteral(" framed") : QStringLiteral(" fitted"));
        if (name == QStringLiteral("学生1.jpg")) {
            EXPECT_EQ(unit<QLabel>("状态条1提示")->text(), QStringLiteral("未能识别到人脸，请手动调整采集框。"));
        }
        save();
        if (step < 2)
            key(Qt::Key_S);
    }
    seen.sort();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("学生1.jpg fitted"), QStringLiteral("学生2.jpg framed"),
                                 QStringLiteral("学生3.jpg framed")}));
    EXPECT_EQ(savedFiles().size(), 3);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.value(0).text.toStdString();
    // A batch crop carries its print resolution too (300 dpi at 160 × 210).
    const QImage saved(output.file(savedFiles().value(0)));
    EXPECT_EQ(qRound(saved.dotsPerMeterX() * 0.0254), 300);
}

} // namespace
