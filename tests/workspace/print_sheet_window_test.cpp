// 排版打印 on its own: the sheet it lays out, what its units say, and what
// saving and printing do, with the file dialog and the printer stood in for.
#include "workspace/print_sheet_window.h"

#include "imaging/image_decoder.h"
#include "imaging/print_density.h"
#include "support/fake_dialogs.h"
#include "support/fake_picture_printer.h"
#include "support/temp_folder.h"
#include "support/test_images.h"
#include "workspace/sheet_preview.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <utility>

namespace {

QImage PhotoAt(QSize size, int dpi)
{
    QImage photo = photoLikePicture(size.width(), size.height());
    if (dpi > 0)
        SetPrintDensity(photo, dpi);
    return photo;
}

class PrintSheetWindowTest : public ::testing::Test {
protected:
    void open(const QImage& photo)
    {
        window = std::make_unique<PrintSheetWindow>(photo, dialogs, printer);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget>
    T* unit(const char* name)
    {
        return window->findChild<T*>(QString::fromUtf8(name));
    }

    void click(const char* name) { QTest::mouseClick(unit<QPushButton>(name), Qt::LeftButton); }

    void choosePaper(const QString& paper)
    {
        auto* box = unit<QComboBox>("相纸组合框");
        box->setCurrentIndex(box->findText(paper));
    }

    // Saves through the save button, answering the dialog with `name`.
    QString saveAs(const QString& name)
    {
        const QString path = out.file(name);
        dialogs.fileAnswers = {path};
        click("排版保存按钮");
        return path;
    }

    FakeDialogs dialogs;
    FakePicturePrinter printer;
    TempFolder out;
    std::unique_ptr<PrintSheetWindow> window;
};

TEST_F(PrintSheetWindowTest, OpensOnA6InchSheetOfTheFramedPicture)
{
    const QImage photo = PhotoAt({295, 413}, 300);
    open(photo);
    EXPECT_EQ(window->objectName(), QStringLiteral("排版打印窗口"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("排版打印"));
    EXPECT_EQ(unit<QLabel>("相纸标签")->text(), QStringLiteral("相纸"));
    auto* paper = unit<QComboBox>("相纸组合框");
    ASSERT_EQ(paper->count(), 2);
    EXPECT_EQ(paper->itemText(0), QStringLiteral("6寸"));
    EXPECT_EQ(paper->itemText(1), QStringLiteral("A4"));
    EXPECT_EQ(paper->currentText(), QStringLiteral("6寸"));
    EXPECT_EQ(unit<QLabel>("排版张数标签")->text(), QStringLiteral("共10张，每张25×35毫米"));
    EXPECT_EQ(unit<QPushButton>("排版保存按钮")->text(), QStringLiteral("保存…"));
    EXPECT_EQ(unit<QPushButton>("排版打印按钮")->text(), QStringLiteral("打印…"));
    EXPECT_EQ(unit<QPushButton>("排版关闭按钮")->text(), QStringLiteral("关闭"));
    EXPECT_NE(unit<SheetPreview>("排版预览画板"), nullptr);
    EXPECT_EQ(window->sheet(), RenderSheet(photo, 300, SheetPaper::SixInch));
}

// A photo, and what the window says of it on each paper.
struct CountCase {
    const char* name;
    QSize photo;
    int dpi; // the resolution the photo carries; 0 for none
    QString sixInch;
    QString a4;
    friend void PrintTo(const CountCase& c, std::ostream* os) { *os << c.name; }
};

class PrintSheetCountTest : public PrintSheetWindowTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(PrintSheetCountTest, TheWindowTellsHowManyCopiesOfWhatSizeEachPaperTakes)
{
    const CountCase& c = GetParam();
    open(PhotoAt(c.photo, c.dpi));
    for (const auto& [paper, text] : {std::pair{QStringLiteral("6寸"), c.sixInch}, std::pair{QStringLiteral("A4"), c.a4}}) {
        choosePaper(paper);
        EXPECT_EQ(unit<QLabel>("排版张数标签")->text(), text) << paper.toStdString();
        // Saving and printing are offered only when a copy fits.
        const bool fits = text != QStringLiteral("照片比相纸大，一张也排不下。");
        EXPECT_EQ(unit<QPushButton>("排版保存按钮")->isEnabled(), fits) << paper.toStdString();
        EXPECT_EQ(unit<QPushButton>("排版打印按钮")->isEnabled(), fits) << paper.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintSheetCountTest,
    ::testing::Values(
        CountCase{"1寸照", {295, 413}, 300, "共10张，每张25×35毫米", "共56张，每张25×35毫米"},
        CountCase{"2寸照", {413, 626}, 300, "共4张，每张35×53毫米", "共25张，每张35×53毫米"},
        CountCase{"学籍/身份证 at 350 dpi", {358, 441}, 350, "共15张，每张26×32毫米", "共56张，每张26×32毫米"},
        // Without a resolution of its own the photo is printed at the one its size is saved with.
        CountCase{"学籍/身份证 carrying none", {358, 441}, 0, "共15张，每张26×32毫米", "共56张，每张26×32毫米"},
        CountCase{"larger than 6寸", {1000, 1300}, 300, "照片比相纸大，一张也排不下。", "共4张，每张85×110毫米"},
        CountCase{"larger than either", {3000, 4000}, 300, "照片比相纸大，一张也排不下。",
                  "照片比相纸大，一张也排不下。"}));

TEST_F(PrintSheetWindowTest, ChoosingA4LaysOutAnUprightSheetAndShowsIt)
{
    const QImage photo = PhotoAt({295, 413}, 300);
    open(photo);
    choosePaper(QStringLiteral("A4"));
    EXPECT_EQ(window->sheet(), RenderSheet(photo, 300, SheetPaper::A4));
    EXPECT_EQ(window->sheet().size(), QSize(2480, 3508));

    // The preview shows the paper white on its grey ground, as tall as it is upright.
    auto* preview = unit<SheetPreview>("排版预览画板");
    const QImage shown = preview->grab().toImage();
    const QRect place = PreviewPlace(window->sheet().size(), preview->size());
    ASSERT_FALSE(place.isEmpty());
    EXPECT_GT(place.height(), place.width());
    const auto at = [&](QPoint onSheet) {
        return shown.pixelColor(place.left() + onSheet.x() * place.width() / 2480,
                                place.top() + onSheet.y() * place.height() / 3508);
    };
    EXPECT_EQ(at({60, 250}), QColor(Qt::white)); // the left margin, away from the cut lines
    // The middle of the first copy, at (135, 18) on the sheet and 295 × 413 large.
    EXPECT_NE(at({135 + 147, 18 + 206}), QColor(Qt::white));
    EXPECT_NE(shown.pixelColor(place.topLeft() - QPoint(2, 2)), QColor(Qt::white));
}

TEST(PreviewPlace, TheSheetFitsWithItsAspectCentred)
{
    struct Case {
        QSize sheet;
        QSize area;
        QRect place;
    };
    // 8 pixels of ground around: 6寸 in 400 × 300 has 384 × 284, limited by
    // the width (384 × 256); A4 by the height, 284 · 2480 / 3508 = 200.8 → 200.
    for (const Case& c : {Case{{1800, 1200}, {400, 300}, {8, 22, 384, 256}},
                          Case{{2480, 3508}, {400, 300}, {100, 8, 200, 284}},
                          Case{{1800, 1200}, {16, 100}, {}}, Case{{}, {400, 300}, {}}})
        EXPECT_EQ(PreviewPlace(c.sheet, c.area), c.place) << c.sheet.width() << "×" << c.area.width();
}

struct SaveCase {
    const char* file;
    bool lossless;
    friend void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.file; }
};

class PrintSheetSaveTest : public PrintSheetWindowTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(PrintSheetSaveTest, TheSheetIsWrittenWholeAt300Dpi)
{
    open(PhotoAt({295, 413}, 300));
    const QString path = saveAs(QString::fromUtf8(GetParam().file));
    ASSERT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("排版图片另存为："));
    EXPECT_EQ(dialogs.fileDialogs[0].filter, QStringLiteral("图片文件 *.jpg *.png |*.jpg;*.png"));
    EXPECT_EQ(dialogs.fileDialogs[0].defaultSuffix, QStringLiteral(".jpg"));
    EXPECT_TRUE(QFileInfo(dialogs.fileDialogs[0].startFolder).isDir());
    EXPECT_TRUE(dialogs.messages.isEmpty());

    QImageReader reader(path);
    const QImage saved = reader.read();
    ASSERT_FALSE(saved.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(saved.size(), QSize(1800, 1200));
    EXPECT_EQ(DotsPerInch(saved.dotsPerMeterX()), 300);
    EXPECT_EQ(DotsPerInch(saved.dotsPerMeterY()), 300);
    if (GetParam().lossless)
        EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), window->sheet());
    else
        EXPECT_EQ(coarse(saved.pixel(300, 400)), coarse(window->sheet().pixel(300, 400)));
    // Only the file itself: no temporary is left beside it.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
}

INSTANTIATE_TEST_SUITE_P(Formats, PrintSheetSaveTest,
                         ::testing::Values(SaveCase{"排版.jpg", false}, SaveCase{"排版.JPEG", false},
                                           SaveCase{"排版.png", true}));

TEST_F(PrintSheetWindowTest, ACancelledSaveWritesNothing)
{
    open(PhotoAt({295, 413}, 300));
    click("排版保存按钮");
    EXPECT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(PrintSheetWindowTest, AFormatOtherThanJpegOrPngIsRefusedWithoutAFile)
{
    open(PhotoAt({295, 413}, 300));
    const QString path = saveAs(QStringLiteral("排版.bmp"));
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("排版图片只能保存为jpg或png文件。"));
}

TEST_F(PrintSheetWindowTest, AFailedWriteIsToldAndLeavesNoFile)
{
    open(PhotoAt({295, 413}, 300));
    const QString path = saveAs(QStringLiteral("missing-folder/排版.jpg"));
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("图片未能保存，请检查保存位置是否可以写入、磁盘空间是否足够。"));
}

// What the printer answered, and what the window then says.
struct PrintCase {
    const char* name;
    PrintOutcome outcome;
    QStringList messages;
    friend void PrintTo(const PrintCase& c, std::ostream* os) { *os << c.name; }
};

class PrintSheetPrintTest : public PrintSheetWindowTest, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(PrintSheetPrintTest, ThePrintButtonHandsTheSheetToThePrinter)
{
    const PrintCase& c = GetParam();
    printer.outcome = c.outcome;
    open(PhotoAt({358, 441}, 350));
    choosePaper(QStringLiteral("A4"));
    click("排版打印按钮");
    EXPECT_EQ(printer.dialogsShown, 1);
    QStringList said;
    for (const ShownMessage& m : dialogs.messages)
        said << m.text;
    EXPECT_EQ(said, c.messages);
    if (c.outcome != PrintOutcome::Printed)
        return;
    ASSERT_EQ(printer.printed.size(), 1);
    const QImage& sent = printer.printed[0].picture;
    EXPECT_EQ(sent, window->sheet());
    EXPECT_EQ(sent.size(), QSize(2480, 3508));
    // Printed at its physical size: 300 dpi across and down.
    EXPECT_EQ(sent.dotsPerMeterX(), 11811);
    EXPECT_EQ(sent.dotsPerMeterY(), 11811);
    EXPECT_EQ(printer.printed[0].documentName, QStringLiteral("证件照排版"));
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, PrintSheetPrintTest,
    ::testing::Values(PrintCase{"printed", PrintOutcome::Printed, {}},
                      PrintCase{"cancelled", PrintOutcome::Cancelled, {}},
                      PrintCase{"failed", PrintOutcome::Failed, {QStringLiteral("未能打印，请检查打印机是否可用。")}}));

TEST_F(PrintSheetWindowTest, TheCloseButtonClosesTheWindow)
{
    open(PhotoAt({295, 413}, 300));
    click("排版关闭按钮");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(printer.dialogsShown, 0);
    EXPECT_TRUE(dialogs.fileDialogs.isEmpty());
}

} // namespace
