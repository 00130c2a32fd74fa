#include "workspace/tool_palette_window.h"

#include "platform/named_unit.h"
#include "platform/mouse_events.h"
#include "platform/number_text.h"
#include "workspace/colour_picker.h"
#include "workspace/spin_edit_box.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr QSize kSwatchSize(98, 194);
constexpr QSize kShownSwatchSize(60, 100);

QGroupBox* group(QWidget* parent, const char* name, const char* title, QRect geometry)
{
    return Named(new QGroupBox(QString::fromUtf8(title), parent), name, geometry);
}

QCheckBox* toolCheckBox(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    auto* box = Named(new QCheckBox(QString::fromUtf8(text), parent), name, geometry);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

ToolPaletteWindow::ToolPaletteWindow(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("ToolPaletteWindow"));
    setFixedSize(75, 318);
    createUnits();
    hide();
}

void ToolPaletteWindow::createUnits()
{
    QGroupBox* tools = group(this, "分组框1", "编辑工具", {2, 0, 66, 90});
    brushBox_ = toolCheckBox(tools, "画笔选择框", "画笔", {7, 16, 52, 22});
    textBox_ = toolCheckBox(tools, "文字选择框", "文字", {7, 38, 52, 22});
    pipetteBox_ = toolCheckBox(tools, "吸管选择框", "吸管", {7, 60, 52, 22});

    widthGroup_ = group(this, "分组框2", "画笔粗细", {2, 94, 66, 68});
    widthBar_ = Named(new QLabel(widthGroup_), "画笔粗细标签", {6, 0, 50, 1});
    widthBar_->setAutoFillBackground(true);
    widthBox_ = Named(new SpinEditBox(widthGroup_), "画笔粗细编辑框", {6, 24, 36, 20});
    widthBox_->setDigitsOnly(true);
    widthBox_->setText(QStringLiteral("1"));
    placeWidthUnits();

    QGroupBox* colour = group(this, "分组框3", "选择颜色", {2, 166, 66, 144});
    colourPicker_ = Named(new ColourPicker(colour), "颜色选择器1", {6, 16, 56, 20});
    swatches_ = Named(new QLabel(colour), "色板图片框", {2, 40, 60, 100});
    shownSwatches_ = swatchPicture()
                         .scaled(kShownSwatchSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    swatches_->setPixmap(QPixmap::fromImage(shownSwatches_));
    showColour(colourPicker_->colour());

    connect(brushBox_, &QCheckBox::clicked, this, [this](bool on) { emit toolClicked(DrawingTool::Brush, on); });
    connect(textBox_, &QCheckBox::clicked, this, [this](bool on) { emit toolClicked(DrawingTool::Text, on); });
    connect(pipetteBox_, &QCheckBox::clicked, this,
            [this](bool on) { emit toolClicked(DrawingTool::Pipette, on); });
    connect(widthBox_, &SpinEditBox::contentChanged, this, &ToolPaletteWindow::widthChanged);
    connect(widthBox_, &SpinEditBox::spinned, this, [this](int step) {
        // The spinner keeps the width between 1 and 20; typing is taken as typed.
        const int next = std::clamp(int(typedWidth()) + step, 1, 20);
        widthBox_->setText(QString::number(next));
    });

    setMouseTracking(true);
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

// The bar grows down from the top of the group's contents area, which the
// style puts below the title (lower than a fixed 16 with this font), so that
// up to the widest brush it stays inside the frame; the box follows 24 lower.
void ToolPaletteWindow::placeWidthUnits()
{
    const int top = widthGroup_->contentsRect().top();
    widthBar_->move(6, top);
    widthBox_->move(6, top + 24);
}

QPoint ToolPaletteWindow::placeBeside(QPoint mainTopLeft)
{
    return {std::max(0, mainTopLeft.x() - 75), mainTopLeft.y() + 75};
}

void ToolPaletteWindow::followMainWindow(QPoint mainTopLeft)
{
    move(placeBeside(mainTopLeft));
}

QCheckBox* ToolPaletteWindow::toolBox(DrawingTool tool) const
{
    switch (tool) {
    case DrawingTool::Brush: return brushBox_;
    case DrawingTool::Text: return textBox_;
    case DrawingTool::Pipette: return pipetteBox_;
    }
    return nullptr;
}

void ToolPaletteWindow::tickOnly(const QCheckBox* box)
{
    for (QCheckBox* b : {brushBox_, textBox_, pipetteBox_})
        b->setChecked(b == box);
}

double ToolPaletteWindow::typedWidth() const
{
    return readNumber(widthBox_->text());
}

void ToolPaletteWindow::showWidth(int height)
{
    widthBar_->resize(widthBar_->width(), std::max(0, height));
}

void ToolPaletteWindow::showColour(const QColor& colour)
{
    QPalette p = widthBar_->palette();
    p.setColor(QPalette::Window, colour);
    widthBar_->setPalette(p);
}

QImage ToolPaletteWindow::swatchPicture()
{
    // Eight columns of hues over rows that run from light to dark, and a
    // row of greys at the bottom: 8-bit, one palette entry per swatch.
    constexpr int columns = 7;
    constexpr int rows = 12;
    QImage picture(kSwatchSize, QImage::Format_Indexed8);
    QList<QRgb> table;
    const int cellWidth = kSwatchSize.width() / columns;
    const int cellHeight = kSwatchSize.height() / rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            QColor c;
            if (row == rows - 1)
                c = QColor::fromHsv(0, 0, 255 * column / (columns - 1));
            else if (column == columns - 1)
                c = QColor::fromHsv(0, 0, 255 - 255 * row / (rows - 2));
            else
                c = QColor::fromHsv(360 * column / (columns - 1), row < 5 ? 50 + 40 * row : 255,
                                    row < 5 ? 255 : 255 - 30 * (row - 4));
            table.append(c.rgb());
        }
    }
    table.append(qRgb(255, 255, 255)); // the gaps between the swatches
    picture.setColorTable(table);
    const uchar gap = uchar(table.size() - 1);
    for (int y = 0; y < kSwatchSize.height(); ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < kSwatchSize.width(); ++x) {
            const int column = std::min(x / cellWidth, columns - 1);
            const int row = std::min(y / cellHeight, rows - 1);
            const bool edge = x % cellWidth == 0 || y % cellHeight == 0;
            line[x] = edge ? gap : uchar(row * columns + column);
        }
    }
    return picture;
}

bool ToolPaletteWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ContentsRectChange:
        // Another font or style moves the title, and the contents area with it.
        if (watched == widthGroup_)
            placeWidthUnits();
        break;
    case QEvent::MouseMove: {
        // A move that a unit leaves unhandled reaches its parents too; only
        // the innermost unit under the pointer counts.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && !widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            reportHover(watched);
        break;
    }
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == swatches_ && mouse->button() == Qt::LeftButton) {
            const QPoint at = mouse->position().toPoint();
            if (shownSwatches_.rect().contains(at))
                emit swatchPicked(QColor(shownSwatches_.pixel(at)));
            return true;
        }
        if (watched == textBox_ && mouse->button() == Qt::RightButton) {
            emit textToolRightClicked();
            return true;
        }
        break;
    }
    default:
        break;
    }
    if (dragByBody(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

// The palette has no title bar: a left drag on its background, its groups or
// the width bar moves it. The controls keep their clicks, and the swatch
// picture its colour picks.
bool ToolPaletteWindow::dragByBody(QObject* watched, QEvent* event)
{
    const bool body = watched == this || qobject_cast<QGroupBox*>(watched) || watched == widthBar_;
    const QMouseEvent* mouse = AsMouseEvent(event);
    if (!body || !mouse)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton)
            return false;
        dragging_ = true;
        dragOffset_ = mouse->globalPosition().toPoint() - pos();
        return true;
    case QEvent::MouseMove:
        if (!dragging_)
            return false;
        move(mouse->globalPosition().toPoint() - dragOffset_);
        return true;
    case QEvent::MouseButtonRelease:
        if (mouse->button() != Qt::LeftButton || !dragging_)
            return false;
        dragging_ = false;
        return true;
    default:
        return false;
    }
}

void ToolPaletteWindow::reportHover(QObject* watched)
{
    // A spin box's editor speaks for its box.
    QObject* unit = watched;
    if (unit->parent() == widthBox_)
        unit = widthBox_;
    QString hint;
    if (unit == brushBox_)
        hint = QStringLiteral("画笔工具");
    else if (unit == textBox_)
        hint = QStringLiteral("文字工具，右击文字工具按钮可设置字体。");
    else if (unit == pipetteBox_)
        hint = QStringLiteral("吸取颜色");
    else if (unit == widthBox_)
        hint = QStringLiteral("设置画笔粗细");
    else if (unit == colourPicker_)
        hint = QStringLiteral("设置画笔及文字颜色");
    else if (unit == swatches_)
        hint = QStringLiteral("选取画笔文字颜色");
    else if (qobject_cast<QGroupBox*>(unit))
        return; // the groups change nothing
    // The background empties the hint; the width bar leaves it.
    emit hovered(hint, unit != widthBar_);
}
