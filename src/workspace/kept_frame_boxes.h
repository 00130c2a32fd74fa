#pragma once
// The frame size and JPEG limit that a batch mode keeps in its section of
// set.dll next to its settings, and brings back when its settings are reused.
#include "workspace/frame_panel.h"

#include <QString>

// Puts the kept 像素宽 and 像素高 into the width and height boxes (an empty
// stored text leaves a box as it is). With `jpeg`, a kept JPG体积 above 0 goes
// into the JPEG size box; a kept 0 or empty one is replaced by the box's text.
void RestoreKeptFrameBoxes(FramePanel& frame, const QString& settingsFolder, const QString& section, bool jpeg);

struct KeptBoxes {
    bool width = false;
    bool height = false;
    bool jpegSize = false;
};

// Writes the chosen boxes' current texts to 像素宽, 像素高 and JPG体积, in one write.
void WriteKeptFrameBoxes(const FramePanel& frame, const QString& settingsFolder, const QString& section,
                         KeptBoxes boxes);
