#include "platform/qt_sound_player.h"

#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent) {}

void QtSoundPlayer::play(SoundClip clip)
{
    switch (clip) {
    case SoundClip::Crop:
        if (!crop_) {
            crop_ = new QSoundEffect(this);
            crop_->setSource(QUrl(QStringLiteral("qrc:/sounds/crop.wav")));
        }
        // A second save while the clip still plays starts it again.
        crop_->stop();
        crop_->play();
        break;
    }
}
