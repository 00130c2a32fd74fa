// The units of the main window: created once, with their names, texts and
// design geometry. Their run-time places come from layoutMainWindow.
#include "app/main_window.h"

#include "platform/named_unit.h"
#include "platform/program_icon.h"
#include "workspace/frame_panel.h"
#include "workspace/view_panel.h"

#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolBar>

namespace {

struct ToolbarEntry {
    const char* caption; // nullptr for a separator
    const char* icon;
    const char* tooltip;
};

// The thirteen toolbar entries, in order; their index is the command number.
const ToolbarEntry kToolbarEntries[] = {
    {nullptr, nullptr, nullptr},
    {"打开", "open", "打开一幅图片"},
    {"保存", "save", "保存采集框内图片"},
    {nullptr, nullptr, nullptr},
    {"放大", "zoom_in", "放大显示"},
    {"缩小", "zoom_out", "缩小显示"},
    {"顺转", "rotate_cw", "顺时针转90度"},
    {"逆转", "rotate_ccw", "逆时针转90度"},
    {"编辑", "edit", "编辑图象"},
    {nullptr, nullptr, nullptr},
    {"拍摄", "camera", "启动摄像头"},
    {"帮助", "help", "使用帮助"},
    {"主页", "home", "软件主页"},
};

} // namespace

void MainWindow::createUnits()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("主窗口客户区"));
    client_->setMouseTracking(true);
    setCentralWidget(client_);

    createMenus();
    createToolbar();

    viewPanel_ = Named(new ViewPanel(client_), "可视画板", QRect(4, 48, 411, 279));
    textEntry_ = Named(new QLineEdit(viewPanel_), "文字输入编辑框", QRect(307, 78, 12, 18));
    textEntry_->setFrame(false);
    textEntry_->hide();

    hScrollBar_ = Named(new QScrollBar(Qt::Horizontal, client_), "横向滚动条", QRect(4, 328, 411, 12));
    vScrollBar_ = Named(new QScrollBar(Qt::Vertical, client_), "纵向滚动条", QRect(416, 48, 12, 279));
    for (QScrollBar* bar : {hScrollBar_, vScrollBar_}) {
        bar->setRange(0, 0);
        bar->setMouseTracking(true);
    }

    framePanel_ = new FramePanel(state_, dialogs_, ws_.frameColour, client_);
    createStatusBar();

    focusHolder_ = Named(new QLineEdit(client_), "焦点框", QRect(364, 16, 216, 20));
    focusHolder_->hide();
}

void MainWindow::createMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("文件"));
    menuOpen_ = fileMenu->addAction(QStringLiteral("打开"));
    menuEdit_ = fileMenu->addAction(QStringLiteral("编辑"));
    menuCamera_ = fileMenu->addAction(QStringLiteral("拍摄"));
    QMenu* toolsMenu = menuBar()->addMenu(QStringLiteral("工具"));
    menuAutoFrame_ = toolsMenu->addAction(QStringLiteral("自动取景"));
    menuAutoFrame_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    menuFrameOnArrival_ = toolsMenu->addAction(QStringLiteral("打开图片时自动取景"));
    menuFrameOnArrival_->setCheckable(true);
    menuFramingBatch_ = toolsMenu->addAction(QStringLiteral("批量自动取景…"));
    toolsMenu->addSeparator();
    menuPrintSheet_ = toolsMenu->addAction(QStringLiteral("排版打印…"));
    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助"));
    menuAbout_ = helpMenu->addAction(QStringLiteral("关于"));
    menuHelp_ = helpMenu->addAction(QStringLiteral("使用帮助"));
}

void MainWindow::createToolbar()
{
    toolbar_ = Named(new QToolBar(client_), "工具条1", QRect(0, 0, 590, 49));
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setMouseTracking(true);
    for (const ToolbarEntry& entry : kToolbarEntries) {
        if (!entry.caption) {
            toolbarEntries_.append(toolbar_->addSeparator());
            continue;
        }
        QAction* action = toolbar_->addAction(ProgramIcon(entry.icon), QString::fromUtf8(entry.caption));
        action->setToolTip(QString::fromUtf8(entry.tooltip));
        toolbarEntries_.append(action);
    }
}

void MainWindow::createStatusBar()
{
    statusBar_ = Named(new QFrame(client_), "状态条1", QRect(0, 340, 588, 20));
    statusBar_->setMouseTracking(true);
    statusHintPart_ = Named(new QLabel(statusBar_), "状态条1提示", QRect(0, 0, 432, 20));
    statusHintPart_->setFrameShape(QFrame::Panel);
    statusHintPart_->setFrameShadow(QFrame::Sunken);
    statusHintPart_->setMouseTracking(true);
    batchItem_ = Named(new QCheckBox(QStringLiteral("使用批量截图模式"), statusBar_), "批量截图选项",
                       QRect(436, 0, 150, 20));
    batchItem_->setFocusPolicy(Qt::NoFocus);
    batchItem_->setMouseTracking(true);
}
