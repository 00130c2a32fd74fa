#include "imaging/jpeg_encodings_ahead.h"

#include "imaging/jpeg_encoder.h"

#include <QThread>


JpegEncodingsAhead::JpegEncodingsAhead(QImage picture)
    : picture_(std::move(picture)), here_(std::make_unique<JpegEncoder>()),
      looksAhead_(QThread::idealThreadCount() > 1)
{
}

JpegEncodingsAhead::~JpegEncodingsAhead()
{
    // An encoding ahead that has not started is not wanted any more; one
    // under way finishes on its own, with its own copy of the picture.
    for (const auto& [quality, encoding] : ahead_)
        encoding->drop();
}

QByteArray JpegEncodingsAhead::encode(int quality)
{
    const bool walkingUp = last_ >= 0 && quality > last_;
    last_ = quality;
    const auto held = ahead_.find(quality);
    if (held != ahead_.end()) {
        const std::shared_ptr<WorkAhead<QByteArray>> encoding = held->second;
        ahead_.erase(held);
        return encoding->take();
    }
    startAhead(walkingUp ? quality + 1 : quality - 5);
    return here_->encode(picture_, quality);
}

void JpegEncodingsAhead::startAhead(int quality)
{
    if (!looksAhead_ || quality < 0 || quality > 100 || ahead_.count(quality) != 0)
        return;
    // Its own encoder: the one here is busy meanwhile.
    ahead_[quality] = WorkAhead<QByteArray>::start(
        [picture = picture_, quality] { return JpegEncoder().encode(picture, quality); });
}
