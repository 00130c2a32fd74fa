#include "support/main_window_fixture.h"
#include "support/test_images.h"
#include "imaging/bmp_file.h"
#include "imaging/encode_crop.h"
#include "imaging/image_decoder.h"
#include "workspace/view_panel.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QToolBar>

namespace {

class SaveTest : public MainWindowFixture {
protected:
    void paste(const QImage& picture)
    {
        clipboard.offered = encodeBmp24(picture);
        QTest::keyClick(unit("可视画板"), Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(state.view.imageLoaded);
    }

    // Saves through the save button, answering the dialog with `name`.
    QString saveAs(const QString& name)
    {
        const QString path = out.file(name);
        dialogs.fileAnswers = {path};
        QTest::mouseClick(unit("截图保存按钮"), Qt::LeftButton);
        return path;
    }

    QImage framedView() const
    {
        const FrameState& f = state.frame;
        return window->workspaceForTest().image.copy(f.frameLeft, f.frameTop, f.frameWidth, f.frameHeight);
    }

    QAction* toolbarEntry(int index) { return unit<QToolBar>("工具条1")->actions()[index]; }

    TempFolder out;
};

TEST_F(SaveTest, WithoutAPictureTheUserIsTold)
{
    QTest::mouseClick(unit("截图保存按钮"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(dialogs.fileDialogs.isEmpty());
}

TEST_F(SaveTest, TheSaveDialogAsksWithTheProgramsTitleAndFilter)
{
    paste(photoLikePicture(300, 200));
    toolbarEntry(2)->trigger();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1);
    const FileDialogCall& d = dialogs.fileDialogs[0];
    EXPECT_EQ(d.title, QStringLiteral("采集框内图象另存为："));
    EXPECT_EQ(d.filter, QStringLiteral("图片文件 *.jpg *.bmp *.gif *.png |*.jpg;*.bmp;*.gif;*.png"));
    EXPECT_EQ(d.defaultSuffix, QStringLiteral(".jpg"));
    EXPECT_TRUE(QFileInfo(d.startFolder).isDir());
    // Cancelled: nothing written, nothing said.
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SaveTest, TheSavedFileIsExactlyTheFramedViewPixels)
{
    paste(photoLikePicture(822, 558)); // fitted at scale 0.5
    ASSERT_DOUBLE_EQ(state.view.viewScale, 0.5);
    for (const char* name : {"crop.bmp", "crop.PNG"}) {
        const QString path = saveAs(QString::fromUtf8(name));
        const QImage saved = decodeImageFile(path);
        ASSERT_EQ(saved.size(), QSize(160, 210)) << name;
        EXPECT_EQ(saved, framedView()) << name;
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(unit("可视画板")->hasFocus());
}

TEST_F(SaveTest, FramePartsBeyondThePictureAreWhite)
{
    paste(photoLikePicture(300, 200)); // margins 55 across, 39 down
    state.frame.frameLeft = 0;
    state.frame.frameTop = 0;
    const QImage saved = decodeImageFile(saveAs(QStringLiteral("edge.bmp")));
    ASSERT_EQ(saved.size(), QSize(160, 210));
    EXPECT_EQ(saved.pixel(10, 100), qRgb(255, 255, 255));
    EXPECT_EQ(saved.pixel(100, 10), qRgb(255, 255, 255));
    EXPECT_EQ(saved.pixel(55, 39), state.view.currentPicture.pixel(0, 0));
    EXPECT_EQ(saved, framedView());
}

TEST_F(SaveTest, AJpegIsHeldUnderTheLimit)
{
    paste(photoLikePicture(822, 558));
    unit<QLineEdit>("JPG体积编辑框")->setText(QStringLiteral("6"));
    const QString path = saveAs(QStringLiteral("证件照.jpg"));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_LE(QFileInfo(path).size(), 6 * 1024);
    EXPECT_EQ(decodeImageFile(path).size(), QSize(160, 210));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SaveTest, AnUnreachableLimitWritesTheSmallestFileAndSaysSo)
{
    paste(photoLikePicture(822, 558));
    unit<QLineEdit>("JPG体积编辑框")->setText(QStringLiteral("0.001"));
    const QString path = saveAs(QStringLiteral("tiny.jpg"));
    ASSERT_TRUE(QFileInfo::exists(path));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].text, SizeLimitMessage(QFileInfo(path).size()));
}

TEST_F(SaveTest, AnExtensionTheProgramCannotWriteIsRefusedWithoutAFile)
{
    paste(photoLikePicture(300, 200));
    const QString path = saveAs(QStringLiteral("photo.tif"));
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("jpg、bmp、gif或png")));
}

TEST_F(SaveTest, AFailedWriteIsToldAndLeavesNoFile)
{
    paste(photoLikePicture(300, 200));
    const QString path = saveAs(QStringLiteral("missing-folder/photo.jpg"));
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("图片未能保存，请检查保存位置是否可以写入、磁盘空间是否足够。"));
}

TEST_F(SaveTest, SavingOverAFileReplacesItWholeAndLeavesNothingElse)
{
    paste(photoLikePicture(300, 200));
    out.write(QStringLiteral("photo.png"), QByteArray(100000, 'x'));
    const QString path = saveAs(QStringLiteral("photo.png"));
    EXPECT_EQ(decodeImageFile(path), framedView());
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("photo.png")});
}

TEST_F(SaveTest, TurningKeepsTheScaleAndTheFrame)
{
    QImage picture = photoLikePicture(640, 480);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    paste(picture);
    const double scale = state.view.viewScale;
    toolbarEntry(6)->trigger(); // clockwise
    EXPECT_EQ(state.view.currentPicture.size(), QSize(480, 640));
    EXPECT_EQ(state.view.currentPicture.pixel(479, 0), qRgb(1, 2, 3));
    EXPECT_DOUBLE_EQ(state.view.viewScale, scale);
    EXPECT_EQ(state.frame.frameLeft, 125);
    EXPECT_EQ(state.view.scaledHeight, static_cast<int>(640 * scale));
    toolbarEntry(7)->trigger(); // and back
    EXPECT_EQ(state.view.currentPicture, picture);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SaveTest, TurningWithoutAPictureDoesNothing)
{
    toolbarEntry(6)->trigger();
    toolbarEntry(7)->trigger();
    EXPECT_FALSE(state.view.imageLoaded);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
