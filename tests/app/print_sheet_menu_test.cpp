// 工具 → 排版打印… in the main window: the sheet is made of what 保存
// writes from the capture frame, and without a picture the user is told as
// 保存 tells.
#include "imaging/print_sheet.h"
#include "support/main_window_fixture.h"
#include "workspace/print_sheet_window.h"

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

class PrintSheetMenuTest : public MainWindowFixture {
protected:
    QAction* printSheetItem() { return toolsItem(QStringLiteral("排版打印…")); }
    // What the save button writes, as a PNG that keeps every pixel.
    QImage saved()
    {
        const QString path = out.file(QStringLiteral("saved.png"));
        dialogs.fileAnswers = {path};
        QTest::mouseClick(unit("截图保存按钮"), Qt::LeftButton);
        return QImageReader(path).read().convertToFormat(QImage::Format_RGB32);
    }
    PrintSheetWindow* sheetWindow() { return window->findChild<PrintSheetWindow*>(); }

    TempFolder out;
};

TEST_F(PrintSheetMenuTest, WithoutAPictureItSaysWhatTheSaveButtonSays)
{
    QAction* item = printSheetItem();
    ASSERT_NE(item, nullptr);
    item->trigger();
    QTest::mouseClick(unit("截图保存按钮"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].title, dialogs.messages[1].title);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。"));
    EXPECT_EQ(dialogs.messages[0].text, dialogs.messages[1].text);
    EXPECT_EQ(dialogs.messages[0].icon, dialogs.messages[1].icon);
    EXPECT_EQ(sheetWindow(), nullptr);
    EXPECT_TRUE(dialogs.fileDialogs.isEmpty());
}

struct SheetCase {
    const char* sizeType;
    QSize output;
    int dpi;
    const char* count;
};

// Each copy on the sheet is the saved picture, at the resolution the saved
// file carries: 学籍/身份证 shrinks from 350 dpi, the others keep their pixels.
TEST_F(PrintSheetMenuTest, TheSheetHoldsCopiesOfWhatSaveWrites)
{
    openFile(portrait("grace_hopper.jpg"));
    for (const SheetCase& c : {SheetCase{"1寸照", {295, 413}, 300, "共10张，每张25×35毫米"},
                               SheetCase{"学籍/身份证", {358, 441}, 350, "共15张，每张26×32毫米"}}) {
        SCOPED_TRACE(c.sizeType);
        chooseSizeType(QString::fromUtf8(c.sizeType));
        dialogs.messages.clear(); // the size type may have said the screen is small
        const QImage written = saved();
        ASSERT_EQ(written.size(), c.output);

        printSheetItem()->trigger();
        PrintSheetWindow* sheet = sheetWindow();
        ASSERT_NE(sheet, nullptr);
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_TRUE(sheet->isModal());
        EXPECT_EQ(sheet->windowTitle(), QStringLiteral("排版打印"));
        EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("排版张数标签"))->text(), QString::fromUtf8(c.count));
        EXPECT_EQ(sheet->sheet(), RenderSheet(written, c.dpi, SheetPaper::SixInch));
        EXPECT_TRUE(dialogs.messages.isEmpty());

        // Closed, it is gone, and the next one is made of the frame as it is then.
        sheet->close();
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(sheetWindow(), nullptr);
    }
}

} // namespace
