#include "platform/qt_desktop.h"

#include <QDesktopServices>

bool QtDesktop::openFile(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDesktop::openUrl(const QUrl& address)
{
    return QDesktopServices::openUrl(address);
}
