#pragma once
// The help page kept next to the program, and the home page.
#include <QString>

class Desktop;
class Dialogs;

// Repairs the help page in `programFolder` from the copy built into the
// program and opens it in the default browser.
void ShowHelp(const QString& programFolder, Dialogs& dialogs, Desktop& desktop);
// The same for an installed copy too: the page is kept beside the program
// when that folder can be written, otherwise in the per-user data folder.
void ShowHelp(const QString& programFolder, const QString& userDataFolder, Dialogs& dialogs, Desktop& desktop);

// Opens the product's home page in the default browser.
void OpenHomePage(Desktop& desktop);
