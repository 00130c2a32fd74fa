#pragma once
// A large photo is opened from a reduced decode, which is enough to show it
// fitted. When the view needs more pixels (zooming in, a larger window) the
// whole picture is decoded on a worker thread and takes the reduced copy's
// place at the same scale; the window stays responsive meanwhile. Commands
// that change the picture itself (a quarter turn) take the whole picture
// first.
#include "state/app_state.h"
#include "workspace/workspace.h"

#include <QObject>

class WholePictureLoader : public QObject {
    Q_OBJECT
public:
    WholePictureLoader(AppState& state, Workspace& ws, QObject* parent);

    // Starts the whole decode when the shown scale needs it.
    void fetchIfNeeded();
    // Makes the whole picture current now, decoding it here if needed.
    void takeWholeNow();

signals:
    // The whole picture replaced the reduced one and the view was rendered again.
    void arrived();

private:
    void onDecoded(const QImage& picture, const QString& file, quint64 generation);
    void takeWhole(const QImage& picture);

    AppState& state_;
    Workspace& ws_;
    QString pending_;        // the file being decoded
    quint64 generation_ = 0; // which request a finished decode answers
};
