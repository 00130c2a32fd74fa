#pragma once
// 批量自动取景: the unattended batch from the window. The form gives the job
// (folders, size, format and limit, naming, threads); 开始 runs it with a
// progress bar and 取消; at the end the summary, and the photos that need a
// person, each openable in the main window or handed to batch crop
// together as its task.
#include "imaging/face_finder.h"
#include "unattended/framing_run.h"

#include <QDialog>

#include <memory>

class Clock;
class Dialogs;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QDoubleSpinBox;

inline const QString kFramingBatchTitle = QStringLiteral("批量自动取景");

class FramingBatchWindow : public QDialog {
    Q_OBJECT
public:
    FramingBatchWindow(Dialogs& dialogs, const Clock& clock, FaceFinderMaker makeFinder, QWidget* parent = nullptr);
    ~FramingBatchWindow() override;

    // The job the form gives; the class list is read when the run starts.
    FramingJob formJob() const;

    // 开始: checks the form, reads the class list, and starts the run.
    void startRun();
    void cancelRun();
    bool running() const { return run_ != nullptr; }

signals:
    // A photo that could not be framed, to open in the main window.
    void openPhoto(const QString& path);
    // The photos that could not be framed, for batch crop to take as its
    // task, and the size the others were saved at.
    void handToBatchCrop(const QString& sourceFolder, const QString& saveFolder, const QStringList& names,
                         QSize output);

private:
    void createUnits();
    void showProgress(const FramingProgress& progress);
    void showSummary(const FramingSummary& summary);
    void chooseFolder(QLineEdit* edit, const QString& title);
    void updateUnits();
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    Dialogs& dialogs_;
    const Clock& clock_;
    FaceFinderMaker makeFinder_;
    std::unique_ptr<FramingRun> run_;
    FramingJob ranJob_;

    QLineEdit* sourceEdit_ = nullptr;    // 照片文件夹编辑框
    QLineEdit* saveEdit_ = nullptr;      // 保存文件夹编辑框
    QComboBox* sizeTypeBox_ = nullptr;   // 取景尺寸类型组合框
    QSpinBox* widthBox_ = nullptr;       // 取景宽度框
    QSpinBox* heightBox_ = nullptr;      // 取景高度框
    QComboBox* formatBox_ = nullptr;     // 取景格式组合框
    QDoubleSpinBox* limitBox_ = nullptr; // 取景JPEG大小框
    QComboBox* namingBox_ = nullptr;     // 取景命名方式组合框
    QLineEdit* prefixEdit_ = nullptr;    // 取景前缀编辑框
    QLineEdit* listEdit_ = nullptr;      // 名单文件编辑框
    QLineEdit* sheetEdit_ = nullptr;     // 名单工作表编辑框
    QLineEdit* cellEdit_ = nullptr;      // 名单起始单元格编辑框
    QPushButton* listButton_ = nullptr;  // 名单浏览按钮
    QSpinBox* jobsBox_ = nullptr;        // 同时处理框
    QCheckBox* resumeBox_ = nullptr;     // 接着上次继续选择框
    QProgressBar* progressBar_ = nullptr; // 取景进度条
    QLabel* progressLabel_ = nullptr;    // 取景进度标签
    QLabel* summaryLabel_ = nullptr;     // 取景结果标签
    QListWidget* exceptionList_ = nullptr; // 未能取景列表
    QPushButton* openButton_ = nullptr;  // 在主窗口打开按钮
    QPushButton* handButton_ = nullptr;  // 交给批量截图按钮
    QPushButton* startButton_ = nullptr; // 开始按钮
    QPushButton* cancelButton_ = nullptr; // 取消按钮
    QPushButton* closeButton_ = nullptr; // 关闭按钮
};
