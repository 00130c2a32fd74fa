#include "workspace/drawing_tools.h"

#include "state/program_texts.h"
#include "platform/dialogs.h"
#include "platform/mouse_events.h"
#include "workspace/colour_picker.h"
#include "workspace/drawing_geometry.h"
#include "workspace/spin_edit_box.h"
#include "workspace/status_hints.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// The brush: a pen whose tip is the hot spot (8, 23).
QCursor brushCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 23);
    p.rotate(-45);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(250, 210, 60));
    p.drawRect(QRectF(6, -3, 18, 6));
    p.setBrush(QColor(240, 190, 150));
    QPainterPath tip;
    tip.moveTo(0, 0);
    tip.lineTo(6, -3);
    tip.lineTo(6, 3);
    tip.closeSubpath();
    p.drawPath(tip);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(0.5, 0), 1.2, 1.2);
    return QCursor(pixmap, 8, 23);
}

// The pipette: a dropper whose nozzle is the hot spot (9, 24).
QCursor pipetteCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(9, 24);
    p.rotate(-45);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 230, 255));
    p.drawRect(QRectF(2, -2, 14, 4));
    p.setBrush(QColor(60, 60, 60));
    p.drawRoundedRect(QRectF(16, -4, 8, 8), 2, 2);
    p.drawLine(QPointF(0, 0), QPointF(2, 0));
    return QCursor(pixmap, 9, 24);
}

} // namespace

QFont InitialTextFont()
{
    QFont font;
    // 宋体 where the machine has it, otherwise a Chinese serif, otherwise the
    // program's own font; always 12 pixels high, as 9 points are at 96 dpi.
    const QStringList wanted = {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                                QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                                QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : wanted) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPixelSize(12);
    return font;
}

DrawingTools::DrawingTools(AppState& state, Workspace& ws, const DrawingToolsHost& host,
                           ToolPaletteWindow* palette, QObject* parent)
    : QObject(parent), state_(state), ws_(ws), host_(host), palette_(palette), textFont_(InitialTextFont())
{
    host_.textEntry->setFont(textFont_);
    applyColour(colour(), false);
    bindEvents();
}

// The binding table of the tools: the palette's units, the view's mouse and
// the text entry box.
void DrawingTools::bindEvents()
{
    connect(palette_, &ToolPaletteWindow::toolClicked, this, &DrawingTools::onToolClicked);
    connect(palette_, &ToolPaletteWindow::textToolRightClicked, this, &DrawingTools::chooseFont);
    connect(palette_, &ToolPaletteWindow::widthChanged, this, &DrawingTools::onWidthChanged);
    connect(palette_, &ToolPaletteWindow::swatchPicked, this,
            [this](const QColor& picked) { applyColour(picked, true); });
    connect(palette_->colourPicker(), &ColourPicker::pickRequested, this, [this] {
        if (const auto chosen = host_.dialogs.chooseColour(colour()))
            applyColour(*chosen, true);
    });
    connect(palette_, &ToolPaletteWindow::hovered, this, [this](const QString& hint, bool setsHint) {
        commitStroke();
        if (setsHint)
            host_.statusHint(hint);
    });
    connect(host_.textEntry, &QLineEdit::textChanged, this, [this](const QString& text) {
        host_.textEntry->resize(TextEntryWidth(text, state_.tools.textCharWidth), host_.textEntry->height());
    });
    host_.view->installEventFilter(this);
    host_.textEntry->installEventFilter(this);
}

bool DrawingTools::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const QMouseEvent* mouse = AsMouseEvent(event);
    if (watched == host_.textEntry) {
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            onEntryRightPress();
            return true;
        }
        if (event->type() == QEvent::ContextMenu)
            return true; // the right click ends the text; no menu
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                onEntryEnter();
                return true;
            }
        }
        return false;
    }
    // The view's own handlers run after these (the frame ignores the mouse
    // while a tool is on), so nothing is taken from them.
    const bool toolOn = state_.tools.brushOn || state_.tools.textOn || state_.tools.pipetteOn;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::RightButton)
            onViewRightPress();
        else if (mouse->button() == Qt::LeftButton && toolOn && state_.view.imageLoaded)
            onViewPress(mouse->position().toPoint());
        break;
    case QEvent::MouseMove:
        if (toolOn && state_.view.imageLoaded)
            onViewMove(mouse->position().toPoint());
        break;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton && toolOn && state_.view.imageLoaded)
            onViewRelease(mouse->position().toPoint());
        break;
    default:
        break;
    }
    return false;
}

// ---- the palette ----

void DrawingTools::togglePalette()
{
    ToolState& t = state_.tools;
    if (!state_.view.imageLoaded) {
        host_.dialogs.showMessage(QStringLiteral("提示"), kNoPictureMessage, MessageIcon::None,
                                  MessageButtons::Ok);
        return;
    }
    if (!t.paletteShown) {
        palette_->show();
        t.paletteShown = true;
        host_.focusHolder->setFocus();
    } else {
        endTextEntry();
        host_.view->unsetCursor();
        palette_->hide();
        t.paletteShown = false;
        allToolsOff();
        emit typingEnded();
    }
    host_.view->setFocus();
}

void DrawingTools::allToolsOff()
{
    ToolState& t = state_.tools;
    t.brushOn = t.textOn = t.pipetteOn = false;
    palette_->tickOnly(nullptr);
}

void DrawingTools::onToolClicked(DrawingTool tool, bool ticked)
{
    ToolState& t = state_.tools;
    if (ticked) {
        commitStroke();
        if (tool != DrawingTool::Brush && t.brushOn)
            refreshView(); // the ring goes
        if (tool == DrawingTool::Text) {
            // Letters must reach the entry box, not the batch keys.
            emit typingStarted();
        } else if (t.textOn) {
            endTextEntry();
            emit typingEnded();
        }
        switchTo(tool);
        return;
    }
    switch (tool) {
    case DrawingTool::Brush:
        t.brushOn = false;
        refreshView();
        break;
    case DrawingTool::Text:
        endTextEntry();
        t.textOn = false;
        emit typingEnded();
        break;
    case DrawingTool::Pipette:
        t.pipetteOn = false;
        break;
    }
    host_.view->unsetCursor();
    host_.view->setFocus();
}

void DrawingTools::switchTo(DrawingTool tool)
{
    ToolState& t = state_.tools;
    t.brushOn = tool == DrawingTool::Brush;
    t.textOn = tool == DrawingTool::Text;
    t.pipetteOn = tool == DrawingTool::Pipette;
    palette_->tickOnly(palette_->toolBox(tool));
    setViewCursor(tool);
    host_.view->setFocus();
}

void DrawingTools::setViewCursor(DrawingTool tool)
{
    switch (tool) {
    case DrawingTool::Brush: host_.view->setCursor(brushCursor()); break;
    case DrawingTool::Text: host_.view->setCursor(Qt::IBeamCursor); break;
    case DrawingTool::Pipette: host_.view->setCursor(pipetteCursor()); break;
    }
}

void DrawingTools::reapplyActiveTool(Reapply which)
{
    if (!state_.tools.paletteShown)
        return;
    ToolState& t = state_.tools;
    for (DrawingTool tool : {DrawingTool::Brush, DrawingTool::Pipette, DrawingTool::Text}) {
        if (tool == DrawingTool::Text && which == Reapply::BrushOrPipette)
            break;
        if (!palette_->toolBox(tool)->isChecked())
            continue;
        (tool == DrawingTool::Brush ? t.brushOn : tool == DrawingTool::Text ? t.textOn : t.pipetteOn) = true;
        setViewCursor(tool);
        return;
    }
}

void DrawingTools::untickTools()
{
    endTextEntry();
    allToolsOff();
    host_.view->unsetCursor();
}

// A right click on the text box: the font of the text stamp.
void DrawingTools::chooseFont()
{
    if (state_.tools.brushOn)
        refreshView();
    endTextEntry();
    QFont initial = InitialTextFont();
    initial.setPointSize(9);
    const std::optional<QFont> chosen = host_.dialogs.chooseFont(initial);
    if (!chosen)
        return;
    textFont_ = *chosen;
    host_.textEntry->setFont(textFont_);
    const QFontMetrics metrics(textFont_);
    state_.tools.textCharWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('a')));
    state_.tools.textLineHeight = metrics.height();
    host_.textEntry->resize(state_.tools.textCharWidth, state_.tools.textLineHeight + 6);
    // The text tool comes on as from its box, keys released for typing.
    emit typingStarted();
    switchTo(DrawingTool::Text);
}

// ---- colour and width ----

QColor DrawingTools::colour() const
{
    return palette_->colourPicker()->colour();
}

int DrawingTools::brushWidth() const
{
    return UsableBrushWidth(palette_->typedWidth());
}

void DrawingTools::applyColour(const QColor& picked, bool fromPalette)
{
    {
        const QSignalBlocker quiet(palette_->colourPicker());
        palette_->colourPicker()->setColour(picked);
    }
    palette_->showColour(picked);
    QPalette entry = host_.textEntry->palette();
    entry.setColor(QPalette::Text, picked);
    entry.setColor(QPalette::Base, TextEntryBackground(picked));
    host_.textEntry->setPalette(entry);
    if (!fromPalette)
        return;
    if (host_.textEntry->isVisible())
        host_.textEntry->setFocus();
    if (state_.tools.brushOn)
        refreshView();
}

void DrawingTools::onWidthChanged()
{
    palette_->showWidth(int(palette_->typedWidth()));
    if (state_.tools.brushOn)
        refreshView();
}

// ---- the view ----

void DrawingTools::onViewPress(QPoint at)
{
    ToolState& t = state_.tools;
    if (t.brushOn) {
        t.strokeActive = true;
        PaintBrushDisc(ws_.image, at, brushWidth(), colour());
        state_.lastPointerX = at.x();
        state_.lastPointerY = at.y();
        refreshView();
    } else if (t.pipetteOn) {
        // The pixel the view shows there, frame outline included.
        if (ws_.view.rect().contains(at))
            applyColour(QColor(ws_.view.pixel(at)), false);
        setViewCursor(DrawingTool::Pipette);
    } else if (t.textOn) {
        host_.view->setCursor(Qt::IBeamCursor);
    }
}

void DrawingTools::onViewMove(QPoint at)
{
    ToolState& t = state_.tools;
    if (!t.brushOn)
        return;
    if (t.strokeActive) {
        PaintBrushLine(ws_.image, {state_.lastPointerX, state_.lastPointerY}, at, brushWidth(), colour());
        state_.lastPointerX = at.x();
        state_.lastPointerY = at.y();
        refreshView();
        return;
    }
    RefreshView(state_, ws_);
    DrawBrushRing(ws_.view, at, brushWidth(), colour());
    host_.view->update();
}

void DrawingTools::onViewRelease(QPoint at)
{
    if (state_.tools.textOn)
        placeTextEntry(at);
    // A brush stroke is baked by the view's own release, which ends any drag.
}

void DrawingTools::onViewRightPress()
{
    const bool typing = state_.tools.textOn;
    endTextEntry();
    host_.view->unsetCursor();
    allToolsOff();
    // Only the text tool held the batch keys; whatever else released them
    // (a settings window, the name prompt) still holds them.
    if (typing)
        emit typingEnded();
}

// ---- the text stamp ----

void DrawingTools::placeTextEntry(QPoint at)
{
    QLineEdit* entry = host_.textEntry;
    if (!entry->text().isEmpty())
        stampEntryText();
    entry->clear();
    entry->show();
    entry->setFocus();
    entry->move(at.x(), at.y() - state_.tools.textLineHeight + 4);
    host_.statusHint(Hint::textEntry);
}

void DrawingTools::onEntryEnter()
{
    QLineEdit* entry = host_.textEntry;
    stampEntryText();
    entry->clear();
    entry->move(entry->x(), entry->y() + entry->height());
}

void DrawingTools::onEntryRightPress()
{
    QLineEdit* entry = host_.textEntry;
    if (!entry->text().isEmpty())
        stampEntryText();
    entry->clear();
    entry->hide();
    host_.view->unsetCursor();
    state_.tools.textOn = false;
    palette_->toolBox(DrawingTool::Text)->setChecked(false);
    if (state_.view.imageLoaded)
        refreshView();
    // The text tool has ended: the batch keys it released come back.
    emit typingEnded();
}

void DrawingTools::endTextEntry()
{
    if (!state_.tools.textOn)
        return;
    QLineEdit* entry = host_.textEntry;
    if (!entry->text().isEmpty())
        stampEntryText();
    entry->clear();
    entry->hide();
}

void DrawingTools::endTextToolForSave()
{
    if (state_.tools.textOn) {
        endTextEntry();
        state_.tools.textOn = false;
        palette_->toolBox(DrawingTool::Text)->setChecked(false);
        host_.view->unsetCursor();
    }
    emit typingEnded();
}

void DrawingTools::stampEntryText()
{
    QLineEdit* entry = host_.textEntry;
    if (!state_.view.imageLoaded)
        return;
    PaintTextLine(ws_.image, QPoint(entry->x(), entry->y() + 3), entry->text(), textFont_, colour());
    BakeView(state_, ws_);
    host_.showWorkspace();
}

bool DrawingTools::commitStroke()
{
    if (!state_.tools.strokeActive)
        return false;
    BakeView(state_, ws_);
    host_.showWorkspace();
    return true;
}

void DrawingTools::refreshView()
{
    if (!state_.view.imageLoaded)
        return;
    RefreshView(state_, ws_);
    host_.view->update();
}
