#pragma once
#include "app/main_window.h"

class QApplication;

// Application-wide set-up: names, the Chinese translations of Qt's standard
// buttons and dialogs, and a font that has the Chinese characters.
void prepareApplication(QApplication& app);

// A picture named on the command line ("Open with" from the desktop) opens
// as a dropped file does, with its messages; the view shows one picture at a
// time, so the first of `words` is taken. Nothing for no words.
void OpenCommandLinePicture(MainWindow& window, const QStringList& words);

// The program's folder and the per-user data folder of this machine.
StartupEnvironment currentEnvironment();
