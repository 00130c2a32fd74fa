#pragma once
// The program's main window for the benchmarks that drive it, over the real
// clipboard, sound, clock and desktop and the benchmarks' dialogs, with its
// settings and the user's folder under `folder`.
#include "app/main_window.h"
#include "bench_dialogs.h"
#include "platform/clock.h"
#include "workspace/qt_clipboard.h"
#include "platform/qt_desktop.h"
#include "platform/qt_sound_player.h"

#include <QDir>

struct BenchWindow {
    explicit BenchWindow(const QString& folder, CaptureDeviceMaker makeCamera = {})
        : window(state, PlatformServices{dialogs, clipboard, sound, clock, desktop, std::move(makeCamera)},
                 {QDir(folder).filePath(QStringLiteral("program")), QDir(folder).filePath(QStringLiteral("user"))})
    {
        window.show();
    }

    AppState state;
    BenchDialogs dialogs;
    QtClipboard clipboard;
    QtSoundPlayer sound;
    SystemClock clock;
    QtDesktop desktop;
    MainWindow window;
};
