#include "workspace/auto_framing.h"

#include "imaging/opencv_face_finder.h"
#include "state/program_texts.h"
#include "workspace/head_framing.h"
#include "workspace/view_geometry.h"
#include "workspace/view_render.h"

#include <memory>

FaceResult FindHead(FaceFinder& finder, const QImage& picture)
{
    if (picture.isNull())
        return {};
    const int longSide = std::max(picture.width(), picture.height());
    if (longSide <= kFinderLongSide)
        return finder.find(picture);
    const QImage copy = picture.scaled(picture.size() * (double(kFinderLongSide) / longSide), Qt::KeepAspectRatio,
                                       Qt::SmoothTransformation);
    FaceResult result = finder.find(copy);
    if (result.finding == FaceFinding::Found)
        result.head = ScaledHeadMeasure(result.head, double(picture.width()) / copy.width(),
                                        double(picture.height()) / copy.height());
    return result;
}

FaceResult FindHeadOnThisThread(const QImage& picture)
{
    thread_local std::unique_ptr<OpenCvFaceFinder> finder;
    if (!finder)
        finder = std::make_unique<OpenCvFaceFinder>();
    return FindHead(*finder, picture);
}

AutoFraming FrameAroundFace(AppState& state, Workspace& ws, const FaceResult& face)
{
    ViewState& v = state.view;
    if (!v.imageLoaded)
        return AutoFraming::NoPicture;
    switch (face.finding) {
    case FaceFinding::Found: break;
    case FaceFinding::NoFace: return AutoFraming::NoFace;
    case FaceFinding::SeveralFaces: return AutoFraming::SeveralFaces;
    case FaceFinding::Unavailable: return AutoFraming::Unavailable;
    }
    // The rule frames the whole picture; the current one may be a reduced copy.
    const QSize whole = PictureSize(v);
    const HeadMeasure head = ScaledHeadMeasure(face.head, double(whole.width()) / v.currentPicture.width(),
                                               double(whole.height()) / v.currentPicture.height());
    FrameState& f = state.frame;
    const auto framing = FrameHead(head, QSize(f.frameWidth, f.frameHeight), whole);
    if (!framing)
        return AutoFraming::NoFace;
    if (framing->tooEnlarged)
        return AutoFraming::TooSmall;
    const QSize scaled = ScaledSize(whole, framing->scale);
    if (!ScaledSizeAllowed(scaled))
        return AutoFraming::TooSmall;
    const QSize view = ws.image.size();
    const FramedAxis across = PlaceFrameOnAxis(scaled.width(), view.width(), framing->frameTopLeft.x(), f.frameLeft);
    const FramedAxis down = PlaceFrameOnAxis(scaled.height(), view.height(), framing->frameTopLeft.y(), f.frameTop);
    v.viewScale = framing->scale;
    v.scrollRatioX = across.scrollRatio;
    v.scrollRatioY = down.scrollRatio;
    f.frameLeft = across.frameInView;
    f.frameTop = down.frameInView;
    RenderView(state, ws);
    return AutoFraming::Framed;
}

AutoFraming FrameCurrentPicture(AppState& state, Workspace& ws, FaceFinder& finder)
{
    ViewState& v = state.view;
    if (!v.imageLoaded)
        return AutoFraming::NoPicture;
    // A turn, a drawing baked in or the whole picture swapped in make another picture.
    const bool known = v.faceAhead && v.faceFor == v.currentPicture.cacheKey();
    const FaceResult face = known ? *v.faceAhead : FindHead(finder, v.currentPicture);
    // A second framing of the same picture needs no second search; a finder
    // that could not work is asked again.
    if (face.finding != FaceFinding::Unavailable) {
        v.faceAhead = face;
        v.faceFor = v.currentPicture.cacheKey();
    }
    return FrameAroundFace(state, ws, face);
}

QString AutoFramingMessage(AutoFraming outcome)
{
    switch (outcome) {
    case AutoFraming::Framed: return {};
    case AutoFraming::NoPicture: return kNoPictureMessage;
    case AutoFraming::NoFace: return QStringLiteral("未能识别到人脸，请手动调整采集框。");
    case AutoFraming::SeveralFaces: return QStringLiteral("图片中有多张大小相近的人脸，请手动调整采集框。");
    case AutoFraming::TooSmall: return HeadTooSmallMessage();
    case AutoFraming::Unavailable: return QStringLiteral("缺少人脸识别数据文件（opencv-data），无法自动取景。");
    }
    return {};
}
