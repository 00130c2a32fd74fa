#pragma once
// The program-wide state of the running program, plain data grouped by the
// part of the program that owns it. One instance lives for the whole run,
// owned by the application and passed by reference.
#include "imaging/face_finder.h"
#include "state/settings.h"

#include <QImage>
#include <QString>

#include <optional>

inline const QString kStartHint = QStringLiteral("请打开或拖拽一图片文件或通过拍照来采集头像");

enum class FrameDrag { None, Move, Left, Right, Top, Bottom, TopLeft, BottomRight, TopRight, BottomLeft };

// A move button of the capture frame or of the camera window's preview frame.
enum class FrameMove { Up, Down, Left, Right };

// Which move button is held.
struct HeldMove {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
};

enum class ImageOrigin { BatchTask, UserFile };

struct MainWindowState {
    int screenWidth = 0;
    int screenHeight = 0;
    // Border allowances: how much the window's outer size exceeds the design
    // allowance (8 × 54) around the 586 × 360 client area on this system.
    int ncW = 0;
    int ncH = 0;
    int mainWidth = 0;
    int mainHeight = 0;
    QString settingsFolder;
};

struct ViewState {
    bool imageLoaded = false;
    QImage currentPicture;
    // When the picture was opened reduced (a large photo shown small): the
    // whole picture's size and its file, to decode it whole when the view
    // needs more pixels. Empty when currentPicture is the whole picture.
    QSize reducedFrom;
    QString pictureFile;
    double viewScale = 0.0;
    int scaledWidth = 0;
    int scaledHeight = 0;
    double scrollRatioX = 0.0;
    double scrollRatioY = 0.0;
    int scrollX = 0;
    int scrollY = 0;
    int marginX = 0;
    int marginY = 0;
    int shownWidth = 0;
    int shownHeight = 0;
    int viewCentreX = 0;
    int viewCentreY = 0;
    QString statusHint;
    // The head of the current picture (in its pixels) when it was found
    // already, ahead while its file was decoded or by an earlier framing;
    // good while currentPicture's cacheKey is faceFor.
    std::optional<FaceResult> faceAhead;
    qint64 faceFor = 0;
};

struct FrameState {
    int frameLeft = 0;
    int frameTop = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    FrameDrag frameDrag = FrameDrag::None;
    HeldMove frameMove;
    double jpegLimitKB = 0.0;
};

struct ToolState {
    bool paletteShown = false;
    bool brushOn = false;
    bool textOn = false;
    bool pipetteOn = false;
    bool strokeActive = false;
    int textCharWidth = 0;
    int textLineHeight = 0;
};

struct ImportState {
    ImageOrigin imageOrigin = ImageOrigin::BatchTask;
    QString userFilePath;
};

// Where a batch run stands: the task list's count, the position last shown
// and its file name.
struct BatchTaskState {
    int imageCount = 0; // 0: no task made yet
    int currentPosition = 0;
    QString currentName;
};

struct BatchState {
    BatchCropSettings settings;
    bool batchActive = false;
    bool settingsConfirmed = false;
    bool keysRegistered = false;
    BatchTaskState task;
};

struct CameraState {
    bool cameraOpen = false;
    bool cameraInitialising = false;
    double deviceAspect = 0.0;
    // The preview frame's top-left corner in the preview group.
    int previewFrameX = 0;
    int previewFrameY = 0;
    // The client size the program last gave the camera window.
    int lastCameraWidth = 0;
    int lastCameraHeight = 0;
    HeldMove previewMove;
    bool frameDragActive = false;
    int dragStartFrameX = 0;
    int dragStartFrameY = 0;
    int dragStartMouseX = 0;
    int dragStartMouseY = 0;
    QImage lastShotImage; // the last normal shot
    bool fastCaptureOn = false;
    bool fastSettingsAsked = false; // the kept-settings question was put this run
    bool fastSettingsOpen = false;
    FastCaptureSettings fast;
    CameraSettings device; // the camera chosen in 设备参数, kept for the run and in set.dll
};

// Automatic framing: whether each picture that arrives is framed.
struct FramingState {
    bool onArrival = false;
};

struct NameListState {
    bool windowOpen = false;
    bool imported = false;
    QString selectedName;
    QString filePath;
};

struct AppState {
    MainWindowState main;
    ViewState view;
    FrameState frame;
    int moveTicks = 0;     // shared by the frame's and the camera window's move buttons
    int lastPointerX = 0;  // shared by frame drags and the brush
    int lastPointerY = 0;
    ToolState tools;
    ImportState import;
    BatchState batch;
    CameraState camera;
    NameListState nameList;
    FramingState framing;
};
