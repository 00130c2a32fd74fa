#include "state/settings_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

static bool canWriteInto(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".write-probe-XXXXXX")));
    return probe.open();
}

static bool ensureFolder(const QString& folder)
{
    return QDir().mkpath(folder) && QFileInfo(folder).isDir() && canWriteInto(folder);
}

bool IsInstalledProgramFolder(const QString& programFolder)
{
    return QFileInfo(QDir(programFolder).filePath(QStringLiteral("../share/applications/cn.licheng.idphoto.desktop")))
        .isFile();
}

QString PrepareSettingsFolder(const QString& programFolder, const QString& userDataFolder)
{
    const QString besideProgram = QDir(programFolder).filePath(kSettingsFolderName);
    if (!IsInstalledProgramFolder(programFolder) && ensureFolder(besideProgram))
        return QDir::cleanPath(besideProgram);
    const QString perUser = QDir(userDataFolder).filePath(kSettingsFolderName);
    if (ensureFolder(perUser))
        return QDir::cleanPath(perUser);
    return QDir::cleanPath(besideProgram);
}

QString WritableProgramFolder(const QString& programFolder, const QString& userDataFolder)
{
    if (QFileInfo(programFolder).isDir() && !IsInstalledProgramFolder(programFolder) && canWriteInto(programFolder))
        return programFolder;
    if (ensureFolder(userDataFolder))
        return userDataFolder;
    return programFolder;
}
