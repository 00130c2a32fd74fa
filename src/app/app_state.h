#pragma once
// The program-wide state of the running program, plain data grouped by the
// part of the program that owns it. One instance lives for the whole run,
// owned by the application and passed by reference.
#include "app/settings.h"

#include <QImage>
#include <QString>

inline const QString kStartHint = QStringLiteral("请打开或拖拽一图片文件或通过拍照来采集头像");

enum class FrameDrag { None, Move, Left, Right, Top, Bottom, TopLeft, BottomRight, TopRight, BottomLeft };

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
};

struct FrameState {
    int frameLeft = 0;
    int frameTop = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    FrameDrag frameDrag = FrameDrag::None;
    bool frameMoveUp = false;
    bool frameMoveDown = false;
    bool frameMoveLeft = false;
    bool frameMoveRight = false;
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
    double deviceAspect = 0.0;
    bool fastCaptureOn = false;
    FastCaptureSettings fast;
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
};
