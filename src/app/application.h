#pragma once
#include "app/main_window.h"

class QApplication;

// Application-wide set-up: names, the Chinese translations of Qt's standard
// buttons and dialogs, and a font that has the Chinese characters.
void prepareApplication(QApplication& app);

// The program's folder and the per-user data folder of this machine.
StartupEnvironment currentEnvironment();
