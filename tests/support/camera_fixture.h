#pragma once
// The main window with its camera: opening the camera window from the
// toolbar, its units by name, and pictures for the fake devices.
#include "camera/camera.h"
#include "camera/camera_window.h"
#include "support/main_window_fixture.h"
#include "workspace/spin_edit_box.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

class CameraFixture : public MainWindowFixture {
protected:
    // A picture whose every pixel differs from its neighbours, so that any
    // shift or scaling error shows.
    static QImage patternPicture(QSize size)
    {
        QImage picture(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                picture.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x * y) % 256));
        return picture;
    }

    // One camera showing `picture`.
    void plugCamera(const QImage& picture, const QString& name = QStringLiteral("USB 摄像头"))
    {
        camera->names.append(name);
        camera->pictures.append(picture);
    }

    // The toolbar's 拍摄.
    CameraWindow* openCamera()
    {
        for (QAction* action : unit<QToolBar>("工具条1")->actions()) {
            if (action->text() == QStringLiteral("拍摄"))
                action->trigger();
        }
        return cameraWindow();
    }

    CameraWindow* cameraWindow() { return window->cameraForTest()->windowForTest(); }

    template <typename T = QWidget>
    T* cameraUnit(const char* name)
    {
        CameraWindow* w = cameraWindow();
        return w ? w->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    }

    void shoot() { QTest::mouseClick(cameraUnit<QPushButton>("拍照按钮"), Qt::LeftButton); }

    // Sends `n` ticks of the camera window's move timer, one by one.
    void moveTicks(int n)
    {
        auto* timer = cameraWindow()->findChild<QTimer*>(QStringLiteral("拍图时钟"));
        ASSERT_NE(timer, nullptr);
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(timer->isActive());
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        }
    }

    void setFrameSize(int width, int height)
    {
        unit<SpinEditBox>("像素宽编辑框")->setText(QString::number(width));
        unit<SpinEditBox>("像素高编辑框")->setText(QString::number(height));
    }
};
