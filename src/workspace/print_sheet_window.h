#pragma once
// 排版打印: copies of the framed picture on a sheet of photo paper, shown
// shrunk, saved as a 300 dpi JPEG or PNG, or printed at its physical size.
#include "imaging/print_sheet.h"

#include <QDialog>
#include <QImage>

class Dialogs;
class PicturePrinter;
class QComboBox;
class QLabel;
class QPushButton;
class SheetPreview;

inline const QString kPrintSheetTitle = QStringLiteral("排版打印");

class PrintSheetWindow : public QDialog {
    Q_OBJECT
public:
    // `photo` is the framed picture as 保存 writes it, carrying its print
    // resolution; the sheet starts on 6寸 paper.
    PrintSheetWindow(const QImage& photo, Dialogs& dialogs, PicturePrinter& printer, QWidget* parent = nullptr);

    // The sheet as it is saved and printed.
    const QImage& sheet() const { return sheet_; }

    void saveSheet();
    void printSheet();

private:
    void createUnits();
    void layOut(SheetPaper paper);

    QImage photo_;
    int photoDpi_ = kSheetDpi;
    Dialogs& dialogs_;
    PicturePrinter& printer_;
    QImage sheet_;
    QComboBox* paperBox_ = nullptr;     // 相纸组合框
    QLabel* countLabel_ = nullptr;      // 排版张数标签
    SheetPreview* preview_ = nullptr;   // 排版预览画板
    QPushButton* saveButton_ = nullptr;  // 排版保存按钮
    QPushButton* printButton_ = nullptr; // 排版打印按钮
    QPushButton* closeButton_ = nullptr; // 排版关闭按钮
};
