#include "batch/batch_crop_settings_window.h"
#include "naming/name_list_seam.h"
#include "state/naming_schemes.h"
#include "support/fake_dialogs.h"
#include "support/naming_box_checks.h"
#include "support/temp_folder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class FakeNameList final : public NameListSeam {
public:
    void open(NameListContext) override {}
    void closeAndReset() override { ++closeAndResetCalls; }
    void focus() override {}
    void wordFor(NameListContext) override {}
    void advanceRow(NameListContext) override {}

    int closeAndResetCalls = 0;
};

QString scheme(int index)
{
    return batchNamingSchemes()[index];
}

class BatchCropSettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir root(folder.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("src")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("out")));
        batch.settings.namingIndex = 0;
        batch.settings.namingText = scheme(0);
        batch.settings.outputExtension = QStringLiteral(".JPG");
    }

    void open()
    {
        window = std::make_unique<BatchCropSettingsWindow>(batch, dialogs, nameList, nameListState);
        confirmedSpy = std::make_unique<QSignalSpy>(window.get(), &BatchCropSettingsWindow::confirmed);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget>
    T* unit(const char* name)
    {
        return window->findChild<T*>(QString::fromUtf8(name));
    }

    QLineEdit* sourceBox() { return unit<QLineEdit>("批截目标目录编辑框"); }
    QLineEdit* saveBox() { return unit<QLineEdit>("批截保存目录编辑框"); }
    QComboBox* formatBox() { return unit<QComboBox>("批截格式组合框"); }
    QComboBox* namingBox() { return unit<QComboBox>("批截命名方式组合框"); }

    // Picks an item the way the user does: drop the list down, move to the
    // item and press Enter.
    static void choose(QComboBox* box, int index)
    {
        box->showPopup();
        QAbstractItemView* list = box->view();
        list->setCurrentIndex(box->model()->index(index, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

    void clickOk() { QTest::mouseClick(unit<QPushButton>("确定批截设置按钮"), Qt::LeftButton); }

    QString sub(const char* name) const { return folder.file(QString::fromUtf8(name)); }

    TempFolder folder;
    BatchState batch;
    FakeDialogs dialogs;
    FakeNameList nameList;
    NameListState nameListState;
    std::unique_ptr<BatchCropSettingsWindow> window;
    std::unique_ptr<QSignalSpy> confirmedSpy;
};

TEST_F(BatchCropSettingsWindowTest, EveryUnitHasItsDesignPlaceAndText)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("批量截图设置"));
    EXPECT_EQ(window->size(), QSize(466, 236));

    struct Expected {
        const char* name;
        QRect geometry;
        const char* text; // nullptr for the edit and combo boxes
    };
    const Expected units[] = {
        {"等待截图目录标签", {10, 12, 80, 24}, "等待截图目录"},
        {"批截目标目录编辑框", {90, 12, 268, 24}, nullptr},
        {"浏览批截目标目录按钮", {362, 12, 94, 24}, "浏览待截图目录"},
        {"图片保存目录标签", {10, 48, 80, 24}, "图片保存目录"},
        {"批截保存目录编辑框", {90, 48, 268, 24}, nullptr},
        {"浏览批截保存目录按钮", {362, 48, 94, 24}, "新建、浏览目录"},
        {"图片保存格式标签", {10, 84, 80, 24}, "图片保存格式"},
        {"批截格式组合框", {90, 84, 368, 22}, nullptr},
        {"图片命名方式标签", {10, 120, 80, 24}, "图片命名方式"},
        {"批截命名方式组合框", {90, 120, 368, 22}, nullptr},
        {"裁切声选择框", {64, 156, 144, 24}, "截图时发出裁切声"},
        {"保存批截设置选择框", {232, 156, 180, 24}, "保存上述设置供下次使用"},
        {"确定批截设置按钮", {194, 189, 80, 32}, "确定"},
    };
    for (const Expected& e : units) {
        QWidget* w = unit(e.name);
        ASSERT_NE(w, nullptr) << e.name;
        EXPECT_EQ(w->geometry(), e.geometry) << e.name;
        if (!e.text)
            continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            text = button->text();
        EXPECT_EQ(text, QString::fromUtf8(e.text)) << e.name;
    }
    EXPECT_TRUE(unit<QCheckBox>("裁切声选择框"));
    EXPECT_TRUE(unit<QCheckBox>("保存批截设置选择框"));

    QStringList formats;
    for (int i = 0; i < formatBox()->count(); ++i)
        formats << formatBox()->itemText(i);
    EXPECT_EQ(formats, (QStringList{QStringLiteral(" *.JPG"), QStringLiteral(" *.BMP"),
                                    QStringLiteral(" *.GIF"), QStringLiteral(" *.PNG")}));
    QStringList schemes;
    for (int i = 0; i < namingBox()->count(); ++i)
        schemes << namingBox()->itemText(i);
    EXPECT_EQ(schemes, batchNamingSchemes());
    EXPECT_EQ(schemes.size(), 6);
}

TEST_F(BatchCropSettingsWindowTest, FillsTheUnitsFromTheSettings)
{
    struct Case {
        const char* source;
        const char* save;
        const char* extension;
        int namingIndex;
        int namingTextIndex; // -1: a text that is no scheme
        bool cropSound;
        bool keep;
        const char* shownSource;
        const char* shownSave;
        int formatIndex;
        const char* keptExtension;
        int chosenScheme;
    };
    const Case cases[] = {
        {"/a/b", "/c", ".JPG", 0, 0, false, false, "/a/b/", "/c/", 0, ".JPG", 0},
        {"", "/c/d", ".BMP", 0, 4, true, false, "", "/c/d/", 1, ".BMP", 4},
        {"/a", "", ".GIF", 1, 1, false, true, "/a/", "", 2, ".GIF", 1},
        {"/a", "/b", ".PNG", 2, -1, true, true, "/a/", "/b/", 3, ".PNG", 2},
        {"/a", "/b", ".TIF", 5, 5, false, false, "/a/", "/b/", 0, ".JPG", 5},
        {"/a", "/b", "", 0, 2, false, false, "/a/", "/b/", 0, ".JPG", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        batch = BatchState{};
        batch.settingsConfirmed = true;
        BatchCropSettings& s = batch.settings;
        s.sourceFolder = QString::fromUtf8(c.source);
        s.saveFolder = QString::fromUtf8(c.save);
        s.outputExtension = QString::fromUtf8(c.extension);
        s.namingIndex = c.namingIndex;
        s.namingText = c.namingTextIndex < 0 ? QStringLiteral("无此命名方式") : scheme(c.namingTextIndex);
        s.cropSound = c.cropSound;
        s.keepSettings = c.keep;
        open();

        EXPECT_FALSE(batch.settingsConfirmed);
        EXPECT_EQ(sourceBox()->text(), QString::fromUtf8(c.shownSource));
        EXPECT_EQ(saveBox()->text(), QString::fromUtf8(c.shownSave));
        EXPECT_EQ(formatBox()->currentIndex(), c.formatIndex);
        EXPECT_EQ(s.outputExtension, QString::fromUtf8(c.keptExtension));
        EXPECT_EQ(s.namingIndex, c.chosenScheme);
        EXPECT_EQ(namingBox()->currentIndex(), c.chosenScheme);
        EXPECT_FALSE(namingBox()->isEditable());
        EXPECT_EQ(unit<QCheckBox>("裁切声选择框")->isChecked(), c.cropSound);
        EXPECT_EQ(window->cropSoundTicked(), c.cropSound);
        EXPECT_EQ(unit<QCheckBox>("保存批截设置选择框")->isChecked(), c.keep);
        EXPECT_EQ(window->keepSettingsTicked(), c.keep);
        EXPECT_EQ(window->focusWidget(), sourceBox());
    }
}

TEST_F(BatchCropSettingsWindowTest, TheSourceBoxHasTheKeyboardWhenTheWindowIsActive)
{
    open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), sourceBox());
}

TEST_F(BatchCropSettingsWindowTest, ReopenedOnTheCustomSchemeShowsTheKeptPrefix)
{
    batch.settings.namingIndex = 3;
    batch.settings.namingText = scheme(3);
    batch.settings.customPrefix = QStringLiteral("班级");
    batch.settings.sourceFolder = sub("src");
    batch.settings.saveFolder = sub("out");
    open();
    EXPECT_TRUE(namingBox()->isEditable());
    EXPECT_EQ(namingBox()->currentIndex(), 3);
    EXPECT_EQ(namingBox()->currentText(), QStringLiteral("班级"));

    clickOk();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(confirmedSpy->count(), 1);
    EXPECT_EQ(batch.settings.customPrefix, QStringLiteral("班级"));
}

TEST_F(BatchCropSettingsWindowTest, TheFormatBoxSetsTheOutputExtension)
{
    open();
    const char* extensions[] = {".BMP", ".GIF", ".PNG", ".JPG"};
    const int indices[] = {1, 2, 3, 0};
    for (int i = 0; i < 4; ++i) {
        choose(formatBox(), indices[i]);
        EXPECT_EQ(formatBox()->currentIndex(), indices[i]);
        EXPECT_EQ(batch.settings.outputExtension, QString::fromUtf8(extensions[i]));
    }
}

TEST_F(BatchCropSettingsWindowTest, TheCustomSchemeMakesTheNamingBoxAnEmptyEditBox)
{
    open();
    choose(namingBox(), 3);
    EXPECT_EQ(namingBox()->currentIndex(), 3);
    EXPECT_EQ(batch.settings.namingIndex, 3);
    EXPECT_EQ(batch.settings.namingText, scheme(3));
    EXPECT_TRUE(namingBox()->isEditable());
    EXPECT_EQ(namingBox()->currentText(), QString());
    EXPECT_FALSE(namingBox()->view()->isVisible());

    // A typed prefix confirmed with Enter stays a prefix, not a new scheme.
    namingBox()->lineEdit()->insert(QStringLiteral("甲班"));
    QTest::keyClick(namingBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(namingBox()->count(), 6);
    EXPECT_EQ(namingBox()->currentIndex(), 3);
    EXPECT_EQ(namingBox()->currentText(), QStringLiteral("甲班"));

    choose(namingBox(), 1);
    EXPECT_EQ(namingBox()->currentIndex(), 1);
    EXPECT_EQ(batch.settings.namingIndex, 1);
    EXPECT_EQ(batch.settings.namingText, scheme(1));
    EXPECT_FALSE(namingBox()->isEditable());
    EXPECT_EQ(namingBox()->currentText(), scheme(1));
}

// The list dropped down and closed without a choice: the box takes the
// style of the scheme that stays chosen again, and a custom prefix typed
// before is gone with it.
TEST_F(BatchCropSettingsWindowTest, ClosingTheNamingListAppliesTheStyleAgain)
{
    CheckClosingTheNamingList([this] {
        open();
        return namingBox();
    }, scheme, 3);
}

TEST_F(BatchCropSettingsWindowTest, LeavingTheSpreadsheetSchemeClosesAnOpenNameList)
{
    struct Case {
        int chosen;
        bool listOpen;
        int closes;
    };
    const Case cases[] = {{0, true, 1}, {3, true, 1}, {4, true, 1}, {5, true, 0}, {0, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        nameList.closeAndResetCalls = 0;
        nameListState.windowOpen = c.listOpen;
        batch.settings.namingIndex = 2;
        batch.settings.namingText = scheme(2);
        open();
        choose(namingBox(), c.chosen);
        EXPECT_EQ(batch.settings.namingIndex, c.chosen);
        EXPECT_EQ(nameList.closeAndResetCalls, c.closes);
    }
}

TEST_F(BatchCropSettingsWindowTest, TheCropSoundBoxTakesEffectAtOnceTheKeepBoxAtOk)
{
    open();
    auto* sound = unit<QCheckBox>("裁切声选择框");
    QTest::mouseClick(sound, Qt::LeftButton);
    EXPECT_TRUE(batch.settings.cropSound);
    QTest::mouseClick(sound, Qt::LeftButton);
    EXPECT_FALSE(batch.settings.cropSound);

    QTest::mouseClick(unit<QCheckBox>("保存批截设置选择框"), Qt::LeftButton);
    EXPECT_TRUE(window->keepSettingsTicked());
    EXPECT_FALSE(batch.settings.keepSettings);
}

TEST_F(BatchCropSettingsWindowTest, BrowseButtonsWriteTheChosenFolderAndACancelKeepsTheText)
{
    struct Case {
        const char* button;
        const char* box;
        const char* title;
    };
    const Case cases[] = {
        {"浏览批截目标目录按钮", "批截目标目录编辑框",
         "选择待截图文件夹，以便对文件夹中的图片进行批量截图。"},
        {"浏览批截保存目录按钮", "批截保存目录编辑框", "请选择或者新建一个文件夹"},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        dialogs.fileDialogs.clear();
        auto* box = unit<QLineEdit>(c.box);
        box->setText(QStringLiteral("/typed/before"));

        dialogs.fileAnswers = {QStringLiteral("/chosen/folder")};
        QTest::mouseClick(unit<QPushButton>(c.button), Qt::LeftButton);
        EXPECT_EQ(box->text(), QStringLiteral("/chosen/folder"));

        QTest::mouseClick(unit<QPushButton>(c.button), Qt::LeftButton); // the user cancels
        EXPECT_EQ(box->text(), QStringLiteral("/chosen/folder"));

        ASSERT_EQ(dialogs.fileDialogs.size(), 2);
        EXPECT_EQ(dialogs.fileDialogs[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(dialogs.fileDialogs[0].startFolder, QStringLiteral("/typed/before"));
        EXPECT_EQ(dialogs.fileDialogs[1].startFolder, QStringLiteral("/chosen/folder"));
    }
}

TEST_F(BatchCropSettingsWindowTest, OkRefusesBadSettingsWithAReminderAndKeepsTheWindowOpen)
{
    struct Case {
        const char* what;
        const char* source; // under the temporary folder; nullptr for an empty box
        const char* save;
        int scheme;
        const char* prefix;
        const char* message;
    };
    const Case cases[] = {
        {"no source", "none", "none2", 0, "", "待截图目录不存在，无法对其图片进行批量截图。"},
        {"empty source", nullptr, "out", 0, "", "待截图目录不存在，无法对其图片进行批量截图。"},
        {"no save folder", "src", "none", 0, "", "请设置正确的图片保存目录。"},
        {"empty save box", "src", nullptr, 0, "", "请设置正确的图片保存目录。"},
        {"blank prefix", "src", "out", 3, " \u3000 ", "自定义命名不能为空。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.messages.clear();
        batch.settings.sourceFolder = QStringLiteral("/kept/source");
        batch.settings.saveFolder = QStringLiteral("/kept/save");
        open();
        sourceBox()->setText(c.source ? sub(c.source) : QString());
        saveBox()->setText(c.save ? sub(c.save) : QString());
        if (c.scheme == 3) {
            choose(namingBox(), 3);
            namingBox()->lineEdit()->insert(QString::fromUtf8(c.prefix));
        }
        clickOk();

        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提醒："));
        EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(confirmedSpy->count(), 0);
        EXPECT_FALSE(batch.settingsConfirmed);
        EXPECT_TRUE(window->isVisible());
        // The folders are taken only once both were found.
        EXPECT_EQ(batch.settings.sourceFolder, QStringLiteral("/kept/source"));
        EXPECT_EQ(batch.settings.saveFolder, QStringLiteral("/kept/save"));
        if (c.scheme == 3) {
            EXPECT_EQ(window->focusWidget(), namingBox());
        }
    }
}

TEST_F(BatchCropSettingsWindowTest, OkRefusesTheSourceFolderAsSaveFolderAndKeepsBothFolders)
{
    batch.settings.sourceFolder = QStringLiteral("/kept/source");
    batch.settings.saveFolder = QStringLiteral("/kept/save");
    open();
    sourceBox()->setText(sub("src") + QLatin1Char('/'));
    saveBox()->setText(sub("out/../src") + QLatin1Char('/'));
    clickOk();

    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提醒："));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("待截图文件夹不可再用于保存截图，请换一个文件夹保存截图。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(saveBox()->text(), QString());
    EXPECT_EQ(batch.settings.sourceFolder, QStringLiteral("/kept/source"));
    EXPECT_EQ(batch.settings.saveFolder, QStringLiteral("/kept/save"));
    EXPECT_EQ(confirmedSpy->count(), 0);
    EXPECT_FALSE(batch.settingsConfirmed);
}

TEST_F(BatchCropSettingsWindowTest, OkWithGoodSettingsTakesThemAndConfirmsOnce)
{
    struct Case {
        int scheme;
        const char* typed;
        const char* keptPrefix;
    };
    const Case cases[] = {
        {3, "\u3000 二班 ", "二班"},
        {0, "", ""},
        {5, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scheme);
        dialogs.messages.clear();
        batch.settings.customPrefix = QStringLiteral("旧前缀");
        open();
        sourceBox()->setText(sub("src") + QLatin1Char('/'));
        saveBox()->setText(sub("out") + QLatin1Char('/'));
        choose(namingBox(), c.scheme);
        if (namingBox()->isEditable())
            namingBox()->lineEdit()->insert(QString::fromUtf8(c.typed));
        clickOk();

        EXPECT_TRUE(dialogs.messages.isEmpty());
        EXPECT_EQ(confirmedSpy->count(), 1);
        EXPECT_EQ(batch.settings.sourceFolder, sub("src"));
        EXPECT_EQ(batch.settings.saveFolder, sub("out"));
        EXPECT_EQ(batch.settings.customPrefix, QString::fromUtf8(c.keptPrefix));
    }
}

} // namespace
