#pragma once
// The batch walk's neighbours, decoded ahead: while the user frames one
// image, the next one and the one before are decoded in the background, so
// a step shows its picture without waiting for the decoder. A picture is
// used only for its file as it is now (same size and time of change) and for
// the view it was decoded for; anything else is decoded afresh.
#include "imaging/decoded_picture.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class PicturePrefetch {
public:
    PicturePrefetch() = default;
    PicturePrefetch(const PicturePrefetch&) = delete;
    PicturePrefetch& operator=(const PicturePrefetch&) = delete;

    // The picture of `path` for a view of `viewSize`: the one decoded ahead
    // when it is still good (waiting for it when its decode is under way),
    // decoded here otherwise. It is kept until keepOnly leaves it out.
    DecodedPicture take(const QString& path, QSize viewSize);

    // Keeps the pictures of `paths` for a view of `viewSize`, starting a
    // background decode for each not held yet, and forgets every other.
    void keepOnly(const QStringList& paths, QSize viewSize);

    // Forgets everything (a decode under way finishes unseen).
    void clear();

    // What a picture decoded ahead gets besides, in the background (its head
    // found, for framing on arrival); nothing when empty. Pictures already
    // held keep what they got.
    void setPreparation(std::function<void(DecodedPicture&)> prepare) { prepare_ = std::move(prepare); }

    // Whether a picture for `path` is held or being decoded; for tests.
    bool holds(const QString& path) const;

    struct Entry;

private:
    std::vector<std::shared_ptr<Entry>> entries_;
    std::function<void(DecodedPicture&)> prepare_;
};
