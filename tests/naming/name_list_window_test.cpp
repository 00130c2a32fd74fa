#include "naming/name_list.h"
#include "support/fake_dialogs.h"
#include "support/fake_spreadsheet.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kCropTitle = QStringLiteral("导入EXCEL，按所选单元格文字命名即将截取的图片");
const QString kShotTitle = QStringLiteral("导入EXCEL，按所选单元格文字命名即将拍照的图片");
const QString kCropCaption = QStringLiteral("截图后自动跳到下一行");
const QString kShotCaption = QStringLiteral("拍照后自动跳到下一行");
const QString kImportFirst = QStringLiteral("请先导入EXCEL文件，再点击有文字的单元格。");
const QString kReading = QStringLiteral("数据正读入……");
const QString kCropLoaded = QStringLiteral("请点击有文字的单元格，以其文字命名即将截取的图片。");
const QString kShotLoaded = QStringLiteral("请点击有文字的单元格，以其文字命名即将拍照的图片。");
const QString kEmptyCell = QStringLiteral("选中单元格内容为空，请点击有文字的单元格。");
const QString kListPath = QStringLiteral("/home/老师/桌面/三年级名单.xlsx");

enum class RunningMode { BatchCrop, FastCapture, Neither };

class NameListWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.resize(600, 400);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        list = std::make_unique<NameList>(state, dialogs, &owner, [this](const QString& path, SpreadsheetKind kind) {
            return shelf.open(path, kind);
        });
    }

    void openWindow(NameListContext context = NameListContext::Crop)
    {
        list->open(context);
        ASSERT_NE(list->windowForTest(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->windowForTest()));
    }

    void setMode(RunningMode mode)
    {
        state.batch.batchActive = mode == RunningMode::BatchCrop;
        state.camera.fastCaptureOn = mode == RunningMode::FastCapture;
    }

    // Three sheets, in an order that is not alphabetical: 二班 holds the
    // names, 一班 and 汇总 something else.
    FakeBook& prepareClassBook(bool* released = nullptr)
    {
        FakeBook& book = shelf.prepare();
        book.released = released;
        book.addSheet(QStringLiteral("二班"), {{QStringLiteral("张三"), QStringLiteral("男")},
                                              {QStringLiteral("李四")},
                                              {QStringLiteral("\t王 五　\t "), QStringLiteral("女")},
                                              {QString(), QStringLiteral("备注")},
                                              {QStringLiteral("孙七")}});
        book.addSheet(QStringLiteral("一班"), {{QStringLiteral("赵一")}, {QStringLiteral("钱二")}});
        book.addSheet(QStringLiteral("汇总"), {{QStringLiteral("共计"), QStringLiteral("七人")}});
        return book;
    }

    void importAs(const QString& path = kListPath)
    {
        dialogs.fileAnswers << path;
        QTest::mouseClick(importButton(), Qt::LeftButton);
    }

    template <typename T = QWidget>
    T* unit(const char* name)
    {
        return list->windowForTest() ? list->windowForTest()->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    }
    QPushButton* importButton() { return unit<QPushButton>("导入EXCEL按钮"); }
    QCheckBox* autoNextBox() { return unit<QCheckBox>("自动下一行选择框"); }
    QTreeWidget* tree() { return unit<QTreeWidget>("树型框1"); }
    QTableWidget* grid() { return unit<QTableWidget>("导入高表"); }
    QString status() { return unit<QLabel>("命名状态条")->text(); }

    QTreeWidgetItem* fileItem() { return tree()->topLevelItem(0); }
    QTreeWidgetItem* sheetItem(int index) { return fileItem()->child(index); }

    void clickItem(QTreeWidgetItem* item)
    {
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
    }
    void clickCell(int row, int column)
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(grid()->model()->index(row, column)).center());
    }

    // The grid's texts, row by row.
    QList<QStringList> gridTexts()
    {
        QList<QStringList> rows;
        for (int r = 0; r < grid()->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < grid()->columnCount(); ++c)
                row << (grid()->item(r, c) ? grid()->item(r, c)->text() : QStringLiteral("<none>"));
            rows << row;
        }
        return rows;
    }

    const QList<QStringList> classTwo = {{QStringLiteral("张三"), QStringLiteral("男")},
                                         {QStringLiteral("李四"), QString()},
                                         {QStringLiteral("\t王 五　\t "), QStringLiteral("女")},
                                         {QString(), QStringLiteral("备注")},
                                         {QStringLiteral("孙七"), QString()}};
    const QList<QStringList> classOne = {{QStringLiteral("赵一")}, {QStringLiteral("钱二")}};

    AppState state;
    FakeDialogs dialogs;
    FakeBookShelf shelf;
    QWidget owner;
    std::unique_ptr<NameList> list;
};

TEST_F(NameListWindowTest, TheWindowOpensWithItsUnitsInPlaceAndForgetsAnEarlierName)
{
    state.nameList.imported = true;
    state.nameList.selectedName = QStringLiteral("旧名");
    openWindow();
    NameListWindow* w = list->windowForTest();
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), &owner);
    EXPECT_EQ(w->size(), QSize(414, 466));
    EXPECT_EQ(w->pos().x(), 0);

    const struct {
        const char* name;
        QRect geometry;
    } units[] = {
        {"导入EXCEL按钮", {8, 4, 128, 28}},  {"自动下一行选择框", {274, 8, 140, 24}},
        {"字宽画板", {168, 9, 24, 16}},      {"树型框1", {8, 36, 128, 412}},
        {"导入高表", {144, 36, 270, 412}},   {"命名状态条", {0, 446, 414, 20}},
    };
    for (const auto& u : units) {
        QWidget* found = unit(u.name);
        ASSERT_NE(found, nullptr) << u.name;
        EXPECT_EQ(found->geometry(), u.geometry) << u.name;
    }
    EXPECT_FALSE(unit("字宽画板")->isVisible());
    EXPECT_EQ(importButton()->text(), QStringLiteral("导入EXCEL文件"));
    EXPECT_EQ(status(), kImportFirst);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_EQ(grid()->rowCount(), 0);

    EXPECT_TRUE(state.nameList.windowOpen);
    EXPECT_FALSE(state.nameList.imported);
    EXPECT_TRUE(state.nameList.selectedName.isEmpty());

    // Opening again raises the same window.
    list->open(NameListContext::Crop);
    EXPECT_EQ(list->windowForTest(), w);
}

TEST_F(NameListWindowTest, TheTreeAndTheGridFollowTheWindowSize)
{
    openWindow();
    list->windowForTest()->resize(514, 566);
    EXPECT_EQ(tree()->geometry(), QRect(8, 36, 128, 512));
    EXPECT_EQ(grid()->geometry(), QRect(144, 36, 370, 512));
    EXPECT_EQ(autoNextBox()->geometry(), QRect(374, 8, 140, 24));
    list->windowForTest()->resize(414, 466);
    EXPECT_EQ(tree()->geometry(), QRect(8, 36, 128, 412));
    EXPECT_EQ(grid()->geometry(), QRect(144, 36, 270, 412));
    EXPECT_EQ(autoNextBox()->geometry(), QRect(274, 8, 140, 24));
}

TEST_F(NameListWindowTest, TitleAndCaptionSpeakOfCropsOrShots)
{
    const struct {
        RunningMode running;
        NameListContext openedFor;
        QString title;
        QString caption;
    } cases[] = {
        {RunningMode::Neither, NameListContext::Crop, kCropTitle, kCropCaption},
        {RunningMode::Neither, NameListContext::Shot, kShotTitle, kShotCaption},
        {RunningMode::BatchCrop, NameListContext::Shot, kCropTitle, kCropCaption},
        {RunningMode::FastCapture, NameListContext::Crop, kCropTitle, kCropCaption},
        {RunningMode::FastCapture, NameListContext::Shot, kShotTitle, kShotCaption},
    };
    for (const auto& c : cases) {
        setMode(c.running);
        openWindow(c.openedFor);
        EXPECT_EQ(list->windowForTest()->windowTitle(), c.title);
        EXPECT_EQ(autoNextBox()->text(), c.caption);
        list->closeAndReset();
        ASSERT_EQ(list->windowForTest(), nullptr);
    }
}

TEST_F(NameListWindowTest, ImportListsTheSheetsInBookOrderAndShowsTheFirst)
{
    const struct {
        RunningMode running;
        QString loaded;
    } cases[] = {
        {RunningMode::BatchCrop, kCropLoaded},
        {RunningMode::FastCapture, kShotLoaded},
        {RunningMode::Neither, kReading},
    };
    openWindow();
    for (const auto& c : cases) {
        setMode(c.running);
        dialogs.fileDialogs.clear();
        shelf.opened.clear();
        prepareClassBook();
        importAs();

        ASSERT_EQ(dialogs.fileDialogs.size(), 1);
        EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("导入Excel名单"));
        EXPECT_EQ(dialogs.fileDialogs[0].filter, QStringLiteral("Excel文件(*.xls、*.xlsx)|*.xls;*.xlsx"));
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        EXPECT_EQ(dialogs.fileDialogs[0].startFolder, QFileInfo(desktop).isDir() ? desktop : QDir::homePath());
        ASSERT_EQ(shelf.opened.size(), 1);
        EXPECT_EQ(shelf.opened[0].first, kListPath);
        EXPECT_EQ(shelf.opened[0].second, SpreadsheetKind::Xlsx);

        ASSERT_EQ(tree()->topLevelItemCount(), 1);
        EXPECT_EQ(fileItem()->text(0), QStringLiteral("三年级名单.xlsx"));
        EXPECT_TRUE(fileItem()->isExpanded());
        ASSERT_EQ(fileItem()->childCount(), 3);
        EXPECT_EQ(sheetItem(0)->text(0), QStringLiteral("二班"));
        EXPECT_EQ(sheetItem(1)->text(0), QStringLiteral("一班"));
        EXPECT_EQ(sheetItem(2)->text(0), QStringLiteral("汇总"));
        EXPECT_EQ(tree()->currentItem(), sheetItem(0));
        const QImage fileImage = fileItem()->icon(0).pixmap(16).toImage();
        const QImage sheetImage = sheetItem(0)->icon(0).pixmap(16).toImage();
        EXPECT_FALSE(fileImage.isNull());
        EXPECT_FALSE(sheetImage.isNull());
        EXPECT_NE(fileImage, sheetImage);

        EXPECT_EQ(gridTexts(), classTwo);
        EXPECT_EQ(status(), c.loaded);
        EXPECT_TRUE(state.nameList.imported);
        EXPECT_EQ(state.nameList.filePath, kListPath);
    }
}

TEST_F(NameListWindowTest, ColumnsAreAsWideAsTheirWidestTextAndNeverNarrow)
{
    openWindow();
    FakeBook& book = shelf.prepare();
    const QString longName = QStringLiteral("欧阳司马诸葛上官慕容");
    book.addSheet(QStringLiteral("名单"), {{QStringLiteral("甲"), longName}, {QString(), QStringLiteral("乙")}});
    importAs(QStringLiteral("/tmp/名单.XLS"));
    EXPECT_EQ(shelf.opened.value(0).second, SpreadsheetKind::Xls);
    ASSERT_EQ(grid()->columnCount(), 2);
    EXPECT_EQ(grid()->columnWidth(0), 32);
    EXPECT_GT(grid()->columnWidth(1), QFontMetrics(unit("字宽画板")->font()).horizontalAdvance(longName));
    // The widest text is drawn whole.
    const QRect cell = grid()->visualItemRect(grid()->item(0, 1));
    EXPECT_GE(cell.width(), QFontMetrics(grid()->font()).horizontalAdvance(longName));
    EXPECT_FALSE(grid()->item(0, 0)->flags() & Qt::ItemIsEditable);
}

TEST_F(NameListWindowTest, ABookWithoutSheetsListsOnlyTheFile)
{
    openWindow();
    shelf.prepare();
    importAs();
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(fileItem()->childCount(), 0);
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(grid()->columnCount(), 0);
    EXPECT_TRUE(state.nameList.imported);
}

TEST_F(NameListWindowTest, AClickedCellNamesTheNextFile)
{
    const struct {
        RunningMode running;
        int row;
        int column;
        QString name;
        QString status;
    } cases[] = {
        {RunningMode::BatchCrop, 1, 0, QStringLiteral("李四"),
         QStringLiteral("以“李四”命名即将截取的图片，如截图多幅加序号区分。")},
        {RunningMode::FastCapture, 1, 0, QStringLiteral("李四"),
         QStringLiteral("以“李四”命名即将拍照的图片，如拍照多幅加序号区分。")},
        {RunningMode::BatchCrop, 2, 0, QStringLiteral("王 五"),
         QStringLiteral("以“王 五”命名即将截取的图片，如截图多幅加序号区分。")},
        {RunningMode::BatchCrop, 3, 0, QString(), kEmptyCell},
        {RunningMode::FastCapture, 1, 1, QString(), kEmptyCell},
    };
    openWindow();
    prepareClassBook();
    importAs();
    for (const auto& c : cases) {
        setMode(c.running);
        state.nameList.selectedName = QStringLiteral("之前");
        clickCell(c.row, c.column);
        EXPECT_EQ(grid()->currentRow(), c.row);
        EXPECT_EQ(state.nameList.selectedName, c.name) << c.row << "," << c.column;
        EXPECT_EQ(status(), c.status) << c.row << "," << c.column;
    }

    // With neither mode on, the name is taken and the status stays.
    setMode(RunningMode::Neither);
    const QString before = status();
    clickCell(4, 0);
    EXPECT_EQ(state.nameList.selectedName, QStringLiteral("孙七"));
    EXPECT_EQ(status(), before);
}

TEST_F(NameListWindowTest, ClicksBelowOrRightOfTheCellsChangeNothing)
{
    openWindow();
    FakeBook& book = shelf.prepare();
    book.addSheet(QStringLiteral("名单"), {{QStringLiteral("甲")}, {QStringLiteral("乙")}});
    setMode(RunningMode::BatchCrop);
    importAs();
    clickCell(0, 0);
    ASSERT_EQ(state.nameList.selectedName, QStringLiteral("甲"));
    const QString shown = status();

    const QRect last = grid()->visualItemRect(grid()->item(1, 0));
    ASSERT_LT(last.bottom() + 4, grid()->viewport()->height());
    ASSERT_LT(last.right() + 4, grid()->viewport()->width());
    for (const QPoint p : {QPoint(last.center().x(), last.bottom() + 3), QPoint(last.right() + 3, last.center().y()),
                           QPoint(last.right() + 3, last.bottom() + 3)}) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, p);
        EXPECT_EQ(state.nameList.selectedName, QStringLiteral("甲"));
        EXPECT_EQ(status(), shown);
    }
}

TEST_F(NameListWindowTest, SavingMovesTheNameOneRowDown)
{
    openWindow();
    prepareClassBook();
    setMode(RunningMode::BatchCrop);
    importAs();
    clickCell(0, 0);
    ASSERT_EQ(state.nameList.selectedName, QStringLiteral("张三"));

    // Unticked, the name stays for the next file.
    list->advanceRow(NameListContext::Crop);
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_EQ(state.nameList.selectedName, QStringLiteral("张三"));

    autoNextBox()->setChecked(true);
    const struct {
        NameListContext context;
        int row;
        QString name;
        QString status;
    } steps[] = {
        {NameListContext::Crop, 1, QStringLiteral("李四"), QStringLiteral("以“李四”命名即将截取的图片，如截多幅加序号区分。")},
        {NameListContext::Shot, 2, QStringLiteral("王 五"), QStringLiteral("以“王 五”命名即将拍照的图片，如拍多幅加序号区分。")},
        {NameListContext::Crop, 3, QString(), kEmptyCell},
    };
    for (const auto& s : steps) {
        list->advanceRow(s.context);
        EXPECT_EQ(grid()->currentRow(), s.row);
        EXPECT_EQ(grid()->currentColumn(), 0);
        EXPECT_EQ(state.nameList.selectedName, s.name);
        EXPECT_EQ(status(), s.status);
    }
    // An empty name waits for a click.
    list->advanceRow(NameListContext::Crop);
    EXPECT_EQ(grid()->currentRow(), 3);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(NameListWindowTest, OnTheLastRowTheNameIsKeptAndTheUserTold)
{
    openWindow();
    prepareClassBook();
    importAs();
    autoNextBox()->setChecked(true);
    clickCell(4, 0);
    const QString shown = status();
    list->advanceRow(NameListContext::Shot);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示："));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("EXCEL光标已处于最后一行"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(grid()->currentRow(), 4);
    EXPECT_EQ(state.nameList.selectedName, QStringLiteral("孙七"));
    EXPECT_EQ(status(), shown);
}

TEST_F(NameListWindowTest, OnlyAMouseClickOnASheetShowsIt)
{
    openWindow();
    prepareClassBook();
    setMode(RunningMode::FastCapture);
    importAs();
    clickCell(0, 0);
    ASSERT_EQ(state.nameList.selectedName, QStringLiteral("张三"));

    clickItem(fileItem());
    EXPECT_EQ(tree()->currentItem(), fileItem());
    EXPECT_EQ(gridTexts(), classTwo);

    tree()->setCurrentItem(sheetItem(1));
    EXPECT_EQ(gridTexts(), classTwo);
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Down);
    ASSERT_EQ(tree()->currentItem(), sheetItem(2));
    EXPECT_EQ(gridTexts(), classTwo);

    clickItem(sheetItem(1));
    EXPECT_EQ(gridTexts(), classOne);
    EXPECT_EQ(status(), kShotLoaded);
    // The name survives the change of sheet.
    EXPECT_EQ(state.nameList.selectedName, QStringLiteral("张三"));
}

TEST_F(NameListWindowTest, WhileASheetIsReadTheCursorIsBusyAndTheStatusSaysSo)
{
    openWindow();
    FakeBook& book = prepareClassBook();
    int reads = 0;
    int busyReads = 0;
    FakeSheet& sheet = book.fakeSheet(0);
    sheet.onRead = [&](int, int) {
        ++reads;
        const QCursor* cursor = QGuiApplication::overrideCursor();
        if (cursor && cursor->shape() == Qt::WaitCursor && status() == kReading)
            ++busyReads;
    };
    setMode(RunningMode::BatchCrop);
    importAs();
    EXPECT_GT(reads, 0);
    EXPECT_EQ(busyReads, reads);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(status(), kCropLoaded);
}

TEST_F(NameListWindowTest, AFileTheListCannotUseLeavesTheShownBookAsItWas)
{
    const struct {
        const char* what;
        QString path;
        bool unreadable;
        QString message;
        int opens;
    } cases[] = {
        {"another extension", QStringLiteral("/tmp/名单.csv"), false,
         QStringLiteral("请选择扩展名为xls或xlsx的Excel文件。"), 0},
        {"no extension", QStringLiteral("/tmp/名单"), false, QStringLiteral("请选择扩展名为xls或xlsx的Excel文件。"), 0},
        {"unreadable", QStringLiteral("/tmp/坏.xls"), true,
         QStringLiteral("无法读取此Excel文件，它可能已损坏、已加密或不是Excel文件。"), 1},
    };
    openWindow();
    bool released = false;
    prepareClassBook(&released);
    setMode(RunningMode::BatchCrop);
    importAs();
    clickCell(1, 0);
    const QString shown = status();
    for (const auto& c : cases) {
        dialogs.messages.clear();
        shelf.opened.clear();
        if (c.unreadable)
            shelf.prepareUnreadable();
        importAs(c.path);
        ASSERT_EQ(dialogs.messages.size(), 1) << c.what;
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示")) << c.what;
        EXPECT_EQ(dialogs.messages[0].text, c.message) << c.what;
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None) << c.what;
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok) << c.what;
        EXPECT_EQ(shelf.opened.size(), c.opens) << c.what;

        EXPECT_FALSE(released) << c.what;
        EXPECT_EQ(fileItem()->text(0), QStringLiteral("三年级名单.xlsx")) << c.what;
        EXPECT_EQ(fileItem()->childCount(), 3) << c.what;
        EXPECT_EQ(gridTexts(), classTwo) << c.what;
        EXPECT_TRUE(state.nameList.imported) << c.what;
        EXPECT_EQ(state.nameList.filePath, kListPath) << c.what;
        EXPECT_EQ(state.nameList.selectedName, QStringLiteral("李四")) << c.what;
        EXPECT_EQ(status(), shown) << c.what;
    }
    // The book shown is still the one read: another sheet comes from it.
    clickItem(sheetItem(1));
    EXPECT_EQ(gridTexts(), classOne);
}

TEST_F(NameListWindowTest, ANewImportReplacesTheBookAndKeepsTheName)
{
    openWindow();
    bool firstReleased = false;
    prepareClassBook(&firstReleased);
    importAs();
    clickCell(2, 0);
    FakeBook& second = shelf.prepare();
    second.addSheet(QStringLiteral("新表"), {{QStringLiteral("周八")}});
    importAs(QStringLiteral("/tmp/新名单.xls"));
    EXPECT_TRUE(firstReleased);
    EXPECT_EQ(fileItem()->text(0), QStringLiteral("新名单.xls"));
    EXPECT_EQ(gridTexts(), QList<QStringList>{{QStringLiteral("周八")}});
    EXPECT_EQ(state.nameList.selectedName, QStringLiteral("王 五"));
    EXPECT_EQ(state.nameList.filePath, QStringLiteral("/tmp/新名单.xls"));

    // A cancelled dialog changes nothing.
    importAs(QString());
    EXPECT_EQ(fileItem()->text(0), QStringLiteral("新名单.xls"));
    EXPECT_EQ(state.nameList.selectedName, QStringLiteral("王 五"));
}

TEST_F(NameListWindowTest, ModesStartingWithTheWindowOpenRewordIt)
{
    openWindow(NameListContext::Crop);
    // Nothing imported: only the title and the caption change.
    list->wordFor(NameListContext::Shot);
    EXPECT_EQ(list->windowForTest()->windowTitle(), kShotTitle);
    EXPECT_EQ(autoNextBox()->text(), kShotCaption);
    EXPECT_EQ(status(), kImportFirst);

    prepareClassBook();
    importAs();
    const struct {
        NameListContext context;
        QString name;
        QString title;
        QString status;
    } cases[] = {
        {NameListContext::Crop, QString(), kCropTitle, kCropLoaded},
        {NameListContext::Shot, QString(), kShotTitle, kShotLoaded},
        {NameListContext::Crop, QStringLiteral("李四"), kCropTitle,
         QStringLiteral("以“李四”命名即将截取的图片，如截图多幅加序号区分。")},
        {NameListContext::Shot, QStringLiteral("李四"), kShotTitle,
         QStringLiteral("以“李四”命名即将拍照的图片，如截图多幅加序号区分。")},
    };
    for (const auto& c : cases) {
        state.nameList.selectedName = c.name;
        list->wordFor(c.context);
        EXPECT_EQ(list->windowForTest()->windowTitle(), c.title);
        EXPECT_EQ(status(), c.status);
    }
}

TEST_F(NameListWindowTest, ClosingForgetsTheList)
{
    openWindow();
    bool released = false;
    prepareClassBook(&released);
    importAs();
    clickCell(0, 0);
    list->closeAndReset();
    EXPECT_EQ(list->windowForTest(), nullptr);
    EXPECT_TRUE(released);
    EXPECT_FALSE(state.nameList.windowOpen);
    EXPECT_FALSE(state.nameList.imported);
    EXPECT_TRUE(state.nameList.selectedName.isEmpty());

    // The close box does the same; the old window's deletion leaves a window
    // opened since alone.
    openWindow();
    prepareClassBook();
    importAs();
    list->windowForTest()->close();
    EXPECT_EQ(list->windowForTest(), nullptr);
    EXPECT_FALSE(state.nameList.imported);
    openWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(state.nameList.windowOpen);
}

// What the user does while a sheet is being read; it runs from the pending
// events that the read lets through.
enum class MidRead { Clicks, CloseBox, CloseAndReset };

TEST_F(NameListWindowTest, WhileASheetIsReadTheBookStaysAndACloseWaits)
{
    for (const MidRead act : {MidRead::Clicks, MidRead::CloseBox, MidRead::CloseAndReset}) {
        const int n = int(act);
        openWindow();
        bool released = false;
        FakeBook& book = prepareClassBook(&released);
        setMode(RunningMode::BatchCrop);
        importAs();
        clickCell(0, 0);
        dialogs.fileDialogs.clear();

        bool acted = false;
        bool releasedDuringRead = false;
        FakeSheet& sheet = book.fakeSheet(1);
        sheet.onRead = [&](int, int) {
            releasedDuringRead = releasedDuringRead || released;
            if (sheet.reads.size() != 1)
                return;
            QMetaObject::invokeMethod(
                &owner,
                [&] {
                    acted = list->windowForTest() && list->windowForTest()->busy();
                    dialogs.fileAnswers = {QStringLiteral("/tmp/另一个.xlsx")};
                    QTest::mouseClick(importButton(), Qt::LeftButton);
                    clickItem(sheetItem(2));
                    clickCell(1, 0);
                    if (act == MidRead::CloseBox)
                        list->windowForTest()->close();
                    if (act == MidRead::CloseAndReset)
                        list->closeAndReset();
                    acted = acted && list->windowForTest() != nullptr;
                },
                Qt::QueuedConnection);
        };
        clickItem(sheetItem(1));

        EXPECT_TRUE(acted) << n;
        EXPECT_FALSE(releasedDuringRead) << n;
        EXPECT_TRUE(dialogs.fileDialogs.isEmpty()) << n;
        EXPECT_TRUE(shelf.opened.size() == 1) << n;
        if (act == MidRead::Clicks) {
            EXPECT_EQ(gridTexts(), classOne) << n;
            EXPECT_EQ(tree()->currentItem(), sheetItem(1)) << n;
            EXPECT_EQ(state.nameList.selectedName, QStringLiteral("张三")) << n;
            EXPECT_EQ(status(), kCropLoaded) << n;
            EXPECT_FALSE(released) << n;
            list->closeAndReset();
        } else {
            EXPECT_EQ(list->windowForTest(), nullptr) << n;
            EXPECT_TRUE(released) << n;
            EXPECT_FALSE(state.nameList.windowOpen) << n;
            EXPECT_FALSE(state.nameList.imported) << n;
            EXPECT_TRUE(state.nameList.selectedName.isEmpty()) << n;
        }
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << n;
        shelf.opened.clear();
        dialogs.fileAnswers.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(NameListWindowTest, ACloseDuringAnImportWaitsForIt)
{
    openWindow();
    bool released = false;
    FakeBook& book = prepareClassBook(&released);
    bool acted = false;
    FakeSheet& sheet = book.fakeSheet(0);
    sheet.onRead = [&](int, int) {
        if (sheet.reads.size() != 1)
            return;
        QMetaObject::invokeMethod(
            &owner,
            [&] {
                list->closeAndReset();
                acted = list->windowForTest() != nullptr && state.nameList.windowOpen;
            },
            Qt::QueuedConnection);
    };
    importAs();
    EXPECT_TRUE(acted);
    EXPECT_TRUE(released);
    EXPECT_EQ(list->windowForTest(), nullptr);
    EXPECT_FALSE(state.nameList.imported);
}

} // namespace
