#include "naming/name_prompt_window.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "workspace/crop_and_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class NamePromptWindowTest : public ::testing::Test {
protected:
    void SetUp() override { open(out.path()); }

    // A new crop in the temporary file and a new window over `folder`.
    void open(const QString& folder)
    {
        window.reset();
        settings.write(QStringLiteral("临时C.jpg"), crop);
        const NamePromptContext context{kBatchPromptTitle, folder, QStringLiteral(".JPG"), temporaryFile()};
        window = std::make_unique<NamePromptWindow>(context, dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QString temporaryFile() const { return settings.file(QStringLiteral("临时C.jpg")); }
    QLineEdit* nameBox() { return window->findChild<QLineEdit*>(QStringLiteral("编辑框1")); }
    QPushButton* okButton() { return window->findChild<QPushButton*>(QStringLiteral("按钮1")); }

    // Types as an input method does: the whole text in one key event.
    void type(const QString& text)
    {
        nameBox()->clear();
        QTest::sendKeyEvent(QTest::Click, nameBox(), Qt::Key_unknown, text, Qt::NoModifier);
        ASSERT_EQ(nameBox()->text(), text);
    }

    QStringList outputEntries() const
    {
        return QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    void expectStillWaiting()
    {
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->savedPath().isEmpty());
        QFile temporary(temporaryFile());
        ASSERT_TRUE(temporary.open(QIODevice::ReadOnly));
        EXPECT_EQ(temporary.readAll(), crop);
    }

    const QByteArray crop = QByteArray("crop bytes\0\xff\xd8 of the picture", 28);
    TempFolder settings;
    TempFolder out;
    FakeDialogs dialogs;
    std::unique_ptr<NamePromptWindow> window;
};

TEST_F(NamePromptWindowTest, UnitsSitWhereTheProgramPutsThem)
{
    EXPECT_EQ(window->size(), QSize(334, 55));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("请为刚才截图命名（不需填写扩展名）"));
    ASSERT_NE(nameBox(), nullptr);
    EXPECT_EQ(nameBox()->geometry(), QRect(8, 10, 230, 36));
    EXPECT_EQ(nameBox()->font().families().value(0), QStringLiteral("SimSun"));
    EXPECT_EQ(nameBox()->font().pixelSize(), 19);
    ASSERT_NE(okButton(), nullptr);
    EXPECT_EQ(okButton()->geometry(), QRect(248, 11, 76, 32));
    EXPECT_EQ(okButton()->text(), QStringLiteral("确定"));
}

TEST_F(NamePromptWindowTest, EnterMovesTheCropToTheTypedNameOnce)
{
    type(QStringLiteral("  证件照.JPG "));
    QTest::keyClick(nameBox(), Qt::Key_Return);
    const QString expected = out.file(QStringLiteral("证件照.jpg"));
    EXPECT_EQ(window->savedPath(), expected);
    EXPECT_EQ(out.read(QStringLiteral("证件照.jpg")), crop);
    EXPECT_FALSE(QFileInfo::exists(temporaryFile()));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    // A second commit from the same key would have found no temporary file
    // and complained.
    EXPECT_EQ(outputEntries(), QStringList{QStringLiteral("证件照.jpg")});
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(NamePromptWindowTest, AnEmptyNameIsRefusedAndTheWindowWaits)
{
    for (const QString& typed : {QString(), QStringLiteral("   "), QStringLiteral("　.png")}) {
        dialogs.messages.clear();
        type(typed);
        QTest::keyClick(nameBox(), Qt::Key_Enter, Qt::KeypadModifier);
        ASSERT_EQ(dialogs.messages.size(), 1) << typed.toStdString();
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("新照片命名不能为空。"));
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
        expectStillWaiting();
        EXPECT_TRUE(outputEntries().isEmpty());
    }
}

TEST_F(NamePromptWindowTest, ATakenNameGetsASuffix)
{
    out.write(QStringLiteral("证件照.jpg"), "earlier");
    type(QStringLiteral("证件照"));
    QTest::mouseClick(okButton(), Qt::LeftButton);
    EXPECT_EQ(window->savedPath(), out.file(QStringLiteral("证件照—1.jpg")));
    EXPECT_EQ(out.read(QStringLiteral("证件照—1.jpg")), crop);
    EXPECT_EQ(out.read(QStringLiteral("证件照.jpg")), "earlier");

    open(out.path());
    type(QStringLiteral("证件照"));
    QTest::keyClick(nameBox(), Qt::Key_Return);
    EXPECT_EQ(window->savedPath(), out.file(QStringLiteral("证件照—2.jpg")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(NamePromptWindowTest, EnterAndTheButtonCommitInTheirOwnWay)
{
    // "a.bm.jpgp" loses ".jpg" and then ".bmp" by Enter, only ".jpg" by the button.
    const QString typed = QStringLiteral("a.bm.jpgp");
    type(typed);
    QTest::keyClick(nameBox(), Qt::Key_Return);
    EXPECT_EQ(window->savedPath(), out.file(QStringLiteral("a.jpg")));

    open(out.path());
    type(typed);
    QTest::mouseClick(okButton(), Qt::LeftButton);
    EXPECT_EQ(window->savedPath(), out.file(QStringLiteral("a.bmp.jpg")));

    // Enter on the focused button acts as its click.
    open(out.path());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    type(typed);
    okButton()->setFocus();
    ASSERT_TRUE(okButton()->hasFocus());
    QTest::keyClick(okButton(), Qt::Key_Return);
    EXPECT_EQ(window->savedPath(), out.file(QStringLiteral("a.bmp—1.jpg")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(NamePromptWindowTest, AFailedCopyKeepsTheCropAndTheWindow)
{
    out.write(QStringLiteral("plain file"), "not a folder");
    const QString unreachable[] = {out.file(QStringLiteral("missing/deeper")),
                                   out.file(QStringLiteral("plain file"))};
    for (const QString& folder : unreachable) {
        dialogs.messages.clear();
        open(folder);
        type(QStringLiteral("证件照"));
        QTest::keyClick(nameBox(), Qt::Key_Return);
        ASSERT_EQ(dialogs.messages.size(), 1) << folder.toStdString();
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(dialogs.messages[0].text, kWriteFailedMessage);
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
        expectStillWaiting();
        EXPECT_EQ(outputEntries(), QStringList{QStringLiteral("plain file")});
    }
}

TEST_F(NamePromptWindowTest, AMissingCropIsReportedAndNothingIsWritten)
{
    ASSERT_TRUE(QFile::remove(temporaryFile()));
    type(QStringLiteral("证件照"));
    QTest::mouseClick(okButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, kWriteFailedMessage);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(outputEntries().isEmpty());
}

TEST_F(NamePromptWindowTest, ClosingWritesNothing)
{
    type(QStringLiteral("证件照"));
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_TRUE(window->savedPath().isEmpty());
    EXPECT_EQ(settings.read(QStringLiteral("临时C.jpg")), crop);
    EXPECT_TRUE(outputEntries().isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
