#include "workspace/image_import.h"

#include "imaging/image_decoder.h"
#include "workspace/picture_scaling.h"
#include "workspace/view_geometry.h"
#include "workspace/view_render.h"

#include <QDir>
#include <QStandardPaths>

QString OpenDialogStartFolder(const QString& lastOpenFolder)
{
    if (!lastOpenFolder.isEmpty())
        return lastOpenFolder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QDir(pictures).exists() ? pictures : QDir::homePath();
}

QString DropRefusal(const QStringList& paths)
{
    if (paths.size() > 1)
        return QStringLiteral("您同时拖放了%1个文件，请每次只拖放一个文件。").arg(paths.size());
    const QString path = paths.value(0);
    const QString extension = path.mid(path.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    static const QStringList accepted = {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                         QStringLiteral("gif"), QStringLiteral("png")};
    if (!accepted.contains(extension))
        return kWrongExtensionMessage;
    return {};
}

enum class ScrollRatios { Centre, Keep };

static bool takePicture(AppState& state, Workspace& ws, const DecodedPicture& decoded,
                        ScrollRatios ratios = ScrollRatios::Centre)
{
    ViewState& v = state.view;
    // A picture that could not be read changes nothing: the user's current
    // picture, perhaps retouched, stays as it was.
    if (decoded.picture.isNull())
        return false;
    v.currentPicture = decoded.picture;
    v.faceAhead = decoded.face;
    v.faceFor = v.currentPicture.cacheKey();
    v.reducedFrom = decoded.reduction > 1 ? decoded.fullSize : QSize();
    v.imageLoaded = true;
    if (ratios == ScrollRatios::Centre) {
        v.scrollRatioX = 0.5;
        v.scrollRatioY = 0.5;
    }
    v.viewScale = FitScale(PictureSize(v), ws.image.size());
    ws.hBar = {};
    ws.vBar = {};
    RenderView(state, ws);
    return true;
}

bool MakeCurrentImageFromFile(AppState& state, Workspace& ws, const QString& path)
{
    // The halved copies of the current picture go first, so they and the new
    // picture never take memory together; the picture itself stays until the
    // new one is read, and its copies are made again if the new one cannot be.
    ws.levels = {};
    // A large photo is shown from a reduced decode; the view asks for the
    // whole picture when it needs more pixels.
    if (MakeCurrentImageFromDecoded(state, ws, path, decodeImageFileReduced(path, ws.image.size())))
        return true;
    if (state.view.imageLoaded)
        PrepareLevels(ws.levels, state.view.currentPicture);
    return false;
}

bool MakeCurrentImageFromDecoded(AppState& state, Workspace& ws, const QString& path, const DecodedPicture& decoded)
{
    if (decoded.picture.isNull())
        return false;
    ClearViewPanels(ws);
    state.view.pictureFile = path;
    return takePicture(state, ws, decoded);
}

bool MakeCurrentImageFromBytes(AppState& state, Workspace& ws, const QByteArray& bmp)
{
    const DecodedPicture decoded = wholePicture(decodeImageBytes(bmp));
    if (decoded.picture.isNull())
        return false;
    state.view.pictureFile.clear();
    return takePicture(state, ws, decoded);
}

bool MakeCurrentImageFromShot(AppState& state, Workspace& ws, const QImage& picture)
{
    const DecodedPicture shot = wholePicture(picture.convertToFormat(QImage::Format_RGB32));
    if (shot.picture.isNull())
        return false;
    state.view.pictureFile.clear();
    return takePicture(state, ws, shot, ScrollRatios::Keep);
}
