#pragma once
// The drawing tools: a brush that paints discs and thick lines, a text
// stamp and a pipette, chosen on the tool palette and used on the view. At
// most one is on at a time. A stroke or a line of text is baked into the
// picture at the scale it is shown. The main window creates this object once
// and calls it from its commands; the tools watch the view's mouse and the
// text entry box themselves.
#include "state/app_state.h"
#include "workspace/tool_palette_window.h"
#include "workspace/workspace.h"

#include <QFont>
#include <QObject>

#include <functional>

class Dialogs;
class QLineEdit;
class QWidget;
class ViewPanel;

struct DrawingToolsHost {
    Dialogs& dialogs;
    ViewPanel* view;
    QLineEdit* textEntry;      // 文字输入编辑框, a child of the view
    QWidget* focusHolder;      // 焦点框
    std::function<void()> showWorkspace;            // the view and its scroll bars after a bake
    std::function<void(const QString&)> statusHint; // part 0 of the status bar
};

class DrawingTools : public QObject {
    Q_OBJECT
public:
    DrawingTools(AppState& state, Workspace& ws, const DrawingToolsHost& host, ToolPaletteWindow* palette,
                 QObject* parent);

    // The edit command: shows the palette, or hides it and ends every tool.
    void togglePalette();

    enum class Reapply { AnyTool, BrushOrPipette };
    // After a new picture or layout: the first ticked tool (brush, pipette,
    // then text) is on again with its cursor. Nothing while the palette is hidden.
    void reapplyActiveTool(Reapply which = Reapply::AnyTool);

    // The text tool stays on; text still in the entry box is stamped, and the
    // box is emptied and hidden.
    void endTextEntry();
    // Before a save: the text tool goes off as well, and typing has ended.
    void endTextToolForSave();
    // A stroke still in progress is baked; false when there was none.
    bool commitStroke();
    // Every tool off and unticked (batch crop starting).
    void untickTools();

    // The text stamp's font and the entry box's font.
    const QFont& textFont() const { return textFont_; }

signals:
    // The text tool takes the keyboard for typing, and gives it back; keys
    // that the program takes before any control (batch crop's navigation
    // keys) must let letters through in between.
    void typingStarted();
    void typingEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindEvents();
    void onToolClicked(DrawingTool tool, bool ticked);
    void switchTo(DrawingTool tool);
    void allToolsOff();
    void chooseFont();
    void applyColour(const QColor& colour, bool fromPalette);
    void onWidthChanged();
    int brushWidth() const;
    QColor colour() const;

    void onViewPress(QPoint at);
    void onViewMove(QPoint at);
    void onViewRelease(QPoint at);
    void onViewRightPress();
    void placeTextEntry(QPoint at);
    void onEntryRightPress();
    void onEntryEnter();
    void stampEntryText();
    void refreshView();
    void setViewCursor(DrawingTool tool);

    AppState& state_;
    Workspace& ws_;
    DrawingToolsHost host_;
    ToolPaletteWindow* palette_;
    QFont textFont_;
};

// The fonts the text stamp starts with: 宋体 at 12 pixels, or the nearest
// Chinese serif font this machine has.
QFont InitialTextFont();
