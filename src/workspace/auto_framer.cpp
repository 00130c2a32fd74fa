#include "workspace/auto_framer.h"

#include "imaging/opencv_face_finder.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "state/settings.h"
#include "workspace/auto_framing.h"

#include <mutex>
#include <utility>

// Shared with the searches still running, which may outlive the window.
struct AutoFramer::AheadFinder {
    std::mutex lock;
    FaceFinderMaker make;
};

AutoFramer::AutoFramer(AppState& state, Workspace& ws, Dialogs& dialogs, FaceFinderMaker makeFinder,
                       QObject* parent)
    : QObject(parent), state_(state), ws_(ws), dialogs_(dialogs), makeFinder_(std::move(makeFinder)),
      aheadFinder_(std::make_shared<AheadFinder>())
{
    aheadFinder_->make = makeFinder_;
    state_.framing.onArrival =
        ReadSetting(state_.main.settingsFolder, kFramingSection, kFrameOnArrivalKey) == kTrueText;
}

AutoFramer::~AutoFramer() = default;

FaceFinder& AutoFramer::finder()
{
    if (!finder_)
        finder_ = makeFinder_();
    return *finder_;
}

void AutoFramer::frameOnCommand()
{
    WaitCursor wait;
    takeSearchAhead();
    const AutoFraming outcome = FrameCurrentPicture(state_, ws_, finder());
    wait.end();
    if (outcome == AutoFraming::Framed) {
        emit framed();
        return;
    }
    dialogs_.showMessage(QStringLiteral("提示"), AutoFramingMessage(outcome), MessageIcon::None, MessageButtons::Ok);
}

void AutoFramer::frameOnArrival()
{
    if (!state_.view.imageLoaded)
        return;
    if (!state_.framing.onArrival) {
        searchAhead();
        return;
    }
    const AutoFraming outcome = FrameCurrentPicture(state_, ws_, finder());
    if (outcome == AutoFraming::Framed)
        emit framed();
    else
        emit hint(AutoFramingMessage(outcome));
}

void AutoFramer::setFrameOnArrival(bool on)
{
    state_.framing.onArrival = on;
    WriteSetting(state_.main.settingsFolder, kFramingSection, kFrameOnArrivalKey, boolSettingText(on));
}

void AutoFramer::searchAhead()
{
    const ViewState& v = state_.view;
    const qint64 key = v.currentPicture.cacheKey();
    if (v.faceAhead && v.faceFor == key)
        return; // found with the picture's decode ahead
    if (ahead_)
        ahead_->drop(); // the picture before: its search is not wanted any more
    ahead_ = WorkAhead<FaceResult>::start([ahead = aheadFinder_, picture = v.currentPicture] {
        const std::lock_guard guard(ahead->lock);
        // A finder of its own for each search: a finder keeps the buffers of
        // its last search (megabytes beside the photo) until its next one.
        const std::unique_ptr<FaceFinder> finder = ahead->make();
        return FindHead(*finder, picture);
    });
    aheadFor_ = key;
}

// The result of the search ahead for the current picture, waited for when it
// is under way (done here when the pool has not started it); a search on a
// picture changed since is let go.
void AutoFramer::takeSearchAhead()
{
    if (!ahead_)
        return;
    const std::shared_ptr<WorkAhead<FaceResult>> ahead = std::exchange(ahead_, nullptr);
    ViewState& v = state_.view;
    if (aheadFor_ != v.currentPicture.cacheKey()) {
        ahead->drop();
        return;
    }
    const FaceResult face = ahead->take();
    if (face.finding != FaceFinding::Unavailable) {
        v.faceAhead = face;
        v.faceFor = aheadFor_;
    }
}
