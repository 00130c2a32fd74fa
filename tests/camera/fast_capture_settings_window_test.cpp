#include "camera/fast_capture_settings_window.h"
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

constexpr int kCustom = 2;
constexpr int kSpreadsheet = 4;

QString scheme(int index)
{
    return fastNamingSchemes()[index];
}

class FastCaptureSettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("out")));
        fast.fastNamingMode = scheme(0);
        fast.fastExtension = QStringLiteral(".JPG");
    }

    void open()
    {
        window = std::make_unique<FastCaptureSettingsWindow>(fast, dialogs, nameList, nameListState);
        confirmedSpy =
            std::make_unique<QSignalSpy>(window.get(), &FastCaptureSettingsWindow::confirmed);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget>
    T* unit(const char* name)
    {
        return window->findChild<T*>(QString::fromUtf8(name));
    }

    QLineEdit* saveBox() { return unit<QLineEdit>("速拍保存目录编辑框"); }
    QComboBox* formatBox() { return unit<QComboBox>("速拍格式组合框"); }
    QComboBox* namingBox() { return unit<QComboBox>("速拍命名方式组合框"); }
    QCheckBox* shutterBox() { return unit<QCheckBox>("发快门声选择框"); }
    QCheckBox* keepBox() { return unit<QCheckBox>("保存速拍设置选择框"); }

    // Picks an item the way the user does: drop the list down, move to the
    // item and press Enter.
    static void choose(QComboBox* box, int index)
    {
        box->showPopup();
        QAbstractItemView* list = box->view();
        list->setCurrentIndex(box->model()->index(index, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

    void clickOk() { QTest::mouseClick(unit<QPushButton>("确定速拍设置按钮"), Qt::LeftButton); }

    QString sub(const char* name) const { return folder.file(QString::fromUtf8(name)); }

    TempFolder folder;
    FastCaptureSettings fast;
    FakeDialogs dialogs;
    FakeNameList nameList;
    NameListState nameListState;
    std::unique_ptr<FastCaptureSettingsWindow> window;
    std::unique_ptr<QSignalSpy> confirmedSpy;
};

TEST_F(FastCaptureSettingsWindowTest, EveryUnitHasItsDesignPlaceAndText)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("批量速拍设置"));
    EXPECT_EQ(window->size(), QSize(466, 225));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());

    struct Expected {
        const char* name;
        const char* className;
        QRect geometry;
        const char* text; // nullptr for the edit and combo boxes
    };
    const Expected units[] = {
        {"标签1", "QLabel", {10, 12, 80, 24}, "图片保存目录"},
        {"速拍保存目录编辑框", "QLineEdit", {90, 12, 268, 24}, nullptr},
        {"浏览按钮", "QPushButton", {362, 12, 94, 24}, "新建、浏览目录"},
        {"标签3", "QLabel", {10, 48, 80, 24}, "图片保存格式"},
        {"速拍格式组合框", "QComboBox", {90, 48, 368, 22}, nullptr},
        {"标签2", "QLabel", {10, 84, 80, 24}, "图片命名方式"},
        {"速拍命名方式组合框", "QComboBox", {90, 84, 368, 22}, nullptr},
        {"发快门声选择框", "QCheckBox", {92, 116, 144, 24}, "拍照时发出快门声"},
        {"保存速拍设置选择框", "QCheckBox", {92, 148, 212, 24}, "保存上述设置供下次使用"},
        {"确定速拍设置按钮", "QPushButton", {194, 177, 80, 32}, "确定"},
    };
    for (const Expected& e : units) {
        QWidget* w = unit(e.name);
        ASSERT_NE(w, nullptr) << e.name;
        EXPECT_TRUE(w->inherits(e.className)) << e.name;
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

    QStringList formats;
    for (int i = 0; i < formatBox()->count(); ++i)
        formats << formatBox()->itemText(i);
    EXPECT_EQ(formats, (QStringList{QStringLiteral(" *.JPG"), QStringLiteral(" *.BMP"),
                                    QStringLiteral(" *.GIF"), QStringLiteral(" *.PNG")}));
    QStringList schemes;
    for (int i = 0; i < namingBox()->count(); ++i)
        schemes << namingBox()->itemText(i);
    EXPECT_EQ(schemes, fastNamingSchemes());
    EXPECT_EQ(schemes.size(), 5);
}

TEST_F(FastCaptureSettingsWindowTest, OpensOnTheStoredSettings)
{
    struct Case {
        const char* what;
        const char* saveDir;
        const char* extension;
        int scheme; // -1: a text that is no scheme
        bool shutter;
        bool keep;
        const char* shownSave;
        int formatIndex;
        const char* keptExtension;
        int chosenScheme;
    };
    const Case cases[] = {
        {"first scheme, JPEG", "/a/b", ".JPG", 0, false, false, "/a/b/", 0, ".JPG", 0},
        {"no folder yet", "", ".BMP", 1, true, false, "", 1, ".BMP", 1},
        {"prompt each time", "/c", ".GIF", 3, false, true, "/c/", 2, ".GIF", 3},
        {"spreadsheet", "/c", ".PNG", 4, true, true, "/c/", 3, ".PNG", 4},
        {"unknown extension", "/c", ".TIF", 1, false, false, "/c/", 0, ".JPG", 1},
        {"empty extension", "/c", "", 1, false, false, "/c/", 0, ".JPG", 1},
        {"unknown scheme", "/c", ".PNG", -1, false, false, "/c/", 3, ".PNG", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fast = FastCaptureSettings{};
        fast.fastSaveDir = QString::fromUtf8(c.saveDir);
        fast.fastExtension = QString::fromUtf8(c.extension);
        fast.fastNamingMode = c.scheme < 0 ? QStringLiteral("无此命名方式") : scheme(c.scheme);
        fast.fastCustomPrefix = QStringLiteral("不显示");
        fast.fastShutterSound = c.shutter;
        fast.keepFastSettings = c.keep;
        open();

        EXPECT_EQ(saveBox()->text(), QDir::toNativeSeparators(QString::fromUtf8(c.shownSave)));
        EXPECT_EQ(formatBox()->currentIndex(), c.formatIndex);
        EXPECT_EQ(fast.fastExtension, QString::fromUtf8(c.keptExtension));
        EXPECT_EQ(namingBox()->currentIndex(), c.chosenScheme);
        EXPECT_EQ(fast.fastNamingMode, scheme(c.chosenScheme));
        EXPECT_FALSE(namingBox()->isEditable());
        EXPECT_EQ(namingBox()->currentText(), scheme(c.chosenScheme));
        EXPECT_EQ(shutterBox()->isChecked(), c.shutter);
        EXPECT_EQ(keepBox()->isChecked(), c.keep);
        EXPECT_EQ(window->keepSettingsTicked(), c.keep);
        EXPECT_EQ(window->focusWidget(), saveBox());
        EXPECT_EQ(confirmedSpy->count(), 0);
    }
}

TEST_F(FastCaptureSettingsWindowTest, ReopenedOnTheCustomSchemeShowsAndKeepsThePrefix)
{
    fast.fastNamingMode = scheme(kCustom);
    fast.fastCustomPrefix = QStringLiteral("高二 3班");
    fast.fastSaveDir = sub("out");
    open();
    EXPECT_TRUE(namingBox()->isEditable());
    EXPECT_EQ(namingBox()->currentIndex(), kCustom);
    EXPECT_EQ(namingBox()->currentText(), QStringLiteral("高二 3班"));

    clickOk();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(confirmedSpy->count(), 1);
    EXPECT_EQ(fast.fastCustomPrefix, QStringLiteral("高二 3班"));
    EXPECT_EQ(fast.fastNamingMode, scheme(kCustom));
}

TEST_F(FastCaptureSettingsWindowTest, TheFormatBoxSetsTheExtensionAtOnce)
{
    open();
    const char* extensions[] = {".BMP", ".GIF", ".PNG", ".JPG"};
    const int indices[] = {1, 2, 3, 0};
    for (int i = 0; i < 4; ++i) {
        choose(formatBox(), indices[i]);
        EXPECT_EQ(formatBox()->currentIndex(), indices[i]);
        EXPECT_EQ(fast.fastExtension, QString::fromUtf8(extensions[i]));
    }
    EXPECT_EQ(confirmedSpy->count(), 0);
}

TEST_F(FastCaptureSettingsWindowTest, TheNamingBoxIsAnEmptyEditBoxForTheCustomSchemeOnly)
{
    open();
    struct Step {
        int chosen;
        bool editable;
        const char* typed; // typed into the edit box after the choice
        const char* shown; // nullptr: the scheme label
    };
    // Re-choosing the custom scheme empties the typed prefix.
    const Step steps[] = {
        {kCustom, true, "甲班", "甲班"}, {kCustom, true, "", ""}, {1, false, "", nullptr},
        {kCustom, true, "", ""},        {3, false, "", nullptr},  {kSpreadsheet, false, "", nullptr},
        {0, false, "", nullptr},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.chosen);
        choose(namingBox(), s.chosen);
        EXPECT_EQ(namingBox()->currentIndex(), s.chosen);
        EXPECT_EQ(fast.fastNamingMode, scheme(s.chosen));
        EXPECT_EQ(namingBox()->isEditable(), s.editable);
        EXPECT_FALSE(namingBox()->view()->isVisible());
        if (s.editable) {
            EXPECT_EQ(namingBox()->currentText(), QString());
            namingBox()->lineEdit()->insert(QString::fromUtf8(s.typed));
        }
        EXPECT_EQ(namingBox()->currentText(), s.shown ? QString::fromUtf8(s.shown) : scheme(s.chosen));
    }
}

TEST_F(FastCaptureSettingsWindowTest, ATypedPrefixConfirmedWithEnterIsNoNewScheme)
{
    open();
    choose(namingBox(), kCustom);
    namingBox()->lineEdit()->insert(QStringLiteral("甲班"));
    QTest::keyClick(namingBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(namingBox()->count(), 5);
    EXPECT_EQ(namingBox()->currentIndex(), kCustom);
    EXPECT_EQ(namingBox()->currentText(), QStringLiteral("甲班"));
}

// The list dropped down and closed without a choice: the box takes the
// style of the scheme that stays chosen again, and a custom prefix typed
// before is gone with it.
TEST_F(FastCaptureSettingsWindowTest, ClosingTheNamingListAppliesTheStyleAgain)
{
    CheckClosingTheNamingList([this] {
        open();
        return namingBox();
    }, scheme, kCustom);
}

TEST_F(FastCaptureSettingsWindowTest, LeavingTheSpreadsheetSchemeClosesAnOpenNameList)
{
    struct Case {
        int from;
        int chosen;
        bool listOpen;
        int closes;
    };
    const Case cases[] = {
        {kSpreadsheet, 0, true, 1}, {kSpreadsheet, kCustom, true, 1}, {kSpreadsheet, 3, true, 1},
        {1, 1, true, 1},            {kSpreadsheet, kSpreadsheet, true, 0},
        {1, kSpreadsheet, true, 0}, {kSpreadsheet, 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.chosen << " open " << c.listOpen);
        nameList.closeAndResetCalls = 0;
        nameListState.windowOpen = c.listOpen;
        fast.fastNamingMode = scheme(c.from);
        open();
        EXPECT_EQ(nameList.closeAndResetCalls, 0);
        choose(namingBox(), c.chosen);
        EXPECT_EQ(fast.fastNamingMode, scheme(c.chosen));
        EXPECT_EQ(nameList.closeAndResetCalls, c.closes);
    }
}

TEST_F(FastCaptureSettingsWindowTest, TheShutterBoxTakesEffectAtOnceTheKeepBoxNever)
{
    open();
    QTest::mouseClick(shutterBox(), Qt::LeftButton);
    EXPECT_TRUE(fast.fastShutterSound);
    QTest::mouseClick(shutterBox(), Qt::LeftButton);
    EXPECT_FALSE(fast.fastShutterSound);

    QTest::mouseClick(keepBox(), Qt::LeftButton);
    EXPECT_TRUE(window->keepSettingsTicked());
    EXPECT_FALSE(fast.keepFastSettings);

    // The owner keeps the settings; the window's OK does not change the flag.
    saveBox()->setText(sub("out"));
    clickOk();
    EXPECT_EQ(confirmedSpy->count(), 1);
    EXPECT_FALSE(fast.keepFastSettings);
}

TEST_F(FastCaptureSettingsWindowTest, BrowseWritesTheChosenFolderAndACancelKeepsTheText)
{
    open();
    saveBox()->setText(QStringLiteral("/typed/before"));
    auto* browse = unit<QPushButton>("浏览按钮");

    dialogs.fileAnswers = {QStringLiteral("/chosen/folder")};
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_EQ(saveBox()->text(), QStringLiteral("/chosen/folder"));

    QTest::mouseClick(browse, Qt::LeftButton); // the user cancels
    EXPECT_EQ(saveBox()->text(), QStringLiteral("/chosen/folder"));

    ASSERT_EQ(dialogs.fileDialogs.size(), 2);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("请选择或者新建一个文件夹"));
    EXPECT_EQ(dialogs.fileDialogs[0].startFolder, QStringLiteral("/typed/before"));
    EXPECT_EQ(dialogs.fileDialogs[1].startFolder, QStringLiteral("/chosen/folder"));
    EXPECT_EQ(fast.fastSaveDir, QString()); // taken at OK only
}

TEST_F(FastCaptureSettingsWindowTest, OkRefusesBadSettingsWithAReminderAndChangesNothing)
{
    folder.write(QStringLiteral("afile"), "x");
    struct Case {
        const char* what;
        const char* save; // under the temporary folder; nullptr for an empty box
        int scheme;
        const char* prefix;
        const char* message;
        bool focusNaming;
    };
    const Case cases[] = {
        {"missing folder", "none", 0, "", "请设置正确的图片保存目录。", false},
        {"a file", "afile", 0, "", "请设置正确的图片保存目录。", false},
        {"empty box", nullptr, 0, "", "请设置正确的图片保存目录。", false},
        {"folder before prefix", "none", kCustom, "", "请设置正确的图片保存目录。", false},
        {"empty prefix", "out", kCustom, "", "自定义命名不能为空。", true},
        {"blank prefix", "out", kCustom, " \u3000 ", "自定义命名不能为空。", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.messages.clear();
        fast.fastNamingMode = scheme(0);
        fast.fastSaveDir = QStringLiteral("/kept/save");
        fast.fastCustomPrefix = QStringLiteral("旧前缀");
        open();
        saveBox()->setText(c.save ? sub(c.save) : QString());
        choose(namingBox(), c.scheme);
        if (c.scheme == kCustom)
            namingBox()->lineEdit()->insert(QString::fromUtf8(c.prefix));
        clickOk();

        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提醒："));
        EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(confirmedSpy->count(), 0);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(fast.fastSaveDir, QStringLiteral("/kept/save"));
        EXPECT_EQ(fast.fastCustomPrefix, QStringLiteral("旧前缀"));
        EXPECT_EQ(window->focusWidget() == namingBox(), c.focusNaming);
    }
}

TEST_F(FastCaptureSettingsWindowTest, OkWithGoodSettingsTakesThemAndConfirmsOnce)
{
    struct Case {
        const char* what;
        QString saveText;
        int scheme;
        const char* typed;
        const char* keptPrefix;
    };
    const Case cases[] = {
        {"trailing separator", sub("out") + QLatin1Char('/'), 0, "", ""},
        {"no separator", sub("out"), 1, "", ""},
        {"prefix trimmed", sub("out") + QLatin1Char('/'), kCustom, "\u3000 高二 3班\u3000 ", "高二 3班"},
        {"inner full-width blank", sub("out"), kCustom, "甲\u3000乙", "甲\u3000乙"},
        {"spreadsheet", sub("out"), kSpreadsheet, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.messages.clear();
        fast.fastCustomPrefix = QStringLiteral("旧前缀");
        open();
        saveBox()->setText(c.saveText);
        choose(namingBox(), c.scheme);
        if (namingBox()->isEditable())
            namingBox()->lineEdit()->insert(QString::fromUtf8(c.typed));
        clickOk();

        EXPECT_TRUE(dialogs.messages.isEmpty());
        EXPECT_EQ(confirmedSpy->count(), 1);
        EXPECT_EQ(fast.fastSaveDir, sub("out"));
        EXPECT_EQ(fast.fastNamingMode, scheme(c.scheme));
        EXPECT_EQ(fast.fastCustomPrefix, QString::fromUtf8(c.keptPrefix));
        // The owner closes the window when it has handled the confirmation.
        EXPECT_TRUE(window->isVisible());
    }
}

} // namespace
