#pragma once
// A main window on the off-screen platform with fake dialogs and clipboard,
// its program and user folders in temporary folders.
#include "app/main_window.h"
#include "support/fake_capture_device.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_desktop.h"
#include "support/fake_dialogs.h"
#include "support/fake_sound_player.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { open(); }

    void open()
    {
        window.reset();
        pendingCamera = std::make_unique<FakeCaptureDevice>();
        camera = pendingCamera.get();
        state = AppState{};
        window = std::make_unique<MainWindow>(state, services(),
                                              StartupEnvironment{program.path(), userData.path()});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // The platform services, the camera made by makeCameraDevice when the
    // camera window first wants one.
    PlatformServices services()
    {
        return {dialogs, clipboard, sound, clock, desktop, [this] { return makeCameraDevice(); }};
    }

    // The fake device `camera`, with no cameras unless a test adds them
    // before the camera window opens; a test may make another device instead.
    std::function<std::unique_ptr<CaptureDevice>()> makeCameraDevice = [this] {
        return std::unique_ptr<CaptureDevice>(std::move(pendingCamera));
    };

    template <typename T = QWidget>
    T* unit(const char* name)
    {
        return window->findChild<T*>(QString::fromUtf8(name));
    }

    // The item of the menu 工具 with this text; null when there is none.
    QAction* toolsItem(const QString& text)
    {
        for (QAction* menu : window->menuBar()->actions()) {
            if (menu->text() != QStringLiteral("工具"))
                continue;
            for (QAction* item : menu->menu()->actions()) {
                if (item->text() == text)
                    return item;
            }
        }
        return nullptr;
    }

    // Opens a picture through 打开 and its (fake) file dialog.
    void openFile(const QString& path)
    {
        dialogs.fileAnswers = {path};
        window->openImageFile();
        ASSERT_TRUE(state.view.imageLoaded);
    }

    // Chooses a size type as the user does in the frame panel's list.
    void chooseSizeType(const QString& name)
    {
        auto* box = unit<QComboBox>("尺寸类型组合框");
        const int index = box->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    QRect geometryOf(const char* name)
    {
        QWidget* w = unit(name);
        return w ? w->geometry() : QRect();
    }

    TempFolder program;
    TempFolder userData;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeSoundPlayer sound;
    FakeClock clock;
    FakeDesktop desktop;
    AppState state;
    std::unique_ptr<FakeCaptureDevice> pendingCamera;
    FakeCaptureDevice* camera = nullptr;
    std::unique_ptr<MainWindow> window;
};
