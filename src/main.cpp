#include "app/application.h"
#include "camera/capture_devices.h"
#include "state/app_state.h"
#include "workspace/qt_clipboard.h"
#include "platform/capture_device.h"
#include "platform/clock.h"
#include "platform/qt_desktop.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_sound_player.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);

    AppState state;
    QtDialogs dialogs;
    QtClipboard clipboard;
    QtSoundPlayer sound;
    SystemClock clock;
    QtDesktop desktop;
    MainWindow window(state, PlatformServices{dialogs, clipboard, sound, clock, desktop, CreateCaptureDevice}, currentEnvironment());
    dialogs.setParentWindow(&window);
    QObject::connect(&window, &MainWindow::closed, &app, [] { QCoreApplication::exit(0); });
    window.show();
    return QApplication::exec();
}
