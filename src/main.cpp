#include "app/application.h"
#include "app/app_state.h"
#include "platform/qt_dialogs.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);

    AppState state;
    QtDialogs dialogs;
    MainWindow window(state, dialogs, currentEnvironment());
    dialogs.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
