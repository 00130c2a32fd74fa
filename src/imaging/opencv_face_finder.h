#pragma once
// The face finder over OpenCV's Haar cascades: the frontal-face cascade for
// the face, the eye cascade in the face's upper half for the eye line and
// the roll, and the backdrop beside the head for the hair top and the head's
// width (imaging/head_outline.h). The cascades are read from the system's
// data folders when the finder is made.
#include "imaging/face_finder.h"

#include <QString>
#include <QStringList>

#include <memory>

// The folders where the system keeps OpenCV's Haar cascades, most likely first.
QStringList CascadeFolders();

class OpenCvFaceFinder final : public FaceFinder {
public:
    // Reads the cascades from the first of `folders` that holds both.
    explicit OpenCvFaceFinder(const QStringList& folders = CascadeFolders());
    ~OpenCvFaceFinder() override;
    OpenCvFaceFinder(const OpenCvFaceFinder&) = delete;
    OpenCvFaceFinder& operator=(const OpenCvFaceFinder&) = delete;

    // Whether the cascades were read; without them every find is Unavailable.
    bool available() const;

    FaceResult find(const QImage& picture) override;

private:
    struct Cascades;
    std::unique_ptr<Cascades> cascades_;
};

// The finder the program uses: the cascades from the system's data folders.
std::unique_ptr<FaceFinder> MakeSystemFaceFinder();

// How many threads OpenCV may use inside one search (for the whole process):
// a batch that runs a search on each of its threads wants one each; 0 gives
// back OpenCV's own choice. Returns the setting it replaces.
int SetThreadsPerSearch(int threads);
