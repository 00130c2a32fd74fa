#include "imaging/jpeg_encodings_ahead.h"

#include "imaging/jpeg_encoder.h"

#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <future>

struct JpegEncodingsAhead::Encoding {
    int quality = 0;
    // Whoever sets this first encodes: the second thread, or the calling one
    // when the second has not started (a busy pool, or no thread to be had).
    std::atomic<bool> claimed{false};
    std::promise<QByteArray> promise;
    std::shared_future<QByteArray> file = promise.get_future().share();
};

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
        encoding->claimed.exchange(true);
}

QByteArray JpegEncodingsAhead::encode(int quality)
{
    const bool walkingUp = last_ >= 0 && quality > last_;
    last_ = quality;
    const auto held = ahead_.find(quality);
    if (held != ahead_.end()) {
        const std::shared_ptr<Encoding> encoding = held->second;
        ahead_.erase(held);
        if (encoding->claimed.exchange(true))
            return encoding->file.get();
        // Not started: encoded here after all.
        return here_->encode(picture_, quality);
    }
    startAhead(walkingUp ? quality + 1 : quality - 5);
    return here_->encode(picture_, quality);
}

void JpegEncodingsAhead::startAhead(int quality)
{
    if (!looksAhead_ || quality < 0 || quality > 100 || ahead_.count(quality) != 0)
        return;
    auto encoding = std::make_shared<Encoding>();
    encoding->quality = quality;
    ahead_[quality] = encoding;
    QThreadPool::globalInstance()->start([encoding, picture = picture_] {
        if (encoding->claimed.exchange(true))
            return;
        JpegEncoder encoder;
        encoding->promise.set_value(encoder.encode(picture, encoding->quality));
    });
}
