#pragma once
// The main window: the host at the top of the program. Its units carry the
// program's own names as objectName; bindEvents() ties the window's own
// units to the handlers below, and wireFeatures() is the one place where the
// features it builds (the frame panel, batch crop, the camera, the drawing
// tools, automatic framing) hear each other.
#include "state/app_state.h"
#include "app/main_layout.h"
#include "state/program_texts.h"
#include "workspace/picture_host.h"
#include "platform/platform_services.h"
#include "workspace/workspace.h"

#include <QHash>
#include <QMainWindow>

#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolBar;
class AutoFramer;
class BatchCropMode;
class FramingBatchWindow;
class Camera;
class DrawingTools;
class FramePanel;
class WholePictureLoader;
class NameList;
class KeptSettingsFileNotice;
class Clipboard;
class Dialogs;
class QKeyEvent;
class ToolPaletteWindow;
class ViewPanel;
class PicturePrinter;


// Where the program lives on this machine; tests point it at temporary folders.
struct StartupEnvironment {
    QString programFolder;
    QString userDataFolder;
};

class MainWindow : public QMainWindow, private PictureHost {
    Q_OBJECT
public:
    MainWindow(AppState& state, const PlatformServices& platform, const StartupEnvironment& environment);
    ~MainWindow() override;

    // Size-changed handling: places every unit for the client size.
    void layoutMainWindow();
    void layoutMainWindow(QSize client);
    // Writes the hint into the status bar when it differs from the last one.
    void statusBarHint(const QString& hint);
    // Makes the client area (below the menu bar) the given size.
    void resizeClient(QSize size);
    QSize clientSize() const;

    void showAbout();

    // Import (file, drop, paste) and Ctrl+C.
    void openImageFile();
    void dropImageFiles(const QStringList& paths);
    void pasteImage();
    void copyCrop();

    // Saving the framed picture, laying out copies of it for print, and
    // turning the picture.
    void cropAndSave();
    void openPrintSheet();
    void rotateCurrentImage(int degrees);


signals:
    // The window closed after releasing what it holds: the program ends
    // (with code 0), whatever other windows are still open.
    void closed();
    // A picture arrived (opened, dropped, pasted, a batch step, a camera
    // shot) and is shown fitted.
    void pictureArrived();

public:
    // For tests: the parts the window holds.
    const Workspace& workspaceForTest() const { return ws_; }
    ToolPaletteWindow* toolPaletteForTest() const { return toolPalette_; }
    BatchCropMode* batchModeForTest() const { return batchMode_; }
    NameList* nameListForTest() const { return nameList_.get(); }
    Camera* cameraForTest() const { return camera_; }

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction of the units, in main_window_units.cpp.
    void createUnits();
    void createMenus();
    void createToolbar();
    void createStatusBar();

    void startUp();
    void bindEvents();
    void wireFeatures();
    void createSubsystems(const PlatformServices& platform);
    void measureBorders();
    void shutdown();

    // Commands of the toolbar and the menu.
    void runToolbarCommand(int index);
    void onZoomCommand(double factor);
    void onEditCommand();
    void onCameraCommand(bool endsBatchMode);
    void onHelpCommand();
    void onHomePageCommand();
    // The capture frame, in main_window_frame.cpp.
    void endFrameDrag();
    void bindFrameEvents();
    bool toolActive() const;
    void onViewLeftPressed(QPoint position);
    void onViewLeftReleased();
    void dragOrHover(QPoint position);
    void makeRoomForFrame(bool across, int side);
    void onFrameColourChanged(const QColor& colour);
    void refreshFrame();
    void showFramedPicture();

    // The view, in main_window_view.cpp.
    void bindViewEvents();
    void showWorkspace();
    void importFile(const QString& path);
    void tellUnreadable(const QString& message);
    void finishImport();
    void zoomFromUser(double factor);
    void onViewKey(QKeyEvent* event);
    void onViewWheel(int notches);
    void onViewRightPressed();
    void onViewMouseMoved(QPoint position);
    void onScrollBarMoved();
    void onUnitMouseMoved(QWidget* unit);
    QWidget* unitOf(QObject* object) const;
    void watchUnitMouseMoves();

    // What batch crop and the camera ask of the window, in main_window_host.cpp.
    bool showPictureFile(const QString& path, const DecodedPicture& decoded) override;
    QSize viewSize() const override { return ws_.image.size(); }
    void showNoPicture() override;
    void showShot(const QImage& picture) override;
    QImage captureFrame() override;
    void writeStatusHint(const QString& hint) override;
    void focusView() override;

    AppState& state_;
    Dialogs& dialogs_;
    Clipboard& clipboard_;
    SoundPlayer& sound_;
    Clock& clock_;
    Desktop& desktop_;
    Workspace ws_;
    bool applyingScrollBars_ = false;
    QHash<QWidget*, QString> unitHints_;
    QString lastOpenFolder_;
    StartupEnvironment environment_;
    bool bordersMeasured_ = false;
    bool shutDown_ = false;

    // Units of the main window, named as in their objectName.
    QWidget* client_ = nullptr;
    QToolBar* toolbar_ = nullptr;            // 工具条1
    QList<QAction*> toolbarEntries_;         // the thirteen entries, separators included
    ViewPanel* viewPanel_ = nullptr;         // 可视画板
    QLineEdit* textEntry_ = nullptr;         // 文字输入编辑框
    QScrollBar* hScrollBar_ = nullptr;       // 横向滚动条
    QScrollBar* vScrollBar_ = nullptr;       // 纵向滚动条
    QFrame* statusBar_ = nullptr;            // 状态条1
    QLabel* statusHintPart_ = nullptr;       // the hint section of 状态条1
    QCheckBox* batchItem_ = nullptr;         // the batch item of 状态条1
    FramePanel* framePanel_ = nullptr;       // 面板分组框
    QLineEdit* focusHolder_ = nullptr;       // 焦点框
    QAction* menuOpen_ = nullptr;
    QAction* menuEdit_ = nullptr;
    QAction* menuCamera_ = nullptr;
    QAction* menuAbout_ = nullptr;
    QAction* menuHelp_ = nullptr;
    QAction* menuAutoFrame_ = nullptr;
    QAction* menuFrameOnArrival_ = nullptr;
    QAction* menuPrintSheet_ = nullptr;
    QAction* menuFramingBatch_ = nullptr;
    FramingBatchWindow* framingBatch_ = nullptr;
    ToolPaletteWindow* toolPalette_ = nullptr;

    // The subsystems the window hosts.
    std::unique_ptr<NameList> nameList_;
    std::unique_ptr<KeptSettingsFileNotice> keptFiles_;
    BatchCropMode* batchMode_ = nullptr;
    Camera* camera_ = nullptr;
    DrawingTools* tools_ = nullptr;
    WholePictureLoader* wholePicture_ = nullptr;
    AutoFramer* autoFramer_ = nullptr;
    std::unique_ptr<PicturePrinter> printer_;
};
