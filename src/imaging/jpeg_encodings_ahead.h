#pragma once
// The JPEG files of one picture at the qualities the size search asks for,
// two at a time: while the calling thread encodes the quality asked for, a
// second thread encodes the one the search will most likely ask for next
// (five lower while it walks down, one higher while it walks up). Every file
// is exactly what a single encoder gives at that quality, so the search
// keeps the same quality and bytes; only its time shrinks. Without a second
// processor, or when no thread can be had, every file is encoded on the
// calling thread, and none is encoded in vain.
#include "platform/work_ahead.h"

#include <QByteArray>
#include <QImage>

#include <map>
#include <memory>

class JpegEncoder;

class JpegEncodingsAhead {
public:
    explicit JpegEncodingsAhead(QImage picture);
    ~JpegEncodingsAhead();
    JpegEncodingsAhead(const JpegEncodingsAhead&) = delete;
    JpegEncodingsAhead& operator=(const JpegEncodingsAhead&) = delete;

    // The file at `quality` (0..100).
    QByteArray encode(int quality);

    // Whether a second thread encodes ahead; false for a single processor.
    bool looksAhead() const { return looksAhead_; }

private:
    void startAhead(int quality);

    QImage picture_;
    std::unique_ptr<JpegEncoder> here_;
    std::map<int, std::shared_ptr<WorkAhead<QByteArray>>> ahead_;
    int last_ = -1;
    bool looksAhead_;
};
