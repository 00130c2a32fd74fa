#pragma once
#include <QString>

// Where the file dialogs start: the user's desktop, or the home folder on a
// system without one.
QString DesktopFolder();
