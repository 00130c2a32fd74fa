#pragma once
// The photo the benchmarks work on: a real photo when IDPHOTO_BENCH_PHOTO
// names one (scripts/bench.sh points it at a photo from Debian's
// mate-backgrounds), otherwise a generated picture with photo-like detail.
// Either way it is brought to the size asked for.
#include <QByteArray>
#include <QImage>
#include <QString>

QImage benchPhoto(QSize size);
QString benchPhotoSource();

// The photo as a JPEG file of quality 92 in a temporary folder.
QString benchJpegFile(QSize size);
