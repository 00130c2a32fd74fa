// One QApplication for the whole test program, on the off-screen platform
// unless the caller chose another.
#include "app/application.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    prepareApplication(app);
    return RUN_ALL_TESTS();
}
