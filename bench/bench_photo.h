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

// Further real photos beside the first, for benchmarks over several: photo
// n (0 is the one above) is the n-th other JPEG of its folder by name.
QImage benchPhoto(int n, QSize size);
QString benchPhotoSource(int n);

// The photo as a JPEG file of quality 92 in a temporary folder.
QString benchJpegFile(QSize size);

// A test portrait (tests/fixtures/portraits/<portrait>.jpg) scaled to the
// photo's height, standing in the middle of the benchmarks' photo, written
// once as a JPEG of quality 92 in a temporary folder.
QString facePhotoFile(const char* portrait, QSize size);

// Opens a file as the program does and shows it fitted in a view of the
// design size; returns the view panel so the work cannot be optimised away.
QImage openAndShowFitted(const QString& path);
