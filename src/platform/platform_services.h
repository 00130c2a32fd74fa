#pragma once
// The side effects a window may cause, behind interfaces that tests replace.
class Clipboard;
class Dialogs;

struct PlatformServices {
    Dialogs& dialogs;
    Clipboard& clipboard;
};
