#pragma once
// Records what the program asked the system to open.
#include "platform/desktop.h"

#include <QList>
#include <QStringList>

class FakeDesktop final : public Desktop {
public:
    bool openFile(const QString& path) override
    {
        openedFiles.append(path);
        return succeeds;
    }
    bool openUrl(const QUrl& address) override
    {
        openedUrls.append(address);
        return succeeds;
    }

    QStringList openedFiles;
    QList<QUrl> openedUrls;
    bool succeeds = true;
};
