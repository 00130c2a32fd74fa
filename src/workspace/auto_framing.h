#pragma once
// Automatic framing of the shown picture: the head is found on a small copy
// of the picture, the framing rule gives the view scale and the frame's place
// for the frame's size, and the view takes them. The finder is handed in: one
// finder serves one thread at a time.
#include "imaging/face_finder.h"
#include "state/app_state.h"
#include "workspace/workspace.h"

#include <QImage>
#include <QString>

enum class AutoFraming { Framed, NoPicture, NoFace, SeveralFaces, TooSmall, Unavailable };

// The finder looks at a copy at most this long on its long side: enough for a
// portrait's face, and the cost stays the same for a 24-MP photo.
inline constexpr int kFinderLongSide = 800;

// Finds the head of `picture` on a copy reduced to kFinderLongSide (never
// enlarged), and gives it in `picture`'s own pixels.
FaceResult FindHead(FaceFinder& finder, const QImage& picture);

// The same with a finder of the calling thread's own, made at its first use;
// for work done ahead on the thread pool.
FaceResult FindHeadOnThisThread(const QImage& picture);

// Frames the current picture around `face` (found in currentPicture's
// pixels): sets the view scale, the scroll ratios and the frame's place,
// and renders the view. Anything but Framed leaves the view as it was.
AutoFraming FrameAroundFace(AppState& state, Workspace& ws, const FaceResult& face);

// The head found ahead for the current picture when there is one, else found
// now; then framed as above.
AutoFraming FrameCurrentPicture(AppState& state, Workspace& ws, FaceFinder& finder);

// What the user is told when the picture was not framed; empty for Framed.
QString AutoFramingMessage(AutoFraming outcome);
