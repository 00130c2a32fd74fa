#pragma once
#include "platform/clipboard.h"

class QtClipboard final : public Clipboard {
public:
    QByteArray bitmapAsBmpFile() override;
    void setBitmap(const QImage& image) override;
};
