#pragma once
#include <QByteArray>
#include <QImage>

// Encodes a picture as a GIF file with a 256-colour palette chosen for it
// (median cut). Gives no data when the picture cannot be encoded.
QByteArray encodeGif(const QImage& image);
