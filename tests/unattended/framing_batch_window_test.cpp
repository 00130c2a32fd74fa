// 批量自动取景 as a user drives it: the form, a refusal, a run to its summary
// and the list of photos that need a person, and handing them on.
#include "unattended/framing_batch_window.h"

#include "imaging/opencv_face_finder.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "unattended/photo_folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FramingBatchWindowTest : public ::testing::Test {
protected:
    template <typename T>
    T* unit(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void fillFolders()
    {
        FillPhotoFolder(photos());
        QDir().mkpath(save());
        unit<QLineEdit>("照片文件夹编辑框")->setText(photos());
        unit<QLineEdit>("保存文件夹编辑框")->setText(save());
        unit<QComboBox>("取景尺寸类型组合框")->setCurrentText(QStringLiteral("默认"));
    }
    void runToEnd()
    {
        unit<QPushButton>("开始按钮")->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 60'000));
    }
    QString photos() const { return folder.file(QStringLiteral("photos")); }
    QString save() const { return folder.file(QStringLiteral("save")); }

    TempFolder folder;
    FakeDialogs dialogs;
    FakeClock clock;
    FramingBatchWindow window{dialogs, clock, MakeSystemFaceFinder};
};

TEST_F(FramingBatchWindowTest, TheFormGivesTheJob)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("批量自动取景"));
    // It starts at 学籍/身份证, JPEG under 50 KB, named as the sources.
    FramingJob job = window.formJob();
    EXPECT_EQ(job.output, QSize(358, 441));
    EXPECT_EQ(job.extension, QStringLiteral(".jpg"));
    EXPECT_EQ(job.jpegLimitKB, 50.0);
    EXPECT_EQ(job.naming, FramingNaming::SameAsSource);
    EXPECT_FALSE(unit<QSpinBox>("取景宽度框")->isEnabled()) << "a size type gives the size";
    EXPECT_FALSE(unit<QLineEdit>("取景前缀编辑框")->isEnabled());

    unit<QComboBox>("取景尺寸类型组合框")->setCurrentText(QStringLiteral("自定义"));
    ASSERT_TRUE(unit<QSpinBox>("取景宽度框")->isEnabled());
    unit<QSpinBox>("取景宽度框")->setValue(300);
    unit<QSpinBox>("取景高度框")->setValue(400);
    unit<QComboBox>("取景格式组合框")->setCurrentText(QStringLiteral("PNG"));
    EXPECT_FALSE(unit<QDoubleSpinBox>("取景JPEG大小框")->isEnabled()) << "a limit for JPEG only";
    unit<QComboBox>("取景命名方式组合框")->setCurrentText(QStringLiteral("自定义前缀"));
    ASSERT_TRUE(unit<QLineEdit>("取景前缀编辑框")->isEnabled());
    unit<QLineEdit>("取景前缀编辑框")->setText(QStringLiteral("初一2班-"));
    unit<QSpinBox>("同时处理框")->setValue(3);
    unit<QCheckBox>("接着上次继续选择框")->setChecked(true);
    job = window.formJob();
    EXPECT_EQ(job.output, QSize(300, 400));
    EXPECT_EQ(job.extension, QStringLiteral(".png"));
    EXPECT_EQ(job.naming, FramingNaming::CustomPrefix);
    EXPECT_EQ(job.prefix, QStringLiteral("初一2班-"));
    EXPECT_EQ(job.jobs, 3);
    EXPECT_TRUE(job.resume);
}

TEST_F(FramingBatchWindowTest, AFormThatCannotRunIsToldAndStartsNothing)
{
    unit<QLineEdit>("照片文件夹编辑框")->setText(folder.file(QStringLiteral("none")));
    unit<QPushButton>("开始按钮")->click();
    EXPECT_FALSE(window.running());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("照片文件夹不存在：%1").arg(QDir::toNativeSeparators(folder.file(QStringLiteral("none")))));

    fillFolders();
    unit<QComboBox>("取景命名方式组合框")->setCurrentText(QStringLiteral("名单逐行"));
    unit<QLineEdit>("名单文件编辑框")->setText(folder.file(QStringLiteral("名单.xlsx")));
    unit<QPushButton>("开始按钮")->click();
    EXPECT_FALSE(window.running());
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("无法读取名单文件：%1").arg(QDir::toNativeSeparators(folder.file(QStringLiteral("名单.xlsx")))));
}

TEST_F(FramingBatchWindowTest, ARunEndsWithItsSummaryAndThePhotosThatNeedAPerson)
{
    fillFolders();
    QSignalSpy opened(&window, &FramingBatchWindow::openPhoto);
    QSignalSpy handed(&window, &FramingBatchWindow::handToBatchCrop);
    runToEnd();
    EXPECT_EQ(unit<QLabel>("取景结果标签")->text(), QStringLiteral("共 5 张照片，本次保存 3 张，未能取景 2 张。"));
    EXPECT_EQ(unit<QProgressBar>("取景进度条")->value(), 5);
    EXPECT_EQ(unit<QProgressBar>("取景进度条")->maximum(), 5);
    auto* list = unit<QListWidget>("未能取景列表");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("03.jpg：未能识别到人脸"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("04.jpg：无法读取此图片文件"));
    EXPECT_TRUE(QFileInfo::exists(QDir(save()).filePath(QStringLiteral("01.jpg"))));

    list->setCurrentRow(1);
    unit<QPushButton>("在主窗口打开按钮")->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toString(), QDir(photos()).filePath(QStringLiteral("04.jpg")));

    unit<QPushButton>("交给批量截图按钮")->click();
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0][0].toString(), photos());
    EXPECT_EQ(handed[0][1].toString(), save());
    EXPECT_EQ(handed[0][2].toStringList(), (QStringList{QStringLiteral("03.jpg"), QStringLiteral("04.jpg")}));
    EXPECT_EQ(handed[0][3].toSize(), QSize(160, 210));
    EXPECT_TRUE(unit<QPushButton>("开始按钮")->isEnabled());
    EXPECT_FALSE(unit<QPushButton>("取消按钮")->isEnabled());
}

TEST_F(FramingBatchWindowTest, CancelStopsAfterThePhotosInHand)
{
    fillFolders();
    unit<QSpinBox>("同时处理框")->setValue(1);
    unit<QPushButton>("开始按钮")->click();
    ASSERT_TRUE(window.running());
    EXPECT_FALSE(unit<QPushButton>("开始按钮")->isEnabled());
    unit<QPushButton>("取消按钮")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 60'000));
    const QString summary = unit<QLabel>("取景结果标签")->text();
    EXPECT_TRUE(summary.endsWith(QStringLiteral("已取消，其余照片未处理。"))) << summary.toStdString();
    // The photos in hand (two for one thread) were finished and saved whole.
    for (const QString& name : QDir(save()).entryList({QStringLiteral("*.jpg")}, QDir::Files))
        EXPECT_EQ(QImage(QDir(save()).filePath(name)).size(), QSize(160, 210)) << name.toStdString();
}

} // namespace
