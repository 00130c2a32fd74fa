#include "workspace/qt_clipboard.h"

#include "imaging/bmp_file.h"
#include "imaging/image_decoder.h"
#include "imaging/image_limits.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QByteArray QtClipboard::bitmapAsBmpFile()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasImage())
        return {};
    const QImage image = clipboard->image();
    if (image.isNull() || !pictureSizeAllowed(image.size()))
        return {};
    return encodeBmp24(opaqueOnWhite(image));
}

void QtClipboard::setBitmap(const QImage& image)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
        clipboard->setImage(image);
    }
}
