#pragma once
// Decoding pictures for the view: JPEG through libjpeg-turbo, BMP, GIF and PNG
// through Qt's readers. The format is taken from the content, not the name.
// Every result is an opaque 32-bit picture; transparent parts are laid on
// white. A picture that cannot be decoded, or is larger than the program
// takes, gives a null image.
#include <QByteArray>
#include <QImage>
#include <QString>

QImage decodeImageBytes(const QByteArray& bytes);
QImage decodeImageFile(const QString& path);

// The picture as an opaque 32-bit image, transparent parts laid on white.
QImage opaqueOnWhite(const QImage& image);
