#pragma once
// What the features that name and save crops (batch crop and fast capture)
// are handed by the program: the dialogs, the sounds, the clock, the name
// list, the window that shows the picture and the frame's panel.
class Clock;
class Dialogs;
class FramePanel;
class NameListSeam;
class PictureHost;
class SoundPlayer;

struct CropServices {
    Dialogs& dialogs;
    SoundPlayer& sound;
    Clock& clock;
    NameListSeam& nameList;
    PictureHost& host;
    FramePanel& frame;
};
