#pragma once
// The name list window: an imported spreadsheet as a tree of its sheets and a
// grid of the chosen sheet's cells. A click on a cell makes its text the name
// of the next saved crop or shot; with the auto next row box ticked, each
// saved file moves the grid cursor one row down.
#include "state/app_state.h"
#include "naming/name_list_seam.h"
#include "platform/spreadsheet_book.h"

#include <QWidget>

#include <functional>
#include <memory>

class Dialogs;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

// Opens a spreadsheet file; null when it cannot be read. Tests hand in
// books of their own.
using BookOpener = std::function<std::unique_ptr<SpreadsheetBook>(const QString& path, SpreadsheetKind kind)>;

class NameListWindow : public QWidget {
    Q_OBJECT
public:
    // `openedFor` is the mode that opens the window; it counts as on for the
    // window's title and caption even before the mode itself starts.
    NameListWindow(AppState& state, Dialogs& dialogs, BookOpener opener, NameListContext openedFor,
                   QWidget* owner);
    ~NameListWindow() override;

    // The import button: asks for a file, lists its sheets and shows the first.
    void importSpreadsheet();
    // A click in the grid at (x, y) in grid coordinates.
    void selectNameCell(int x, int y);
    // After a saved file: one row down, when a name is selected and the auto
    // next row box is ticked.
    void advanceNameRow(NameListContext context);
    // Words the title, the caption and, with a book imported, the status for
    // the mode that starts.
    void wordFor(NameListContext context);

    bool autoNextTicked() const;
    // A sheet is being read; the book and the sheet must stay as they are.
    bool busy() const { return busy_; }
    // Withdraws a close asked for while a sheet was being read.
    void keepOpen() { closePending_ = false; }

signals:
    // The window closed and forgot its book; it may be deleted.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createUnits();
    void placeOnScreen(QWidget* owner);
    void layoutUnits(QSize client);
    void setModeTexts(bool cropOn, bool shotOn);
    void showStatus(const QString& text);
    void onSheetChosenByMouse(QTreeWidgetItem* item);
    // Busy cursor and "reading" status around loadSheet, then the loaded
    // status; a close asked for meanwhile happens afterwards.
    void readSheet(int index);
    void loadSheet(int index);
    void takeCursorName();
    void finishBusy();
    void forget();

    AppState& state_;
    Dialogs& dialogs_;
    BookOpener opener_;
    std::unique_ptr<SpreadsheetBook> book_;
    const SpreadsheetSheet* sheet_ = nullptr; // owned by book_
    bool open_ = true;                        // not yet forgotten
    bool busy_ = false;
    bool closePending_ = false;

    QPushButton* importButton_ = nullptr; // 导入EXCEL按钮
    QCheckBox* autoNextBox_ = nullptr;    // 自动下一行选择框
    QWidget* measuringPanel_ = nullptr;   // 字宽画板
    QTreeWidget* sheetTree_ = nullptr;    // 树型框1
    QTableWidget* nameGrid_ = nullptr;    // 导入高表
    QLabel* statusBar_ = nullptr;         // 命名状态条
};
