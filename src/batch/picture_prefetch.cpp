#include "batch/picture_prefetch.h"

#include "imaging/image_decoder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <future>

namespace {

// What tells a file changed: a replaced or edited photo gets a new size or
// time of change.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified()};
}

} // namespace

struct PicturePrefetch::Entry {
    QString path;
    QSize viewSize;
    FileStamp stamp; // taken before the decode starts
    // Whoever sets this first decodes: the background task, or take() when
    // the task has not started (a busy pool, or one that cannot start threads).
    std::atomic<bool> claimed{false};
    std::promise<DecodedPicture> promise;
    std::shared_future<DecodedPicture> picture = promise.get_future().share();

    void decode() { promise.set_value(decodeImageFileReduced(path, viewSize)); }
};

namespace {

using Entry = PicturePrefetch::Entry;

std::shared_ptr<Entry> newEntry(const QString& path, QSize viewSize)
{
    auto entry = std::make_shared<Entry>();
    entry->path = path;
    entry->viewSize = viewSize;
    entry->stamp = stampOf(path);
    return entry;
}

} // namespace

DecodedPicture PicturePrefetch::take(const QString& path, QSize viewSize)
{
    const FileStamp now = stampOf(path);
    const auto held = std::find_if(entries_.begin(), entries_.end(), [&](const std::shared_ptr<Entry>& e) {
        return e->path == path && e->viewSize == viewSize && e->stamp == now && now.size >= 0;
    });
    std::shared_ptr<Entry> entry;
    if (held != entries_.end()) {
        entry = *held;
    } else {
        std::erase_if(entries_, [&](const std::shared_ptr<Entry>& e) { return e->path == path; });
        entry = newEntry(path, viewSize);
        entries_.push_back(entry);
    }
    if (!entry->claimed.exchange(true))
        entry->decode();
    return entry->picture.get();
}

void PicturePrefetch::keepOnly(const QStringList& paths, QSize viewSize)
{
    std::erase_if(entries_, [&](const std::shared_ptr<Entry>& e) {
        return !paths.contains(e->path) || e->viewSize != viewSize;
    });
    for (const QString& path : paths) {
        if (path.isEmpty() || holds(path))
            continue;
        std::shared_ptr<Entry> entry = newEntry(path, viewSize);
        entries_.push_back(entry);
        QThreadPool::globalInstance()->start([entry] {
            if (!entry->claimed.exchange(true))
                entry->decode();
        });
    }
}

void PicturePrefetch::clear()
{
    entries_.clear();
}

bool PicturePrefetch::holds(const QString& path) const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const std::shared_ptr<Entry>& e) { return e->path == path; });
}
