#pragma once
#include <QString>

inline const QString kSettingsFolderName = QStringLiteral("头像采集设置");

// Whether the program's folder is an installed one: the bin folder of a
// prefix whose share/applications holds the program's desktop entry (a
// package or cmake --install). An installed program never writes beside
// itself, even where it could (root under /usr).
bool IsInstalledProgramFolder(const QString& programFolder);

// The folder that keeps set.dll, the task file and the work files: beside the
// program when that folder can be written and is no installed one (a
// portable copy), otherwise in the per-user data folder. The folder is created when missing. When neither can
// be created the returned path does not exist; reads there find nothing and
// the program runs with its defaults.
QString PrepareSettingsFolder(const QString& programFolder, const QString& userDataFolder);

// The folder that holds the program, for what the program keeps beside
// itself (the help page): that folder when it can be written and is no
// installed one, otherwise the
// per-user data folder, created when missing; the settings folder's rule.
// When neither can be written, the program's folder.
QString WritableProgramFolder(const QString& programFolder, const QString& userDataFolder);
