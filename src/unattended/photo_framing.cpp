#include "unattended/photo_framing.h"

#include "imaging/image_decoder.h"
#include "workspace/auto_framing.h"
#include "workspace/head_framing.h"
#include "workspace/output_resolution.h"
#include "workspace/picture_scaling.h"
#include "workspace/view_geometry.h"

#include <QPainter>

#include <cmath>

namespace {

PhotoFraming OutcomeOf(FaceFinding finding)
{
    switch (finding) {
    case FaceFinding::Found: return PhotoFraming::Framed;
    case FaceFinding::NoFace: return PhotoFraming::NoFace;
    case FaceFinding::SeveralFaces: return PhotoFraming::SeveralFaces;
    case FaceFinding::Unavailable: return PhotoFraming::Unavailable;
    }
    return PhotoFraming::NoFace;
}

// The head in the whole picture's pixels, looked for on `decoded`.
FaceResult FindHeadIn(const DecodedPicture& decoded, FaceFinder& finder)
{
    FaceResult face = FindHead(finder, decoded.picture);
    if (face.finding == FaceFinding::Found)
        face.head = ScaledHeadMeasure(face.head, double(decoded.fullSize.width()) / decoded.picture.width(),
                                      double(decoded.fullSize.height()) / decoded.picture.height());
    return face;
}

// The frame's pixels of the picture scaled to `scaled`, blank (white) where
// the frame reaches past the picture, as the main window captures them.
QImage CropOf(const QImage& picture, QSize scaled, const QRect& frame)
{
    const PictureLevels levels = LevelsFor(picture, scaled);
    QImage out(frame.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    const QRect onPicture = frame & QRect(QPoint(0, 0), scaled);
    const QImage part = ScaledRegion(levels, scaled, onPicture);
    if (!part.isNull()) {
        QPainter painter(&out);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(onPicture.topLeft() - frame.topLeft(), part);
    }
    return out;
}

} // namespace

FramedPhoto FramePhotoBytes(const QByteArray& fileBytes, QSize output, FaceFinder& finder)
{
    FramedPhoto result;
    const QSize least(kFirstDecodeSide, kFirstDecodeSide);
    DecodedPicture small = decodeImageBytesReduced(fileBytes, least);
    if (small.picture.isNull())
        return result;
    FaceResult face = FindHeadIn(small, finder);
    if (face.finding == FaceFinding::NoFace && small.reduction > 1) {
        // A small face may show on a finer decode.
        DecodedPicture finer = decodeImageBytesReduced(fileBytes, small.fullSize / (small.reduction / 2));
        if (!finer.picture.isNull()) {
            small = std::move(finer);
            face = FindHeadIn(small, finder);
        }
    }
    result.outcome = OutcomeOf(face.finding);
    if (face.finding != FaceFinding::Found)
        return result;
    const std::optional<HeadFraming> framing = FrameHead(face.head, output, small.fullSize);
    if (!framing) {
        result.outcome = PhotoFraming::NoFace;
        return result;
    }
    const QSize scaled = ScaledSize(small.fullSize, framing->scale);
    if (framing->tooEnlarged || !ScaledSizeAllowed(scaled)) {
        result.outcome = PhotoFraming::TooSmall;
        return result;
    }
    // The coarsest decode that still has a pixel for every output pixel.
    DecodedPicture fine = small;
    if (small.picture.width() < scaled.width() || small.picture.height() < scaled.height())
        fine = decodeImageBytesReduced(fileBytes, scaled);
    if (fine.picture.isNull()) {
        result.outcome = PhotoFraming::Unreadable;
        return result;
    }
    result.crop = WithOutputResolution(CropOf(fine.picture, scaled, QRect(framing->frameTopLeft, output)));
    return result;
}

QString PhotoFramingReason(PhotoFraming outcome)
{
    switch (outcome) {
    case PhotoFraming::Framed: return {};
    case PhotoFraming::Unreadable: return QStringLiteral("无法读取此图片文件");
    case PhotoFraming::NoFace: return QStringLiteral("未能识别到人脸");
    case PhotoFraming::SeveralFaces: return QStringLiteral("有多张大小相近的人脸");
    case PhotoFraming::TooSmall: return QStringLiteral("图片分辨率不足");
    case PhotoFraming::Unavailable: return QStringLiteral("缺少人脸识别数据文件");
    }
    return {};
}
