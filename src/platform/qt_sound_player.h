#pragma once
#include "platform/sound_player.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

// Plays the clips embedded in the program through Qt Multimedia. Each effect
// is made on its first use, so a run that never plays a sound never opens audio.
class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    void play(SoundClip clip) override;

private:
    QHash<SoundClip, QSoundEffect*> effects_;
};
