#include "naming/name_list_window.h"

#include "naming/sheet_extent.h"
#include "platform/desktop_folder.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

namespace {

// ---- Texts ----------------------------------------------------------------

// The mode whose words the window uses; batch crop is asked first.
enum class Mode { Crop, Shot, Neither };

Mode ModeOf(bool batchCropOn, bool fastCaptureOn)
{
    return batchCropOn ? Mode::Crop : fastCaptureOn ? Mode::Shot : Mode::Neither;
}

Mode ModeOf(NameListContext context)
{
    return context == NameListContext::Crop ? Mode::Crop : Mode::Shot;
}

// The window's own title and caption are the shot wording.
QString TitleFor(Mode mode)
{
    return mode == Mode::Crop ? QStringLiteral("导入EXCEL，按所选单元格文字命名即将截取的图片")
                              : QStringLiteral("导入EXCEL，按所选单元格文字命名即将拍照的图片");
}

QString CaptionFor(Mode mode)
{
    return mode == Mode::Crop ? QStringLiteral("截图后自动跳到下一行") : QStringLiteral("拍照后自动跳到下一行");
}

const QString kImportFirstText = QStringLiteral("请先导入EXCEL文件，再点击有文字的单元格。");
const QString kReadingText = QStringLiteral("数据正读入……");
const QString kEmptyCellText = QStringLiteral("选中单元格内容为空，请点击有文字的单元格。");

// The texts below differ in their wording from moment to moment; an empty
// text leaves the status as it was.

QString SheetLoadedText(Mode mode)
{
    switch (mode) {
    case Mode::Crop: return QStringLiteral("请点击有文字的单元格，以其文字命名即将截取的图片。");
    case Mode::Shot: return QStringLiteral("请点击有文字的单元格，以其文字命名即将拍照的图片。");
    case Mode::Neither: break;
    }
    return {};
}

QString CellClickedText(Mode mode, const QString& name)
{
    switch (mode) {
    case Mode::Crop: return QStringLiteral("以“") + name + QStringLiteral("”命名即将截取的图片，如截图多幅加序号区分。");
    case Mode::Shot: return QStringLiteral("以“") + name + QStringLiteral("”命名即将拍照的图片，如拍照多幅加序号区分。");
    case Mode::Neither: break;
    }
    return {};
}

QString ModeStartedText(NameListContext context, const QString& name)
{
    return context == NameListContext::Crop
               ? QStringLiteral("以“") + name + QStringLiteral("”命名即将截取的图片，如截图多幅加序号区分。")
               : QStringLiteral("以“") + name + QStringLiteral("”命名即将拍照的图片，如截图多幅加序号区分。");
}

QString AdvancedText(NameListContext context, const QString& name)
{
    return context == NameListContext::Crop
               ? QStringLiteral("以“") + name + QStringLiteral("”命名即将截取的图片，如截多幅加序号区分。")
               : QStringLiteral("以“") + name + QStringLiteral("”命名即将拍照的图片，如拍多幅加序号区分。");
}

const QString kImportTitle = QStringLiteral("导入Excel名单");
const QString kImportFilter = QStringLiteral("Excel文件(*.xls、*.xlsx)|*.xls;*.xlsx");
const QString kNotASpreadsheetMessage = QStringLiteral("请选择扩展名为xls或xlsx的Excel文件。");
const QString kUnreadableMessage = QStringLiteral("无法读取此Excel文件，它可能已损坏、已加密或不是Excel文件。");
const QString kLastRowMessage = QStringLiteral("EXCEL光标已处于最后一行");

// ---- Layout ---------------------------------------------------------------

constexpr QSize kClientSize(414, 466);
constexpr int kMinColumnWidth = 32;

// The tree and the grid fill the height below the button row; the grid and
// the auto next row box keep to the right edge.
int ListHeight(QSize client)
{
    return std::max(0, client.height() - 54);
}
int GridWidth(QSize client)
{
    return std::max(0, client.width() - 144);
}
int AutoNextBoxLeft(QSize client)
{
    return client.width() - 140;
}

// ---- Units that tell how they were clicked ----------------------------------

bool IsMouseEvent(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return true;
    default: return false;
    }
}

// The sheet tree reports a change of its current item only when the mouse
// made it; changes by the keyboard or by the program pass silently. While
// `ignoresMouse` holds, the mouse does nothing at all.
class SheetTree final : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

    std::function<bool()> ignoresMouse;
    std::function<void(QTreeWidgetItem*)> chosenByMouse;

protected:
    bool viewportEvent(QEvent* event) override
    {
        if (IsMouseEvent(event) && ignoresMouse()) {
            event->accept();
            return true;
        }
        return QTreeWidget::viewportEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        byMouse([&] { QTreeWidget::mousePressEvent(event); });
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        byMouse([&] { QTreeWidget::mouseMoveEvent(event); });
    }

private:
    template <typename Handle>
    void byMouse(Handle handle)
    {
        QTreeWidgetItem* before = currentItem();
        handle();
        QTreeWidgetItem* after = currentItem();
        if (after && after != before)
            chosenByMouse(after);
    }
};

// The name grid reports left clicks in grid coordinates, after moving its
// cursor to the clicked cell. While `ignoresMouse` holds, the mouse does
// nothing at all.
class NameGrid final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    std::function<bool()> ignoresMouse;
    std::function<void(int x, int y)> clickedAt;

protected:
    bool viewportEvent(QEvent* event) override
    {
        if (IsMouseEvent(event) && ignoresMouse()) {
            event->accept();
            return true;
        }
        return QTableWidget::viewportEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        // Only the left button moves the cursor, so that the cursor always
        // stands on the cell the name came from.
        if (event->button() != Qt::LeftButton) {
            event->accept();
            return;
        }
        QTableWidget::mousePressEvent(event);
        const QPoint p = event->position().toPoint();
        clickedAt(p.x() + horizontalOffset(), p.y() + verticalOffset());
    }
};

} // namespace

NameListWindow::NameListWindow(AppState& state, Dialogs& dialogs, BookOpener opener, NameListContext openedFor,
                               QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state), dialogs_(dialogs), opener_(std::move(opener))
{
    setObjectName(QStringLiteral("NameListWindow"));
    createUnits();
    resize(kClientSize);
    layoutUnits(kClientSize);
    placeOnScreen(owner);
    setModeTexts(state_.batch.batchActive || openedFor == NameListContext::Crop,
                 state_.camera.fastCaptureOn || openedFor == NameListContext::Shot);
    NameListState& list = state_.nameList;
    list.windowOpen = true;
    list.imported = false;
    list.selectedName.clear();
    showStatus(kImportFirstText);
}

NameListWindow::~NameListWindow()
{
    forget();
}

void NameListWindow::createUnits()
{
    importButton_ = new QPushButton(QStringLiteral("导入EXCEL文件"), this);
    importButton_->setObjectName(QStringLiteral("导入EXCEL按钮"));
    importButton_->setGeometry(8, 4, 128, 28);
    connect(importButton_, &QPushButton::clicked, this, &NameListWindow::importSpreadsheet);

    autoNextBox_ = new QCheckBox(this);
    autoNextBox_->setObjectName(QStringLiteral("自动下一行选择框"));
    autoNextBox_->resize(140, 24);

    auto* tree = new SheetTree(this);
    tree->setObjectName(QStringLiteral("树型框1"));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->ignoresMouse = [this] { return busy_; };
    tree->chosenByMouse = [this](QTreeWidgetItem* item) { onSheetChosenByMouse(item); };
    sheetTree_ = tree;

    auto* grid = new NameGrid(this);
    grid->setObjectName(QStringLiteral("导入高表"));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->ignoresMouse = [this] { return busy_; };
    grid->clickedAt = [this](int x, int y) { selectNameCell(x, y); };
    nameGrid_ = grid;

    // Column widths are measured in the grid's own font.
    measuringPanel_ = new QWidget(this);
    measuringPanel_->setObjectName(QStringLiteral("字宽画板"));
    measuringPanel_->setGeometry(168, 9, 24, 16);
    measuringPanel_->setFont(nameGrid_->font());
    measuringPanel_->hide();

    statusBar_ = new QLabel(this);
    statusBar_->setObjectName(QStringLiteral("命名状态条"));
    statusBar_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void NameListWindow::placeOnScreen(QWidget* owner)
{
    // At the left edge of the screen; vertically where the window system
    // would put it, centred over the owner.
    QScreen* screen = owner ? owner->screen() : this->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), kClientSize);
    const QRect over = owner ? owner->frameGeometry() : area;
    const int top = std::clamp(over.center().y() - height() / 2, area.top(),
                               std::max(area.top(), area.bottom() - height()));
    move(screen ? screen->geometry().left() : 0, top);
}

void NameListWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutUnits(size());
}

void NameListWindow::layoutUnits(QSize client)
{
    const int height = ListHeight(client);
    sheetTree_->setGeometry(8, 36, 128, height);
    nameGrid_->setGeometry(144, 36, GridWidth(client), height);
    autoNextBox_->move(AutoNextBoxLeft(client), 8);
    // The status bar lies along the bottom edge over the whole width, as a
    // window's status bar does, above the lists' last pixels.
    statusBar_->setGeometry(0, client.height() - 20, client.width(), 20);
    statusBar_->raise();
}

void NameListWindow::setModeTexts(bool cropOn, bool shotOn)
{
    const Mode mode = ModeOf(cropOn, shotOn);
    setWindowTitle(TitleFor(mode));
    autoNextBox_->setText(CaptionFor(mode));
}

void NameListWindow::showStatus(const QString& text)
{
    if (!text.isEmpty())
        statusBar_->setText(text);
}

bool NameListWindow::autoNextTicked() const
{
    return autoNextBox_->isChecked();
}

void NameListWindow::wordFor(NameListContext context)
{
    setModeTexts(context == NameListContext::Crop, context == NameListContext::Shot);
    const NameListState& list = state_.nameList;
    if (!list.imported)
        return;
    showStatus(list.selectedName.isEmpty() ? SheetLoadedText(ModeOf(context))
                                           : ModeStartedText(context, list.selectedName));
}

void NameListWindow::importSpreadsheet()
{
    if (busy_)
        return;
    // The file dialog runs events too: the window stays as it is until the
    // import returns.
    busy_ = true;
    const auto done = qScopeGuard([this] { finishBusy(); });

    const QString path = dialogs_.chooseOpenFile(kImportTitle, kImportFilter, DesktopFolder());
    if (path.isEmpty())
        return;
    const std::optional<SpreadsheetKind> kind = SpreadsheetKindOf(path);
    if (!kind) {
        dialogs_.showMessage(QStringLiteral("提示"), kNotASpreadsheetMessage, MessageIcon::None, MessageButtons::Ok);
        return;
    }
    std::unique_ptr<SpreadsheetBook> book;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto normal = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        book = opener_(path, *kind);
    }
    if (!book) {
        // The book, the tree and the grid shown so far stay.
        dialogs_.showMessage(QStringLiteral("提示"), kUnreadableMessage, MessageIcon::None, MessageButtons::Ok);
        return;
    }

    sheet_ = nullptr;
    book_ = std::move(book);
    state_.nameList.imported = true;
    state_.nameList.filePath = path;
    nameGrid_->setRowCount(0);
    nameGrid_->setColumnCount(0);
    sheetTree_->clear();

    auto* fileItem = new QTreeWidgetItem(sheetTree_, {QFileInfo(path).fileName()});
    fileItem->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    const QIcon sheetIcon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    for (int i = 0; i < book_->sheetCount(); ++i) {
        auto* item = new QTreeWidgetItem(fileItem, {book_->sheetName(i)});
        item->setIcon(0, sheetIcon);
        item->setData(0, Qt::UserRole, i);
    }
    fileItem->setExpanded(true);

    // A book without sheets shows an empty grid.
    QTreeWidgetItem* first = fileItem->child(0);
    if (first)
        sheetTree_->setCurrentItem(first);
    readSheet(first ? first->data(0, Qt::UserRole).toInt() : -1);
}

void NameListWindow::onSheetChosenByMouse(QTreeWidgetItem* item)
{
    if (busy_ || !item->parent())
        return;
    busy_ = true;
    const auto done = qScopeGuard([this] { finishBusy(); });
    readSheet(item->data(0, Qt::UserRole).toInt());
}

void NameListWindow::readSheet(int index)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto normal = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    showStatus(kReadingText);
    loadSheet(index);
    showStatus(SheetLoadedText(ModeOf(state_.batch.batchActive, state_.camera.fastCaptureOn)));
}

void NameListWindow::loadSheet(int index)
{
    sheet_ = index >= 0 && index < book_->sheetCount() ? book_->sheet(index) : nullptr;
    SheetExtent extent;
    if (sheet_) {
        const SpreadsheetSheet* sheet = sheet_;
        extent = MeasureSheetExtent([sheet](int row, int column) { return sheet->cellText(row, column); },
                                    [] { QCoreApplication::processEvents(); });
    }

    nameGrid_->setRowCount(0);
    nameGrid_->setColumnCount(0);
    nameGrid_->setRowCount(extent.maxRow + 1);
    nameGrid_->setColumnCount(extent.maxColumn + 1);
    // A column is as wide as its widest text as the grid draws it: the text
    // margins on both sides and the grid line are added, or a name as wide
    // as its column would be cut short with "…".
    const QFontMetrics metrics(measuringPanel_->font());
    const int margins =
        2 * (nameGrid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, nameGrid_) + 1) +
        (nameGrid_->showGrid() ? 1 : 0) + 2;
    for (int column = 0; column <= extent.maxColumn; ++column) {
        int width = kMinColumnWidth;
        for (int row = 0; row <= extent.maxRow; ++row) {
            const QString text = sheet_->cellText(row, column);
            width = std::max(width, metrics.horizontalAdvance(text) + margins);
            auto* cell = new QTableWidgetItem(text);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            nameGrid_->setItem(row, column, cell);
        }
        nameGrid_->setColumnWidth(column, width);
    }
    // The cursor of a new grid stands on its first cell.
    if (extent.maxRow >= 0)
        nameGrid_->setCurrentCell(0, 0);
}

void NameListWindow::finishBusy()
{
    busy_ = false;
    if (closePending_) {
        closePending_ = false;
        close();
    }
}

void NameListWindow::selectNameCell(int x, int y)
{
    if (busy_)
        return;
    int totalWidth = 0;
    for (int column = 0; column < nameGrid_->columnCount(); ++column)
        totalWidth += nameGrid_->columnWidth(column);
    int totalHeight = 0;
    for (int row = 0; row < nameGrid_->rowCount(); ++row)
        totalHeight += nameGrid_->rowHeight(row);
    if (x >= totalWidth || y >= totalHeight)
        return;

    takeCursorName();
    const QString& name = state_.nameList.selectedName;
    if (!name.isEmpty())
        showStatus(CellClickedText(ModeOf(state_.batch.batchActive, state_.camera.fastCaptureOn), name));
    else
        showStatus(state_.nameList.imported ? kEmptyCellText : kImportFirstText);
}

void NameListWindow::advanceNameRow(NameListContext context)
{
    const NameListState& list = state_.nameList;
    // The grid is being replaced while a sheet is read.
    if (busy_ || !list.windowOpen || !list.imported || list.selectedName.isEmpty() || !autoNextTicked())
        return;
    const int row = nameGrid_->currentRow();
    if (row >= nameGrid_->rowCount() - 1) {
        dialogs_.showMessage(QStringLiteral("提示："), kLastRowMessage, MessageIcon::None, MessageButtons::Ok);
        return;
    }
    nameGrid_->setCurrentCell(row + 1, std::max(0, nameGrid_->currentColumn()));
    takeCursorName();
    const QString& name = list.selectedName;
    showStatus(name.isEmpty() ? kEmptyCellText : AdvancedText(context, name));
}

void NameListWindow::takeCursorName()
{
    const QTableWidgetItem* cell = nameGrid_->currentItem();
    state_.nameList.selectedName = NameFromCell(cell ? cell->text() : QString());
}

void NameListWindow::closeEvent(QCloseEvent* event)
{
    if (busy_) {
        // Closing releases the book, which the running import or sheet
        // read still uses: the window closes when that returns.
        closePending_ = true;
        event->ignore();
        return;
    }
    forget();
    QWidget::closeEvent(event);
    emit closed();
}

// Once per window: a window deleted after its close must not reset the state
// of a window opened since.
void NameListWindow::forget()
{
    if (!open_)
        return;
    open_ = false;
    NameListState& list = state_.nameList;
    list.windowOpen = false;
    list.selectedName.clear();
    list.imported = false;
    sheet_ = nullptr;
    book_.reset();
}
