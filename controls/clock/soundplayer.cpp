#include "clock/soundplayer.h"

#include <QFileInfo>

#ifdef SCH_HAVE_MULTIMEDIA
#include <QSoundEffect>
#include <QUrl>
#endif

struct SoundPlayer::Private
{
#ifdef SCH_HAVE_MULTIMEDIA
    QSoundEffect *effect = nullptr;
#endif
};

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable())
        return;
#ifdef SCH_HAVE_MULTIMEDIA
    // A new sound replaces one still playing, as the old single sound call did.
    if (!d->effect)
        d->effect = new QSoundEffect(this);
    d->effect->stop();
    d->effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    d->effect->play(); // starts once loaded; returns at once
#endif
}
