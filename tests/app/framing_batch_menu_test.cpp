// 工具 → 批量自动取景… in the main window: the window opens, and the photos
// it could not frame open in the view or become batch crop's task.
#include "batch/task_file.h"
#include "support/main_window_fixture.h"
#include "unattended/framing_batch_window.h"
#include "unattended/photo_folder.h"

#include <QAction>
#include <QMenuBar>

namespace {

class FramingBatchMenuTest : public MainWindowFixture {
protected:
    FramingBatchWindow* framingWindow() { return window->findChild<FramingBatchWindow*>(); }
    QString photos() const { return folder.file(QStringLiteral("photos")); }
    TempFolder folder;
};

TEST_F(FramingBatchMenuTest, TheMenuShowsTheWindow)
{
    QAction* item = toolsItem(QStringLiteral("批量自动取景…"));
    ASSERT_NE(item, nullptr);
    ASSERT_NE(framingWindow(), nullptr);
    EXPECT_FALSE(framingWindow()->isVisible());
    item->trigger();
    EXPECT_TRUE(framingWindow()->isVisible());
}

TEST_F(FramingBatchMenuTest, APhotoToLookAtOpensInTheView)
{
    FillPhotoFolder(photos());
    emit framingWindow()->openPhoto(QDir(photos()).filePath(QStringLiteral("03.jpg")));
    ASSERT_TRUE(state.view.imageLoaded);
    EXPECT_EQ(state.view.currentPicture.size(), QImage(QDir(photos()).filePath(QStringLiteral("03.jpg"))).size());
}

TEST_F(FramingBatchMenuTest, ThePhotosHandedOnBecomeBatchCropsTask)
{
    FillPhotoFolder(photos());
    const QString save = folder.file(QStringLiteral("save"));
    QDir().mkpath(save);
    emit framingWindow()->handToBatchCrop(photos(), save, {QStringLiteral("03.jpg"), QStringLiteral("04.jpg")},
                                          QSize(358, 441));
    EXPECT_TRUE(state.batch.batchActive);
    EXPECT_EQ(state.frame.frameWidth, 358);
    EXPECT_EQ(state.frame.frameHeight, 441);
    EXPECT_EQ(state.batch.settings.sourceFolder, photos());
    EXPECT_EQ(state.batch.settings.saveFolder, save);
    const QString task = TaskFilePath(state.main.settingsFolder);
    EXPECT_EQ(StoredImageCount(task), 2);
    EXPECT_EQ(TaskImageAt(task, 1).name, QStringLiteral("03.jpg"));
    EXPECT_EQ(TaskImageAt(task, 2).name, QStringLiteral("04.jpg"));
    // The first of them is shown, as a batch step shows it.
    ASSERT_TRUE(state.view.imageLoaded);
    EXPECT_EQ(window->windowTitle(), TaskImageTitle(QStringLiteral("03.jpg"), kNotCroppedRecord));
}

} // namespace
