#include "workspace/auto_framer.h"

#include "imaging/opencv_face_finder.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "state/settings.h"
#include "workspace/auto_framing.h"

std::unique_ptr<FaceFinder> MakeSystemFaceFinder()
{
    return std::make_unique<OpenCvFaceFinder>();
}

AutoFramer::AutoFramer(AppState& state, Workspace& ws, Dialogs& dialogs, FaceFinderMaker makeFinder,
                       QObject* parent)
    : QObject(parent), state_(state), ws_(ws), dialogs_(dialogs), makeFinder_(std::move(makeFinder))
{
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
    if (!state_.framing.onArrival || !state_.view.imageLoaded)
        return;
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
