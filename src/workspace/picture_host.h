#pragma once
// What batch crop and the camera need of the window that shows the picture:
// a file's or a shot's picture in the view, the view's size, the capture, the
// status-bar hint and the focus. The main window implements it.
#include "imaging/decoded_picture.h"

#include <QImage>
#include <QSize>
#include <QString>

class PictureHost {
public:
    virtual ~PictureHost() = default;
    // Makes the decoded picture of the file the current picture, fitted to
    // the view, as opening a file does (the image origin is left as it is).
    // False for a null picture (a file that could not be read); the view then
    // shows no picture.
    virtual bool showPictureFile(const QString& path, const DecodedPicture& decoded) = 0;
    // The size of the view a file's picture is decoded for.
    virtual QSize viewSize() const = 0;
    // No picture: the view is blank and nothing can be saved from it.
    virtual void showNoPicture() = 0;
    // A camera shot becomes the current picture, fitted to the view as a
    // file is, with the view's scroll ratios kept.
    virtual void showShot(const QImage& picture) = 0;
    // The view's pixels inside the frame, opaque RGB32.
    virtual QImage captureFrame() = 0;
    virtual void writeStatusHint(const QString& hint) = 0;
    virtual void focusView() = 0;
};
