#include "platform/desktop_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString DesktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return !desktop.isEmpty() && QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}
