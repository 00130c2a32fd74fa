#pragma once
#include "platform/sound_player.h"

#include <QObject>

class QSoundEffect;

// Plays the clips embedded in the program through Qt Multimedia. The effect
// is made on first use, so a run that never plays a sound never opens audio.
class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    void play(SoundClip clip) override;

private:
    QSoundEffect* crop_ = nullptr;
};
