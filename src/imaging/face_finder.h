#pragma once
// Finding the portrait's head in a picture, for automatic framing.
#include "imaging/head_measure.h"

#include <QImage>

#include <functional>
#include <memory>

enum class FaceFinding {
    Found,        // head holds the subject's head
    NoFace,       // nothing like a frontal face
    SeveralFaces, // two or more faces nearly as large and as central: the user frames by hand
    Unavailable,  // the finder cannot work (its data files are missing)
};

struct FaceResult {
    FaceFinding finding = FaceFinding::NoFace;
    HeadMeasure head; // in the given picture's pixels; meaningful when Found
};

// A finder is used by one thread at a time; threads that find at the same
// time each make their own.
class FaceFinder {
public:
    virtual ~FaceFinder() = default;

    // Finds the head in `picture`, an opaque picture, upright, best reduced to
    // 600–1000 pixels on its long side (a larger one costs time, not accuracy).
    virtual FaceResult find(const QImage& picture) = 0;
};

// Makes a finder: one for each thread that finds.
using FaceFinderMaker = std::function<std::unique_ptr<FaceFinder>()>;
