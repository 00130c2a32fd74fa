#include "camera/face_follow.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

FaceFollow::FaceFollow(Find find) : find_(std::move(find)) {}

FaceFollow::~FaceFollow()
{
    // A search under way ends on its own; it holds nothing of this object.
    if (search_)
        search_->drop();
}

std::optional<QPoint> FaceFollow::pictureArrived(const QImage& picture, PreviewSize preview, QSize frame,
                                                 QPoint current)
{
    if (stopped_)
        return std::nullopt;
    collect();
    if (picturesToSearch_ > 0)
        --picturesToSearch_;
    if (!search_ && picturesToSearch_ == 0 && !picture.isNull()) {
        search_ = WorkAhead<FaceResult>::start([find = find_, picture] { return find(picture); });
        searchedSize_ = picture.size();
        picturesToSearch_ = kPicturesPerFaceSearch;
    }
    if (heads_.empty())
        return std::nullopt;

    // Each head is placed for the frame and preview of now: a frame resized
    // since it was found still gets the right place.
    std::vector<int> xs;
    std::vector<int> ys;
    for (const SeenHead& seen : heads_) {
        if (const auto at = PreviewFrameOnHead(seen.head, seen.picture, preview, frame.width(), frame.height())) {
            xs.push_back(at->x());
            ys.push_back(at->y());
        }
    }
    if (xs.empty())
        return std::nullopt;
    const auto median = [](std::vector<int>& v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    const QPoint target(median(xs), median(ys));
    if (std::abs(target.x() - current.x()) <= kFollowDeadBand && std::abs(target.y() - current.y()) <= kFollowDeadBand)
        return std::nullopt;
    return target;
}

void FaceFollow::collect()
{
    if (!search_ || !search_->ready())
        return;
    const FaceResult found = search_->take();
    search_.reset();
    if (searchUnheeded_) {
        searchUnheeded_ = false;
        return;
    }
    ++searchesTaken_;
    // No face (the sitter stepped away) leaves the frame where it is.
    if (found.finding != FaceFinding::Found)
        return;
    heads_.push_back({found.head, searchedSize_});
    while (int(heads_.size()) > kFollowedHeads)
        heads_.pop_front();
}

void FaceFollow::pause()
{
    collect();
    if (search_ && search_->drop())
        search_.reset();
    else if (search_)
        searchUnheeded_ = true;
    heads_.clear();
    picturesToSearch_ = 0;
}

void FaceFollow::stopByUser()
{
    stopped_ = true;
    pause();
}

void FaceFollow::restart()
{
    stopped_ = false;
    pause();
}
