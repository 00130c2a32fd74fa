#pragma once
// The help page and its pictures as built into the program.
#include "help/help_files.h"

#include <QList>

// The page first, then every picture of its folder. The page carries the
// product's own values (the about text and the home page address) as the
// about box has them, so they are kept in one place.
QList<HelpFile> EmbeddedHelpFiles();
