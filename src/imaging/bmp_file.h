#pragma once
// 24-bit uncompressed BMP files in memory: 14-byte file header, 40-byte info
// header, bottom-up rows padded to four bytes: the BMP output files, and the
// form clipboard pictures travel in.
#include <QByteArray>
#include <QImage>

QByteArray encodeBmp24(const QImage& image);
