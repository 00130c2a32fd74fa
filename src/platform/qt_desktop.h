#pragma once
// The system's default applications, through QDesktopServices.
#include "platform/desktop.h"

class QtDesktop final : public Desktop {
public:
    bool openFile(const QString& path) override;
    bool openUrl(const QUrl& address) override;
};
