#include "camera/camera_window.h"

#include "platform/named_unit.h"
#include "camera/camera_preview.h"
#include "camera/face_follow.h"
#include "platform/capture_device.h"
#include "platform/dialogs.h"
#include "platform/mouse_events.h"
#include "state/settings.h"
#include "workspace/auto_framing.h"
#include "workspace/move_buttons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <cmath>

namespace {

constexpr double kTolerance = 1e-7;

const QString kNoCameraHeading = QStringLiteral("    无法连接摄像头哦");
const QString kNoCameraReasons = QStringLiteral(
    "\r\n  1、您的摄像头没有安装驱动程序？\r\n\r\n  2、您的摄像头没有连接到电脑？\r\n\r\n"
    "  3、您打开了别的摄像头软件？请关闭qq视频等软件。\r\n\r\n  4、你还没有摄像头？");

QPushButton* button(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* b = Named(new QPushButton(text, parent), name);
    b->setGeometry(geometry);
    return b;
}

QPushButton* moveButton(QWidget* parent, const char* name, const char* icon)
{
    auto* b = Named(new QPushButton(parent), name);
    b->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    b->setIconSize(QSize(16, 16));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// The no-camera texts in 宋体 where the machine has it.
QLabel* noCameraLabel(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* label = Named(new QLabel(text, parent), name);
    QFont font(QStringLiteral("SimSun"));
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), parent->font().family()});
    font.setPixelSize(12);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

} // namespace

CameraWindow::CameraWindow(AppState& state, CaptureDevice& device, Dialogs& dialogs, const QColor& frameColour,
                           QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state), camera_(state.camera), device_(device), dialogs_(dialogs),
      frameColour_(frameColour), follow_(std::make_unique<FaceFollow>(FindHeadOnThisThread))
{
    setObjectName(QStringLiteral("CameraWindow"));
    setWindowTitle(kCameraWindowTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    createUnits();
    bindEvents();
}

CameraWindow::~CameraWindow()
{
    tearDown();
}

// Once, at the close or, for a window destroyed without one, at destruction:
// the program is told, the preview stops and the device is let go.
void CameraWindow::tearDown()
{
    if (tornDown_)
        return;
    tornDown_ = true;
    emit closing();
    camera_.cameraOpen = false;
    camera_.frameDragActive = false;
    moves_->stop();
    device_.setPreview(false);
    disconnect(&device_, nullptr, this, nullptr);
    device_.release();
}

void CameraWindow::createUnits()
{
    group_ = Named(new QGroupBox(QStringLiteral("摄像"), this), "摄像分组框");
    framePanel_ = Named(new QWidget(group_), "拍图画板");
    preview_ = Named(new CameraPreview(group_), "视频设备1");
    const char* barNames[] = {"拍图框上标签", "拍图框下标签", "拍图框左标签", "拍图框右标签"};
    for (size_t i = 0; i < bars_.size(); ++i) {
        bars_[i] = Named(new QLabel(group_), barNames[i]);
        bars_[i]->setAutoFillBackground(true);
        bars_[i]->setCursor(Qt::SizeAllCursor);
        bars_[i]->installEventFilter(this);
    }
    recolourPreviewFrame(frameColour_);

    moveButtons_ = {moveButton(this, "拍图上移按钮", "arrow_up"), moveButton(this, "拍图下移按钮", "arrow_down"),
                    moveButton(this, "拍图左移按钮", "arrow_left"), moveButton(this, "拍图右移按钮", "arrow_right")};
    moves_ = new MoveButtons(state_.moveTicks, camera_.previewMove, moveButtons_, QStringLiteral("拍图时钟"), this);

    deviceButton_ = button(this, "设备参数按钮", QStringLiteral("设备参数"), {445, 11, 116, 24});
    formatButton_ = button(this, "视频格式按钮", QStringLiteral("视频格式"), {445, 39, 116, 24});
    fastSettingsButton_ = button(this, "速拍设置按钮", QStringLiteral("速拍设置"), {445, 67, 116, 24});
    shootButton_ = button(this, "拍照按钮", kShootCaption, {445, 280, 116, 78});
    fastBox_ = Named(new QCheckBox(QStringLiteral("使用批量速拍模式"), this), "启用速拍选择框");
    fastBox_->setGeometry(7, 343, 137, 20);

    // The heading stands in the middle of its line, clear of the group's
    // frame; the reasons run from the top, as their leading line break expects.
    heading_ = noCameraLabel(group_, "标签1", kNoCameraHeading, {1, 15, 427, 33});
    heading_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    reasons_ = noCameraLabel(group_, "标签2", kNoCameraReasons, {1, 48, 427, 282});
    reasons_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layoutUnits(kDesignPreviewSize);
}

// The binding table of the camera window.
void CameraWindow::bindEvents()
{
    connect(shootButton_, &QPushButton::clicked, this, &CameraWindow::onShootClicked);
    connect(deviceButton_, &QPushButton::clicked, this, &CameraWindow::onDeviceSettings);
    connect(formatButton_, &QPushButton::clicked, this, &CameraWindow::onVideoFormat);
    connect(fastSettingsButton_, &QPushButton::clicked, this, &CameraWindow::fastSettingsRequested);
    connect(fastBox_, &QCheckBox::clicked, this, &CameraWindow::fastCaptureClicked);
    connect(moves_, &MoveButtons::moved, this, [this](FrameMove move) {
        follow_->stopByUser();
        MoveByOne(camera_.previewFrameX, camera_.previewFrameY, move);
        placePreviewFrame();
    });
    connect(&device_, &CaptureDevice::frameArrived, preview_, &CameraPreview::showFrame);
    connect(&device_, &CaptureDevice::frameArrived, this, &CameraWindow::followFace);
    connect(&device_, &CaptureDevice::deviceLost, this, &CameraWindow::onDeviceLost);
}

void CameraWindow::start(QPoint mainCorner)
{
    camera_.cameraOpen = true;
    camera_.cameraInitialising = true;
    connectChosenDevice();
    if (device_.currentDevice() < 1) {
        fitCameraToFrame();
        showConnected(false);
    } else {
        measureDeviceAspect();
        const PreviewSize preview = fitCameraToFrame();
        showConnected(true);
        if (camera_.fastCaptureOn) {
            centrePreviewFrame(preview);
            placePreviewFrame();
        }
    }
    move(mainCorner + QPoint(100, 60));
    camera_.cameraInitialising = false;
}

bool CameraWindow::connected() const
{
    return shootButton_->text() == kShootCaption;
}

// The device chosen in 设备参数 while the system offers it and it connects;
// otherwise, as when none was chosen, the last one.
void CameraWindow::connectChosenDevice()
{
    const QString& chosen = camera_.device.chosenDevice;
    const int listed = chosen.isEmpty() ? 0 : int(device_.deviceNames().indexOf(chosen)) + 1;
    if (listed < 1 || !device_.connectDevice(listed))
        device_.connectDevice(device_.deviceCount());
    if (device_.currentDevice() >= 1) {
        preview_->showFrame(device_.currentFrame());
        device_.setPreview(true);
    }
}

// The two states: connected shows the live picture and the device buttons;
// not connected shows the reasons and the retry caption. Fast capture's own
// units follow fastCaptureOn within the connected state.
void CameraWindow::showConnected(bool connected)
{
    shootButton_->setText(connected ? kShootCaption : kRetryCaption);
    heading_->setVisible(!connected);
    reasons_->setVisible(!connected);
    preview_->setVisible(connected);
    deviceButton_->setVisible(connected);
    formatButton_->setVisible(connected);
    fastBox_->setVisible(connected);
    if (!connected)
        preview_->clear();
    showFastUnits(connected && camera_.fastCaptureOn);
    fastBox_->setChecked(camera_.fastCaptureOn);
}

void CameraWindow::showFastUnits(bool shown)
{
    for (QLabel* bar : bars_)
        bar->setVisible(shown);
    for (QPushButton* b : moveButtons_)
        b->setVisible(shown);
    fastSettingsButton_->setVisible(shown);
    fastBox_->setChecked(camera_.fastCaptureOn);
}

void CameraWindow::onShootClicked()
{
    if (connected())
        emit shootRequested();
    else
        retry();
}

// The device is tried again; the aspect is not measured and the window not refitted.
void CameraWindow::retry()
{
    connectChosenDevice();
    showConnected(device_.currentDevice() >= 1);
}

void CameraWindow::onDeviceLost()
{
    // An unplugged camera leaves the window as if none had been found.
    device_.setPreview(false);
    showConnected(false);
}

PreviewSize CameraWindow::previewSize() const
{
    return {preview_->width(), preview_->height()};
}

void CameraWindow::followFaceAfresh()
{
    follow_->restart();
}

// With pictures framed on arrival, each fast shot is framed too: the preview
// frame follows the face while fast capture is on.
void CameraWindow::followFace(const QImage& picture)
{
    if (!camera_.fastCaptureOn || !state_.framing.onArrival || !connected() || camera_.frameDragActive) {
        follow_->pause();
        return;
    }
    const std::optional<QPoint> to =
        follow_->pictureArrived(picture, previewSize(), {state_.frame.frameWidth, state_.frame.frameHeight},
                                {camera_.previewFrameX, camera_.previewFrameY});
    if (!to)
        return;
    camera_.previewFrameX = to->x();
    camera_.previewFrameY = to->y();
    placePreviewFrame();
}

PreviewSize CameraWindow::fitCameraToFrame()
{
    const PreviewSize preview =
        FitPreview(state_.frame.frameWidth, state_.frame.frameHeight, camera_.deviceAspect);
    resizeToPreview(preview, true);
    return preview;
}

void CameraWindow::followFrameWidth()
{
    followFrameSide(FollowFrameWidth(state_.frame.frameWidth, state_.frame.frameHeight, camera_.deviceAspect,
                                     PreviewForCameraClient(size())));
}

void CameraWindow::followFrameHeight()
{
    followFrameSide(FollowFrameHeight(state_.frame.frameWidth, state_.frame.frameHeight, camera_.deviceAspect,
                                      PreviewForCameraClient(size())));
}

// The size the program last set is not updated here: the resize rule then
// compares the next size against the one before the follow-up.
void CameraWindow::followFrameSide(PreviewSize preview)
{
    resizeToPreview(preview, false);
    if (camera_.fastCaptureOn) {
        centrePreviewFrame(preview);
        placePreviewFrame();
    }
}

void CameraWindow::followFrameType()
{
    const PreviewSize preview = fitCameraToFrame();
    centrePreviewFrame(preview);
    placePreviewFrame();
}

void CameraWindow::recolourPreviewFrame(const QColor& colour)
{
    frameColour_ = colour;
    for (QLabel* bar : bars_) {
        QPalette p = bar->palette();
        p.setColor(QPalette::Window, colour);
        bar->setPalette(p);
    }
}

void CameraWindow::centrePreviewFrame(PreviewSize preview)
{
    const QPoint corner = CentredPreviewFrame(preview, preview_->pos(), state_.frame.frameWidth,
                                              state_.frame.frameHeight);
    camera_.previewFrameX = corner.x();
    camera_.previewFrameY = corner.y();
}

void CameraWindow::placePreviewFrame()
{
    const PreviewFrameUnits u = PreviewFrameUnitsAt({camera_.previewFrameX, camera_.previewFrameY},
                                                    state_.frame.frameWidth, state_.frame.frameHeight);
    framePanel_->setGeometry(u.panel);
    bars_[0]->setGeometry(u.topBar);
    bars_[1]->setGeometry(u.bottomBar);
    bars_[2]->setGeometry(u.leftBar);
    bars_[3]->setGeometry(u.rightBar);
}

void CameraWindow::measureDeviceAspect()
{
    const QImage frame = device_.currentFrame();
    if (frame.width() <= 0 || frame.height() <= 0)
        return;
    const double aspect = double(frame.height()) / frame.width();
    if (std::abs(aspect - camera_.deviceAspect) > kTolerance)
        camera_.deviceAspect = aspect;
}

void CameraWindow::resizeToPreview(PreviewSize preview, bool storeSize)
{
    const QSize client = CameraClientForPreview(preview);
    if (storeSize) {
        camera_.lastCameraWidth = client.width();
        camera_.lastCameraHeight = client.height();
    }
    resize(client);
    layoutUnits(preview);
}

void CameraWindow::layoutUnits(PreviewSize preview)
{
    const CameraLayout l = LayoutCameraWindow(preview);
    group_->setGeometry(l.group);
    preview_->setGeometry(l.captureControl);
    fastBox_->setGeometry(l.checkBox);
    deviceButton_->setGeometry(l.deviceSettingsButton);
    formatButton_->setGeometry(l.videoFormatButton);
    fastSettingsButton_->setGeometry(l.fastSettingsButton);
    shootButton_->setGeometry(l.shootButton);
    moveButtons_[0]->setGeometry(l.upButton);
    moveButtons_[1]->setGeometry(l.downButton);
    moveButtons_[2]->setGeometry(l.leftButton);
    moveButtons_[3]->setGeometry(l.rightButton);
}

void CameraWindow::applyResizeRule()
{
    const PreviewResize r = ResizePreview(size(), {camera_.lastCameraWidth, camera_.lastCameraHeight},
                                          camera_.deviceAspect);
    resizeToPreview(r.preview, true);
    centrePreviewFrame(r.preview);
    placePreviewFrame();
}

void CameraWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (camera_.cameraInitialising)
        return;
    // The size the program set itself is already laid out; only the user's
    // own resizing snaps the window back to the device's aspect.
    if (size() == QSize(camera_.lastCameraWidth, camera_.lastCameraHeight))
        layoutUnits(PreviewForCameraClient(size()));
    else
        applyResizeRule();
}

void CameraWindow::onDeviceSettings()
{
    QStringList names;
    const QStringList devices = device_.deviceNames();
    for (int i = 0; i < devices.size(); ++i)
        names << QStringLiteral("%1. %2").arg(i + 1).arg(devices[i]);
    const int current = device_.currentDevice() >= 1 ? device_.currentDevice() - 1 : int(devices.size()) - 1;
    const std::optional<int> chosen =
        dialogs_.chooseItem(QStringLiteral("设备参数"), QStringLiteral("摄像头："), names, current);
    if (chosen && *chosen >= 0 && *chosen < devices.size()) {
        const bool already = *chosen + 1 == device_.currentDevice();
        if (already || device_.connectDevice(*chosen + 1)) {
            if (!already)
                preview_->showFrame(device_.currentFrame());
            // Chosen for the rest of the run and the next one.
            camera_.device.chosenDevice = devices[*chosen];
            WriteSetting(state_.main.settingsFolder, kCameraSection, SettingKey::chosenCamera, devices[*chosen]);
        }
    }
    afterDeviceDialog();
}

void CameraWindow::onVideoFormat()
{
    const QList<CaptureFormat> formats = device_.formats();
    QStringList items;
    for (const CaptureFormat& f : formats) {
        const QString rate = qFuzzyCompare(f.minFrameRate, f.maxFrameRate)
                                 ? QString::number(f.maxFrameRate, 'g', 4)
                                 : QStringLiteral("%1–%2").arg(f.minFrameRate, 0, 'g', 4).arg(f.maxFrameRate, 0, 'g', 4);
        items << QStringLiteral("%1 × %2，%3 帧/秒").arg(f.size.width()).arg(f.size.height()).arg(rate);
    }
    if (!items.isEmpty()) {
        const std::optional<int> chosen = dialogs_.chooseItem(QStringLiteral("视频格式"), QStringLiteral("画面大小和帧率："),
                                                              items, std::max(device_.currentFormat(), 0));
        if (chosen && *chosen >= 0 && *chosen != device_.currentFormat() && device_.chooseFormat(*chosen))
            preview_->showFrame(device_.currentFrame());
    }
    afterDeviceDialog();
}

// After either device dialog the aspect is read again and the window takes
// the height that it gives for its width.
void CameraWindow::afterDeviceDialog()
{
    if (device_.currentDevice() < 1) {
        showConnected(false);
        return;
    }
    measureDeviceAspect();
    applyResizeRule();
}

QImage CameraWindow::framedPixels()
{
    const QRect area(QPoint(camera_.previewFrameX, camera_.previewFrameY) - preview_->pos(),
                     QSize(state_.frame.frameWidth, state_.frame.frameHeight));
    return preview_->pixelsIn(area, palette().color(QPalette::Window));
}

QImage CameraWindow::deviceFrame() const
{
    return device_.currentFrame();
}

bool CameraWindow::eventFilter(QObject* watched, QEvent* event)
{
    for (QLabel* bar : bars_) {
        if (watched == bar && dragBar(event))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// A left press on a bar drags the preview frame, kept within the group; the
// bar holds the mouse until the button goes up.
bool CameraWindow::dragBar(QEvent* event)
{
    const QMouseEvent* mouse = AsMouseEvent(event);
    if (!mouse)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton)
            return false;
        follow_->stopByUser();
        camera_.frameDragActive = true;
        camera_.dragStartFrameX = camera_.previewFrameX;
        camera_.dragStartFrameY = camera_.previewFrameY;
        camera_.dragStartMouseX = mouse->globalPosition().toPoint().x();
        camera_.dragStartMouseY = mouse->globalPosition().toPoint().y();
        return true;
    case QEvent::MouseMove: {
        if (!camera_.frameDragActive)
            return false;
        const QPoint mouseAt = mouse->globalPosition().toPoint();
        const QPoint wanted(mouseAt.x() - camera_.dragStartMouseX + camera_.dragStartFrameX,
                            mouseAt.y() - camera_.dragStartMouseY + camera_.dragStartFrameY);
        const QPoint at = LimitPreviewFrameDrag(wanted, group_->size(), state_.frame.frameWidth,
                                                state_.frame.frameHeight);
        camera_.previewFrameX = at.x();
        camera_.previewFrameY = at.y();
        placePreviewFrame();
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (mouse->button() != Qt::LeftButton)
            return false;
        endDrag();
        return true;
    default:
        return false;
    }
}

void CameraWindow::endDrag()
{
    camera_.frameDragActive = false;
}

void CameraWindow::closeEvent(QCloseEvent* event)
{
    tearDown();
    QWidget::closeEvent(event);
}
