#pragma once
// What the batch modes need of the window that hosts them: the picture in
// the view, the frame's boxes and the capture. The main window implements it.
#include "imaging/decoded_picture.h"

#include <QColor>
#include <QImage>
#include <QString>

enum class FrameBox { Width, Height, JpegSize };

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
    virtual QColor frameColour() const = 0;
    // The view's pixels inside the frame, opaque RGB32.
    virtual QImage captureFrame() = 0;
    virtual QString frameBoxText(FrameBox box) const = 0;
    // Writes a box's text from the program; its change handling runs as for typing.
    virtual void writeFrameBoxText(FrameBox box, const QString& text) = 0;
    virtual void writeStatusHint(const QString& hint) = 0;
    virtual void focusView() = 0;
    // Unticks the drawing tools of the tool palette.
    virtual void untickDrawingTools() = 0;
    // Closes the camera window and the fast-capture settings window, and
    // switches fast capture off.
    virtual void closeCameraWindows() = 0;
};
