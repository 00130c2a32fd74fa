#pragma once
// Handing a file or a web address to the system's default application.
#include <QString>
#include <QUrl>

class Desktop {
public:
    virtual ~Desktop() = default;
    // False when nothing could be started for it.
    virtual bool openFile(const QString& path) = 0;
    virtual bool openUrl(const QUrl& address) = 0;
};
