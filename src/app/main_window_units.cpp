// The units of the main window: created once, with their names, texts and
// design geometry. Their run-time places come from layoutMainWindow.
#include "app/main_window.h"

#include "workspace/colour_picker.h"
#include "workspace/frame_boxes.h"
#include "workspace/spin_edit_box.h"
#include "workspace/view_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
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

QIcon icon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

template <typename Unit>
Unit* named(Unit* unit, const char* name, QRect geometry)
{
    unit->setObjectName(QString::fromUtf8(name));
    unit->setGeometry(geometry);
    return unit;
}

QLabel* label(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    auto* l = named(new QLabel(QString::fromUtf8(text), parent), name, geometry);
    l->setMouseTracking(true);
    return l;
}

QPushButton* moveButton(QWidget* parent, const char* name, const char* iconName, QRect geometry)
{
    auto* b = named(new QPushButton(parent), name, geometry);
    b->setIcon(icon(iconName));
    b->setIconSize(QSize(16, 16));
    b->setFocusPolicy(Qt::NoFocus);
    b->setMouseTracking(true);
    return b;
}

} // namespace

void MainWindow::createUnits()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("主窗口客户区"));
    client_->setMouseTracking(true);
    setCentralWidget(client_);

    createMenus();
    createToolbar();

    viewPanel_ = named(new ViewPanel(client_), "可视画板", QRect(4, 48, 411, 279));
    textEntry_ = named(new QLineEdit(viewPanel_), "文字输入编辑框", QRect(307, 78, 12, 18));
    textEntry_->setFrame(false);
    textEntry_->hide();

    hScrollBar_ = named(new QScrollBar(Qt::Horizontal, client_), "横向滚动条", QRect(4, 328, 411, 12));
    vScrollBar_ = named(new QScrollBar(Qt::Vertical, client_), "纵向滚动条", QRect(416, 48, 12, 279));
    for (QScrollBar* bar : {hScrollBar_, vScrollBar_}) {
        bar->setRange(0, 0);
        bar->setMouseTracking(true);
    }

    createPanelGroup();
    createStatusBar();

    focusHolder_ = named(new QLineEdit(client_), "焦点框", QRect(364, 16, 216, 20));
    focusHolder_->hide();
}

void MainWindow::createMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("文件"));
    menuOpen_ = fileMenu->addAction(QStringLiteral("打开"));
    menuEdit_ = fileMenu->addAction(QStringLiteral("编辑"));
    menuCamera_ = fileMenu->addAction(QStringLiteral("拍摄"));
    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助"));
    menuAbout_ = helpMenu->addAction(QStringLiteral("关于"));
    menuHelp_ = helpMenu->addAction(QStringLiteral("使用帮助"));
}

void MainWindow::createToolbar()
{
    toolbar_ = named(new QToolBar(client_), "工具条1", QRect(0, 0, 590, 49));
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
        QAction* action = toolbar_->addAction(icon(entry.icon), QString::fromUtf8(entry.caption));
        action->setToolTip(QString::fromUtf8(entry.tooltip));
        toolbarEntries_.append(action);
    }
}

void MainWindow::createPanelGroup()
{
    panelGroup_ = named(new QGroupBox(client_), "面板分组框", QRect(432, 48, 152, 292));
    panelGroup_->setMouseTracking(true);
    QWidget* g = panelGroup_;

    label(g, "尺寸类型标签", "尺寸类型", QRect(8, 23, 72, 20));
    sizeTypeBox_ = named(new QComboBox(g), "尺寸类型组合框", QRect(72, 22, 72, 20));
    for (const SizeType& type : SizeTypes())
        sizeTypeBox_->addItem(type.name);

    label(g, "宽度标签", "宽度(像素)", QRect(8, 51, 72, 20));
    widthBox_ = named(new SpinEditBox(g), "像素宽编辑框", QRect(72, 51, 54, 20));
    widthBox_->setText(QStringLiteral("160"));

    label(g, "高度标签", "高度(像素)", QRect(8, 80, 72, 20));
    heightBox_ = named(new SpinEditBox(g), "像素高编辑框", QRect(72, 80, 54, 20));
    heightBox_->setText(QStringLiteral("210"));

    label(g, "JPG体积标签", "JPG体积(KB)", QRect(8, 108, 76, 20));
    // The JPEG spin box supplies the frame and the spin buttons; the "≤" box
    // and the JPEG size box sit inside it, over its own text.
    jpegSpinBox_ = named(new SpinEditBox(g), "体积编辑框", QRect(84, 108, 42, 20));
    lessEqualBox_ = named(new QLineEdit(QStringLiteral("≤"), g), "小于编辑框", QRect(86, 110, 14, 16));
    lessEqualBox_->setReadOnly(true);
    lessEqualBox_->setFrame(false);
    lessEqualBox_->setTextMargins(0, 0, 0, 0);
    jpegSizeBox_ = named(new QLineEdit(QStringLiteral("500"), g), "JPG体积编辑框", QRect(100, 110, 24, 16));
    jpegSizeBox_->setFrame(false);
    jpegSizeBox_->setTextMargins(0, 0, 0, 0);
    lessEqualBox_->raise();
    jpegSizeBox_->raise();

    label(g, "颜色选择标签", "采集框颜色", QRect(8, 137, 76, 20));
    colourPicker_ = named(new ColourPicker(g), "采集框颜色选择器", QRect(84, 137, 60, 20));
    colourPicker_->setColour(ws_.frameColour); // yellow at every start

    upButton_ = moveButton(g, "截图上移按钮", "arrow_up", QRect(60, 171, 28, 32));
    leftButton_ = moveButton(g, "截图左移按钮", "arrow_left", QRect(20, 210, 32, 28));
    saveButton_ = named(new QPushButton(g), "截图保存按钮", QRect(53, 203, 44, 44));
    saveButton_->setIcon(icon("shutter"));
    saveButton_->setIconSize(QSize(32, 32));
    saveButton_->setFocusPolicy(Qt::NoFocus);
    saveButton_->setMouseTracking(true);
    rightButton_ = moveButton(g, "截图右移按钮", "arrow_right", QRect(98, 210, 32, 28));
    downButton_ = moveButton(g, "截图下移按钮", "arrow_down", QRect(60, 247, 28, 32));
}

void MainWindow::createStatusBar()
{
    statusBar_ = named(new QFrame(client_), "状态条1", QRect(0, 340, 588, 20));
    statusBar_->setMouseTracking(true);
    statusHintPart_ = named(new QLabel(statusBar_), "状态条1提示", QRect(0, 0, 432, 20));
    statusHintPart_->setFrameShape(QFrame::Panel);
    statusHintPart_->setFrameShadow(QFrame::Sunken);
    statusHintPart_->setMouseTracking(true);
    batchItem_ = named(new QCheckBox(QStringLiteral("使用批量截图模式"), statusBar_), "批量截图选项",
                       QRect(436, 0, 150, 20));
    batchItem_->setFocusPolicy(Qt::NoFocus);
    batchItem_->setMouseTracking(true);
}
