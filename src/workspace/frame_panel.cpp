#include "workspace/frame_panel.h"

#include "platform/dialogs.h"
#include "platform/named_unit.h"
#include "platform/program_icon.h"
#include "platform/number_text.h"
#include "state/program_texts.h"
#include "workspace/colour_picker.h"
#include "workspace/frame_boxes.h"
#include "workspace/frame_drag.h"
#include "workspace/move_buttons.h"
#include "workspace/spin_edit_box.h"
#include "workspace/status_hints.h"

#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* label(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    auto* l = Named(new QLabel(QString::fromUtf8(text), parent), name, geometry);
    l->setMouseTracking(true);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const char* iconName, QRect geometry, int iconSide)
{
    auto* b = Named(new QPushButton(parent), name, geometry);
    b->setIcon(ProgramIcon(iconName));
    b->setIconSize(QSize(iconSide, iconSide));
    b->setFocusPolicy(Qt::NoFocus);
    b->setMouseTracking(true);
    return b;
}

} // namespace

FramePanel::FramePanel(AppState& state, Dialogs& dialogs, const QColor& startColour, QWidget* parent)
    : QGroupBox(parent), state_(state), dialogs_(dialogs)
{
    Named(this, "面板分组框", QRect(432, 48, 152, 292));
    setMouseTracking(true);
    createUnits(startColour);
    bindEvents();
}

void FramePanel::createUnits(const QColor& startColour)
{
    label(this, "尺寸类型标签", "尺寸类型", QRect(8, 23, 72, 20));
    sizeTypeBox_ = Named(new QComboBox(this), "尺寸类型组合框", QRect(72, 22, 72, 20));
    for (const SizeType& type : SizeTypes())
        sizeTypeBox_->addItem(type.name);
    sizeTypeBox_->setCurrentIndex(0);

    QLabel* widthLabel = label(this, "宽度标签", "宽度(像素)", QRect(8, 51, 72, 20));
    widthBox_ = Named(new SpinEditBox(this), "像素宽编辑框", QRect(72, 51, 54, 20));
    widthBox_->setText(QStringLiteral("160"));

    QLabel* heightLabel = label(this, "高度标签", "高度(像素)", QRect(8, 80, 72, 20));
    heightBox_ = Named(new SpinEditBox(this), "像素高编辑框", QRect(72, 80, 54, 20));
    heightBox_->setText(QStringLiteral("210"));

    QLabel* jpegLabel = label(this, "JPG体积标签", "JPG体积(KB)", QRect(8, 108, 76, 20));
    // The JPEG spin box supplies the frame and the spin buttons; the "≤" box
    // and the JPEG size box sit inside it, over its own text.
    jpegSpinBox_ = Named(new SpinEditBox(this), "体积编辑框", QRect(84, 108, 42, 20));
    lessEqualBox_ = Named(new QLineEdit(QStringLiteral("≤"), this), "小于编辑框", QRect(86, 110, 14, 16));
    lessEqualBox_->setReadOnly(true);
    lessEqualBox_->setFrame(false);
    lessEqualBox_->setTextMargins(0, 0, 0, 0);
    jpegSizeBox_ = Named(new QLineEdit(QStringLiteral("500"), this), "JPG体积编辑框", QRect(100, 110, 24, 16));
    jpegSizeBox_->setFrame(false);
    jpegSizeBox_->setTextMargins(0, 0, 0, 0);
    lessEqualBox_->raise();
    jpegSizeBox_->raise();
    state_.frame.jpegLimitKB = readNumber(jpegSizeBox_->text());

    QLabel* colourLabel = label(this, "颜色选择标签", "采集框颜色", QRect(8, 137, 76, 20));
    colourPicker_ = Named(new ColourPicker(this), "采集框颜色选择器", QRect(84, 137, 60, 20));
    colourPicker_->setColour(startColour);

    upButton_ = button(this, "截图上移按钮", "arrow_up", QRect(60, 171, 28, 32), 16);
    leftButton_ = button(this, "截图左移按钮", "arrow_left", QRect(20, 210, 32, 28), 16);
    saveButton_ = button(this, "截图保存按钮", "shutter", QRect(53, 203, 44, 44), 32);
    rightButton_ = button(this, "截图右移按钮", "arrow_right", QRect(98, 210, 32, 28), 16);
    downButton_ = button(this, "截图下移按钮", "arrow_down", QRect(60, 247, 28, 32), 16);

    fixedHints_ = {
        {widthBox_, Hint::width},           {widthLabel, Hint::width},
        {heightBox_, Hint::height},         {heightLabel, Hint::height},
        {jpegSizeBox_, Hint::jpegSize},     {lessEqualBox_, Hint::jpegSize},
        {jpegSpinBox_, Hint::jpegSize},     {jpegLabel, Hint::jpegSize},
        {colourPicker_, Hint::frameColour}, {colourLabel, Hint::frameColour},
        {upButton_, Hint::moveUp},          {downButton_, Hint::moveDown},
        {leftButton_, Hint::moveLeft},      {rightButton_, Hint::moveRight},
    };
}

// The panel's one binding table: its units' events and their handlers.
void FramePanel::bindEvents()
{
    connect(widthBox_, &SpinEditBox::contentChanged, this, [this] { applyFrameSide(widthBox_, true); });
    connect(heightBox_, &SpinEditBox::contentChanged, this, [this] { applyFrameSide(heightBox_, false); });
    for (SpinEditBox* box : {widthBox_, heightBox_}) {
        box->setDigitsOnly(true);
        connect(box, &SpinEditBox::spinned, this, [this, box](int step) { onSizeBoxSpin(box, step); });
        // Typing in a size box makes the size type "自定义".
        connect(box->editor(), &QLineEdit::textEdited, this, [this] { sizeTypeBox_->setCurrentIndex(1); });
    }
    connect(sizeTypeBox_, &QComboBox::activated, this, &FramePanel::onSizeTypeChosen);

    connect(jpegSizeBox_, &QLineEdit::textChanged, this, &FramePanel::onJpegSizeChanged);
    connect(jpegSpinBox_, &SpinEditBox::spinned, this,
            [this](int step) { jpegSizeBox_->setText(SpinJpegLimit(jpegSizeBox_->text(), step)); });
    for (QWidget* w : {static_cast<QWidget*>(lessEqualBox_), static_cast<QWidget*>(jpegSpinBox_),
                       static_cast<QWidget*>(jpegSpinBox_->editor())})
        w->installEventFilter(this); // their focus goes on to the JPEG size box

    connect(colourPicker_, &ColourPicker::pickRequested, this, &FramePanel::onColourPickRequested);
    connect(colourPicker_, &ColourPicker::colourChanged, this, [this] { emit colourChanged(colourPicker_->colour()); });

    auto* moves = new MoveButtons(state_.moveTicks, state_.frame.frameMove,
                                  {upButton_, downButton_, leftButton_, rightButton_}, QStringLiteral("截图时钟"), this);
    moves->setMoveAllowed([this] { return state_.view.imageLoaded; });
    connect(moves, &MoveButtons::refused, this, [this] {
        dialogs_.showMessage(QStringLiteral("提示"), kNoPictureMessage, MessageIcon::None, MessageButtons::Ok);
    });
    connect(moves, &MoveButtons::moved, this, [this](FrameMove move) {
        MoveByOne(state_.frame.frameLeft, state_.frame.frameTop, move);
        emit frameMoved();
    });
    connect(moves, &MoveButtons::moveEnded, this, &FramePanel::moveEnded);
    connect(saveButton_, &QPushButton::clicked, this, &FramePanel::saveClicked);
}

bool FramePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        jpegSizeBox_->setFocus();
    return QGroupBox::eventFilter(watched, event);
}

QString FramePanel::boxText(FrameBox box) const
{
    switch (box) {
    case FrameBox::Width: return widthBox_->text();
    case FrameBox::Height: return heightBox_->text();
    case FrameBox::JpegSize: return jpegSizeBox_->text();
    }
    return {};
}

void FramePanel::writeBoxText(FrameBox box, const QString& text)
{
    switch (box) {
    case FrameBox::Width: widthBox_->setText(text); break;
    case FrameBox::Height: heightBox_->setText(text); break;
    case FrameBox::JpegSize:
        // The same text counts as a change, as for the size boxes.
        if (jpegSizeBox_->text() == text)
            onJpegSizeChanged();
        else
            jpegSizeBox_->setText(text);
        break;
    }
}

void FramePanel::showDraggedSize(bool width, bool height)
{
    // The frame has the size already: while a drag resizes it, a box's
    // change handling leaves the frame alone.
    if (width)
        widthBox_->setText(QString::number(state_.frame.frameWidth));
    if (height)
        heightBox_->setText(QString::number(state_.frame.frameHeight));
}

void FramePanel::settleDraggedSize(bool width, bool height)
{
    if (width || height)
        emit frameResizedByDrag(width, height);
}

QColor FramePanel::colour() const
{
    return colourPicker_->colour();
}

QString FramePanel::sizeTypeName() const
{
    return sizeTypeBox_->currentText();
}

void FramePanel::placeButtons(QRect up, QRect down, QRect left, QRect right, QRect save)
{
    upButton_->setGeometry(up);
    downButton_->setGeometry(down);
    leftButton_->setGeometry(left);
    rightButton_->setGeometry(right);
    saveButton_->setGeometry(save);
}

QHash<QWidget*, QString> FramePanel::fixedHints() const
{
    return fixedHints_;
}

// A size box changed: the frame takes the new side, and its followers hear of it.
void FramePanel::applyFrameSide(SpinEditBox* box, bool across)
{
    if (IsResize(state_.frame.frameDrag))
        return;
    if (readWholeNumber(box->text()) > kMaxFrameSide) {
        box->setText(QString::number(kMaxFrameSide)); // runs this handling again
        return;
    }
    const int side = FrameSideFromText(box->text());
    FrameState& f = state_.frame;
    if (across) {
        f.frameWidth = side;
        emit frameWidthChanged(side);
    } else {
        f.frameHeight = side;
        emit frameHeightChanged(side);
    }
}

void FramePanel::onSizeBoxSpin(SpinEditBox* box, int step)
{
    sizeTypeBox_->setCurrentIndex(1);
    box->setText(QString::number(qint64(readWholeNumber(box->text())) + step));
}

void FramePanel::onSizeTypeChosen(int index)
{
    if (index >= 0 && index < SizeTypes().size()) {
        const QSize size = SizeTypes()[index].size;
        if (!size.isEmpty()) {
            widthBox_->setText(QString::number(size.width()));
            heightBox_->setText(QString::number(size.height()));
        }
    }
    emit sizeTypeChosen();
}

void FramePanel::onJpegSizeChanged()
{
    const JpegLimitText limit = NormaliseJpegLimit(jpegSizeBox_->text());
    if (jpegSizeBox_->text() != limit.text) {
        jpegSizeBox_->setText(limit.text); // runs this handling again
        return;
    }
    state_.frame.jpegLimitKB = limit.limitKB;
    emit jpegLimitChanged(numberText(limit.limitKB));
}

void FramePanel::onColourPickRequested()
{
    if (const auto colour = dialogs_.chooseColour(colourPicker_->colour()))
        colourPicker_->setColour(*colour);
}
