#include "platform/qt_sound_player.h"

#include <QSoundEffect>
#include <QUrl>

namespace {

QUrl clipUrl(SoundClip clip)
{
    switch (clip) {
    case SoundClip::Crop: return QUrl(QStringLiteral("qrc:/sounds/crop.wav"));
    case SoundClip::Shutter: return QUrl(QStringLiteral("qrc:/sounds/shutter.wav"));
    }
    return {};
}

} // namespace

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent) {}

void QtSoundPlayer::play(SoundClip clip)
{
    QSoundEffect*& effect = effects_[clip];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(clipUrl(clip));
    }
    // A second save while the clip still plays starts it again.
    effect->stop();
    effect->play();
}
