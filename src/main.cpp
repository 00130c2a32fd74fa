#include "app/application.h"
#include "camera/capture_devices.h"
#include "state/app_state.h"
#include "workspace/qt_clipboard.h"
#include "platform/capture_device.h"
#include "platform/clock.h"
#include "platform/large_blocks.h"
#include "platform/qt_desktop.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_sound_player.h"

#include "imaging/opencv_face_finder.h"
#include "unattended/framing_command.h"

#include <QApplication>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {

// The unattended batch, --help and --version: no window, and no display needed.
int RunWithoutWindow(int argc, char* argv[], const FramingArguments& arguments)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("idphoto"));
    QCoreApplication::setApplicationVersion(QStringLiteral(IDPHOTO_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const SystemClock clock;
    return RunFramingCommand(arguments, MakeSystemFaceFinder, clock, out, err, isatty(STDERR_FILENO) == 1);
}

} // namespace

int main(int argc, char* argv[])
{
    ReturnLargeBlocksWhenFreed();
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words.append(QString::fromLocal8Bit(argv[i]));
    const FramingArguments arguments = ReadFramingArguments(words, QThread::idealThreadCount());
    if (arguments.kind != FramingArguments::Kind::Window)
        return RunWithoutWindow(argc, argv, arguments);

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
    OpenCommandLinePicture(window, words);
    return QApplication::exec();
}
