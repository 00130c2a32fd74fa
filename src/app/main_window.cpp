#include "app/main_window.h"

#include "batch/batch_crop_mode.h"
#include "imaging/opencv_face_finder.h"
#include "workspace/auto_framer.h"
#include "unattended/framing_batch_window.h"
#include "batch/navigation_keys.h"
#include "batch/task_file.h"
#include "naming/crop_sources.h"
#include "camera/camera.h"
#include "help/help.h"
#include "workspace/drawing_tools.h"
#include "workspace/whole_picture_loader.h"
#include "help/about.h"
#include "naming/name_list.h"
#include "platform/dialogs.h"
#include "platform/qt_picture_printer.h"
#include "workspace/frame_geometry.h"
#include "workspace/frame_panel.h"
#include "workspace/tool_palette_window.h"
#include "workspace/view_panel.h"
#include "workspace/view_render.h"

#include "state/settings.h"
#include "state/settings_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>

#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

namespace {
// The design window's outer size exceeds its client area by this much
// (caption, menu bar and borders of the system it was designed on).
constexpr int kDesignBorderWidth = 8;
constexpr int kDesignBorderHeight = 54;

// Toolbar command numbers (the entry's index in the toolbar).
enum ToolbarCommand {
    kOpen = 1, kSave = 2, kZoomIn = 4, kZoomOut = 5, kRotateCw = 6, kRotateCcw = 7,
    kEdit = 8, kCamera = 10, kHelp = 11, kHomePage = 12,
};
} // namespace

MainWindow::MainWindow(AppState& state, const PlatformServices& platform,
                       const StartupEnvironment& environment)
    : state_(state), dialogs_(platform.dialogs), clipboard_(platform.clipboard), sound_(platform.sound),
      clock_(platform.clock), desktop_(platform.desktop), environment_(environment)
{
    setObjectName(QStringLiteral("MainWindow"));
    createUnits();
    client_->setMinimumSize(minimumClientSize());
    client_->installEventFilter(this);
    viewPanel_->setViewBuffer(&ws_.view);
    bindEvents();
    startUp();
    createSubsystems(platform);
}

// The subsystems, each an object of its own, made once and handed what they use.
void MainWindow::createSubsystems(const PlatformServices& platform)
{
    nameList_ = std::make_unique<NameList>(state_, dialogs_, this);
    const CropServices services{dialogs_, sound_, clock_, *nameList_, *this, *framePanel_};
    batchMode_ = new BatchCropMode(state_, services, this, statusBar_, batchItem_);
    camera_ = new Camera(state_, services, platform.makeCamera, this);
    tools_ = new DrawingTools(state_, ws_,
                              {dialogs_, viewPanel_, textEntry_, focusHolder_,
                               [this] { showWorkspace(); }, [this](const QString& hint) { statusBarHint(hint); }},
                              toolPalette_, this);
    wholePicture_ = new WholePictureLoader(state_, ws_, this);
    autoFramer_ = new AutoFramer(state_, ws_, dialogs_, MakeSystemFaceFinder, this);
    printer_ = std::make_unique<QtPicturePrinter>();
    framingBatch_ = new FramingBatchWindow(dialogs_, clock_, MakeSystemFaceFinder, this);
    menuFrameOnArrival_->setChecked(state_.framing.onArrival);
    wireFeatures();
    // Real time: the age of files left by an earlier run's cut-short writes.
    const QStringList ownFiles{kTaskFileName, kCropSourcesFileName};
    RemoveInterruptedWrites(state_.main.settingsFolder, ownFiles, QDateTime::currentDateTime());
    keptFiles_ = std::make_unique<KeptSettingsFileNotice>(dialogs_);
    // Told over the window, once it is shown.
    QTimer::singleShot(0, this,
                       [this, ownFiles] { keptFiles_->checkSettingsFolder(state_.main.settingsFolder, ownFiles); });
}

MainWindow::~MainWindow()
{
    shutdown();
}

void MainWindow::startUp()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        state_.main.screenWidth = screen->size().width();
        state_.main.screenHeight = screen->size().height();
    }
    resizeClient(kDesignClientSize);
    setWindowTitle(kMainTitle);
    statusBarHint(kStartHint);
    hScrollBar_->setEnabled(false);
    vScrollBar_->setEnabled(false);

    const MainLayout layout = LayoutForClient(clientSize());
    state_.view.viewCentreX = layout.viewCentreX;
    state_.view.viewCentreY = layout.viewCentreY;
    PlaceStartFrame(state_);

    state_.tools.textCharWidth = 6;
    state_.tools.textLineHeight = 12;
    state_.camera.deviceAspect = 0.75;

    state_.main.settingsFolder =
        PrepareSettingsFolder(environment_.programFolder, environment_.userDataFolder);
    LoadSettings(state_.main.settingsFolder, state_.batch.settings, state_.camera.fast, state_.camera.device);

    viewPanel_->setAcceptDrops(true);

    toolPalette_ = new ToolPaletteWindow(this);
    toolPalette_->followMainWindow(frameGeometry().topLeft());
}

// The binding table of the main window: every unit's events and their handlers.
void MainWindow::bindEvents()
{
    for (int i = 0; i < toolbarEntries_.size(); ++i)
        connect(toolbarEntries_[i], &QAction::triggered, this, [this, i] { runToolbarCommand(i); });

    connect(menuOpen_, &QAction::triggered, this, [this] {
        openImageFile();
        viewPanel_->setFocus();
    });
    connect(menuEdit_, &QAction::triggered, this, &MainWindow::onEditCommand);
    connect(menuCamera_, &QAction::triggered, this, [this] { onCameraCommand(false); });
    connect(menuAbout_, &QAction::triggered, this, &MainWindow::showAbout);
    connect(menuHelp_, &QAction::triggered, this, &MainWindow::onHelpCommand);

    bindViewEvents();
    bindFrameEvents();
    watchUnitMouseMoves();
}

// The one place where the features hear each other. The order of the
// connections to one signal is the order in which its listeners act.
void MainWindow::wireFeatures()
{
    // Letters typed for the text tool must reach its entry box, not batch crop's keys.
    NavigationKeys* keys = &batchMode_->keys();
    connect(tools_, &DrawingTools::typingStarted, keys, &NavigationKeys::releaseNavigationKeys);
    connect(tools_, &DrawingTools::typingEnded, keys, &NavigationKeys::restoreNavigationKeys);

    connect(batchMode_, &BatchCropMode::entering, camera_, &Camera::closeForBatchCrop);
    connect(batchMode_, &BatchCropMode::resuming, tools_, &DrawingTools::untickTools);

    // A new side of the frame: the text being typed is stamped, the camera
    // follows, then the view makes room.
    const auto endTyping = [this] { tools_->endTextEntry(); };
    connect(framePanel_, &FramePanel::frameWidthChanged, tools_, endTyping);
    connect(framePanel_, &FramePanel::frameWidthChanged, camera_, &Camera::followFrameWidth);
    connect(framePanel_, &FramePanel::frameWidthChanged, this, [this](int side) { makeRoomForFrame(true, side); });
    connect(framePanel_, &FramePanel::frameHeightChanged, tools_, endTyping);
    connect(framePanel_, &FramePanel::frameHeightChanged, camera_, &Camera::followFrameHeight);
    connect(framePanel_, &FramePanel::frameHeightChanged, this, [this](int side) { makeRoomForFrame(false, side); });
    connect(framePanel_, &FramePanel::frameResizedByDrag, camera_, &Camera::followFrameDrag);
    connect(framePanel_, &FramePanel::colourChanged, tools_, endTyping);
    connect(framePanel_, &FramePanel::colourChanged, camera_, &Camera::recolourPreviewFrame);
    connect(framePanel_, &FramePanel::colourChanged, this, &MainWindow::onFrameColourChanged);
    // Each batch mode keeps the JPEG limit by its own rule.
    connect(framePanel_, &FramePanel::jpegLimitChanged, batchMode_, &BatchCropMode::keepJpegLimit);
    connect(framePanel_, &FramePanel::jpegLimitChanged, camera_, &Camera::keepJpegLimit);

    connect(wholePicture_, &WholePictureLoader::arrived, this, &MainWindow::showWorkspace);

    connect(menuAutoFrame_, &QAction::triggered, this, [this] {
        endFrameDrag();
        tools_->endTextEntry();
    });
    connect(menuAutoFrame_, &QAction::triggered, autoFramer_, &AutoFramer::frameOnCommand);
    connect(menuFrameOnArrival_, &QAction::toggled, autoFramer_, &AutoFramer::setFrameOnArrival);
    connect(this, &MainWindow::pictureArrived, autoFramer_, &AutoFramer::frameOnArrival);
    connect(autoFramer_, &AutoFramer::framed, this, &MainWindow::showFramedPicture);
    connect(autoFramer_, &AutoFramer::hint, this, &MainWindow::statusBarHint);

    connect(menuFramingBatch_, &QAction::triggered, framingBatch_, [this] {
        framingBatch_->show();
        framingBatch_->raise();
    });
    // Its exceptions get a person's eye: one in the view, or all in batch crop.
    connect(framingBatch_, &FramingBatchWindow::openPhoto, this,
            [this](const QString& path) { dropImageFiles({path}); });
    connect(framingBatch_, &FramingBatchWindow::handToBatchCrop, batchMode_, &BatchCropMode::takeTask);

    connect(menuPrintSheet_, &QAction::triggered, this, [this] {
        endFrameDrag();
        openPrintSheet();
    });
}

// The view took a new scale from automatic framing: as after a zoom.
void MainWindow::showFramedPicture()
{
    wholePicture_->fetchIfNeeded();
    showWorkspace();
    viewPanel_->setFocus();
}

void MainWindow::runToolbarCommand(int index)
{
    endFrameDrag();
    switch (index) {
    case kOpen: openImageFile(); break;
    case kSave: cropAndSave(); break;
    case kZoomIn: onZoomCommand(1.02); break;
    case kZoomOut: onZoomCommand(0.98); break;
    case kRotateCw: rotateCurrentImage(90); break;
    case kRotateCcw: rotateCurrentImage(-90); break;
    case kEdit: onEditCommand(); break;
    case kCamera: onCameraCommand(true); break;
    case kHelp: onHelpCommand(); break;
    case kHomePage: onHomePageCommand(); break;
    default: break;
    }
}

QSize MainWindow::clientSize() const
{
    return client_->size();
}

void MainWindow::resizeClient(QSize size)
{
    size = size.expandedTo(minimumClientSize());
    const QSize around = isVisible() ? this->size() - client_->size()
                                     : QSize(0, menuBar()->sizeHint().height());
    resize(size + around);
    if (!isVisible() && layout()) {
        // A hidden window lays its client area out only when asked.
        layout()->activate();
    }
    // Lay out for the new size at once, as the size-changed handling of a
    // window does; the window system's own resize event repeats it.
    layoutMainWindow(size);
}

void MainWindow::measureBorders()
{
    const QRect outer = frameGeometry();
    state_.main.ncW = outer.width() - client_->width() - kDesignBorderWidth;
    state_.main.ncH = outer.height() - client_->height() - kDesignBorderHeight;
}

void MainWindow::layoutMainWindow()
{
    layoutMainWindow(clientSize());
}

void MainWindow::layoutMainWindow(QSize client)
{
    const MainLayout l = LayoutForClient(client);
    state_.main.mainWidth = client.width() + kDesignBorderWidth + state_.main.ncW;
    state_.main.mainHeight = client.height() + kDesignBorderHeight + state_.main.ncH;
    state_.view.viewCentreX = l.viewCentreX;
    state_.view.viewCentreY = l.viewCentreY;

    toolbar_->setGeometry(l.toolbar);
    viewPanel_->setGeometry(l.view);
    hScrollBar_->setGeometry(l.hScrollBar);
    vScrollBar_->setGeometry(l.vScrollBar);
    framePanel_->setGeometry(l.panelGroup);
    framePanel_->placeButtons(l.upButton, l.downButton, l.leftButton, l.rightButton, l.saveButton);
    statusBar_->setGeometry(l.statusBar);
    statusHintPart_->setGeometry(0, 0, l.statusHintWidth, l.statusBar.height());
    batchItem_->setGeometry(l.statusHintWidth + 4, 0, l.statusBar.width() - l.statusHintWidth - 4,
                            l.statusBar.height());

    CentreFrame(state_);
    if (ws_.image.size() != l.view.size()) {
        ResizeViewPanels(ws_, l.view.size());
        RenderView(state_, ws_);
    }
    RefreshView(state_, ws_);
    showWorkspace();
    if (state_.view.imageLoaded && tools_) {
        wholePicture_->fetchIfNeeded();
        tools_->reapplyActiveTool(DrawingTools::Reapply::BrushOrPipette);
        viewPanel_->setFocus();
    }
}

void MainWindow::statusBarHint(const QString& hint)
{
    if (hint == state_.view.statusHint)
        return;
    state_.view.statusHint = hint;
    statusHintPart_->setText(hint);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!bordersMeasured_) {
        bordersMeasured_ = true;
        measureBorders();
        layoutMainWindow();
    }
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (toolPalette_)
        toolPalette_->followMainWindow(frameGeometry().topLeft());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    shutdown();
    event->accept();
    emit closed();
}

// Releases what the program holds, in order. Nothing is saved here: settings
// and the task file are written as they change.
void MainWindow::shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    state_.view.currentPicture = QImage();
    if (batchMode_)
        batchMode_->shutdown();
    if (camera_)
        camera_->shutdown();
    if (nameList_)
        nameList_->closeAndReset(); // releases the imported book
}

void MainWindow::showAbout()
{
    ::ShowAbout(dialogs_);
}

void MainWindow::onZoomCommand(double factor)
{
    if (!state_.view.imageLoaded)
        return;
    zoomFromUser(factor);
}

// The toolbar's camera button ends batch crop mode (keeping the task's
// place); the menu's does not.
void MainWindow::onCameraCommand(bool endsBatchMode)
{
    if (endsBatchMode && state_.batch.batchActive)
        batchMode_->leaveBatchCrop(BatchCropMode::Leave::ForCamera);
    camera_->openCameraWindow();
}
void MainWindow::onHelpCommand()
{
    ShowHelp(environment_.programFolder, environment_.userDataFolder, dialogs_, desktop_);
}

void MainWindow::onHomePageCommand()
{
    OpenHomePage(desktop_);
}

void MainWindow::onEditCommand()
{
    tools_->togglePalette();
}
