#pragma once
#include "platform/sound_player.h"

#include <QList>

// Remembers which clips the program asked to play.
class FakeSoundPlayer final : public SoundPlayer {
public:
    void play(SoundClip clip) override { played.append(clip); }
    QList<SoundClip> played;
};
