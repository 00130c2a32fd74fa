#include "workspace/whole_picture_loader.h"

#include "imaging/image_decoder.h"
#include "workspace/view_render.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

WholePictureLoader::WholePictureLoader(AppState& state, Workspace& ws, QObject* parent)
    : QObject(parent), state_(state), ws_(ws)
{
}

void WholePictureLoader::fetchIfNeeded()
{
    const ViewState& v = state_.view;
    if (!v.imageLoaded || !NeedsWholePicture(v) || pending_ == v.pictureFile)
        return;
    pending_ = v.pictureFile;
    const quint64 generation = ++generation_;
    const QString file = v.pictureFile;
    QPointer<WholePictureLoader> self(this);
    QThreadPool::globalInstance()->start([self, file, generation] {
        const QImage picture = decodeImageFile(file);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, picture, file, generation] {
                if (self)
                    self->onDecoded(picture, file, generation);
            },
            Qt::QueuedConnection);
    });
}

void WholePictureLoader::takeWholeNow()
{
    const ViewState& v = state_.view;
    if (!v.imageLoaded || !v.reducedFrom.isValid())
        return;
    ++generation_; // a decode still running is no longer wanted
    pending_.clear();
    takeWhole(decodeImageFile(v.pictureFile));
}

void WholePictureLoader::onDecoded(const QImage& picture, const QString& file, quint64 generation)
{
    if (generation != generation_)
        return;
    pending_.clear();
    const ViewState& v = state_.view;
    // Only for the picture it was asked for, while its reduced copy is still shown.
    if (!v.imageLoaded || !v.reducedFrom.isValid() || v.pictureFile != file)
        return;
    takeWhole(picture);
    emit arrived();
}

void WholePictureLoader::takeWhole(const QImage& picture)
{
    ViewState& v = state_.view;
    // A file that changed or vanished since it was opened keeps the reduced copy.
    if (picture.isNull() || picture.size() != v.reducedFrom)
        return;
    v.currentPicture = picture;
    v.reducedFrom = {};
    RenderView(state_, ws_);
}
