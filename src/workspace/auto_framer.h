#pragma once
// The automatic framing of the window: 自动取景 on the user's command, and
// "打开图片时自动取景", the framing of each picture as it arrives (kept in
// set.dll). A picture that cannot be framed is told in a message on the
// command and in the status bar on arrival, so that a batch run is never
// interrupted; either way the view stays as it was. When pictures are not
// framed on arrival, the head is still looked for as each one arrives, off
// the GUI thread, so that the command finds it known and only frames.
#include "imaging/face_finder.h"
#include "platform/work_ahead.h"
#include "state/app_state.h"
#include "workspace/workspace.h"

#include <QObject>

#include <functional>
#include <memory>

class Dialogs;

inline const QString kFramingSection = QStringLiteral("自动取景");
inline const QString kFrameOnArrivalKey = QStringLiteral("打开图片时自动取景");

class AutoFramer : public QObject {
    Q_OBJECT
public:
    // Reads whether pictures are framed on arrival from the settings folder.
    AutoFramer(AppState& state, Workspace& ws, Dialogs& dialogs, FaceFinderMaker makeFinder, QObject* parent);
    ~AutoFramer() override;

    void frameOnCommand();
    void frameOnArrival();
    void setFrameOnArrival(bool on);

signals:
    // The view took a new scale and frame place: it is shown again.
    void framed();
    void hint(const QString& text);

private:
    FaceFinder& finder();
    void searchAhead();
    void takeSearchAhead();

    AppState& state_;
    Workspace& ws_;
    Dialogs& dialogs_;
    FaceFinderMaker makeFinder_;
    std::unique_ptr<FaceFinder> finder_; // made at the first framing
    // The search started on arrival, on the thread pool, with a finder of its
    // own that one search uses at a time (made at the first).
    struct AheadFinder;
    std::shared_ptr<AheadFinder> aheadFinder_;
    std::shared_ptr<WorkAhead<FaceResult>> ahead_;
    qint64 aheadFor_ = 0; // the cacheKey of the picture searched
};
