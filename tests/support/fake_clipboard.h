#pragma once
#include "platform/clipboard.h"

// A clipboard of the test's own: what is offered, and what was put on it.
class FakeClipboard final : public Clipboard {
public:
    QByteArray bitmapAsBmpFile() override { return offered; }
    void setBitmap(const QImage& image) override
    {
        placed = image;
        ++placements;
    }

    QByteArray offered;
    QImage placed;
    int placements = 0;
};
