#pragma once
// The system clipboard as the program uses it: bitmaps only.
#include <QByteArray>
#include <QImage>

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The offered bitmap as a complete BMP file, or no data when there is none.
    virtual QByteArray bitmapAsBmpFile() = 0;
    // Empties the clipboard and puts the picture on it.
    virtual void setBitmap(const QImage& image) = 0;
};
