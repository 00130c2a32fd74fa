#include "batch/picture_prefetch.h"

#include "imaging/image_decoder.h"
#include "platform/work_ahead.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

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
    std::shared_ptr<WorkAhead<DecodedPicture>> picture;
};

namespace {

using Entry = PicturePrefetch::Entry;

// The entry for `path`, its decode made: started in the background with its
// preparation, or made here without (the caller waits for it now).
std::shared_ptr<Entry> newEntry(const QString& path, QSize viewSize, bool inBackground,
                                const std::function<void(DecodedPicture&)>& prepare)
{
    auto entry = std::make_shared<Entry>();
    entry->path = path;
    entry->viewSize = viewSize;
    entry->stamp = stampOf(path);
    if (!inBackground) {
        entry->picture = WorkAhead<DecodedPicture>::make([path, viewSize] { return decodeImageFileReduced(path, viewSize); });
        return entry;
    }
    entry->picture = WorkAhead<DecodedPicture>::start([path, viewSize, prepare] {
        DecodedPicture decoded = decodeImageFileReduced(path, viewSize);
        if (prepare && !decoded.picture.isNull())
            prepare(decoded);
        return decoded;
    });
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
        entry = newEntry(path, viewSize, false, nullptr);
        entries_.push_back(entry);
    }
    return entry->picture->take();
}

void PicturePrefetch::keepOnly(const QStringList& paths, QSize viewSize)
{
    std::erase_if(entries_, [&](const std::shared_ptr<Entry>& e) {
        const bool forgotten = !paths.contains(e->path) || e->viewSize != viewSize;
        if (forgotten)
            e->picture->drop(); // a decode not started yet never runs
        return forgotten;
    });
    for (const QString& path : paths) {
        if (!path.isEmpty() && !holds(path))
            entries_.push_back(newEntry(path, viewSize, true, prepare_));
    }
}

void PicturePrefetch::clear()
{
    for (const auto& e : entries_)
        e->picture->drop();
    entries_.clear();
}

bool PicturePrefetch::holds(const QString& path) const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const std::shared_ptr<Entry>& e) { return e->path == path; });
}
