#pragma once
// The side effects a window may cause, behind interfaces that tests replace.
#include "platform/capture_device.h"

class Clipboard;
class Clock;
class Desktop;
class Dialogs;
class SoundPlayer;

struct PlatformServices {
    Dialogs& dialogs;
    Clipboard& clipboard;
    SoundPlayer& sound;
    Clock& clock;
    Desktop& desktop;
    CaptureDeviceMaker makeCamera;
};
