#include "workspace/print_sheet_window.h"

#include "imaging/encode_crop.h"
#include "platform/desktop_folder.h"
#include "platform/dialogs.h"
#include "platform/named_unit.h"
#include "platform/picture_printer.h"
#include "workspace/crop_and_save.h"
#include "workspace/output_resolution.h"
#include "workspace/sheet_preview.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {

const QString kSheetSaveTitle = QStringLiteral("排版图片另存为：");
const QString kSheetSaveFilter = QStringLiteral("图片文件 *.jpg *.png |*.jpg;*.png");
const QString kSheetFormatMessage = QStringLiteral("排版图片只能保存为jpg或png文件。");
const QString kPrintFailedMessage = QStringLiteral("未能打印，请检查打印机是否可用。");
const QString kNoCopyText = QStringLiteral("照片比相纸大，一张也排不下。");
const QString kDocumentName = QStringLiteral("证件照排版");

struct PaperChoice {
    const char* name;
    SheetPaper paper;
};
const PaperChoice kPapers[] = {{"6寸", SheetPaper::SixInch}, {"A4", SheetPaper::A4}};

int Millimetres(int pixels, int dpi)
{
    return int(std::lround(pixels * 25.4 / dpi));
}

QString CountText(int copies, QSize photo, int dpi)
{
    if (copies == 0)
        return kNoCopyText;
    return QStringLiteral("共%1张，每张%2×%3毫米")
        .arg(copies)
        .arg(Millimetres(photo.width(), dpi))
        .arg(Millimetres(photo.height(), dpi));
}

bool IsSheetExtension(const QString& extension)
{
    return extension == QLatin1String(".jpg") || extension == QLatin1String(".jpeg") ||
           extension == QLatin1String(".png");
}

} // namespace

PrintSheetWindow::PrintSheetWindow(const QImage& photo, Dialogs& dialogs, PicturePrinter& printer, QWidget* parent)
    : QDialog(parent), photo_(photo), photoDpi_(PrintDpiOf(photo)), dialogs_(dialogs), printer_(printer)
{
    setObjectName(QStringLiteral("排版打印窗口"));
    setWindowTitle(kPrintSheetTitle);
    resize(560, 480);
    createUnits();
    connect(paperBox_, &QComboBox::currentIndexChanged, this, [this](int index) { layOut(kPapers[index].paper); });
    connect(saveButton_, &QPushButton::clicked, this, &PrintSheetWindow::saveSheet);
    connect(printButton_, &QPushButton::clicked, this, &PrintSheetWindow::printSheet);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    layOut(kPapers[0].paper);
}

void PrintSheetWindow::createUnits()
{
    auto* paperLabel = Named(new QLabel(QStringLiteral("相纸"), this), "相纸标签");
    paperBox_ = Named(new QComboBox(this), "相纸组合框");
    for (const PaperChoice& choice : kPapers)
        paperBox_->addItem(QString::fromUtf8(choice.name));
    countLabel_ = Named(new QLabel(this), "排版张数标签");
    preview_ = Named(new SheetPreview(this), "排版预览画板");
    saveButton_ = Named(new QPushButton(QStringLiteral("保存…"), this), "排版保存按钮");
    printButton_ = Named(new QPushButton(QStringLiteral("打印…"), this), "排版打印按钮");
    closeButton_ = Named(new QPushButton(QStringLiteral("关闭"), this), "排版关闭按钮");
    // Enter in the paper box must not save or print.
    for (QPushButton* button : {saveButton_, printButton_, closeButton_})
        button->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(paperLabel);
    top->addWidget(paperBox_);
    top->addSpacing(12);
    top->addWidget(countLabel_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);
    buttons->addWidget(printButton_);
    buttons->addWidget(closeButton_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(preview_, 1);
    all->addLayout(buttons);
}

void PrintSheetWindow::layOut(SheetPaper paper)
{
    sheet_ = RenderSheet(photo_, photoDpi_, paper);
    const qsizetype copies = LayOutSheet(photo_.size(), photoDpi_, paper).photos.size();
    countLabel_->setText(CountText(int(copies), photo_.size(), photoDpi_));
    preview_->showSheet(sheet_);
    saveButton_->setEnabled(copies > 0);
    printButton_->setEnabled(copies > 0);
}

void PrintSheetWindow::saveSheet()
{
    const QString path =
        dialogs_.chooseSaveFile(kSheetSaveTitle, kSheetSaveFilter, DesktopFolder(), QStringLiteral(".jpg"));
    if (path.isEmpty())
        return;
    const QString extension = ExtensionOfPath(path);
    if (!IsSheetExtension(extension)) {
        dialogs_.showMessage(QStringLiteral("提示"), kSheetFormatMessage, MessageIcon::None, MessageButtons::Ok);
        return;
    }
    // The sheet carries 300 dpi, which the file keeps; the write is atomic.
    if (!SaveCapture(sheet_, path, extension, kNoSizeLimitKB).written)
        dialogs_.showMessage(QStringLiteral("提示"), kWriteFailedMessage, MessageIcon::Warning, MessageButtons::Ok);
}

void PrintSheetWindow::printSheet()
{
    if (printer_.print(sheet_, kDocumentName) == PrintOutcome::Failed)
        dialogs_.showMessage(QStringLiteral("提示"), kPrintFailedMessage, MessageIcon::Warning, MessageButtons::Ok);
}
