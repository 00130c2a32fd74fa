#pragma once
// The program's short sounds, played once and without waiting for them.
// A machine without an audio device stays silent; that is never an error.

enum class SoundClip { Crop, Shutter };

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(SoundClip clip) = 0;
};
