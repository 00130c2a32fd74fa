#pragma once
// Fast capture's preview frame following the sitter's face, while
// "打开图片时自动取景" is ticked: each shot comes out framed without the user
// moving the frame. The head is looked for in one camera picture out of every
// few, on the thread pool and one search at a time; the frame goes where the
// last few heads found put it (the median of their places, PreviewFrameOnHead),
// and only when that is more than kFollowDeadBand pixels from where it stands,
// so that the frame of a sitter who keeps still stays still. A frame the user
// moves stays where the user put it until following starts afresh.
#include "camera/camera_geometry.h"
#include "imaging/face_finder.h"
#include "platform/work_ahead.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

// At 30 pictures a second, five searches a second at most.
inline constexpr int kPicturesPerFaceSearch = 6;
// The heads the frame's place is the median of.
inline constexpr int kFollowedHeads = 5;
// A change of place up to this many pixels on each axis is not followed.
inline constexpr int kFollowDeadBand = 2;

class FaceFollow {
public:
    // `find` looks for the head in a camera picture; it runs on the thread pool.
    using Find = std::function<FaceResult(const QImage&)>;
    explicit FaceFollow(Find find);
    ~FaceFollow();
    FaceFollow(const FaceFollow&) = delete;
    FaceFollow& operator=(const FaceFollow&) = delete;

    // A camera picture while following is wanted. The frame is
    // frame.width() × frame.height() and stands at `current` (group
    // coordinates) over a preview of `preview`. Gives the corner the frame
    // is to move to, if it is to move.
    std::optional<QPoint> pictureArrived(const QImage& picture, PreviewSize preview, QSize frame, QPoint current);

    // Following is not wanted now (the option or fast capture off, no
    // camera): the heads seen are forgotten and a search not yet started
    // never runs. One already under way is let finish, unheeded, before
    // the next starts.
    void pause();
    // The user moved the frame: no following until restart().
    void stopByUser();
    // Fast capture was switched on: following starts afresh.
    void restart();

    bool stoppedByUser() const { return stopped_; }
    // The searches whose results were taken, found or not.
    int searchesTaken() const { return searchesTaken_; }

private:
    struct SeenHead {
        HeadMeasure head;
        QSize picture; // the size of the picture it was found in
    };

    // Takes the result of a search that has ended.
    void collect();

    Find find_;
    std::shared_ptr<WorkAhead<FaceResult>> search_;
    QSize searchedSize_;
    bool searchUnheeded_ = false;
    int picturesToSearch_ = 0;
    std::deque<SeenHead> heads_;
    bool stopped_ = false;
    int searchesTaken_ = 0;
};
