#include "unattended/framing_batch_window.h"

#include "platform/dialogs.h"
#include "platform/named_unit.h"
#include "unattended/class_list_names.h"
#include "unattended/framing_texts.h"
#include "workspace/frame_boxes.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>

namespace {

// The naming box's entries, in the order of FramingNaming.
const QStringList& NamingTexts()
{
    static const QStringList texts{QStringLiteral("时间"), QStringLiteral("序号"), QStringLiteral("自定义前缀"),
                                   QStringLiteral("与原文件同名"), QStringLiteral("名单逐行")};
    return texts;
}

const QStringList& FormatTexts()
{
    static const QStringList texts{QStringLiteral("JPG"), QStringLiteral("PNG"), QStringLiteral("BMP"),
                                   QStringLiteral("GIF")};
    return texts;
}


} // namespace

FramingBatchWindow::FramingBatchWindow(Dialogs& dialogs, const Clock& clock, FaceFinderMaker makeFinder,
                                       QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), clock_(clock), makeFinder_(std::move(makeFinder))
{
    setObjectName(QStringLiteral("批量自动取景窗口"));
    setWindowTitle(kFramingBatchTitle);
    createUnits();

    connect(sizeTypeBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        const SizeType& type = SizeTypes()[index];
        if (!type.size.isEmpty()) {
            widthBox_->setValue(type.size.width());
            heightBox_->setValue(type.size.height());
        }
        updateUnits();
    });
    connect(formatBox_, &QComboBox::currentIndexChanged, this, [this] { updateUnits(); });
    connect(namingBox_, &QComboBox::currentIndexChanged, this, [this] { updateUnits(); });
    connect(startButton_, &QPushButton::clicked, this, &FramingBatchWindow::startRun);
    connect(cancelButton_, &QPushButton::clicked, this, &FramingBatchWindow::cancelRun);
    connect(closeButton_, &QPushButton::clicked, this, &FramingBatchWindow::close);
    connect(exceptionList_, &QListWidget::currentRowChanged, this, [this] { updateUnits(); });
    const auto openCurrent = [this] {
        if (QListWidgetItem* item = exceptionList_->currentItem())
            emit openPhoto(QDir(ranJob_.sourceFolder).filePath(item->data(Qt::UserRole).toString()));
    };
    connect(openButton_, &QPushButton::clicked, this, openCurrent);
    connect(exceptionList_, &QListWidget::itemDoubleClicked, this, openCurrent);
    connect(handButton_, &QPushButton::clicked, this, [this] {
        QStringList names;
        for (int i = 0; i < exceptionList_->count(); ++i)
            names.append(exceptionList_->item(i)->data(Qt::UserRole).toString());
        emit handToBatchCrop(ranJob_.sourceFolder, ranJob_.saveFolder, names, ranJob_.output);
        close(); // the work goes on in the main window
    });
    sizeTypeBox_->setCurrentIndex(2); // 学籍/身份证
    updateUnits();
}

FramingBatchWindow::~FramingBatchWindow() = default;

void FramingBatchWindow::createUnits()
{
    sourceEdit_ = Named(new QLineEdit(this), "照片文件夹编辑框");
    saveEdit_ = Named(new QLineEdit(this), "保存文件夹编辑框");
    auto* sourceButton = Named(new QPushButton(QStringLiteral("浏览…"), this), "照片文件夹浏览按钮");
    auto* saveButton = Named(new QPushButton(QStringLiteral("浏览…"), this), "保存文件夹浏览按钮");
    connect(sourceButton, &QPushButton::clicked, this,
            [this] { chooseFolder(sourceEdit_, QStringLiteral("选择照片文件夹")); });
    connect(saveButton, &QPushButton::clicked, this,
            [this] { chooseFolder(saveEdit_, QStringLiteral("选择保存文件夹")); });

    sizeTypeBox_ = Named(new QComboBox(this), "取景尺寸类型组合框");
    for (const SizeType& type : SizeTypes())
        sizeTypeBox_->addItem(type.name);
    widthBox_ = Named(new QSpinBox(this), "取景宽度框");
    heightBox_ = Named(new QSpinBox(this), "取景高度框");
    for (QSpinBox* box : {widthBox_, heightBox_})
        box->setRange(1, kMaxFrameSide);
    formatBox_ = Named(new QComboBox(this), "取景格式组合框");
    formatBox_->addItems(FormatTexts());
    limitBox_ = Named(new QDoubleSpinBox(this), "取景JPEG大小框");
    limitBox_->setRange(1, 100000);
    limitBox_->setDecimals(1);
    limitBox_->setValue(50);
    limitBox_->setSuffix(QStringLiteral(" KB"));

    namingBox_ = Named(new QComboBox(this), "取景命名方式组合框");
    namingBox_->addItems(NamingTexts());
    namingBox_->setCurrentIndex(int(FramingNaming::SameAsSource));
    prefixEdit_ = Named(new QLineEdit(this), "取景前缀编辑框");
    listEdit_ = Named(new QLineEdit(this), "名单文件编辑框");
    listButton_ = Named(new QPushButton(QStringLiteral("浏览…"), this), "名单浏览按钮");
    connect(listButton_, &QPushButton::clicked, this, [this] {
        const QString book = dialogs_.chooseOpenFile(QStringLiteral("选择名单"),
                                                     QStringLiteral("Excel 名单 (*.xls *.xlsx)"), listEdit_->text());
        if (!book.isEmpty())
            listEdit_->setText(QDir::toNativeSeparators(book));
    });
    sheetEdit_ = Named(new QLineEdit(this), "名单工作表编辑框");
    sheetEdit_->setPlaceholderText(QStringLiteral("第一张工作表"));
    cellEdit_ = Named(new QLineEdit(this), "名单起始单元格编辑框");
    cellEdit_->setPlaceholderText(QStringLiteral("A1"));
    jobsBox_ = Named(new QSpinBox(this), "同时处理框");
    jobsBox_->setRange(1, 256);
    jobsBox_->setValue(std::max(1, QThread::idealThreadCount()));
    jobsBox_->setSuffix(QStringLiteral(" 张"));
    resumeBox_ = Named(new QCheckBox(QStringLiteral("接着保存文件夹中的记录继续"), this), "接着上次继续选择框");

    progressBar_ = Named(new QProgressBar(this), "取景进度条");
    progressBar_->setFormat(QStringLiteral("%v/%m"));
    progressLabel_ = Named(new QLabel(this), "取景进度标签");
    summaryLabel_ = Named(new QLabel(this), "取景结果标签");
    summaryLabel_->setWordWrap(true);
    exceptionList_ = Named(new QListWidget(this), "未能取景列表");
    openButton_ = Named(new QPushButton(QStringLiteral("在主窗口打开"), this), "在主窗口打开按钮");
    handButton_ = Named(new QPushButton(QStringLiteral("交给批量截图"), this), "交给批量截图按钮");
    startButton_ = Named(new QPushButton(QStringLiteral("开始"), this), "开始按钮");
    cancelButton_ = Named(new QPushButton(QStringLiteral("取消"), this), "取消按钮");
    closeButton_ = Named(new QPushButton(QStringLiteral("关闭"), this), "关闭按钮");
    startButton_->setDefault(true);

    const auto row = [](std::initializer_list<QWidget*> units) {
        auto* line = new QHBoxLayout;
        for (QWidget* unit : units)
            line->addWidget(unit);
        return line;
    };
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("照片文件夹"), row({sourceEdit_, sourceButton}));
    form->addRow(QStringLiteral("保存文件夹"), row({saveEdit_, saveButton}));
    auto* sizeRow = row({sizeTypeBox_, new QLabel(QStringLiteral("宽"), this), widthBox_,
                         new QLabel(QStringLiteral("高"), this), heightBox_});
    form->addRow(QStringLiteral("尺寸类型"), sizeRow);
    form->addRow(QStringLiteral("格式"), row({formatBox_, new QLabel(QStringLiteral("JPEG 大小不超过"), this), limitBox_}));
    form->addRow(QStringLiteral("命名方式"), row({namingBox_, new QLabel(QStringLiteral("前缀"), this), prefixEdit_}));
    form->addRow(QStringLiteral("名单"), row({listEdit_, listButton_}));
    form->addRow(QStringLiteral("工作表、起始单元格"), row({sheetEdit_, cellEdit_}));
    form->addRow(QStringLiteral("同时处理"), row({jobsBox_, resumeBox_}));

    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(progressBar_);
    all->addWidget(progressLabel_);
    all->addWidget(summaryLabel_);
    all->addWidget(exceptionList_, 1);
    all->addLayout(row({openButton_, handButton_}));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(startButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(closeButton_);
    all->addLayout(buttons);
    resize(560, 600);
}

void FramingBatchWindow::updateUnits()
{
    const bool idle = !running();
    const bool custom = SizeTypes()[sizeTypeBox_->currentIndex()].size.isEmpty();
    const auto naming = FramingNaming(namingBox_->currentIndex());
    for (QWidget* unit : std::initializer_list<QWidget*>{sourceEdit_, saveEdit_, sizeTypeBox_, formatBox_, namingBox_,
                                                         jobsBox_, resumeBox_})
        unit->setEnabled(idle);
    widthBox_->setEnabled(idle && custom);
    heightBox_->setEnabled(idle && custom);
    limitBox_->setEnabled(idle && formatBox_->currentIndex() == 0);
    prefixEdit_->setEnabled(idle && naming == FramingNaming::CustomPrefix);
    for (QWidget* unit : std::initializer_list<QWidget*>{listEdit_, listButton_, sheetEdit_, cellEdit_})
        unit->setEnabled(idle && naming == FramingNaming::ClassList);
    startButton_->setEnabled(idle);
    cancelButton_->setEnabled(!idle);
    openButton_->setEnabled(idle && exceptionList_->currentRow() >= 0);
    handButton_->setEnabled(idle && exceptionList_->count() > 0);
}

void FramingBatchWindow::chooseFolder(QLineEdit* edit, const QString& title)
{
    const QString folder = dialogs_.chooseFolder(title, edit->text());
    if (!folder.isEmpty())
        edit->setText(QDir::toNativeSeparators(folder));
}

FramingJob FramingBatchWindow::formJob() const
{
    FramingJob job;
    job.sourceFolder = QDir::fromNativeSeparators(sourceEdit_->text().trimmed());
    job.saveFolder = QDir::fromNativeSeparators(saveEdit_->text().trimmed());
    job.output = QSize(widthBox_->value(), heightBox_->value());
    job.extension = u'.' + FormatTexts()[formatBox_->currentIndex()].toLower();
    job.jpegLimitKB = limitBox_->value();
    job.naming = FramingNaming(namingBox_->currentIndex());
    job.prefix = prefixEdit_->text();
    job.jobs = jobsBox_->value();
    job.resume = resumeBox_->isChecked();
    return job;
}

void FramingBatchWindow::startRun()
{
    if (running())
        return;
    FramingJob job = formJob();
    const auto tell = [this](const QString& text) {
        dialogs_.showMessage(QStringLiteral("提示"), text, MessageIcon::None, MessageButtons::Ok);
    };
    if (const QString refusal = FramingJobRefusal(job); !refusal.isEmpty()) {
        tell(refusal);
        return;
    }
    if (job.naming == FramingNaming::ClassList) {
        const QString cell = cellEdit_->text().trimmed().toUpper();
        const ClassListNames list =
            ReadClassListNames(QDir::fromNativeSeparators(listEdit_->text().trimmed()), sheetEdit_->text(), cell);
        if (!list.error.isEmpty()) {
            tell(list.error);
            return;
        }
        job.listNames = list.names;
    }
    ranJob_ = job;
    exceptionList_->clear();
    summaryLabel_->clear();
    progressLabel_->clear();
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);
    run_ = std::make_unique<FramingRun>(job, makeFinder_, clock_);
    connect(run_.get(), &FramingRun::progressed, this, &FramingBatchWindow::showProgress);
    connect(run_.get(), &FramingRun::finished, this, &FramingBatchWindow::showSummary);
    updateUnits();
    run_->start();
}

void FramingBatchWindow::cancelRun()
{
    if (!run_)
        return;
    run_->cancel();
    cancelButton_->setEnabled(false);
    progressLabel_->setText(QStringLiteral("正在取消，等待手头的照片完成…"));
}

void FramingBatchWindow::showProgress(const FramingProgress& progress)
{
    progressBar_->setRange(0, std::max(1, progress.total));
    progressBar_->setValue(progress.done);
    progressLabel_->setText(FramingProgressText(progress, false));
}

void FramingBatchWindow::showSummary(const FramingSummary& summary)
{
    // The run is let go after its signal has returned.
    run_.release()->deleteLater();
    QString text = FramingSummaryText(summary);
    if (!summary.error.isEmpty())
        text += u'\n' + summary.error;
    summaryLabel_->setText(text);
    for (const FramingException& e : summary.exceptions) {
        auto* item = new QListWidgetItem(FramingExceptionText(e), exceptionList_);
        item->setData(Qt::UserRole, e.source);
    }
    if (exceptionList_->count() > 0)
        exceptionList_->setCurrentRow(0);
    updateUnits();
}

void FramingBatchWindow::closeEvent(QCloseEvent* event)
{
    // A run in hand is cancelled first: nothing is left half-written.
    if (running()) {
        cancelRun();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FramingBatchWindow::reject()
{
    if (running()) {
        cancelRun();
        return;
    }
    QDialog::reject();
}
